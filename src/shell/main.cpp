#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "shell/command_line.h"
#include "shell/program_style.h"
#include "shell/program_translations.h"
#include "widgets/line_edit_paste.h"
#include "widgets/user_dialogs.h"

#include <QApplication>

#include <cstdio>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string_view> argumentsOf(const QStringList& list, std::vector<QByteArray>& keep)
{
    std::vector<std::string_view> arguments;
    for (const QString& argument : list) {
        keep.push_back(argument.toLocal8Bit());
        arguments.emplace_back(keep.back().constData(), keep.back().size());
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    // Help and version need no display, so they are answered before Qt
    // looks for one.
    const ombrel::ShellCommandLine asked = ombrel::ParseShellCommandLine({argv + 1, argv + argc});
    if (asked.help || asked.version) {
        const std::string text = asked.help ? std::string(ombrel::ShellUsageText()) : ombrel::ShellVersionText();
        return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication app(argc, argv);
    // Qt's own options (-platform, -style ...) are gone from the arguments now.
    std::vector<QByteArray> kept;
    kept.reserve(QApplication::arguments().size());
    const ombrel::ShellCommandLine commandLine =
        ombrel::ParseShellCommandLine(argumentsOf(QApplication::arguments().mid(1), kept));
    if (!commandLine.error.empty()) {
        std::fprintf(stderr, "%s\n", commandLine.error.c_str());
        return 2;
    }
    ombrel::UseProgramStyle();
    ombrel::LoadTranslations(app);
    app.installEventFilter(new ombrel::LineEditPaste(&app));
    // No display name: Qt would append it to every window caption.
    QApplication::setApplicationName("Ombrel");
    QApplication::setOrganizationName("Brontel");

    // The settings of the run: the main window's first activation loads
    // them from the store.
    ombrel::SettingsStore store;
    ombrel::AppSettings settings;
    ombrel::QtUserDialogs dialogs;
    ombrel::TCalcMainForm mainForm(dialogs, settings, store);
    QStringList files;
    for (const std::string& file : commandLine.files)
        files.append(QString::fromLocal8Bit(file));
    mainForm.setCommandLine(files);
    mainForm.show();
    return app.exec();
}
