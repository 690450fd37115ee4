#pragma once

#include <QString>
#include <string_view>

namespace namori {

// The core's UTF-16 text as a QString: both are UTF-16, so this is a copy, never a conversion.
inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace namori
