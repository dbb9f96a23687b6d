#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace ombrel {

// A titled group of radio buttons, one of them chosen, known by its index.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    // -1 when none is chosen.
    int itemIndex() const;
    // An index outside the items chooses none.
    void setItemIndex(int index);
    QRadioButton* item(int index) const;
    int count() const;

signals:
    // The user chose an item (it may be the one already chosen).
    void clicked(int index);

private:
    QButtonGroup* buttons_;
};

// The six formats of the main window's tabs, in tab order, as the print
// and export dialogs offer them.
TRadioGroup* NewFormatRadioGroup(const QString& title, QWidget* parent);

} // namespace ombrel
