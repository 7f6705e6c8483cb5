// QuorvelVendquill desktop front end.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("QuorvelVendquill V2.22"));
    window.resize(703, 668);
    window.show();
    return QApplication::exec();
}
