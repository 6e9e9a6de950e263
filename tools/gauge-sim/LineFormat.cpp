#include "LineFormat.h"

#include <QLocale>

#include <cmath>

namespace LineFormat {

QByteArray Magnitude(double value, int decimals, int width) {
    const double magnitude = std::isfinite(value) ? std::abs(value) : 0.0;
    for (int d = qBound(0, decimals, 6); d >= 0; --d) {
        const QByteArray text = QByteArray::number(magnitude, 'f', d);
        if (text.size() <= width)
            return text;
    }
    return QByteArray(width, '9');
}

bool IsNegative(double value, const QByteArray& magnitude) {
    if (!(value < 0))
        return false;
    for (char c : magnitude)
        if (c >= '1' && c <= '9')
            return true;
    return false;
}

QByteArray DisplayLine(double value, const QByteArray& unit, int decimals, char plusSign) {
    // Positions 3 to 10 are what a reader converts, so the digits get eight of the nine.
    const QByteArray digits = Magnitude(value, decimals, 8);
    const char sign = IsNegative(value, digits) ? '-' : plusSign;
    return QByteArray(1, sign) + digits.rightJustified(9, ' ') + ' ' + unit.leftJustified(3, ' ') +
           LineEnd;
}

QByteArray SevenLine(double value, int decimals, char plusSign) {
    const QByteArray digits = Magnitude(value, decimals, 6);
    const char sign = IsNegative(value, digits) ? '-' : plusSign;
    return QByteArray(1, sign) + digits.rightJustified(6, '0') + LineEnd;
}

QByteArray Plain(double value, int minDecimals) {
    if (!std::isfinite(value))
        value = 0;
    QByteArray text = QByteArray::number(value, 'f', 6);
    const int point = text.indexOf('.');
    int keep = text.size();
    while (keep > point + 1 + minDecimals && text.at(keep - 1) == '0')
        --keep;
    if (keep == point + 1)
        --keep; // no decimals left: drop the point too
    text.truncate(keep);
    if (text.startsWith('-') && !IsNegative(-1, text))
        text.remove(0, 1); // "-0.0" after rounding
    return text;
}

QByteArray ReportNumber(double value) {
    const QByteArray text = Plain(value, 1);
    if (text.startsWith('-'))
        return "- " + text.mid(1);
    return text;
}

QByteArray Escape(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (u < 0x20 || u > 0x7e)
            out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out;
}

QByteArray Unescape(const QByteArray& text) {
    QByteArray out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char n = text.at(++i);
        if (n == 'r')
            out += '\r';
        else if (n == 'n')
            out += '\n';
        else if (n == 't')
            out += '\t';
        else if (n == 's')
            out += ' ';
        else if (n == 'x' && i + 2 < text.size()) {
            bool ok = false;
            const int code = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(code);
                i += 2;
            } else {
                out += "\\x";
            }
        } else {
            out += n;
        }
    }
    return out;
}

bool ParseNumber(const QByteArray& text, double* value) {
    const QByteArray trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (char c : trimmed) {
        // Only what a decimal number may hold: no "inf", "nan" or hexadecimal forms.
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    }
    bool ok = false;
    const double parsed = QLocale::c().toDouble(QString::fromLatin1(trimmed), &ok);
    if (!ok || !std::isfinite(parsed))
        return false;
    *value = parsed;
    return true;
}

} // namespace LineFormat
