#include "platform/hosts/qt/qt_form_host.h"

#include "tests/support/manual_clock.h"
#include "tests/support/noted_clicks.h"
#include "bench/paint_counter.h"
#include "window/frmtessary.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kPink(255, 192, 192);

// The window of a host whose form never starts, with its clicks noted
// instead of handled.
struct ShownWindow {
    ShownWindow()
    {
        window.reportTo(noted);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ManualClock clock;
    QtFormHost host {tessaryProject, clock};
    QtFormWindow& window = host.window();
    WindowOperations& drawing = host.runner().window();
    NotedClicks noted {host.runner()};
    std::vector<std::string>& clicks = noted.clicks;
};

TEST(QtFormWindowTest, OpensAtTheDefinedSizeWithItsCaption)
{
    ShownWindow shown;
    EXPECT_EQ(shown.window.size(), QSize(353, 214));
    EXPECT_EQ(shown.window.windowTitle(), "Form1");
    Single width = 0, height = 0;
    EXPECT_EQ(shown.drawing.getScaleWidth(width), ErrorNumber::None);
    EXPECT_EQ(shown.drawing.getScaleHeight(height), ErrorNumber::None);
    EXPECT_EQ(std::pair(width, height), std::pair(5295.0f, 3210.0f));
    shown.window.resize(400, 300);
    EXPECT_EQ(shown.drawing.getScaleWidth(width), ErrorNumber::None);
    EXPECT_EQ(shown.drawing.getScaleHeight(height), ErrorNumber::None);
    EXPECT_EQ(std::pair(width, height), std::pair(6000.0f, 4500.0f));
}

TEST(QtFormWindowTest, ButtonsArePinkAtTheirPlacesWithWholeCaptions)
{
    struct Case {
        const char* name;
        QRect geometry;
        const char* caption;
    };
    const Case cases[] = {
        {"cmdmove", {0, 16, 41, 17}, "Move"},
        {"cmdcolor", {56, 16, 41, 17}, "Color"},
        {"cmdslow", {112, 16, 41, 17}, "Slower"},
        {"cmdfast", {176, 16, 41, 17}, "Faster"},
        {"cmdstop", {232, 16, 41, 17}, "Stop"},
        {"cmdclear", {288, 16, 41, 17}, "Clear"},
    };
    ShownWindow shown;
    const QImage picture = shown.window.grab().toImage();
    for (const Case& c : cases) {
        QPushButton* button = shown.window.button(c.name);
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->geometry(), c.geometry) << c.name;
        EXPECT_EQ(button->text(), c.caption);
        const QFontMetrics metrics(button->font());
        EXPECT_LE(metrics.horizontalAdvance(button->text()), c.geometry.width() - 2) << c.name;
        EXPECT_LE(metrics.height(), c.geometry.height()) << c.name;
        // The face shows pink just inside the border, where no caption is drawn.
        const QPoint face = c.geometry.topLeft() + QPoint(2, 2);
        EXPECT_EQ(picture.pixelColor(face * picture.devicePixelRatio()), kPink) << c.name;
    }
    // Between two buttons, the bare drawing area shows its black background.
    EXPECT_EQ(picture.pixelColor(QPoint(48, 24) * picture.devicePixelRatio()), QColor(Qt::black));
}

TEST(QtFormWindowTest, TabRunsThroughTheButtonsThenTheDrawingAreaFromSlower)
{
    ShownWindow shown;
    shown.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
    std::vector<QString> order;
    for (int i = 0; i < 8; ++i) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        order.push_back(focused == &shown.window.drawingArea() ? QStringLiteral("drawing area") : focused->objectName());
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    EXPECT_EQ(order, (std::vector<QString> {"cmdslow", "cmdfast", "cmdclear", "cmdcolor", "cmdmove", "cmdstop", "drawing area",
                         "cmdslow"}));
}

TEST(QtFormWindowTest, TheDrawingAreaShowsItsFocusOnScreenOnlyAndNeverInThePicture)
{
    ShownWindow shown;
    shown.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
    const FormSettings& defined = frmtessary.settings;
    // Black, as Clear leaves it.
    ASSERT_EQ(shown.drawing.lineBox(0, 0, defined.clientWidth, defined.clientHeight, 0), ErrorNumber::None);
    const auto litOnScreen = [&] {
        const QImage shot = shown.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int lit = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const QPoint logical(static_cast<int>(x / shot.devicePixelRatio()), static_cast<int>(y / shot.devicePixelRatio()));
                lit += shown.window.childAt(logical) == &shown.window.drawingArea() && shot.pixelColor(x, y) != QColor(Qt::black);
            }
        return lit;
    };
    const auto litInThePicture = [&] {
        const QImage picture = shown.window.image();
        int lit = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                lit += picture.pixelColor(x, y) != QColor(Qt::black);
        return lit;
    };
    EXPECT_EQ(litOnScreen(), 0);
    shown.window.drawingArea().setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(shown.window.drawingArea().hasFocus());
    EXPECT_GT(litOnScreen(), 100) << "no focus frame on screen";
    EXPECT_EQ(litInThePicture(), 0) << "the focus frame went into the picture";
    shown.window.button("cmdslow")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(litOnScreen(), 0) << "the focus frame stayed after the focus left";
}

TEST(QtFormWindowTest, AScreenReaderSeesAFrameSixButtonsAndTheDrawingAreaAndEveryPressCounts)
{
    ShownWindow shown;
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&shown.window);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), "Form1");
    std::vector<QString> buttons;
    QAccessibleInterface* area = nullptr;
    for (int i = 0; i < frame->childCount(); ++i) {
        QAccessibleInterface* child = frame->child(i);
        if (child->role() == QAccessible::Button) {
            buttons.push_back(child->text(QAccessible::Name));
            EXPECT_TRUE(child->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        } else if (child->object() == &shown.window.drawingArea()) {
            area = child;
        }
    }
    EXPECT_EQ(buttons, (std::vector<QString> {"Move", "Color", "Slower", "Faster", "Stop", "Clear"}));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->text(QAccessible::Name), "Drawing area");
    ASSERT_TRUE(area->actionInterface());

    QAccessibleInterface* slower = QAccessible::queryAccessibleInterface(shown.window.button("cmdslow"));
    for (int i = 0; i < 5; ++i)
        slower->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    area->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(shown.clicks, (std::vector<std::string> {"cmdslow", "cmdslow", "cmdslow", "cmdslow", "cmdslow", "form"}));
}

TEST(QtFormWindowTest, ClicksReachTheButtonOrTheBareAreaNeverBoth)
{
    struct Case {
        const char* why;
        std::function<void(QtFormWindow&)> act;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"left click on a button", [](QtFormWindow& w) { QTest::mouseClick(w.button("cmdstop"), Qt::LeftButton); },
            {"cmdstop"}},
        {"space on the focused button", [](QtFormWindow& w) { QTest::keyClick(w.button("cmdslow"), Qt::Key_Space); },
            {"cmdslow"}},
        {"left click on the bare area",
            [](QtFormWindow& w) { QTest::mouseClick(&w.drawingArea(), Qt::LeftButton, {}, QPoint(200, 150)); },
            {"form"}},
        {"left click in the button strip between buttons",
            [](QtFormWindow& w) { QTest::mouseClick(&w.drawingArea(), Qt::LeftButton, {}, QPoint(48, 24)); }, {"form"}},
        {"right click on the bare area",
            [](QtFormWindow& w) { QTest::mouseClick(&w.drawingArea(), Qt::RightButton, {}, QPoint(200, 150)); }, {}},
        // The area holds the mouse from the press, so the release comes to it.
        {"pressed on the bare area, released over a button",
            [](QtFormWindow& w) {
                QTest::mousePress(&w.drawingArea(), Qt::LeftButton, {}, QPoint(200, 150));
                QTest::mouseRelease(&w.drawingArea(), Qt::LeftButton, {}, w.button("cmdstop")->geometry().center());
            },
            {}},
        {"pressed on a button, released on the bare area",
            [](QtFormWindow& w) {
                QPushButton* stop = w.button("cmdstop");
                QTest::mousePress(stop, Qt::LeftButton);
                QTest::mouseRelease(stop, Qt::LeftButton, {}, stop->mapFrom(&w, QPoint(200, 150)));
            },
            {}},
        {"space on the drawing area", [](QtFormWindow& w) { QTest::keyClick(&w.drawingArea(), Qt::Key_Space); }, {"form"}},
        {"return on the drawing area", [](QtFormWindow& w) { QTest::keyClick(&w.drawingArea(), Qt::Key_Return); }, {"form"}},
        {"a letter on the drawing area", [](QtFormWindow& w) { QTest::keyClick(&w.drawingArea(), Qt::Key_A); }, {}},
        {"right click on a button", [](QtFormWindow& w) { QTest::mouseClick(w.button("cmdmove"), Qt::RightButton); }, {}},
    };
    for (const Case& c : cases) {
        ShownWindow shown;
        c.act(shown.window);
        EXPECT_EQ(shown.clicks, c.expected) << c.why;
    }
}

TEST(QtFormWindowTest, DrawingsReachTheScreenTogetherAtTheFlush)
{
    ShownWindow shown;
    QTest::qWait(50);
    // What the window system shows, not a fresh rendering of the widget.
    const auto greenOnScreen = [&] {
        const QImage screen = shown.window.screen()->grabWindow(shown.window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        int green = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                green += screen.pixelColor(x, y) == QColor(0, 255, 0);
        return green;
    };
    const PaintCounter paints(&shown.window.drawingArea());
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(shown.drawing.circle(2000 + 5 * i, 1600, 300, 0x0000FF00), ErrorNumber::None);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count(), 0) << "a drawing reached the screen before the flush";
    EXPECT_EQ(greenOnScreen(), 0);
    // The form is not started: a wake-up delivers no tick, only the flush.
    shown.host.runner().wake();
    shown.host.runner().wake();
    EXPECT_EQ(paints.count(), 1) << "a flush with nothing new repainted again";
    EXPECT_GT(greenOnScreen(), 100);
}

TEST(QtFormWindowTest, AWindowThatGrowsKeepsItsRingsAndShowsBlackAround)
{
    ShownWindow shown;
    ASSERT_EQ(shown.drawing.circle(1500, 1500, 600, 0x00FFFFFF), ErrorNumber::None);
    shown.window.resize(600, 400);
    QTest::qWait(50);
    const QImage picture = shown.window.grab().toImage();
    const qreal ratio = picture.devicePixelRatio();
    EXPECT_EQ(picture.pixelColor(QPoint(100 - 40, 100) * ratio), QColor(Qt::white));
    EXPECT_EQ(picture.pixelColor(QPoint(500, 350) * ratio), QColor(Qt::black));
}

} // namespace
