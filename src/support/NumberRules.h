#pragma once
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The program's one way of reading numbers from text and fitting them into
// integers, shared by the settings files, the options window and the
// transcoder's log.
namespace numbers {

// Reads the longest leading number: blanks, tabs and line feeds are ignored
// wherever they stand; an optional sign, digits with at most one "." and an
// optional exponent follow. Text that does not begin with a number reads 0.
double readNumber(QStringView text);

// As readNumber, but nullopt when the text does not begin with a number.
std::optional<double> readLeadingNumber(QStringView text);

// Round to the nearest integer, a half to the even neighbour.
double roundHalfEven(double value);

// Storing into a 16- or 32-bit signed value: rounded half to even; nullopt
// when the result falls outside the target's range (the target keeps its value).
std::optional<int16_t> toInt16(double value);
std::optional<int32_t> toInt32(double value);

// Decimal digits, "-" before a negative value, no blank, no leading zeros.
QString integerText(int64_t value);

// A finite value rounded to at most 15 significant digits and written out in
// full: "-" before a negative value, "." as decimal point, never an exponent,
// no trailing zeros, no thousands separator; zero is "0". Infinities are
// "inf" and "-inf", and any NaN is "nan".
QString decimalText(double value);

}  // namespace numbers
