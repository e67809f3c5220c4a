#include "window/frmtessary.h"

int main()
{
    return RunProject(tessaryProject);
}
