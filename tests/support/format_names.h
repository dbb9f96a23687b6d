#pragma once

#include "settings/app_settings.h"

#include <QString>
#include <QTest>

namespace ombrel::test {

// Settings with a User rate of 48 and a Frames rate of 29.97, so that the
// names of those formats show their own rates.
inline AppSettings WithRates()
{
    AppSettings settings;
    settings.options.userFrames = "48";
    settings.options.frames = "29.97";
    return settings;
}

// A data table of the six formats ("format", by index) and their names at
// those rates ("name"), as subheadings and captions show them.
inline void AddFormatNameRows()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("non-drop") << 0 << "30 fps Non-Drop Frame";
    QTest::newRow("drop frame") << 1 << "30 fps Drop Frame";
    QTest::newRow("PAL") << 2 << "25 fps PAL";
    QTest::newRow("film") << 3 << "24 fps Film";
    QTest::newRow("user") << 4 << "User Definable - 48fps";
    QTest::newRow("frames") << 5 << "Frames - 29.97fps";
}

} // namespace ombrel::test
