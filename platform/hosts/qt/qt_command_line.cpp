#include "platform/hosts/qt/qt_command_line.h"

QtCommandLine::Answer QtCommandLine::read(std::span<char* const> arguments)
{
    for (const char* argument : arguments) {
        const std::string_view word(argument);
        if (word == "--")
            break;
        if (word == "--help")
            return Answer::Help;
        if (word == "--version")
            return Answer::Version;
    }
    return Answer::Run;
}

std::string QtCommandLine::help(const ProjectDescription& project, std::string_view programName)
{
    const std::string name(programName);
    return "Usage: " + name + " [QT-OPTION]...\n"
        + "Opens one window in which rings of random size gather around one point.\n"
          "\n"
          "      --help     display this help and exit\n"
          "      --version  output version information and exit\n"
          "\n"
          "Qt's own options are taken as well, among them -platform NAME, -display DISPLAY,\n"
          "-style STYLE and -geometry WxH+X+Y.\n"
          "\n"
          "The manual page, "
        + std::string(project.name) + "(1), tells what each button does.\n";
}

std::string QtCommandLine::version(const ProjectDescription& project)
{
    return std::string(project.name) + " " + std::string(project.version) + "\n"
        + "Copyright (c) 2026 The Tessary developers.\n"
          "License MIT: the terms are in the LICENSE file that comes with it.\n"
          "This is free software: you are free to change and redistribute it.\n"
          "There is NO WARRANTY, to the extent permitted by law.\n";
}

std::string QtCommandLine::refusal(std::string_view programName, std::string_view word)
{
    const std::string name(programName);
    return name + ": unrecognized argument '" + std::string(word) + "'\nTry '" + name + " --help' for more information.\n";
}
