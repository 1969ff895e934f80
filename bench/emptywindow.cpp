// The reference of the start-up benchmark: the least a Qt Widgets program
// does to show one empty window of the main window's size and paint
// it, reporting the paint the way the program does.
#include "bench/instrument/paintreport.h"

#include <QApplication>
#include <QWidget>

namespace {

// The size the start-up benchmark gives the main window.
constexpr int kWidth = 273;
constexpr int kHeight = 537;

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(kWidth, kHeight);
    window.show();
    platform::ReportFirstPaint(window);
    return application.exec();
}
