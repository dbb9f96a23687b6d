#pragma once

#include "settings/settings_data.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace ombrel {

class SettingsStore;

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

// Section "Function": "GF1", "F2" ... "F12".
FunctionKeySlots ReadFunctionKeys(SettingsStore& store);

// Sections "Print" and "Export", which their dialogs will write.
PrintSettings ReadPrintSettings(SettingsStore& store);
ExportSettings ReadExportSettings(SettingsStore& store);

} // namespace ombrel
