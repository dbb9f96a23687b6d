#pragma once

#include <QString>

#include <string_view>

namespace ombrel {

// The core keeps text as UTF-8; the windows show it as QString.
inline QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace ombrel
