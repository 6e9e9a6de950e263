<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="pl_PL">
<context>
    <name>ChartView</name>
    <message>
        <source>Czas</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DeviceModel</name>
    <message>
        <source>Czas próbkowania</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Liczba próbek</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrderSet</name>
    <message>
        <source>Zerowanie...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Włączenie/wyłączanie...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przejście do/powrót z oczekiwania...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawianie dolnego progu...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawianie górnego progu...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawianie zerowego progu...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zmiana jednostki...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyłączanie trybu PEAK...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK+...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK-...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wywoływanie operacji MEM...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zmiana szybkości pomiaru...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zmiana trybu akwizycji...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawianie liczby próbek...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawianie czasu próbkowania...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyłączanie progów...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Włączanie progów...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyłączanie nadawania ciągłego...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Włączanie nadawania ciągłego...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odczyt zgromadzonych próbek...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resetowanie...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawianie przyspieszenia...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProcessData</name>
    <message>
        <source>Próbka</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Siłomierz wyzerowany</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Siłomierz wyłączony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Siłomierz włączony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Siłomierz w trybie oczekiwania</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dolny próg ustawiony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Górny próg ustawiony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jednostka zmieniona</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Odczyt stabilnego wskazania...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tryb PEAK wyłączony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tryb PEAK + włączony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tryb PEAK - włączony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operacja MEM wywołana</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Szybkość zmieniona na FAST</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Szybkość zmieniona na SLOW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na ręczny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na automatyczny</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Liczba próbek ustawiona</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Czas próbkowania ustawiony</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progi wyłączone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progi włączone</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pomiary zresetowane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Przyspieszenie ustawione</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Za duża liczba próbek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ustawiono maksymalną liczbę próbek.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nie można wykonać rozkazu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wynik odczytany</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niezgodność jednostek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść wykres przed pobraniem nowych próbek.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zmiana jednostki</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nastąpiła zmiana jednostki w urządzeniu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jednostka w urządzeniu nie zgadza się z jednostką na wykresie.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyłączono pomiar online</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wysyłanie ciągłe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nie można nawiązac komunikacji z siłomierzem.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wyłącz wysyłanie ciągłe w urządzeniu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Czas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Numer próbki</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Niepoprawna wartość progu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niepoprawna wartość przyspieszenia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niepoprawna liczba próbek</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Liczba próbek powinna się zawierać w podanym przedziale.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niepoprawny czas próbkowania</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania wynosi 0.001s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Czas próbkowania powinien się zawierać w podanym przedziale.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
