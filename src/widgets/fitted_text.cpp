#include "widgets/fitted_text.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QVariant>

#include <algorithm>

namespace ombrel {

namespace {

const char* const kOwnFont = "ombrelOwnFont";
const char* const kFittedFont = "ombrelFittedFont";
const char* const kOwnToolTip = "ombrelOwnToolTip";
constexpr double kSmallestPixels = 6;

// The room for text inside the field's frame and Qt's own margins.
double textRoom(const QLineEdit* field)
{
    const QMargins margins = field->textMargins();
    const int frame = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field) : 0;
    constexpr int kLineEditMargin = 2; // each side, inside the frame
    return field->width() - margins.left() - margins.right() - 2 * frame - 2 * kLineEditMargin - 1;
}

double pixelSize(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : QFontMetricsF(font).height();
}

} // namespace

void FitTextToField(QLineEdit* field)
{
    // The field's own face, unless the program has set another since.
    const QVariant fitted = field->property(kFittedFont);
    if (!fitted.isValid() || fitted.value<QFont>() != field->font()) {
        field->setProperty(kOwnFont, field->font());
        field->setProperty(kOwnToolTip, field->toolTip());
    }
    const QFont own = field->property(kOwnFont).value<QFont>();
    const QString text = field->text();
    const double room = textRoom(field);
    QFont font = own;
    double width = QFontMetricsF(font).horizontalAdvance(text);
    if (width > room && room > 0) {
        double pixels = pixelSize(own);
        while (width > room && pixels > kSmallestPixels) {
            pixels = std::max(kSmallestPixels, std::min(pixels - 0.5, pixels * room / width));
            font.setPixelSize(static_cast<int>(pixels));
            width = QFontMetricsF(font).horizontalAdvance(text);
            if (font.pixelSize() <= kSmallestPixels)
                break;
        }
    }
    const bool shrunk = font != own;
    if (field->font() != font)
        field->setFont(font);
    field->setProperty(kFittedFont, font);
    field->setToolTip(shrunk ? text : field->property(kOwnToolTip).toString());
}

} // namespace ombrel
