#include "documents/export_form.h"

#include "documents/calc_file_io.h"
#include "documents/text_export.h"
#include "settings/settings_sections.h"
#include "widgets/heading_fields.h"
#include "widgets/qt_text.h"
#include "widgets/radio_group.h"
#include "widgets/user_dialogs.h"
#include "widgets/work_progress.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ombrel {

namespace {

const char* const kExportFilter =
    QT_TRANSLATE_NOOP("ombrel::TExportForm", "Text File (.txt)|*.txt|All Files (*.*)|*.*");

} // namespace

TExportForm::TExportForm(const CalcSheet& sheet, AppSettings& settings, SettingsStore& store, UserDialogs& dialogs,
                         QWidget* parent)
    : QDialog(parent), sheet_(sheet), settings_(settings), store_(store), dialogs_(dialogs)
{
    setObjectName("ExportForm");
    setWindowTitle(tr("Export"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    GridExport = NewFormatRadioGroup(tr("Export Format..."), this);
    GridExport->setObjectName("GridExport");
    DescriptionsChk = new QCheckBox(tr("Export Descriptions"), this);
    DescriptionsChk->setObjectName("DescriptionsChk");
    HeadingsChk = new QCheckBox(tr("Export Headings"), this);
    HeadingsChk->setObjectName("HeadingsChk");
    headings_ = new HeadingFields(this);
    Label1 = headings_->Label1;
    HeadingEdit = headings_->HeadingEdit;
    Label2 = headings_->Label2;
    SubheadingEdit = headings_->SubheadingEdit;
    ExportBtn = new QPushButton(tr("&Export"), this);
    ExportBtn->setObjectName("ExportBtn");
    ExportBtn->setDefault(true);
    CancelBtn = new QPushButton(tr("&Cancel"), this);
    CancelBtn->setObjectName("CancelBtn");

    auto* fields = new QGridLayout;
    fields->addWidget(DescriptionsChk, 0, 0, 1, 2);
    fields->addWidget(HeadingsChk, 1, 0, 1, 2);
    fields->addWidget(headings_, 2, 0, 1, 2);
    fields->setRowStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ExportBtn);
    buttons->addWidget(CancelBtn);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(GridExport);
    layout->addLayout(right, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(369, 165);

    LoadSettings();
    connect(GridExport, &TRadioGroup::clicked, this, &TExportForm::GridExportClick);
    connect(HeadingsChk, &QCheckBox::clicked, this, &TExportForm::GreyOutHeadings);
    connect(ExportBtn, &QPushButton::clicked, this, &TExportForm::ExportBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TExportForm::LoadSettings()
{
    const ExportSettings& settings = settings_.exporting;
    GridExport->setItemIndex(settings.radio);
    headings_->setShownFormat(GridExport->itemIndex());
    DescriptionsChk->setChecked(settings.exportDescriptions);
    HeadingsChk->setChecked(settings.useHead);
    HeadingEdit->setText(toQt(settings.heading));
    SubheadingEdit->setText(toQt(settings.subheading));
    GreyOutHeadings();
}

ExportSettings TExportForm::settings() const
{
    ExportSettings settings;
    settings.radio = GridExport->itemIndex();
    settings.exportDescriptions = DescriptionsChk->isChecked();
    settings.useHead = HeadingsChk->isChecked();
    settings.heading = HeadingEdit->text().toStdString();
    settings.subheading = SubheadingEdit->text().toStdString();
    return settings;
}

void TExportForm::GridExportClick(int index)
{
    headings_->formatChosen(index, toQt(FormatSubheading(FormatAt(index), RatesOf(settings_.options))));
}

void TExportForm::GreyOutHeadings()
{
    headings_->setEnabled(HeadingsChk->isChecked());
}

void TExportForm::showEvent(QShowEvent* event)
{
    GreyOutHeadings();
    QDialog::showEvent(event);
}

void TExportForm::ExportBtnClick()
{
    const QString path = AskSaveFileName(dialogs_, this, tr(kExportFilter), "txt", lastName_);
    if (!path.isEmpty()) {
        lastName_ = path;
        if (writeFile(path)) {
            settings_.exporting = settings();
            ReportStoreErrors(dialogs_, this, [this] { WriteExportSettings(store_, settings_.exporting); });
        }
    }
    accept();
}

bool TExportForm::writeFile(const QString& path)
{
    TextExportOptions options;
    options.format = FormatAt(std::max(0, GridExport->itemIndex()));
    options.descriptions = DescriptionsChk->isChecked();
    options.headings = HeadingsChk->isChecked();
    options.heading = HeadingEdit->text().toStdString();
    options.subheading = SubheadingEdit->text().toStdString();
    TextExportWriter writer(sheet_, options);

    bool cancelled = false;
    std::optional<QString> error;
    {
        // Gone before any error shows: its own delay would bring it up over the message.
        WorkProgress progress(this, tr("Export"), tr("Exporting to %1...").arg(QDir::toNativeSeparators(path)),
                              progressDelay);
        error = SaveFileStream(path, [&]() -> std::optional<std::string_view> {
            const std::string_view piece = writer.next();
            cancelled = !progress.advance(writer.rowsWritten(), writer.rowCount());
            return cancelled ? std::nullopt : std::optional<std::string_view>(piece);
        });
    }
    if (error) {
        dialogs_.showError(this, *error);
        return false;
    }
    return !cancelled;
}

} // namespace ombrel
