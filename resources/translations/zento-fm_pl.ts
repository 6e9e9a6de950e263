<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="pl_PL">
<context>
    <name>ChartImage</name>
    <message>
        <source>Pliki obrazu (.bmp)|*.bmp</source>
        <translation>Pliki obrazu (.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>Nie można zapisać wykresu do pliku %1</source>
        <translation>Nie można zapisać wykresu do pliku %1</translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>Czas</source>
        <translation>Czas</translation>
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
        <translation>Nie można zapisać pliku %1: %2</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1: %2</source>
        <translation>Nie można otworzyć pliku %1: %2</translation>
    </message>
    <message>
        <source>Błąd odczytu pliku %1: %2</source>
        <translation>Błąd odczytu pliku %1: %2</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>zapis przerwany</source>
        <translation>zapis przerwany</translation>
    </message>
    <message>
        <source>Za mało pamięci, aby wczytać cały plik %1</source>
        <translation>Za mało pamięci, aby wczytać cały plik %1</translation>
    </message>
</context>
<context>
    <name>DataFileOpening</name>
    <message>
        <source>Otwórz dane</source>
        <translation>Otwórz dane</translation>
    </message>
    <message>
        <source>Wczytywanie danych...</source>
        <translation>Wczytywanie danych...</translation>
    </message>
    <message>
        <source>Za mało pamięci na test z pliku %1</source>
        <translation>Za mało pamięci na test z pliku %1</translation>
    </message>
</context>
<context>
    <name>DeviceModel</name>
    <message>
        <source>Czas próbkowania</source>
        <translation>Czas próbkowania</translation>
    </message>
    <message>
        <source>Liczba próbek</source>
        <translation>Liczba próbek</translation>
    </message>
</context>
<context>
    <name>GaugeExchange</name>
    <message>
        <source>Niedostępne w czasie pomiaru on-line</source>
        <translation>Niedostępne w czasie pomiaru on-line</translation>
    </message>
</context>
<context>
    <name>InstrumentPanel</name>
    <message>
        <source>karta SD</source>
        <translation>karta SD</translation>
    </message>
    <message>
        <source>Model urządzenia:</source>
        <translation>Model urządzenia:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Numer seryjny:</translation>
    </message>
    <message>
        <source>Taruj</source>
        <translation>Taruj</translation>
    </message>
    <message>
        <source>Włącz / wyłącz</source>
        <translation>Włącz / wyłącz</translation>
    </message>
    <message>
        <source>Czuwanie</source>
        <translation>Czuwanie</translation>
    </message>
    <message>
        <source>Tryb PEAK</source>
        <translation>Tryb PEAK</translation>
    </message>
    <message>
        <source>Zapis do pamięci</source>
        <translation>Zapis do pamięci</translation>
    </message>
    <message>
        <source> Pomiar on-line</source>
        <translation> Pomiar on-line</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Rozpoczyna pomiar automatyczny</source>
        <translation>Rozpoczyna pomiar automatyczny</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Przerywa pomiar automatyczny</source>
        <translation>Przerywa pomiar automatyczny</translation>
    </message>
    <message>
        <source>Uruchom o</source>
        <translation>Uruchom o</translation>
    </message>
    <message>
        <source>Ustaw następną minutę</source>
        <translation>Ustaw następną minutę</translation>
    </message>
    <message>
        <source>Pozostało:</source>
        <translation>Pozostało:</translation>
    </message>
    <message>
        <source> Pomiar off-line </source>
        <translation> Pomiar off-line </translation>
    </message>
    <message>
        <source>Pamięć:</source>
        <translation>Pamięć:</translation>
    </message>
    <message>
        <source>Pobierz dane</source>
        <translation>Pobierz dane</translation>
    </message>
    <message>
        <source>Resetuj dane</source>
        <translation>Resetuj dane</translation>
    </message>
    <message>
        <source>Godzina startu</source>
        <translation>Godzina startu</translation>
    </message>
    <message>
        <source>Minuta startu</source>
        <translation>Minuta startu</translation>
    </message>
</context>
<context>
    <name>LinkRecovery</name>
    <message>
        <source>Połączenie z %1 utracone, ponawianie... (%2 s)</source>
        <translation>Połączenie z %1 utracone, ponawianie... (%2 s)</translation>
    </message>
    <message>
        <source>Połączenie z %1 przywrócone</source>
        <translation>Połączenie z %1 przywrócone</translation>
    </message>
    <message>
        <source>Połączenie z %1 nie zostało przywrócone</source>
        <translation>Połączenie z %1 nie zostało przywrócone</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Plik</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Otwórz dane</source>
        <translation>Otwórz dane</translation>
    </message>
    <message>
        <source>Zapisz dane ...</source>
        <translation>Zapisz dane ...</translation>
    </message>
    <message>
        <source>Zapisz wykres ...</source>
        <translation>Zapisz wykres ...</translation>
    </message>
    <message>
        <source>Folder pomiarów</source>
        <translation>Folder pomiarów</translation>
    </message>
    <message>
        <source>Eksport do Excela</source>
        <translation>Eksport do Excela</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Koniec</translation>
    </message>
    <message>
        <source>Połączenie</source>
        <translation>Połączenie</translation>
    </message>
    <message>
        <source>Pomiar</source>
        <translation>Pomiar</translation>
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
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>O producencie</source>
        <translation>O producencie</translation>
    </message>
    <message>
        <source>Nowe okno</source>
        <translation>Nowe okno</translation>
    </message>
</context>
<context>
    <name>OrderSet</name>
    <message>
        <source>Zerowanie...</source>
        <translation>Zerowanie...</translation>
    </message>
    <message>
        <source>Włączenie/wyłączanie...</source>
        <translation>Włączenie/wyłączanie...</translation>
    </message>
    <message>
        <source>Przejście do/powrót z oczekiwania...</source>
        <translation>Przejście do/powrót z oczekiwania...</translation>
    </message>
    <message>
        <source>Ustawianie dolnego progu...</source>
        <translation>Ustawianie dolnego progu...</translation>
    </message>
    <message>
        <source>Ustawianie górnego progu...</source>
        <translation>Ustawianie górnego progu...</translation>
    </message>
    <message>
        <source>Ustawianie zerowego progu...</source>
        <translation>Ustawianie zerowego progu...</translation>
    </message>
    <message>
        <source>Zmiana jednostki...</source>
        <translation>Zmiana jednostki...</translation>
    </message>
    <message>
        <source>Wyłączanie trybu PEAK...</source>
        <translation>Wyłączanie trybu PEAK...</translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK+...</source>
        <translation>Włączanie trybu PEAK+...</translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK-...</source>
        <translation>Włączanie trybu PEAK-...</translation>
    </message>
    <message>
        <source>Wywoływanie operacji MEM...</source>
        <translation>Wywoływanie operacji MEM...</translation>
    </message>
    <message>
        <source>Zmiana szybkości pomiaru...</source>
        <translation>Zmiana szybkości pomiaru...</translation>
    </message>
    <message>
        <source>Zmiana trybu akwizycji...</source>
        <translation>Zmiana trybu akwizycji...</translation>
    </message>
    <message>
        <source>Ustawianie liczby próbek...</source>
        <translation>Ustawianie liczby próbek...</translation>
    </message>
    <message>
        <source>Ustawianie czasu próbkowania...</source>
        <translation>Ustawianie czasu próbkowania...</translation>
    </message>
    <message>
        <source>Wyłączanie progów...</source>
        <translation>Wyłączanie progów...</translation>
    </message>
    <message>
        <source>Włączanie progów...</source>
        <translation>Włączanie progów...</translation>
    </message>
    <message>
        <source>Wyłączanie nadawania ciągłego...</source>
        <translation>Wyłączanie nadawania ciągłego...</translation>
    </message>
    <message>
        <source>Włączanie nadawania ciągłego...</source>
        <translation>Włączanie nadawania ciągłego...</translation>
    </message>
    <message>
        <source>Odczyt zgromadzonych próbek...</source>
        <translation>Odczyt zgromadzonych próbek...</translation>
    </message>
    <message>
        <source>Resetowanie...</source>
        <translation>Resetowanie...</translation>
    </message>
    <message>
        <source>Ustawianie przyspieszenia...</source>
        <translation>Ustawianie przyspieszenia...</translation>
    </message>
</context>
<context>
    <name>PortControl</name>
    <message>
        <source>Wskazany port COM nie istnieje lub jest zajęty przez inny program</source>
        <translation>Wskazany port COM nie istnieje lub jest zajęty przez inny program</translation>
    </message>
</context>
<context>
    <name>ProcessData</name>
    <message>
        <source>Próbka</source>
        <translation>Próbka</translation>
    </message>
    <message>
        <source>Siłomierz wyzerowany</source>
        <translation>Siłomierz wyzerowany</translation>
    </message>
    <message>
        <source>Siłomierz wyłączony</source>
        <translation>Siłomierz wyłączony</translation>
    </message>
    <message>
        <source>Siłomierz włączony</source>
        <translation>Siłomierz włączony</translation>
    </message>
    <message>
        <source>Siłomierz w trybie oczekiwania</source>
        <translation>Siłomierz w trybie oczekiwania</translation>
    </message>
    <message>
        <source>Dolny próg ustawiony</source>
        <translation>Dolny próg ustawiony</translation>
    </message>
    <message>
        <source>Górny próg ustawiony</source>
        <translation>Górny próg ustawiony</translation>
    </message>
    <message>
        <source>Jednostka zmieniona</source>
        <translation>Jednostka zmieniona</translation>
    </message>
    <message>
        <source>Odczyt stabilnego wskazania...</source>
        <translation>Odczyt stabilnego wskazania...</translation>
    </message>
    <message>
        <source>Tryb PEAK wyłączony</source>
        <translation>Tryb PEAK wyłączony</translation>
    </message>
    <message>
        <source>Tryb PEAK + włączony</source>
        <translation>Tryb PEAK + włączony</translation>
    </message>
    <message>
        <source>Tryb PEAK - włączony</source>
        <translation>Tryb PEAK - włączony</translation>
    </message>
    <message>
        <source>Operacja MEM wywołana</source>
        <translation>Operacja MEM wywołana</translation>
    </message>
    <message>
        <source>Szybkość zmieniona na FAST</source>
        <translation>Szybkość zmieniona na FAST</translation>
    </message>
    <message>
        <source>Szybkość zmieniona na SLOW</source>
        <translation>Szybkość zmieniona na SLOW</translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na ręczny</source>
        <translation>Tryb akwizycji zmieniony na ręczny</translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na automatyczny</source>
        <translation>Tryb akwizycji zmieniony na automatyczny</translation>
    </message>
    <message>
        <source>Liczba próbek ustawiona</source>
        <translation>Liczba próbek ustawiona</translation>
    </message>
    <message>
        <source>Czas próbkowania ustawiony</source>
        <translation>Czas próbkowania ustawiony</translation>
    </message>
    <message>
        <source>Progi wyłączone</source>
        <translation>Progi wyłączone</translation>
    </message>
    <message>
        <source>Progi włączone</source>
        <translation>Progi włączone</translation>
    </message>
    <message>
        <source>Pomiary zresetowane</source>
        <translation>Pomiary zresetowane</translation>
    </message>
    <message>
        <source>Przyspieszenie ustawione</source>
        <translation>Przyspieszenie ustawione</translation>
    </message>
    <message>
        <source>Za duża liczba próbek</source>
        <translation>Za duża liczba próbek</translation>
    </message>
    <message>
        <source>Ustawiono maksymalną liczbę próbek.</source>
        <translation>Ustawiono maksymalną liczbę próbek.</translation>
    </message>
    <message>
        <source>Nie można wykonać rozkazu</source>
        <translation>Nie można wykonać rozkazu</translation>
    </message>
    <message>
        <source>Wynik odczytany</source>
        <translation>Wynik odczytany</translation>
    </message>
    <message>
        <source>Niezgodność jednostek</source>
        <translation>Niezgodność jednostek</translation>
    </message>
    <message>
        <source>Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść wykres przed pobraniem nowych próbek.</source>
        <translation>Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść wykres przed pobraniem nowych próbek.</translation>
    </message>
    <message>
        <source>Zmiana jednostki</source>
        <translation>Zmiana jednostki</translation>
    </message>
    <message>
        <source>Nastąpiła zmiana jednostki w urządzeniu.</source>
        <translation>Nastąpiła zmiana jednostki w urządzeniu.</translation>
    </message>
    <message>
        <source>Jednostka w urządzeniu nie zgadza się z jednostką na wykresie.</source>
        <translation>Jednostka w urządzeniu nie zgadza się z jednostką na wykresie.</translation>
    </message>
    <message>
        <source>Wyłączono pomiar online</source>
        <translation>Wyłączono pomiar online</translation>
    </message>
    <message>
        <source>Wysyłanie ciągłe</source>
        <translation>Wysyłanie ciągłe</translation>
    </message>
    <message>
        <source>Nie można nawiązac komunikacji z siłomierzem.</source>
        <translation>Nie można nawiązac komunikacji z siłomierzem.</translation>
    </message>
    <message>
        <source>Wyłącz wysyłanie ciągłe w urządzeniu.</source>
        <translation>Wyłącz wysyłanie ciągłe w urządzeniu.</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Numer próbki</source>
        <translation>Numer próbki</translation>
    </message>
    <message>
        <source>Pobieranie próbek zakończone.</source>
        <translation>Pobieranie próbek zakończone.</translation>
    </message>
    <message>
        <source>Operacja przerwana</source>
        <translation>Operacja przerwana</translation>
    </message>
    <message>
        <source>Niepoprawna wartość czasu próbkowania</source>
        <translation>Niepoprawna wartość czasu próbkowania</translation>
    </message>
    <message>
        <source>Niepoprawna wartość próbki</source>
        <translation>Niepoprawna wartość próbki</translation>
    </message>
    <message>
        <source>Pobieranie przerwane, siłomierz kończy wysyłanie...</source>
        <translation>Pobieranie przerwane, siłomierz kończy wysyłanie...</translation>
    </message>
    <message>
        <source>Pobieranie próbek przerwane.</source>
        <translation>Pobieranie próbek przerwane.</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Anuluj</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>ReadingPanel</name>
    <message>
        <source>Zamknij port</source>
        <translation>Zamknij port</translation>
    </message>
    <message>
        <source>Otwórz port</source>
        <translation>Otwórz port</translation>
    </message>
    <message>
        <source>Bateria</source>
        <translation>Bateria</translation>
    </message>
    <message>
        <source>Wyjdź</source>
        <translation>Wyjdź</translation>
    </message>
    <message>
        <source>Odświeżaj stan wyświetlacza</source>
        <translation>Odświeżaj stan wyświetlacza</translation>
    </message>
    <message>
        <source>Odświeżaj stan baterii</source>
        <translation>Odświeżaj stan baterii</translation>
    </message>
</context>
<context>
    <name>ResultsDatabase</name>
    <message>
        <source>Brak sterownika bazy danych %1 w tej instalacji Qt.</source>
        <translation>Brak sterownika bazy danych %1 w tej instalacji Qt.</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1.</source>
        <translation>Nie można utworzyć folderu %1.</translation>
    </message>
    <message>
        <source>Nie można odczytać wersji bazy wyników.</source>
        <translation>Nie można odczytać wersji bazy wyników.</translation>
    </message>
    <message>
        <source>Baza wyników pochodzi z nowszej wersji programu (schemat %1, ten program zna schemat %2).</source>
        <translation>Baza wyników pochodzi z nowszej wersji programu (schemat %1, ten program zna schemat %2).</translation>
    </message>
    <message>
        <source>Baza wyników nie jest otwarta.</source>
        <translation>Baza wyników nie jest otwarta.</translation>
    </message>
    <message>
        <source>Tej serii nie ma w bazie wyników.</source>
        <translation>Tej serii nie ma w bazie wyników.</translation>
    </message>
    <message>
        <source>Próbki testów %1 są uszkodzone; wczytano ich wyniki bez przebiegów.</source>
        <translation>Próbki testów %1 są uszkodzone; wczytano ich wyniki bez przebiegów.</translation>
    </message>
    <message>
        <source>Za mało pamięci na próbki testów %1; wczytano ich wyniki bez przebiegów.</source>
        <translation>Za mało pamięci na próbki testów %1; wczytano ich wyniki bez przebiegów.</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>Port %1 nie istnieje</source>
        <translation>Port %1 nie istnieje</translation>
    </message>
    <message>
        <source>Nie można otworzyć portu %1: %2</source>
        <translation>Nie można otworzyć portu %1: %2</translation>
    </message>
    <message>
        <source>Port jest zamknięty</source>
        <translation>Port jest zamknięty</translation>
    </message>
    <message>
        <source>Przekroczony czas zapisu do portu %1</source>
        <translation>Przekroczony czas zapisu do portu %1</translation>
    </message>
    <message>
        <source>Połączenie z portem %1 zostało przerwane: %2</source>
        <translation>Połączenie z portem %1 zostało przerwane: %2</translation>
    </message>
    <message>
        <source>prędkość</source>
        <translation>prędkość</translation>
    </message>
    <message>
        <source>bity danych</source>
        <translation>bity danych</translation>
    </message>
    <message>
        <source>bity stopu</source>
        <translation>bity stopu</translation>
    </message>
    <message>
        <source>parzystość</source>
        <translation>parzystość</translation>
    </message>
    <message>
        <source>sterowanie przepływem</source>
        <translation>sterowanie przepływem</translation>
    </message>
    <message>
        <source>Port %1 nie przyjął ustawień (%2): %3</source>
        <translation>Port %1 nie przyjął ustawień (%2): %3</translation>
    </message>
    <message>
        <source>Port %1 jest używany w innym oknie programu</source>
        <translation>Port %1 jest używany w innym oknie programu</translation>
    </message>
</context>
<context>
    <name>SeriesExports</name>
    <message>
        <source>raport</source>
        <translation>raport</translation>
    </message>
    <message>
        <source>Dokument PDF|*.pdf</source>
        <translation>Dokument PDF|*.pdf</translation>
    </message>
    <message>
        <source>Tworzenie raportu PDF...</source>
        <translation>Tworzenie raportu PDF...</translation>
    </message>
    <message>
        <source>Raport</source>
        <translation>Raport</translation>
    </message>
    <message>
        <source>Raport zapisano w pliku %1, ale nie udało się go otworzyć.</source>
        <translation>Raport zapisano w pliku %1, ale nie udało się go otworzyć.</translation>
    </message>
    <message>
        <source>Plik CSV|*.csv</source>
        <translation>Plik CSV|*.csv</translation>
    </message>
    <message>
        <source>seria</source>
        <translation>seria</translation>
    </message>
    <message>
        <source>Eksport CSV</source>
        <translation>Eksport CSV</translation>
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
        <translation>Usuń testy</translation>
    </message>
    <message>
        <source>Usunąć zaznaczone testy (%1)?</source>
        <translation>Usunąć zaznaczone testy (%1)?</translation>
    </message>
    <message>
        <source>Nowa seria</source>
        <translation>Nowa seria</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operator:</translation>
    </message>
    <message>
        <source>Część / partia:</source>
        <translation>Część / partia:</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Uwagi:</translation>
    </message>
    <message>
        <source>Liczba testów:</source>
        <translation>Liczba testów:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Średnia:</translation>
    </message>
    <message>
        <source>Odchylenie std.:</source>
        <translation>Odchylenie std.:</translation>
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
        <translation>Rozstęp:</translation>
    </message>
    <message>
        <source>Zgodne:</source>
        <translation>Zgodne:</translation>
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
        <translation>Nazwa nowej serii</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Seria testów</source>
        <translation>Seria testów</translation>
    </message>
    <message>
        <source>Seria z bazy wyników</source>
        <translation>Seria z bazy wyników</translation>
    </message>
    <message>
        <source>Rozpocząć nową serię? Testy bieżącej serii (%1) znikną z tabeli; pozostają w bazie wyników.</source>
        <translation>Rozpocząć nową serię? Testy bieżącej serii (%1) znikną z tabeli; pozostają w bazie wyników.</translation>
    </message>
    <message>
        <source>Baza wyników niedostępna: %1</source>
        <translation>Baza wyników niedostępna: %1</translation>
    </message>
    <message>
        <source>Wyniki zapisywane w: %1</source>
        <translation>Wyniki zapisywane w: %1</translation>
    </message>
    <message>
        <source>(niezapisane testy: %1, kolejna próba za chwilę)</source>
        <translation>(niezapisane testy: %1, kolejna próba za chwilę)</translation>
    </message>
    <message>
        <source>Usuwa zaznaczone testy z serii i z bazy wyników</source>
        <translation>Usuwa zaznaczone testy z serii i z bazy wyników</translation>
    </message>
    <message>
        <source>Raport PDF</source>
        <translation>Raport PDF</translation>
    </message>
    <message>
        <source>Raport zaznaczonych testów (lub całej serii) do podpisu</source>
        <translation>Raport zaznaczonych testów (lub całej serii) do podpisu</translation>
    </message>
    <message>
        <source>CSV serii</source>
        <translation>CSV serii</translation>
    </message>
    <message>
        <source>Tabela zaznaczonych testów (lub całej serii) w pliku CSV</source>
        <translation>Tabela zaznaczonych testów (lub całej serii) w pliku CSV</translation>
    </message>
    <message>
        <source>CSV próbek</source>
        <translation>CSV próbek</translation>
    </message>
    <message>
        <source>Próbki zaznaczonego testu w pliku CSV</source>
        <translation>Próbki zaznaczonego testu w pliku CSV</translation>
    </message>
    <message>
        <source>Otwórz serię</source>
        <translation>Otwórz serię</translation>
    </message>
    <message>
        <source>Otwiera serię zapisaną w bazie wyników</source>
        <translation>Otwiera serię zapisaną w bazie wyników</translation>
    </message>
    <message>
        <source>Baza wyników</source>
        <translation>Baza wyników</translation>
    </message>
    <message>
        <source>Gdzie zapisywane są wyniki: plik SQLite lub serwer PostgreSQL</source>
        <translation>Gdzie zapisywane są wyniki: plik SQLite lub serwer PostgreSQL</translation>
    </message>
    <message>
        <source>Wszystkie testy</source>
        <translation>Wszystkie testy</translation>
    </message>
    <message>
        <source>Miernik: %1</source>
        <translation>Miernik: %1</translation>
    </message>
    <message>
        <source>Stanowisko: %1</source>
        <translation>Stanowisko: %1</translation>
    </message>
</context>
<context>
    <name>SeriesTableModel</name>
    <message>
        <source>Nazwa</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Szczyt</source>
        <translation>Szczyt</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Ocena</translation>
    </message>
    <message>
        <source>Próbki</source>
        <translation>Próbki</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Czas</translation>
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
        <translation>Średnia</translation>
    </message>
    <message>
        <source>Źródło</source>
        <translation>Źródło</translation>
    </message>
    <message>
        <source>Miernik</source>
        <translation>Miernik</translation>
    </message>
    <message>
        <source>Stanowisko</source>
        <translation>Stanowisko</translation>
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
        <translation>Newton &apos;N&apos;</translation>
    </message>
    <message>
        <source>funt &apos;lb&apos;</source>
        <translation>funt &apos;lb&apos;</translation>
    </message>
    <message>
        <source>uncja &apos;oz&apos;</source>
        <translation>uncja &apos;oz&apos;</translation>
    </message>
    <message>
        <source>siła nacisku</source>
        <translation>siła nacisku</translation>
    </message>
    <message>
        <source>siła ciągu</source>
        <translation>siła ciągu</translation>
    </message>
    <message>
        <source> Ustawienia </source>
        <translation> Ustawienia </translation>
    </message>
    <message>
        <source> Jednostka </source>
        <translation> Jednostka </translation>
    </message>
    <message>
        <source>Tryb PEAK</source>
        <translation>Tryb PEAK</translation>
    </message>
    <message>
        <source> Akwizycja danych </source>
        <translation> Akwizycja danych </translation>
    </message>
    <message>
        <source> Tryb </source>
        <translation> Tryb </translation>
    </message>
    <message>
        <source> Szybkość pomiaru </source>
        <translation> Szybkość pomiaru </translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation>Ustaw</translation>
    </message>
    <message>
        <source>Progi</source>
        <translation>Progi</translation>
    </message>
    <message>
        <source>Dolny:</source>
        <translation>Dolny:</translation>
    </message>
    <message>
        <source>Górny:</source>
        <translation>Górny:</translation>
    </message>
    <message>
        <source>Zero:</source>
        <translation>Zero:</translation>
    </message>
    <message>
        <source> Przyspieszenie ziemskie </source>
        <translation> Przyspieszenie ziemskie </translation>
    </message>
    <message>
        <source>Odśwież ustawienia</source>
        <translation>Odśwież ustawienia</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Uwaga</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Niepoprawna wartość progu</source>
        <translation>Niepoprawna wartość progu</translation>
    </message>
    <message>
        <source>Niepoprawna wartość przyspieszenia</source>
        <translation>Niepoprawna wartość przyspieszenia</translation>
    </message>
    <message>
        <source>Niepoprawna liczba próbek</source>
        <translation>Niepoprawna liczba próbek</translation>
    </message>
    <message>
        <source>Liczba próbek powinna się zawierać w podanym przedziale.</source>
        <translation>Liczba próbek powinna się zawierać w podanym przedziale.</translation>
    </message>
    <message>
        <source>Niepoprawny czas próbkowania</source>
        <translation>Niepoprawny czas próbkowania</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania wynosi 0.001s.</source>
        <translation>Minimalny czas próbkowania wynosi 0.001s.</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation>Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation>Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.</translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation>Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.</translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation>Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.</translation>
    </message>
    <message>
        <source>Czas próbkowania powinien się zawierać w podanym przedziale.</source>
        <translation>Czas próbkowania powinien się zawierać w podanym przedziale.</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>Eksport do Excela</source>
        <translation>Eksport do Excela</translation>
    </message>
    <message>
        <source>Brak danych do wyeksportowania.</source>
        <translation>Brak danych do wyeksportowania.</translation>
    </message>
    <message>
        <source>Otwórz program Excel</source>
        <extracomment>No running spreadsheet program could be reached or written; on Linux that program is LibreOffice Calc, so the translation names &quot;LibreOffice Calc or Excel&quot;.</extracomment>
        <translation>Otwórz program Excel</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source> Statystyki </source>
        <translation> Statystyki </translation>
    </message>
    <message>
        <source>Wyczyść pomiary</source>
        <translation>Wyczyść pomiary</translation>
    </message>
    <message>
        <source>Liczba pom.:</source>
        <translation>Liczba pom.:</translation>
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
        <translation>Suma:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Średnia:</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Komunikacja</source>
        <translation>Komunikacja</translation>
    </message>
    <message>
        <source>Informacja o programie</source>
        <translation>Informacja o programie</translation>
    </message>
    <message>
        <source>Producent:</source>
        <translation>Producent:</translation>
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
        <translation>30-001 Kraków, Polska</translation>
    </message>
    <message>
        <source>tel. +48 12 345 67 00</source>
        <translation>tel. +48 12 345 67 00</translation>
    </message>
    <message>
        <source>faks +48 12 345 67 01</source>
        <translation>faks +48 12 345 67 01</translation>
    </message>
    <message>
        <source>e-mail:</source>
        <translation>e-mail:</translation>
    </message>
    <message>
        <source>strona:</source>
        <translation>strona:</translation>
    </message>
    <message>
        <source>Ikony i rysunki programu przygotował zespół ZENTO FM.</source>
        <translation>Ikony i rysunki programu przygotował zespół ZENTO FM.</translation>
    </message>
    <message>
        <source>Powrót</source>
        <translation>Powrót</translation>
    </message>
</context>
<context>
    <name>TAutoKonfForm</name>
    <message>
        <source>Auto-Konfi.</source>
        <translation>Auto-Konfi.</translation>
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
        <translation>Próby:</translation>
    </message>
    <message>
        <source>Status:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Max. Port:</source>
        <translation>Max. Port:</translation>
    </message>
    <message>
        <source>S&amp;chließen</source>
        <translation>&amp;Zamknij</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Szukaj</translation>
    </message>
    <message>
        <source>Zatrzymaj</source>
        <translation>Zatrzymaj</translation>
    </message>
    <message>
        <source>Wykryj</source>
        <translation>Wykryj</translation>
    </message>
    <message>
        <source>Trwa szukanie ustawień...</source>
        <translation>Trwa szukanie ustawień...</translation>
    </message>
    <message>
        <source>Port skonfigurowany</source>
        <translation>Port skonfigurowany</translation>
    </message>
    <message>
        <source>Brak komunikacji</source>
        <translation>Brak komunikacji</translation>
    </message>
    <message>
        <source>Przerwano szukanie</source>
        <translation>Przerwano szukanie</translation>
    </message>
</context>
<context>
    <name>TComSetupFrm</name>
    <message>
        <source>None</source>
        <comment>parity or flow control</comment>
        <translation>Brak</translation>
    </message>
    <message>
        <source>Odd</source>
        <comment>parity</comment>
        <translation>Nieparzysta</translation>
    </message>
    <message>
        <source>Even</source>
        <comment>parity</comment>
        <translation>Parzysta</translation>
    </message>
    <message>
        <source>Mark</source>
        <comment>parity</comment>
        <translation>Znacznik</translation>
    </message>
    <message>
        <source>Space</source>
        <comment>parity</comment>
        <translation>Odstęp</translation>
    </message>
    <message>
        <source>Hardware</source>
        <comment>flow control</comment>
        <translation>Sprzętowe</translation>
    </message>
    <message>
        <source>Software</source>
        <comment>flow control</comment>
        <translation>Programowe</translation>
    </message>
    <message>
        <source>Custom</source>
        <comment>flow control</comment>
        <translation>Własne</translation>
    </message>
    <message>
        <source>RS-232 settings</source>
        <translation>Ustawienia RS-232</translation>
    </message>
    <message>
        <source> Settings: </source>
        <translation> Ustawienia: </translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Prędkość:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Bity danych:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Bity stopu:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parzystość:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Sterowanie przepływem:</translation>
    </message>
    <message>
        <source>Zastosuj</source>
        <translation>Zastosuj</translation>
    </message>
    <message>
        <source>Apply settings</source>
        <translation>Zastosuj ustawienia</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Cancel settings</source>
        <translation>Anuluj zmiany</translation>
    </message>
</context>
<context>
    <name>TConnectionForm</name>
    <message>
        <source>Ustawienia połączenia</source>
        <translation>Ustawienia połączenia</translation>
    </message>
    <message>
        <source>Podłączenie wagi:</source>
        <translation>Podłączenie wagi:</translation>
    </message>
    <message>
        <source>Port szeregowy</source>
        <translation>Port szeregowy</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source> Ustawienia połączenia ethernetowego: </source>
        <translation> Ustawienia połączenia ethernetowego: </translation>
    </message>
    <message>
        <source>Adres IP:</source>
        <translation>Adres IP:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source> Ustawienia portu szeregowego: </source>
        <translation> Ustawienia portu szeregowego: </translation>
    </message>
    <message>
        <source>Port COM:</source>
        <translation>Port COM:</translation>
    </message>
    <message>
        <source>Prędkość:</source>
        <translation>Prędkość:</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>bps</translation>
    </message>
    <message>
        <source>Wykryj</source>
        <translation>Wykryj</translation>
    </message>
    <message>
        <source>Zaawansowane</source>
        <translation>Zaawansowane</translation>
    </message>
    <message>
        <source>Zastosuj</source>
        <translation>Zastosuj</translation>
    </message>
    <message>
        <source>Apply settings</source>
        <translation>Zastosuj ustawienia</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Cancel settings</source>
        <translation>Anuluj zmiany</translation>
    </message>
    <message>
        <source>Ponawiaj połączenie po jego utracie</source>
        <translation>Ponawiaj połączenie po jego utracie</translation>
    </message>
    <message>
        <source>Ponawiaj przez:</source>
        <translation>Ponawiaj przez:</translation>
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
        <translation>Baza wyników</translation>
    </message>
    <message>
        <source>Plik na tym komputerze (SQLite)</source>
        <translation>Plik na tym komputerze (SQLite)</translation>
    </message>
    <message>
        <source>Serwer wspólny dla stanowisk (PostgreSQL)</source>
        <translation>Serwer wspólny dla stanowisk (PostgreSQL)</translation>
    </message>
    <message>
        <source>Plik:</source>
        <translation>Plik:</translation>
    </message>
    <message>
        <source>Serwer:</source>
        <translation>Serwer:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Baza danych:</source>
        <translation>Baza danych:</translation>
    </message>
    <message>
        <source>Użytkownik:</source>
        <translation>Użytkownik:</translation>
    </message>
    <message>
        <source>Hasło:</source>
        <translation>Hasło:</translation>
    </message>
    <message>
        <source>Sprawdź połączenie</source>
        <translation>Sprawdź połączenie</translation>
    </message>
    <message>
        <source>Połączenie działa: %1</source>
        <translation>Połączenie działa: %1</translation>
    </message>
    <message>
        <source>Brak połączenia: %1</source>
        <translation>Brak połączenia: %1</translation>
    </message>
    <message>
        <source>Sprawdzanie połączenia...</source>
        <translation>Sprawdzanie połączenia...</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Czas</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*</source>
        <translation>Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*</translation>
    </message>
    <message>
        <source>Otwórz dane</source>
        <translation>Otwórz dane</translation>
    </message>
    <message>
        <source>Zapisz dane</source>
        <translation>Zapisz dane</translation>
    </message>
    <message>
        <source>Zapisz wykres</source>
        <translation>Zapisz wykres</translation>
    </message>
    <message>
        <source>Folder pomiarów</source>
        <translation>Folder pomiarów</translation>
    </message>
    <message>
        <source>The specified directory does not exist. Create it?</source>
        <translation>Wskazany folder nie istnieje. Utworzyć go?</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1</source>
        <translation>Nie można utworzyć folderu %1</translation>
    </message>
    <message>
        <source>help\ZENTO_FM.htm</source>
        <translation>help\ZENTO_FM.htm</translation>
    </message>
    <message>
        <source>Pomiar on-line</source>
        <translation>Pomiar on-line</translation>
    </message>
    <message>
        <source>Połączenie z portem %1 zostało przerwane</source>
        <translation>Połączenie z portem %1 zostało przerwane</translation>
    </message>
    <message>
        <source>Zerowy czas próbkowania.</source>
        <translation>Zerowy czas próbkowania.</translation>
    </message>
    <message>
        <source>Nadawanie ciągle włączone</source>
        <translation>Nadawanie ciągle włączone</translation>
    </message>
    <message>
        <source>Nadawanie ciągle wyłączone</source>
        <translation>Nadawanie ciągle wyłączone</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: pomiar nie został rozpoczęty.</source>
        <translation>Nie można zapisać pliku %1: pomiar nie został rozpoczęty.</translation>
    </message>
    <message>
        <source>Nie można utworzyć pliku wyników %1</source>
        <translation>Nie można utworzyć pliku wyników %1</translation>
    </message>
    <message>
        <source>Seria testów</source>
        <translation>Seria testów</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1</source>
        <translation>Nie można zapisać pliku %1</translation>
    </message>
    <message>
        <source>Zapisywanie danych...</source>
        <translation>Zapisywanie danych...</translation>
    </message>
    <message>
        <source>Eksport danych...</source>
        <translation>Eksport danych...</translation>
    </message>
    <message>
        <source>Pobierz dane</source>
        <translation>Pobierz dane</translation>
    </message>
    <message>
        <source>Pobieranie próbek z siłomierza...</source>
        <translation>Pobieranie próbek z siłomierza...</translation>
    </message>
    <message>
        <source>Pomiar rozpoczęty %1 nie został zakończony: program przerwał pracę w jego trakcie. Odtworzyć zapisane próbki?</source>
        <translation>Pomiar rozpoczęty %1 nie został zakończony: program przerwał pracę w jego trakcie. Odtworzyć zapisane próbki?</translation>
    </message>
    <message>
        <source>Pozostałe przerwane pomiary (%1) zostaną zaproponowane przy następnych uruchomieniach.</source>
        <translation>Pozostałe przerwane pomiary (%1) zostaną zaproponowane przy następnych uruchomieniach.</translation>
    </message>
    <message>
        <source>Odzyskiwanie pomiaru</source>
        <translation>Odzyskiwanie pomiaru</translation>
    </message>
    <message>
        <source>Zapis przerwanego pomiaru pozostaje w folderze %1</source>
        <translation>Zapis przerwanego pomiaru pozostaje w folderze %1</translation>
    </message>
    <message>
        <source>Odzyskany pomiar %1</source>
        <translation>Odzyskany pomiar %1</translation>
    </message>
    <message>
        <source>Odzyskano %1 próbek pomiaru rozpoczętego %2.</source>
        <translation>Odzyskano %1 próbek pomiaru rozpoczętego %2.</translation>
    </message>
    <message>
        <source>Odzyskano %1 próbek pomiaru rozpoczętego %2 i zapisano je w pliku %3.</source>
        <translation>Odzyskano %1 próbek pomiaru rozpoczętego %2 i zapisano je w pliku %3.</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Koniec</translation>
    </message>
    <message>
        <source>Pomiar trwa w innych oknach (%1). Zamknąć wszystkie okna? Zmierzone dotąd próbki zostaną zachowane.</source>
        <translation>Pomiar trwa w innych oknach (%1). Zamknąć wszystkie okna? Zmierzone dotąd próbki zostaną zachowane.</translation>
    </message>
</context>
<context>
    <name>TSeriesListForm</name>
    <message>
        <source>Otwórz serię z bazy wyników</source>
        <translation>Otwórz serię z bazy wyników</translation>
    </message>
    <message>
        <source>Seria</source>
        <translation>Seria</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Testy</source>
        <translation>Testy</translation>
    </message>
    <message>
        <source>Stanowisko</source>
        <translation>Stanowisko</translation>
    </message>
    <message>
        <source>(bez nazwy)</source>
        <translation>(bez nazwy)</translation>
    </message>
</context>
<context>
    <name>TestCsv</name>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Nie można zapisać pliku %1: %2</translation>
    </message>
</context>
<context>
    <name>TestReport</name>
    <message>
        <source>Strona %1 z %2</source>
        <translation>Strona %1 z %2</translation>
    </message>
    <message>
        <source>Raport z testu</source>
        <translation>Raport z testu</translation>
    </message>
    <message>
        <source>Raport z serii testów (%1)</source>
        <translation>Raport z serii testów (%1)</translation>
    </message>
    <message>
        <source>Data testu:</source>
        <translation>Data testu:</translation>
    </message>
    <message>
        <source>Daty testów:</source>
        <translation>Daty testów:</translation>
    </message>
    <message>
        <source>Data wydruku:</source>
        <translation>Data wydruku:</translation>
    </message>
    <message>
        <source>Jednostka:</source>
        <translation>Jednostka:</translation>
    </message>
    <message>
        <source>Tolerancja:</source>
        <translation>Tolerancja:</translation>
    </message>
    <message>
        <source>brak</source>
        <translation>brak</translation>
    </message>
    <message>
        <source>Stanowisko:</source>
        <translation>Stanowisko:</translation>
    </message>
    <message>
        <source>Miernik:</source>
        <translation>Miernik:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Numer seryjny:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Operator:</translation>
    </message>
    <message>
        <source>Część / partia:</source>
        <translation>Część / partia:</translation>
    </message>
    <message>
        <source>Moment obrotowy</source>
        <translation>Moment obrotowy</translation>
    </message>
    <message>
        <source>Siła</source>
        <translation>Siła</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Czas</translation>
    </message>
    <message>
        <source>Wyniki testu</source>
        <translation>Wyniki testu</translation>
    </message>
    <message>
        <source>Szczyt:</source>
        <translation>Szczyt:</translation>
    </message>
    <message>
        <source>Czas szczytu:</source>
        <translation>Czas szczytu:</translation>
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
        <translation>Średnia:</translation>
    </message>
    <message>
        <source>Ocena:</source>
        <translation>Ocena:</translation>
    </message>
    <message>
        <source>Liczba próbek:</source>
        <translation>Liczba próbek:</translation>
    </message>
    <message>
        <source>Czas trwania:</source>
        <translation>Czas trwania:</translation>
    </message>
    <message>
        <source>Czas próbkowania:</source>
        <translation>Czas próbkowania:</translation>
    </message>
    <message>
        <source>Źródło:</source>
        <translation>Źródło:</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Uwagi:</translation>
    </message>
    <message>
        <source>Rozstęp:</source>
        <translation>Rozstęp:</translation>
    </message>
    <message>
        <source>Zgodne:</source>
        <translation>Zgodne:</translation>
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
        <translation>Statystyka szczytów</translation>
    </message>
    <message>
        <source>Liczba testów:</source>
        <translation>Liczba testów:</translation>
    </message>
    <message>
        <source>Odchylenie std.:</source>
        <translation>Odchylenie std.:</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>Nr</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Początek</translation>
    </message>
    <message>
        <source>Szczyt</source>
        <translation>Szczyt</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Ocena</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Część / partia</source>
        <translation>Część / partia</translation>
    </message>
    <message>
        <source>Testy</source>
        <translation>Testy</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Podpis</source>
        <translation>Podpis</translation>
    </message>
    <message>
        <source>Brak testów do raportu.</source>
        <translation>Brak testów do raportu.</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Nie można zapisać pliku %1: %2</translation>
    </message>
    <message>
        <source>Tworzenie raportu przerwano.</source>
        <translation>Tworzenie raportu przerwano.</translation>
    </message>
    <message>
        <source>Nie można utworzyć pliku PDF %1.</source>
        <translation>Nie można utworzyć pliku PDF %1.</translation>
    </message>
</context>
<context>
    <name>TestTexts</name>
    <message>
        <source>zgodny</source>
        <translation>zgodny</translation>
    </message>
    <message>
        <source>niezgodny</source>
        <translation>niezgodny</translation>
    </message>
    <message>
        <source>bez oceny</source>
        <translation>bez oceny</translation>
    </message>
    <message>
        <source>pobrane dane</source>
        <translation>pobrane dane</translation>
    </message>
    <message>
        <source>plik danych</source>
        <translation>plik danych</translation>
    </message>
    <message>
        <source>pomiar on-line</source>
        <translation>pomiar on-line</translation>
    </message>
    <message>
        <source>Test %1</source>
        <translation>Test %1</translation>
    </message>
    <message>
        <source>Przerwa w połączeniu z miernikiem: %1</source>
        <translation>Przerwa w połączeniu z miernikiem: %1</translation>
    </message>
</context>
</TS>
