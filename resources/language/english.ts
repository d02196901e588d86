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
    <message>
        <source>Tamira</source>
        <translation>Tamira</translation>
    </message>
    <message>
        <source>Otworz plik</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>podaj</source>
        <translation>say</translation>
    </message>
    <message>
        <source>Wykryto Tamirę w trybie aktualizacji firmware.
Czy przywrócić ją do pracy?</source>
        <translation>Tamira is in DFU (firmware update) mode.
Do you want to put it back to normal operating mode?</translation>
    </message>
    <message>
        <source>Tamira działa</source>
        <translation>Self-test: Passed</translation>
    </message>
    <message>
        <source>Tamira nie działa</source>
        <translation>Self-test: Error</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Odczyt z tamiry..</source>
        <translation>Upload..</translation>
    </message>
    <message>
        <source>Zapis do tamiry..</source>
        <translation>Download..</translation>
    </message>
    <message>
        <source>Aktualizacja firmware...</source>
        <translation>Firmware update...</translation>
    </message>
    <message>
        <source>Przejście do trybu serwisowego. Kontynuacja możliwa tylko z poziomu zewnętrznego oprogramowania FLIP firmy ATMEL. Dalsze informacje w pliku Pomocy.
Czy jesteś pewien, że chcesz wgrać nowy firmware?</source>
        <translation>You are about to put Tamira in DFU (firmware upgrade) mode.
You have to continue the firmware upgrade in external environment (FLIP by Atmel)
Are your sure, you want to continue?</translation>
    </message>
    <message>
        <source>Reset...</source>
        <translation>Reset...</translation>
    </message>
    <message>
        <source>Nastąpi reset Tamiry bez utraty danych. W razie utraty komunikacji proszę odłączyć i podłączyć ponownie kabel USB.
Czy chcesz kontynuować?</source>
        <translation>You are about to Tamira restart. In case of communication problems please reconnect the USB cable.
Do you want to continue?</translation>
    </message>
    <message>
        <source>Wyczyść statystyki...</source>
        <translation>Clear statistics...</translation>
    </message>
    <message>
        <source>Czy chcesz wyczyścić statystyki (np. MAX głębokość)?</source>
        <translation>Do you want to clear the statistics (MIN and MAX values: depth, time, temperature and any others)?</translation>
    </message>
    <message>
        <source>Wyłącz Tamirę...</source>
        <translation>Switch Tamira Off...</translation>
    </message>
    <message>
        <source>W celu ochrony baterii, przed dłuższą przerwą w użytkowaniu Tamiry wskazane jest jej wyłączenie. Tamira zostanie wyłączona zaraz po odłączeniu kabla USB. Ponowne załączenie nastąpi samoczynnie po ponownym podłączeniu do USB lub ładowarki. Czy chcesz wyłączyć zasilanie Tamiry?</source>
        <translation>You are about to switch off the Tamira. (after USB cable unplug).
We reccomend do this before off-season break for battery long-life.
Tamira will be restored to nomal operation work after next USB plug in.
Do you want to continue?</translation>
    </message>
    <message>
        <source>Biblioteka jezyka (*.tma);;Komunikaty użytkownika (*.tmc)</source>
        <translation>Sound library (*.tma);;Custom messages library (*.tmc)</translation>
    </message>
    <message>
        <source>Aktualizacja biblioteki dźwięków...</source>
        <translation>Sound library update...</translation>
    </message>
    <message>
        <source>Nastąpi aktualizacja biblioteki dźwięków.
Czy chcesz kontynuować?</source>
        <translation>You are about to the sound library upgrade.
Do you want to continue?</translation>
    </message>
    <message>
        <source>Proszę nie odłączać urządzenia.</source>
        <translation>Please don&apos;t disconnect your device during the process.</translation>
    </message>
    <message>
        <source>&amp;Przywróć kopię zapasową...</source>
        <translation>&amp;Restore a backup...</translation>
    </message>
    <message>
        <source>Nastawy w programie nie zostały zmienione.</source>
        <translation>The settings in the program were not changed.</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Brak pliku pomocy. Powinien być tutaj:
%1</source>
        <translation>The help file is missing. It should be here:
%1</translation>
    </message>
    <message>
        <source>Żaden program nie otworzył pliku pomocy. Plik jest tutaj:
%1</source>
        <translation>No program could open the help file. It is here:
%1</translation>
    </message>
    <message>
        <source>&amp;Wypróbuj bez urządzenia</source>
        <translation>&amp;Try without a device</translation>
    </message>
    <message>
        <source>Nastawy odczytane z Tamiry.</source>
        <translation>Settings read from Tamira.</translation>
    </message>
    <message>
        <source>Biblioteka dźwięków wysłana do Tamiry.</source>
        <translation>Sound library sent to Tamira.</translation>
    </message>
    <message>
        <source>&amp;Urządzenie:</source>
        <translation>&amp;Device:</translation>
    </message>
    <message>
        <source> - podłączona Tamira demonstracyjna</source>
        <translation> - demo Tamira attached</translation>
    </message>
    <message>
        <source>Strony</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Biblioteka dźwięków w Tamirze jest niekompletna, dopóki nie zostanie wgrana ponownie.</source>
        <translation>The sound library in Tamira is incomplete until it is uploaded again.</translation>
    </message>
    <message>
        <source>Po przerwaniu biblioteka dźwięków w Tamirze będzie niekompletna, dopóki nie wgrasz jej ponownie.
Czy chcesz przerwać wysyłanie?</source>
        <translation>If you stop now, the sound library in Tamira stays incomplete until you upload it again.
Do you want to stop the upload?</translation>
    </message>
    <message>
        <source>Zapisano w pliku %1.</source>
        <translation>Saved to %1.</translation>
    </message>
    <message>
        <source>Głębokość maks.</source>
        <translation>Max Depth</translation>
    </message>
    <message>
        <source>Czas nurkowania</source>
        <translation>Dive Time</translation>
    </message>
    <message>
        <source>Odczyt nastaw z Tamiry</source>
        <translation>Reading the settings from Tamira</translation>
    </message>
    <message>
        <source>Zapis nastaw do Tamiry</source>
        <translation>Writing the settings to Tamira</translation>
    </message>
    <message>
        <source>Nastawy zapisane w Tamirze i sprawdzone. Kopia zapasowa poprzednich nastaw: %1</source>
        <translation>Settings written to Tamira and verified. Backup of the previous settings: %1</translation>
    </message>
    <message>
        <source>Wysyłanie biblioteki dźwięków do Tamiry</source>
        <translation>Uploading the sound library to Tamira</translation>
    </message>
    <message>
        <source>Wczytano kopię zapasową %1. Tamira pozostaje bez zmian, dopóki nastawy nie zostaną zapisane do Tamiry.</source>
        <translation>Loaded the backup %1. Tamira stays unchanged until the settings are written to it.</translation>
    </message>
    <message>
        <source>Pliku %1 już nie ma; usunięto go z listy ostatnich plików.</source>
        <translation>%1 no longer exists; it was taken off the recent files.</translation>
    </message>
    <message>
        <source>&amp;Porównaj z Tamirą...</source>
        <translation>&amp;Compare with Tamira...</translation>
    </message>
    <message>
        <source>Po&amp;równaj z plikiem...</source>
        <translation>Co&amp;mpare with file...</translation>
    </message>
    <message>
        <source>Odczyt nastaw z Tamiry do porównania</source>
        <translation>Reading Tamira&apos;s settings for the comparison</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Nie można porównać pliku %1 z formularzem (%2).</source>
        <translation>The file %1 cannot be compared with the form (%2).</translation>
    </message>
</context>
<context>
    <name>MessagesPage</name>
    <message>
        <source>Reguły komunikatów</source>
        <translation>Message rules</translation>
    </message>
</context>
<context>
    <name>ParametersPage</name>
    <message>
        <source>Parametry</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>1. Głośność</source>
        <translation>1. Volume</translation>
    </message>
    <message>
        <source>2. Częstotliwość próbkowania głębokości</source>
        <translation>2. Depth sampling rate</translation>
    </message>
    <message>
        <source>3. Czas przejścia w tryb uśpienia po wynurzeniu</source>
        <translation>3. Time to sleep mode after surfacing</translation>
    </message>
    <message>
        <source>4. Okres próbkowania głębokości w trybie uśpienia</source>
        <translation>4. Depth sampling period in sleep mode</translation>
    </message>
    <message>
        <source>5. Próg zanurzenia</source>
        <translation>5. Dive start threshold</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;justify&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Próg zanurzenia powinien być co najmniej 10cm większy od progu wynurzenia.&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;justify&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Małe wartości (poniżej 50cm) mogą powodować problemy związane z transportem Tamiry (nieoczekiwane wejście i pozostanie w trybie nurkowania).&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;justify&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Powrót po podłączeniu USB lub manewrze &amp;quot;sztucznego wynurzenia&amp;quot; (szczegóły w instrukcji).&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;justify&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;The dive start threshold should be at least 10 cm greater than the surfacing threshold.&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;justify&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Small values (below 50 cm) can cause trouble while the Tamira is carried around (it may unexpectedly enter and stay in dive mode).&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;justify&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;It returns after the USB cable is plugged in or after an &amp;quot;artificial surfacing&amp;quot; manoeuvre (see the manual for details).&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>6. Próg wynurzenia</source>
        <translation>6. Surfacing threshold</translation>
    </message>
    <message>
        <source>7. Próg rozpoczęcia wynurzania</source>
        <translation>7. Ascent start threshold</translation>
    </message>
    <message>
        <source>8. Próg rozpoczęcia pobytu na dnie</source>
        <translation>8. Bottom phase start threshold</translation>
    </message>
    <message>
        <source>9. Zasolenie wody</source>
        <translation>9. Water salinity</translation>
    </message>
    <message>
        <source>10. Żródło temperatury do wyliczenia gęstości wody</source>
        <translation>10. Temperature source for water density</translation>
    </message>
    <message>
        <source>11. Stała temperatura do wyliczenia gęstości wody</source>
        <translation>11. Fixed temperature for water density</translation>
    </message>
    <message>
        <source>12. Wysokość n.p.m.</source>
        <translation>12. Altitude above sea level</translation>
    </message>
    <message>
        <source>13. Szerokość geograficzna</source>
        <translation>13. Latitude</translation>
    </message>
    <message>
        <source>Okresy komunikatów</source>
        <translation>Message intervals</translation>
    </message>
    <message>
        <source>Okres A</source>
        <translation>Period A</translation>
    </message>
    <message>
        <source>Okres B</source>
        <translation>Period B</translation>
    </message>
    <message>
        <source>Okres C</source>
        <translation>Period C</translation>
    </message>
    <message>
        <source>Okres D</source>
        <translation>Period D</translation>
    </message>
    <message>
        <source>Dystans E</source>
        <translation>Distance E</translation>
    </message>
    <message>
        <source>Dystans F</source>
        <translation>Distance F</translation>
    </message>
    <message>
        <source>Dystans G</source>
        <translation>Distance G</translation>
    </message>
    <message>
        <source>Dystans H</source>
        <translation>Distance H</translation>
    </message>
    <message>
        <source>Opis nastaw</source>
        <translation>Setup description</translation>
    </message>
    <message>
        <source>Reguły timerów</source>
        <translation>Timer rules</translation>
    </message>
    <message>
        <source>&amp;Autor:</source>
        <translation>&amp;Author:</translation>
    </message>
    <message>
        <source>&amp;Tytuł:</source>
        <translation>Ca&amp;ption:</translation>
    </message>
    <message>
        <source>&amp;Opis:</source>
        <translation>&amp;Description:</translation>
    </message>
    <message>
        <source>Autor</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>Tytuł</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>Opis</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Przyspieszenie ziemskie (z wysokości i szerokości geograficznej)</source>
        <translation>Gravity (from the altitude and the latitude)</translation>
    </message>
</context>
<context>
    <name>PortOpenFailure</name>
    <message>
        <source>Brak uprawnień do portu %1.

Jak to naprawić w systemie Linux:
• zainstaluj pakiet tamiradesk albo skopiuj plik 70-tamira.rules z katalogu packaging/linux do /etc/udev/rules.d,
• albo dopisz swoje konto do grupy dialout (sudo usermod -aG dialout $USER) i zaloguj się ponownie.
Potem odłącz Tamirę i podłącz ją ponownie.</source>
        <translation>You have no permission to use port %1.

To fix this on Linux:
• install the tamiradesk package, or copy 70-tamira.rules from the packaging/linux folder to /etc/udev/rules.d,
• or add your account to the dialout group (sudo usermod -aG dialout $USER) and log in again.
Then unplug the Tamira and plug it in again.</translation>
    </message>
</context>
<context>
    <name>RuleGrid</name>
    <message>
        <source>Warunek</source>
        <translation>Condition</translation>
    </message>
    <message>
        <source>Kiedy reguła działa</source>
        <translation>When the rule applies</translation>
    </message>
    <message>
        <source>Wartość mierzona</source>
        <translation>Measured value</translation>
    </message>
    <message>
        <source>Wartość porównywana z progiem (Regardless of any value: bez porównania)</source>
        <translation>The value compared with the threshold (Regardless of any value: no comparison)</translation>
    </message>
    <message>
        <source>Porównanie</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>Jak wartość mierzona jest porównywana z progiem</source>
        <translation>How the measured value is compared with the threshold</translation>
    </message>
    <message>
        <source>Próg</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Próg w jednostce wartości mierzonej</source>
        <translation>The threshold, in the unit of the measured value</translation>
    </message>
    <message>
        <source>Akcja</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Co zrobić ze stoperem lub timerem</source>
        <translation>What to do with the stopwatch or a timer</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Czas timera: tyle sekund po starcie timer mija</source>
        <translation>The timer&apos;s time: this many seconds after its start, the timer has passed</translation>
    </message>
    <message>
        <source>Komunikat</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Co powiedzieć: wartość mierzoną, zwrot albo własny komunikat</source>
        <translation>What to say: a measured value, a phrase or a custom message</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Jak powiedzieć wartość mierzoną</source>
        <translation>How a measured value is spoken</translation>
    </message>
    <message>
        <source>Powtarzanie</source>
        <translation>Repetition</translation>
    </message>
    <message>
        <source>Jak często powtarzać komunikat</source>
        <translation>How often the message is repeated</translation>
    </message>
    <message>
        <source>Reguła timera %1, %2</source>
        <translation>Timer rule %1, %2</translation>
    </message>
    <message>
        <source>Reguła komunikatu %1, %2</source>
        <translation>Message rule %1, %2</translation>
    </message>
    <message>
        <source>Reguła timera %1</source>
        <translation>Timer rule %1</translation>
    </message>
    <message>
        <source>Reguła komunikatu %1</source>
        <translation>Message rule %1</translation>
    </message>
</context>
<context>
    <name>RuleReading</name>
    <message>
        <source>%1, gdy %2 %3 %4</source>
        <translation>%1, when %2 %3 %4</translation>
    </message>
    <message>
        <source>%1: %2, mija po %3</source>
        <translation>%1: %2, passes after %3</translation>
    </message>
    <message>
        <source>%1: powiedz „%2” %3, %4</source>
        <translation>%1: say &quot;%2&quot; %3, %4</translation>
    </message>
    <message>
        <source>%1: powiedz „%2”, %3</source>
        <translation>%1: say &quot;%2&quot;, %3</translation>
    </message>
    <message>
        <source>%1: reguła nieużywana</source>
        <translation>%1: this rule is unused</translation>
    </message>
</context>
<context>
    <name>SettingsText</name>
    <message>
        <source>%1 (nieznana)</source>
        <translation>%1 (unknown)</translation>
    </message>
</context>
<context>
    <name>TamiraPort</name>
    <message>
        <source>Tamira nie jest podłączona.</source>
        <translation>Tamira is not connected.</translation>
    </message>
    <message>
        <source>Port %1 jest zajęty przez inny program (na przykład servicetool albo drugi TAMIRAdesk).
Zamknij ten program albo poczekaj, aż skończy pracę z Tamirą, i spróbuj ponownie.</source>
        <translation>Port %1 is in use by another program (servicetool or a second TAMIRAdesk, for example).
Close that program, or wait until it has finished with Tamira, and try again.</translation>
    </message>
    <message>
        <source>Połączenie z Tamirą zostało przerwane.</source>
        <translation>The connection to Tamira was lost.</translation>
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
    <name>cMyBackupStore</name>
    <message>
        <source>nie można utworzyć folderu %1</source>
        <translation>the folder %1 cannot be created</translation>
    </message>
    <message>
        <source>nie można zapisać pliku %1: %2</source>
        <translation>the file %1 could not be saved: %2</translation>
    </message>
</context>
<context>
    <name>cMyBootloaderWatch</name>
    <message>
        <source>Tamira jest podłączona w trybie aktualizacji firmware, ale system nie pozwala programowi TAMIRAdesk się z nią porozumieć.</source>
        <translation>A Tamira is connected in its firmware-update mode, but the system does not let TAMIRAdesk talk to it.</translation>
    </message>
    <message>
        <source>Zainstaluj reguły udev programu (pakiet instaluje je sam), a potem odłącz ją i podłącz ponownie.</source>
        <translation>Install the program&apos;s udev rules (the package installs them itself), then unplug it and plug it in again.</translation>
    </message>
    <message>
        <source>Tamira jest podłączona w trybie aktualizacji firmware, ale Windows nie ma sterownika, przez który TAMIRAdesk mógłby się z nią porozumieć.</source>
        <translation>A Tamira is connected in its firmware-update mode, but Windows has no driver that lets TAMIRAdesk talk to it.</translation>
    </message>
    <message>
        <source>Zainstaluj dla niej sterownik WinUSB (np. programem Zadig) albo sterownik dołączony do programu Atmel FLIP, a potem odłącz ją i podłącz ponownie. Do normalnej pracy przywraca ją też przycisk Start Application w programie FLIP.</source>
        <translation>Install the WinUSB driver for it (with Zadig, for example) or the driver that comes with Atmel FLIP, then unplug it and plug it in again. FLIP&apos;s Start Application button also returns it to normal operation.</translation>
    </message>
    <message>
        <source>Tamira</source>
        <translation>Tamira</translation>
    </message>
</context>
<context>
    <name>cMyComparisonModel</name>
    <message>
        <source>%1, %2: %3, %4: %5</source>
        <translation>%1, %2: %3, %4: %5</translation>
    </message>
    <message>
        <source>Strona</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Nastawa</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>(pusty)</source>
        <translation>(empty)</translation>
    </message>
</context>
<context>
    <name>cMyComparisonWindow</name>
    <message>
        <source>Ten formularz</source>
        <translation>This form</translation>
    </message>
    <message>
        <source>formularz</source>
        <translation>form</translation>
    </message>
    <message>
        <source>Porównanie: formularz i Tamira</source>
        <translation>Comparison: the form and Tamira</translation>
    </message>
    <message>
        <source>Różnice między formularzem a Tamirą: %1</source>
        <translation>Differences between the form and Tamira: %1</translation>
    </message>
    <message>
        <source>Tamira zawiera te same nastawy co formularz.</source>
        <translation>Tamira holds the same settings as the form.</translation>
    </message>
    <message>
        <source>Porównanie: formularz i %1</source>
        <translation>Comparison: the form and %1</translation>
    </message>
    <message>
        <source>Różnice między formularzem a plikiem %2: %1</source>
        <translation>Differences between the form and the file %2: %1</translation>
    </message>
    <message>
        <source>%1 zawiera te same nastawy co formularz.</source>
        <translation>%1 holds the same settings as the form.</translation>
    </message>
    <message>
        <source>Porównanie: formularz i kopia zapasowa %1</source>
        <translation>Comparison: the form and the backup %1</translation>
    </message>
    <message>
        <source>Różnice między formularzem a kopią zapasową %2: %1</source>
        <translation>Differences between the form and the backup %2: %1</translation>
    </message>
    <message>
        <source>Kopia zapasowa %1 zawiera te same nastawy co formularz.</source>
        <translation>The backup %1 holds the same settings as the form.</translation>
    </message>
    <message>
        <source>Ponowny odczyt nie powiódł się: tabela pokazuje poprzedni odczyt.</source>
        <translation>Reading again failed: the table shows the earlier reading.</translation>
    </message>
    <message>
        <source>Znacznik wersji nastaw (program, który ostatnio zapisał je do Tamiry; nie jest różnicą): formularz %1, %2 %3</source>
        <translation>Settings version stamp (the program that last wrote them to a Tamira; not a difference): form %1, %2 %3</translation>
    </message>
    <message>
        <source>Różnice</source>
        <translation>Differences</translation>
    </message>
    <message>
        <source>&amp;Skopiuj tę wartość do formularza</source>
        <translation>&amp;Copy this value to the form</translation>
    </message>
    <message>
        <source>&amp;Zapisz formularz do Tamiry</source>
        <translation>&amp;Write the form to Tamira</translation>
    </message>
    <message>
        <source>&amp;Odczytaj Tamirę ponownie</source>
        <translation>&amp;Read Tamira again</translation>
    </message>
    <message>
        <source>&amp;Odczytaj plik ponownie</source>
        <translation>&amp;Read the file again</translation>
    </message>
    <message>
        <source>&amp;Przywróć tę kopię zapasową</source>
        <translation>&amp;Restore this backup</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>cMyDemoDevice</name>
    <message>
        <source>Emulator urządzenia nie odpowiada.</source>
        <translation>The device emulator does not answer.</translation>
    </message>
    <message>
        <source>Nie znaleziono emulatora urządzenia:
%1</source>
        <translation>The device emulator was not found:
%1</translation>
    </message>
    <message>
        <source>Emulator urządzenia nie podał swojego portu.</source>
        <translation>The device emulator did not name its port.</translation>
    </message>
    <message>
        <source>Emulator urządzenia uległ awarii.</source>
        <translation>The device emulator crashed.</translation>
    </message>
    <message>
        <source>Emulator urządzenia zakończył pracę (kod %1).</source>
        <translation>The device emulator ended (code %1).</translation>
    </message>
    <message>
        <source>Nie można uruchomić emulatora urządzenia:
%1</source>
        <translation>The device emulator could not be started:
%1</translation>
    </message>
</context>
<context>
    <name>cMyEditMenu</name>
    <message>
        <source>&amp;Edycja</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Cofnij</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Cofnij %1</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>&amp;Ponów</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>&amp;Ponów %1</source>
        <translation>&amp;Redo %1</translation>
    </message>
</context>
<context>
    <name>cMyFailureReporter</name>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>cMyFaultBanner</name>
    <message>
        <source>Autotest Tamiry wykrył usterkę: %1.
Nie używaj Tamiry do nurkowania, dopóki nie zostanie sprawdzona w serwisie.</source>
        <translation>Tamira&apos;s self-test found a fault: %1.
Do not use Tamira for diving until it has been serviced.</translation>
    </message>
</context>
<context>
    <name>cMyFileAccess</name>
    <message>
        <source>brak miejsca na dysku</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>plik jest za duży (osiągnięto limit wielkości pliku)</source>
        <translation>file too large (the file size limit was reached)</translation>
    </message>
    <message>
        <source>brak uprawnień</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>to nie jest zwykły plik, lecz %1</source>
        <translation>not a regular file but a %1</translation>
    </message>
    <message>
        <source>folder %1 nie istnieje</source>
        <translation>the folder %1 does not exist</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>plik specjalny</source>
        <translation>special file</translation>
    </message>
    <message>
        <source>system plików jest tylko do odczytu</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>za dużo dowiązań symbolicznych (pętla dowiązań?)</source>
        <translation>too many symbolic links (a link loop?)</translation>
    </message>
    <message>
        <source>część ścieżki nie jest folderem</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>błąd wejścia/wyjścia</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>kolejka FIFO</source>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>urządzenie</source>
        <translation>device</translation>
    </message>
    <message>
        <source>gniazdo</source>
        <translation>socket</translation>
    </message>
    <message>
        <source>w folderze nie można utworzyć nowego pliku, a starego nie da się bezpiecznie zapisać w miejscu</source>
        <translation>the folder takes no new file, and the old one is too large to be rewritten in place safely</translation>
    </message>
    <message>
        <source>%1; poprzedniej zawartości pliku nie udało się przywrócić</source>
        <translation>%1; the file&apos;s previous content could not be put back</translation>
    </message>
    <message>
        <source>dowiązanie symboliczne wskazuje nieistniejący plik</source>
        <translation>the symbolic link points to a file that does not exist</translation>
    </message>
</context>
<context>
    <name>cMyFileCommands</name>
    <message>
        <source>plik nie zawiera rekordów</source>
        <translation>the file holds no records</translation>
    </message>
    <message>
        <source>jego rekordy nie zawierają żadnego bajtu nastaw (adresy 0-1023)</source>
        <translation>its records hold no byte of the settings (addresses 0-1023)</translation>
    </message>
    <message>
        <source>nie można otworzyć pliku: %1</source>
        <translation>the file cannot be opened: %1</translation>
    </message>
    <message>
        <source>wiersz %1: to nie jest rekord Intel HEX</source>
        <translation>line %1: not an Intel HEX record</translation>
    </message>
    <message>
        <source>wiersz %1: błędna suma kontrolna</source>
        <translation>line %1: wrong checksum</translation>
    </message>
    <message>
        <source>wiersz %1: rekord adresu przenosi dane poza blok nastaw</source>
        <translation>line %1: an address record moves the data outside the settings block</translation>
    </message>
    <message>
        <source>wiersz %1: nieobsługiwany typ rekordu %2</source>
        <translation>line %1: unsupported record type %2</translation>
    </message>
    <message>
        <source>Pliki nastaw (*.tmo)</source>
        <translation>Setup file (*.tmo)</translation>
    </message>
    <message>
        <source>Otworz plik</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Wszystkie pliki (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Przywróć kopię zapasową</source>
        <translation>Restore a backup</translation>
    </message>
    <message>
        <source>Z pliku %1 nie odczytano żadnego rekordu nastaw (%2).
Nastawy, bieżący plik i tytuł okna nie zostały zmienione.</source>
        <translation>No settings record could be read from the file %1 (%2).
The settings, the current file and the window title were left as they were.</translation>
    </message>
    <message>
        <source>Odczyt pliku %1 zatrzymał się (%2).
Odczytano rekordów: %3. Pozostałe nastawy nie zostały zmienione.
Zapisz zapyta o nazwę pliku, aby nie zastąpić reszty tego pliku.</source>
        <translation>Reading the file %1 stopped (%2).
Records read: %3. The rest of the settings were left as they were.
Save will ask for a file name, so that the rest of this file is not overwritten.</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Zapisz do pliku</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1:
%2</source>
        <translation>The file %1 could not be saved:
%2</translation>
    </message>
    <message>
        <source>Tamira</source>
        <translation>Tamira</translation>
    </message>
    <message>
        <source>Plik %1 nie jest już plikiem, który został otwarty lub ostatnio zapisany: zajął jego miejsce inny plik albo dowiązanie.
Zapisać nastawy w %2, zastępując jego zawartość?</source>
        <translation>The file %1 is no longer the one that was opened or last saved: another file or a link has taken its place.
Save the settings to %2, replacing what it holds?</translation>
    </message>
    <message>
        <source>Porównaj z plikiem</source>
        <translation>Compare with file</translation>
    </message>
</context>
<context>
    <name>cMyFileComparison</name>
    <message>
        <source>TAMIRAdesk: nie można porównać pliku %1 (%2)</source>
        <translation>TAMIRAdesk: cannot compare the file %1 (%2)</translation>
    </message>
    <message>
        <source>Znacznik wersji nastaw (nie jest różnicą): %1 %2, %3 %4</source>
        <translation>Settings version stamp (not a difference): %1 %2, %3 %4</translation>
    </message>
    <message>
        <source>%1 i %2 zawierają te same nastawy.</source>
        <translation>%1 and %2 hold the same settings.</translation>
    </message>
</context>
<context>
    <name>cMyLanguageMenu</name>
    <message>
        <source>&amp;Język</source>
        <translation>&amp;Language</translation>
    </message>
</context>
<context>
    <name>cMyLatin1Note</name>
    <message>
        <source>Tamira nie zapisze tych liter; zastąpiono je: %1.</source>
        <translation>Tamira cannot store these letters; they were replaced: %1.</translation>
    </message>
</context>
<context>
    <name>cMyLibraryUpload</name>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ten plik nie jest biblioteką dźwięków.</source>
        <translation>This file is not a sound library.</translation>
    </message>
    <message>
        <source>Biblioteka dźwięków nie została wysłana.</source>
        <translation>The sound library was not sent.</translation>
    </message>
    <message>
        <source>Tamira nie podała rozmiaru swojej pamięci.
Biblioteka dźwięków nie została wysłana.</source>
        <translation>Tamira did not report the size of its memory.
The sound library was not sent.</translation>
    </message>
    <message>
        <source>Biblioteka nie zmieści się w pamięci Tamiry: sięga do %1 B, a pamięć ma %2 MB (%3 B).
Biblioteka dźwięków nie została wysłana.</source>
        <translation>The library does not fit into Tamira&apos;s memory: it reaches up to %1 B, and the memory has %2 MB (%3 B).
The sound library was not sent.</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku biblioteki.
Biblioteka dźwięków nie została wysłana.</source>
        <translation>The library file cannot be opened.
The sound library was not sent.</translation>
    </message>
    <message>
        <source>Biblioteka dźwięków w Tamirze może być niekompletna; wgraj ją ponownie.</source>
        <translation>The sound library in Tamira may be incomplete; upload it again.</translation>
    </message>
    <message>
        <source>Ten plik nie jest biblioteką dźwięków: nie składa się z rekordów Intel HEX.
Biblioteka dźwięków nie została wysłana.</source>
        <translation>This file is not a sound library: it is not made of Intel HEX records.
The sound library was not sent.</translation>
    </message>
    <message>
        <source>Plik biblioteki jest pusty: nie ma w nim żadnych danych.
Biblioteka dźwięków nie została wysłana.</source>
        <translation>The library file is empty: it holds no data.
The sound library was not sent.</translation>
    </message>
    <message>
        <source>Plik biblioteki zmienił się w trakcie wysyłania: wysłano %1 z %2 linii.
Biblioteka dźwięków w Tamirze jest niekompletna; wgraj ją ponownie.</source>
        <translation>The library file changed while it was being sent: %1 of %2 lines were sent.
The sound library in Tamira is incomplete; upload it again.</translation>
    </message>
    <message>
        <source>Biblioteka dźwięków została wysłana do Tamiry, ale jej nowy status nie został odczytany.</source>
        <translation>The sound library was sent to Tamira, but its new status could not be read.</translation>
    </message>
    <message>
        <source>Ten plik jest plikiem nastaw, nie biblioteką dźwięków: wszystkie jego dane leżą w bloku nastaw (adresy 0-1023).
Biblioteka dźwięków nie została wysłana.</source>
        <translation>This file is a settings file, not a sound library: all its data lie in the settings block (addresses 0-1023).
The sound library was not sent.</translation>
    </message>
</context>
<context>
    <name>cMyLocalPort</name>
    <message>
        <source>Port jest już otwarty.</source>
        <translation>The port is already open.</translation>
    </message>
    <message>
        <source>Nie ma takiego urządzenia.</source>
        <translation>There is no such device.</translation>
    </message>
    <message>
        <source>Port jest używany przez inny program.</source>
        <translation>The port is in use by another program.</translation>
    </message>
</context>
<context>
    <name>cMyNoDevicePanel</name>
    <message>
        <source>Nie wykryto Tamiry</source>
        <translation>No Tamira found</translation>
    </message>
    <message>
        <source>Podłącz Tamirę do komputera kablem USB. Gdy zostanie wykryta, jej stan pojawi się na tej stronie.

Bez urządzenia program można wypróbować na Tamirze demonstracyjnej.</source>
        <translation>Connect your Tamira to the computer with its USB cable. Once it is found, its status appears on this page.

Without a device, you can try the program on a demo Tamira.</translation>
    </message>
    <message>
        <source>&amp;Wypróbuj bez urządzenia</source>
        <translation>&amp;Try without a device</translation>
    </message>
    <message>
        <source>Tamira w trybie aktualizacji firmware</source>
        <translation>Tamira in firmware-update mode</translation>
    </message>
</context>
<context>
    <name>cMyPageSwitcher</name>
    <message>
        <source>&amp;Widok</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Następna strona</source>
        <translation>&amp;Next page</translation>
    </message>
    <message>
        <source>&amp;Poprzednia strona</source>
        <translation>&amp;Previous page</translation>
    </message>
</context>
<context>
    <name>cMyPortSelect</name>
    <message>
        <source>Brak urządzeń</source>
        <translation>No devices found</translation>
    </message>
    <message>
        <source>Tamira demonstracyjna (%1)</source>
        <translation>Demo Tamira (%1)</translation>
    </message>
</context>
<context>
    <name>cMyRecentFiles</name>
    <message>
        <source>Ostatnie p&amp;liki</source>
        <translation>Recent &amp;files</translation>
    </message>
    <message>
        <source>&amp;Wyczyść listę ostatnich plików</source>
        <translation>&amp;Clear recent files</translation>
    </message>
</context>
<context>
    <name>cMyRecovery</name>
    <message>
        <source>bez nazwy</source>
        <translation>untitled</translation>
    </message>
    <message>
        <source>TAMIRAdesk został zatrzymany z niezapisanymi zmianami w pliku %1 (%2). Otworzyć je?</source>
        <translation>TAMIRAdesk was stopped with unsaved changes to %1 (%2). Open them?</translation>
    </message>
</context>
<context>
    <name>cMySelfTest</name>
    <message>
        <source>Tamira nie działa</source>
        <translation>Tamira does not work</translation>
    </message>
    <message>
        <source>czujnik ciśnienia</source>
        <translation>pressure sensor</translation>
    </message>
    <message>
        <source>układ audio</source>
        <translation>audio codec</translation>
    </message>
    <message>
        <source>pamięć flash</source>
        <translation>FLASH memory</translation>
    </message>
    <message>
        <source>spójność nastaw</source>
        <translation>setup</translation>
    </message>
    <message>
        <source>biblioteka audio</source>
        <translation>sound library</translation>
    </message>
    <message>
        <source>komunikaty użytkownika</source>
        <translation>custom messages library</translation>
    </message>
    <message>
        <source>firmware</source>
        <translation>firmware</translation>
    </message>
</context>
<context>
    <name>cMySettingsComparison</name>
    <message>
        <source> … (bajtów: %1)</source>
        <translation> … (%1 bytes)</translation>
    </message>
    <message>
        <source>Inny bajt pod adresem %1</source>
        <translation>Other byte at %1</translation>
    </message>
    <message>
        <source>Inne bajty pod adresami %1-%2</source>
        <translation>Other bytes at %1-%2</translation>
    </message>
</context>
<context>
    <name>cMySettingsReader</name>
    <message>
        <source>Nastawy w programie nie zostały zmienione.</source>
        <translation>The settings in the program were not changed.</translation>
    </message>
    <message>
        <source>Tamira nie podała wszystkich swoich nastaw, więc nie można ich porównać.</source>
        <translation>Tamira did not give all of its settings, so they cannot be compared.</translation>
    </message>
</context>
<context>
    <name>cMySettingsWriter</name>
    <message>
        <source>Kopia zapasowa nastaw z tamiry..</source>
        <translation>Backing up Tamira&apos;s settings..</translation>
    </message>
    <message>
        <source>Nic nie zostało zapisane do Tamiry.</source>
        <translation>Nothing was written to Tamira.</translation>
    </message>
    <message>
        <source>Tamira nie podała swojego numeru seryjnego, więc kopia zapasowa jej nastaw nie powstała.
Nic nie zostało zapisane do Tamiry.</source>
        <translation>Tamira did not report its serial number, so no backup of its settings was made.
Nothing was written to Tamira.</translation>
    </message>
    <message>
        <source>Weryfikacja zapisu..</source>
        <translation>Verifying..</translation>
    </message>
    <message>
        <source>Nastawy zostały zapisane, ale nie zostały sprawdzone.
Kopia poprzednich nastaw: %1</source>
        <translation>The settings were written but not verified.
Backup of the previous settings: %1</translation>
    </message>
    <message>
        <source>Nie udało się odczytać wszystkich nastaw z Tamiry, więc kopia zapasowa nie powstała.
Nic nie zostało zapisane do Tamiry.</source>
        <translation>Not all of Tamira&apos;s settings could be read, so no backup was made.
Nothing was written to Tamira.</translation>
    </message>
    <message>
        <source>Nie można zapisać kopii zapasowej nastaw Tamiry: %1.
Nic nie zostało zapisane do Tamiry.</source>
        <translation>The backup of Tamira&apos;s settings cannot be saved: %1.
Nothing was written to Tamira.</translation>
    </message>
    <message>
        <source>Zapis do tamiry..</source>
        <translation>Download..</translation>
    </message>
    <message>
        <source>Tamira może teraz zawierać niekompletne nastawy; zapisz je ponownie.
Kopia poprzednich nastaw: %1</source>
        <translation>Tamira may now hold incomplete settings; write them again.
Backup of the previous settings: %1</translation>
    </message>
    <message>
        <source>Weryfikacja zapisu nie powiodła się: bajt pod adresem 0x%1 w Tamirze różni się od zapisanego.
Kopia poprzednich nastaw: %2</source>
        <translation>Verification failed: the byte at address 0x%1 in Tamira differs from the one written.
Backup of the previous settings: %2</translation>
    </message>
    <message>
        <source>Zapis do Tamiry został przerwany.</source>
        <translation>The write to Tamira was cancelled.</translation>
    </message>
    <message>
        <source>Weryfikacja zapisu została przerwana.</source>
        <translation>The verification of the write was cancelled.</translation>
    </message>
</context>
<context>
    <name>cMySimProfile</name>
    <message>
        <source>Czas [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <source>Głębokość [m]</source>
        <translation>Depth [m]</translation>
    </message>
    <message>
        <source>Prędkość [m/s]</source>
        <translation>Speed [m/s]</translation>
    </message>
    <message>
        <source>Głębokość</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Prędkość</source>
        <translation>Vertical speed</translation>
    </message>
    <message>
        <source>maks. %1 m</source>
        <translation>max %1 m</translation>
    </message>
    <message>
        <source>brak próbek</source>
        <translation>no samples yet</translation>
    </message>
    <message>
        <source>najgłębiej %1 m po %2 s, %3 s od startu</source>
        <translation>deepest %1 m at %2 s, %3 s so far</translation>
    </message>
    <message>
        <source>na powierzchni, %1 s od startu</source>
        <translation>at the surface, %1 s so far</translation>
    </message>
    <message>
        <source>Profil nurkowania</source>
        <translation>Dive profile</translation>
    </message>
</context>
<context>
    <name>cMySimProfileSaver</name>
    <message>
        <source>Zapisz profil nurkowania</source>
        <translation>Save dive profile</translation>
    </message>
    <message>
        <source>Pliki CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Plik %1 już istnieje.
Czy chcesz go zastąpić?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Zapisywanie profilu w %1...</source>
        <translation>Saving the profile to %1...</translation>
    </message>
    <message>
        <source>Profil zapisany w %1.</source>
        <translation>Profile saved to %1.</translation>
    </message>
    <message>
        <source>Nie można zapisać profilu w %1: %2</source>
        <translation>Cannot save the profile to %1: %2</translation>
    </message>
    <message>
        <source>profil-nurkowania-%1.csv</source>
        <translation>dive-profile-%1.csv</translation>
    </message>
</context>
<context>
    <name>cMySimStartGuard</name>
    <message>
        <source>nieznany (status Tamiry nie został odczytany)</source>
        <translation>unknown (Tamira&apos;s status has not been read)</translation>
    </message>
    <message>
        <source>Zatrzymanie symulacji wyczyści statystyki nurkowań w Tamirze, tak jak polecenie „Wyczyść statystyki”:
  maksymalna głębokość: %1
  czas nurkowania: %2
Czy chcesz rozpocząć symulację?</source>
        <translation>Stopping the simulation clears the dive statistics in Tamira, as &quot;Clear statistics&quot; does:
  maximum depth: %1
  dive time: %2
Do you want to start the simulation?</translation>
    </message>
    <message>
        <source>Start symulacji</source>
        <translation>Start simulation</translation>
    </message>
    <message>
        <source>odczyt statusu Tamiry</source>
        <translation>reading Tamira&apos;s status</translation>
    </message>
    <message>
        <source>odczyt z Tamiry</source>
        <translation>reading from Tamira</translation>
    </message>
    <message>
        <source>zapis do Tamiry</source>
        <translation>writing to Tamira</translation>
    </message>
    <message>
        <source>polecenie dla Tamiry</source>
        <translation>a command to Tamira</translation>
    </message>
</context>
<context>
    <name>cMySimWidget</name>
    <message>
        <source>Głębokość aktualna</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Głębokość maksymalna</source>
        <translation>Depth max</translation>
    </message>
    <message>
        <source>Głębokość średnia</source>
        <translation>Depth avg</translation>
    </message>
    <message>
        <source>Ciśnienie aktualne</source>
        <translation>Absolute pressure</translation>
    </message>
    <message>
        <source>Ciśnienie na powierzchni</source>
        <translation>Atmospheric pressure</translation>
    </message>
    <message>
        <source>Prędkość aktualna</source>
        <translation>Vertical speed</translation>
    </message>
    <message>
        <source>Prędkość min.</source>
        <translation>Ascent speed max</translation>
    </message>
    <message>
        <source>Prędkość max.</source>
        <translation>Descent speed max</translation>
    </message>
    <message>
        <source>Prędkość średnia wynurzania</source>
        <translation>Ascent speed avg</translation>
    </message>
    <message>
        <source>Prędkość średnia zanurzania</source>
        <translation>Descent speed avg</translation>
    </message>
    <message>
        <source>Czas nurkowania</source>
        <translation>Dive time</translation>
    </message>
    <message>
        <source>Czas spędzony na powierzchni</source>
        <translation>Surface time</translation>
    </message>
    <message>
        <source>Czas zanurzania</source>
        <translation>Descent time</translation>
    </message>
    <message>
        <source>Czas spędzony na dnie</source>
        <translation>Bottom time</translation>
    </message>
    <message>
        <source>Czas wynurzania</source>
        <translation>Ascent time</translation>
    </message>
    <message>
        <source>Stoper 0</source>
        <translation>Stopwatch 0</translation>
    </message>
    <message>
        <source>5.00 m/s</source>
        <translation>+5.00 m/s</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>Start symulacji</source>
        <translation>START simulation</translation>
    </message>
    <message>
        <source>Stop symulacji</source>
        <translation>STOP simulation</translation>
    </message>
    <message>
        <source>Profil nurkowania</source>
        <translation>Dive profile</translation>
    </message>
    <message>
        <source>Zapisz profil...</source>
        <translation>Save profile...</translation>
    </message>
    <message>
        <source>Symulacja nie została uruchomiona: nie wybrano portu Tamiry.</source>
        <translation>Simulation not started: no Tamira port is chosen.</translation>
    </message>
    <message>
        <source>Symulacja nie została uruchomiona: nie można otworzyć portu %1 (%2).</source>
        <translation>Simulation not started: cannot open port %1 (%2).</translation>
    </message>
    <message>
        <source>Symulacja przerwana: nieczytelna odpowiedź Tamiry na odczyt ciśnienia na powierzchni.</source>
        <translation>Simulation stopped: Tamira&apos;s answer to the surface pressure read cannot be understood.</translation>
    </message>
    <message>
        <source>Symulacja przerwana: Tamira nie odpowiada.</source>
        <translation>Simulation stopped: Tamira does not answer.</translation>
    </message>
    <message>
        <source>Symulacja przerwana: Tamira odpowiedziała nieprawidłowo.</source>
        <translation>Simulation stopped: Tamira gave an invalid reply.</translation>
    </message>
    <message>
        <source>Zadana prędkość pionowa</source>
        <translation>Set vertical speed</translation>
    </message>
    <message>
        <source>Port Tamiry jest zajęty (%1); symulacja rozpocznie się, gdy się zakończy.</source>
        <translation>Tamira&apos;s port is busy (%1); the simulation starts when that has ended.</translation>
    </message>
    <message>
        <source>Symulacja nie została uruchomiona.</source>
        <translation>Simulation not started.</translation>
    </message>
    <message>
        <source>Symulacja przerwana: Tamira nadaje bez końca i nie kończy odpowiedzi.</source>
        <translation>Simulation stopped: Tamira keeps sending without ever finishing its answer.</translation>
    </message>
    <message>
        <source>Symulacja zatrzymana, zanim Tamira odpowiedziała; Tamira może pozostać w trybie symulacji (odłącz ją i podłącz ponownie).</source>
        <translation>Simulation stopped before Tamira answered; Tamira may still be in simulation mode (unplug it and plug it in again).</translation>
    </message>
    <message>
        <source>Symulacja przerwana: połączenie z Tamirą zostało przerwane.</source>
        <translation>Simulation stopped: the connection to Tamira was lost.</translation>
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
<context>
    <name>cMyTamira</name>
    <message>
        <source>Tamira nie odpowiada.</source>
        <translation>Tamira does not answer.</translation>
    </message>
    <message>
        <source>Lista portów zmieniła się (podłączono lub odłączono urządzenie) i transmisja została przerwana.</source>
        <translation>The list of ports changed (a device was plugged in or unplugged) and the transfer was stopped.</translation>
    </message>
    <message>
        <source>Nie można odczytać dalszych danych do wysłania.</source>
        <translation>The rest of the data to send cannot be read.</translation>
    </message>
    <message>
        <source>Tamira odpowiedziała nieprawidłowo.</source>
        <translation>Tamira gave an invalid reply.</translation>
    </message>
    <message>
        <source>Port Tamiry jest zajęty: trwa symulacja nurkowania.
Zatrzymaj symulację i spróbuj ponownie.</source>
        <translation>Tamira&apos;s port is busy: a dive simulation is running.
Stop the simulation and try again.</translation>
    </message>
    <message>
        <source>program odczytuje stan Tamiry</source>
        <translation>the program is reading Tamira&apos;s status</translation>
    </message>
    <message>
        <source>program odczytuje dane z Tamiry</source>
        <translation>the program is reading data from Tamira</translation>
    </message>
    <message>
        <source>program zapisuje dane do Tamiry</source>
        <translation>the program is writing data to Tamira</translation>
    </message>
    <message>
        <source>program wysyła polecenie do Tamiry</source>
        <translation>the program is sending a command to Tamira</translation>
    </message>
    <message>
        <source>Port Tamiry jest zajęty: %1.
Poczekaj, aż skończy, i spróbuj ponownie.</source>
        <translation>Tamira&apos;s port is busy: %1.
Wait until it has finished and try again.</translation>
    </message>
    <message>
        <source>Tamira wysyła dane, które nie są odpowiedzią.</source>
        <translation>Tamira is sending data that is not an answer.</translation>
    </message>
    <message>
        <source>Tamira od %1 s zgłasza, że jest zajęta, ale nie odpowiada.</source>
        <translation>For %1 s Tamira has been saying it is busy, but it does not answer.</translation>
    </message>
</context>
<context>
    <name>cMyTamiraStatus</name>
    <message>
        <source>Status urządzenia</source>
        <translation>Device status</translation>
    </message>
    <message>
        <source>Autotest</source>
        <translation>Self-test</translation>
    </message>
    <message>
        <source>Tamira:</source>
        <translation>Tamira:</translation>
    </message>
    <message>
        <source>Czujnik ciśnienia:</source>
        <translation>Pressure sensor:</translation>
    </message>
    <message>
        <source>Układ audio:</source>
        <translation>Audio codec:</translation>
    </message>
    <message>
        <source>Pamięć flash:</source>
        <translation>FLASH:</translation>
    </message>
    <message>
        <source>Spójność nastaw:</source>
        <translation>Setup:</translation>
    </message>
    <message>
        <source>Biblioteka audio:</source>
        <translation>Sound library:</translation>
    </message>
    <message>
        <source>Komunikaty użytkownika:</source>
        <translation>Custom messages library:</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Firmware:</translation>
    </message>
    <message>
        <source>Zamknij</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Tamira działa</source>
        <translation>Self-test... Passed</translation>
    </message>
    <message>
        <source>Tamira nie działa</source>
        <translation>Self-test... Error</translation>
    </message>
    <message>
        <source>Awaria</source>
        <translation>Faulty</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Usterka</source>
        <translation>Fault</translation>
    </message>
    <message>
        <source>usterka</source>
        <translation>fault</translation>
    </message>
</context>
<context>
    <name>cMyUnsavedChanges</name>
    <message>
        <source>Tamira</source>
        <translation>Tamira</translation>
    </message>
    <message>
        <source>Zachować zmiany?</source>
        <translation>Do you want to save changes?</translation>
    </message>
    <message>
        <source>zanim powstanie nowy dokument</source>
        <translation>before a new document is started</translation>
    </message>
    <message>
        <source>zanim zostanie otwarty inny plik</source>
        <translation>before another file is opened</translation>
    </message>
    <message>
        <source>zanim zostanie wczytana kopia zapasowa</source>
        <translation>before a backup is loaded</translation>
    </message>
    <message>
        <source>zanim nastawy zostaną odczytane z Tamiry</source>
        <translation>before the settings are read from Tamira</translation>
    </message>
    <message>
        <source>zanim zostanie otwarty plik %1</source>
        <translation>before %1 is opened</translation>
    </message>
    <message>
        <source>zanim okno zostanie zamknięte</source>
        <translation>before the window closes</translation>
    </message>
    <message>
        <source>Zmiany w nowym dokumencie zostaną zapisane (Tak) albo porzucone (Nie), %1.</source>
        <translation>The changes to the new document are saved (Yes) or discarded (No) %1.</translation>
    </message>
    <message>
        <source>Zmiany w pliku %1 zostaną zapisane (Tak) albo porzucone (Nie), %2.</source>
        <translation>The changes to %1 are saved (Yes) or discarded (No) %2.</translation>
    </message>
</context>
<context>
    <name>cMyValueMark</name>
    <message>
        <source>Zapisana wartość jest poza dozwolonym zakresem %1 – %2%3.</source>
        <translation>The stored value is outside the allowed range %1 – %2%3.</translation>
    </message>
    <message>
        <source>Zapisanej wartości %1 nie ma na liście.</source>
        <translation>The stored value %1 is not in the list.</translation>
    </message>
</context>
</TS>
