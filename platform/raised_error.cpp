#include "platform/raised_error.h"

RaisedError::RaisedError(ErrorNumber number, std::string object, std::string operation)
    : std::runtime_error(std::string(errorDescription(number)))
    , number_(number)
    , object_(std::move(object))
    , operation_(std::move(operation))
{
}

void raiseOnFailure(ErrorNumber result, const std::string& object, const char* operation)
{
    if (result != ErrorNumber::None)
        throw RaisedError(result, object, operation);
}
