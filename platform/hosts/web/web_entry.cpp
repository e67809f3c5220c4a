#include "platform/hosts/web/web_form_host.h"
#include "platform/hosts/web/web_saver_host.h"

#include <emscripten.h>

EM_JS(int, pageIsSaver, (), { return Module.page.saver ? 1 : 0; });

// The page lives as long as its tab: its host is never taken down. As
// Tessary.html#saver it is the screen saver instead of the form.
int RunProject(const ProjectDescription& project, CommandLine)
{
    if (pageIsSaver()) {
        static WebSaverHost saver(project);
        return saver.run();
    }
    static WebFormHost host(project);
    return host.run();
}
