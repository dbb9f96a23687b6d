#include "entry/entry_clipboard.h"

#include "list/clipboard_text.h"

namespace ombrel {

std::optional<std::string> CopyField(EntryFields& fields, EntryField focused)
{
    if (focused == EntryField::OperandCombo)
        return std::nullopt;
    FieldState* field = fields.field(focused);
    if (!field)
        return std::nullopt;
    RequestFocus(fields, focused);
    return field->text;
}

bool PasteIntoField(EntryFields& fields, EntryField focused, std::string_view text, char separator)
{
    switch (focused) {
    case EntryField::FrameIn:
    case EntryField::FrameOut:
    case EntryField::Percent:
        SetFieldText(*fields.field(focused), std::string(text));
        break;
    case EntryField::In:
    case EntryField::Out:
        SetFieldText(*fields.field(focused), PastedTimecode(text, separator));
        break;
    case EntryField::MiniDisplay:
        LoadMiniDisplay(fields, PastedTimecode(text, separator));
        return true;
    case EntryField::MiniFrame:
        LoadMiniFrame(fields, std::string(text));
        break;
    default:
        return false;
    }
    RequestFocus(fields, focused);
    return true;
}

} // namespace ombrel
