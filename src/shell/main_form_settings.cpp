// The main window as the preferences see it, and the commands that read or
// write the settings.
#include "list/list_headers.h"
#include "minicalc/mini_calc_form.h"
#include "settings/preferences.h"
#include "settings/settings_sections.h"
#include "settings/settings_store.h"
#include "settings/window_placement.h"
#include "shell/calc_main_form.h"
#include "widgets/am_edit.h"
#include "widgets/calc_button.h"
#include "widgets/display_font.h"
#include "widgets/qt_text.h"
#include "widgets/readable_text.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace ombrel {

void TCalcMainForm::takeRates()
{
    state_.rates = RatesOf(settings_.options);
    setTabCaptions(toQt(UserTabCaption(settings_.options.userFrames)),
                   toQt(FramesTabCaption(settings_.options.frames)));
}

void TCalcMainForm::Preferences1Click()
{
    WritePosGrid();
    // Its activation loads the stored settings.
    preferences().exec();
    takeRates();
}

void TCalcMainForm::WritePosGrid()
{
    // Stored without the large-font allowance, so the widths survive a
    // change of screen resolution.
    const ColumnAllowances allowances = AllowancesFor(largeFonts());
    const ColumnWidths columns = headers_->columnWidths();
    AppSettings written = settings_;
    for (int i = 0; i < kGridColumnCount; ++i)
        written.columnBaseWidths[i] = BaseWidthFromColumn(i, columns[i], allowances);
    written.mainWindow = {x(), y()};
    if (miniCalc_)
        written.miniCalc = miniCalc_->position();
    if (ReportStoreErrors(dialogs_, this, [&] { WritePositionsAndWidths(store_, written); })) {
        settings_.columnBaseWidths = written.columnBaseWidths;
        settings_.mainWindow = written.mainWindow;
        settings_.miniCalc = written.miniCalc;
    }
}

void TCalcMainForm::storeMenuOption(MenuOption option, bool value)
{
    OptionFlag(settings_.options, option) = value;
    ReportStoreErrors(dialogs_, this, [&] { WriteMenuOption(store_, option, value); });
}

void TCalcMainForm::Descriptions1Click()
{
    storeMenuOption(MenuOption::Descriptions, Descriptions1->isChecked());
    ApplySettings(settings_, *this, false);
    // Hidden descriptions cannot be edited.
    if (!Descriptions1->isChecked()) {
        ActivateDragMode();
        EditBtn->setChecked(false);
    }
}

void TCalcMainForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    WritePosGrid();
    store_.Close();
    workFile_.release();
    QMainWindow::closeEvent(event);
}

bool TCalcMainForm::largeFonts() const
{
    return TimecodeColumnAllowance > 0;
}

int TCalcMainForm::activeTabIndex() const
{
    return FormatIndex(activeFormat());
}

void TCalcMainForm::setEntryFieldColour(const QColor& colour)
{
    for (QWidget* field : std::initializer_list<QWidget*>{MaskEdit1, MaskEdit2, MaskEdit3, MaskEdit4, OperandCombo,
                                                          FrameIn, FrameOut, FrameDur}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, colour);
        // The operator list draws its face as a button.
        palette.setColor(QPalette::Button, colour);
        field->setPalette(palette);
    }
}

void TCalcMainForm::setListFont(int format, const FontChoice& font)
{
    listLooks_[format].font = {displayFont(font.font), font.color};
    if (lists_[format])
        showListLook(format);
}

void TCalcMainForm::setListColour(int format, const QColor& colour, bool systemColour)
{
    listLooks_[format].background = colour;
    listLooks_[format].systemBackground = systemColour;
    if (lists_[format])
        showListLook(format);
}

void TCalcMainForm::showListLook(int format)
{
    CalcGrid* grid = lists_[format];
    const ListLook& look = listLooks_[format];
    grid->setFont(look.font.font);
    QPalette palette = grid->palette();
    if (look.background)
        palette.setColor(QPalette::Base, *look.background);
    // Colours the user named are drawn as named; over the palette's own
    // background the text must read.
    palette.setColor(QPalette::Text,
                     look.systemBackground
                         ? ReadableText(look.font.color, palette.color(QPalette::Base), QGuiApplication::palette())
                         : look.font.color);
    grid->setPalette(palette);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
    if (listWidth_)
        grid->setFixedWidth(*listWidth_);
}

void TCalcMainForm::setColumnWidth(int column, int width)
{
    headers_->setColumnWidth(column, width);
}

// The designed client area is the outer width less the 4-pixel borders of
// the original window frame.
void TCalcMainForm::setWindowWidths(const WindowWidths& widths)
{
    setFixedWidth(widths.mainWindow - 8);
    // Each list is W wide, so that it ends where its last visible column
    // does: with descriptions hidden, nothing of them shows at the edge.
    listWidth_ = widths.list;
    for (CalcGrid* grid : madeLists())
        grid->setFixedWidth(widths.list);
}

void TCalcMainForm::setTabsAtBottom(bool bottom)
{
    PageControl1->setTabPosition(bottom ? QTabWidget::South : QTabWidget::North);
}

void TCalcMainForm::setTabCaptions(const QString& userCaption, const QString& framesCaption)
{
    PageControl1->setTabText(FormatIndex(TimecodeFormat::User), userCaption);
    PageControl1->setTabText(FormatIndex(TimecodeFormat::Frames), framesCaption);
}

QAction* TCalcMainForm::menuItem(MenuOption item) const
{
    switch (item) {
    case MenuOption::Validity:
        return ValidityCheck;
    case MenuOption::Descriptions:
        return Descriptions1;
    case MenuOption::Percentages:
        return Percentages1;
    case MenuOption::FrameMode:
        return FrameMode1;
    case MenuOption::Balloon:
        break;
    }
    return Balloon1;
}

void TCalcMainForm::setMenuCheck(MenuOption item, bool checked)
{
    menuItem(item)->setChecked(checked);
}

void TCalcMainForm::setLabels(const LabelSet& labels)
{
    Label1->setText(Translated(labels.label1));
    Label1->move(labels.label1Left, Label1->y());
    Label2->setText(Translated(labels.label2));
    Label2->move(labels.label2Left, Label2->y());
    Label4->setText(Translated(labels.label4));
    Label4->move(labels.label4Left, Label4->y());
    for (QLabel* label : {Label1, Label2, Label4})
        label->adjustSize();
    models_.setHeaderLabels(Translated(labels.headerTexts[0]), Translated(labels.headerTexts[1]),
                            Translated(labels.headerTexts[2]));
    fieldLabels_ = {Translated(labels.fieldLabels[0]), Translated(labels.fieldLabels[1]),
                    Translated(labels.fieldLabels[2])};
    labelStyle_ = static_cast<LabelStyle>(labels.item);
}

void TCalcMainForm::setFrameFieldsVisible(bool visible)
{
    for (QWidget* field : std::initializer_list<QWidget*>{FrameIn, FrameOut, FrameDur})
        field->setVisible(visible);
}

void TCalcMainForm::moveMainWindow(const WindowPosition& position)
{
    // A stored place off every screen (another screen layout, a hostile
    // value) moves to where the user can reach the window.
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    const QSize size = frameGeometry().size();
    const WindowPosition place = PlaceOnScreens(position, size.width(), size.height(), screens);
    move(place.left, place.top);
}

} // namespace ombrel
