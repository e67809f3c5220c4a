#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>

// A private X display under Xvfb with one program started in it, driven the way
// a person would: xdotool moves the pointer and clicks, scrot takes the
// screenshots. Everything it starts ends with it.
class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();

    // Starts a real window manager (openbox) on the display and waits until it
    // answers as one.
    bool startWindowManager();

    // Starts the program and waits until its window with this title is mapped.
    bool launch(const QString& program, const QString& windowTitle);

    bool programRunning() const { return program_.state() == QProcess::Running; }
    QRect windowGeometry() const { return window_; }

    // A screenshot of the window alone, one pixel per X pixel.
    QImage screenshot();
    void click(QPoint inWindow);
    // Asks the window manager to close the window, as its close button would,
    // and waits for the program. Returns its exit status, or -1.
    int closeWindow();

    QString error() const { return error_; }

private:
    QString run(const QString& tool, const QStringList& arguments);

    QProcess server_;
    QProcess windowManager_;
    QProcess program_;
    QString display_;
    QString windowId_;
    QString windowTitle_;
    QRect window_;
    QString error_;
    QString scratch_;
};
