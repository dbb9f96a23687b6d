#pragma once

#include <string>
#include <string_view>

namespace ombrel {

// Key numbers run 1 to 12; the slots themselves are part of the settings
// (FunctionKeySlots).

// What a key stores when it is programmed from a field or a drag: the text
// with ":" separators, at most 11 characters.
std::string ProgrammedSlotText(std::string_view source);

// What a key loads into a field on a tab with this separator: the slot's
// timecode written with that separator. A slot that holds no timecode (the
// stored settings were edited by hand) loads the zero timecode.
std::string LoadedSlotText(std::string_view slot, char separator);

// The status text over key n's button: "F3 = 01:00:00:00".
std::string FunctionKeyStatus(int key, std::string_view slot, char separator);

} // namespace ombrel
