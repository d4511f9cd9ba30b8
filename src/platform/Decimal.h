#pragma once
// Decimal numbers as files, settings, command streams and edit fields carry them: always with a
// point, whatever LC_NUMERIC says. The window program runs under the user's locale (a German one
// writes "0,125"), so neither strtod nor printf may touch a number that is stored or sent.

#include <string>
#include <string_view>

namespace sartovin {

/// Reads a decimal number at the start of `text` as the C locale's strtod would: leading white
/// space, an optional sign, digits with an optional point, an optional exponent. On success `value`
/// holds the number and `used` (when given) the characters read, white space included. Returns
/// false, leaving `value` alone, when no number starts there or it is not finite.
bool parseDecimal(std::string_view text, double& value, std::size_t* used = nullptr);

/// `value` in fixed notation with `decimals` places after a point ("%.3f" in the C locale); values
/// that are not finite give "0".
std::string formatDecimal(double value, int decimals);

}  // namespace sartovin
