#pragma once

// The texts of the arithmetic, the model and the name tables (UTF-8, in
// std::string_view) as the windows show them.

#include <QString>

#include <string_view>

namespace windowkit {

inline QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace windowkit
