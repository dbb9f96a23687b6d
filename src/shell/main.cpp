#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "shell/program_style.h"
#include "widgets/user_dialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ombrel::UseProgramStyle();
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName("Ombrel");
    QApplication::setOrganizationName("Brontel");

    // The settings of the run: the main window's first activation loads
    // them from the store.
    ombrel::SettingsStore store;
    ombrel::AppSettings settings;
    ombrel::QtUserDialogs dialogs;
    ombrel::TCalcMainForm mainForm(dialogs, settings, store);
    mainForm.setCommandLine(QApplication::arguments().mid(1));
    mainForm.show();
    return app.exec();
}
