<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en_GB">
<context>
    <name>ValueList</name>
    <message>
        <source>anytime</source>
        <translation>zawsze</translation>
    </message>
    <message>
        <source>underwater</source>
        <translation>pod wodą</translation>
    </message>
    <message>
        <source>on the surface</source>
        <translation>na powierzchni</translation>
    </message>
    <message>
        <source>at the beginning of dive</source>
        <translation>na początku nurkowania</translation>
    </message>
    <message>
        <source>at the end of dive</source>
        <translation>na końcu nurkowania</translation>
    </message>
    <message>
        <source>during descent</source>
        <translation>podczas zanurzania</translation>
    </message>
    <message>
        <source>on the bottom</source>
        <translation>na dnie</translation>
    </message>
    <message>
        <source>during ascent</source>
        <translation>podczas wynurzania</translation>
    </message>
    <message>
        <source>at the switch on</source>
        <translation>przy włączeniu</translation>
    </message>
    <message>
        <source>at the switch off</source>
        <translation>przy wyłączeniu</translation>
    </message>
    <message>
        <source>at the beginning of charging</source>
        <translation>na początku ładowania</translation>
    </message>
    <message>
        <source>during charging</source>
        <translation>podczas ładowania</translation>
    </message>
    <message>
        <source>at the end of charging</source>
        <translation>na końcu ładowania</translation>
    </message>
    <message>
        <source>if stopwatch 0 is counting</source>
        <translation>gdy stoper 0 liczy</translation>
    </message>
    <message>
        <source>if timer 1 is counting</source>
        <translation>gdy timer 1 liczy</translation>
    </message>
    <message>
        <source>if timer 2 is counting</source>
        <translation>gdy timer 2 liczy</translation>
    </message>
    <message>
        <source>if timer 3 is counting</source>
        <translation>gdy timer 3 liczy</translation>
    </message>
    <message>
        <source>if stopwatch 0 is stopped</source>
        <translation>gdy stoper 0 jest zatrzymany</translation>
    </message>
    <message>
        <source>if timer 1 is stopped</source>
        <translation>gdy timer 1 jest zatrzymany</translation>
    </message>
    <message>
        <source>if timer 2 is stopped</source>
        <translation>gdy timer 2 jest zatrzymany</translation>
    </message>
    <message>
        <source>if timer 3 is stopped</source>
        <translation>gdy timer 3 jest zatrzymany</translation>
    </message>
    <message>
        <source>if timer 1 passed</source>
        <translation>gdy timer 1 minął</translation>
    </message>
    <message>
        <source>if timer 2 passed</source>
        <translation>gdy timer 2 minął</translation>
    </message>
    <message>
        <source>if timer 3 passed</source>
        <translation>gdy timer 3 minął</translation>
    </message>
    <message>
        <source>never</source>
        <translation>nigdy</translation>
    </message>
    <message>
        <source>Regardless of any value</source>
        <translation>Bez względu na wartość</translation>
    </message>
    <message>
        <source>Absolute pressure</source>
        <translation>Ciśnienie bezwzględne</translation>
    </message>
    <message>
        <source>Absolute pressure min</source>
        <translation>Ciśnienie bezwzględne min</translation>
    </message>
    <message>
        <source>Absolute pressure max</source>
        <translation>Ciśnienie bezwzględne maks</translation>
    </message>
    <message>
        <source>Absolute pressure avg</source>
        <translation>Ciśnienie bezwzględne średnie</translation>
    </message>
    <message>
        <source>Absolute pressure MIN</source>
        <translation>Ciśnienie bezwzględne MIN</translation>
    </message>
    <message>
        <source>Absolute pressure MAX</source>
        <translation>Ciśnienie bezwzględne MAKS</translation>
    </message>
    <message>
        <source>Atmospheric pressure</source>
        <translation>Ciśnienie atmosferyczne</translation>
    </message>
    <message>
        <source>Atmospheric pressure min</source>
        <translation>Ciśnienie atmosferyczne min</translation>
    </message>
    <message>
        <source>Atmospheric pressure max</source>
        <translation>Ciśnienie atmosferyczne maks</translation>
    </message>
    <message>
        <source>Atmospheric pressure avg</source>
        <translation>Ciśnienie atmosferyczne średnie</translation>
    </message>
    <message>
        <source>Atmospheric pressure MIN</source>
        <translation>Ciśnienie atmosferyczne MIN</translation>
    </message>
    <message>
        <source>Atmospheric pressure MAX</source>
        <translation>Ciśnienie atmosferyczne MAKS</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperatura</translation>
    </message>
    <message>
        <source>Temperature min</source>
        <translation>Temperatura min</translation>
    </message>
    <message>
        <source>Temperature max</source>
        <translation>Temperatura maks</translation>
    </message>
    <message>
        <source>Temperature avg</source>
        <translation>Temperatura średnia</translation>
    </message>
    <message>
        <source>Temperature MIN</source>
        <translation>Temperatura MIN</translation>
    </message>
    <message>
        <source>Temperature MAX</source>
        <translation>Temperatura MAKS</translation>
    </message>
    <message>
        <source>Battery level</source>
        <translation>Poziom baterii</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>Głębokość</translation>
    </message>
    <message>
        <source>Depth max</source>
        <translation>Głębokość maks</translation>
    </message>
    <message>
        <source>Depth avg</source>
        <translation>Głębokość średnia</translation>
    </message>
    <message>
        <source>Depth MAX</source>
        <translation>Głębokość MAKS</translation>
    </message>
    <message>
        <source>Dive time</source>
        <translation>Czas nurkowania</translation>
    </message>
    <message>
        <source>Surface time</source>
        <translation>Czas na powierzchni</translation>
    </message>
    <message>
        <source>Descent time</source>
        <translation>Czas zanurzania</translation>
    </message>
    <message>
        <source>Bottom time</source>
        <translation>Czas na dnie</translation>
    </message>
    <message>
        <source>Ascent time</source>
        <translation>Czas wynurzania</translation>
    </message>
    <message>
        <source>Dive time MAX</source>
        <translation>Czas nurkowania MAKS</translation>
    </message>
    <message>
        <source>Dive time Total</source>
        <translation>Czas nurkowania łącznie</translation>
    </message>
    <message>
        <source>Vertical speed</source>
        <translation>Prędkość pionowa</translation>
    </message>
    <message>
        <source>Ascent speed max</source>
        <translation>Prędkość wynurzania maks</translation>
    </message>
    <message>
        <source>Descent speed max</source>
        <translation>Prędkość zanurzania maks</translation>
    </message>
    <message>
        <source>Ascent speed avg</source>
        <translation>Prędkość wynurzania średnia</translation>
    </message>
    <message>
        <source>Descent speed avg</source>
        <translation>Prędkość zanurzania średnia</translation>
    </message>
    <message>
        <source>Ascent speed MAX</source>
        <translation>Prędkość wynurzania MAKS</translation>
    </message>
    <message>
        <source>Descent speed MAX</source>
        <translation>Prędkość zanurzania MAKS</translation>
    </message>
    <message>
        <source>Stopwatch 0</source>
        <translation>Stoper 0</translation>
    </message>
    <message>
        <source>Timer 1</source>
        <translation>Timer 1</translation>
    </message>
    <message>
        <source>Timer 2</source>
        <translation>Timer 2</translation>
    </message>
    <message>
        <source>Timer 3</source>
        <translation>Timer 3</translation>
    </message>
    <message>
        <source>&gt;=</source>
        <translation>&gt;=</translation>
    </message>
    <message>
        <source>&lt;=</source>
        <translation>&lt;=</translation>
    </message>
    <message>
        <source>Battery charging started</source>
        <translation>Ładowanie baterii rozpoczęte</translation>
    </message>
    <message>
        <source>Battery charging interrupted</source>
        <translation>Ładowanie baterii przerwane</translation>
    </message>
    <message>
        <source>Battery charging completed</source>
        <translation>Ładowanie baterii zakończone</translation>
    </message>
    <message>
        <source>Swim faster</source>
        <translation>Płyń szybciej</translation>
    </message>
    <message>
        <source>Swim slower</source>
        <translation>Płyń wolniej</translation>
    </message>
    <message>
        <source>Relax yourself</source>
        <translation>Rozluźnij się</translation>
    </message>
    <message>
        <source>Prepare yourself</source>
        <translation>Przygotuj się</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Skup się</translation>
    </message>
    <message>
        <source>Attention</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Dno</translation>
    </message>
    <message>
        <source>Freefall</source>
        <translation>Swobodne opadanie</translation>
    </message>
    <message>
        <source>Mouthfill</source>
        <translation>Mouthfill</translation>
    </message>
    <message>
        <source>Official top</source>
        <translation>Oficjalny start</translation>
    </message>
    <message>
        <source>Breathe!</source>
        <translation>Oddychaj!</translation>
    </message>
    <message>
        <source>Surface protocol</source>
        <translation>Protokół powierzchniowy</translation>
    </message>
    <message>
        <source>Remove mask</source>
        <translation>Zdejmij maskę</translation>
    </message>
    <message>
        <source>Remove goggles</source>
        <translation>Zdejmij gogle</translation>
    </message>
    <message>
        <source>Remove noseclip</source>
        <translation>Zdejmij klips z nosa</translation>
    </message>
    <message>
        <source>Remove facial equipment</source>
        <translation>Zdejmij sprzęt z twarzy</translation>
    </message>
    <message>
        <source>Show OK</source>
        <translation>Pokaż OK</translation>
    </message>
    <message>
        <source>Say I'm OK</source>
        <translation>Powiedz „I'm OK”</translation>
    </message>
    <message>
        <source>Custom message 1</source>
        <translation>Komunikat własny 1</translation>
    </message>
    <message>
        <source>Custom message 2</source>
        <translation>Komunikat własny 2</translation>
    </message>
    <message>
        <source>Custom message 3</source>
        <translation>Komunikat własny 3</translation>
    </message>
    <message>
        <source>Custom message 4</source>
        <translation>Komunikat własny 4</translation>
    </message>
    <message>
        <source>Custom message 5</source>
        <translation>Komunikat własny 5</translation>
    </message>
    <message>
        <source>Custom message 6</source>
        <translation>Komunikat własny 6</translation>
    </message>
    <message>
        <source>Custom message 7</source>
        <translation>Komunikat własny 7</translation>
    </message>
    <message>
        <source>Custom message 8</source>
        <translation>Komunikat własny 8</translation>
    </message>
    <message>
        <source>Do nothing</source>
        <translation>Nic nie rób</translation>
    </message>
    <message>
        <source>(value &amp; point)</source>
        <translation>(wartość &amp; przecinek)</translation>
    </message>
    <message>
        <source>(value &amp; point &amp; unit)</source>
        <translation>(wartość &amp; przecinek &amp; jednostka)</translation>
    </message>
    <message>
        <source>(value)</source>
        <translation>(wartość)</translation>
    </message>
    <message>
        <source>(value &amp; unit)</source>
        <translation>(wartość &amp; jednostka)</translation>
    </message>
    <message>
        <source>(caption &amp; value &amp; point)</source>
        <translation>(nazwa &amp; wartość &amp; przecinek)</translation>
    </message>
    <message>
        <source>(caption &amp; value &amp; point &amp; unit)</source>
        <translation>(nazwa &amp; wartość &amp; przecinek &amp; jednostka)</translation>
    </message>
    <message>
        <source>(caption &amp; value)</source>
        <translation>(nazwa &amp; wartość)</translation>
    </message>
    <message>
        <source>(caption &amp; value &amp; unit)</source>
        <translation>(nazwa &amp; wartość &amp; jednostka)</translation>
    </message>
    <message>
        <source>only once</source>
        <translation>tylko raz</translation>
    </message>
    <message>
        <source>every period A</source>
        <translation>co okres A</translation>
    </message>
    <message>
        <source>every period B</source>
        <translation>co okres B</translation>
    </message>
    <message>
        <source>every period C</source>
        <translation>co okres C</translation>
    </message>
    <message>
        <source>every period D</source>
        <translation>co okres D</translation>
    </message>
    <message>
        <source>every distance E</source>
        <translation>co dystans E</translation>
    </message>
    <message>
        <source>every distance F</source>
        <translation>co dystans F</translation>
    </message>
    <message>
        <source>every distance G</source>
        <translation>co dystans G</translation>
    </message>
    <message>
        <source>every distance H</source>
        <translation>co dystans H</translation>
    </message>
    <message>
        <source>still</source>
        <translation>ciągle</translation>
    </message>
    <message>
        <source>1 [Hz]</source>
        <translation>1 [Hz]</translation>
    </message>
    <message>
        <source>2 [Hz]</source>
        <translation>2 [Hz]</translation>
    </message>
    <message>
        <source>3 [Hz]</source>
        <translation>3 [Hz]</translation>
    </message>
    <message>
        <source>4 [Hz]</source>
        <translation>4 [Hz]</translation>
    </message>
    <message>
        <source>5 [Hz]</source>
        <translation>5 [Hz]</translation>
    </message>
    <message>
        <source>10 [Hz]</source>
        <translation>10 [Hz]</translation>
    </message>
    <message>
        <source>5 [min]</source>
        <translation>5 [min]</translation>
    </message>
    <message>
        <source>10 [min]</source>
        <translation>10 [min]</translation>
    </message>
    <message>
        <source>30 [min]</source>
        <translation>30 [min]</translation>
    </message>
    <message>
        <source>1 [h]</source>
        <translation>1 [h]</translation>
    </message>
    <message>
        <source>2 [h]</source>
        <translation>2 [h]</translation>
    </message>
    <message>
        <source>5 [h]</source>
        <translation>5 [h]</translation>
    </message>
    <message>
        <source>12 [h]</source>
        <translation>12 [h]</translation>
    </message>
    <message>
        <source>1 [s]</source>
        <translation>1 [s]</translation>
    </message>
    <message>
        <source>2 [s]</source>
        <translation>2 [s]</translation>
    </message>
    <message>
        <source>4 [s]</source>
        <translation>4 [s]</translation>
    </message>
    <message>
        <source>8 [s]</source>
        <translation>8 [s]</translation>
    </message>
    <message>
        <source>Constant</source>
        <translation>Stała</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Avg</source>
        <translation>Średnia</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Bieżąca</translation>
    </message>
    <message>
        <source>Stopwatch 0 - START</source>
        <translation>Stoper 0 - START</translation>
    </message>
    <message>
        <source>Timer 1 - START</source>
        <translation>Timer 1 - START</translation>
    </message>
    <message>
        <source>Timer 2 - START</source>
        <translation>Timer 2 - START</translation>
    </message>
    <message>
        <source>Timer 3 - START</source>
        <translation>Timer 3 - START</translation>
    </message>
    <message>
        <source>Stopwatch 0 - STOP</source>
        <translation>Stoper 0 - STOP</translation>
    </message>
    <message>
        <source>Timer 1 - STOP</source>
        <translation>Timer 1 - STOP</translation>
    </message>
    <message>
        <source>Timer 2 - STOP</source>
        <translation>Timer 2 - STOP</translation>
    </message>
    <message>
        <source>Timer 3 - STOP</source>
        <translation>Timer 3 - STOP</translation>
    </message>
    <message>
        <source>Stopwatch 0 - Continue</source>
        <translation>Stoper 0 - Wznów</translation>
    </message>
    <message>
        <source>Timer 1 - Continue</source>
        <translation>Timer 1 - Wznów</translation>
    </message>
    <message>
        <source>Timer 2 - Continue</source>
        <translation>Timer 2 - Wznów</translation>
    </message>
    <message>
        <source>Timer 3 - Continue</source>
        <translation>Timer 3 - Wznów</translation>
    </message>
</context>
</TS>
