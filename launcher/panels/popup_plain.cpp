// A popup under the system's high contrast: a framed surface whose lit entry takes the highlight
// colours, with no picture of the theme.
#include "launcher/panels/popup_dlg.h"

#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"

void CPopupBase::PaintPlain(HDC dc) { contrast::FillSurface(m_hwnd, dc, true); }

void CPopupBase::DrawPlainEntry(const DRAWITEMSTRUCT* d, const char* text) {
  const bool lit = (d->itemState & ODS_SELECTED) || static_cast<int>(d->CtlID) == m_hotId;
  const contrast::Colours c = contrast::PlainColours(contrast::Part::kTile, {.chosen = lit});
  OffscreenPaint buffer(d->hDC, d->rcItem);
  const HDC dc = buffer.Dc();
  contrast::Fill(dc, d->rcItem, c.fill);
  ScopedSelect font(dc, reinterpret_cast<HFONT>(::SendMessageA(m_hwnd, WM_GETFONT, 0, 0)));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, contrast::Colour(c.text));
  // The text stands where the themed entry has it, after the bullet.
  RECT box{d->rcItem.left + BitmapSize(Theme().Bitmap(IDB_POPUP_BULLET)).cx + 8, d->rcItem.top, d->rcItem.right - 1,
           d->rcItem.bottom - 1};
  ::DrawTextA(dc, text, -1, &box, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
