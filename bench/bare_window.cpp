// The yardstick for ORVA's memory: an empty Qt Widgets window of the main window's size.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("ORVA"));
    window.setFixedSize(575, 456);
    window.show();
    return QApplication::exec();
}
