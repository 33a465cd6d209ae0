// quillbay: the desktop program of Quillbay.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quillbay"));
    window.show();
    return app.exec();
}
