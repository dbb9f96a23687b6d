#pragma once

#include <QScrollBar>

#include <optional>

namespace ombrel {

// A scroll bar that repaints only when its picture changes: on a long list
// one more row moves the slider by no whole pixel, and the bar's gradients
// cost more to draw than the new row.
class SteadyScrollBar : public QScrollBar {
    Q_OBJECT
public:
    using QScrollBar::QScrollBar;

    // The range and value changes made by `change` repaint once, if at all:
    // on the way the bar may pass through pictures it never shows.
    template <typename Change> void changeAtOnce(Change&& change)
    {
        held_ = true;
        change();
        held_ = false;
        updateIfChanged();
    }

protected:
    void sliderChange(SliderChange change) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What a value or range change can alter: where the slider is, and
    // whether either end is reached (the arrows' look).
    struct Picture {
        QRect slider;
        bool atMinimum;
        bool atMaximum;
        bool operator==(const Picture&) const = default;
    };
    Picture picture() const;
    void updateIfChanged();

    std::optional<Picture> painted_;
    bool held_ = false;
};

} // namespace ombrel
