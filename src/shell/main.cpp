#include "shell/calc_main_form.h"
#include "widgets/user_dialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Ombrel");
    QApplication::setApplicationDisplayName("Ombrel");
    QApplication::setOrganizationName("Brontel");

    ombrel::QtUserDialogs dialogs;
    ombrel::TCalcMainForm mainForm(dialogs);
    mainForm.setCommandLine(QApplication::arguments().mid(1));
    mainForm.show();
    return app.exec();
}
