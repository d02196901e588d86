#ifndef BASE_CMYREMEMBERED_H
#define BASE_CMYREMEMBERED_H

// What a program remembers between runs (the language, the window, recent files, the folder
// each kind of file dialog last used), kept in the platform's usual place: the registry on
// Windows, ~/.config/TAMIRAdesk/ on Linux. Until a program names itself, everything goes to a
// file of its own that lives as long as the process, so tests never read or change what the
// user's programs remember.

#include <QSettings>
#include <QString>

#include <memory>

namespace cMyRemembered {

// Called once by main: "TAMIRAdesk" or "servicetool".
void setProgram(const QString &name);
std::unique_ptr<QSettings> settings();
// Forgets everything (tests start again from a first start).
void forgetAll();

// Where a file dialog of `kind` starts: `preferred` when it is an existing folder, else the
// folder a dialog of this kind last took a file from, else the user's Documents (on Linux the
// home folder) - never the program's own folder.
QString startFolder(const QString &kind, const QString &preferred = QString());
// The folder a dialog of `kind` last took a file from, while it exists; else an empty string.
QString lastFolder(const QString &kind);
// The dialog of `kind` gave `path` (nothing happens for an empty one).
void rememberFolder(const QString &kind, const QString &path);

} // namespace cMyRemembered

#endif
