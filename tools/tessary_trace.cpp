#include "tools/trace_session.h"

#include <iostream>
#include <iterator>

// Reads a script of events on standard input and prints, one line per
// operation, what the form's handlers do with them. Exit status 2 on bad input.
int main()
{
    const std::string script((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    TraceSession session;
    if (const auto problem = session.run(script, std::cout)) {
        std::cerr << "tessary-trace: line " << problem->line << ": '" << problem->word << "': " << problem->what << '\n';
        return 2;
    }
    return 0;
}
