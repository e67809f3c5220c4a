#pragma once

#include <QString>

#include <string_view>

// The definitions keep their texts as UTF-8 string views; Qt wants QStrings.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
