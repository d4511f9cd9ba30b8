#pragma once
// How the page models read and show the texts of edit controls.

#include <string>

namespace sartovin {

/// Reads an edit's text as a decimal integer the way the dialogs do: leading blanks and a sign are
/// allowed, reading stops at the first other character, no digits at all read as 0. Values beyond
/// the 32-bit range are limited to it.
int parseEditInt(const std::string& text);

/// Reads an edit's text as a decimal number ("12.5"; a comma is taken as the decimal point too,
/// whatever the process locale); anything that is not a number reads as 0.
double parseEditDouble(const std::string& text);

/// printf-style formatting of one number ("%.0f", "%.3f", "%d"); decimals always with a point.
std::string formatNumber(const char* pattern, double value);
std::string formatNumber(const char* pattern, int value);

}  // namespace sartovin
