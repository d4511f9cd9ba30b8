#pragma once
// The files the user saved recently, from the freedesktop recent-files list that GTK programs
// (Inkscape among them) keep in recently-used.xbel.

#include <string>

namespace sartovin {

/// $XDG_DATA_HOME/recently-used.xbel, else ~/.local/share/recently-used.xbel; "" when neither an
/// XDG_DATA_HOME nor a home folder is known.
std::string recentlyUsedListPath();

/// The SVG drawing saved last according to the list at `listPath`: among the bookmarks whose
/// file:// address names a ".svg" file (letter case ignored) that exists, and whose file name is not
/// "qxjob.svg" (our own copy, letter case ignored), the one with the latest "modified" time (else
/// "added" time). The address is percent-decoded. "" when the list is missing, unreadable or has
/// no such bookmark.
std::string findLastSavedSvg(const std::string& listPath);

/// findLastSavedSvg over recentlyUsedListPath().
std::string findLastSavedSvg();

}  // namespace sartovin
