#include "platform/runner/form_host.h"
#include "window/frmtessary.h"

int main(int argc, char* argv[])
{
    return RunProject(tessaryProject, CommandLine(argv, static_cast<size_t>(argc)));
}
