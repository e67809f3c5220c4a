#include "platform/hosts/null/null_form_host.h"

#include <chrono>

namespace {

// No one can close the null host's window: the program shows the form for
// this long, to no one, and ends.
constexpr std::chrono::seconds kShownFor {1};

} // namespace

int RunProject(const ProjectDescription& project, CommandLine)
{
    const SteadyClock clock;
    NullFormHost host(project, clock);
    return host.run(clock.now() + kShownFor);
}
