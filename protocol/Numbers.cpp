#include "protocol/Numbers.h"

#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

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

namespace {

// The significant digits (at most 15, no trailing zeros) and the decimal exponent of a finite,
// non-zero magnitude, rounded as "%.14e" rounds. The shortest text that reads back as the
// same double of the normal range is that rounding whenever it has 15 digits or fewer (no
// other 15-digit decimal lies as close), and costs a fraction of the exact rounding, which
// only longer ones need.
int SignificantDigits(double magnitude, char (&digits)[16], int& exponent) {
    char text[40];
    std::to_chars_result written =
        std::to_chars(std::begin(text), std::end(text), magnitude, std::chars_format::scientific);
    const auto collect = [&] {
        int count = 0;
        const char* p = text;
        for (; p != written.ptr && *p != 'e'; ++p) {
            if (*p >= '0' && *p <= '9') {
                if (count == 15)
                    return -1;
                digits[count++] = *p;
            }
        }
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), written.ptr, exponent);
        while (count > 1 && digits[count - 1] == '0')
            --count;
        return count;
    };
    // Below the normal range a double holds fewer digits, and the shortest text may be the
    // rounding of another.
    int count = written.ec == std::errc() && magnitude >= std::numeric_limits<double>::min()
                    ? collect()
                    : -1;
    if (count < 0) {
        written = std::to_chars(std::begin(text), std::end(text), magnitude,
                                std::chars_format::scientific, 14);
        count = collect();
    }
    return count;
}

char* Put(char* out, const char* text, int length) {
    std::memcpy(out, text, std::size_t(length));
    return out + length;
}

} // namespace

int WriteGeneral(char* out, double value, char decimalSeparator) {
    char* const begin = out;
    if (std::isnan(value))
        return int(Put(out, "NAN", 3) - begin);
    if (std::isinf(value))
        return int(value < 0 ? Put(out, "-INF", 4) - begin : Put(out, "INF", 3) - begin);
    if (value == 0.0) {
        *out = '0';
        return 1;
    }

    char digits[16];
    int exponent = 0;
    const int count = SignificantDigits(std::abs(value), digits, exponent);
    if (value < 0)
        *out++ = '-';
    const bool fixed = exponent >= -5 && exponent < 15;
    if (fixed) {
        if (exponent < 0) {
            *out++ = '0';
            *out++ = decimalSeparator;
            for (int i = 0; i < -exponent - 1; ++i)
                *out++ = '0';
            out = Put(out, digits, count);
        } else {
            const int integerDigits = exponent + 1;
            for (int i = 0; i < integerDigits; ++i)
                *out++ = i < count ? digits[i] : '0';
            if (count > integerDigits) {
                *out++ = decimalSeparator;
                out = Put(out, digits + integerDigits, count - integerDigits);
            }
        }
    } else {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = decimalSeparator;
            out = Put(out, digits + 1, count - 1);
        }
        *out++ = 'E';
        if (exponent < 0)
            *out++ = '-';
        out = std::to_chars(out, out + 4, std::abs(exponent)).ptr;
    }
    return int(out - begin);
}

QString FormatGeneral(double value, QChar decimalSeparator) {
    char text[GeneralTextMax];
    const int length = WriteGeneral(text, value, '.');
    QString out = QString::fromLatin1(text, length);
    if (decimalSeparator != QLatin1Char('.')) {
        const qsizetype point = out.indexOf(QLatin1Char('.'));
        if (point >= 0)
            out[point] = decimalSeparator;
    }
    return out;
}

QString FormatGeneralLocal(double value) {
    return FormatGeneral(value, SystemDecimalSeparator());
}

double RoundDecimals(double value, int places) {
    // Powers of ten up to 10^18 are exact in a long double; the table spares a pow() per
    // sample of the running average.
    static constexpr auto Powers = [] {
        std::array<long double, 19> powers{};
        long double power = 1;
        for (long double& entry : powers) {
            entry = power;
            power *= 10;
        }
        return powers;
    }();
    const long double scale = places >= 0 && places < int(Powers.size())
                                  ? Powers[std::size_t(places)]
                                  : std::pow(10.0L, places);
    const long double scaled = static_cast<long double>(value) * scale;
    const long double rounded = scaled < 0 ? std::trunc(scaled - 0.5L) : std::trunc(scaled + 0.5L);
    return static_cast<double>(rounded / scale);
}
