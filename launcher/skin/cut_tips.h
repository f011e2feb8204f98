// Tooltips that show a name whole where a tile or a menu button draws it cut. The tools belong to
// a tooltip whose owner already relays the mouse to it; each tool's text is asked of its window
// (TTN_GETDISPINFO) at the moment it would show, so a name drawn whole shows no tip.
#pragma once
#include <windows.h>

#include <string_view>

#include "launcher/skin/text_wrap.h"

namespace cuttips {

// A tool over a rectangle of the window (id of the owner's choosing), or over a child window
// (rect null, id the child).
void AddTool(HWND tooltip, HWND owner, UINT_PTR id, const RECT* rect);
void MoveTool(HWND tooltip, HWND owner, UINT_PTR id, const RECT& rect);

// Answers a TTN_GETDISPINFOA with the text (kept alive by the caller) or with none.
void Answer(LPARAM notify, const char* text);

// The width of text in the font selected into the device context, for textwrap.
textwrap::Measure MeasureIn(HDC dc);

}  // namespace cuttips
