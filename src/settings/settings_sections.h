#pragma once

#include "settings/app_settings.h"
#include "settings/settings_data.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>

class QWidget;

namespace ombrel {

class SettingsStore;
class UserDialogs;

// Stored colours and fonts as Qt shows them, and back. System colours map
// to the palette ("Window" is the background of lists and fields).
QColor QColorFromStored(uint32_t colour);
uint32_t StoredFromQColor(const QColor& colour);
QFont QFontFromStored(const StoredFont& font);
StoredFont StoredFromQFont(const QFont& font, const QColor& colour);

// Section "Font": one font under a prefix ("ND" ... "Frames", "Print") as
// name, colour, size and style code, in that order.
StoredFont ReadFont(SettingsStore& store, const QString& prefix, const StoredFont& defaults);
void WriteFont(SettingsStore& store, const QString& prefix, const StoredFont& font);

// Section "Function": "GF1", "F2" ... "F12". The writer stores the twelve
// together after key `programmed` (1 to 12) was programmed, except keys
// whose stored value could not be read: they loaded as the default, and
// the text the user stored stays until that very key is programmed.
FunctionKeySlots ReadFunctionKeys(SettingsStore& store);
void WriteFunctionKeys(SettingsStore& store, const FunctionKeySlots& keys, int programmed);

// Sections "Print" and "Export", written by their dialogs: printing writes
// all seven "Print" values, a completed export all five "Export" values.
PrintSettings ReadPrintSettings(SettingsStore& store);
ExportSettings ReadExportSettings(SettingsStore& store);
void WritePrintSettings(SettingsStore& store, const PrintSettings& settings);
void WriteExportSettings(SettingsStore& store, const ExportSettings& settings);

// Every section, in the order the load reads them. Numbers are brought
// into the ranges the program's controls allow (rates the program cannot
// use read as the default rate); column widths and window positions are
// limited where they are used, as that depends on the screen. A value
// that cannot be read takes its default alone.
void ReadSettings(SettingsStore& store, AppSettings& settings);
// "Ver110": whether the defaults were applied once already, and its write.
bool DefaultsApplied(SettingsStore& store);
void MarkDefaultsApplied(SettingsStore& store);
// Reads every section over `settings`. The first load of a store restores
// the defaults once and notes that in the store; their window width is
// then pending. Reading shows nothing: the only error, a store that cannot
// take that note, is handed back for the caller to show once its window
// is complete.
struct StoredSettingsLoad {
    bool defaultWidthPending = false;
    QString error;
};
StoredSettingsLoad LoadStoredSettings(SettingsStore& store, AppSettings& settings);

// What the preferences' OK stores: the section "Font", then the options
// of the dialog, in that order.
void WritePreferences(SettingsStore& store, const AppSettings& settings);
// The window positions and the column widths (without large-font
// allowances).
void WritePositionsAndWidths(SettingsStore& store, const AppSettings& settings);
// The Mini Calc's place, written when it closes.
void WriteMiniCalcPosition(SettingsStore& store, const WindowPosition& position);
// One of the options a menu command stores at once.
void WriteMenuOption(SettingsStore& store, MenuOption option, bool value);

// Runs reads or writes of the store; an error is shown in an "Error" box and
// ends them. Returns whether they all went through.
bool ReportStoreErrors(UserDialogs& dialogs, QWidget* parent, const std::function<void()>& operations);

} // namespace ombrel
