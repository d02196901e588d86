#ifndef APP_CMYTRANSLATEDTEXT_H
#define APP_CMYTRANSLATEDTEXT_H

// Texts that code sets on labels and actions, set again in the new language when the language
// changes. A text set since by other means (a value on a label) is left as it is.

class QObject;

namespace TranslatedText {

// Sets the "text" property of `target` (a QLabel or a QAction) to the translation of `source`
// (marked with QT_TRANSLATE_NOOP) in `context`, and remembers it.
void set(QObject *target, const char *context, const char *source);

// Sets again, in the language now installed, each remembered text under `root` that is still
// shown.
void refresh(QObject *root);

} // namespace TranslatedText

#endif
