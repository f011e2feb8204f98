#include "launcher/skin/cut_tips.h"

#include <commctrl.h>

#include <string>

namespace cuttips {
namespace {
constexpr int kTipWidth = 320;  // long names wrap inside the tip
}

void AddTool(HWND tooltip, HWND owner, UINT_PTR id, const RECT* rect) {
  if (!tooltip) return;
  TOOLINFOA ti{sizeof ti};
  ti.uFlags = rect ? 0 : TTF_IDISHWND;
  ti.hwnd = owner;
  ti.uId = id;
  if (rect) ti.rect = *rect;
  ti.lpszText = LPSTR_TEXTCALLBACKA;
  ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  ::SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
}

void MoveTool(HWND tooltip, HWND owner, UINT_PTR id, const RECT& rect) {
  if (!tooltip) return;
  TOOLINFOA ti{sizeof ti};
  ti.hwnd = owner;
  ti.uId = id;
  ti.rect = rect;
  ::SendMessageA(tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Answer(LPARAM notify, const char* text) {
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(notify);
  info->hinst = nullptr;
  info->szText[0] = '\0';
  info->lpszText = text ? const_cast<char*>(text) : info->szText;
}

textwrap::Measure MeasureIn(HDC dc) {
  return [dc](std::string_view text) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
}

}  // namespace cuttips
