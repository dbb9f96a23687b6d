#include "settings/settings_sections.h"

#include "engine/format_info.h"
#include "settings/settings_store.h"
#include "widgets/qt_text.h"
#include "widgets/user_dialogs.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

namespace ombrel {

namespace {

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
    QFont result(toQt(font.name));
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
    font.name = s(store.ReadString("Font", prefix + "FontName", toQt(defaults.name)));
    font.colour = store.ReadInteger("Font", prefix + "FontColor", defaults.colour);
    font.size =
        std::clamp(store.ReadInteger("Font", prefix + "FontSize", defaults.size), kSmallestFontSize, kLargestFontSize);
    font.style = FontStyleFromCode(store.ReadInteger("Font", prefix + "FontStyle", FontStyleCode(defaults.style)));
    return font;
}

void WriteFont(SettingsStore& store, const QString& prefix, const StoredFont& font)
{
    store.WriteTogether([&] {
        store.WriteString("Font", prefix + "FontName", toQt(font.name));
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
        keys[i] = FunctionSlotText(s(store.ReadString("Function", functionKeyName(i), toQt(kDefaultFunctionText))));
    return keys;
}

void WriteFunctionKeys(SettingsStore& store, const FunctionKeySlots& keys, int programmed)
{
    store.WriteTogether([&] {
        for (int i = 0; i < kFunctionKeyCount; ++i) {
            const QString name = functionKeyName(i);
            if (i + 1 == programmed || !store.IsUnreadable("Function", name))
                store.WriteString("Function", name, toQt(keys[i]));
        }
    });
}

namespace {

// A stored format that is none of the six is the first, not the nearest.
int storedFormat(int index)
{
    return index >= 0 && index < kFormatCount ? index : 0;
}

} // namespace

PrintSettings ReadPrintSettings(SettingsStore& store)
{
    const PrintSettings d;
    PrintSettings p;
    p.radio = storedFormat(store.ReadInteger("Print", "Radio", d.radio));
    p.page = store.ReadBool("Print", "Page", d.page);
    p.date = store.ReadBool("Print", "Date", d.date);
    p.time = store.ReadBool("Print", "Time", d.time);
    p.descriptions = store.ReadBool("Print", "Descriptions", d.descriptions);
    p.heading = s(store.ReadString("Print", "Heading", toQt(d.heading)));
    p.subheading = s(store.ReadString("Print", "Subheading", toQt(d.subheading)));
    return p;
}

ExportSettings ReadExportSettings(SettingsStore& store)
{
    const ExportSettings d;
    ExportSettings e;
    e.radio = storedFormat(store.ReadInteger("Export", "Radio", d.radio));
    e.exportDescriptions = store.ReadBool("Export", "ExportDescriptions", d.exportDescriptions);
    e.useHead = store.ReadBool("Export", "UseHead", d.useHead);
    e.heading = s(store.ReadString("Export", "Heading", toQt(d.heading)));
    e.subheading = s(store.ReadString("Export", "Subheading", toQt(d.subheading)));
    return e;
}

namespace {

const QString kStartWith = QStringLiteral("StartWith");
const QString kGrid = QStringLiteral("Grid");
const QString kPosition = QStringLiteral("Postion"); // the name older versions used

// Starts the names of a list's font and colour settings.
QString fontPrefix(int format)
{
    return toQt(kWindowFormats[format].settingsPrefix);
}

const std::array<QString, kGridColumnCount> kColumnNames{"1A", "1B", "1C", "1D", "1E", "1F", "1G"};

QString optionName(MenuOption option)
{
    switch (option) {
    case MenuOption::Validity:
        return "Validity";
    case MenuOption::Descriptions:
        return "Descriptions";
    case MenuOption::Percentages:
        return "Percentages";
    case MenuOption::FrameMode:
        return "FrameMode";
    case MenuOption::Balloon:
        break;
    }
    return "Balloon";
}

constexpr MenuOption kDialogOptions[] = {MenuOption::Validity, MenuOption::Descriptions, MenuOption::Percentages,
                                         MenuOption::FrameMode};

// An index that the list does not have is no choice.
int choice(int index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

void readOptions(SettingsStore& store, Options& options)
{
    const Options defaults;
    options.startFormat = choice(store.ReadInteger(kStartWith, "StartCombo", defaults.startFormat), kFormatCount);
    options.tabPosition = choice(store.ReadInteger(kStartWith, "TabCombo", defaults.tabPosition), 2);
    options.labelSet = choice(store.ReadInteger(kStartWith, "LabelCombo", defaults.labelSet), kLabelSetCount);
    options.userFrames = UsableUserRateText(s(store.ReadString(kStartWith, "UserFrames", toQt(kDefaultUserRateText))));
    options.frames = UsableFramesRateText(s(store.ReadString(kStartWith, "Frames", toQt(kDefaultFramesRateText))));
    for (const MenuOption option : kDialogOptions)
        OptionFlag(options, option) = store.ReadBool(kStartWith, optionName(option), OptionFlag(defaults, option));
    options.balloon = store.ReadBool(kStartWith, optionName(MenuOption::Balloon), defaults.balloon);
}

void writeMiniCalcPosition(SettingsStore& store, const WindowPosition& position)
{
    store.WriteInteger(kPosition, "CalcMiniLeft", position.left);
    store.WriteInteger(kPosition, "CalcMiniTop", position.top);
}

WindowPosition readPosition(SettingsStore& store, const QString& window)
{
    const WindowPosition defaults;
    return {store.ReadInteger(kPosition, window + "Left", defaults.left),
            store.ReadInteger(kPosition, window + "Top", defaults.top)};
}

std::optional<WindowPosition> readMiniCalcPosition(SettingsStore& store)
{
    if (store.ReadString(kPosition, "CalcMiniLeft", {}).isNull() &&
        store.ReadString(kPosition, "CalcMiniTop", {}).isNull())
        return std::nullopt;
    return readPosition(store, "CalcMini");
}

} // namespace

void WritePrintSettings(SettingsStore& store, const PrintSettings& settings)
{
    store.WriteTogether([&] {
        store.WriteInteger("Print", "Radio", settings.radio);
        store.WriteBool("Print", "Page", settings.page);
        store.WriteBool("Print", "Date", settings.date);
        store.WriteBool("Print", "Time", settings.time);
        store.WriteBool("Print", "Descriptions", settings.descriptions);
        store.WriteString("Print", "Heading", toQt(settings.heading));
        store.WriteString("Print", "Subheading", toQt(settings.subheading));
    });
}

void WriteExportSettings(SettingsStore& store, const ExportSettings& settings)
{
    store.WriteTogether([&] {
        store.WriteInteger("Export", "Radio", settings.radio);
        store.WriteBool("Export", "ExportDescriptions", settings.exportDescriptions);
        store.WriteBool("Export", "UseHead", settings.useHead);
        store.WriteString("Export", "Heading", toQt(settings.heading));
        store.WriteString("Export", "Subheading", toQt(settings.subheading));
    });
}

void ReadSettings(SettingsStore& store, AppSettings& settings)
{
    readOptions(store, settings.options);
    for (int i = 0; i < kGridColumnCount; ++i)
        settings.columnBaseWidths[i] = store.ReadInteger(kGrid, kColumnNames[i], kDefaultColumnBaseWidths[i]);
    settings.mainWindow = readPosition(store, "Main");
    settings.miniCalc = readMiniCalcPosition(store);
    for (int format = 0; format < kFormatCount; ++format) {
        settings.listFonts[format] = ReadFont(store, fontPrefix(format), kDefaultListFont);
        // A name not in the list leaves the colour as it was.
        const QString name = store.ReadString("Font", fontPrefix(format) + "GridColor", toQt(kDefaultGridColourName));
        if (const int index = GridColourIndex(s(name)); index >= 0)
            settings.listColours[format] = index;
    }
    settings.printFont = ReadFont(store, "Print", kDefaultPrintFont);
    settings.functionKeys = ReadFunctionKeys(store);
    settings.print = ReadPrintSettings(store);
    settings.exporting = ReadExportSettings(store);
}

bool DefaultsApplied(SettingsStore& store)
{
    return store.ReadBool(kStartWith, "Ver110", false);
}

void MarkDefaultsApplied(SettingsStore& store)
{
    store.WriteBool(kStartWith, "Ver110", true);
}

StoredSettingsLoad LoadStoredSettings(SettingsStore& store, AppSettings& settings)
{
    StoredSettingsLoad load;
    ReadSettings(store, settings);
    // Settings from before this marker never had the defaults applied;
    // the stored values stay until the preferences' OK writes over them.
    if (!DefaultsApplied(store)) {
        RestoreDefaults(settings);
        load.defaultWidthPending = true;
        try {
            MarkDefaultsApplied(store);
        } catch (const SettingsError& error) {
            load.error = toQt(error.what());
        }
    }
    return load;
}

void WritePreferences(SettingsStore& store, const AppSettings& settings)
{
    store.WriteTogether([&] {
        for (int format = 0; format < kFormatCount; ++format) {
            WriteFont(store, fontPrefix(format), settings.listFonts[format]);
            const int colour = settings.listColours[format];
            store.WriteString("Font", fontPrefix(format) + "GridColor",
                              colour >= 0 ? toQt(kGridColours[colour].name) : QString());
        }
        WriteFont(store, "Print", settings.printFont);
        const Options& options = settings.options;
        store.WriteInteger(kStartWith, "StartCombo", options.startFormat);
        store.WriteInteger(kStartWith, "TabCombo", options.tabPosition);
        store.WriteInteger(kStartWith, "LabelCombo", options.labelSet);
        store.WriteString(kStartWith, "UserFrames", toQt(options.userFrames));
        store.WriteString(kStartWith, "Frames", toQt(options.frames));
        for (const MenuOption option : kDialogOptions)
            store.WriteBool(kStartWith, optionName(option), OptionFlag(options, option));
    });
}

void WritePositionsAndWidths(SettingsStore& store, const AppSettings& settings)
{
    store.WriteTogether([&] {
        store.WriteInteger(kPosition, "MainLeft", settings.mainWindow.left);
        store.WriteInteger(kPosition, "MainTop", settings.mainWindow.top);
        for (int i = 0; i < kGridColumnCount; ++i)
            store.WriteInteger(kGrid, kColumnNames[i], settings.columnBaseWidths[i]);
        if (settings.miniCalc)
            writeMiniCalcPosition(store, *settings.miniCalc);
    });
}

void WriteMiniCalcPosition(SettingsStore& store, const WindowPosition& position)
{
    store.WriteTogether([&] { writeMiniCalcPosition(store, position); });
}

void WriteMenuOption(SettingsStore& store, MenuOption option, bool value)
{
    store.WriteBool(kStartWith, optionName(option), value);
}

bool ReportStoreErrors(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& operations)
{
    try {
        operations();
        return true;
    } catch (const SettingsError& error) {
        dialogs.showError(parent, toQt(error.what()));
        return false;
    }
}

} // namespace ombrel
