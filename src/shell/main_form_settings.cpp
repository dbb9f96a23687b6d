// The main window as the preferences see it, and the commands that read or
// write the settings.
#include "settings/preferences.h"
#include "shell/calc_button.h"
#include "shell/calc_main_form.h"
#include "widgets/display_font.h"
#include "shell/qt_text.h"
#include "widgets/am_edit.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

namespace ombrel {

void TCalcMainForm::takeRates()
{
    state_.rates = Preferences->CurrentRates();
    setTabCaptions(Preferences->UserTabCaption(), Preferences->FramesTabCaption());
}

void TCalcMainForm::Preferences1Click()
{
    Preferences->ShowModal();
    takeRates();
}

void TCalcMainForm::Descriptions1Click()
{
    Preferences->WriteDescriptions(Descriptions1->isChecked());
    Preferences->ApplyBtnClick();
}

void TCalcMainForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    Preferences->WritePosGrid();
    Preferences->CloseStore();
    QMainWindow::closeEvent(event);
}

bool TCalcMainForm::largeFonts() const
{
    return TimecodeColumnAllowance > 0;
}

int TCalcMainForm::activeTabIndex() const
{
    return formatIndex(activeFormat());
}

void TCalcMainForm::setEntryFieldColour(const QColor& colour)
{
    for (QWidget* field : std::initializer_list<QWidget*>{MaskEdit1, MaskEdit2, MaskEdit3, MaskEdit4, OperandCombo,
                                                          FrameIn, FrameOut, FrameDur}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, colour);
        field->setPalette(palette);
    }
}

void TCalcMainForm::setListFont(int format, const FontChoice& font)
{
    listFonts_[format] = font;
    QTableView* grid = StringGrid[format];
    grid->setFont(displayFont(font.font));
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Text, font.color);
    grid->setPalette(palette);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 4);
}

void TCalcMainForm::setListColour(int format, const QColor& colour)
{
    QPalette palette = StringGrid[format]->palette();
    palette.setColor(QPalette::Base, colour);
    StringGrid[format]->setPalette(palette);
}

void TCalcMainForm::setColumnWidth(int column, int width)
{
    for (QTableView* grid : StringGrid)
        grid->setColumnWidth(column, width);
}

// The designed client area is the outer width less the 4-pixel borders of
// the original window frame.
void TCalcMainForm::setWindowWidths(const WindowWidths& widths)
{
    setFixedWidth(widths.mainWindow - 8);
}

void TCalcMainForm::setTabsAtBottom(bool bottom)
{
    PageControl1->setTabPosition(bottom ? QTabWidget::South : QTabWidget::North);
}

void TCalcMainForm::setTabCaptions(const QString& userCaption, const QString& framesCaption)
{
    PageControl1->setTabText(formatIndex(TimecodeFormat::User), userCaption);
    PageControl1->setTabText(formatIndex(TimecodeFormat::Frames), framesCaption);
}

QAction* TCalcMainForm::menuItem(Check item) const
{
    switch (item) {
    case Check::Validity:
        return ValidityCheck;
    case Check::Descriptions:
        return Descriptions1;
    case Check::Percentages:
        return Percentages1;
    case Check::FrameMode:
        return FrameMode1;
    case Check::Balloon:
        return Balloon1;
    }
    return nullptr;
}

void TCalcMainForm::setMenuCheck(Check item, bool checked)
{
    menuItem(item)->setChecked(checked);
}

bool TCalcMainForm::menuCheck(Check item) const
{
    return menuItem(item)->isChecked();
}

void TCalcMainForm::setLabels(const LabelSet& labels)
{
    Label1->setText(toQt(labels.label1));
    Label1->move(labels.label1Left, Label1->y());
    Label2->setText(toQt(labels.label2));
    Label2->move(labels.label2Left, Label2->y());
    Label4->setText(toQt(labels.label4));
    Label4->move(labels.label4Left, Label4->y());
    for (QLabel* label : {Label1, Label2, Label4})
        label->adjustSize();
    models_.setHeaderLabels(toQt(labels.headerTexts[0]), toQt(labels.headerTexts[1]), toQt(labels.headerTexts[2]));
    fieldLabels_ = {toQt(labels.fieldLabels[0]), toQt(labels.fieldLabels[1]), toQt(labels.fieldLabels[2])};
    labelStyle_ = static_cast<LabelStyle>(labels.item);
}

void TCalcMainForm::setFrameFieldsVisible(bool visible)
{
    for (QWidget* field : std::initializer_list<QWidget*>{FrameIn, FrameOut, FrameDur})
        field->setVisible(visible);
}

QPoint TCalcMainForm::mainWindowPosition() const
{
    return pos();
}

void TCalcMainForm::moveMainWindow(const QPoint& topLeft)
{
    move(topLeft);
}

QPoint TCalcMainForm::miniCalcPosition() const
{
    return miniCalcPosition_;
}

void TCalcMainForm::moveMiniCalc(const QPoint& topLeft)
{
    miniCalcPosition_ = topLeft;
}

int TCalcMainForm::columnWidth(int column) const
{
    return StringGrid[0]->columnWidth(column);
}

FontChoice TCalcMainForm::nonDropListFont() const
{
    return listFonts_[formatIndex(TimecodeFormat::NonDrop)];
}

} // namespace ombrel
