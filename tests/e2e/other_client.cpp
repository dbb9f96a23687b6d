// A small window of another program, for tests that switch away from
// Ombrel and back as a user does.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLineEdit field;
    field.setWindowTitle("Other client");
    field.setGeometry(600, 100, 200, 30);
    field.show();
    return app.exec();
}
