#include "platform/hosts/web/web_form_host.h"

// The page lives as long as its tab: its host is never taken down.
int RunProject(const ProjectDescription& project)
{
    static WebFormHost host(project);
    return host.run();
}
