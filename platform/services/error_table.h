#pragma once

#include <string_view>

// Every error the program can raise, with the number shown to the user. The one
// table that both the raising side and the reporting side read.
enum class ErrorNumber : int {
    None = 0,
    Overflow = 6,
    FloatingPoint = 11,
    InternalError = 51,
    InvalidPropertyValue = 380,
    OperationFailed = 1000,
};

std::string_view errorDescription(ErrorNumber number);
