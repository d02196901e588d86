#ifndef RESOURCES_TAMIRARESOURCES_H
#define RESOURCES_TAMIRARESOURCES_H

// Registers the built-in resources (lists, template, icons, pictures, catalogue). A static
// library's resources are only linked in when something calls this.
void initTamiraResources();

class QTranslator;
// Registers the resources, loads the built-in English catalogue into `translator` and installs
// it in the application, whether or not the load succeeded (the texts then stay Polish).
// Returns whether the catalogue was loaded.
bool installEnglishCatalogue(QTranslator &translator);
// From now on shows the English texts (true) or the Polish texts as written (false), by
// installing or removing the catalogue that installEnglishCatalogue loaded. Every window gets a
// LanguageChange event.
void useEnglishCatalogue(bool english);

#endif
