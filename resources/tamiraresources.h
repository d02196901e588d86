#ifndef RESOURCES_TAMIRARESOURCES_H
#define RESOURCES_TAMIRARESOURCES_H

// Registers the built-in resources (lists, template, icons, pictures, catalogues). A static
// library's resources are only linked in when something calls this.
void initTamiraResources();

class QTranslator;
// Registers the resources, loads the built-in English catalogue into `translator` and installs
// it in the application, whether or not the load succeeded (the texts then stay Polish).
// Returns whether the catalogue was loaded.
bool installEnglishCatalogue(QTranslator &translator);
// From now on shows the English texts (true) or the Polish texts as written (false), by
// installing or removing the catalogue that installEnglishCatalogue loaded. Polish also brings
// the value lists' Polish texts and Qt's own Polish texts (the message boxes' buttons, the file
// dialogs); English takes them away again. Every window gets a LanguageChange event.
void useEnglishCatalogue(bool english);
bool englishCatalogueInUse();
// Qt's own texts in Polish, for a program without a catalogue of its own (servicetool's window).
// The Windows program folder carries them in translations/; on Linux they are the system's.
bool installQtPolish();

#endif
