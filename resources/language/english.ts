<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="pl_PL">
<context>
    <name>MainWindow</name>
    <message>
        <source>Start</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Max Depth</source>
        <translation>Max Depth</translation>
    </message>
    <message>
        <source>Dive Time</source>
        <translation>Dive Time</translation>
    </message>
    <message>
        <source>Status urządzenia</source>
        <translation>Device status</translation>
    </message>
    <message>
        <source>Połączenie:</source>
        <translation>Connection:</translation>
    </message>
    <message>
        <source>N/D</source>
        <translation>N/A</translation>
    </message>
    <message>
        <source>Nr seryjny:</source>
        <translation>Serial No.:</translation>
    </message>
    <message>
        <source>Wersja sprzętu:</source>
        <translation>Hardware version:</translation>
    </message>
    <message>
        <source>Wielkość pamięci:</source>
        <translation>Memory size:</translation>
    </message>
    <message>
        <source>Tamira:</source>
        <translation>Tamira:</translation>
    </message>
    <message>
        <source>Szczegóły</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Oprogramowanie</source>
        <translation>Software</translation>
    </message>
    <message>
        <source>Wersja
oprogramowania:</source>
        <translation>Software version:</translation>
    </message>
    <message>
        <source>Język:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Wersja
biblioteki dźwięków:</source>
        <translation>Sound library version:</translation>
    </message>
    <message>
        <source>Odśwież status</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Nastawy</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>Wersja:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Autor:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>Tytuł:</source>
        <translation>Caption:</translation>
    </message>
    <message>
        <source>Opis:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Parametry / Okresy</source>
        <translation>Parameters / Intervals</translation>
    </message>
    <message>
        <source>Opis nastaw</source>
        <translation>Setup description</translation>
    </message>
    <message>
        <source>Komunikaty</source>
        <translation>Messages</translation>
    </message>
    <message>
        <source>Symulacja</source>
        <translation>Simulation</translation>
    </message>
    <message>
        <source>Rezerwa</source>
        <translation>Spare</translation>
    </message>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Komunikacja</source>
        <translation>&amp;Online</translation>
    </message>
    <message>
        <source>&amp;Serwis</source>
        <translation>&amp;Service</translation>
    </message>
    <message>
        <source>Pomo&amp;c</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Pasek narzędzi</source>
        <translation>Tool bar</translation>
    </message>
    <message>
        <source>&amp;Nowy...</source>
        <translation>&amp;New...</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Otwórz...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Zapisz...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Z&amp;apisz jako...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Za&amp;kończ</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Wczytaj nastawy &amp;z Tamiry</source>
        <translation>Tamira -&gt; PC &amp;Upload</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
    <message>
        <source>Zapisz nastawy &amp;do Tamiry</source>
        <translation>PC -&gt; Tamira &amp;Download</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Reset...</source>
        <translation>&amp;Reset...</translation>
    </message>
    <message>
        <source>Wyczyść &amp;statystyki...</source>
        <translation>&amp;Clear statistics...</translation>
    </message>
    <message>
        <source>Wyłąc&amp;z Tamirę...</source>
        <translation>Switch Tamira O&amp;ff...</translation>
    </message>
    <message>
        <source>Aktualizacja biblioteki &amp;dźwięków...</source>
        <translation>&amp;Sound library update...</translation>
    </message>
    <message>
        <source>Aktualizacja &amp;firmware...</source>
        <translation>&amp;Firmware update...</translation>
    </message>
    <message>
        <source>Pomo&amp;c...</source>
        <translation>&amp;Help...</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>&amp;O Programie...</source>
        <translation>&amp;About...</translation>
    </message>
</context>
<context>
    <name>cMyAboutDialog</name>
    <message>
        <source>O Programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Program do konfiguracji Tamiry.
Rozpowszechniany bez żadnej gwarancji.</source>
        <translation>Configuration software for the Tamira.
Distributed without any warranty.</translation>
    </message>
    <message>
        <source>Autorzy:
The TAMIRAdesk developers</source>
        <translation>Authors:
The TAMIRAdesk developers</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Wersja: </source>
        <translation>Version: </translation>
    </message>
</context>
<context>
    <name>cMyPortSelect</name>
    <message>
        <source>Brak urządzeń</source>
        <translation>No devices found</translation>
    </message>
</context>
<context>
    <name>cMySimWidget</name>
    <message>
        <source>Symulacja nurkowania nie jest jeszcze dostępna w tej wersji programu.</source>
        <translation>The dive simulation is not available in this version of the program yet.</translation>
    </message>
</context>
<context>
    <name>cMyTableModel</name>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Wartosc</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Faktor</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>Jednostka</source>
        <translation>Unit</translation>
    </message>
</context>
</TS>
