#pragma once

#include <QAccessible>

class QWidget;

namespace ombrel {

// Tells screen readers what a widget that paints itself is: a picture that
// is clicked reads as a button (its press action emits the widget's
// clicked() signal), a panel that paints a text reads as that text, a
// widget shown as a window of its own as a window. A QComboBox given
// QAccessible::ComboBox is named by its accessibleName or its label (Qt
// names it by its current item on Linux) and keeps its item as its value.
// The widget's accessibleName stays its name.
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);

} // namespace ombrel
