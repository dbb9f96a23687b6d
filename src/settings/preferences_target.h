#pragma once

#include "settings/app_settings.h"
#include "settings/grid_layout.h"
#include "widgets/user_dialogs.h"

#include <QColor>
#include <QString>

namespace ombrel {

// What applying the settings does to the main window (and, through it, to
// the mini calculator). The main window implements it; formats and columns
// are indices (formats in tab order 0-5, list columns 0-6).
class PreferencesTarget {
public:
    virtual ~PreferencesTarget() = default;

    // 100 pixels per inch or more.
    virtual bool largeFonts() const = 0;
    virtual int activeTabIndex() const = 0;

    // Background of the entry fields (they take the active list's colour).
    virtual void setEntryFieldColour(const QColor& colour) = 0;
    virtual void setListFont(int format, const FontChoice& font) = 0;
    // `systemColour`: the colour is the palette's (such as "Window"), not one the user named.
    virtual void setListColour(int format, const QColor& colour, bool systemColour) = 0;
    // In all six lists at once; each header section lies over its column.
    virtual void setColumnWidth(int column, int width) = 0;
    virtual void setWindowWidths(const WindowWidths& widths) = 0;
    virtual void setTabsAtBottom(bool bottom) = 0;
    virtual void setTabCaptions(const QString& userCaption, const QString& framesCaption) = 0;
    virtual void setMenuCheck(MenuOption item, bool checked) = 0;
    // Label1, Label2, Label4 (text and left edge in Panel1), sections 0, 2
    // and 4 of HeaderControl1 then copied to the other five headers, and the
    // field labels.
    virtual void setLabels(const LabelSet& labels) = 0;
    // FrameIn, FrameOut and FrameDur.
    virtual void setFrameFieldsVisible(bool visible) = 0;
    // The load places the main window (somewhere the user can reach it).
    virtual void moveMainWindow(const WindowPosition& position) = 0;
};

// Apply, in this order: the entry fields take the active list's colour, the
// lists their fonts, then the column and window widths (SetGrid), the tab
// position and captions, the menu marks of the four dialog options, the
// label set (SetLabels), the frame fields and the list colours. Returns
// whether the window was resized; the default width, when pending, serves
// only that resize.
bool ApplySettings(const AppSettings& settings, PreferencesTarget& target, bool defaultWidthPending);

// Settings just loaded from the store: the Balloon mark and the window's
// place, then ApplySettings. The main window's first activation and each
// opening of the preferences run it; returns what ApplySettings does.
bool ApplyLoadedSettings(const AppSettings& settings, PreferencesTarget& target, bool defaultWidthPending);

} // namespace ombrel
