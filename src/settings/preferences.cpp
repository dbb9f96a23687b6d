#include "settings/preferences.h"

#include "settings/settings_sections.h"
#include "settings/settings_store.h"
#include "widgets/accessible_role.h"
#include "widgets/am_edit.h"
#include "widgets/colour_combo.h"
#include "widgets/qt_text.h"
#include "widgets/user_dialogs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ombrel {

namespace {

constexpr int NonDrop = FormatIndex(TimecodeFormat::NonDrop);
constexpr int DropFrm = FormatIndex(TimecodeFormat::DropFrm);
constexpr int PAL = FormatIndex(TimecodeFormat::PAL);
constexpr int Film = FormatIndex(TimecodeFormat::Film);
constexpr int User = FormatIndex(TimecodeFormat::User);
constexpr int Frames = FormatIndex(TimecodeFormat::Frames);

void selectIndex(QComboBox* combo, int index)
{
    // An index the list does not have leaves no selection.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    SetAccessibleRole(combo, QAccessible::ComboBox);
    combo->addItems(items);
    return combo;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

TAMEdit* makeRateField(QWidget* parent, const char* name, int maxLength)
{
    auto* field = new TAMEdit(parent);
    field->setObjectName(name);
    field->setMaxTypedLength(maxLength);
    field->setTextAlignment(TAMEdit::taRightJustify);
    QFont font("MS Sans Serif");
    font.setBold(true);
    field->setFont(font);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(maxLength + 2, '0')) + 12);
    field->setText("30");
    return field;
}

} // namespace

TPreferences::TPreferences(AppSettings& settings, SettingsStore& store, PreferencesTarget& target, UserDialogs& dialogs,
                           QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store), target_(target), dialogs_(dialogs), edited_(settings)
{
    buildControls();
    // Made on first use: it shows the settings in force until a load.
    showSettings();
    ClosedByButton = false;
}

TPreferences::~TPreferences() = default;

void TPreferences::buildControls()
{
    setObjectName("Preferences");
    setWindowTitle(tr("Preferences"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    // Every tab in sight: the dialog grows to fit them rather than scroll.
    PageControl1->setUsesScrollButtons(false);

    auto* general = new QWidget;
    TabSheet[0] = general;
    auto* form = new QFormLayout(general);
    StartCombo = makeCombo(general, "StartCombo",
                           {tr("30 fps non-drop frame"), tr("30 fps drop frame"), tr("25 fps PAL"), tr("24 fps Film"),
                            tr("User Definable"), tr("Frames")});
    TabCombo = makeCombo(general, "TabCombo", {tr("Top"), tr("Bottom")});
    LabelCombo = makeCombo(general, "LabelCombo",
                           {tr("In - Out - Duration"), tr("Out - In - Duration"), tr("TC1 - TC2 - Total")});
    form->addRow(tr("Start With:"), StartCombo);
    form->addRow(tr("Tabs On:"), TabCombo);
    form->addRow(tr("Labels:"), LabelCombo);
    ValidityCheckBox = makeCheckBox(general, "ValidityCheckBox", tr("Use timecode range checking"));
    DescriptionsCheckBox = makeCheckBox(general, "DescriptionsCheckBox", tr("View Descriptions"));
    PercentagesCheckBox = makeCheckBox(general, "PercentagesCheckBox", tr("View Percentages"));
    FrameModeCheckBox = makeCheckBox(general, "FrameModeCheckBox", tr("Frame Mode"));
    for (QCheckBox* box : {ValidityCheckBox, DescriptionsCheckBox, PercentagesCheckBox, FrameModeCheckBox})
        form->addRow(box);
    PageControl1->addTab(general, tr("General"));

    // The pages keep the order users know, which is not the formats' order.
    TabSheet[1] = buildFormatPage(NonDrop, BitBtn4, NDFColorCombo, "BitBtn4", "NDFColorCombo");
    TabSheet[2] = buildFormatPage(DropFrm, BitBtn5, DFColorCombo, "BitBtn5", "DFColorCombo");
    TabSheet[3] = buildFormatPage(PAL, BitBtn6, PALColorCombo, "BitBtn6", "PALColorCombo");
    TabSheet[4] = buildFormatPage(Frames, BitBtn7, FramesColorCombo, "BitBtn7", "FramesColorCombo");
    TabSheet[5] = buildFormatPage(Film, BitBtn1, FilmColorCombo, "BitBtn1", "FilmColorCombo");
    TabSheet[6] = buildFormatPage(User, BitBtn2, UserColorCombo, "BitBtn2", "UserColorCombo");
    const char* pageCaptions[] = {QT_TR_NOOP("NonDrpFrm"), QT_TR_NOOP("DrpFrm"), QT_TR_NOOP("PAL"),
                                  QT_TR_NOOP("Frames"),    QT_TR_NOOP("Film"),   QT_TR_NOOP("User")};
    for (int page = 1; page < 7; ++page) {
        TabSheet[page]->setObjectName(QString("TabSheet%1").arg(page + 1));
        PageControl1->addTab(TabSheet[page], tr(pageCaptions[page - 1]));
    }
    general->setObjectName("TabSheet1");

    ApplyAllBtn = makeButton(TabSheet[1], "ApplyAllBtn", tr("Apply to all grids"));
    static_cast<QGridLayout*>(TabSheet[1]->layout())->addWidget(ApplyAllBtn, 2, 0, 1, 2);

    FramesMask = makeRateField(TabSheet[4], "FramesMask", 5);
    UserFramesMask = makeRateField(TabSheet[6], "UserFramesMask", 2);
    for (auto [page, field] : {std::pair{TabSheet[4], FramesMask}, std::pair{TabSheet[6], UserFramesMask}}) {
        auto* grid = static_cast<QGridLayout*>(page->layout());
        auto* rateLabel = new QLabel(tr("Frames per second"), page);
        rateLabel->setBuddy(field);
        grid->addWidget(rateLabel, 2, 0);
        grid->addWidget(field, 2, 1, Qt::AlignLeft);
        field->setKeyFilter(this);
    }

    ApplyBtn = makeButton(this, "ApplyBtn", tr("&Apply"));
    OKBtn = makeButton(this, "OKBtn", tr("&OK"));
    DefaultBtn = makeButton(this, "DefaultBtn", tr("&Defaults"));
    CancelBtn = makeButton(this, "CancelBtn", tr("&Cancel"));
    OKBtn->setDefault(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {ApplyBtn, OKBtn, DefaultBtn, CancelBtn})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Only what the user does marks the preferences as changed; the load
    // and the defaults set the controls without it.
    for (QComboBox* combo : {StartCombo, TabCombo, LabelCombo})
        connect(combo, &QComboBox::activated, this, &TPreferences::StartComboChange);
    for (QLineEdit* field : {FramesMask, UserFramesMask})
        connect(field, &QLineEdit::textEdited, this, &TPreferences::StartComboChange);
    connect(ValidityCheckBox, &QCheckBox::clicked, this, &TPreferences::StartComboChange);
    for (QCheckBox* box : {DescriptionsCheckBox, PercentagesCheckBox, FrameModeCheckBox})
        connect(box, &QCheckBox::clicked, this, &TPreferences::DescriptionsCheckBoxClick);
    connect(ApplyBtn, &QPushButton::clicked, this, &TPreferences::ApplyBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TPreferences::OKBtnClick);
    connect(DefaultBtn, &QPushButton::clicked, this, &TPreferences::DefaultBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPreferences::CancelBtnClick);
    connect(ApplyAllBtn, &QPushButton::clicked, this, &TPreferences::ApplyAllBtnClick);
}

QWidget* TPreferences::buildFormatPage(int format, QPushButton*& fontButton, ColourCombo*& colourCombo,
                                       const char* fontButtonName, const char* comboName)
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    fontButton = makeButton(page, fontButtonName, tr("Font"));
    colourCombo = new ColourCombo(page);
    colourCombo->setObjectName(comboName);
    for (const GridColour& entry : kGridColours)
        colourCombo->addColour(Translated(entry.name), QColorFromStored(entry.colour));
    colourCombo->setCurrentIndex(-1);
    colourCombos_[format] = colourCombo;
    grid->addWidget(fontButton, 0, 0);
    auto* colourLabel = new QLabel(tr("Grid Color:"), page);
    colourLabel->setBuddy(colourCombo);
    SetAccessibleRole(colourCombo, QAccessible::ComboBox);
    grid->addWidget(colourLabel, 1, 0);
    grid->addWidget(colourCombo, 1, 1);
    grid->setRowStretch(3, 1);
    connect(fontButton, &QPushButton::clicked, this, [this, format] { FontBtnClick(format); });
    return page;
}

// ---------------------------------------------------------------- loading

void TPreferences::GetRegInfo()
{
    ClosedByButton = false;
    // A stored colour name the load does not know keeps the one in force.
    edited_ = settings_;
    const StoredSettingsLoad load = LoadStoredSettings(store_, edited_);
    if (!load.error.isEmpty())
        dialogs_.showError(this, load.error);
    DefaultWidthPending = load.defaultWidthPending;
    if (DefaultWidthPending)
        PreferencesChanged = true;
    showSettings();
    // From now on these are the settings in force.
    settings_ = edited_;
    if (ApplyLoadedSettings(settings_, target_, DefaultWidthPending))
        DefaultWidthPending = false;
}

void TPreferences::showSettings()
{
    const Options& options = edited_.options;
    selectIndex(StartCombo, options.startFormat);
    selectIndex(TabCombo, options.tabPosition);
    selectIndex(LabelCombo, options.labelSet);
    UserFramesMask->setText(toQt(options.userFrames));
    FramesMask->setText(toQt(options.frames));
    ValidityCheckBox->setChecked(options.validity);
    DescriptionsCheckBox->setChecked(options.descriptions);
    PercentagesCheckBox->setChecked(options.percentages);
    FrameModeCheckBox->setChecked(options.frameMode);
    for (int format = 0; format < kFormatCount; ++format)
        selectIndex(colourCombos_[format], edited_.listColours[format]);
}

void TPreferences::takeControls()
{
    Options& options = edited_.options;
    options.startFormat = StartCombo->currentIndex();
    options.tabPosition = TabCombo->currentIndex();
    options.labelSet = LabelCombo->currentIndex();
    options.userFrames = UserFramesMask->text().toStdString();
    options.frames = FramesMask->text().toStdString();
    options.validity = ValidityCheckBox->isChecked();
    options.descriptions = DescriptionsCheckBox->isChecked();
    options.percentages = PercentagesCheckBox->isChecked();
    options.frameMode = FrameModeCheckBox->isChecked();
    for (int format = 0; format < kFormatCount; ++format)
        edited_.listColours[format] = colourCombos_[format]->currentIndex();
}

// ---------------------------------------------------------------- handlers

void TPreferences::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        FormActivate();
        centreOnScreen();
    }
}

void TPreferences::centreOnScreen()
{
    // The screen the main window is on, which the dialog opens over.
    const QWidget* anchor = parentWidget() ? parentWidget() : this;
    QRect frame = frameGeometry();
    frame.moveCenter(anchor->screen()->availableGeometry().center());
    move(frame.topLeft());
}

void TPreferences::FormActivate()
{
    PreferencesChanged = false;
    GetRegInfo();
}

void TPreferences::ApplyBtnClick()
{
    takeControls();
    // From now on these are the settings in force.
    settings_ = edited_;
    if (ApplySettings(settings_, target_, DefaultWidthPending))
        DefaultWidthPending = false;
}

bool TPreferences::OKBtnClick()
{
    // The conversions cannot work at a rate of 0 or one that is no number:
    // refuse it here, before anything is applied or stored.
    const QString frames = FramesMask->text();
    if (!frames.isEmpty() && !IsValidFramesRate(frames.toStdString())) {
        dialogs_.showError(this, tr("'%1' is not a valid frame rate for Frames per second. "
                                    "Enter a number greater than 0, such as 30 or 29.97.")
                                     .arg(frames));
        PageControl1->setCurrentWidget(TabSheet[4]);
        FramesMask->setFocus();
        FramesMask->selectAll();
        return false;
    }
    if (frames.isEmpty())
        FramesMask->setText("1");
    if (ParseStoredInteger(UserFramesMask->text().toStdString(), 0) == 0)
        UserFramesMask->setText("01");
    ApplyBtnClick();
    ClosedByButton = true;
    QDialog::done(QDialog::Accepted);
    ReportStoreErrors(dialogs_, this, [this] { WritePreferences(store_, edited_); });
    ClosedByButton = false;
    PreferencesChanged = false;
    return true;
}

void TPreferences::CancelBtnClick()
{
    GetRegInfo();
    QDialog::done(QDialog::Rejected);
    ClosedByButton = false;
    PreferencesChanged = false;
}

void TPreferences::reject()
{
    CancelBtnClick();
}

void TPreferences::closeEvent(QCloseEvent* event)
{
    // Not QDialog's: that would cancel (and reload) without asking.
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    if (isVisible())
        QDialog::done(QDialog::Rejected);
    event->accept();
}

bool TPreferences::FormCloseQuery()
{
    bool canClose = true;
    bool keepChanged = false;
    if (!ClosedByButton && PreferencesChanged) {
        switch (dialogs_.message(this, MessageKind::Confirm, tr("Save changes?"), MessageButtons::YesNoCancel)) {
        case Answer::Yes:
            canClose = OKBtnClick();
            // A refused rate keeps the question for the next close.
            keepChanged = !canClose;
            break;
        case Answer::No:
            CancelBtnClick();
            break;
        default:
            canClose = false;
            break;
        }
    }
    ClosedByButton = false;
    PreferencesChanged = keepChanged;
    return canClose;
}

void TPreferences::DefaultBtnClick()
{
    takeControls();
    RestoreDefaults(edited_);
    showSettings();
    DefaultWidthPending = true;
    ApplyBtnClick();
    PreferencesChanged = true;
}

void TPreferences::ApplyAllBtnClick()
{
    // Copies: a later change of one format's font leaves the others alone.
    for (int format = 1; format < kFormatCount; ++format)
        edited_.listFonts[format] = edited_.listFonts[NonDrop];
    const int chosen = NDFColorCombo->currentIndex();
    if (chosen >= 0) {
        const int index = GridColourIndexOf(kGridColours[chosen].colour);
        for (int format = 1; format < kFormatCount; ++format)
            colourCombos_[format]->setCurrentIndex(index);
    }
    PreferencesChanged = true;
}

void TPreferences::FontBtnClick(int format)
{
    StoredFont& font = edited_.listFonts[format];
    if (const auto choice = dialogs_.chooseFont(this, {QFontFromStored(font), QColorFromStored(font.colour)}))
        font = StoredFromQFont(choice->font, choice->color);
    // The Film and User buttons never counted as a change.
    if (format != Film && format != User)
        PreferencesChanged = true;
}

void TPreferences::DescriptionsCheckBoxClick()
{
    target_.setMenuCheck(MenuOption::Descriptions, DescriptionsCheckBox->isChecked());
    target_.setMenuCheck(MenuOption::Percentages, PercentagesCheckBox->isChecked());
    target_.setMenuCheck(MenuOption::FrameMode, FrameModeCheckBox->isChecked());
    PreferencesChanged = true;
}

void TPreferences::StartComboChange()
{
    PreferencesChanged = true;
}

bool TPreferences::eventFilter(QObject* watched, QEvent* event)
{
    // The rate fields take digits only (and "." for the Frames rate); other
    // printable keys are dropped before they reach the field.
    if (event->type() == QEvent::KeyPress && (watched == FramesMask || watched == UserFramesMask)) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text[0].isPrint()) {
            const QChar c = text[0];
            const bool allowed = (c >= '0' && c <= '9') || (c == '.' && watched == FramesMask);
            if (!allowed)
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ombrel
