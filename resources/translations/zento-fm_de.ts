<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="pl_PL">
<context>
    <name>ChartImage</name>
    <message>
        <source>Pliki obrazu (.bmp)|*.bmp</source>
        <translation>Bilddateien (.bmp)|*.bmp</translation>
    </message>
    <message>
        <source>Nie można zapisać wykresu do pliku %1</source>
        <translation>Das Diagramm kann nicht in der Datei %1 gespeichert werden</translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>Czas</source>
        <translation>Zeit</translation>
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
        <translation>Die Datei %1 kann nicht gespeichert werden: %2</translation>
    </message>
    <message>
        <source>Nie można otworzyć pliku %1: %2</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Błąd odczytu pliku %1: %2</source>
        <translation>Fehler beim Lesen der Datei %1: %2</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1</source>
        <translation>Der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>zapis przerwany</source>
        <translation>Speichern abgebrochen</translation>
    </message>
    <message>
        <source>Za mało pamięci, aby wczytać cały plik %1</source>
        <translation>Zu wenig Arbeitsspeicher, um die ganze Datei %1 zu lesen</translation>
    </message>
</context>
<context>
    <name>DataFileOpening</name>
    <message>
        <source>Otwórz dane</source>
        <translation>Daten öffnen</translation>
    </message>
    <message>
        <source>Wczytywanie danych...</source>
        <translation>Daten werden gelesen...</translation>
    </message>
    <message>
        <source>Za mało pamięci na test z pliku %1</source>
        <translation>Zu wenig Arbeitsspeicher für eine Prüfung aus der Datei %1</translation>
    </message>
</context>
<context>
    <name>DeviceModel</name>
    <message>
        <source>Czas próbkowania</source>
        <translation>Abtastzeit</translation>
    </message>
    <message>
        <source>Liczba próbek</source>
        <translation>Anzahl Messwerte</translation>
    </message>
</context>
<context>
    <name>GaugeExchange</name>
    <message>
        <source>Niedostępne w czasie pomiaru on-line</source>
        <translation>Während einer Online-Messung nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>InstrumentPanel</name>
    <message>
        <source>karta SD</source>
        <translation>SD-Karte</translation>
    </message>
    <message>
        <source>Model urządzenia:</source>
        <translation>Modell:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Taruj</source>
        <translation>Tarieren</translation>
    </message>
    <message>
        <source>Włącz / wyłącz</source>
        <translation>Ein / aus</translation>
    </message>
    <message>
        <source>Czuwanie</source>
        <translation>Bereitschaft</translation>
    </message>
    <message>
        <source>Tryb PEAK</source>
        <translation>PEAK-Modus</translation>
    </message>
    <message>
        <source>Zapis do pamięci</source>
        <translation>In den Speicher</translation>
    </message>
    <message>
        <source> Pomiar on-line</source>
        <translation> Online-Messung</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Rozpoczyna pomiar automatyczny</source>
        <translation>Startet die automatische Messung</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Przerywa pomiar automatyczny</source>
        <translation>Beendet die automatische Messung</translation>
    </message>
    <message>
        <source>Uruchom o</source>
        <translation>Starten um</translation>
    </message>
    <message>
        <source>Ustaw następną minutę</source>
        <translation>Nächste Minute einstellen</translation>
    </message>
    <message>
        <source>Pozostało:</source>
        <translation>Verbleibend:</translation>
    </message>
    <message>
        <source> Pomiar off-line </source>
        <translation> Offline-Messung </translation>
    </message>
    <message>
        <source>Pamięć:</source>
        <translation>Speicher:</translation>
    </message>
    <message>
        <source>Pobierz dane</source>
        <translation>Daten laden</translation>
    </message>
    <message>
        <source>Resetuj dane</source>
        <translation>Speicher löschen</translation>
    </message>
    <message>
        <source>Godzina startu</source>
        <translation>Startstunde</translation>
    </message>
    <message>
        <source>Minuta startu</source>
        <translation>Startminute</translation>
    </message>
</context>
<context>
    <name>LinkRecovery</name>
    <message>
        <source>Połączenie z %1 utracone, ponawianie... (%2 s)</source>
        <translation>Verbindung zu %1 verloren, neuer Versuch... (%2 s)</translation>
    </message>
    <message>
        <source>Połączenie z %1 przywrócone</source>
        <translation>Verbindung zu %1 wiederhergestellt</translation>
    </message>
    <message>
        <source>Połączenie z %1 nie zostało przywrócone</source>
        <translation>Verbindung zu %1 konnte nicht wiederhergestellt werden</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Plik</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Otwórz dane</source>
        <translation>Daten öffnen</translation>
    </message>
    <message>
        <source>Zapisz dane ...</source>
        <translation>Daten speichern ...</translation>
    </message>
    <message>
        <source>Zapisz wykres ...</source>
        <translation>Diagramm speichern ...</translation>
    </message>
    <message>
        <source>Folder pomiarów</source>
        <translation>Ergebnisordner</translation>
    </message>
    <message>
        <source>Eksport do Excela</source>
        <translation>Export in Tabellenkalkulation</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Połączenie</source>
        <translation>Verbindung</translation>
    </message>
    <message>
        <source>Pomiar</source>
        <translation>Messung</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>O producencie</source>
        <translation>Über den Hersteller</translation>
    </message>
    <message>
        <source>Nowe okno</source>
        <translation>Neues Fenster</translation>
    </message>
</context>
<context>
    <name>OrderSet</name>
    <message>
        <source>Zerowanie...</source>
        <translation>Tarieren...</translation>
    </message>
    <message>
        <source>Włączenie/wyłączanie...</source>
        <translation>Ein-/Ausschalten...</translation>
    </message>
    <message>
        <source>Przejście do/powrót z oczekiwania...</source>
        <translation>Bereitschaft ein/aus...</translation>
    </message>
    <message>
        <source>Ustawianie dolnego progu...</source>
        <translation>Unterer Grenzwert wird gesetzt...</translation>
    </message>
    <message>
        <source>Ustawianie górnego progu...</source>
        <translation>Oberer Grenzwert wird gesetzt...</translation>
    </message>
    <message>
        <source>Ustawianie zerowego progu...</source>
        <translation>Nullgrenzwert wird gesetzt...</translation>
    </message>
    <message>
        <source>Zmiana jednostki...</source>
        <translation>Einheit wird geändert...</translation>
    </message>
    <message>
        <source>Wyłączanie trybu PEAK...</source>
        <translation>PEAK-Modus wird ausgeschaltet...</translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK+...</source>
        <translation>PEAK+ wird eingeschaltet...</translation>
    </message>
    <message>
        <source>Włączanie trybu PEAK-...</source>
        <translation>PEAK- wird eingeschaltet...</translation>
    </message>
    <message>
        <source>Wywoływanie operacji MEM...</source>
        <translation>MEM-Funktion wird ausgeführt...</translation>
    </message>
    <message>
        <source>Zmiana szybkości pomiaru...</source>
        <translation>Messgeschwindigkeit wird geändert...</translation>
    </message>
    <message>
        <source>Zmiana trybu akwizycji...</source>
        <translation>Erfassungsmodus wird geändert...</translation>
    </message>
    <message>
        <source>Ustawianie liczby próbek...</source>
        <translation>Anzahl der Messwerte wird gesetzt...</translation>
    </message>
    <message>
        <source>Ustawianie czasu próbkowania...</source>
        <translation>Abtastzeit wird gesetzt...</translation>
    </message>
    <message>
        <source>Wyłączanie progów...</source>
        <translation>Grenzwerte werden ausgeschaltet...</translation>
    </message>
    <message>
        <source>Włączanie progów...</source>
        <translation>Grenzwerte werden eingeschaltet...</translation>
    </message>
    <message>
        <source>Wyłączanie nadawania ciągłego...</source>
        <translation>Dauersenden wird ausgeschaltet...</translation>
    </message>
    <message>
        <source>Włączanie nadawania ciągłego...</source>
        <translation>Dauersenden wird eingeschaltet...</translation>
    </message>
    <message>
        <source>Odczyt zgromadzonych próbek...</source>
        <translation>Gespeicherte Messwerte werden gelesen...</translation>
    </message>
    <message>
        <source>Resetowanie...</source>
        <translation>Speicher wird gelöscht...</translation>
    </message>
    <message>
        <source>Ustawianie przyspieszenia...</source>
        <translation>Erdbeschleunigung wird gesetzt...</translation>
    </message>
</context>
<context>
    <name>PortControl</name>
    <message>
        <source>Wskazany port COM nie istnieje lub jest zajęty przez inny program</source>
        <translation>Der angegebene COM-Port existiert nicht oder wird von einem anderen Programm verwendet</translation>
    </message>
</context>
<context>
    <name>ProcessData</name>
    <message>
        <source>Próbka</source>
        <translation>Messwert</translation>
    </message>
    <message>
        <source>Siłomierz wyzerowany</source>
        <translation>Messgerät tariert</translation>
    </message>
    <message>
        <source>Siłomierz wyłączony</source>
        <translation>Messgerät ausgeschaltet</translation>
    </message>
    <message>
        <source>Siłomierz włączony</source>
        <translation>Messgerät eingeschaltet</translation>
    </message>
    <message>
        <source>Siłomierz w trybie oczekiwania</source>
        <translation>Messgerät in Bereitschaft</translation>
    </message>
    <message>
        <source>Dolny próg ustawiony</source>
        <translation>Unterer Grenzwert gesetzt</translation>
    </message>
    <message>
        <source>Górny próg ustawiony</source>
        <translation>Oberer Grenzwert gesetzt</translation>
    </message>
    <message>
        <source>Jednostka zmieniona</source>
        <translation>Einheit geändert</translation>
    </message>
    <message>
        <source>Odczyt stabilnego wskazania...</source>
        <translation>Warten auf einen stabilen Messwert...</translation>
    </message>
    <message>
        <source>Tryb PEAK wyłączony</source>
        <translation>PEAK-Modus ausgeschaltet</translation>
    </message>
    <message>
        <source>Tryb PEAK + włączony</source>
        <translation>PEAK + eingeschaltet</translation>
    </message>
    <message>
        <source>Tryb PEAK - włączony</source>
        <translation>PEAK - eingeschaltet</translation>
    </message>
    <message>
        <source>Operacja MEM wywołana</source>
        <translation>MEM-Funktion ausgeführt</translation>
    </message>
    <message>
        <source>Szybkość zmieniona na FAST</source>
        <translation>Geschwindigkeit auf FAST geändert</translation>
    </message>
    <message>
        <source>Szybkość zmieniona na SLOW</source>
        <translation>Geschwindigkeit auf SLOW geändert</translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na ręczny</source>
        <translation>Erfassungsmodus auf manuell geändert</translation>
    </message>
    <message>
        <source>Tryb akwizycji zmieniony na automatyczny</source>
        <translation>Erfassungsmodus auf automatisch geändert</translation>
    </message>
    <message>
        <source>Liczba próbek ustawiona</source>
        <translation>Anzahl der Messwerte gesetzt</translation>
    </message>
    <message>
        <source>Czas próbkowania ustawiony</source>
        <translation>Abtastzeit gesetzt</translation>
    </message>
    <message>
        <source>Progi wyłączone</source>
        <translation>Grenzwerte ausgeschaltet</translation>
    </message>
    <message>
        <source>Progi włączone</source>
        <translation>Grenzwerte eingeschaltet</translation>
    </message>
    <message>
        <source>Pomiary zresetowane</source>
        <translation>Speicher gelöscht</translation>
    </message>
    <message>
        <source>Przyspieszenie ustawione</source>
        <translation>Erdbeschleunigung gesetzt</translation>
    </message>
    <message>
        <source>Za duża liczba próbek</source>
        <translation>Zu viele Messwerte</translation>
    </message>
    <message>
        <source>Ustawiono maksymalną liczbę próbek.</source>
        <translation>Die größte zulässige Anzahl der Messwerte wurde eingestellt.</translation>
    </message>
    <message>
        <source>Nie można wykonać rozkazu</source>
        <translation>Das Gerät kann den Befehl nicht ausführen</translation>
    </message>
    <message>
        <source>Wynik odczytany</source>
        <translation>Messwert gelesen</translation>
    </message>
    <message>
        <source>Niezgodność jednostek</source>
        <translation>Einheiten stimmen nicht überein</translation>
    </message>
    <message>
        <source>Jednostki na wykresie oraz w pobieranych danych różnią się. Wyczyść wykres przed pobraniem nowych próbek.</source>
        <translation>Die Einheiten im Diagramm und in den geladenen Daten unterscheiden sich. Löschen Sie das Diagramm, bevor Sie neue Messwerte laden.</translation>
    </message>
    <message>
        <source>Zmiana jednostki</source>
        <translation>Einheitenwechsel</translation>
    </message>
    <message>
        <source>Nastąpiła zmiana jednostki w urządzeniu.</source>
        <translation>Die Einheit am Gerät wurde geändert.</translation>
    </message>
    <message>
        <source>Jednostka w urządzeniu nie zgadza się z jednostką na wykresie.</source>
        <translation>Die Einheit des Geräts stimmt nicht mit der Einheit des Diagramms überein.</translation>
    </message>
    <message>
        <source>Wyłączono pomiar online</source>
        <translation>Die Online-Messung wurde beendet.</translation>
    </message>
    <message>
        <source>Wysyłanie ciągłe</source>
        <translation>Dauersenden</translation>
    </message>
    <message>
        <source>Nie można nawiązac komunikacji z siłomierzem.</source>
        <translation>Keine Kommunikation mit dem Messgerät möglich.</translation>
    </message>
    <message>
        <source>Wyłącz wysyłanie ciągłe w urządzeniu.</source>
        <translation>Schalten Sie das Dauersenden am Gerät aus.</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Numer próbki</source>
        <translation>Messwertnummer</translation>
    </message>
    <message>
        <source>Pobieranie próbek zakończone.</source>
        <translation>Download der Messwerte abgeschlossen.</translation>
    </message>
    <message>
        <source>Operacja przerwana</source>
        <translation>Vorgang abgebrochen</translation>
    </message>
    <message>
        <source>Niepoprawna wartość czasu próbkowania</source>
        <translation>Ungültige Abtastzeit</translation>
    </message>
    <message>
        <source>Niepoprawna wartość próbki</source>
        <translation>Ungültiger Messwert</translation>
    </message>
    <message>
        <source>Pobieranie przerwane, siłomierz kończy wysyłanie...</source>
        <translation>Laden abgebrochen, das Messgerät beendet die Übertragung...</translation>
    </message>
    <message>
        <source>Pobieranie próbek przerwane.</source>
        <translation>Laden der Messwerte abgebrochen.</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Anuluj</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ReadingPanel</name>
    <message>
        <source>Zamknij port</source>
        <translation>Port schließen</translation>
    </message>
    <message>
        <source>Otwórz port</source>
        <translation>Port öffnen</translation>
    </message>
    <message>
        <source>Bateria</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Wyjdź</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Odświeżaj stan wyświetlacza</source>
        <translation>Anzeige aktualisieren</translation>
    </message>
    <message>
        <source>Odświeżaj stan baterii</source>
        <translation>Akkustand aktualisieren</translation>
    </message>
</context>
<context>
    <name>ResultsDatabase</name>
    <message>
        <source>Brak sterownika bazy danych %1 w tej instalacji Qt.</source>
        <translation>Der Datenbanktreiber %1 fehlt in dieser Qt-Installation.</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Nie można odczytać wersji bazy wyników.</source>
        <translation>Die Version der Ergebnisdatenbank kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Baza wyników pochodzi z nowszej wersji programu (schemat %1, ten program zna schemat %2).</source>
        <translation>Die Ergebnisdatenbank stammt von einer neueren Programmversion (Schema %1, dieses Programm kennt Schema %2).</translation>
    </message>
    <message>
        <source>Baza wyników nie jest otwarta.</source>
        <translation>Die Ergebnisdatenbank ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Tej serii nie ma w bazie wyników.</source>
        <translation>Diese Serie ist nicht in der Ergebnisdatenbank.</translation>
    </message>
    <message>
        <source>Próbki testów %1 są uszkodzone; wczytano ich wyniki bez przebiegów.</source>
        <translation>Die Messwerte der Prüfungen %1 sind beschädigt; ihre Ergebnisse wurden ohne Kurven geladen.</translation>
    </message>
    <message>
        <source>Za mało pamięci na próbki testów %1; wczytano ich wyniki bez przebiegów.</source>
        <translation>Zu wenig Speicher für die Messwerte der Prüfungen %1; ihre Ergebnisse wurden ohne Kurven geladen.</translation>
    </message>
</context>
<context>
    <name>SerialLink</name>
    <message>
        <source>Port %1 nie istnieje</source>
        <translation>Port %1 existiert nicht</translation>
    </message>
    <message>
        <source>Nie można otworzyć portu %1: %2</source>
        <translation>Port %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Port jest zamknięty</source>
        <translation>Der Port ist geschlossen</translation>
    </message>
    <message>
        <source>Przekroczony czas zapisu do portu %1</source>
        <translation>Zeitüberschreitung beim Schreiben auf Port %1</translation>
    </message>
    <message>
        <source>Połączenie z portem %1 zostało przerwane: %2</source>
        <translation>Die Verbindung zu Port %1 wurde unterbrochen: %2</translation>
    </message>
    <message>
        <source>prędkość</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>bity danych</source>
        <translation>Datenbits</translation>
    </message>
    <message>
        <source>bity stopu</source>
        <translation>Stoppbits</translation>
    </message>
    <message>
        <source>parzystość</source>
        <translation>Parität</translation>
    </message>
    <message>
        <source>sterowanie przepływem</source>
        <translation>Flusssteuerung</translation>
    </message>
    <message>
        <source>Port %1 nie przyjął ustawień (%2): %3</source>
        <translation>Der Port %1 hat die Einstellungen abgelehnt (%2): %3</translation>
    </message>
    <message>
        <source>Port %1 jest używany w innym oknie programu</source>
        <translation>Port %1 wird in einem anderen Fenster des Programms verwendet</translation>
    </message>
</context>
<context>
    <name>SeriesExports</name>
    <message>
        <source>raport</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Dokument PDF|*.pdf</source>
        <translation>PDF-Dokument|*.pdf</translation>
    </message>
    <message>
        <source>Tworzenie raportu PDF...</source>
        <translation>PDF-Bericht wird erstellt...</translation>
    </message>
    <message>
        <source>Raport</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Raport zapisano w pliku %1, ale nie udało się go otworzyć.</source>
        <translation>Der Bericht wurde in der Datei %1 gespeichert, konnte aber nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Plik CSV|*.csv</source>
        <translation>CSV-Datei|*.csv</translation>
    </message>
    <message>
        <source>seria</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>Eksport CSV</source>
        <translation>CSV-Export</translation>
    </message>
    <message>
        <source>test</source>
        <translation>Prüfung</translation>
    </message>
</context>
<context>
    <name>SeriesPanel</name>
    <message>
        <source>Usuń testy</source>
        <translation>Prüfungen löschen</translation>
    </message>
    <message>
        <source>Usunąć zaznaczone testy (%1)?</source>
        <translation>Die ausgewählten Prüfungen (%1) löschen?</translation>
    </message>
    <message>
        <source>Nowa seria</source>
        <translation>Neue Serie</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Bediener:</translation>
    </message>
    <message>
        <source>Część / partia:</source>
        <translation>Teil / Charge:</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Bemerkung:</translation>
    </message>
    <message>
        <source>Liczba testów:</source>
        <translation>Prüfungen:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Mittelwert:</translation>
    </message>
    <message>
        <source>Odchylenie std.:</source>
        <translation>Standardabw.:</translation>
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
        <translation>Spannweite:</translation>
    </message>
    <message>
        <source>Zgodne:</source>
        <translation>Bestanden:</translation>
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
        <translation>Name der neuen Serie</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Seria testów</source>
        <translation>Prüfserie</translation>
    </message>
    <message>
        <source>Seria z bazy wyników</source>
        <translation>Serie aus der Ergebnisdatenbank</translation>
    </message>
    <message>
        <source>Rozpocząć nową serię? Testy bieżącej serii (%1) znikną z tabeli; pozostają w bazie wyników.</source>
        <translation>Eine neue Serie beginnen? Die Prüfungen der aktuellen Serie (%1) verschwinden aus der Tabelle; sie bleiben in der Ergebnisdatenbank.</translation>
    </message>
    <message>
        <source>Baza wyników niedostępna: %1</source>
        <translation>Ergebnisdatenbank nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>Wyniki zapisywane w: %1</source>
        <translation>Ergebnisse werden gespeichert in: %1</translation>
    </message>
    <message>
        <source>(niezapisane testy: %1, kolejna próba za chwilę)</source>
        <translation>(noch nicht gespeicherte Prüfungen: %1, neuer Versuch in Kürze)</translation>
    </message>
    <message>
        <source>Usuwa zaznaczone testy z serii i z bazy wyników</source>
        <translation>Löscht die markierten Prüfungen aus der Serie und aus der Ergebnisdatenbank</translation>
    </message>
    <message>
        <source>Raport PDF</source>
        <translation>PDF-Bericht</translation>
    </message>
    <message>
        <source>Raport zaznaczonych testów (lub całej serii) do podpisu</source>
        <translation>Ein Bericht der markierten Prüfungen (oder der ganzen Serie) zum Unterschreiben</translation>
    </message>
    <message>
        <source>CSV serii</source>
        <translation>Serie als CSV</translation>
    </message>
    <message>
        <source>Tabela zaznaczonych testów (lub całej serii) w pliku CSV</source>
        <translation>Die Tabelle der markierten Prüfungen (oder der ganzen Serie) in einer CSV-Datei</translation>
    </message>
    <message>
        <source>CSV próbek</source>
        <translation>Messwerte als CSV</translation>
    </message>
    <message>
        <source>Próbki zaznaczonego testu w pliku CSV</source>
        <translation>Die Messwerte der markierten Prüfung in einer CSV-Datei</translation>
    </message>
    <message>
        <source>Otwórz serię</source>
        <translation>Serie öffnen</translation>
    </message>
    <message>
        <source>Otwiera serię zapisaną w bazie wyników</source>
        <translation>Öffnet eine in der Ergebnisdatenbank gespeicherte Serie</translation>
    </message>
    <message>
        <source>Baza wyników</source>
        <translation>Ergebnisdatenbank</translation>
    </message>
    <message>
        <source>Gdzie zapisywane są wyniki: plik SQLite lub serwer PostgreSQL</source>
        <translation>Wo die Ergebnisse gespeichert werden: eine SQLite-Datei oder ein PostgreSQL-Server</translation>
    </message>
    <message>
        <source>Wszystkie testy</source>
        <translation>Alle Prüfungen</translation>
    </message>
    <message>
        <source>Miernik: %1</source>
        <translation>Messgerät: %1</translation>
    </message>
    <message>
        <source>Stanowisko: %1</source>
        <translation>Arbeitsplatz: %1</translation>
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
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Szczyt</source>
        <translation>Spitze</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Próbki</source>
        <translation>Proben</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Zeit</translation>
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
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Źródło</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Miernik</source>
        <translation>Messgerät</translation>
    </message>
    <message>
        <source>Stanowisko</source>
        <translation>Arbeitsplatz</translation>
    </message>
</context>
<context>
    <name>SettingsPanel</name>
    <message>
        <source>kilogram &apos;kg&apos;</source>
        <translation>Kilogramm &apos;kg&apos;</translation>
    </message>
    <message>
        <source>Newton &apos;N&apos;</source>
        <translation>Newton &apos;N&apos;</translation>
    </message>
    <message>
        <source>funt &apos;lb&apos;</source>
        <translation>Pfund &apos;lb&apos;</translation>
    </message>
    <message>
        <source>uncja &apos;oz&apos;</source>
        <translation>Unze &apos;oz&apos;</translation>
    </message>
    <message>
        <source>siła nacisku</source>
        <translation>Druckkraft</translation>
    </message>
    <message>
        <source>siła ciągu</source>
        <translation>Zugkraft</translation>
    </message>
    <message>
        <source> Ustawienia </source>
        <translation> Einstellungen </translation>
    </message>
    <message>
        <source> Jednostka </source>
        <translation> Einheit </translation>
    </message>
    <message>
        <source>Tryb PEAK</source>
        <translation>PEAK-Modus</translation>
    </message>
    <message>
        <source> Akwizycja danych </source>
        <translation> Datenerfassung </translation>
    </message>
    <message>
        <source> Tryb </source>
        <translation> Modus </translation>
    </message>
    <message>
        <source> Szybkość pomiaru </source>
        <translation> Messgeschwindigkeit </translation>
    </message>
    <message>
        <source>Ustaw</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Progi</source>
        <translation>Grenzwerte</translation>
    </message>
    <message>
        <source>Dolny:</source>
        <translation>Unten:</translation>
    </message>
    <message>
        <source>Górny:</source>
        <translation>Oben:</translation>
    </message>
    <message>
        <source>Zero:</source>
        <translation>Null:</translation>
    </message>
    <message>
        <source> Przyspieszenie ziemskie </source>
        <translation> Erdbeschleunigung </translation>
    </message>
    <message>
        <source>Odśwież ustawienia</source>
        <translation>Einstellungen aktualisieren</translation>
    </message>
    <message>
        <source>Uwaga</source>
        <translation>Achtung</translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Niepoprawna wartość progu</source>
        <translation>Ungültiger Grenzwert</translation>
    </message>
    <message>
        <source>Niepoprawna wartość przyspieszenia</source>
        <translation>Ungültiger Wert der Erdbeschleunigung</translation>
    </message>
    <message>
        <source>Niepoprawna liczba próbek</source>
        <translation>Ungültige Anzahl der Messwerte</translation>
    </message>
    <message>
        <source>Liczba próbek powinna się zawierać w podanym przedziale.</source>
        <translation>Die Anzahl der Messwerte muss im angegebenen Bereich liegen.</translation>
    </message>
    <message>
        <source>Niepoprawny czas próbkowania</source>
        <translation>Ungültige Abtastzeit</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania wynosi 0.001s.</source>
        <translation>Die kürzeste Abtastzeit beträgt 0,001 s.</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation>Die kürzeste Abtastzeit bei SLOW beträgt 0,1 s.</translation>
    </message>
    <message>
        <source>Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation>Die kürzeste Abtastzeit bei FAST beträgt 0,025 s.</translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.</source>
        <translation>Bei SLOW wird die Abtastzeit in Schritten von 0,1 s eingestellt.</translation>
    </message>
    <message>
        <source>Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.</source>
        <translation>Bei FAST wird die Abtastzeit in Schritten von 0,025 s eingestellt.</translation>
    </message>
    <message>
        <source>Czas próbkowania powinien się zawierać w podanym przedziale.</source>
        <translation>Die Abtastzeit muss im angegebenen Bereich liegen.</translation>
    </message>
</context>
<context>
    <name>SpreadsheetExport</name>
    <message>
        <source>Eksport do Excela</source>
        <translation>Export in Tabellenkalkulation</translation>
    </message>
    <message>
        <source>Brak danych do wyeksportowania.</source>
        <translation>Keine Daten zum Exportieren.</translation>
    </message>
    <message>
        <source>Otwórz program Excel</source>
        <extracomment>No running spreadsheet program could be reached or written; on Linux that program is LibreOffice Calc, so the translation names &quot;LibreOffice Calc or Excel&quot;.</extracomment>
        <translation>Starten Sie LibreOffice Calc oder Excel mit einer geöffneten Tabelle (siehe Hilfe).</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source> Statystyki </source>
        <translation> Statistik </translation>
    </message>
    <message>
        <source>Wyczyść pomiary</source>
        <translation>Messwerte löschen</translation>
    </message>
    <message>
        <source>Liczba pom.:</source>
        <translation>Anzahl:</translation>
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
        <translation>Summe:</translation>
    </message>
    <message>
        <source>Średnia:</source>
        <translation>Mittelwert:</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Komunikacja</source>
        <translation>Kommunikation</translation>
    </message>
    <message>
        <source>Informacja o programie</source>
        <translation>Über das Programm</translation>
    </message>
    <message>
        <source>Producent:</source>
        <translation>Hersteller:</translation>
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
        <translation>30-001 Kraków, Polen</translation>
    </message>
    <message>
        <source>tel. +48 12 345 67 00</source>
        <translation>Tel. +48 12 345 67 00</translation>
    </message>
    <message>
        <source>faks +48 12 345 67 01</source>
        <translation>Fax +48 12 345 67 01</translation>
    </message>
    <message>
        <source>e-mail:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>strona:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source>Ikony i rysunki programu przygotował zespół ZENTO FM.</source>
        <translation>Symbole und Zeichnungen: das ZENTO-FM-Team.</translation>
    </message>
    <message>
        <source>Powrót</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>TAutoKonfForm</name>
    <message>
        <source>Auto-Konfi.</source>
        <translation>Auto-Konfiguration</translation>
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
        <translation>Versuche:</translation>
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
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>&amp;Suchen</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Zatrzymaj</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Wykryj</source>
        <translation>Erkennen</translation>
    </message>
    <message>
        <source>Trwa szukanie ustawień...</source>
        <translation>Einstellungen werden gesucht...</translation>
    </message>
    <message>
        <source>Port skonfigurowany</source>
        <translation>Port konfiguriert</translation>
    </message>
    <message>
        <source>Brak komunikacji</source>
        <translation>Keine Kommunikation</translation>
    </message>
    <message>
        <source>Przerwano szukanie</source>
        <translation>Suche abgebrochen</translation>
    </message>
</context>
<context>
    <name>TComSetupFrm</name>
    <message>
        <source>None</source>
        <comment>parity or flow control</comment>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Odd</source>
        <comment>parity</comment>
        <translation>Ungerade</translation>
    </message>
    <message>
        <source>Even</source>
        <comment>parity</comment>
        <translation>Gerade</translation>
    </message>
    <message>
        <source>Mark</source>
        <comment>parity</comment>
        <translation>Markierung</translation>
    </message>
    <message>
        <source>Space</source>
        <comment>parity</comment>
        <translation>Leerstelle</translation>
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
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>RS-232 settings</source>
        <translation>RS-232-Einstellungen</translation>
    </message>
    <message>
        <source> Settings: </source>
        <translation> Einstellungen: </translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Baud rate:</source>
        <translation>Baudrate:</translation>
    </message>
    <message>
        <source>Data bits:</source>
        <translation>Datenbits:</translation>
    </message>
    <message>
        <source>Stop bits:</source>
        <translation>Stoppbits:</translation>
    </message>
    <message>
        <source>Parity:</source>
        <translation>Parität:</translation>
    </message>
    <message>
        <source>Flow control:</source>
        <translation>Flusssteuerung:</translation>
    </message>
    <message>
        <source>Zastosuj</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Apply settings</source>
        <translation>Einstellungen übernehmen</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel settings</source>
        <translation>Änderungen verwerfen</translation>
    </message>
</context>
<context>
    <name>TConnectionForm</name>
    <message>
        <source>Ustawienia połączenia</source>
        <translation>Verbindungseinstellungen</translation>
    </message>
    <message>
        <source>Podłączenie wagi:</source>
        <translation>Gerät angeschlossen über:</translation>
    </message>
    <message>
        <source>Port szeregowy</source>
        <translation>Serielle Schnittstelle</translation>
    </message>
    <message>
        <source>Ethernet</source>
        <translation>Ethernet</translation>
    </message>
    <message>
        <source> Ustawienia połączenia ethernetowego: </source>
        <translation> Ethernet-Verbindung: </translation>
    </message>
    <message>
        <source>Adres IP:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source> Ustawienia portu szeregowego: </source>
        <translation> Serielle Schnittstelle: </translation>
    </message>
    <message>
        <source>Port COM:</source>
        <translation>COM-Port:</translation>
    </message>
    <message>
        <source>Prędkość:</source>
        <translation>Baudrate:</translation>
    </message>
    <message>
        <source>bps</source>
        <translation>bit/s</translation>
    </message>
    <message>
        <source>Wykryj</source>
        <translation>Erkennen</translation>
    </message>
    <message>
        <source>Zaawansowane</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <source>Zastosuj</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Apply settings</source>
        <translation>Einstellungen übernehmen</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cancel settings</source>
        <translation>Änderungen verwerfen</translation>
    </message>
    <message>
        <source>Ponawiaj połączenie po jego utracie</source>
        <translation>Verbindung nach Abbruch neu aufbauen</translation>
    </message>
    <message>
        <source>Ponawiaj przez:</source>
        <translation>Versuchen für:</translation>
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
        <translation>Ergebnisdatenbank</translation>
    </message>
    <message>
        <source>Plik na tym komputerze (SQLite)</source>
        <translation>Eine Datei auf diesem Computer (SQLite)</translation>
    </message>
    <message>
        <source>Serwer wspólny dla stanowisk (PostgreSQL)</source>
        <translation>Ein gemeinsamer Server der Arbeitsplätze (PostgreSQL)</translation>
    </message>
    <message>
        <source>Plik:</source>
        <translation>Datei:</translation>
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
        <translation>Datenbank:</translation>
    </message>
    <message>
        <source>Użytkownik:</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <source>Hasło:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>Sprawdź połączenie</source>
        <translation>Verbindung prüfen</translation>
    </message>
    <message>
        <source>Połączenie działa: %1</source>
        <translation>Die Verbindung funktioniert: %1</translation>
    </message>
    <message>
        <source>Brak połączenia: %1</source>
        <translation>Keine Verbindung: %1</translation>
    </message>
    <message>
        <source>Sprawdzanie połączenia...</source>
        <translation>Verbindung wird geprüft...</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Czas</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Pliki tekstowe (.txt)|*.txt|Wszystkie pliki|*.*</source>
        <translation>Textdateien (.txt)|*.txt|Alle Dateien|*.*</translation>
    </message>
    <message>
        <source>Otwórz dane</source>
        <translation>Daten öffnen</translation>
    </message>
    <message>
        <source>Zapisz dane</source>
        <translation>Daten speichern</translation>
    </message>
    <message>
        <source>Zapisz wykres</source>
        <translation>Diagramm speichern</translation>
    </message>
    <message>
        <source>Folder pomiarów</source>
        <translation>Ergebnisordner</translation>
    </message>
    <message>
        <source>The specified directory does not exist. Create it?</source>
        <translation>Der angegebene Ordner existiert nicht. Soll er angelegt werden?</translation>
    </message>
    <message>
        <source>Nie można utworzyć folderu %1</source>
        <translation>Der Ordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>help\ZENTO_FM.htm</source>
        <translation>help\ZENTO_FM_de.htm</translation>
    </message>
    <message>
        <source>Pomiar on-line</source>
        <translation>Online-Messung</translation>
    </message>
    <message>
        <source>Połączenie z portem %1 zostało przerwane</source>
        <translation>Die Verbindung zu Port %1 wurde unterbrochen</translation>
    </message>
    <message>
        <source>Zerowy czas próbkowania.</source>
        <translation>Die Abtastzeit ist null.</translation>
    </message>
    <message>
        <source>Nadawanie ciągle włączone</source>
        <translation>Dauersenden eingeschaltet</translation>
    </message>
    <message>
        <source>Nadawanie ciągle wyłączone</source>
        <translation>Dauersenden ausgeschaltet</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: pomiar nie został rozpoczęty.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: Die Messung wurde nicht gestartet.</translation>
    </message>
    <message>
        <source>Nie można utworzyć pliku wyników %1</source>
        <translation>Die Ergebnisdatei %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>Seria testów</source>
        <translation>Prüfserie</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1</source>
        <translation>Die Datei %1 kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Zapisywanie danych...</source>
        <translation>Daten werden gespeichert...</translation>
    </message>
    <message>
        <source>Eksport danych...</source>
        <translation>Daten werden exportiert...</translation>
    </message>
    <message>
        <source>Pobierz dane</source>
        <translation>Daten laden</translation>
    </message>
    <message>
        <source>Pobieranie próbek z siłomierza...</source>
        <translation>Messwerte werden vom Messgerät geladen...</translation>
    </message>
    <message>
        <source>Pomiar rozpoczęty %1 nie został zakończony: program przerwał pracę w jego trakcie. Odtworzyć zapisane próbki?</source>
        <translation>Die am %1 begonnene Messung wurde nicht beendet: Das Programm brach während der Messung ab. Die gesicherten Messwerte wiederherstellen?</translation>
    </message>
    <message>
        <source>Pozostałe przerwane pomiary (%1) zostaną zaproponowane przy następnych uruchomieniach.</source>
        <translation>Die übrigen unterbrochenen Messungen (%1) werden bei den nächsten Starts angeboten.</translation>
    </message>
    <message>
        <source>Odzyskiwanie pomiaru</source>
        <translation>Messung wiederherstellen</translation>
    </message>
    <message>
        <source>Zapis przerwanego pomiaru pozostaje w folderze %1</source>
        <translation>Die Sicherung der unterbrochenen Messung bleibt im Ordner %1</translation>
    </message>
    <message>
        <source>Odzyskany pomiar %1</source>
        <translation>Wiederhergestellte Messung %1</translation>
    </message>
    <message>
        <source>Odzyskano %1 próbek pomiaru rozpoczętego %2.</source>
        <translation>%1 Messwerte der am %2 begonnenen Messung wiederhergestellt.</translation>
    </message>
    <message>
        <source>Odzyskano %1 próbek pomiaru rozpoczętego %2 i zapisano je w pliku %3.</source>
        <translation>%1 Messwerte der am %2 begonnenen Messung wiederhergestellt und in der Datei %3 gespeichert.</translation>
    </message>
    <message>
        <source>Koniec</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Pomiar trwa w innych oknach (%1). Zamknąć wszystkie okna? Zmierzone dotąd próbki zostaną zachowane.</source>
        <translation>In anderen Fenstern (%1) läuft eine Messung. Alle Fenster schließen? Die bisher gemessenen Werte bleiben erhalten.</translation>
    </message>
</context>
<context>
    <name>TSeriesListForm</name>
    <message>
        <source>Otwórz serię z bazy wyników</source>
        <translation>Serie aus der Ergebnisdatenbank öffnen</translation>
    </message>
    <message>
        <source>Seria</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Testy</source>
        <translation>Prüfungen</translation>
    </message>
    <message>
        <source>Stanowisko</source>
        <translation>Arbeitsplatz</translation>
    </message>
    <message>
        <source>(bez nazwy)</source>
        <translation>(ohne Namen)</translation>
    </message>
</context>
<context>
    <name>TestCsv</name>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>TestReport</name>
    <message>
        <source>Strona %1 z %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Raport z testu</source>
        <translation>Prüfbericht</translation>
    </message>
    <message>
        <source>Raport z serii testów (%1)</source>
        <translation>Bericht der Prüfserie (%1)</translation>
    </message>
    <message>
        <source>Data testu:</source>
        <translation>Prüfdatum:</translation>
    </message>
    <message>
        <source>Daty testów:</source>
        <translation>Prüfdaten:</translation>
    </message>
    <message>
        <source>Data wydruku:</source>
        <translation>Gedruckt:</translation>
    </message>
    <message>
        <source>Jednostka:</source>
        <translation>Einheit:</translation>
    </message>
    <message>
        <source>Tolerancja:</source>
        <translation>Toleranz:</translation>
    </message>
    <message>
        <source>brak</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>Stanowisko:</source>
        <translation>Arbeitsplatz:</translation>
    </message>
    <message>
        <source>Miernik:</source>
        <translation>Messgerät:</translation>
    </message>
    <message>
        <source>Numer seryjny:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Bediener:</translation>
    </message>
    <message>
        <source>Część / partia:</source>
        <translation>Teil / Charge:</translation>
    </message>
    <message>
        <source>Moment obrotowy</source>
        <translation>Drehmoment</translation>
    </message>
    <message>
        <source>Siła</source>
        <translation>Kraft</translation>
    </message>
    <message>
        <source>Czas</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Wyniki testu</source>
        <translation>Prüfergebnisse</translation>
    </message>
    <message>
        <source>Szczyt:</source>
        <translation>Spitze:</translation>
    </message>
    <message>
        <source>Czas szczytu:</source>
        <translation>Zeitpunkt der Spitze:</translation>
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
        <translation>Mittelwert:</translation>
    </message>
    <message>
        <source>Ocena:</source>
        <translation>Bewertung:</translation>
    </message>
    <message>
        <source>Liczba próbek:</source>
        <translation>Messwerte:</translation>
    </message>
    <message>
        <source>Czas trwania:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Czas próbkowania:</source>
        <translation>Abtastzeit:</translation>
    </message>
    <message>
        <source>Źródło:</source>
        <translation>Quelle:</translation>
    </message>
    <message>
        <source>Uwagi:</source>
        <translation>Bemerkung:</translation>
    </message>
    <message>
        <source>Rozstęp:</source>
        <translation>Spannweite:</translation>
    </message>
    <message>
        <source>Zgodne:</source>
        <translation>Bestanden:</translation>
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
        <translation>Statistik der Spitzen</translation>
    </message>
    <message>
        <source>Liczba testów:</source>
        <translation>Prüfungen:</translation>
    </message>
    <message>
        <source>Odchylenie std.:</source>
        <translation>Standardabw.:</translation>
    </message>
    <message>
        <source>Nr</source>
        <translation>Nr.</translation>
    </message>
    <message>
        <source>Nazwa</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Początek</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Szczyt</source>
        <translation>Spitze</translation>
    </message>
    <message>
        <source>Ocena</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Bediener</translation>
    </message>
    <message>
        <source>Część / partia</source>
        <translation>Teil / Charge</translation>
    </message>
    <message>
        <source>Testy</source>
        <translation>Prüfungen</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Podpis</source>
        <translation>Unterschrift</translation>
    </message>
    <message>
        <source>Brak testów do raportu.</source>
        <translation>Keine Prüfungen für den Bericht.</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Tworzenie raportu przerwano.</source>
        <translation>Der Bericht wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Nie można utworzyć pliku PDF %1.</source>
        <translation>Die PDF-Datei %1 kann nicht erstellt werden.</translation>
    </message>
</context>
<context>
    <name>TestTexts</name>
    <message>
        <source>zgodny</source>
        <translation>bestanden</translation>
    </message>
    <message>
        <source>niezgodny</source>
        <translation>nicht bestanden</translation>
    </message>
    <message>
        <source>bez oceny</source>
        <translation>ohne Bewertung</translation>
    </message>
    <message>
        <source>pobrane dane</source>
        <translation>heruntergeladene Daten</translation>
    </message>
    <message>
        <source>plik danych</source>
        <translation>Datendatei</translation>
    </message>
    <message>
        <source>pomiar on-line</source>
        <translation>Online-Messung</translation>
    </message>
    <message>
        <source>Test %1</source>
        <translation>Prüfung %1</translation>
    </message>
    <message>
        <source>Przerwa w połączeniu z miernikiem: %1</source>
        <translation>Unterbrechung der Verbindung zum Messgerät: %1</translation>
    </message>
</context>
</TS>
