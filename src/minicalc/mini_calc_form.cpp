#include "minicalc/mini_calc_form.h"

#include "entry/entry_keys.h"
#include "entry/entry_panel.h"
#include "list/drop_target.h"
#include "minicalc/mini_keys.h"
#include "settings/app_settings.h"
#include "settings/settings_sections.h"
#include "settings/window_placement.h"
#include "widgets/accessible_role.h"
#include "widgets/am_edit.h"
#include "widgets/calc_button.h"
#include "widgets/display_font.h"
#include "widgets/icons.h"
#include "widgets/qt_text.h"
#include "widgets/readable_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <utility>

namespace ombrel {

namespace {

constexpr QSize kClientSize(145, 197);

} // namespace

TCalcMini::TCalcMini(MiniCalcHost host, QWidget* parent) : QWidget(parent), host_(std::move(host))
{
    setObjectName("CalcMini");
    setWindowTitle(tr("Mini Calc"));
    // A window of its own to screen readers, not a part of the main window.
    SetAccessibleRole(this, QAccessible::Window);
    setAccessibleName(tr("Mini Calc"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(kClientSize);
    setMouseTracking(true);
    installEventFilter(this);

    Panel1 = new QToolButton(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(0, 4, 33, 24);
    Panel1->setFocusPolicy(Qt::NoFocus);
    Panel1->setToolTip(tr("Click to Change"));
    Panel1->setAccessibleDescription(tr("Click to Change"));
    connect(Panel1, &QToolButton::clicked, this, &TCalcMini::Panel1Click);

    QFont displayFace = displayFont("MS Sans Serif", 11);
    displayFace.setBold(true);
    QPalette navy = palette();
    navy.setColor(QPalette::Text, ReadableText(QColor(0x00, 0x00, 0x80), navy.color(QPalette::Base), navy));
    MaskEdit1 = new QLineEdit(this);
    MaskEdit1->setObjectName("MaskEdit1");
    MaskEdit1->setReadOnly(true);
    FrameMini = new TAMEdit(this);
    FrameMini->setObjectName("FrameMini");
    FrameMini->setTextAlignment(TAMEdit::taRightJustify);
    FrameMini->setMaxTypedLength(kMiniFrameTypedLength);
    for (QLineEdit* display : std::initializer_list<QLineEdit*>{MaskEdit1, FrameMini}) {
        display->setGeometry(36, 4, 89, 24);
        display->setFont(displayFace);
        display->setPalette(navy);
        display->setAccessibleName(tr("Display"));
        display->setMouseTracking(true);
        display->installEventFilter(this);
        display->setContextMenuPolicy(Qt::NoContextMenu);
    }
    FrameMini->hide();
    connect(MaskEdit1, &QLineEdit::cursorPositionChanged, this,
            [this] { host_.fields.mini.display = ShownState(MaskEdit1); });
    connect(MaskEdit1, &QLineEdit::selectionChanged, this,
            [this] { host_.fields.mini.display = ShownState(MaskEdit1); });
    connect(FrameMini, &QLineEdit::cursorPositionChanged, this,
            [this] { host_.fields.mini.frame = ShownState(FrameMini); });
    connect(FrameMini, &QLineEdit::selectionChanged, this, [this] { host_.fields.mini.frame = ShownState(FrameMini); });
    // What the user types into FrameMini goes on to the main frame field.
    connect(FrameMini, &QLineEdit::textEdited, this, [this] {
        host_.fields.mini.frame = ShownState(FrameMini);
        MiniFrameChanged(host_.fields);
        showAll();
    });

    Panel2 = new QLabel(this);
    Panel2->setObjectName("Panel2");
    Panel2->setGeometry(128, 4, 17, 24);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setFont(displayFace);

    buildKeypad();
    wireDrops();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TCalcMini::Timer1Timer);

    // Whatever changes the main window's fields shows here too.
    connect(&host_.mainPanel, &EntryPanel::shown, this, &TCalcMini::showFields);
    showFields();
}

QToolButton* TCalcMini::keypadButton(const char* objectName, const QString& caption, QRect geometry, char key)
{
    auto* button = new QToolButton(this);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    // Shown pressed until the next timer tick (setDown, so that screen
    // readers meet a push button); every click counts, whatever the button
    // shows.
    button->setFocusPolicy(Qt::NoFocus);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    QFont face = button->font();
    face.setBold(true);
    button->setFont(face);
    if (key != 0)
        connect(button, &QToolButton::clicked, this, [this, key] { FormKeyPress(key); });
    return button;
}

void TCalcMini::buildKeypad()
{
    constexpr int lefts[] = {12, 44, 76};
    constexpr int tops[] = {104, 72, 40}; // rows 1-3, 4-6, 7-9
    for (int digit = 1; digit <= 9; ++digit) {
        const QRect place(lefts[(digit - 1) % 3], tops[(digit - 1) / 3], 25, 25);
        SpeedButton[digit - 1] = keypadButton(qPrintable(QString("SpeedButton%1").arg(digit)), QString::number(digit),
                                              place, static_cast<char>('0' + digit));
    }
    SpeedButton[9] = keypadButton("SpeedButton10", "0", {12, 136, 25, 25}, '0');
    DoubleZeroBtn = keypadButton("DoubleZeroBtn", "00", {44, 136, 57, 25}, 0);
    connect(DoubleZeroBtn, &QToolButton::clicked, this, &TCalcMini::DoubleZeroBtnClick);
    DivideBtn = keypadButton("DivideBtn", "/", {108, 40, 25, 22}, '/');
    MultiplyBtn = keypadButton("MultiplyBtn", "x", {108, 65, 25, 22}, '*');
    MinusBtn = keypadButton("MinusBtn", "-", {108, 90, 25, 22}, '-');
    PlusBtn = keypadButton("PlusBtn", "+", {108, 115, 25, 22}, '+');
    TildBtn = keypadButton("TildBtn", "~", {108, 140, 25, 22}, '~');

    ClearBtn = new QToolButton(this);
    ClearBtn->setObjectName("ClearBtn");
    ClearBtn->setGeometry(12, 168, 25, 25);
    ClearBtn->setIcon(toolbarIcon("clear"));
    ClearBtn->setAutoRaise(true);
    ClearBtn->setFocusPolicy(Qt::NoFocus);
    ClearBtn->setToolTip(tr("Clear"));
    ClearBtn->setAccessibleName(tr("Clear"));
    ClearBtn->installEventFilter(this);
    connect(ClearBtn, &QToolButton::clicked, this, &TCalcMini::ClearBtnClick);

    CalculateBtn = new CalculateButton(this);
    CalculateBtn->move(47, 162);
    connect(CalculateBtn, &CalculateButton::clicked, this, &TCalcMini::CalculateClick);
    connect(CalculateBtn, &CalculateButton::doubleClicked, this, &TCalcMini::CalculateClick);
}

void TCalcMini::wireDrops()
{
    const auto calcCount = [this] { return host_.surroundings().sheet.rowCount(); };
    makeDropTarget(MaskEdit1, DropTarget::TimecodeField,
                   {calcCount, [this](const TimecodeDrag& drag) {
                        const char separator = EntrySeparator(host_.surroundings().activeFormat);
                        LoadMiniDisplay(host_.fields,
                                        drag.DragText.empty() ? LoadEditText(kZeroDigits, separator) : drag.DragText);
                        showAll();
                    }});
    makeDropTarget(FrameMini, DropTarget::NumberField, {calcCount, [this](const TimecodeDrag& drag) {
                                                            LoadMiniFrame(host_.fields, drag.DragText);
                                                            showAll();
                                                        }});
}

void TCalcMini::showAll()
{
    // The main panel's shown() brings the change here too.
    host_.mainPanel.show();
}

void TCalcMini::showFields()
{
    const EntrySurroundings around = host_.surroundings();
    MiniEntry& mini = host_.fields.mini;
    ShowFieldState(MaskEdit1, mini.display);
    ShowFieldState(FrameMini, mini.frame);
    // Frame mode switched while the window has the focus: the display of
    // the mode takes it.
    const bool hadFocus = focusedField() != EntryField::None;
    FrameMini->setVisible(around.frameMode);
    QLineEdit* modeDisplay = around.frameMode ? static_cast<QLineEdit*>(FrameMini) : MaskEdit1;
    if (hadFocus && !modeDisplay->hasFocus()) {
        modeDisplay->setFocus();
        modeDisplay->selectAll();
    }
    Panel1->setText(Translated(MiniCaption(mini.state, around.labelStyle)));
    Panel2->setText(toQt(mini.sign));
    QLineEdit* focused = nullptr;
    if (host_.fields.focusRequest == EntryField::MiniDisplay)
        focused = MaskEdit1;
    else if (host_.fields.focusRequest == EntryField::MiniFrame)
        focused = FrameMini;
    if (!focused)
        return;
    host_.fields.focusRequest = EntryField::None;
    // The Mini Calc takes the focus back from the main window's steps.
    if (isVisible() && !isActiveWindow())
        activateWindow();
    focused->setFocus();
}

EntryField TCalcMini::focusedField() const
{
    const QWidget* focused = QApplication::focusWidget();
    if (focused == MaskEdit1)
        return EntryField::MiniDisplay;
    if (focused == FrameMini)
        return EntryField::MiniFrame;
    return EntryField::None;
}

void TCalcMini::FormKeyPress(char key)
{
    PressButtonDown(key);
    if (key == '.')
        DoubleZeroActive = true;
    MiniKeyPress(host_.fields, key, host_.surroundings());
    DoubleZeroActive = false;
    KeyFlashPending = true;
    showAll();
}

void TCalcMini::DoubleZeroBtnClick()
{
    FormKeyPress('.');
}

QToolButton* TCalcMini::buttonOfKey(char key) const
{
    if (key >= '1' && key <= '9')
        return SpeedButton[key - '1'];
    switch (key) {
    case '0':
        return DoubleZeroActive ? nullptr : SpeedButton[9];
    case '.':
        return DoubleZeroBtn;
    case '*':
        return MultiplyBtn;
    case '+':
        return PlusBtn;
    case '-':
        return MinusBtn;
    case '/':
        return DivideBtn;
    case '`':
    case '~':
        return TildBtn;
    default:
        return nullptr;
    }
}

void TCalcMini::PressButtonDown(char key)
{
    if (QToolButton* button = buttonOfKey(key)) {
        button->setDown(true);
        // "+" and "~" share a group: one pressed releases the other.
        if (button == PlusBtn)
            TildBtn->setDown(false);
        else if (button == TildBtn)
            PlusBtn->setDown(false);
    }
    if (IsCalculateKey(key))
        CalculateBtn->showPicture(CalculateButton::ButDown);
    KeyFlashPending = true;
    if (!Timer1->isActive())
        Timer1->start();
}

void TCalcMini::Timer1Timer()
{
    for (QToolButton* button : SpeedButton)
        button->setDown(false);
    for (QToolButton* button : {DoubleZeroBtn, DivideBtn, MultiplyBtn, MinusBtn, PlusBtn, TildBtn})
        button->setDown(false);
    if (std::exchange(KeyFlashPending, false))
        CalculateBtn->showPicture(CalculateButton::ButNorm);
}

void TCalcMini::CalculateClick()
{
    MiniCalculate(host_.fields, host_.surroundings());
    showAll();
    Timer1Timer();
}

void TCalcMini::ClearBtnClick()
{
    host_.clear();
    MiniClear(host_.fields, EntrySeparator(host_.surroundings().activeFormat));
    FormActivate();
}

void TCalcMini::Panel1Click()
{
    MiniSwitchOperand(host_.fields);
    showAll();
}

void TCalcMini::FormActivate()
{
    DoubleZeroActive = false;
    KeyFlashPending = false;
    MiniActivate(host_.fields, host_.surroundings().frameMode);
    showAll();
}

void TCalcMini::placeAtStoredPosition()
{
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        screens.push_back({area.x(), area.y(), area.width(), area.height()});
    }
    QSize size = frameGeometry().size();
    const std::optional<WindowPosition>& stored = host_.settings.miniCalc;
    if (stored) {
        const WindowPosition place = PlaceOnScreens(*stored, size.width(), size.height(), screens);
        move(place.left, place.top);
        return;
    }
    // Not shown yet, it knows no frame: the main window's, from the same
    // window manager, stands in for it.
    const QWidget* main = parentWidget()->window();
    const QRect mainFrame = main->frameGeometry();
    if (size == this->size())
        size += mainFrame.size() - main->size();
    const WindowPosition place = PlaceBeside({mainFrame.x(), mainFrame.y(), mainFrame.width(), mainFrame.height()},
                                             size.width(), size.height(), screens);
    move(place.left, place.top);
}

WindowPosition TCalcMini::position() const
{
    return {x(), y()};
}

bool TCalcMini::frameKey(char key)
{
    PressButtonDown(key);
    const std::optional<char> typed = MiniFrameKeyPress(host_.fields, key, host_.surroundings());
    KeyFlashPending = true;
    if (typed == key)
        return false;
    if (typed && FrameMini->text().size() < kMiniFrameTypedLength) {
        FrameMini->insert(QString(QChar(*typed)));
        host_.fields.mini.frame = ShownState(FrameMini);
        MiniFrameChanged(host_.fields);
    }
    showAll();
    return true;
}

bool TCalcMini::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TCalcMini::closeEvent(QCloseEvent* event)
{
    host_.settings.miniCalc = position();
    ReportStoreErrors(host_.dialogs, this, [this] { WriteMiniCalcPosition(host_.store, *host_.settings.miniCalc); });
    emit closed();
    QWidget::closeEvent(event);
}

bool TCalcMini::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The menu's Copy, Paste and Clear win over the displays' own keys.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (!host_.commandShortcuts.contains(QKeySequence(keyEvent->keyCombination())))
            return false;
        keyEvent->ignore();
        return true;
    }
    case QEvent::KeyPress: {
        // Escape closes the tool window, as it does any other.
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (keyEvent->key() == Qt::Key_Escape && keyEvent->modifiers() == Qt::NoModifier) {
            close();
            return true;
        }
        const char key = TypedCharacter(keyEvent);
        if (key == 0 || (watched != MaskEdit1 && watched != FrameMini))
            return false;
        if (watched == FrameMini)
            return frameKey(key);
        FormKeyPress(key);
        return true;
    }
    case QEvent::FocusIn:
        // Entering the frame field selects all of it, once the click is
        // placed; a click on the timecode display places the caret.
        if (watched == FrameMini && static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(0, FrameMini, [this] {
                if (FrameMini->hasFocus())
                    FrameMini->selectAll();
            });
        return false;
    case QEvent::MouseMove:
    case QEvent::Enter:
        if (watched == MaskEdit1 || watched == FrameMini)
            host_.showStatus(tr("Hit 'I, O, P(D)' to use previous calculation."));
        else
            CalculateBtn->showPicture(CalculateButton::ButNorm);
        return false;
    default:
        return false;
    }
}

} // namespace ombrel
