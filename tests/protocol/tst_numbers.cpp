// Reading and writing numbers under both decimal separators.
#include "protocol/Numbers.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void normalize_data();
    void normalize();
    void read_data();
    void read();
    void format_data();
    void format();
    void roundDecimals_data();
    void roundDecimals();
    void threshold_data();
    void threshold();
};

void TestNumbers::normalize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("comma");

    QTest::newRow("point") << "1.5"
                           << "1.5"
                           << "1,5";
    QTest::newRow("comma") << "1,5"
                           << "1.5"
                           << "1,5";
    QTest::newRow("both: only the point") << "1.234,5"
                                          << "1.234,5"
                                          << "1,234,5";
    QTest::newRow("only the first") << "1,2,5"
                                    << "1.2,5"
                                    << "1,2,5";
    QTest::newRow("none") << "15"
                          << "15"
                          << "15";
}

void TestNumbers::normalize() {
    QFETCH(QString, text);
    QFETCH(QString, point);
    QFETCH(QString, comma);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(NormalizeDecimalSeparator(text), point);
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(NormalizeDecimalSeparator(text), comma);
}

void TestNumbers::read_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("plain") << "12.345" << true << 12.345;
    QTest::newRow("comma") << "12,5" << true << 12.5;
    QTest::newRow("padded") << "  012.34 " << true << 12.34;
    QTest::newRow("negative") << "-1.25" << true << -1.25;
    QTest::newRow("integer") << "7" << true << 7.0;
    QTest::newRow("exponent") << "1.5E-7" << true << 1.5e-7;
    QTest::newRow("point and comma") << "1.234,5" << false << 0.0;
    QTest::newRow("two commas") << "1,2,5" << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("separator alone") << "." << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("NaN signed") << "-NaN" << false << 0.0;
    QTest::newRow("inf") << "INF" << false << 0.0;
    QTest::newRow("infinity signed") << "+infinity" << false << 0.0;
    QTest::newRow("overflow") << "1e999" << false << 0.0;
}

void TestNumbers::read() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        // The fast 8-bit path and the general path agree.
        for (const std::optional<double> read : {ReadNumber(text), ReadNumber(text.toLatin1())}) {
            QCOMPARE(read.has_value(), valid);
            if (valid)
                QCOMPARE(*read, value);
        }
    }
}

void TestNumbers::format_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("integer") << 42.0 << "42";
    QTest::newRow("fraction") << -12.5 << "-12.5";
    QTest::newRow("15 digits") << 0.123456789012345 << "0.123456789012345";
    QTest::newRow("rounded to 15") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("smallest fixed") << 0.00001 << "0.00001";
    QTest::newRow("below: exponent") << 0.000001 << "1E-6";
    QTest::newRow("negative tiny") << -2.5e-9 << "-2.5E-9";
    QTest::newRow("15 integer digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("16 integer digits") << 1234567890123456.0 << "1.23456789012346E15";
    QTest::newRow("large") << 1.5e20 << "1.5E20";
}

void TestNumbers::format() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatGeneral(value, QLatin1Char('.')), text);
    QString comma = text;
    comma.replace(QLatin1Char('.'), QLatin1Char(','));
    QCOMPARE(FormatGeneral(value, QLatin1Char(',')), comma);
    // What is written reads back to 15 significant digits.
    QLocale::setDefault(QLocale::c());
    const double back = ReadNumber(text).value_or(std::numeric_limits<double>::quiet_NaN());
    QVERIFY(std::abs(back - value) <= std::abs(value) * 1e-14);
}

void TestNumbers::roundDecimals_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");

    QTest::newRow("down") << 2.33333 << 2.3333;
    QTest::newRow("half up") << 1.03125 << 1.0313;
    QTest::newRow("negative half away from zero") << -2.00006 << -2.0001;
    QTest::newRow("tiny to zero") << 0.00002 << 0.0;
}

void TestNumbers::roundDecimals() {
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(RoundDecimals(value, 4), rounded);
}

void TestNumbers::threshold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("point") << "99.5" << 99.5;
    QTest::newRow("comma") << "99,5" << 99.5;
    QTest::newRow("negative") << "-1,25" << -1.25;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("not finite") << "inf" << 0.0;
}

void TestNumbers::threshold() {
    QFETCH(QString, text);
    QFETCH(double, value);
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        QCOMPARE(ReadThreshold(text), value);
    }
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
