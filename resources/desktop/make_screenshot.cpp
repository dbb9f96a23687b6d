// Makes the screenshot software centres show, at build time: the real main
// window, off screen, after a few calculations, with settings of its own so
// the builder's settings neither show nor change:
//   make_screenshot OUTPUT.png
#include "settings/app_settings.h"
#include "settings/settings_store.h"
#include "shell/calc_main_form.h"
#include "shell/program_style.h"
#include "widgets/user_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSaveFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Calculation {
    const char* first;
    const char* op;
    const char* second;
};

constexpr Calculation kCalculations[] = {
    {"01:00:00:00", "+", "00:00:10:12"}, {"01:00:10:12", "-", "00:00:02:20"}, {"00:59:59;28", "+", "00:00:00;04"},
    {"00:10:00:00", "+", "00:00:30:00"}, {"02:13:44:10", "~", "01:58:03:27"},
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ombrel::UseProgramStyle();
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshot OUTPUT.png\n");
        return 2;
    }
    QTemporaryDir settingsFolder;
    ombrel::SettingsStore store(settingsFolder.filePath("Ombrel.conf"));
    ombrel::AppSettings settings;
    ombrel::QtUserDialogs dialogs;
    ombrel::TCalcMainForm window(dialogs, settings, store);
    window.show();
    window.FormActivate();
    for (const Calculation& calculation : kCalculations) {
        window.MaskEdit1->setText(calculation.first);
        window.OperandCombo->setCurrentIndex(window.OperandCombo->findText(calculation.op));
        window.MaskEdit2->setText(calculation.second);
        window.CalculateBtnClick();
    }
    window.PageControl1->setCurrentIndex(1);
    QApplication::processEvents();

    const QImage picture = window.grab().toImage();
    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    if (picture.isNull() || !out.open(QIODevice::WriteOnly) || !picture.save(&out, "PNG") || !out.commit()) {
        std::fprintf(stderr, "make_screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
