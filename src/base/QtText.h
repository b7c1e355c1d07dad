// Texts between the core's UTF-8 strings and Qt's, in one place for every window and adapter.
#pragma once

#include "base/TextPair.h"

#include <QString>

#include <string>
#include <string_view>

namespace velmora {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the table, in `lang`.
inline QString ToQString(const TextPair& text, Language lang) {
    return ToQString(text.In(lang));
}

} // namespace velmora
