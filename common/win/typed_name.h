// A name the user typed into an edit field. The field holds it in UTF-16 whatever the program's
// code page, and a narrow read would turn what code page 932 cannot write into "?": so it is read
// wide, and such a name is refused where it was typed, never stored as question marks.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace wintext {

// The field's text in code page 932. None when a character has no form there: the user has then
// been told so over the field's dialog, and the field has the focus back with its text selected.
std::optional<std::string> ReadTypedName(HWND field, const char* caption);

}  // namespace wintext
