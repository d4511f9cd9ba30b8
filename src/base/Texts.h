#pragma once
// User-visible texts, looked up by number in the text file of the current language. The German
// text of id n is key 1000 + n of section "1000" in "1000.txt", the English one key 2000 + n of
// "2000.txt", the French one key 3000 + n of "3000.txt". A value may hold the escapes "\r" and
// "\n" for line breaks. Section "Medien" of each file maps catalog medium names to shown names.

#include <string>

#include "base/TextIds.h"

namespace sartovin {

class Texts {
public:
    Texts() = default;
    /// `folder` holds the text files (ends in "/"); `languageId` is 1000, 2000 or 3000.
    Texts(std::string folder, int languageId) : m_folder(std::move(folder)), m_languageId(languageId) {}

    int languageId() const { return m_languageId; }
    void setLanguageId(int id) { m_languageId = id; }
    const std::string& folder() const { return m_folder; }

    /// Fills `out` with text number `textId` in the current language, else English, else German;
    /// trimmed, escapes turned into line breaks. Returns false (and leaves `out` empty) when none has
    /// it. Takes a number because it also serves ids typed by a user (`sartovin text ID`).
    bool lookupText(int textId, std::string& out) const;
    bool lookupText(TextId id, std::string& out) const { return lookupText(textNumber(id), out); }

    /// The text, or "" when there is none.
    std::string text(TextId id) const;

    /// The text with printf-style "%s" / "%d" placeholders filled in order from `args`
    /// (placeholders without an argument stay as they are).
    std::string format(TextId id, std::initializer_list<std::string> args) const;

    /// Looks `name` up in section "Medien" of the current language's file only. On success `out`
    /// holds the display name (trimmed, escapes turned into line breaks).
    bool translateMediumName(const std::string& name, std::string& out) const;

    /// The path of a language's text file in `folder` ("1000.txt"; other letter cases are found too).
    static std::string textFilePath(const std::string& folder, int languageId);

private:
    std::string m_folder;
    int m_languageId = 2000;
};

/// Trims white space at both ends and turns every backslash-r into CR and backslash-n into LF.
std::string unescapeText(const std::string& raw);

/// Fills "%s" and "%d" placeholders of `pattern` in order with `args`; "%%" gives "%".
std::string fillPlaceholders(const std::string& pattern, std::initializer_list<std::string> args);

}  // namespace sartovin
