<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>PdfReplacement</name>
    <message>
        <source>Cannot print to %1: it is not a file on a disk but a folder, a pipe or a device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot print to %1: its folder does not allow new files. The report is written to a new file next to the old one, which it replaces only once complete, so that a failed print cannot damage the old file. Please print into another folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot print to %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot print to %1: the report could not be written completely%2. The old file is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, as the disk is full</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Page: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed to %1: the printer did not take it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SaveCalcFile</name>
    <message>
        <source>Cannot save %1: its folder does not allow new files. The work is written to a new file next to the old one, which it replaces only once complete, so that a failed save cannot damage the old file. Please save into another folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save %1: it is not a file on a disk but a pipe or a device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: it is a folder, not a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: it is not a file on a disk but a pipe or a device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: it is larger than %2 GiB, more than any Ombrel file holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The work is too large to save: an Ombrel file holds at most %1 GiB.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>Failed to set data for &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserDialogs</name>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WorkProgress</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel</name>
    <message>
        <source>Line %1: the description is longer than %2 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: cell %2 is longer than %3 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: this row has %2 of the %3 cells it needs, each followed by a space.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: this line is longer than any line of an Ombrel file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the number of calculations (%2) cannot be negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the file ends before the %2 section.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the file ends after %2 of the %3 rows of the %4 section.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has changed on disk since you opened it: another Ombrel window or another program saved it.
Replacing it loses what they saved. Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has changed on disk since you saved it: another Ombrel window or another program saved it.
Replacing it loses what they saved. Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is open in another Ombrel window (process %2). If both windows save it, the last save replaces the other&apos;s work.
Open it anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1% of %2 is out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 %3 is out of range!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NonDrop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 fps non-drop frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DropFrm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 fps drop frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>25 fps PAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Film/24P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24 fps Film</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Definable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - copied to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dur</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TC1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TC2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Olive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Navy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Purple</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Teal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Silver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lime</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ombrel works on one file at a time. Only %1 was opened; not opened:%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not a Ombrel file!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be read to its end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This edit decision list changes between drop frame and non-drop frame (line %1): no one tab shows both.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This edit decision list counts in drop frame (FCM: DROP FRAME): open it with the %1 tab shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This edit decision list counts in non-drop frame: open it with the %1 tab shown, or the tab of its rate.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event %1 (line %2): %3 is not a timecode of the %4 tab, whose frames run to %5. Open the list with the tab of its rate shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Event %1 (line %2): %3 is a label drop frame skips.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no event in this edit decision list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to open this file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the first %1 characters of the clipboard text were pasted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the first line of the clipboard text was pasted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard text has several lines and was not pasted: a cell holds one line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard text was not pasted: only a description may hold spaces</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clipboard text was not pasted: the cell is full</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::BackgroundTask</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::CalculateButton</name>
    <message>
        <source>Calculate</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::FunctionKeyBar</name>
    <message>
        <source>Function Keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program Function Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the cursor in a timecode field to program F%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::HeadingFields</name>
    <message>
        <source>Heading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subheading</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::ListHeaders</name>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Ascending - Click on a header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Descending - Click on a header</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::RecentFilesMenu</name>
    <message>
        <source>%1 is no longer there, so it was taken off the recent files.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::SheetModels</name>
    <message>
        <source>Descriptions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TAboutBox</name>
    <message>
        <source>About Ombrel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to Return</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Timecode arithmetic for film and video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Launch Web Browser</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TCalcMainForm</name>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Recen&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rinter Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mini Calc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy &amp;Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sor&amp;t...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Range Checking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Percentages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fr&amp;ame Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Balloon Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mini Calculator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Erase all timecode values from grids</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Ombrel file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Ombrel file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export individual formats</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print timecode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear edit boxes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy selection to clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste from clipboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find timecode or description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle to sort entries, then click header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate mini calculator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program Function Key or Shift + Function Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag bars</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slide bars to resize columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag timecode from grid or right click to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Operator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hit &apos;I, O, P(D,T)&apos; to use previous calculation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter percent value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter frame value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out Frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In Frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration Frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Percent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toggle to edit descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Calculations: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag items to delete row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag item from grid to delete item&apos;s row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 - %2 is not valid timecode!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ombrel File (*.obr)|*.obr|Text File (.txt)|*.txt|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to save the work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Current Work?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Ombrel File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to recover the unsaved work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> The end of the record is damaged: every whole change before it is recovered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

Recover this work?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discard the unsaved work for good?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all calculations?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ombrel Files (*.obr)|*.obr|Edit decision lists (*.edl)|*.edl|Text File (*.txt)|*.txt|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ombrel did not end cleanly. Its unsaved work, last changed %1, can be recovered (Total Calculations: %2).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TCalcMini</name>
    <message>
        <source>Mini Calc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hit &apos;I, O, P(D)&apos; to use previous calculation.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TExportForm</name>
    <message>
        <source>Text File (.txt)|*.txt|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Format...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Headings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting to %1...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TFindForm</name>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find What</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match whole word only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; not found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TGridPrintForm</name>
    <message>
        <source>Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Format...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include page numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include date stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include time stamp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Include descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Setup..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;review</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview  -  %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing page %1...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::THelpForm</name>
    <message>
        <source>The help page &apos;%1&apos; is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;body&gt;&lt;h2 style=&quot;color: #0b6b6e&quot;&gt;Page not found&lt;/h2&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Choose another topic on the Contents or Index tab.&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ombrel Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the first letters of the word you are looking for:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TPreferences</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 fps non-drop frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 fps drop frame</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>25 fps PAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24 fps Film</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Definable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>In - Out - Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out - In - Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TC1 - TC2 - Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start With:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tabs On:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use timecode range checking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Descriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Percentages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NonDrpFrm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DrpFrm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Film</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply to all grids</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frames per second</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grid Color:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid frame rate for Frames per second. Enter a number greater than 0, such as 30 or 29.97.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ombrel::TPreviewForm</name>
    <message>
        <source>Preview - Page 1 of 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to 100%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom to Page Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laying out pages: %p%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop laying out pages; the pages so far stay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  -  Page %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
