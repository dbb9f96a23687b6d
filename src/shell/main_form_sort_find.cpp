// Sorting the lists by a header click, column widths dragged in the
// headers, and the Find window.
#include "list/calc_grid.h"
#include "list/find_form.h"
#include "list/header_sections.h"
#include "list/list_headers.h"
#include "settings/grid_layout.h"
#include "shell/calc_main_form.h"

#include <QAction>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

namespace ombrel {

void TCalcMainForm::wireSortAndFind()
{
    headers_ = new ListHeaders(models_, kDefaultColumnBaseWidths, *SortBtn, *ProgressBar1, this);
    connect(Sort1, &QAction::triggered, this, &TCalcMainForm::Sort1Click);
    connect(SortBtn, &QToolButton::clicked, this, &TCalcMainForm::Sort1Click);
    connect(Find1, &QAction::triggered, this, &TCalcMainForm::FindBtnClick);
    connect(FindBtn, &QToolButton::clicked, this, &TCalcMainForm::FindBtnClick);
    connect(headers_, &ListHeaders::descriptionsToggled, Descriptions1, &QAction::trigger);
    connect(headers_, &ListHeaders::columnsResized, this, &TCalcMainForm::widenForColumns);
    connect(headers_, &ListHeaders::columnDragEnded, this, &TCalcMainForm::WritePosGrid);
}

void TCalcMainForm::Sort1Click()
{
    headers_->Sort1Click();
}

void TCalcMainForm::FindBtnClick()
{
    TFindForm& find = findForm();
    find.show();
    find.raise();
    find.activateWindow();
}

void TCalcMainForm::FindDialog1Find()
{
    findForm().FindDialog1Find(sheet().list(activeFormat()), *list(activeFormat()));
}

void TCalcMainForm::FindDialog1Show()
{
    // A find window not made yet has no search to reset.
    if (findForm_)
        findForm_->resetSearch();
}

void TCalcMainForm::showFoundDescription()
{
    EditBtn->setChecked(false);
    ActivateDragMode();
    if (!Descriptions1->isChecked())
        Descriptions1->trigger();
}

void TCalcMainForm::widenForColumns()
{
    const std::optional<int> lists = NeededListWidth(headers_->columnWidths(), Descriptions1->isChecked());
    if (lists && *lists > list(activeFormat())->width())
        setWindowWidths({*lists, *lists + 32, *lists + 24, *lists + 26, *lists + 9, *lists - 1});
}

} // namespace ombrel
