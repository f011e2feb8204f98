#include "common/win/high_contrast.h"

#include <string>

#include "common/win/gdi.h"

namespace contrast {

namespace {

static_assert(static_cast<int>(SystemColour::kWindow) == COLOR_WINDOW &&
              static_cast<int>(SystemColour::kWindowText) == COLOR_WINDOWTEXT &&
              static_cast<int>(SystemColour::kHighlight) == COLOR_HIGHLIGHT &&
              static_cast<int>(SystemColour::kHighlightText) == COLOR_HIGHLIGHTTEXT &&
              static_cast<int>(SystemColour::kButtonFace) == COLOR_BTNFACE &&
              static_cast<int>(SystemColour::kGrayText) == COLOR_GRAYTEXT &&
              static_cast<int>(SystemColour::kButtonText) == COLOR_BTNTEXT);

bool g_read = false, g_on = false;

std::string StoredFlags() {
  char value[32] = {};
  DWORD bytes = sizeof value;
  if (::RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Accessibility\\HighContrast", "Flags", RRF_RT_REG_SZ, nullptr,
                     value, &bytes) != ERROR_SUCCESS)
    return {};
  return value;
}

bool Read() {
  HIGHCONTRASTA hc{sizeof hc};
  const bool answered = ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) != FALSE;
  // The stored setting is read only where the system's answer cannot decide.
  const bool decided = answered && (hc.dwFlags & kAvailableFlag);
  return IsOn(answered, hc.dwFlags, decided ? std::string() : StoredFlags());
}

}  // namespace

bool On() {
  if (!g_read) Update();
  return g_on;
}

void Update() {
  g_on = Read();
  g_read = true;
}

COLORREF Colour(SystemColour c) { return ::GetSysColor(static_cast<int>(c)); }

void Fill(HDC dc, const RECT& rc, SystemColour c) { ::FillRect(dc, &rc, ::GetSysColorBrush(static_cast<int>(c))); }

void FillSurface(HWND w, HDC dc, bool framed) {
  RECT client;
  ::GetClientRect(w, &client);
  Fill(dc, client, SystemColour::kWindow);
  if (framed) ::FrameRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOWTEXT));
}

void PassToChildren(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
  struct Message {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  } m{msg, wParam, lParam};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM p) -> BOOL {
        const auto* m = reinterpret_cast<const Message*>(p);
        ::SendMessageA(child, m->msg, m->wParam, m->lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&m));
}

void DrawFace(HDC dc, const RECT& rc, Part part, State state, const char* label, HFONT font, int focusWidth) {
  const Colours c = PlainColours(part, state);
  Fill(dc, rc, c.fill);
  ::FrameRect(dc, &rc, ::GetSysColorBrush(static_cast<int>(c.frame)));
  DrawFocusFrame(dc, RECT{rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2}, focusWidth, Colour(c.text));
  if (!label || !*label) return;
  ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, Colour(c.text));
  RECT box{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
  ::DrawTextA(dc, label, -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawTitleStrip(HDC dc, const RECT& strip, const RECT& text, const char* title, bool active, HFONT font) {
  const Colours c = PlainColours(Part::kButton, {.chosen = active});
  Fill(dc, strip, c.fill);
  ScopedSelect select(dc, font);
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, Colour(c.text));
  RECT box = text;
  ::DrawTextA(dc, title, -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace contrast
