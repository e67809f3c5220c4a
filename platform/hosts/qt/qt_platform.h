#pragma once

// Settles, before the application object exists, which of Qt's window-system
// back ends the program uses and how: Wayland inside a Wayland session where
// Qt's plugin for it is installed, and on X11 pictures sent over the
// connection rather than through shared memory. What the user has set in the
// environment stays as it is.
void prepareQtPlatform();
