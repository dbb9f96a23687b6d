#include "settings/settings_sections.h"

#include "settings/settings_store.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>

namespace ombrel {

namespace {

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string s(const QString& text)
{
    return text.toStdString();
}

// The few system colours a stored value can name, by their index.
QPalette::ColorRole roleOfSystemColour(uint32_t index)
{
    switch (index) {
    case 5: // window background
        return QPalette::Base;
    case 13: // highlight
        return QPalette::Highlight;
    case 14: // highlighted text
        return QPalette::HighlightedText;
    case 15: // button face
        return QPalette::Button;
    case 18: // button text
        return QPalette::ButtonText;
    default: // window text and the rest
        return QPalette::Text;
    }
}

} // namespace

QColor QColorFromStored(uint32_t colour)
{
    if (IsSystemColour(colour))
        return QGuiApplication::palette().color(roleOfSystemColour(colour & 0xFFu));
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

uint32_t StoredFromQColor(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return uint32_t(rgb.red()) | uint32_t(rgb.green()) << 8 | uint32_t(rgb.blue()) << 16;
}

QFont QFontFromStored(const StoredFont& font)
{
    QFont result(q(font.name));
    if (font.size > 0)
        result.setPointSize(font.size);
    result.setBold(font.style.bold);
    result.setItalic(font.style.italic);
    result.setUnderline(font.style.underline);
    result.setStrikeOut(font.style.strikeOut);
    return result;
}

StoredFont StoredFromQFont(const QFont& font, const QColor& colour)
{
    StoredFont result;
    result.name = s(font.family());
    result.colour = static_cast<int32_t>(StoredFromQColor(colour));
    // A font sized in pixels has no point size; take the nearest.
    result.size = font.pointSize() > 0 ? font.pointSize() : qRound(QFontInfo(font).pointSizeF());
    result.style = {font.bold(), font.italic(), font.underline(), font.strikeOut()};
    return result;
}

StoredFont ReadFont(SettingsStore& store, const QString& prefix, const StoredFont& defaults)
{
    StoredFont font;
    font.name = s(store.ReadString("Font", prefix + "FontName", q(defaults.name)));
    font.colour = store.ReadInteger("Font", prefix + "FontColor", defaults.colour);
    font.size = store.ReadInteger("Font", prefix + "FontSize", defaults.size);
    font.style = FontStyleFromCode(store.ReadInteger("Font", prefix + "FontStyle", FontStyleCode(defaults.style)));
    return font;
}

void WriteFont(SettingsStore& store, const QString& prefix, const StoredFont& font)
{
    store.WriteTogether([&] {
        store.WriteString("Font", prefix + "FontName", q(font.name));
        store.WriteInteger("Font", prefix + "FontColor", font.colour);
        store.WriteInteger("Font", prefix + "FontSize", font.size);
        store.WriteInteger("Font", prefix + "FontStyle", FontStyleCode(font.style));
    });
}

namespace {

// Key 1 is "GF1", not "F1".
QString functionKeyName(int slot)
{
    return slot == 0 ? QStringLiteral("GF1") : QStringLiteral("F%1").arg(slot + 1);
}

} // namespace

FunctionKeySlots ReadFunctionKeys(SettingsStore& store)
{
    FunctionKeySlots keys;
    for (int i = 0; i < kFunctionKeyCount; ++i)
        keys[i] =
            FunctionSlotText(s(store.ReadString("Function", functionKeyName(i), q(std::string(kDefaultFunctionText)))));
    return keys;
}

PrintSettings ReadPrintSettings(SettingsStore& store)
{
    const PrintSettings d;
    PrintSettings p;
    p.radio = store.ReadInteger("Print", "Radio", d.radio);
    p.page = store.ReadBool("Print", "Page", d.page);
    p.date = store.ReadBool("Print", "Date", d.date);
    p.time = store.ReadBool("Print", "Time", d.time);
    p.descriptions = store.ReadBool("Print", "Descriptions", d.descriptions);
    p.heading = s(store.ReadString("Print", "Heading", q(d.heading)));
    p.subheading = s(store.ReadString("Print", "Subheading", q(d.subheading)));
    return p;
}

ExportSettings ReadExportSettings(SettingsStore& store)
{
    const ExportSettings d;
    ExportSettings e;
    e.radio = store.ReadInteger("Export", "Radio", d.radio);
    e.exportDescriptions = store.ReadBool("Export", "ExportDescriptions", d.exportDescriptions);
    e.useHead = store.ReadBool("Export", "UseHead", d.useHead);
    e.heading = s(store.ReadString("Export", "Heading", q(d.heading)));
    e.subheading = s(store.ReadString("Export", "Subheading", q(d.subheading)));
    return e;
}

} // namespace ombrel
