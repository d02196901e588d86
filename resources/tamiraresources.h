#ifndef TAMIRARESOURCES_H
#define TAMIRARESOURCES_H

// Registers the built-in resources (lists, template, icons, pictures, catalogue). A static
// library's resources are only linked in when something calls this.
void initTamiraResources();

#endif
