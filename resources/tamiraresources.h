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

#endif
