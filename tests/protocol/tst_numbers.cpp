// Reading and writing numbers under both decimal separators.
#include "protocol/Numbers.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// FormatGeneral's text made the plain way, from the C library's "%.14e": what the writer's
// shortcut must always agree with.
QByteArray PrintfGeneral(double value, char separator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0.0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const char* p = buffer + (buffer[0] == '-' ? 1 : 0);
    QByteArray digits;
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits += *p;
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QByteArray out = buffer[0] == '-' ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0)
            return out + "0" + separator + QByteArray(-exponent - 1, '0') + digits;
        const int integerDigits = exponent + 1;
        out += digits.left(integerDigits).leftJustified(integerDigits, '0');
        if (digits.size() > integerDigits)
            out += separator + digits.mid(integerDigits);
        return out;
    }
    out += digits.left(1);
    if (digits.size() > 1)
        out += separator + digits.mid(1);
    return out + "E" + QByteArray::number(exponent);
}

} // namespace

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
    void writerAgreesWithPrintf();
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
    QTest::newRow("shortest form has 17 digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("rounding carries into the exponent") << 999999999999999.9 << "1E15";
    QTest::newRow("rounding carries into fixed notation") << 9.999999999999999e-6 << "0.00001";
    QTest::newRow("a tie rounds to even, down") << 1234567890123445.0 << "1.23456789012344E15";
    QTest::newRow("a tie rounds to even, up") << 1234567890123455.0 << "1.23456789012346E15";
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

// Data files write a hundred million numbers through the shortcut; any double, under either
// separator and whatever the locale, gives the text "%.14e" gives.
void TestNumbers::writerAgreesWithPrintf() {
    QLocale::setDefault(QLocale(QLocale::German));
    QList<double> values{0.0,
                         -0.0,
                         std::nan(""),
                         std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::denorm_min(),
                         std::numeric_limits<double>::min(),
                         -std::numeric_limits<double>::max()};
    QRandomGenerator random(20240611);
    for (int i = 0; i < 200'000; ++i) {
        // Any bit pattern; readings of a gauge (few decimals); values near powers of ten.
        values << std::bit_cast<double>(random.generate64())
               << double(qint64(random.bounded(2'000'000)) - 1'000'000) / 100.0
               << std::pow(10.0, random.bounded(40) - 20) * (1.0 - random.bounded(4) * 1e-16);
    }
    for (const double value : values) {
        for (const char separator : {'.', ','}) {
            char text[GeneralTextMax];
            const QByteArray written(text, WriteGeneral(text, value, separator));
            const QByteArray expected = PrintfGeneral(value, separator);
            if (written != expected)
                QFAIL(qPrintable(
                    QStringLiteral("%1: %2, not %3")
                        .arg(value, 0, 'g', 17)
                        .arg(QString::fromLatin1(written), QString::fromLatin1(expected))));
        }
    }
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
