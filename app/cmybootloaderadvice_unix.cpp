// What a Linux user reads about a bootloader that could not be opened: the device node is not
// the user's without the package's udev rules.

#include "app/cmybootloaderwatch.h"

QString cMyBootloaderWatch::headline()
{
    return tr("Tamira jest podłączona w trybie aktualizacji firmware, ale system nie pozwala programowi TAMIRAdesk "
              "się z nią porozumieć.");
}

QString cMyBootloaderWatch::advice()
{
    return tr("Zainstaluj reguły udev programu (pakiet instaluje je sam), a potem odłącz ją i podłącz ponownie.");
}
