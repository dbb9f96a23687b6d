#include "printing/print_form.h"

#include "documents/text_export.h"
#include "list/list_model.h"
#include "printing/preview_form.h"
#include "printing/report_page_view.h"
#include "printing/report_painter.h"
#include "settings/settings_sections.h"
#include "widgets/heading_fields.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"
#include "widgets/user_dialogs.h"
#include "widgets/work_progress.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <climits>

namespace ombrel {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TGridPrintForm::TGridPrintForm(const SheetModels& lists, AppSettings& settings, SettingsStore& store,
                               UserDialogs& dialogs, TPreviewForm& preview, QWidget* parent)
    : QDialog(parent), lists_(lists), settings_(settings), store_(store), dialogs_(dialogs), preview_(preview),
      printer_(QPrinter::HighResolution)
{
    setObjectName("GridPrintForm");
    setWindowTitle(tr("Print..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    printer_.setPageSize(QPageSize(QPageSize::Letter));
    printer_.setPageOrientation(QPageLayout::Portrait);

    GridRadio = NewFormatRadioGroup(tr("Print Format..."), this);
    GridRadio->setObjectName("GridRadio");
    auto* include = new QGroupBox(this);
    PageChk = checkBox(include, "PageChk", tr("Include page numbers"));
    DateChk = checkBox(include, "DateChk", tr("Include date stamp"));
    TimeChk = checkBox(include, "TimeChk", tr("Include time stamp"));
    DescChk = checkBox(include, "DescChk", tr("Include descriptions"));
    FontBtn = button(include, "FontBtn", tr("Font"));
    auto* includeLayout = new QGridLayout(include);
    includeLayout->addWidget(PageChk, 0, 0);
    includeLayout->addWidget(DateChk, 1, 0);
    includeLayout->addWidget(TimeChk, 2, 0);
    includeLayout->addWidget(DescChk, 3, 0);
    includeLayout->addWidget(FontBtn, 3, 1);

    headings_ = new HeadingFields(this);
    Label1 = headings_->Label1;
    HeadingEdit = headings_->HeadingEdit;
    Label2 = headings_->Label2;
    SubheadingEdit = headings_->SubheadingEdit;

    SetupBtn = button(this, "SetupBtn", tr("&Setup.."));
    PreviewBtn = button(this, "PreviewBtn", tr("P&review"));
    PrintBtn = button(this, "PrintBtn", tr("&Print"));
    PrintBtn->setDefault(true);
    CancelBtn = button(this, "CancelBtn", tr("&Cancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(GridRadio);
    top->addWidget(include, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {SetupBtn, PreviewBtn, PrintBtn, CancelBtn})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(headings_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(369, 219);

    LoadSettings();
    connect(GridRadio, &TRadioGroup::clicked, this, &TGridPrintForm::GridRadioClick);
    connect(FontBtn, &QPushButton::clicked, this, &TGridPrintForm::FontBtnClick);
    connect(SetupBtn, &QPushButton::clicked, this, &TGridPrintForm::SetupBtnClick);
    connect(PreviewBtn, &QPushButton::clicked, this, &TGridPrintForm::PreviewBtnClick);
    connect(PrintBtn, &QPushButton::clicked, this, &TGridPrintForm::PrintBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TGridPrintForm::CancelBtnClick);
    connect(&preview_, &TPreviewForm::printRequested, this, &TGridPrintForm::PrintBtnClick);
    connect(&preview_, &TPreviewForm::printerSetupRequested, this, [this] {
        // The pages on preview take the paper just chosen.
        if (SetupBtnClick() && preview_.isVisible())
            PreviewBtnClick();
    });
}

TGridPrintForm::~TGridPrintForm() = default;

void TGridPrintForm::LoadSettings()
{
    const PrintSettings& settings = settings_.print;
    GridRadio->setItemIndex(settings.radio);
    headings_->setShownFormat(GridRadio->itemIndex());
    PageChk->setChecked(settings.page);
    DateChk->setChecked(settings.date);
    TimeChk->setChecked(settings.time);
    DescChk->setChecked(settings.descriptions);
    HeadingEdit->setText(toQt(settings.heading));
    SubheadingEdit->setText(toQt(settings.subheading));
}

PrintSettings TGridPrintForm::settings() const
{
    PrintSettings settings;
    settings.radio = GridRadio->itemIndex();
    settings.page = PageChk->isChecked();
    settings.date = DateChk->isChecked();
    settings.time = TimeChk->isChecked();
    settings.descriptions = DescChk->isChecked();
    settings.heading = HeadingEdit->text().toStdString();
    settings.subheading = SubheadingEdit->text().toStdString();
    return settings;
}

TimecodeFormat TGridPrintForm::chosenFormat() const
{
    return FormatAt(std::max(0, GridRadio->itemIndex()));
}

void TGridPrintForm::ShowModal()
{
    exec();
}

void TGridPrintForm::PreviewFormat(TimecodeFormat format)
{
    GridRadio->setItemIndex(FormatIndex(format));
    GridRadioClick(FormatIndex(format));
    PreviewBtnClick();
}

void TGridPrintForm::GridRadioClick(int index)
{
    headings_->formatChosen(index, toQt(FormatSubheading(FormatAt(index), RatesOf(settings_.options))));
}

// Whether the font dialog is confirmed or not, the print font is stored.
void TGridPrintForm::FontBtnClick()
{
    StoredFont& font = settings_.printFont;
    const FontChoice initial{QFontFromStored(font), QColorFromStored(static_cast<uint32_t>(font.colour))};
    if (const auto chosen = dialogs_.chooseFont(this, initial))
        font = StoredFromQFont(chosen->font, chosen->color);
    ReportStoreErrors(dialogs_, this, [&] { WriteFont(store_, "Print", font); });
}

// The page range offers the pages of the report on preview, if there is one.
bool TGridPrintForm::SetupBtnClick()
{
    const int64_t pages = preview_.QRPreview->pageCount();
    const int lastPage = pages > 0 ? static_cast<int>(std::min<int64_t>(pages, INT_MAX)) : 9999;
    return dialogs_.printerSetup(isVisible() ? this : parentWidget(), printer_, pages > 0 ? 1 : 0, lastPage);
}

ReportContent TGridPrintForm::reportContent() const
{
    ReportContent content;
    content.format = chosenFormat();
    content.descriptions = DescChk->isChecked();
    content.pageNumbers = PageChk->isChecked();
    content.date = DateChk->isChecked();
    content.time = TimeChk->isChecked();
    content.heading = HeadingEdit->text();
    content.subheading = SubheadingEdit->text();
    return content;
}

std::unique_ptr<Report> TGridPrintForm::buildReport() const
{
    return std::make_unique<Report>(lists_.sheet(), reportContent(), settings_.printFont, PaperPoints(printer_),
                                    QDateTime::currentDateTime());
}

void TGridPrintForm::PreviewBtnClick()
{
    const TimecodeFormat format = chosenFormat();
    preview_.CaptionPrefix = tr("Preview  -  %1").arg(toQt(FormatSubheading(format, RatesOf(settings_.options))));
    // The report is built again, as the dialog is set up now, whenever the
    // list changes while the preview shows it.
    const CalcSheet& sheet = lists_.sheet();
    preview_.ShowReport(
        [&sheet, content = reportContent(), font = settings_.printFont, paper = PaperPoints(printer_)] {
            return std::make_unique<Report>(sheet, content, font, paper, QDateTime::currentDateTime());
        },
        lists_.model(format));
}

bool TGridPrintForm::printerReady()
{
    const bool toFile = printer_.outputFormat() == QPrinter::PdfFormat;
    if (toFile ? !printer_.outputFileName().isEmpty() : !printer_.printerName().isEmpty())
        return true;
    return SetupBtnClick();
}

void TGridPrintForm::print(Report& report)
{
    QWidget* owner = isVisible() ? this : parentWidget();
    PrintOutcome outcome;
    {
        // Gone before any error shows: its own delay would bring it up over the message.
        WorkProgress progress(owner, tr("Print"), tr("Printing..."), progressDelay);
        outcome = PrintReport(printer_, report, [&](int64_t page) {
            progress.setLabel(tr("Printing page %1...").arg(page));
            return progress.advance(report.pagination().rowsLaidOut(), report.rowCount());
        });
    }
    if (!outcome.error.isEmpty())
        dialogs_.showError(owner, outcome.error);
}

void TGridPrintForm::PrintBtnClick()
{
    // Cancel in the printer dialog returns to this one unchanged.
    if (!printerReady())
        return;
    settings_.print = settings();
    ReportStoreErrors(dialogs_, this, [this] { WritePrintSettings(store_, settings_.print); });
    // A preview on screen would go on showing pages of the report this one
    // replaces, whoever started the print.
    preview_.hide();
    preview_.DetachReport();
    const std::unique_ptr<Report> report = buildReport();
    print(*report);
    if (isVisible())
        accept();
}

void TGridPrintForm::CancelBtnClick()
{
    reject();
}

} // namespace ombrel
