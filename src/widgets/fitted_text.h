#pragma once

class QLineEdit;

namespace ombrel {

// A number wider than its field is drawn in a smaller face, whole, rather
// than scrolled with its first digits out of sight; its tooltip then holds
// the whole value as well. Text that fits is drawn in the field's own face.
void FitTextToField(QLineEdit* field);

} // namespace ombrel
