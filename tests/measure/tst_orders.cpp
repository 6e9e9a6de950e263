// The order set and the checks that precede the orders with arguments.
#include "link/GaugeExchange.h"
#include "measure/SettingsRules.h"
#include "protocol/OrderSet.h"
#include "state/GaugeState.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using Order = OrderSet::Order;
Q_DECLARE_METATYPE(OrderSet::Order)

class TestOrders : public QObject {
    Q_OBJECT

private slots:
    void init() {
        FirstGauge() = GaugeState{};
        QLocale::setDefault(QLocale::c());
    }

    void issue_data();
    void issue();
    void numberArgument_data();
    void numberArgument();
    void unitToken_data();
    void unitToken();
    void memoryNumbering();

    void sampleTime_data();
    void sampleTime();
    void sampleCount_data();
    void sampleCount();
    void numbersInBothLocales();
};

void TestOrders::issue_data() {
    QTest::addColumn<Order>("order");
    QTest::addColumn<QByteArray>("argument");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("awaited");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("press");

    const int c = int(ExchangeState::Confirming);
    // clang-format off
    QTest::newRow("SI") << Order::Display << QByteArray() << QByteArray("SI") << 1 << 0 << QString() << false;
    QTest::newRow("ST") << Order::Tare << QByteArray() << QByteArray("ST") << c << 1 << "Zerowanie..." << true;
    QTest::newRow("SS") << Order::OnOff << QByteArray() << QByteArray("SS") << c << 2 << "Włączenie/wyłączanie..." << true;
    QTest::newRow("Ss") << Order::Standby << QByteArray() << QByteArray("Ss") << c << 3 << "Przejście do/powrót z oczekiwania..." << true;
    QTest::newRow("SL") << Order::LowThreshold << QByteArray("12.5") << QByteArray("SL12.5") << c << 5 << "Ustawianie dolnego progu..." << false;
    QTest::newRow("SH") << Order::HighThreshold << QByteArray("7") << QByteArray("SH7") << c << 6 << "Ustawianie górnego progu..." << false;
    QTest::newRow("SM") << Order::ZeroThreshold << QByteArray("0") << QByteArray("SM0") << c << 7 << "Ustawianie zerowego progu..." << false;
    QTest::newRow("Sx1") << Order::DisplayPoll << QByteArray() << QByteArray("Sx1") << 1 << 8 << QString() << false;
    QTest::newRow("Su") << Order::Unit << QByteArray(" N") << QByteArray("Su N") << c << 9 << "Zmiana jednostki..." << false;
    QTest::newRow("Sp0") << Order::PeakOff << QByteArray() << QByteArray("Sp0") << c << 10 << "Wyłączanie trybu PEAK..." << true;
    QTest::newRow("Sp1") << Order::PeakPush << QByteArray() << QByteArray("Sp1") << c << 11 << "Włączanie trybu PEAK+..." << true;
    QTest::newRow("Sp2") << Order::PeakPull << QByteArray() << QByteArray("Sp2") << c << 12 << "Włączanie trybu PEAK-..." << true;
    QTest::newRow("Sm") << Order::Mem << QByteArray() << QByteArray("Sm") << c << 13 << "Wywoływanie operacji MEM..." << true;
    QTest::newRow("Sf0") << Order::SpeedSlow << QByteArray() << QByteArray("Sf0") << c << 14 << "Zmiana szybkości pomiaru..." << false;
    QTest::newRow("Sf1") << Order::SpeedFast << QByteArray() << QByteArray("Sf1") << c << 15 << "Zmiana szybkości pomiaru..." << false;
    QTest::newRow("Sa0") << Order::AcqManual << QByteArray() << QByteArray("Sa0") << c << 16 << "Zmiana trybu akwizycji..." << false;
    QTest::newRow("Sa1") << Order::AcqAuto << QByteArray() << QByteArray("Sa1") << c << 17 << "Zmiana trybu akwizycji..." << false;
    QTest::newRow("Sv") << Order::SampleCount << QByteArray("800") << QByteArray("Sv800") << c << 18 << "Ustawianie liczby próbek..." << false;
    QTest::newRow("St") << Order::SampleTime << QByteArray("0.5") << QByteArray("St0.5") << c << 19 << "Ustawianie czasu próbkowania..." << false;
    QTest::newRow("Sk0") << Order::ThresholdsOff << QByteArray() << QByteArray("Sk0") << c << 20 << "Wyłączanie progów..." << false;
    QTest::newRow("Sk1") << Order::ThresholdsOn << QByteArray() << QByteArray("Sk1") << c << 21 << "Włączanie progów..." << false;
    QTest::newRow("Sid") << Order::Report << QByteArray() << QByteArray("Sid") << 2 << 22 << QString() << false;
    QTest::newRow("Se0") << Order::StreamOff << QByteArray() << QByteArray("Se0") << c << 23 << "Wyłączanie nadawania ciągłego..." << false;
    QTest::newRow("Se1") << Order::StreamOn << QByteArray() << QByteArray("Se1") << c << 24 << "Włączanie nadawania ciągłego..." << false;
    QTest::newRow("Sb") << Order::Battery << QByteArray() << QByteArray("Sb") << c << 25 << QString() << false;
    QTest::newRow("Sc") << Order::Download << QByteArray("3") << QByteArray("Sc3") << 4 << 26 << "Odczyt zgromadzonych próbek..." << false;
    QTest::newRow("Sr") << Order::ResetMemory << QByteArray() << QByteArray("Sr") << c << 27 << "Resetowanie..." << false;
    QTest::newRow("Sn") << Order::Acceleration << QByteArray("9.81") << QByteArray("Sn9.81") << c << 28 << "Ustawianie przyspieszenia..." << false;
    // clang-format on
}

void TestOrders::issue() {
    QFETCH(Order, order);
    QFETCH(QByteArray, argument);
    QFETCH(QByteArray, wire);
    QFETCH(int, state);
    QFETCH(int, awaited);
    QFETCH(QString, status);
    QFETCH(bool, press);

    FirstGauge().ExchangeState = ExchangeState::Downloading;
    FirstGauge().AwaitedReply = 99;
    GaugeExchange exchange(FirstGauge());
    QSignalSpy sent(&exchange, &GaugeExchange::OrderSent);
    QSignalSpy statusTexts(&exchange, &GaugeExchange::StatusText);
    exchange.Issue(order, argument);
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent.at(0).at(0).toByteArray(), wire);
    QCOMPARE(sent.at(0).at(1).toBool(), press);
    QCOMPARE(int(FirstGauge().ExchangeState), state);
    QCOMPARE(int(FirstGauge().AwaitedReply), awaited);
    QCOMPARE(statusTexts.size(), status.isEmpty() ? 0 : 1);
    if (!status.isEmpty())
        QCOMPARE(statusTexts.at(0).at(0).toString(), status);
}

void TestOrders::numberArgument_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("sent");

    QTest::newRow("comma") << "12,5" << QByteArray("12.5");
    QTest::newRow("point") << "12.5" << QByteArray("12.5");
    QTest::newRow("only the first comma") << "1,2,5" << QByteArray("1.2,5");
    QTest::newRow("kept as typed") << " +1e3 " << QByteArray(" +1e3 ");
}

void TestOrders::numberArgument() {
    QFETCH(QString, typed);
    QFETCH(QByteArray, sent);
    QCOMPARE(OrderSet::NumberArgument(typed), sent);
}

void TestOrders::unitToken_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QByteArray>("token");

    const QList<QByteArray> force{" N", "kgf", "Lbf", "ozf", "kg", "lb", "oz"};
    const QStringList forceItems{"N", "kgf", "Lbf", "ozf", "kg", "Lb", "oz"};
    for (int i = 0; i < force.size(); ++i)
        QTest::addRow("force %d", i) << 0 << "FM-500" << i << forceItems.at(i) << force.at(i);
    QTest::newRow("FC by position") << 1 << "FC-200" << 5 << "Lb" << QByteArray("lb");
    QTest::newRow("initial list still by position")
        << 0 << QString() << 0 << "kilogram 'kg'" << QByteArray(" N");
    QTest::newRow("out of range") << 0 << "FM-500" << 7 << "x" << QByteArray();
    QTest::newRow("no selection") << 0 << "FM-500" << -1 << QString() << QByteArray();
    QTest::newRow("k model: kN as N") << 0 << "FM5k" << 0 << "kN" << QByteArray("N");
    QTest::newRow("k model: item text") << 1 << "FC2k" << 4 << "Lb" << QByteArray("Lb");
    const QList<QByteArray> torque{"N*m", "N*cm", "kgf*m", "gf*m", "lbf*in", "kg"};
    for (int i = 0; i < torque.size(); ++i)
        QTest::addRow("torque %d", i) << 2 << "FS-10" << i << QString() << torque.at(i);
    QTest::newRow("unknown family") << 7 << "FM-500" << 0 << "N" << QByteArray();
}

void TestOrders::unitToken() {
    QFETCH(int, family);
    QFETCH(QString, model);
    QFETCH(int, index);
    QFETCH(QString, item);
    QFETCH(QByteArray, token);
    QCOMPARE(OrderSet::UnitToken(std::uint8_t(family), model, index, item), token);
}

void TestOrders::memoryNumbering() {
    QCOMPARE(OrderSet::DownloadArgument(0), QByteArray("1"));
    QCOMPARE(OrderSet::DownloadArgument(1), QByteArray("2"));
    QCOMPARE(OrderSet::DownloadArgument(2), QByteArray("3"));
    QCOMPARE(OrderSet::ResetArgument(0), QByteArray());
    QCOMPARE(OrderSet::ResetArgument(1), QByteArray("1"));
    QCOMPARE(OrderSet::ResetArgument(2), QByteArray("2"));
}

void TestOrders::sampleTime_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("speedVisible");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QString>("message");

    const QString ok;
    const QString slowMin = "Minimalny czas próbkowania dla trybu SLOW wynosi 0.1s.";
    const QString slowStep = "Dokładność czasu próbkowania dla trybu SLOW wynosi 0.1s.";
    const QString fastMin = "Minimalny czas próbkowania dla trybu FAST wynosi 0.025s.";
    const QString fastStep = "Dokładność czasu próbkowania dla trybu FAST wynosi 0.025s.";
    const QString range = "Czas próbkowania powinien się zawierać w podanym przedziale.";
    const QString otherMin = "Minimalny czas próbkowania wynosi 0.001s.";

    QTest::newRow("slow 0.1") << "0.1" << true << 0 << ok;
    QTest::newRow("slow 0.5") << "0.5" << true << 0 << ok;
    QTest::newRow("slow 99.9") << "99.9" << true << 0 << ok;
    QTest::newRow("slow 0,5") << "0,5" << true << 0 << ok;
    QTest::newRow("slow 0.05") << "0.05" << true << 0 << slowMin;
    QTest::newRow("slow 0.15") << "0.15" << true << 0 << slowStep;
    QTest::newRow("slow 100") << "100" << true << 0 << range;
    QTest::newRow("fast 0.025") << "0.025" << true << 1 << ok;
    QTest::newRow("fast 0.05") << "0.05" << true << 1 << ok;
    QTest::newRow("fast 0.075") << "0.075" << true << 1 << ok;
    QTest::newRow("fast 99.9") << "99.9" << true << 1 << ok;
    QTest::newRow("fast 1.01") << "1.01" << true << 1 << fastStep;
    QTest::newRow("fast 99.875") << "99.875" << true << 1 << ok;
    QTest::newRow("fast 0.03") << "0.03" << true << 1 << fastStep;
    QTest::newRow("fast 0.02") << "0.02" << true << 1 << fastMin;
    QTest::newRow("hidden 0.001") << "0.001" << false << 0 << ok;
    QTest::newRow("hidden 100") << "100" << false << 0 << ok;
    QTest::newRow("hidden 0.0005") << "0.0005" << false << 0 << otherMin;
    QTest::newRow("hidden 100.5") << "100.5" << false << 0 << range;
    QTest::newRow("hidden on FAST: no minimum") << "0.0001" << false << 1 << ok;
    QTest::newRow("hidden on FAST: maximum") << "101" << false << 1 << range;
    QTest::newRow("not a number") << "abc" << true << 0 << "Niepoprawny czas próbkowania";
    QTest::newRow("point and comma") << "1.2,5" << true << 0 << "Niepoprawny czas próbkowania";
    // Words the number parser reads as numbers must not reach the gauge.
    QTest::newRow("nan, hidden") << "nan" << false << 0 << "Niepoprawny czas próbkowania";
    QTest::newRow("nan, slow") << "nan" << true << 0 << "Niepoprawny czas próbkowania";
    QTest::newRow("inf, hidden") << "inf" << false << 1 << "Niepoprawny czas próbkowania";
    QTest::newRow("-inf, fast") << "-inf" << true << 1 << "Niepoprawny czas próbkowania";
}

void TestOrders::sampleTime() {
    QFETCH(QString, text);
    QFETCH(bool, speedVisible);
    QFETCH(int, speed);
    QFETCH(QString, message);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        QCOMPARE(SettingsRules::CheckSampleTime(text, speedVisible, speed).value_or(QString()),
                 message);
    }
}

void TestOrders::sampleCount_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    const QString range = "Liczba próbek powinna się zawierać w podanym przedziale.";
    QTest::newRow("at the bound") << "800"
                                  << "Liczba próbek (1-800):" << QString();
    QTest::newRow("above") << "801"
                           << "Liczba próbek (1-800):" << range;
    QTest::newRow("after the model") << "6400"
                                     << "Liczba próbek (1-6400):" << QString();
    QTest::newRow("zero") << "0"
                          << "Liczba próbek (1-800):" << range;
    QTest::newRow("unreadable bound") << "1"
                                      << "Liczba próbek:" << range;
    QTest::newRow("decimal") << "1.5"
                             << "Liczba próbek (1-800):"
                             << "Niepoprawna liczba próbek";
    QTest::newRow("empty") << ""
                           << "Liczba próbek (1-800):"
                           << "Niepoprawna liczba próbek";
}

void TestOrders::sampleCount() {
    QFETCH(QString, text);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    QCOMPARE(SettingsRules::CheckSampleCount(text, caption).value_or(QString()), message);
}

void TestOrders::numbersInBothLocales() {
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        QVERIFY(!SettingsRules::CheckThreshold(QStringLiteral("12,5")));
        QVERIFY(!SettingsRules::CheckThreshold(QStringLiteral("-12.5")));
        QVERIFY(SettingsRules::CheckThreshold(QStringLiteral("1,2,5")));
        QCOMPARE(SettingsRules::CheckThreshold(QString()).value_or(QString()),
                 QStringLiteral("Niepoprawna wartość progu"));
        QCOMPARE(SettingsRules::CheckAcceleration(QString()).value_or(QString()),
                 QStringLiteral("Niepoprawna wartość przyspieszenia"));
        for (const char* word : {"nan", "inf", "-inf", "NaN"}) {
            QVERIFY2(SettingsRules::CheckThreshold(QLatin1String(word)), word);
            QVERIFY2(SettingsRules::CheckAcceleration(QLatin1String(word)), word);
        }
    }
}

QTEST_GUILESS_MAIN(TestOrders)
#include "tst_orders.moc"
