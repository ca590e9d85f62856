#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget w;
    w.setObjectName("Form1");
    w.setWindowTitle(QStringLiteral("股票交易费用Zunmo计算器3.0版"));
    w.show();
    return app.exec();
}
