#pragma once

#include "platform/form/project_description.h"

#include <span>
#include <string>
#include <string_view>

// The desktop program's command line, read as GNU programs read theirs:
// --help and --version are answered at once, before Qt starts, so that they
// need no display and open no window; every other word goes to Qt, which
// takes its own options (-platform, -display, -style, ...). What Qt leaves is
// refused. Responsible for the words and the texts only: printing them and
// the exit status are the entry's. Plain C++, no Qt in it.
class QtCommandLine {
public:
    enum class Answer { Run, Help, Version };

    // What the arguments (the program's name left out) ask: the first of
    // --help and --version before a "--" that ends the options, else to run.
    static Answer read(std::span<char* const> arguments);

    static std::string help(const ProjectDescription& project, std::string_view programName);
    static std::string version(const ProjectDescription& project);
    // For a word that neither the program nor Qt takes, on standard error.
    static std::string refusal(std::string_view programName, std::string_view word);
};
