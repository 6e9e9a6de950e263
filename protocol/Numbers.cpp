#include "protocol/Numbers.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

QChar SystemDecimalSeparator() {
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? QLatin1Char('.') : separator.at(0);
}

QString NormalizeDecimalSeparator(const QString& text) {
    qsizetype at = text.indexOf(QLatin1Char('.'));
    if (at < 0)
        at = text.indexOf(QLatin1Char(','));
    if (at < 0)
        return text;
    QString result = text;
    result[at] = SystemDecimalSeparator();
    return result;
}

std::optional<double> ToNumber(const QString& text) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text.trimmed(), &ok);
    // "nan" and "inf" (any case, signed) convert, but a gauge or a file never means them as
    // measurements: once in the statistics they would stay there until cleared.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double ReadThreshold(const QString& text) {
    const QChar system = SystemDecimalSeparator();
    const QChar other = system == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    QString normalized = text;
    if (const qsizetype at = normalized.indexOf(other); at >= 0)
        normalized[at] = system;
    const std::optional<double> value = ToNumber(normalized);
    return value && std::isfinite(*value) ? *value : 0.0;
}

std::optional<double> ReadNumber(const QString& text) {
    return ToNumber(NormalizeDecimalSeparator(text));
}

namespace {

// "-12.5", "012,34", "7": an optional minus, digits, and one separator followed by digits.
// Whichever separator it has, the normalised text reads as the same number in every locale.
std::optional<double> ReadPlainDecimal(QByteArrayView text) {
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    constexpr qsizetype MaxPlain = 40;
    if (text.isEmpty() || text.size() > MaxPlain)
        return std::nullopt;
    char buffer[MaxPlain];
    qsizetype i = 0;
    if (text[0] == '-')
        buffer[i++] = '-';
    const qsizetype intStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        buffer[i] = text[i];
        ++i;
    }
    if (i == intStart)
        return std::nullopt;
    if (i < text.size()) {
        if (text[i] != '.' && text[i] != ',')
            return std::nullopt;
        buffer[i++] = '.';
        const qsizetype fracStart = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            buffer[i] = text[i];
            ++i;
        }
        if (i == fracStart || i != text.size())
            return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + i, value);
    if (error != std::errc() || end != buffer + i)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<double> ReadNumber(QByteArrayView text) {
    if (const std::optional<double> plain = ReadPlainDecimal(text))
        return plain;
    return ReadNumber(QString::fromLatin1(text));
}

std::optional<int> ReadInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

QString FormatGeneral(double value, QChar decimalSeparator) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");

    // 15 significant digits, as d.dddddddddddddde±x, then shaped by hand.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const bool negative = buffer[0] == '-';
    const char* p = buffer + (negative ? 1 : 0);
    char digits[16];
    int count = 0;
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    }
    const int exponent = std::atoi(p + 1);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    QString out;
    out.reserve(24);
    if (negative)
        out += QLatin1Char('-');
    const bool fixed = exponent >= -5 && exponent < 15;
    if (fixed) {
        if (exponent < 0) {
            out += QLatin1Char('0');
            out += decimalSeparator;
            for (int i = 0; i < -exponent - 1; ++i)
                out += QLatin1Char('0');
            out += QLatin1String(digits, count);
        } else {
            const int integerDigits = exponent + 1;
            for (int i = 0; i < integerDigits; ++i)
                out += i < count ? QLatin1Char(digits[i]) : QLatin1Char('0');
            if (count > integerDigits) {
                out += decimalSeparator;
                out += QLatin1String(digits + integerDigits, count - integerDigits);
            }
        }
    } else {
        out += QLatin1Char(digits[0]);
        if (count > 1) {
            out += decimalSeparator;
            out += QLatin1String(digits + 1, count - 1);
        }
        out += QLatin1Char('E');
        if (exponent < 0)
            out += QLatin1Char('-');
        out += QString::number(std::abs(exponent));
    }
    return out;
}

QString FormatGeneralLocal(double value) {
    return FormatGeneral(value, SystemDecimalSeparator());
}

double RoundDecimals(double value, int places) {
    const long double scale = std::pow(10.0L, places);
    const long double scaled = static_cast<long double>(value) * scale;
    const long double rounded = scaled < 0 ? std::trunc(scaled - 0.5L) : std::trunc(scaled + 0.5L);
    return static_cast<double>(rounded / scale);
}
