#include "platform/services/error_table.h"

std::string_view errorDescription(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::None:
        return "No error";
    case ErrorNumber::Overflow:
        return "Overflow";
    case ErrorNumber::FloatingPoint:
        return "Floating-point error: invalid operation, division by zero or overflow";
    case ErrorNumber::InternalError:
        return "Internal error";
    case ErrorNumber::InvalidPropertyValue:
        return "Invalid property value";
    case ErrorNumber::OperationFailed:
        return "The operation failed";
    }
    return "Unknown error";
}
