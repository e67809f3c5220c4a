#pragma once

class QObject;

// Where the system has them, the signals of an ending session (SIGTERM), a
// closed terminal (SIGHUP) and an interrupt (SIGINT) leave the event loop as
// a closed window would, so that the program ends with status 0. Elsewhere
// it does nothing.
void quitOnTermination(QObject* owner);
