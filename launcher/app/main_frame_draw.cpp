// The frame the main window draws itself, its buttons, where its children stand, and moving it
// by its title strip.
#include "launcher/app/main_frame.h"

#include <commctrl.h>

#include <utility>

#include "common/dpi.h"
#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "common/win/monitors.h"
#include "launcher/app/main_frame_parts.h"
#include "launcher/base/resource.h"

using namespace mainframe;

namespace {

struct ButtonSpec {
  int id;
  const char* text;  // never drawn: what screen readers say
  const char* tip;
};
constexpr ButtonSpec kButtonSpecs[] = {
    {IDC_FRAME_CLOSE, "終了", nullptr},
    {IDC_FRAME_MINIMIZE, "最小化", nullptr},
    {ID_WEB_CLOSE, "ホームページ表示を閉じる", "ぽんぽんガイド"},
    {ID_WEB_REFRESH, "更新", "更新"},
    {ID_WEB_STOP, "中止", "中止"},
    {ID_WEB_FORWARD, "進む", "進む"},
    {ID_WEB_BACK, "戻る", "戻る"},
};

void MoveKeepingBottomRight(HWND w, int width, int height, bool repaint) {
  RECT rc;
  ::GetWindowRect(w, &rc);
  ::MoveWindow(w, rc.right - width, rc.bottom - height, width, height, repaint);
}

}  // namespace

void CMainFrame::CreateButtons() {
  for (int i = 0; i < kButtonCount; ++i) {
    m_buttons[i] =
        ::CreateWindowExA(0, "BUTTON", kButtonSpecs[i].text, WS_CHILD | BS_OWNERDRAW, 0, 0, 0, 0, m_hwnd,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonSpecs[i].id)), m_inst, nullptr);
  }
  ::ShowWindow(m_buttons[kClose], SW_SHOW);
  ::ShowWindow(m_buttons[kMinimize], SW_SHOW);

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  m_tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, m_inst, nullptr);
  if (!m_tooltip) return;
  for (int i = 0; i < kButtonCount; ++i) {
    if (!kButtonSpecs[i].tip) continue;
    TOOLINFOA ti{sizeof ti};
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = m_hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(m_buttons[i]);
    ti.lpszText = const_cast<char*>(kButtonSpecs[i].tip);
    ::SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

// Every child stands where the layout puts it for the current size and state.
void CMainFrame::PlaceChildren() {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  const int pane = m_data.PaneWidth();
  const int shift = m_data.LayoutOffset() - pane;  // 3 - pane in the narrow layout, 3 when wide
  if (m_webOpen) {
    // Close, Minimise and Off follow the right edge; the browser buttons stand at fixed places.
    const int lefts[kButtonCount] = {shift + Px(621), shift + Px(597), shift + Px(573), Px(107),
                                     Px(83),          Px(59),          Px(35)};
    for (int i = 0; i < kButtonCount; ++i) {
      int left = lefts[i];
      ::MoveWindow(m_buttons[i], left, Px(6), Px(24), Px(24), TRUE);
    }
    if (m_web && m_web->Handle())
      ::MoveWindow(m_web->Handle(), Px(kEdge), Px(kWebStripTop), client.right - 2 * Px(kEdge),
                   client.bottom - Px(kWebStripTop) - Px(kEdge), TRUE);
    return;
  }
  ::MoveWindow(m_buttons[kClose], shift + Px(617), Px(5), Px(16), Px(13), TRUE);
  ::MoveWindow(m_buttons[kMinimize], shift + Px(601), Px(5), Px(16), Px(13), TRUE);
  if (m_buttonPanel)
    ::MoveWindow(m_buttonPanel, m_data.LayoutOffset(), Px(kButtonPanelTop),
                 client.right - Px(kEdge) - m_data.LayoutOffset(), client.bottom - Px(kEdge) - Px(kButtonPanelTop),
                 TRUE);
  if (m_iconPanel) {
    int top = m_data.Theme().Params().titleHeight + Px(4);
    ::MoveWindow(m_iconPanel, Px(kEdge), top, pane, client.bottom - Px(kEdge) - top, TRUE);
  }
}

void CMainFrame::OnSize() { PlaceChildren(); }

void CMainFrame::SetLayout(bool wide) {
  if (wide == m_data.IsWide()) return;
  const int pane = m_data.PaneWidth();
  m_data.SetWide(wide);
  if (wide) {
    if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_SHOW);
    ::ScrollWindow(m_hwnd, pane, 0, nullptr, nullptr);
    MoveKeepingBottomRight(m_hwnd, Px(kFrameWidth), Px(kFrameHeight), TRUE);
  } else {
    if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_HIDE);
    MoveKeepingBottomRight(m_hwnd, Px(kFrameWidth) - pane, Px(kFrameHeight), TRUE);
  }
  PlaceChildren();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

RECT CMainFrame::TitleStripRect() const {
  HBITMAP strip = m_webOpen ? OwnBitmap(IDB_WEB_TITLE_ACTIVE) : m_data.Theme().Bitmap(IDB_TITLE_ACTIVE_WIDE);
  BITMAP bm{};
  if (!strip || !::GetObjectA(strip, sizeof bm, &bm)) {
    bm.bmWidth = Px(kFrameWidth);
    bm.bmHeight = Px(kStripTop);
  }
  return RECT{Px(kEdge), Px(kEdge), Px(kEdge) + bm.bmWidth, Px(kEdge) + bm.bmHeight};
}

void CMainFrame::OnPaint() {
  PaintGuard paint(m_hwnd);
  OffscreenPaint buffer(paint.Dc(), paint.Area());
  const HDC dc = buffer.Dc();
  RECT rc;
  ::GetClientRect(m_hwnd, &rc);
  if (contrast::On()) return PaintPlain(dc, rc);
  const theme::Params& p = m_data.Theme().Params();
  COLORREF back = m_webOpen ? static_cast<COLORREF>(kWebBack) : static_cast<COLORREF>(p.background);
  COLORREF outer = m_webOpen ? kWebOuter : p.outerFrame;
  COLORREF inner = m_webOpen ? kWebInner : p.innerFrame;
  UniqueBrush backBrush(::CreateSolidBrush(back)), outerBrush(::CreateSolidBrush(outer)),
      innerBrush(::CreateSolidBrush(inner));
  ::FillRect(dc, &rc, backBrush.Get());
  ::FrameRect(dc, &rc, outerBrush.Get());
  RECT in{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
  ::FrameRect(dc, &in, innerBrush.Get());

  HBITMAP strip;
  if (m_webOpen) strip = OwnBitmap(m_active ? IDB_WEB_TITLE_ACTIVE : IDB_WEB_TITLE_INACTIVE);
  else if (m_data.IsWide()) strip = m_data.Theme().Bitmap(m_active ? IDB_TITLE_ACTIVE_WIDE : IDB_TITLE_INACTIVE_WIDE);
  else strip = m_data.Theme().Bitmap(m_active ? IDB_TITLE_ACTIVE_NARROW : IDB_TITLE_INACTIVE_NARROW);
  BlitBitmap(dc, Px(kEdge), Px(kEdge), strip);
}

void CMainFrame::OnActivate(bool active) {
  if (active == m_active) return;
  m_active = active;
  RedrawTitleStrip();
  if (active) m_panel.OnActivated();
}

void CMainFrame::RedrawTitleStrip() {
  RECT strip = TitleStripRect();
  ::InvalidateRect(m_hwnd, &strip, FALSE);
}

HBITMAP CMainFrame::OwnBitmap(int id) const {
  auto it = m_own.find(id);
  if (it != m_own.end()) return it->second.Get();
  auto load = [this](int which) {
    return UniqueBitmap(static_cast<HBITMAP>(::LoadImageA(m_inst, MAKEINTRESOURCEA(which), IMAGE_BITMAP, 0, 0, 0)));
  };
  UniqueBitmap loaded = load(id);
  const int dpi = m_data.Dpi();
  if (loaded && dpi != dpi::kBase) {
    UniqueBitmap twin = dpi > dpi::kBase ? load(id + IDB_ART_200) : UniqueBitmap();
    const int from = ArtSourceDpi(loaded.Get(), twin.Get(), dpi);
    if (from != dpi::kBase) loaded = std::move(twin);
    if (from != dpi) loaded = ScaledBitmap(loaded.Get(), dpi, from);
  }
  return m_own.emplace(id, std::move(loaded)).first->second.Get();
}

HBITMAP CMainFrame::ButtonBitmap(int button, bool pressed, bool disabled) const {
  switch (button) {
    case kClose:
      if (m_webOpen) return OwnBitmap(pressed ? IDB_WEB_CLOSE_PRESSED : IDB_WEB_CLOSE);
      return m_data.Theme().Bitmap(pressed ? IDB_CLOSE_PRESSED : IDB_CLOSE);
    case kMinimize:
      if (m_webOpen) return OwnBitmap(pressed ? IDB_WEB_MINIMIZE_PRESSED : IDB_WEB_MINIMIZE);
      return m_data.Theme().Bitmap(pressed ? IDB_MINIMIZE_PRESSED : IDB_MINIMIZE);
    case kWebBack: return OwnBitmap(IDB_WEB_BACK + (pressed ? 1 : disabled ? 2 : 0));
    case kWebForward: return OwnBitmap(IDB_WEB_FORWARD + (pressed ? 1 : disabled ? 2 : 0));
    case kWebRefresh: return OwnBitmap(IDB_WEB_REFRESH + (pressed ? 1 : 0));
    case kWebStop: return OwnBitmap(IDB_WEB_STOP + (pressed ? 1 : 0));
    case kWebOff: return OwnBitmap(IDB_WEB_OFF + (pressed ? 1 : 0));
    default: return nullptr;
  }
}

void CMainFrame::OnDrawItem(const DRAWITEMSTRUCT* d) {
  for (int i = 0; i < kButtonCount; ++i) {
    if (d->hwndItem != m_buttons[i]) continue;
    if (contrast::On()) return DrawPlainButton(d, i);
    HBITMAP b = ButtonBitmap(i, (d->itemState & ODS_SELECTED) != 0, (d->itemState & ODS_DISABLED) != 0);
    if (b) {
      BlitBitmap(d->hDC, 0, 0, b);
    } else {  // a theme without this picture still shows where the button is
      UniqueBrush brush(::CreateSolidBrush(m_data.Theme().Params().innerFrame));
      ::FillRect(d->hDC, &d->rcItem, brush.Get());
    }
    return;
  }
}

void CMainFrame::OnLButtonDown(POINT pt) {
  ::SetFocus(m_hwnd);
  if (pt.y >= Px(m_webOpen ? kWebStripTop : kStripTop)) return;
  ::SetCapture(m_hwnd);
  m_dragAnchor = pt;
}

void CMainFrame::MoveBy(POINT pt) {
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  ::SetWindowPos(m_hwnd, nullptr, rc.left + pt.x - m_dragAnchor.x, rc.top + pt.y - m_dragAnchor.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_data.NoteWindowMoved();
}

void CMainFrame::OnMouseMove(POINT pt) {
  if (m_dragAnchor.x == -1 || ::GetCapture() != m_hwnd) return;
  MoveBy(pt);
}

void CMainFrame::OnLButtonUp(POINT pt) {
  if (m_dragAnchor.x == -1) return;
  MoveBy(pt);
  m_dragAnchor = {-1, -1};
  ::ReleaseCapture();
}

// Moved to a monitor of another DPI (or its scale changed): the theme and every size follow, the
// window takes the place the system suggests at the size of its layout, within reach.
void CMainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi == m_data.Dpi()) return;
  m_data.SetDpi(dpi);
  const int width = m_webOpen ? Px(kWebWidth) : Px(kFrameWidth) - (m_data.IsWide() ? 0 : m_data.PaneWidth());
  const int height = Px(m_webOpen ? kWebHeight : kFrameHeight);
  const Rect place =
      ReachablePlace(Rect{suggested.left, suggested.top, suggested.left + width, suggested.top + height});
  m_own.clear();
  m_tools.ApplyTheme(true);
  m_panel.OnDpiChanged();
  ::SetWindowPos(m_hwnd, nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceChildren();
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CMainFrame::OnHoverTimer() {
  if (!m_active) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  if (m_iconPanel) m_panel.TrackHover(cursor);
  if (m_buttonPanel) m_tools.TrackHover(cursor);
}
