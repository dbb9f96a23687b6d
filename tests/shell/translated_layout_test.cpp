// The windows in a longer language: the pseudo-translation the build makes
// (every text about 40% longer, accented) is installed before the windows
// are made. Every caption shows whole: no label, button, check box or group
// title is narrower than its text or reaches past its window, and every
// list tab stays in sight. The core's messages come out translated too.
#include "documents/edl_reader.h"
#include "documents/edl_sheet.h"
#include "documents/export_form.h"
#include "engine/format_info.h"
#include "list/find_form.h"
#include "main_window_fixture.h"
#include "minicalc/mini_calc_form.h"
#include "printing/preview_form.h"
#include "printing/print_form.h"
#include "settings/preferences.h"
#include "shell/about_box.h"
#include "shell/help_window.h"
#include "test_registry.h"
#include "widgets/qt_text.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QTranslator>

using namespace ombrel;
using namespace ombrel::test;

namespace {

bool accented(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 127; });
}

QString describe(const QWidget* widget, const QString& text)
{
    return QString("%1 '%2' (%3)").arg(widget->metaObject()->className(), text, widget->objectName());
}

// The width a plain label's text takes, its shortcut marks left out.
int textWidth(const QLabel* label)
{
    if (Qt::mightBeRichText(label->text()))
        return label->sizeHint().width() - 2 * label->margin();
    int widest = 0;
    for (const QString& line : QString(label->text()).remove('&').split('\n'))
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(line));
    return widest;
}

// The captions of `window` that do not show whole.
QStringList cutCaptions(QWidget* window)
{
    QStringList cut;
    const QRect inside = window->rect();
    const auto reachesOut = [&](const QWidget* widget) {
        return !inside.contains(QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()));
    };
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                            : textWidth(label) <= label->contentsRect().width();
        if (!fits || reachesOut(label))
            cut << describe(label, label->text());
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty() || qobject_cast<QToolButton*>(button))
            continue;
        if (button->sizeHint().width() > button->width() || reachesOut(button))
            cut << describe(button, button->text());
    }
    for (QGroupBox* group : window->findChildren<QGroupBox*>()) {
        if (group->isVisible() && group->minimumSizeHint().width() > group->width())
            cut << describe(group, group->title());
    }
    for (QTabBar* bar : window->findChildren<QTabBar*>()) {
        if (!bar->isVisible())
            continue;
        for (int tab = 0; tab < bar->count(); ++tab)
            if (!bar->rect().contains(bar->tabRect(tab)) ||
                !inside.contains(bar->tabRect(tab).translated(bar->mapTo(window, QPoint(0, 0)))))
                cut << describe(bar, bar->tabText(tab));
    }
    return cut;
}

void checkShown(QWidget* window)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QStringList cut = cutCaptions(window);
    QVERIFY2(cut.isEmpty(), qPrintable(window->objectName() + ": " + cut.join("; ")));
}

} // namespace

class TranslatedLayoutTest : public QObject {
    Q_OBJECT
    QTranslator translator_;

private slots:
    void initTestCase()
    {
        QVERIFY2(translator_.load(OMBREL_PSEUDO_TRANSLATION), OMBREL_PSEUDO_TRANSLATION);
        QCoreApplication::installTranslator(&translator_);
    }
    void cleanupTestCase() { QCoreApplication::removeTranslator(&translator_); }

    // The core marks its texts; the windows translate them in the same
    // context, and what the user typed stays as typed.
    void coreTextsAreTranslated()
    {
        const QString message = Translated(InvalidInteger("1x").message());
        QVERIFY2(accented(message) && message.contains("'1x'"), qPrintable(message));
        QVERIFY(!message.contains("not a valid"));
        QVERIFY(accented(Translated(kWindowFormats[0].tabCaption)));
        QVERIFY(accented(Translated(kWindowFormats[0].choiceName)));
        // A tab named in a message is named as the tab shows it.
        const EdlContents dropFrame = ReadEdl("FCM: DROP FRAME\n001  AX  V  C  00:00:00;00 00:00:01;00 "
                                              "01:00:00;00 01:00:01;00\n");
        const std::optional<EdlSheet> refused =
            EdlToSheet(dropFrame, TimecodeFormat::NonDrop, LabelStyle::InOutDuration, Rates{});
        QVERIFY(refused && !refused->ok());
        const QString refusal = Translated(refused->error);
        QVERIFY2(refusal.contains(Translated(kWindowFormats[FormatIndex(TimecodeFormat::DropFrm)].tabCaption)),
                 qPrintable(refusal));
    }

    void everyWindowShowsItsCaptionsWhole()
    {
        MainWindow main({.shown = true});
        TCalcMainForm& form = main.form;
        QVERIFY(accented(form.Label1->text()));
        checkShown(&form);
        for (QWidget* window : std::initializer_list<QWidget*>{&form.miniCalc(), &form.findForm(), &form.exportForm(),
                                                               &form.gridPrintForm(), &form.previewForm(),
                                                               &form.aboutBox(), &form.helpForm()}) {
            checkShown(window);
            window->hide();
        }
        TPreferences& preferences = form.preferences();
        for (int page = 0; page < preferences.PageControl1->count(); ++page) {
            preferences.PageControl1->setCurrentIndex(page);
            checkShown(&preferences);
        }
    }
};
OMBREL_TEST_CLASS(TranslatedLayoutTest)
#include "translated_layout_test.moc"
