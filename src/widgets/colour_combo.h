#pragma once

#include <QColor>
#include <QComboBox>

namespace ombrel {

// A drop-down list of named colours, each drawn with a swatch of its colour.
class ColourCombo : public QComboBox {
    Q_OBJECT
public:
    explicit ColourCombo(QWidget* parent = nullptr);

    void addColour(const QString& name, const QColor& colour);
    QColor colourAt(int index) const;
    // Invalid when nothing is selected.
};

} // namespace ombrel
