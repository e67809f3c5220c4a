#pragma once

#include "platform/services/error_table.h"

#include <stdexcept>
#include <string>

// A raised error as the form's code sees it: a number, and for a failed call on
// the window or the timer, which object and operation failed. Handlers let it
// leave them; the dispatcher hands it to the default error handling.
class RaisedError : public std::runtime_error {
public:
    explicit RaisedError(ErrorNumber number, std::string object = {}, std::string operation = {});
    // Anything thrown that is not a raised error, as one: an internal error
    // whose text says what was thrown.
    static RaisedError unexpected(const std::string& what);

    ErrorNumber number() const { return number_; }
    const std::string& object() const { return object_; }
    const std::string& operation() const { return operation_; }

private:
    // Marks the constructor that takes the whole message as it is.
    struct WholeMessage {};
    RaisedError(ErrorNumber number, const std::string& message, WholeMessage);

    ErrorNumber number_;
    std::string object_;
    std::string operation_;
};

// Turns a failure reported by a call on the window or the timer into a raised error.
void raiseOnFailure(ErrorNumber result, const std::string& object, const char* operation);

// What the user is shown of an error that left a handler: its number and
// description, the object and operation where there are, and how many errors
// have come so far where it is not the first.
std::string describeError(const RaisedError& error, int errorsSoFar);
