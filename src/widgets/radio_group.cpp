#include "widgets/radio_group.h"

#include "engine/format_info.h"
#include "widgets/qt_text.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ombrel {

TRadioGroup::TRadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

int TRadioGroup::itemIndex() const
{
    return buttons_->checkedId();
}

void TRadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group keeps one button checked; unchecking needs it off.
    if (QAbstractButton* checked = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
    }
}

QRadioButton* TRadioGroup::item(int index) const
{
    return static_cast<QRadioButton*>(buttons_->button(index));
}

int TRadioGroup::count() const
{
    return static_cast<int>(buttons_->buttons().size());
}

TRadioGroup* NewFormatRadioGroup(const QString& title, QWidget* parent)
{
    QStringList items;
    for (const FormatInfo& format : kWindowFormats)
        items << Translated(format.choiceName);
    return new TRadioGroup(title, items, parent);
}

} // namespace ombrel
