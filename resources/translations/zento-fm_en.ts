<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="pl_PL">
<context>
    <name>ChartImage</name>
    <message>
        <source>Pliki obrazu (.bmp)|*.bmp</source>
        <translation>Image files (.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>Nie można zapisać wykresu do pliku %1</source>
        <translation>Cannot save the chart to the file %1</translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>t</source>
        <translation>t</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1: %2</source>
        <translation>Cannot open the file %1: %2</translation>
    </message>
    <message>
        <source>Błąd odczytu pliku %1: %2</source>
        <translation>Error reading the file %1: %2</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>zapis przerwany</source>
        <translation>saving cancelled</translation>
    </message>
    <message>
        <source>Za mało pamięci, aby wczytać cały plik %1</source>
        <translation>Not enough memory to read the whole file %1</translation>
    </message>
</context>
<context>
    <name>DataFileOpening</name>
    <message>
        <source>Otwórz dane</source>
        <translation>Open data</translation>
    </message>
    <message>
        <source>Wczytywanie danych...</source>
        <translation>Reading data...</translation>
    </message>
    <message>
        <source>Za mało pamięci na test z pliku %1</source>
        <translation>Not enough memory for a test of the file %1</translation>
    </message>
</context>
<context>
    <name>DeviceModel</name>
    <message>
        <source>Czas próbkowania</source>
        <translation>Sampling time</translation>
    </message>
    <message>
        <source>Liczba próbek</source>
        <translation>Number of samples</translation>
    </message>
</context>
<context>
    <name>GaugeExchange</name>
    <message>
        <source>Niedostępne w czasie pomiaru on-line</source>
        <translation>Not available during an on-line measurement</translation>
    </message>
</context>
<context>
    <name>InstrumentPanel</name>
    <message>
        <source>karta SD</source>
        <translation>SD card</translation>
    </message>
    <message>
        <source>Model urządzenia:</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Taruj</source>
        <translation>Tare</translation>
    </message>
    <message>
        <source>Włącz / wyłącz</source>
        <translation>On / off</translation>
    </message>
    <message>
        <source>Czuwanie</source>
        <translation>Stand-by</translation>
    </message>
    <message>
        <source>Tryb PEAK</source>
        <translation>PEAK mode</translation>
    </message>
    <message>
        <source>Zapis do pamięci</source>
        <translation>Store in memory</translation>
    </message>
    <message>
        <source> Pomiar on-line</source>
        <translation> On-line measurement</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Rozpoczyna pomiar automatyczny</source>
        <translation>Starts the automatic measurement</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Przerywa pomiar automatyczny</source>
        <translation>Stops the automatic measurement</translation>
    </message>
    <message>
        <source>Uruchom o</source>
        <translation>Start at</translation>
    </message>
    <message>
        <source>Ustaw następną minutę</source>
        <translation>Set the next minute</translation>
    </message>
    <message>
        <source>Pozostało:</source>
        <translation>Remaining:</translation>
    </message>
    <message>
        <source> Pomiar off-line </source>
        <translation> Off-line measurement </translation>
    </message>
    <message>
        <source>Pamięć:</source>
        <translation>Memory:</translation>
    </message>
    <message>
        <source>Pobierz dane</source>
        <translation>Download data</translation>
    </message>
    <message>
        <source>Resetuj dane</source>
        <translation>Erase memory</translation>
    </message>
    <message>
        <source>Godzina startu</source>
        <translation>Start hour</translation>
    </message>
    <message>
        <source>Minuta startu</source>
        <translation>Start minute</translation>
    </message>
</context>
<context>
    <name>LinkRecovery</name>
    <message>
        <source>Połączenie z %1 utracone, ponawianie... (%2 s)</source>
        <translation>Connection to %1 lost, retrying... (%2 s)</translation>
    </message>
    <message>
        <source>Połączenie z %1 przywrócone</source>
        <translation>Connection to %1 restored</translation>
    </message>
    <message>
        <source>Połączenie z %1 nie zostało przywrócone</source>
        <translation>Connection to %1 could not be restored</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Plik</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Otwórz dane</source>
        <translation>Open data</translation>
    </message>
    <message>
        <source>Zapisz dane ...</source>
        <translation>Save data ...</translation>
    </message>
    <message>
        <source>Zapisz wykres ...</source>
        <translation>Save chart ...</translation>
    </message>
    <message>
        <source>Folder pomiarów</source>
        <translation>Results folder</translation>
    </message>
    <message>
        <source>Eksport do Excela</source>
        <translation>Export to spreadsheet</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Połączenie</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Pomiar</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>O producencie</source>
        <translation>About the manufacturer</translation>
    </message>
    <message>
        <source>Nowe okno</source>
        <translation>New window</translation>
    </message>
</context>
<context>
    <name>OrderSet</name>
    <message>
        <source>Zerowanie...</source>
        <translation>Taring...</translation>
    </message>
    <message>
        <source>Włączenie/wyłączanie...</source>
        <translation>Switching on/off...</translation>
    </message>
    <message>
        <source>Przejście do/powrót z oczekiwania...</source>
        <translation>Entering/leaving stand-by...</translation>
    </message>
    <message>
        <source>Ustawianie dolnego progu...</source>
        <translation>Setting the low threshold...</translation>
    </message>
    <message>
        <source>Ustawianie górnego progu...</source>
        <translation>Setting the high threshold...</translation>
    </message>
    <message>
        <source>Ustawianie zerowego progu...</source>
        <translation>Setting the zero threshold...</translation>
    </message>
    <message>
        <source>Zmiana jednostki...</source>
        <translation>Changing the unit...</translation>
    </message>
    <message>
        <source>Wyłączanie trybu PEAK...</source>
        <translation>Switching PEAK mode off...</translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK+...</source>
        <translation>Switching PEAK+ on...</translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK-...</source>
        <translation>Switching PEAK- on...</translation>
    </message>
    <message>
        <source>Wywoływanie operacji MEM...</source>
        <translation>Calling the MEM function...</translation>
    </message>
    <message>
        <source>Zmiana szybkości pomiaru...</source>
        <translation>Changing the measuring speed...</translation>
    </message>
    <message>
        <source>Zmiana trybu akwizycji...</source>
        <translation>Changing the acquisition mode...</translation>
    </message>
    <message>
        <source>Ustawianie liczby próbek...</source>
        <translation>Setting the number of samples...</translation>
    </message>
    <message>
        <source>Ustawianie czasu próbkowania...</source>
        <translation>Setting the sampling time...</translation>
    </message>
    <message>
        <source>Wyłączanie progów...</source>
        <translation>Switching the thresholds off...</translation>
    </message>
    <message>
        <source>Włączanie progów...</source>
        <translation>Switching the thresholds on...</translation>
    </message>
    <message>
        <source>Wyłączanie nadawania ciągłego...</source>
        <translation>Switching continuous sending off...</translation>
    </message>
    <message>
        <source>Włączanie nadawania ciągłego...</source>
        <translation>Switching continuous sending on...</translation>
    </message>
    <message>
        <source>Odczyt zgromadzonych próbek...</source>
        <translation>Reading the stored samples...</translation>
    </message>
    <message>
        <source>Resetowanie...</source>
        <translation>Erasing the memory...</translation>
    </message>
    <message>
        <source>Ustawianie przyspieszenia...</source>
        <translation>Setting the acceleration...</translation>
    </message>
</context>
<context>
    <name>PortControl</name>
    <message>
        <source>Wskazany port COM nie istnieje lub jest zajęty przez inny program</source>
        <translation>The COM port does not exist or is in use by another program</translation>
    </message>
</context>
<context>
    <name>ProcessData</name>
    <message>
        <source>Próbka</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Siłomierz wyzerowany</source>
        <translation>Gauge tared</translation>
    </message>
    <message>
        <source>Siłomierz wyłączony</source>
        <translation>Gauge switched off</translation>
    </message>
    <message>
        <source>Siłomierz włączony</source>
        <translation>Gauge switched on</translation>
    </message>
    <message>
        <source>Siłomierz w trybie oczekiwania</source>
        <translation>Gauge in stand-by</translation>
    </message>
    <message>
        <source>Dolny próg ustawiony</source>
        <translation>Low threshold set</translation>
    </message>
    <message>
        <source>Górny próg ustawiony</source>
        <translation>High threshold set</translation>
    </message>
    <message>
        <source>Jednostka zmieniona</source>
        <translation>Unit changed</translation>
    </message>
    <message>
        <source>Odczyt stabilnego wskazania...</source>
        <translation>Waiting for a stable reading...</translation>
    </message>
    <message>
        <source>Tryb PEAK wyłączony</source>
        <translation>PEAK mode off</translation>
    </message>
    <message>
        <source>Tryb PEAK + włączony</source>
        <translation>PEAK + mode on</translation>
    </message>
    <message>
        <source>Tryb PEAK - włączony</source>
        <translation>PEAK - mode on</translation>
    </message>
    <message>
        <source>Operacja MEM wywołana</source>
        <translation>MEM function called</translation>
    </message>
    <message>
        <source>Szybkość zmieniona na FAST</source>
        <translation>Speed changed to FAST</translation>
    </message>
    <message>
        <source>Szybkość zmieniona na SLOW</source>
        <translation>Speed changed to SLOW</translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na ręczny</source>
        <translation>Acquisition mode changed to manual</translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na automatyczny</source>
        <translation>Acquisition mode changed to automatic</translation>
    </message>
    <message>
        <source>Liczba próbek ustawiona</source>
        <translation>Number of samples set</translation>
    </message>
    <message>
        <source>Czas próbkowania ustawiony</source>
        <translation>Sampling time set</translation>
    </message>
    <message>
        <source>Progi wyłączone</source>
        <translation>Thresholds off</translation>
    </message>
    <message>
        <source>Progi włączone</source>
        <translation>Thresholds on</translation>
    </message>
    <message>
        <source>Pomiary zresetowane</source>
        <translation>Memory erased</translation>
    </message>
    <message>
        <source>Przyspieszenie ustawione</source>
        <translation>Acceleration set</translation>
    </message>
    <message>
        <source>Za duża liczba próbek</source>
        <translation>Too many samples</translation>
    </message>
    <message>
        <source>Ustawiono maksymalną liczbę próbek.</source>
        <translation>The largest number of samples has been set.</translation>
    </message>
    <message>
        <source>Nie można wykonać rozkazu</source>
        <translation>The gauge cannot carry out the order</translation>
    </message>
    <message>
        <source>Wynik odczytany</source>
        <translation>Reading received</translation>
    </message>
    <message>
        <source>Niezgodność jednostek</source>
        <translation>Units do not match</translation>
    </message>
    <message>
        <source>Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść wykres przed pobraniem nowych próbek.</source>
        <translation>The units on the chart and in the downloaded data differ. Clear the chart before downloading new samples.</translation>
    </message>
    <message>
        <source>Zmiana jednostki</source>
        <translation>Change of unit</translation>
    </message>
    <message>
        <source>Nastąpiła zmiana jednostki w urządzeniu.</source>
        <translation>The unit on the gauge has changed.</translation>
    </message>
    <message>
        <source>Jednostka w urządzeniu nie zgadza się z jednostką na wykresie.</source>
        <translation>The gauge&apos;s unit does not match the unit of the chart.</translation>
    </message>
    <message>
        <source>Wyłączono pomiar online</source>
        <translation>The on-line measurement has been stopped.</translation>
    </message>
    <message>
        <source>Wysyłanie ciągłe</source>
        <translation>Continuous sending</translation>
    </message>
    <message>
        <source>Nie można nawiązac komunikacji z siłomierzem.</source>
        <translation>Cannot communicate with the gauge.</translation>
    </message>
    <message>
        <source>Wyłącz wysyłanie ciągłe w urządzeniu.</source>
        <translation>Switch continuous sending off on the gauge.</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Numer próbki</source>
        <translation>Sample number</translation>
    </message>
    <message>
        <source>Pobieranie próbek zakończone.</source>
        <translation>Download of samples complete.</translation>
    </message>
    <message>
        <source>Operacja przerwana</source>
        <translation>Operation aborted</translation>
    </message>
    <message>
        <source>Niepoprawna wartość czasu próbkowania</source>
        <translation>Invalid sampling time</translation>
    </message>
    <message>
        <source>Niepoprawna wartość próbki</source>
        <translation>Invalid sample value</translation>
    </message>
    <message>
        <source>Pobieranie przerwane, siłomierz kończy wysyłanie...</source>
        <translation>Download cancelled, the gauge is finishing its sending...</translation>
    </message>
    <message>
        <source>Pobieranie próbek przerwane.</source>
        <translation>Download of the samples cancelled.</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ReadingPanel</name>
    <message>
        <source>Zamknij port</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>Otwórz port</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>Bateria</source>
        <translation>Battery</translation>
    </message>
    <message>
        <source>Wyjdź</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Odświeżaj stan wyświetlacza</source>
        <translation>Refresh display</translation>
    </message>
    <message>
        <source>Odświeżaj stan baterii</source>
        <translation>Refresh battery status</translation>
    </message>
</context>
<context>
    <name>ResultsDatabase</name>
    <message>
        <source>Brak sterownika bazy danych %1 w tej instalacji Qt.</source>
        <translation>The database driver %1 is missing from this Qt installation.</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1.</source>
        <translation>Cannot create the folder %1.</translation>
    </message>
    <message>
        <source>Nie można odczytać wersji bazy wyników.</source>
        <translation>Cannot read the version of the results database.</translation>
    </message>
    <message>
        <source>Baza wyników pochodzi z nowszej wersji programu (schemat %1, ten program zna schemat %2).</source>
        <translation>The results database comes from a newer version of the program (schema %1; this program knows schema %2).</translation>
    </message>
    <message>
        <source>Baza wyników nie jest otwarta.</source>
        <translation>The results database is not open.</translation>
    </message>
    <message>
        <source>Tej serii nie ma w bazie wyników.</source>
        <translation>This series is not in the results database.</translation>
    </message>
    <message>
        <source>Próbki testów %1 są uszkodzone; wczytano ich wyniki bez przebiegów.</source>
        <translation>The samples of the tests %1 are damaged; their results were loaded without curves.</translation>
    </message>
    <message>
        <source>Za mało pamięci na próbki testów %1; wczytano ich wyniki bez przebiegów.</source>
        <translation>Not enough memory for the samples of tests %1; their results were loaded without curves.</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>Port %1 nie istnieje</source>
        <translation>Port %1 does not exist</translation>
    </message>
    <message>
        <source>Nie można otworzyć portu %1: %2</source>
        <translation>Cannot open port %1: %2</translation>
    </message>
    <message>
        <source>Port jest zamknięty</source>
        <translation>The port is closed</translation>
    </message>
    <message>
        <source>Przekroczony czas zapisu do portu %1</source>
        <translation>Writing to port %1 timed out</translation>
    </message>
    <message>
        <source>Połączenie z portem %1 zostało przerwane: %2</source>
        <translation>The connection to port %1 was lost: %2</translation>
    </message>
    <message>
        <source>prędkość</source>
        <translation>baud rate</translation>
    </message>
    <message>
        <source>bity danych</source>
        <translation>data bits</translation>
    </message>
    <message>
        <source>bity stopu</source>
        <translation>stop bits</translation>
    </message>
    <message>
        <source>parzystość</source>
        <translation>parity</translation>
    </message>
    <message>
        <source>sterowanie przepływem</source>
        <translation>flow control</translation>
    </message>
    <message>
        <source>Port %1 nie przyjął ustawień (%2): %3</source>
        <translation>Port %1 refused its settings (%2): %3</translation>
    </message>
    <message>
        <source>Port %1 jest używany w innym oknie programu</source>
        <translation>Port %1 is in use in another window of the program</translation>
    </message>
</context>
<context>
    <name>SeriesExports</name>
    <message>
        <source>raport</source>
        <translation>report</translation>
    </message>
    <message>
        <source>Dokument PDF|*.pdf</source>
        <translation>PDF document|*.pdf</translation>
    </message>
    <message>
        <source>Tworzenie raportu PDF...</source>
        <translation>Creating the PDF report...</translation>
    </message>
    <message>
        <source>Raport</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>Raport zapisano w pliku %1, ale nie udało się go otworzyć.</source>
        <translation>The report was saved in the file %1, but it could not be opened.</translation>
    </message>
    <message>
        <source>Plik CSV|*.csv</source>
        <translation>CSV file|*.csv</translation>
    </message>
    <message>
        <source>seria</source>
        <translation>series</translation>
    </message>
    <message>
        <source>Eksport CSV</source>
        <translation>CSV export</translation>
    </message>
    <message>
        <source>test</source>
        <translation>test</translation>
    </message>
</context>
<context>
    <name>SeriesPanel</name>
    <message>
        <source>Usuń testy</source>
        <translation>Delete tests</translation>
    </message>
    <message>
        <source>Usunąć zaznaczone testy (%1)?</source>
        <translation>Delete the selected tests (%1)?</translation>
    </message>
    <message>
        <source>Nowa seria</source>
        <translation>New series</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operator:</translation>
    </message>
    <message>
        <source>Część / partia:</source>
        <translation>Part / batch:</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Liczba testów:</source>
        <translation>Tests:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Mean:</translation>
    </message>
    <message>
        <source>Odchylenie std.:</source>
        <translation>Std. deviation:</translation>
    </message>
    <message>
        <source>Min.:</source>
        <translation>Min.:</translation>
    </message>
    <message>
        <source>Max.:</source>
        <translation>Max.:</translation>
    </message>
    <message>
        <source>Rozstęp:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>Zgodne:</source>
        <translation>Passed:</translation>
    </message>
    <message>
        <source>Cp:</source>
        <translation>Cp:</translation>
    </message>
    <message>
        <source>Cpk:</source>
        <translation>Cpk:</translation>
    </message>
    <message>
        <source>Nazwa nowej serii</source>
        <translation>Name of the new series</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Seria testów</source>
        <translation>Test series</translation>
    </message>
    <message>
        <source>Seria z bazy wyników</source>
        <translation>Series from the results database</translation>
    </message>
    <message>
        <source>Rozpocząć nową serię? Testy bieżącej serii (%1) znikną z tabeli; pozostają w bazie wyników.</source>
        <translation>Start a new series? The tests of the current series (%1) leave the table; they stay in the results database.</translation>
    </message>
    <message>
        <source>Baza wyników niedostępna: %1</source>
        <translation>Results database unavailable: %1</translation>
    </message>
    <message>
        <source>Wyniki zapisywane w: %1</source>
        <translation>Results are stored in: %1</translation>
    </message>
    <message>
        <source>(niezapisane testy: %1, kolejna próba za chwilę)</source>
        <translation>(tests not stored yet: %1, trying again shortly)</translation>
    </message>
    <message>
        <source>Usuwa zaznaczone testy z serii i z bazy wyników</source>
        <translation>Deletes the selected tests from the series and from the results database</translation>
    </message>
    <message>
        <source>Raport PDF</source>
        <translation>PDF report</translation>
    </message>
    <message>
        <source>Raport zaznaczonych testów (lub całej serii) do podpisu</source>
        <translation>A report of the selected tests (or the whole series) to sign</translation>
    </message>
    <message>
        <source>CSV serii</source>
        <translation>Series CSV</translation>
    </message>
    <message>
        <source>Tabela zaznaczonych testów (lub całej serii) w pliku CSV</source>
        <translation>The table of the selected tests (or the whole series) in a CSV file</translation>
    </message>
    <message>
        <source>CSV próbek</source>
        <translation>Samples CSV</translation>
    </message>
    <message>
        <source>Próbki zaznaczonego testu w pliku CSV</source>
        <translation>The samples of the selected test in a CSV file</translation>
    </message>
    <message>
        <source>Otwórz serię</source>
        <translation>Open series</translation>
    </message>
    <message>
        <source>Otwiera serię zapisaną w bazie wyników</source>
        <translation>Opens a series stored in the results database</translation>
    </message>
    <message>
        <source>Baza wyników</source>
        <translation>Results database</translation>
    </message>
    <message>
        <source>Gdzie zapisywane są wyniki: plik SQLite lub serwer PostgreSQL</source>
        <translation>Where the results are stored: an SQLite file or a PostgreSQL server</translation>
    </message>
    <message>
        <source>Wszystkie testy</source>
        <translation>All tests</translation>
    </message>
    <message>
        <source>Miernik: %1</source>
        <translation>Gauge: %1</translation>
    </message>
    <message>
        <source>Stanowisko: %1</source>
        <translation>Station: %1</translation>
    </message>
</context>
<context>
    <name>SeriesTableModel</name>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Szczyt</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Próbki</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Min.</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Max.</source>
        <translation>Max.</translation>
    </message>
    <message>
        <source>Średnia</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Źródło</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Miernik</source>
        <translation>Gauge</translation>
    </message>
    <message>
        <source>Stanowisko</source>
        <translation>Station</translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <source>kilogram &apos;kg&apos;</source>
        <translation>kilogram &apos;kg&apos;</translation>
    </message>
    <message>
        <source>Newton &apos;N&apos;</source>
        <translation>newton &apos;N&apos;</translation>
    </message>
    <message>
        <source>funt &apos;lb&apos;</source>
        <translation>pound &apos;lb&apos;</translation>
    </message>
    <message>
        <source>uncja &apos;oz&apos;</source>
        <translation>ounce &apos;oz&apos;</translation>
    </message>
    <message>
        <source>siła nacisku</source>
        <translation>compression</translation>
    </message>
    <message>
        <source>siła ciągu</source>
        <translation>tension</translation>
    </message>
    <message>
        <source> Ustawienia </source>
        <translation> Settings </translation>
    </message>
    <message>
        <source> Jednostka </source>
        <translation> Unit </translation>
    </message>
    <message>
        <source>Tryb PEAK</source>
        <translation>PEAK mode</translation>
    </message>
    <message>
        <source> Akwizycja danych </source>
        <translation> Data acquisition </translation>
    </message>
    <message>
        <source> Tryb </source>
        <translation> Mode </translation>
    </message>
    <message>
        <source> Szybkość pomiaru </source>
        <translation> Measuring speed </translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Progi</source>
        <translation>Thresholds</translation>
    </message>
    <message>
        <source>Dolny:</source>
        <translation>Low:</translation>
    </message>
    <message>
        <source>Górny:</source>
        <translation>High:</translation>
    </message>
    <message>
        <source>Zero:</source>
        <translation>Zero:</translation>
    </message>
    <message>
        <source> Przyspieszenie ziemskie </source>
        <translation> Gravitational acceleration </translation>
    </message>
    <message>
        <source>Odśwież ustawienia</source>
        <translation>Refresh settings</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Attention</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Niepoprawna wartość progu</source>
        <translation>Invalid threshold value</translation>
    </message>
    <message>
        <source>Niepoprawna wartość przyspieszenia</source>
        <translation>Invalid acceleration value</translation>
    </message>
    <message>
        <source>Niepoprawna liczba próbek</source>
        <translation>Invalid number of samples</translation>
    </message>
    <message>
        <source>Liczba próbek powinna się zawierać w podanym przedziale.</source>
        <translation>The number of samples must lie within the range shown.</translation>
    </message>
    <message>
        <source>Niepoprawny czas próbkowania</source>
        <translation>Invalid sampling time</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania wynosi 0.001s.</source>
        <translation>The shortest sampling time is 0.001 s.</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation>The shortest sampling time for SLOW is 0.1 s.</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation>The shortest sampling time for FAST is 0.025 s.</translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation>For SLOW, the sampling time is set in steps of 0.1 s.</translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation>For FAST, the sampling time is set in steps of 0.025 s.</translation>
    </message>
    <message>
        <source>Czas próbkowania powinien się zawierać w podanym przedziale.</source>
        <translation>The sampling time must lie within the range shown.</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>Eksport do Excela</source>
        <translation>Export to spreadsheet</translation>
    </message>
    <message>
        <source>Brak danych do wyeksportowania.</source>
        <translation>No data to export.</translation>
    </message>
    <message>
        <source>Otwórz program Excel</source>
        <extracomment>No running spreadsheet program could be reached or written; on Linux that program is LibreOffice Calc, so the translation names &quot;LibreOffice Calc or Excel&quot;.</extracomment>
        <translation>Start LibreOffice Calc or Excel with a spreadsheet open (see Help).</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source> Statystyki </source>
        <translation> Statistics </translation>
    </message>
    <message>
        <source>Wyczyść pomiary</source>
        <translation>Clear readings</translation>
    </message>
    <message>
        <source>Liczba pom.:</source>
        <translation>Count:</translation>
    </message>
    <message>
        <source>Min.:</source>
        <translation>Min.:</translation>
    </message>
    <message>
        <source>Max.:</source>
        <translation>Max.:</translation>
    </message>
    <message>
        <source>Suma:</source>
        <translation>Sum:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Mean:</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Komunikacja</source>
        <translation>Communication</translation>
    </message>
    <message>
        <source>Informacja o programie</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Producent:</source>
        <translation>Manufacturer:</translation>
    </message>
    <message>
        <source>ZENTO Pomiary Sp. z o.o.</source>
        <translation>ZENTO Pomiary Sp. z o.o.</translation>
    </message>
    <message>
        <source>ul. Pomiarowa 12</source>
        <translation>ul. Pomiarowa 12</translation>
    </message>
    <message>
        <source>30-001 Kraków, Polska</source>
        <translation>30-001 Kraków, Poland</translation>
    </message>
    <message>
        <source>tel. +48 12 345 67 00</source>
        <translation>Phone +48 12 345 67 00</translation>
    </message>
    <message>
        <source>faks +48 12 345 67 01</source>
        <translation>Fax +48 12 345 67 01</translation>
    </message>
    <message>
        <source>e-mail:</source>
        <translation>e-mail:</translation>
    </message>
    <message>
        <source>strona:</source>
        <translation>Web site:</translation>
    </message>
    <message>
        <source>Ikony i rysunki programu przygotował zespół ZENTO FM.</source>
        <translation>Icons and drawings by the ZENTO FM team.</translation>
    </message>
    <message>
        <source>Powrót</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>TAutoKonfForm</name>
    <message>
        <source>Auto-Konfi.</source>
        <translation>Auto-configuration</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Baud:</source>
        <translation>Baud:</translation>
    </message>
    <message>
        <source>Versuche:</source>
        <translation>Attempts:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Max. Port:</source>
        <translation>Max. port:</translation>
    </message>
    <message>
        <source>S&amp;chließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Search</translation>
    </message>
    <message>
        <source>Zatrzymaj</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Wykryj</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>Trwa szukanie ustawień...</source>
        <translation>Searching for the settings...</translation>
    </message>
    <message>
        <source>Port skonfigurowany</source>
        <translation>Port configured</translation>
    </message>
    <message>
        <source>Brak komunikacji</source>
        <translation>No communication</translation>
    </message>
    <message>
        <source>Przerwano szukanie</source>
        <translation>Search stopped</translation>
    </message>
</context>
<context>
    <name>TComSetupFrm</name>
    <message>
        <source>None</source>
        <comment>parity or flow control</comment>
        <translation>None</translation>
    </message>
    <message>
        <source>Odd</source>
        <comment>parity</comment>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Even</source>
        <comment>parity</comment>
        <translation>Even</translation>
    </message>
    <message>
        <source>Mark</source>
        <comment>parity</comment>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Space</source>
        <comment>parity</comment>
        <translation>Space</translation>
    </message>
    <message>
        <source>Hardware</source>
        <comment>flow control</comment>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Software</source>
        <comment>flow control</comment>
        <translation>Software</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>flow control</comment>
        <translation>Custom</translation>
    </message>
    <message>
        <source>RS-232 settings</source>
        <translation>RS-232 settings</translation>
    </message>
    <message>
        <source> Settings: </source>
        <translation> Settings: </translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Stop bits:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Flow control:</translation>
    </message>
    <message>
        <source>Zastosuj</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Apply settings</source>
        <translation>Apply settings</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancel settings</source>
        <translation>Cancel settings</translation>
    </message>
</context>
<context>
    <name>TConnectionForm</name>
    <message>
        <source>Ustawienia połączenia</source>
        <translation>Connection settings</translation>
    </message>
    <message>
        <source>Podłączenie wagi:</source>
        <translation>Gauge connected by:</translation>
    </message>
    <message>
        <source>Port szeregowy</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source> Ustawienia połączenia ethernetowego: </source>
        <translation> Ethernet connection settings: </translation>
    </message>
    <message>
        <source>Adres IP:</source>
        <translation>IP address:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source> Ustawienia portu szeregowego: </source>
        <translation> Serial port settings: </translation>
    </message>
    <message>
        <source>Port COM:</source>
        <translation>COM port:</translation>
    </message>
    <message>
        <source>Prędkość:</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>bps</translation>
    </message>
    <message>
        <source>Wykryj</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>Zaawansowane</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Zastosuj</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Apply settings</source>
        <translation>Apply settings</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancel settings</source>
        <translation>Cancel settings</translation>
    </message>
    <message>
        <source>Ponawiaj połączenie po jego utracie</source>
        <translation>Retry the connection when it is lost</translation>
    </message>
    <message>
        <source>Ponawiaj przez:</source>
        <translation>Retry for:</translation>
    </message>
    <message>
        <source> min</source>
        <translation> min</translation>
    </message>
</context>
<context>
    <name>TDatabaseForm</name>
    <message>
        <source>Baza wyników</source>
        <translation>Results database</translation>
    </message>
    <message>
        <source>Plik na tym komputerze (SQLite)</source>
        <translation>A file on this computer (SQLite)</translation>
    </message>
    <message>
        <source>Serwer wspólny dla stanowisk (PostgreSQL)</source>
        <translation>A server shared by the stations (PostgreSQL)</translation>
    </message>
    <message>
        <source>Plik:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Serwer:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Baza danych:</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>Użytkownik:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Hasło:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Sprawdź połączenie</source>
        <translation>Check the connection</translation>
    </message>
    <message>
        <source>Połączenie działa: %1</source>
        <translation>The connection works: %1</translation>
    </message>
    <message>
        <source>Brak połączenia: %1</source>
        <translation>No connection: %1</translation>
    </message>
    <message>
        <source>Sprawdzanie połączenia...</source>
        <translation>Checking the connection...</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*</source>
        <translation>Text files (.txt)|*.txt|All files|*.*</translation>
    </message>
    <message>
        <source>Otwórz dane</source>
        <translation>Open data</translation>
    </message>
    <message>
        <source>Zapisz dane</source>
        <translation>Save data</translation>
    </message>
    <message>
        <source>Zapisz wykres</source>
        <translation>Save chart</translation>
    </message>
    <message>
        <source>Folder pomiarów</source>
        <translation>Results folder</translation>
    </message>
    <message>
        <source>The specified directory does not exist. Create it?</source>
        <translation>The specified directory does not exist. Create it?</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>help\ZENTO_FM.htm</source>
        <translation>help\ZENTO_FM_en.htm</translation>
    </message>
    <message>
        <source>Pomiar on-line</source>
        <translation>On-line measurement</translation>
    </message>
    <message>
        <source>Połączenie z portem %1 zostało przerwane</source>
        <translation>The connection to port %1 was lost</translation>
    </message>
    <message>
        <source>Zerowy czas próbkowania.</source>
        <translation>The sampling time is zero.</translation>
    </message>
    <message>
        <source>Nadawanie ciągle włączone</source>
        <translation>Continuous sending on</translation>
    </message>
    <message>
        <source>Nadawanie ciągle wyłączone</source>
        <translation>Continuous sending off</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: pomiar nie został rozpoczęty.</source>
        <translation>Cannot write the file %1: the measurement has not been started.</translation>
    </message>
    <message>
        <source>Nie można utworzyć pliku wyników %1</source>
        <translation>Cannot create the results file %1</translation>
    </message>
    <message>
        <source>Seria testów</source>
        <translation>Test series</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1</source>
        <translation>Cannot save the file %1</translation>
    </message>
    <message>
        <source>Zapisywanie danych...</source>
        <translation>Saving data...</translation>
    </message>
    <message>
        <source>Eksport danych...</source>
        <translation>Exporting data...</translation>
    </message>
    <message>
        <source>Pobierz dane</source>
        <translation>Download data</translation>
    </message>
    <message>
        <source>Pobieranie próbek z siłomierza...</source>
        <translation>Downloading the samples from the gauge...</translation>
    </message>
    <message>
        <source>Pomiar rozpoczęty %1 nie został zakończony: program przerwał pracę w jego trakcie. Odtworzyć zapisane próbki?</source>
        <translation>The run started %1 did not end: the program stopped while it was under way. Recover the samples written so far?</translation>
    </message>
    <message>
        <source>Pozostałe przerwane pomiary (%1) zostaną zaproponowane przy następnych uruchomieniach.</source>
        <translation>The other interrupted runs (%1) will be offered at the next starts.</translation>
    </message>
    <message>
        <source>Odzyskiwanie pomiaru</source>
        <translation>Recovering a run</translation>
    </message>
    <message>
        <source>Zapis przerwanego pomiaru pozostaje w folderze %1</source>
        <translation>The journal of the interrupted run stays in the folder %1</translation>
    </message>
    <message>
        <source>Odzyskany pomiar %1</source>
        <translation>Recovered run %1</translation>
    </message>
    <message>
        <source>Odzyskano %1 próbek pomiaru rozpoczętego %2.</source>
        <translation>Recovered %1 samples of the run started %2.</translation>
    </message>
    <message>
        <source>Odzyskano %1 próbek pomiaru rozpoczętego %2 i zapisano je w pliku %3.</source>
        <translation>Recovered %1 samples of the run started %2 and saved them in the file %3.</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Pomiar trwa w innych oknach (%1). Zamknąć wszystkie okna? Zmierzone dotąd próbki zostaną zachowane.</source>
        <translation>A measurement is under way in other windows (%1). Close all windows? The samples measured so far will be kept.</translation>
    </message>
</context>
<context>
    <name>TSeriesListForm</name>
    <message>
        <source>Otwórz serię z bazy wyników</source>
        <translation>Open a series from the results database</translation>
    </message>
    <message>
        <source>Seria</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Testy</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Stanowisko</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>(bez nazwy)</source>
        <translation>(no name)</translation>
    </message>
</context>
<context>
    <name>TestCsv</name>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
</context>
<context>
    <name>TestReport</name>
    <message>
        <source>Strona %1 z %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Raport z testu</source>
        <translation>Test report</translation>
    </message>
    <message>
        <source>Raport z serii testów (%1)</source>
        <translation>Test series report (%1)</translation>
    </message>
    <message>
        <source>Data testu:</source>
        <translation>Test date:</translation>
    </message>
    <message>
        <source>Daty testów:</source>
        <translation>Test dates:</translation>
    </message>
    <message>
        <source>Data wydruku:</source>
        <translation>Printed:</translation>
    </message>
    <message>
        <source>Jednostka:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>Tolerancja:</source>
        <translation>Tolerance:</translation>
    </message>
    <message>
        <source>brak</source>
        <translation>none</translation>
    </message>
    <message>
        <source>Stanowisko:</source>
        <translation>Station:</translation>
    </message>
    <message>
        <source>Miernik:</source>
        <translation>Gauge:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Serial number:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operator:</translation>
    </message>
    <message>
        <source>Część / partia:</source>
        <translation>Part / batch:</translation>
    </message>
    <message>
        <source>Moment obrotowy</source>
        <translation>Torque</translation>
    </message>
    <message>
        <source>Siła</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Wyniki testu</source>
        <translation>Test results</translation>
    </message>
    <message>
        <source>Szczyt:</source>
        <translation>Peak:</translation>
    </message>
    <message>
        <source>Czas szczytu:</source>
        <translation>Peak time:</translation>
    </message>
    <message>
        <source>Min.:</source>
        <translation>Min.:</translation>
    </message>
    <message>
        <source>Max.:</source>
        <translation>Max.:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Mean:</translation>
    </message>
    <message>
        <source>Ocena:</source>
        <translation>Verdict:</translation>
    </message>
    <message>
        <source>Liczba próbek:</source>
        <translation>Samples:</translation>
    </message>
    <message>
        <source>Czas trwania:</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source>Czas próbkowania:</source>
        <translation>Sample time:</translation>
    </message>
    <message>
        <source>Źródło:</source>
        <translation>Source:</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Rozstęp:</source>
        <translation>Range:</translation>
    </message>
    <message>
        <source>Zgodne:</source>
        <translation>Passed:</translation>
    </message>
    <message>
        <source>Cp:</source>
        <translation>Cp:</translation>
    </message>
    <message>
        <source>Cpk:</source>
        <translation>Cpk:</translation>
    </message>
    <message>
        <source>Statystyka szczytów</source>
        <translation>Peak statistics</translation>
    </message>
    <message>
        <source>Liczba testów:</source>
        <translation>Tests:</translation>
    </message>
    <message>
        <source>Odchylenie std.:</source>
        <translation>Std. deviation:</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Szczyt</source>
        <translation>Peak</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Część / partia</source>
        <translation>Part / batch</translation>
    </message>
    <message>
        <source>Testy</source>
        <translation>Tests</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Podpis</source>
        <translation>Signature</translation>
    </message>
    <message>
        <source>Brak testów do raportu.</source>
        <translation>There are no tests to report.</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>Tworzenie raportu przerwano.</source>
        <translation>The report was canceled.</translation>
    </message>
    <message>
        <source>Nie można utworzyć pliku PDF %1.</source>
        <translation>Cannot create the PDF file %1.</translation>
    </message>
</context>
<context>
    <name>TestTexts</name>
    <message>
        <source>zgodny</source>
        <translation>pass</translation>
    </message>
    <message>
        <source>niezgodny</source>
        <translation>fail</translation>
    </message>
    <message>
        <source>bez oceny</source>
        <translation>not judged</translation>
    </message>
    <message>
        <source>pobrane dane</source>
        <translation>downloaded data</translation>
    </message>
    <message>
        <source>plik danych</source>
        <translation>data file</translation>
    </message>
    <message>
        <source>pomiar on-line</source>
        <translation>on-line measurement</translation>
    </message>
    <message>
        <source>Test %1</source>
        <translation>Test %1</translation>
    </message>
    <message>
        <source>Przerwa w połączeniu z miernikiem: %1</source>
        <translation>Gap in the connection to the gauge: %1</translation>
    </message>
</context>
</TS>
