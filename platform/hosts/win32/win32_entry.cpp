#include "platform/hosts/win32/win32_form_host.h"
#include "platform/hosts/win32/win32_start_failure.h"
#include "platform/hosts/win32/win32_text.h"

int RunProject(const ProjectDescription& project, CommandLine)
{
    try {
        Win32FormHost host(project);
        return host.run();
    } catch (const Win32StartFailure& failure) {
        MessageBoxW(nullptr, failure.reason().c_str(), toWide(project.name).c_str(), MB_OK | MB_ICONERROR);
        return 1;
    }
}
