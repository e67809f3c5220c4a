#include "platform/hosts/qt/qt_platform.h"

#include <QByteArray>
#include <QtGlobal>

void prepareQtPlatform()
{
    // Some desktops would otherwise get X11 through XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland;xcb");
    // Qt's shared-memory path on X11 waits for the server to finish reading
    // before it paints over the same pixels again; the rings overlap every
    // frame, so that is one more round trip, and two more wake-ups, a frame.
    // Sending what changed is cheaper at this program's sizes.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}
