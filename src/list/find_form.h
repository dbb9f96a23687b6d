#pragma once

#include "list/sheet_ops.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace ombrel {

class UserDialogs;

// The Find window: stays open beside the main window and searches the
// active tab's list for a text, one cell per Find Next, from where the
// last one stopped. It never wraps; a new text, either check box or a tab
// change starts it again at the first cell.
class TFindForm : public QDialog {
    Q_OBJECT
public:
    explicit TFindForm(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Tests the cells of `list` from where the search stands; selects the
    // next match in `view` with three rows above it in sight, or says that
    // the text was not found.
    void FindDialog1Find(const CalculationList& list, QTableView& view);
    // Starts the search again at the first cell.
    void resetSearch() { position_ = {}; }

    QLabel* Label1 = nullptr;
    QLineEdit* FindEdit = nullptr;
    QPushButton* Next = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* WholeWordsCheck = nullptr;
    QCheckBox* CaseCheck = nullptr;

signals:
    // Find Next, by the button or by Enter in the text field.
    void findNextRequested();
    // A match lies in the description column, about to be selected.
    void descriptionFound();

private:
    void FindEditChange();

    UserDialogs& dialogs_;
    FindPosition position_;
};

} // namespace ombrel
