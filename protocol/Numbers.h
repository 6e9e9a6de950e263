#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <optional>

// Number texts from the user, the gauge and files. The decimal separator of the system is
// always that of the default QLocale, so that every rule can be exercised under "." and ",".

// Replaces the first "." (else the first ",") by the system decimal separator.
QString NormalizeDecimalSeparator(const QString& text);

// The system decimal separator (of the default QLocale).
QChar SystemDecimalSeparator();

// Locale-aware conversion of a text already normalised; no group separators accepted,
// surrounding blanks ignored; "nan", "inf" and what overflows are no numbers.
std::optional<double> ToNumber(const QString& text);

// NormalizeDecimalSeparator followed by ToNumber: how every typed or received number is read.
std::optional<double> ReadNumber(const QString& text);
// The same for 8-bit text from the gauge or a file; plain decimals take a fast path.
std::optional<double> ReadNumber(QByteArrayView text);
inline std::optional<double> ReadNumber(const QByteArray& text) {
    return ReadNumber(QByteArrayView(text));
}

// A threshold as the chart takes it from its field: the separator the locale does not use
// becomes the one it uses ("99.5" and "99,5" both give 99.5); anything else, including a
// value that is not finite, gives 0.
double ReadThreshold(const QString& text);

// Whole-number conversion of a trimmed text ("+12", "-3", "0012").
std::optional<int> ReadInteger(const QString& text);

// Shortest general form with at most 15 significant digits: fixed notation for magnitudes
// from 0.00001 with at most 15 integer digits, otherwise mantissa, "E", exponent ("1E-6",
// "1.5E20"). Written with the given decimal separator.
QString FormatGeneral(double value, QChar decimalSeparator);
// The same text as 8-bit characters written at `out`, which has room for GeneralTextMax;
// returns their count. For writers of millions of numbers: it allocates nothing.
inline constexpr int GeneralTextMax = 32;
int WriteGeneral(char* out, double value, char decimalSeparator);

// FormatGeneral with the system decimal separator, as the statistics labels show numbers.
QString FormatGeneralLocal(double value);

// Rounds to the given number of decimal places, halves away from zero.
double RoundDecimals(double value, int places);
