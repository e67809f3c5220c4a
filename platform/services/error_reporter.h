#pragma once

class RaisedError;

// The default error handling: where an error goes that leaves a handler.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const RaisedError& error) = 0;
};
