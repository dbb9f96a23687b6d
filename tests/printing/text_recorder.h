#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <memory>

namespace ombrel::test {

// A paint device that keeps the text drawn on it, with where it was drawn,
// so a test reads a page's lines rather than its pixels.
class TextRecorder : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF at; // the baseline's start, in device pixels
        double pixelSize;
    };

    explicit TextRecorder(QSize size) : size_(size), engine_(std::make_unique<Engine>(*this)) {}

    QPaintEngine* paintEngine() const override { return engine_.get(); }

    QList<Text> texts;

    QStringList strings() const
    {
        QStringList result;
        for (const Text& text : texts)
            result << text.text;
        return result;
    }
    const Text* find(const QString& text) const
    {
        for (const Text& recorded : texts)
            if (recorded.text == text)
                return &recorded;
        return nullptr;
    }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 7200;
        case PdmHeightMM:
            return size_.height() * 254 / 7200;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 720;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder& device) : QPaintEngine(AllFeatures), device_(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override
        {
            if (state.state() & DirtyTransform)
                transform_ = state.transform();
            if (state.state() & DirtyFont)
                pixelSize_ = state.font().pixelSize();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override
        {
            device_.texts.append({item.text(), transform_.map(at), pixelSize_ * transform_.m22()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder& device_;
        QTransform transform_;
        double pixelSize_ = 0;
    };

    QSize size_;
    std::unique_ptr<Engine> engine_;
};

} // namespace ombrel::test
