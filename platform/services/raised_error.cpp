#include "platform/services/raised_error.h"

RaisedError::RaisedError(ErrorNumber number, std::string object, std::string operation)
    : std::runtime_error(std::string(errorDescription(number)))
    , number_(number)
    , object_(std::move(object))
    , operation_(std::move(operation))
{
}

RaisedError::RaisedError(ErrorNumber number, const std::string& message, WholeMessage)
    : std::runtime_error(message)
    , number_(number)
{
}

RaisedError RaisedError::unexpected(const std::string& what)
{
    return RaisedError(ErrorNumber::InternalError, std::string(errorDescription(ErrorNumber::InternalError)) + ": " + what, WholeMessage {});
}

void raiseOnFailure(ErrorNumber result, const std::string& object, const char* operation)
{
    if (result != ErrorNumber::None)
        throw RaisedError(result, object, operation);
}

std::string describeError(const RaisedError& error, int errorsSoFar)
{
    std::string text = "Error " + std::to_string(static_cast<int>(error.number())) + ": " + error.what();
    if (!error.object().empty())
        text += "\nObject: " + error.object() + "\nOperation: " + error.operation();
    if (errorsSoFar > 1)
        text += "\nErrors so far: " + std::to_string(errorsSoFar);
    return text;
}
