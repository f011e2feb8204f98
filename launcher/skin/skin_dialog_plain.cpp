// A themed dialog under the system's high contrast: its surface, caption strip, title, labels,
// frames, buttons and controls in the system's colours, with no picture of the theme.
#include "launcher/skin/skin_dialog.h"

#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "launcher/skin/skin_layout.h"

namespace {
constexpr UINT kLabelFormat = DT_END_ELLIPSIS;  // labels underline their access keys, as themed
}

void CSkinDialog::PaintPlain(HDC dc) {
  using contrast::SystemColour;
  contrast::FillSurface(m_hwnd, dc, true);
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  ::SetBkMode(dc, TRANSPARENT);
  ScopedSelect font(dc, m_titleFont.Get());
  if (m_drawTitle) {
    char title[260] = {};
    ::GetWindowTextA(m_hwnd, title, sizeof title);
    const Rect t = skin::TitleBox(client.right, Dpi());
    contrast::DrawTitleStrip(dc, RECT{1, 1, client.right - 1, Px(skin::kDragStripBottom)},
                             RECT{t.left, t.top, t.right, t.bottom}, title, m_active != FALSE, nullptr);
  }
  for (const RECT& f : m_frames) ::FrameRect(dc, &f, ::GetSysColorBrush(COLOR_WINDOWTEXT));
  ::SetTextColor(dc, contrast::Colour(SystemColour::kWindowText));
  for (const Label& l : m_labels) {
    char text[256] = {};
    ::GetDlgItemTextA(m_hwnd, l.id, text, sizeof text);
    RECT box = l.box;
    ::DrawTextA(dc, text, -1, &box, l.format | kLabelFormat);
  }
}

// The close box and the themed buttons as plain faces with their own names.
bool CSkinDialog::DrawPlainItem(const DRAWITEMSTRUCT* d) {
  const Button* b = FindButton(static_cast<int>(d->CtlID));
  if (!b && d->CtlID != IDC_FRAME_CLOSE) return false;
  char text[256] = {};
  if (b) ::GetWindowTextA(d->hwndItem, text, sizeof text);
  const contrast::State state{.chosen = (d->itemState & ODS_SELECTED) != 0,
                              .hot = b && m_hotId == b->id,
                              .disabled = (d->itemState & ODS_DISABLED) != 0};
  contrast::DrawFace(d->hDC, d->rcItem, contrast::Part::kButton, state, b ? text : "×", m_titleFont.Get());
  return true;
}

INT_PTR CSkinDialog::PlainControlColours(HDC dc) {
  ::SetTextColor(dc, contrast::Colour(contrast::SystemColour::kWindowText));
  ::SetBkColor(dc, contrast::Colour(contrast::SystemColour::kWindow));
  return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
}

// Every top-level window hears of a change to high contrast or the colours; the dialog draws
// again, controls and scroll bars included.
void CSkinDialog::OnSystemLook(UINT msg, WPARAM wParam, LPARAM lParam) {
  contrast::Update();
  contrast::PassToChildren(m_hwnd, msg, wParam, lParam);
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
