#pragma once

#include <string>
#include <string_view>

// The definitions keep their texts as UTF-8; Windows wants UTF-16.
std::wstring toWide(std::string_view text);
