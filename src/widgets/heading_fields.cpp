#include "widgets/heading_fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace ombrel {

HeadingFields::HeadingFields(QWidget* parent) : QWidget(parent)
{
    Label1 = new QLabel(tr("Heading"), this);
    Label1->setObjectName("Label1");
    HeadingEdit = new QLineEdit(this);
    HeadingEdit->setObjectName("HeadingEdit");
    Label1->setBuddy(HeadingEdit);
    Label2 = new QLabel(tr("Subheading"), this);
    Label2->setObjectName("Label2");
    SubheadingEdit = new QLineEdit(this);
    SubheadingEdit->setObjectName("SubheadingEdit");
    Label2->setBuddy(SubheadingEdit);
    const int textWidth = SubheadingEdit->fontMetrics().horizontalAdvance("User Definable - 99fps") + 16;
    HeadingEdit->setMinimumWidth(textWidth);
    SubheadingEdit->setMinimumWidth(textWidth);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Label1, 0, 0);
    layout->addWidget(HeadingEdit, 0, 1);
    layout->addWidget(Label2, 1, 0);
    layout->addWidget(SubheadingEdit, 1, 1);
}

void HeadingFields::formatChosen(int format, const QString& formatName)
{
    if (format == shownFormat_)
        return;
    shownFormat_ = format;
    SubheadingEdit->setText(formatName);
}

} // namespace ombrel
