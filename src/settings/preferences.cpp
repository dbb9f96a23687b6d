#include "settings/preferences.h"

#include "settings/settings_codec.h"
#include "settings/settings_sections.h"
#include "widgets/user_dialogs.h"
#include "widgets/am_edit.h"
#include "widgets/colour_combo.h"

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
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ombrel {

namespace {

const QString kStartWith = QStringLiteral("StartWith");
const QString kGrid = QStringLiteral("Grid");
const QString kPosition = QStringLiteral("Postion"); // the name older versions used

// Font prefixes, in the formats' tab order.
const std::array<QString, kFormatCount> kFontPrefixes{"ND", "DF", "PAL", "Film", "User", "Frames"};
const std::array<QString, kGridColumnCount> kColumnNames{"1A", "1B", "1C", "1D", "1E", "1F", "1G"};

constexpr int NonDrop = formatIndex(TimecodeFormat::NonDrop);
constexpr int DropFrm = formatIndex(TimecodeFormat::DropFrm);
constexpr int PAL = formatIndex(TimecodeFormat::PAL);
constexpr int Film = formatIndex(TimecodeFormat::Film);
constexpr int User = formatIndex(TimecodeFormat::User);
constexpr int Frames = formatIndex(TimecodeFormat::Frames);

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void selectIndex(QComboBox* combo, int index)
{
    // An index the list does not have leaves no selection.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

QComboBox* makeCombo(QWidget* parent, const char* name, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
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
    field->setMaxLength(maxLength);
    field->setTextAlignment(TAMEdit::taRightJustify);
    QFont font("MS Sans Serif");
    font.setBold(true);
    field->setFont(font);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QString(maxLength + 2, '0')) + 12);
    field->setText("30");
    return field;
}

} // namespace

TPreferences::TPreferences(PreferencesTarget& target, UserDialogs& dialogs, QWidget* parent,
                           std::unique_ptr<SettingsStore> store)
    : QDialog(parent), target_(target), dialogs_(dialogs), store_(std::move(store))
{
    fonts_.fill(kDefaultListFont);
    if (!store_)
        store_ = std::make_unique<SettingsStore>();
    buildControls();
    ClosedByButton = false;
}

TPreferences::~TPreferences() = default;

void TPreferences::buildControls()
{
    setObjectName("Preferences");
    setWindowTitle("Preferences");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    // Every tab in sight: the dialog grows to fit them rather than scroll.
    PageControl1->setUsesScrollButtons(false);

    auto* general = new QWidget;
    TabSheet[0] = general;
    auto* form = new QFormLayout(general);
    StartCombo = makeCombo(
        general, "StartCombo",
        {"30 fps non-drop frame", "30 fps drop frame", "25 fps PAL", "24 fps Film", "User Definable", "Frames"});
    TabCombo = makeCombo(general, "TabCombo", {"Top", "Bottom"});
    LabelCombo = makeCombo(general, "LabelCombo", {"In - Out - Duration", "Out - In - Duration", "TC1 - TC2 - Total"});
    form->addRow("Start With:", StartCombo);
    form->addRow("Tabs On:", TabCombo);
    form->addRow("Labels:", LabelCombo);
    ValidityCheckBox = makeCheckBox(general, "ValidityCheckBox", "Use timecode range checking");
    DescriptionsCheckBox = makeCheckBox(general, "DescriptionsCheckBox", "View Descriptions");
    PercentagesCheckBox = makeCheckBox(general, "PercentagesCheckBox", "View Percentages");
    FrameModeCheckBox = makeCheckBox(general, "FrameModeCheckBox", "Frame Mode");
    for (QCheckBox* box : {ValidityCheckBox, DescriptionsCheckBox, PercentagesCheckBox, FrameModeCheckBox})
        form->addRow(box);
    PageControl1->addTab(general, "General");

    // The pages keep the order users know, which is not the formats' order.
    TabSheet[1] = buildFormatPage(NonDrop, BitBtn4, NDFColorCombo, "BitBtn4", "NDFColorCombo");
    TabSheet[2] = buildFormatPage(DropFrm, BitBtn5, DFColorCombo, "BitBtn5", "DFColorCombo");
    TabSheet[3] = buildFormatPage(PAL, BitBtn6, PALColorCombo, "BitBtn6", "PALColorCombo");
    TabSheet[4] = buildFormatPage(Frames, BitBtn7, FramesColorCombo, "BitBtn7", "FramesColorCombo");
    TabSheet[5] = buildFormatPage(Film, BitBtn1, FilmColorCombo, "BitBtn1", "FilmColorCombo");
    TabSheet[6] = buildFormatPage(User, BitBtn2, UserColorCombo, "BitBtn2", "UserColorCombo");
    const char* pageCaptions[] = {"NonDrpFrm", "DrpFrm", "PAL", "Frames", "Film", "User"};
    for (int page = 1; page < 7; ++page) {
        TabSheet[page]->setObjectName(QString("TabSheet%1").arg(page + 1));
        PageControl1->addTab(TabSheet[page], pageCaptions[page - 1]);
    }
    general->setObjectName("TabSheet1");

    ApplyAllBtn = makeButton(TabSheet[1], "ApplyAllBtn", "Apply to all grids");
    static_cast<QGridLayout*>(TabSheet[1]->layout())->addWidget(ApplyAllBtn, 2, 0, 1, 2);

    FramesMask = makeRateField(TabSheet[4], "FramesMask", 5);
    UserFramesMask = makeRateField(TabSheet[6], "UserFramesMask", 2);
    for (auto [page, field] : {std::pair{TabSheet[4], FramesMask}, std::pair{TabSheet[6], UserFramesMask}}) {
        auto* grid = static_cast<QGridLayout*>(page->layout());
        grid->addWidget(new QLabel("Frames per second", page), 2, 0);
        grid->addWidget(field, 2, 1, Qt::AlignLeft);
        field->setKeyFilter(this);
    }

    ApplyBtn = makeButton(this, "ApplyBtn", "&Apply");
    OKBtn = makeButton(this, "OKBtn", "&OK");
    DefaultBtn = makeButton(this, "DefaultBtn", "&Defaults");
    CancelBtn = makeButton(this, "CancelBtn", "&Cancel");
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
    fontButton = makeButton(page, fontButtonName, "Font");
    colourCombo = new ColourCombo(page);
    colourCombo->setObjectName(comboName);
    for (const GridColour& entry : kGridColours)
        colourCombo->addColour(q(entry.name), QColorFromStored(entry.colour));
    colourCombo->setCurrentIndex(-1);
    colourCombos_[format] = colourCombo;
    grid->addWidget(fontButton, 0, 0);
    grid->addWidget(new QLabel("Grid Color:", page), 1, 0);
    grid->addWidget(colourCombo, 1, 1);
    grid->setRowStretch(3, 1);
    connect(fontButton, &QPushButton::clicked, this, [this, format] { FontBtnClick(format); });
    return page;
}

// ---------------------------------------------------------------- loading

bool TPreferences::guarded(const std::function<void()>& operation)
{
    try {
        operation();
        return true;
    } catch (const SettingsError& error) {
        dialogs_.showError(this, QString::fromStdString(error.what()));
        return false;
    }
}

void TPreferences::GetRegInfo()
{
    ClosedByButton = false;
    DefaultWidthPending = false;
    guarded([this] { loadFromStore(); });
}

void TPreferences::loadFromStore()
{
    SettingsStore& store = *store_;
    selectIndex(StartCombo, store.ReadInteger(kStartWith, "StartCombo", 0));
    selectIndex(TabCombo, store.ReadInteger(kStartWith, "TabCombo", 0));
    target_.setTabsAtBottom(TabCombo->currentIndex() != 0);
    selectIndex(LabelCombo, store.ReadInteger(kStartWith, "LabelCombo", 1));

    UserFramesMask->setText(store.ReadString(kStartWith, "UserFrames", "15"));
    FramesMask->setText(store.ReadString(kStartWith, "Frames", "30"));

    using Check = PreferencesTarget::Check;
    const auto loadCheck = [&](QCheckBox* box, const char* name, bool defaultValue, Check item) {
        box->setChecked(store.ReadBool(kStartWith, name, defaultValue));
        target_.setMenuCheck(item, box->isChecked());
    };
    loadCheck(ValidityCheckBox, "Validity", true, Check::Validity);
    loadCheck(DescriptionsCheckBox, "Descriptions", false, Check::Descriptions);
    loadCheck(PercentagesCheckBox, "Percentages", true, Check::Percentages);
    loadCheck(FrameModeCheckBox, "FrameMode", false, Check::FrameMode);
    target_.setFrameFieldsVisible(FrameModeCheckBox->isChecked());
    target_.setMenuCheck(Check::Balloon, store.ReadBool(kStartWith, "Balloon", true));

    for (int i = 0; i < kGridColumnCount; ++i)
        ColumnBaseWidths[i] = store.ReadInteger(kGrid, kColumnNames[i], kDefaultColumnBaseWidths[i]);
    SetGrid();

    target_.moveMainWindow(
        {store.ReadInteger(kPosition, "MainLeft", 200), store.ReadInteger(kPosition, "MainTop", 100)});
    target_.moveMiniCalc(
        {store.ReadInteger(kPosition, "CalcMiniLeft", 200), store.ReadInteger(kPosition, "CalcMiniTop", 100)});

    for (int format = 0; format < kFormatCount; ++format) {
        fonts_[format] = ReadFont(store, kFontPrefixes[format], kDefaultListFont);
        // A name not in the list leaves the selector's choice as it was.
        const QString name = store.ReadString("Font", kFontPrefixes[format] + "GridColor", q(kDefaultGridColourName));
        const int index = GridColourIndex(name.toStdString());
        if (index >= 0)
            colourCombos_[format]->setCurrentIndex(index);
    }
    printFont_ = ReadFont(store, "Print", kDefaultPrintFont);

    functionKeys_ = ReadFunctionKeys(store);
    printSettings_ = ReadPrintSettings(store);

    // Settings from before this marker never had the defaults applied.
    if (!store.ReadBool(kStartWith, "Ver110", false)) {
        DefaultBtnClick();
        store.WriteBool(kStartWith, "Ver110", true);
    }

    exportSettings_ = ReadExportSettings(store);
    ApplyBtnClick();
}

// ---------------------------------------------------------------- writing

void TPreferences::writeToStore()
{
    SettingsStore& store = *store_;
    for (int format = 0; format < kFormatCount; ++format) {
        WriteFont(store, kFontPrefixes[format], fonts_[format]);
        store.WriteString("Font", kFontPrefixes[format] + "GridColor", colourCombos_[format]->currentText());
    }
    WriteFont(store, "Print", printFont_);
    store.WriteInteger(kStartWith, "StartCombo", StartCombo->currentIndex());
    store.WriteInteger(kStartWith, "TabCombo", TabCombo->currentIndex());
    store.WriteInteger(kStartWith, "LabelCombo", LabelCombo->currentIndex());
    store.WriteString(kStartWith, "UserFrames", UserFramesMask->text());
    store.WriteString(kStartWith, "Frames", FramesMask->text());
    store.WriteBool(kStartWith, "Validity", ValidityCheckBox->isChecked());
    store.WriteBool(kStartWith, "Descriptions", DescriptionsCheckBox->isChecked());
    store.WriteBool(kStartWith, "Percentages", PercentagesCheckBox->isChecked());
    store.WriteBool(kStartWith, "FrameMode", FrameModeCheckBox->isChecked());
}

void TPreferences::WritePosGrid()
{
    // Stored without the large-font allowance, so the widths survive a
    // change of screen resolution.
    const ColumnAllowances allowances = AllowancesFor(target_.largeFonts());
    ColumnWidths written{};
    for (int i = 0; i < kGridColumnCount; ++i)
        written[i] = BaseWidthFromColumn(i, target_.columnWidth(i), allowances);
    const QPoint main = target_.mainWindowPosition();
    const QPoint mini = target_.miniCalcPosition();
    const bool saved = guarded([&] {
        store_->WriteTogether([&] {
            store_->WriteInteger(kPosition, "MainLeft", main.x());
            store_->WriteInteger(kPosition, "MainTop", main.y());
            for (int i = 0; i < kGridColumnCount; ++i)
                store_->WriteInteger(kGrid, kColumnNames[i], written[i]);
            store_->WriteInteger(kPosition, "CalcMiniLeft", mini.x());
            store_->WriteInteger(kPosition, "CalcMiniTop", mini.y());
        });
    });
    if (saved)
        ColumnBaseWidths = written;
}

void TPreferences::writeOption(const char* name, bool value)
{
    guarded([&] { store_->WriteBool(kStartWith, name, value); });
}

void TPreferences::WriteValidity(bool checked)
{
    writeOption("Validity", checked);
    ValidityCheckBox->setChecked(checked);
}

void TPreferences::WriteDescriptions(bool checked)
{
    writeOption("Descriptions", checked);
    DescriptionsCheckBox->setChecked(checked);
}

void TPreferences::WritePercentages(bool checked)
{
    writeOption("Percentages", checked);
    PercentagesCheckBox->setChecked(checked);
}

void TPreferences::WriteFrameMode(bool checked)
{
    writeOption("FrameMode", checked);
    FrameModeCheckBox->setChecked(checked);
}

void TPreferences::WriteBalloon(bool checked)
{
    writeOption("Balloon", checked);
}

void TPreferences::CloseStore()
{
    store_->Close();
}

int TPreferences::ShowModal()
{
    WritePosGrid();
    const FontChoice nonDrop = target_.nonDropListFont();
    fonts_[NonDrop] = StoredFromQFont(nonDrop.font, nonDrop.color);
    return exec();
}

// ---------------------------------------------------------------- values

Rates TPreferences::CurrentRates() const
{
    return {UserRateFromText(UserFramesMask->text().toStdString()),
            FramesRateFromText(FramesMask->text().toStdString())};
}

QString TPreferences::UserTabCaption() const
{
    return QString::fromStdString(ombrel::UserTabCaption(UserFramesMask->text().toStdString()));
}

QString TPreferences::FramesTabCaption() const
{
    return QString::fromStdString(ombrel::FramesTabCaption(FramesMask->text().toStdString()));
}

int TPreferences::StartFormat() const
{
    return StartCombo->currentIndex();
}

QColor TPreferences::ListColour(int format) const
{
    const int index = colourCombos_[format]->currentIndex();
    return QColorFromStored(index >= 0 ? kGridColours[index].colour : kSystemWindowColour);
}

// ---------------------------------------------------------------- handlers

void TPreferences::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void TPreferences::FormActivate()
{
    StartCombo->setCurrentIndex(0);
    TabCombo->setCurrentIndex(0);
    LabelCombo->setCurrentIndex(1);
    PreferencesChanged = false;
    GetRegInfo();
}

void TPreferences::copyChecksToMenu()
{
    using Check = PreferencesTarget::Check;
    target_.setMenuCheck(Check::Validity, ValidityCheckBox->isChecked());
    target_.setMenuCheck(Check::Descriptions, DescriptionsCheckBox->isChecked());
    target_.setMenuCheck(Check::Percentages, PercentagesCheckBox->isChecked());
    target_.setMenuCheck(Check::FrameMode, FrameModeCheckBox->isChecked());
}

void TPreferences::ApplyBtnClick()
{
    target_.setEntryFieldColour(ListColour(target_.activeTabIndex()));
    for (int format = 0; format < kFormatCount; ++format)
        target_.setListFont(format, {QFontFromStored(fonts_[format]), QColorFromStored(fonts_[format].colour)});
    SetGrid();
    target_.setTabsAtBottom(TabCombo->currentIndex() != 0);
    target_.setTabCaptions(UserTabCaption(), FramesTabCaption());
    copyChecksToMenu();
    SetLabels();
    target_.setFrameFieldsVisible(FrameModeCheckBox->isChecked());
    for (int format = 0; format < kFormatCount; ++format)
        target_.setListColour(format, ListColour(format));
}

bool TPreferences::OKBtnClick()
{
    // The conversions cannot work at a rate of 0 or one that is no number:
    // refuse it here, before anything is applied or stored.
    const QString frames = FramesMask->text();
    if (!frames.isEmpty() && !IsValidFramesRate(frames.toStdString())) {
        dialogs_.showError(this, QString("'%1' is not a valid frame rate for Frames per second. "
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
    guarded([this] { store_->WriteTogether([this] { writeToStore(); }); });
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
        switch (dialogs_.message(this, MessageKind::Confirm, "Save changes?", MessageButtons::YesNoCancel)) {
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
    for (int format = 0; format < kFormatCount; ++format) {
        fonts_[format] = kDefaultListFont;
        colourCombos_[format]->setCurrentIndex(GridColourIndex(kDefaultGridColourName));
    }
    printFont_ = kDefaultPrintFont;
    StartCombo->setCurrentIndex(0);
    TabCombo->setCurrentIndex(0);
    LabelCombo->setCurrentIndex(1);

    const bool menuBoxesBefore[] = {DescriptionsCheckBox->isChecked(), PercentagesCheckBox->isChecked(),
                                    FrameModeCheckBox->isChecked()};
    ValidityCheckBox->setChecked(true);
    DescriptionsCheckBox->setChecked(false);
    PercentagesCheckBox->setChecked(true);
    FrameModeCheckBox->setChecked(false);
    // A box that changed acts as if clicked: the menu marks follow at once.
    if (menuBoxesBefore[0] || !menuBoxesBefore[1] || menuBoxesBefore[2])
        DescriptionsCheckBoxClick();

    UserFramesMask->setText("15");
    FramesMask->setText("30");
    ColumnBaseWidths = kDefaultColumnBaseWidths;
    DefaultWidthPending = true;
    ApplyBtnClick();
    PreferencesChanged = true;
}

void TPreferences::ApplyAllBtnClick()
{
    // Copies: a later change of one format's font leaves the others alone.
    for (int format = 1; format < kFormatCount; ++format)
        fonts_[format] = fonts_[NonDrop];
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
    StoredFont& font = fonts_[format];
    if (const auto choice = dialogs_.chooseFont(this, {QFontFromStored(font), QColorFromStored(font.colour)}))
        font = StoredFromQFont(choice->font, choice->color);
    // The Film and User buttons never counted as a change.
    if (format != Film && format != User)
        PreferencesChanged = true;
}

void TPreferences::DescriptionsCheckBoxClick()
{
    using Check = PreferencesTarget::Check;
    target_.setMenuCheck(Check::Descriptions, DescriptionsCheckBox->isChecked());
    target_.setMenuCheck(Check::Percentages, PercentagesCheckBox->isChecked());
    target_.setMenuCheck(Check::FrameMode, FrameModeCheckBox->isChecked());
    PreferencesChanged = true;
}

void TPreferences::StartComboChange()
{
    PreferencesChanged = true;
}

void TPreferences::GridSize(int column, int width)
{
    target_.setColumnWidth(column, width);
}

void TPreferences::SetGrid()
{
    GridLayoutInput input;
    input.baseWidths = ColumnBaseWidths;
    input.largeFonts = target_.largeFonts();
    input.descriptionsShown = target_.menuCheck(PreferencesTarget::Check::Descriptions);
    input.defaultWidthPending = DefaultWidthPending;
    const GridLayout layout = ComputeGridLayout(input);
    for (int i = 0; i < kGridColumnCount; ++i)
        GridSize(i, layout.columns[i]);
    if (layout.window) {
        target_.setWindowWidths(*layout.window);
        DefaultWidthPending = false;
    }
}

void TPreferences::SetLabels()
{
    if (const auto labels = LabelSetFor(LabelCombo->currentIndex(), target_.largeFonts()))
        target_.setLabels(*labels);
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
