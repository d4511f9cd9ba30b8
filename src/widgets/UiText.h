#pragma once
// The one place where core texts (UTF-8 std::string) become Qt strings and back.

#include <QString>
#include <string>

#include "base/Texts.h"

namespace sartovin {

inline QString toQt(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }
inline std::string fromQt(const QString& s) { return s.toUtf8().toStdString(); }
/// Text `id` in the current language ("" when none has it).
inline QString uiText(const Texts& texts, TextId id) { return toQt(texts.text(id)); }

}  // namespace sartovin
