#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

namespace ombrel {

// The Heading and Subheading of the print and export dialogs: two labels
// and their edits, the edits wide enough for the longest subheading a
// format gives. Disabling the widget greys all four.
class HeadingFields : public QWidget {
    Q_OBJECT
public:
    explicit HeadingFields(QWidget* parent = nullptr);

    QLabel *Label1, *Label2;
    QLineEdit *HeadingEdit, *SubheadingEdit;

    // The format the subheading names, as the settings were loaded.
    void setShownFormat(int format) { shownFormat_ = format; }
    // A format chosen in the dialog: the subheading becomes its name, so a
    // subheading the user typed gives way only to another format's name.
    void formatChosen(int format, const QString& formatName);

private:
    int shownFormat_ = 0;
};

} // namespace ombrel
