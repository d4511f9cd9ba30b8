#pragma once
// The plug-in's resources and the host's string forms: string lists read through the ADM Basic
// suite, length-prefixed menu texts, and host Unicode strings.

#include <string>

#include "aiplugin/PluginSdk.h"

namespace sartovin {

/// String list of the menu texts: index = language offset + item number.
inline constexpr std::int32_t kMenuStringList = 17000;
/// String list of the error codes and their texts, in pairs from index 1.
inline constexpr std::int32_t kErrorStringList = 16050;
/// Dialog resources.
inline constexpr std::int32_t kAboutDialogId = 16050;
inline constexpr std::int32_t kErrorDialogId = 16051;
/// The static text of the error dialog that shows the message.
inline constexpr std::int32_t kErrorDialogTextItem = 2;

/// Entry `index` of the plug-in's string list `listId` ("" when there is none).
std::string indexString(const ADMBasicSuite* basic, SPPluginRef self, std::int32_t listId,
                        std::int32_t index);

/// A length-prefixed string as the menu suite keeps texts (at most 255 bytes are kept).
std::basic_string<unsigned char> lengthPrefixed(const std::string& text);
/// The text of a length-prefixed string.
std::string fromLengthPrefixed(const unsigned char* text);

/// A host string as UTF-8.
std::string utf8Of(const AIUnicodeStringSuite* suite, const AIUnicodeString& text);

}  // namespace sartovin
