#pragma once

#include <QByteArray>

// The gauge's own ways of writing numbers and lines. Always ASCII with a decimal point,
// whatever the locale of the machine it runs on.
namespace LineFormat {

constexpr const char* LineEnd = "\r\n";

// |value| with `decimals` decimals, fewer when it would not fit in `width` characters; the
// largest value that fits when even no decimals do not. Never a sign.
QByteArray Magnitude(double value, int decimals, int width);

// True when the magnitude written for the value is not all zeros, so that "-0.00" is never
// sent.
bool IsNegative(double value, const QByteArray& magnitude);

// A display line: sign, the value right-aligned in positions 2 to 10 (3 to 10 hold the
// digits), a space, the unit left-justified in at least three characters, CR LF.
QByteArray DisplayLine(double value, const QByteArray& unit, int decimals, char plusSign);

// A seven-character stream line: sign and six zero-padded characters ("-012.34"), CR LF.
QByteArray SevenLine(double value, int decimals, char plusSign);

// A number as a person would write it: up to six decimals, trailing zeros removed but at
// least `minDecimals` kept ("99.0", "0.025", "12").
QByteArray Plain(double value, int minDecimals = 0);

// A report value with the gauge's habit for negatives: "- 1.5".
QByteArray ReportNumber(double value);

// Bytes as one printable line for the event log: "\\", "\r", "\n", "\t", "\xHH".
QByteArray Escape(const QByteArray& bytes);

// The inverse of Escape, for commands typed on stdin ("send MT\r\n").
QByteArray Unescape(const QByteArray& text);

// Parses a number written with a point, in the C locale; rejects empty text, garbage,
// infinities and NaN.
bool ParseNumber(const QByteArray& text, double* value);

} // namespace LineFormat
