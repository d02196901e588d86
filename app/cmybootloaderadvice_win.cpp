// What a Windows user reads about a bootloader that no USB layer could open: Windows binds no
// driver to it by itself.

#include "app/cmybootloaderwatch.h"

QString cMyBootloaderWatch::headline()
{
    return tr("Tamira jest podłączona w trybie aktualizacji firmware, ale Windows nie ma sterownika, przez który "
              "TAMIRAdesk mógłby się z nią porozumieć.");
}

QString cMyBootloaderWatch::advice()
{
    return tr("Zainstaluj dla niej sterownik WinUSB (np. programem Zadig) albo sterownik dołączony do programu "
              "Atmel FLIP, a potem odłącz ją i podłącz ponownie. Do normalnej pracy przywraca ją też przycisk "
              "Start Application w programie FLIP.");
}
