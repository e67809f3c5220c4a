#include "platform/hosts/null/null_window.h"

NullWindow::NullWindow(const Picture& picture, int logicalWidth, int logicalHeight)
    : picture_(picture)
    , logicalWidth_(logicalWidth)
    , logicalHeight_(logicalHeight)
{
}

void NullWindow::sized()
{
    if (runner_)
        runner_->resize(logicalWidth_, logicalHeight_, kNoDensity);
}

InputAnswer NullWindow::keyPressed(FormLook::Key key, bool modified, bool repeated)
{
    return runner_ ? runner_->areaKey(key, modified, repeated) : InputAnswer::PassedOn;
}

InputAnswer NullWindow::areaClicked()
{
    return runner_ ? runner_->clickArea() : InputAnswer::PassedOn;
}

InputAnswer NullWindow::pointerMoved(double logicalX, double logicalY)
{
    return runner_ ? runner_->pointerMoved(logicalX, logicalY) : InputAnswer::PassedOn;
}

void NullWindow::escaped(std::exception_ptr thrown)
{
    if (runner_)
        runner_->escaped(thrown);
}
