#include "platform/hosts/null/null_form_host.h"

int RunProject(const ProjectDescription& project, CommandLine)
{
    NullFormHost host(project);
    return host.run();
}
