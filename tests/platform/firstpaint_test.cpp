// Work put off until a window's first frame runs once, after that frame.
#include "platform/qt/firstpaint.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the paints of one widget and the runs of the put-off work in order.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget* widget) { widget->installEventFilter(this); }
    std::string log;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) log += "paint ";
        return QObject::eventFilter(watched, event);
    }
};

TEST(FirstPaint, WorkRunsOnceRightAfterTheFirstFrameAndNeverForAGoneWindow) {
    QWidget window;
    window.resize(200, 100);
    PaintLog paints(&window);
    platform::AfterFirstPaint(window, [&paints] { paints.log += "work "; });
    QApplication::processEvents();
    EXPECT_EQ(paints.log, ""); // not shown yet: nothing to wait for
    window.show();
    QTRY_VERIFY(paints.log.find("work") != std::string::npos);
    EXPECT_EQ(paints.log.rfind("paint ", 0), 0U) << paints.log;
    window.update();
    QTest::qWait(50);
    EXPECT_EQ(paints.log.find("work"), paints.log.rfind("work")) << paints.log;

    bool ran = false;
    {
        QWidget gone;
        platform::AfterFirstPaint(gone, [&ran] { ran = true; });
        gone.show();
    }
    QTest::qWait(50);
    EXPECT_FALSE(ran);
}

} // namespace
