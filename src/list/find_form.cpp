#include "list/find_form.h"

#include "widgets/icons.h"
#include "widgets/user_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace ombrel {

TFindForm::TFindForm(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      dialogs_(dialogs)
{
    setObjectName("FindForm");
    setWindowTitle(tr("Find"));
    setModal(false);

    Label1 = new QLabel(tr("Find What"), this);
    Label1->setObjectName("Label1");
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName("FindEdit");
    Label1->setBuddy(FindEdit);
    Next = new QPushButton(toolbarIcon("find"), tr("Find Next"), this);
    Next->setObjectName("Next");
    BitBtn2 = new QPushButton(tr("Cancel"), this);
    BitBtn2->setObjectName("BitBtn2");
    WholeWordsCheck = new QCheckBox(tr("Match whole word only"), this);
    WholeWordsCheck->setObjectName("WholeWordsCheck");
    CaseCheck = new QCheckBox(tr("Match case"), this);
    CaseCheck->setObjectName("CaseCheck");
    // Enter belongs to the text field, which searches even while empty.
    for (QPushButton* button : {Next, BitBtn2})
        button->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(FindEdit, 0, 1);
    layout->addWidget(Next, 0, 2);
    layout->addWidget(WholeWordsCheck, 1, 0, 1, 2);
    layout->addWidget(BitBtn2, 1, 2);
    layout->addWidget(CaseCheck, 2, 0, 1, 2);
    FindEdit->setMinimumWidth(180);

    connect(FindEdit, &QLineEdit::textChanged, this, &TFindForm::FindEditChange);
    connect(WholeWordsCheck, &QCheckBox::clicked, this, &TFindForm::FindEditChange);
    connect(CaseCheck, &QCheckBox::clicked, this, &TFindForm::FindEditChange);
    connect(Next, &QPushButton::clicked, this, &TFindForm::findNextRequested);
    connect(FindEdit, &QLineEdit::returnPressed, this, &TFindForm::findNextRequested);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);

    FindEditChange();
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFindForm::FindEditChange()
{
    Next->setEnabled(!FindEdit->text().isEmpty());
    resetSearch();
}

void TFindForm::FindDialog1Find(const CalculationList& list, QTableView& view)
{
    const QString text = FindEdit->text();
    const FindResult result =
        FindNext(list, position_, text.toStdString(), {WholeWordsCheck->isChecked(), CaseCheck->isChecked()});
    if (result.outcome == FindResult::NotFound) {
        dialogs_.showError(this, tr("'%1' not found").arg(text));
        return;
    }
    if (result.outcome != FindResult::Found)
        return;
    if (result.column == DescriptionColumn)
        emit descriptionFound();
    const int row = static_cast<int>(result.row);
    view.setCurrentIndex(view.model()->index(row, result.column));
    view.verticalScrollBar()->setValue(std::max(0, row - 3));
}

} // namespace ombrel
