#pragma once
// Text helpers for reading SVG files by substring search: the reader and the Inkscape adapter look
// at tags and attributes without building a document tree.

#include <cstddef>
#include <string>
#include <string_view>

namespace sartovin {

/// Position of the ">" that ends the tag opened at `tagStart` (a "<"), skipping quoted attribute
/// values; npos when the text ends first (a truncated file).
std::size_t findTagEnd(std::string_view text, std::size_t tagStart);

/// Position of the next start tag `<name` at or after `from` whose name is exactly `name` (the next
/// character is white space, "/" or ">"); npos when there is none.
std::size_t findStartTag(std::string_view text, std::string_view name, std::size_t from);

/// True when the tag ending at `tagEnd` (its ">") closes itself ("/>").
bool isSelfClosing(std::string_view text, std::size_t tagEnd);

/// The raw value of attribute `name` inside `tag` (the text of one start tag), found only where the
/// name stands as a whole attribute name (preceded by white space); false when it is absent.
/// `valueBegin`, when given, receives the value's offset inside `tag`.
bool attributeValue(std::string_view tag, std::string_view name, std::string& value,
                    std::size_t* valueBegin = nullptr);

/// Replaces the XML character references and the five named entities by their characters (UTF-8).
std::string decodeEntities(std::string_view raw);

/// The value of property `name` in a CSS declaration list ("fill:#ff0000;stroke:none"), trimmed;
/// false when absent.
bool styleProperty(std::string_view style, std::string_view name, std::string& value);

/// Trims spaces, tabs and line breaks at both ends.
std::string trimmed(std::string_view text);

}  // namespace sartovin
