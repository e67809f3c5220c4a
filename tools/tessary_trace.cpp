#include "tools/trace_session.h"

#include <iostream>
#include <iterator>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

// Reads a script of events on standard input and prints, one line per
// operation, what the form's handlers do with them. Exit status 2 on bad input.
int main()
{
#ifdef _WIN32
    // Bytes in and out as they are, so that the trace is the same everywhere.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // One write for many lines: the system's C library writes each on its own.
    std::ios::sync_with_stdio(false);
#endif
    const std::string script((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    TraceSession session;
    if (const auto problem = session.run(script, std::cout)) {
        std::cerr << "tessary-trace: line " << problem->line << ": '" << problem->word << "': " << problem->what << '\n';
        return 2;
    }
    return 0;
}
