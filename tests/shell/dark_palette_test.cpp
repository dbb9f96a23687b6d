// The work under a dark palette, the one qt6ct ships as "darker": list text,
// the Mini Calc display and a help page read at 4.5:1 or better, measured on
// their pixels.
#include "main_window_fixture.h"
#include "minicalc/mini_calc_form.h"
#include "settings/contrast.h"
#include "shell/help_window.h"
#include "test_registry.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QTextBrowser>

using namespace ombrel;
using namespace ombrel::test;

namespace {

// qt6ct's colour scheme file: the colours of the active group, in the order
// of QPalette::ColorRole.
QPalette qt6ctPalette(const QString& path)
{
    QSettings scheme(path, QSettings::IniFormat);
    const QStringList colours = scheme.value("ColorScheme/active_colors").toStringList();
    QPalette palette;
    for (int role = 0; role < colours.size() && role < QPalette::NColorRoles; ++role)
        palette.setColor(QPalette::ColorRole(role), QColor(colours[role].trimmed()));
    return palette;
}

Rgb rgb(QRgb pixel)
{
    return {qRed(pixel), qGreen(pixel), qBlue(pixel)};
}

// The contrast of the text in a picture: its most common colour is the
// background, the pixel that differs most from it is the text's own colour
// (the others are its smoothed edges).
double textContrast(const QImage& picture)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    QRgb background = 0;
    int most = 0;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it.value() > most)
            std::tie(background, most) = std::pair{it.key(), it.value()};
    double best = 1;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        best = std::max(best, ContrastRatio(rgb(it.key()), rgb(background)));
    return best;
}

} // namespace

class DarkPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString scheme = "/usr/share/qt6ct/colors/darker.conf";
        if (!QFile::exists(scheme))
            QSKIP("qt6ct's colour schemes are not installed");
        QApplication::setPalette(qt6ctPalette(scheme));
        QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 60);
    }

    void textReads()
    {
        MainWindow w({.shown = true});
        w.calculate("00:00:10:00", "+", "00:00:05:00");
        w.calculate("00:01:00:00", "-", "00:00:02:00");
        CalcGrid* list = w.form.list(TimecodeFormat::NonDrop);
        QApplication::processEvents();
        const QRect firstRow =
            list->visualRect(list->model()->index(0, 0)).united(list->visualRect(list->model()->index(0, 2)));
        const double listContrast = textContrast(list->viewport()->grab(firstRow).toImage());
        QVERIFY2(listContrast >= kReadableContrast, qPrintable(QString("list text %1:1").arg(listContrast)));

        TCalcMini& mini = w.form.miniCalc();
        mini.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mini));
        const double miniContrast = textContrast(mini.MaskEdit1->grab().toImage());
        QVERIFY2(miniContrast >= kReadableContrast, qPrintable(QString("Mini Calc display %1:1").arg(miniContrast)));

        THelpForm help;
        help.show();
        help.showPage("lists.html");
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        auto* browser = help.findChild<QTextBrowser*>("HelpBrowser");
        QVERIFY(browser && !browser->toPlainText().isEmpty());
        const QImage page = browser->viewport()->grab().toImage();
        // The body text: a band below the heading.
        const double helpContrast = textContrast(page.copy(0, 60, page.width(), 120));
        QVERIFY2(helpContrast >= kReadableContrast, qPrintable(QString("help page %1:1").arg(helpContrast)));
        qInfo("contrast: list %.2f, Mini Calc %.2f, help %.2f", listContrast, miniContrast, helpContrast);
    }
};

OMBREL_TEST_CLASS(DarkPaletteTest)
#include "dark_palette_test.moc"
