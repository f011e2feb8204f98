#include "launcher/skin/draw.h"

#include <algorithm>

#include "common/win/gdi.h"
#include "common/win/handles.h"

void DrawMasked(HDC target, int x, int y, HBITMAP image, HBITMAP mask, HBITMAP background, int bgX, int bgY) {
  const SIZE size = BitmapSize(image);
  const int w = size.cx, h = size.cy;
  if (w <= 0 || h <= 0) return;
  MemoryDC img(target);
  img.Select(image);
  if (!mask) {
    ::BitBlt(target, x, y, w, h, img.Get(), 0, 0, SRCCOPY);
    return;
  }
  UniqueBitmap scratchBitmap(::CreateCompatibleBitmap(target, w, h));
  if (!scratchBitmap) return;
  MemoryDC scratch(target);
  scratch.Select(scratchBitmap.Get());
  if (background) {
    MemoryDC back(target);
    back.Select(background);
    ::BitBlt(scratch.Get(), 0, 0, w, h, back.Get(), bgX, bgY, SRCCOPY);
  } else {
    ::BitBlt(scratch.Get(), 0, 0, w, h, target, x, y, SRCCOPY);
  }
  MemoryDC maskDC(target);
  maskDC.Select(mask);

  // A monochrome source paints its white as the destination's background colour and its black
  // as the text colour.
  ::SetTextColor(img.Get(), RGB(255, 255, 255));  // image: white where the mask is black
  ::SetBkColor(img.Get(), RGB(0, 0, 0));
  ::BitBlt(img.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, SRCPAINT);
  ::SetTextColor(scratch.Get(), RGB(0, 0, 0));  // background: white where the mask is white
  ::SetBkColor(scratch.Get(), RGB(255, 255, 255));
  ::BitBlt(scratch.Get(), 0, 0, w, h, maskDC.Get(), 0, 0, SRCPAINT);
  ::BitBlt(scratch.Get(), 0, 0, w, h, img.Get(), 0, 0, SRCAND);
  ::BitBlt(target, x, y, w, h, scratch.Get(), 0, 0, SRCCOPY);
}

void DrawShadowText(HDC dc, const char* text, const RECT& box, UINT format, HFONT font, COLORREF textColour,
                    COLORREF shadowColour, HBITMAP background, int bgX, int bgY) {
  ScopedSelect selectFont(dc, font);
  const int oldMode = ::SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = ::GetTextColor(dc);

  RECT rc{box.left + 1, box.top + 2, box.right, box.bottom};
  ::DrawTextA(dc, text, -1, &rc, format | DT_CALCRECT);
  rc.right = std::min(rc.right, box.right);
  rc.bottom = std::min(rc.bottom, box.bottom);

  if (background) {
    MemoryDC back(dc);
    back.Select(background);
    ::BitBlt(dc, rc.left - 1, rc.top - 1, rc.right - rc.left + 1, rc.bottom - rc.top + 1, back.Get(), bgX, bgY,
             SRCCOPY);
  }
  ::SetTextColor(dc, shadowColour);
  ::DrawTextA(dc, text, -1, &rc, format);
  ::OffsetRect(&rc, -1, -2);
  ::SetTextColor(dc, textColour);
  ::DrawTextA(dc, text, -1, &rc, format);

  ::SetTextColor(dc, oldColour);
  ::SetBkMode(dc, oldMode);
}

namespace {
constexpr char kFocusCues[] = "ToplexFocusCues";
}  // namespace

void SetFocusCues(HWND topLevel, bool on) {
  if (on) ::SetPropA(topLevel, kFocusCues, reinterpret_cast<HANDLE>(1));
  else ::RemovePropA(topLevel, kFocusCues);
}

bool FocusCuesOn(HWND part) { return ::GetPropA(::GetAncestor(part, GA_ROOT), kFocusCues) != nullptr; }

bool FocusShown(HWND part) { return ::GetFocus() == part && FocusCuesOn(part); }
