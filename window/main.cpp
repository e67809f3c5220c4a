#include "platform/runner/form_host.h"
#include "window/frmtessary.h"

int main()
{
    return RunProject(tessaryProject);
}
