#ifndef TESTS_SUPPORT_READONLYFOLDER_H
#define TESTS_SUPPORT_READONLYFOLDER_H

// Makes a folder read-only while one lives, for the calling thread also when the test runs as
// root: the thread gives up its power to pass over file permissions until the end of the scope.

#include "tests/support/permissionshonoured.h"

#include <QFile>
#include <QString>

class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

private:
    QString m_path;
    PermissionsHonoured m_asAUser; // the folder's owner may still change its permissions
};

#endif
