#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace velmora {

// The decimal separator of the user's number format (the default QLocale).
QChar UserDecimalSeparator();

// The general number form: the shortest text with at most 15 significant
// digits, no trailing zeros, no separator for whole numbers ("2", "0.4",
// "9.5981"); the exponent form ("5E-5", "1.5E20") only below 0.0001 or with
// more than 15 digits before the separator.
QString GeneralNumberText(double x, QChar decimalSeparator);
inline QString GeneralNumberText(double x) {
    return GeneralNumberText(x, UserDecimalSeparator());
}

// x rounded to `decimals` places (as RoundToPrecision does) and written with
// exactly that many places and a leading zero: the "%.Nf" text of a rounded
// value. `decimals` below 0 counts as 0.
QString FixedDecimalsText(double x, int decimals, QChar decimalSeparator);

// Reads a decimal number written with `decimalSeparator`: optional blanks
// around it, an optional sign, digits with at most one separator, an optional
// exponent. Anything else, or a value beyond the double range, gives nothing.
std::optional<double> ParseDecimalNumber(QStringView text, QChar decimalSeparator);

// Reads a 32-bit integer: optional leading blanks, an optional sign, then
// decimal digits or hexadecimal digits after "$" or "0x". Hexadecimal texts
// take the full 32 bits ("$FFFFFFFF" is -1); decimal texts must fit.
std::optional<std::int32_t> ParseInteger(QStringView text);

} // namespace velmora
