#pragma once
// Where things live on this system: the data folders, the temporary folder, the user's locale and
// the running program's own path. Every answer follows the environment at the moment of the call,
// so tests (and users) point the program elsewhere with XDG_CONFIG_HOME, XDG_DATA_DIRS or TMPDIR.

#include <string>

namespace sartovin {

/// The all-users data folder: the first entry of $XDG_DATA_DIRS, else /usr/local/share. Always ends
/// in "/".
std::string commonDataFolder();

/// The per-user data folder: $XDG_CONFIG_HOME, else ~/.config. Ends in "/"; empty when neither an
/// XDG_CONFIG_HOME nor a home folder is known.
std::string userDataFolder();

/// The temporary folder, without a final "/": $Temp, then $Tmp (the names the job hand-over uses),
/// then $XDG_RUNTIME_DIR, $TMPDIR and /tmp.
std::string tempFolder();

/// The user's locale in the "de-DE" form, from LC_ALL, LC_MESSAGES or LANG (the first one set).
/// "de_DE.UTF-8@euro" becomes "de-DE"; a locale without a territory ("fr") becomes "fr-FR".
/// Empty for the C and POSIX locales and when nothing is set.
std::string localeName();

/// Turns a POSIX locale value into the "de-DE" form (empty for C / POSIX / empty input).
std::string localeNameFrom(const std::string& posixLocale);

/// Full path of the running executable (from /proc/self/exe); empty when it cannot be read.
std::string executablePath();

/// The value of an environment variable, or "" when unset.
std::string environmentValue(const char* name);

}  // namespace sartovin
