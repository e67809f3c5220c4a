#include "platform/hosts/win32/win32_form_host.h"
#include "platform/hosts/win32/win32_start_failure.h"

int RunProject(const ProjectDescription& project, CommandLine)
{
    try {
        Win32FormHost host(project);
        return host.run();
    } catch (const Win32StartFailure& failure) {
        MessageBoxW(nullptr, failure.reason().c_str(), L"Tessary", MB_OK | MB_ICONERROR);
        return 1;
    }
}
