#include "launcher/panels/icon_panel_wnd.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "common/theme_ids.h"
#include "common/ui/wheel.h"
#include "common/win/gdi.h"
#include "common/win/modal_guard.h"
#include "common/cp932.h"
#include "launcher/base/item_request.h"
#include "launcher/base/resource.h"
#include "launcher/menus/item_info_dlg.h"
#include "launcher/menus/item_info_rules.h"
#include "launcher/skin/cut_tips.h"
#include "launcher/skin/drag_drop.h"
#include "launcher/panels/popup_dlg.h"
#include "launcher/skin/scroll_skin.h"

namespace {

constexpr char kPanelClass[] = "ToplexIconPanel";
constexpr char kUrlTooLong[] = "リンク先の指定が長すぎるため登録できません.";
constexpr std::size_t kMaxText = 259;
constexpr int kBlock = 32;           // the background is copied in blocks of this size
constexpr DWORD kKeyPressMs = 300;   // how long a keyboard launch shows the tile pressed
constexpr int kAutoScrollBand = 10;  // a drag this close to an edge scrolls

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
bool Inside(const Rect& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

struct StateBitmaps {
  int image, mask;
  bool shifted;
};
StateBitmaps ForState(iconpanel::TileLook look) {
  switch (look) {
    case iconpanel::TileLook::kPressed: return {IDB_TILE_PRESSED, IDB_TILE_PRESSED_MASK, true};
    case iconpanel::TileLook::kHover: return {IDB_TILE_HOVER, IDB_TILE_HOVER_MASK, false};
    case iconpanel::TileLook::kGripHover: return {IDB_TILE_GRIP_HOVER, IDB_TILE_GRIP_HOVER_MASK, false};
    default: return {IDB_TILE, IDB_TILE_MASK, false};
  }
}

}  // namespace

void CIconPanelWnd::AttachData(const CLaunchData* data, LauncherActions* actions) {
  m_data = data;
  m_actions = actions;
  const theme::Params& p = data->Theme().Params();
  m_grid.layout.pressedShiftX = p.panelValue1;
  m_grid.layout.pressedShiftY = p.panelValue2;
  m_grid.layout.overlayX = p.panelValue3;
  m_grid.layout.overlayY = p.panelValue4;
}

bool CIconPanelWnd::CreatePanel(HWND parent, const RECT& rc, HINSTANCE inst) {
  static bool registered = CWnd::RegisterClass(kPanelClass, inst, nullptr, nullptr);
  (void)registered;
  HWND w =
      ::CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL, rc.left, rc.top,
                        rc.right - rc.left, rc.bottom - rc.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ICON_PANEL)), inst, static_cast<CWnd*>(this));
  return w != nullptr;
}

LRESULT CIconPanelWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case UM_LAUNCH_RESULT:
      CloseFind(true);
      m_actions->LaunchItem(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(pt); return 0;
    case WM_RBUTTONUP: OnRButtonUp(pt); return 0;
    case WM_SETCURSOR: return OnSetCursor() ? TRUE : Default(msg, wParam, lParam);
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->hwndFrom != m_tips || hdr->code != TTN_GETDISPINFOA || hdr->idFrom >= m_slots.size()) break;
      const ItemSlot& s = m_slots[hdr->idFrom];
      cuttips::Answer(lParam, s.cut ? s.caption : nullptr);
      return 0;
    }
    default: break;
  }
  return Default(msg, wParam, lParam);
}

int CIconPanelWnd::OnCreate() {
  RECT rc;
  ::GetClientRect(m_hwnd, &rc);
  m_grid.clientWidth = rc.right;
  m_grid.clientHeight = rc.bottom;
  m_drop.Register(m_hwnd, *this);
  InstallScrollBarSkin(m_hwnd, IDB_SCROLL_PANEL);
  ApplyTheme(false);
  return 0;
}

void CIconPanelWnd::OnDestroy() {
  m_drop.Revoke();
  for (ItemSlot& s : m_slots) s.Release();
}

void CIconPanelWnd::ReadLayout() {
  const theme::Params& p = m_theme->Params();
  iconpanel::Layout& l = m_grid.layout;
  l.originX = p.panelValues2[0] - iconpanel::kInnerX;
  l.originY = p.panelValues2[1] - iconpanel::kInnerY;
  l.columnWidth = std::max(p.panelValues2[2], 1);
  l.rowHeight = std::max(p.panelValues2[3], 1);
  l.tileX = p.panelRect2.left;
  l.tileY = p.panelRect2.top;
  l.tileWidth = p.panelRect2.Width();
  l.tileHeight = p.panelRect2.Height();
  l.gripX = p.panelRect3.left;
  l.gripY = p.panelRect3.top;
  l.gripWidth = p.panelRect3.Width();
  l.gripHeight = p.panelRect3.Height();
  l.iconX = p.panelValues[0];
  l.iconY = p.panelValues[1];
  l.bannerX = p.panelValues[2];
  l.bannerY = p.panelValues[3];
  l.pictureX = p.panelValues[4];
  l.pictureY = p.panelValues[5];
  l.name = p.panelRect1;
  if (m_find.IsOpen()) l.originY += StripHeight();  // the results stand below the strip
}

void CIconPanelWnd::ApplyTheme(bool full) {
  for (ItemSlot& s : m_slots) s.Release();
  m_theme = &m_data->Theme();
  ReadLayout();
  BuildBackground();
  m_nameFont = CreateThemeFont(m_theme->Params().fontB);
  {
    MemoryDC measure(nullptr);
    ScopedSelect font(measure.Get(), m_nameFont.Get());
    TEXTMETRICA tm{};
    if (::GetTextMetricsA(measure.Get(), &tm)) m_lineHeight = std::max(static_cast<int>(tm.tmHeight), 1);
  }
  m_nameColour = m_theme->Params().fontB.colour1;
  m_markPos = -1;
  if (!full) return;
  ::EnableWindow(m_hwnd, !m_data->Menus().empty());
  UpdateScrollBar();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

// The grid picture repeated over the client width and a whole number of its heights, plus one,
// so that any scroll phase can be copied from it.
void CIconPanelWnd::BuildBackground() {
  m_background.Reset();
  HBITMAP tile = m_theme->Bitmap(IDB_GRID_BACK);
  SIZE s = BitmapSize(tile);
  m_backgroundTile = s.cy;
  if (!s.cx || !s.cy || m_grid.clientWidth <= 0) return;
  int height = ((m_grid.clientHeight + s.cy - 1) / s.cy + 1) * s.cy;
  WindowDC screen(m_hwnd);
  m_background.Reset(::CreateCompatibleBitmap(screen.Get(), m_grid.clientWidth, height));
  MemoryDC dst(screen.Get()), src(screen.Get());
  dst.Select(m_background.Get());
  src.Select(tile);
  for (int y = 0; y < height; y += s.cy)
    for (int x = 0; x < m_grid.clientWidth; x += s.cx) ::BitBlt(dst.Get(), x, y, s.cx, s.cy, src.Get(), 0, 0, SRCCOPY);
}

void CIconPanelWnd::AssignSlots() {
  std::array<int, iconpanel::kSlotCount> shown = m_grid.AssignSlots();
  MemoryDC measure(nullptr);
  ScopedSelect font(measure.Get(), m_nameFont.Get());
  for (int i = 0; i < iconpanel::kSlotCount; ++i) {
    ItemSlot& s = m_slots[static_cast<std::size_t>(i)];
    s.shown = shown[static_cast<std::size_t>(i)];
    if (s.shown == s.loaded || s.shown < 0 || !m_grid.RowVisible(s.shown)) continue;
    s.Release();
    const TileRef ref = Ref(s.shown);
    const ItemRecord* item = m_data->Items().Find(ref.menu, ref.position);
    if (!item || !(s.look = LookOf(ref, *item))) continue;  // a failure is retried at the next assignment
    cp932::CopyBounded(s.caption, sizeof s.caption, item->caption);
    s.loaded = s.shown;
    WrapCaption(measure.Get(), s);
  }
  UpdateTips();
}

std::shared_ptr<const ItemPresentation> CIconPanelWnd::LookOf(const TileRef& ref, const ItemRecord& item) {
  constexpr std::size_t kMaxLooks = 4096;
  if (m_data->Items().Revision() != m_looksRevision || m_looks.size() > kMaxLooks) {
    m_looks.clear();
    m_looksRevision = m_data->Items().Revision();
  }
  std::shared_ptr<const ItemPresentation>& cached = m_looks[item.file + '\n' + item.iconFile];
  if (cached) return cached;
  auto look = std::make_shared<ItemPresentation>();
  char name[260];
  if (!GetItemPresentation(*m_data, ref.menu, ref.position, *look, name, sizeof name, nullptr, 0)) return nullptr;
  return cached = std::move(look);
}

// As many lines as the theme's name box holds, broken at spaces where the words fit.
void CIconPanelWnd::WrapCaption(HDC measure, ItemSlot& slot) const {
  const Rect& box = m_grid.layout.name;
  const int lines = std::max(box.Height() / m_lineHeight, 1);
  textwrap::Wrapped w = textwrap::Wrap(slot.caption, box.Width(), lines, cuttips::MeasureIn(measure));
  slot.lines = std::move(w.lines);
  slot.cut = w.cut;
}

void CIconPanelWnd::AttachTips(HWND tooltip) {
  m_tips = tooltip;
  const RECT none{0, 0, 0, 0};
  for (UINT_PTR i = 0; i < m_slots.size(); ++i) cuttips::AddTool(tooltip, m_hwnd, i, &none);
  UpdateTips();
}

// Each slot's tool covers its tile while the tile is shown.
void CIconPanelWnd::UpdateTips() {
  if (!m_tips) return;
  for (std::size_t i = 0; i < m_slots.size(); ++i) {
    const int p = m_slots[i].shown;
    const RECT at = p >= 0 && m_grid.RowVisible(p) ? ToRECT(m_grid.HitRect(p, false)) : RECT{0, 0, 0, 0};
    cuttips::MoveTool(m_tips, m_hwnd, i, at);
  }
}

void CIconPanelWnd::UpdateScrollBar() {
  SCROLLINFO si{sizeof si};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = m_grid.TotalHeight() - 1;
  si.nPage = static_cast<UINT>(std::max(m_grid.clientHeight, 0));
  si.nPos = m_grid.scroll;
  ::SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
}

void CIconPanelWnd::RefreshItems(bool resetScroll) {
  if (!m_data) return;
  // Another menu or user ends a search; a changed item is matched again.
  if (resetScroll && m_find.IsOpen()) {
    m_find.Close();
    ReadLayout();
  }
  if (m_find.IsOpen()) m_find.Refresh(*m_data);
  for (ItemSlot& s : m_slots) s.Release();
  m_grid.count = m_find.IsOpen() ? m_find.Count() : m_data->Items().LastPosition(m_data->CurrentMenu()) + 1;
  if (resetScroll) {
    m_grid.scroll = 0;
    m_lastPressed = -1;
  }
  AssignSlots();
  int clamped = iconpanel::ClampScroll(m_grid, m_grid.scroll);
  if (clamped != m_grid.scroll) {
    m_grid.scroll = clamped;
    AssignSlots();
  }
  UpdateScrollBar();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CIconPanelWnd::OnSize(int width, int height) {
  const int oldColumns = m_grid.Columns(), oldScroll = m_grid.scroll;
  m_grid.clientWidth = width;
  m_grid.clientHeight = height;
  if (!m_theme) return;
  BuildBackground();
  AssignSlots();
  m_grid.scroll = iconpanel::ClampScroll(m_grid, m_grid.scroll);
  AssignSlots();
  if (m_grid.scroll != oldScroll) ::ScrollWindow(m_hwnd, 0, oldScroll - m_grid.scroll, nullptr, nullptr);
  UpdateScrollBar();
  if (m_grid.Columns() != oldColumns) ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CIconPanelWnd::SetScroll(int position, bool scrollContent) {
  int old = m_grid.scroll;
  m_grid.scroll = position;
  AssignSlots();
  UpdateScrollBar();
  if (scrollContent) ::ScrollWindow(m_hwnd, 0, old - position, nullptr, nullptr);
  else ::InvalidateRect(m_hwnd, nullptr, FALSE);
  ::UpdateWindow(m_hwnd);
}

void CIconPanelWnd::OnVScroll(int code) {
  auto clamp = [&](int p) { return iconpanel::ClampScroll(m_grid, p); };
  const int pos = m_grid.scroll;
  switch (code) {
    case SB_LINEUP:
    case SB_LINEDOWN: {
      int p = clamp(pos + (code == SB_LINEUP ? -iconpanel::kLineStep : iconpanel::kLineStep));
      if (p != pos) SetScroll(p, true);
      break;
    }
    case SB_PAGEUP: SetScroll(clamp(pos - m_grid.clientHeight), false); break;
    case SB_PAGEDOWN: SetScroll(clamp(pos + m_grid.clientHeight), false); break;
    case SB_THUMBTRACK: {
      SCROLLINFO si{sizeof si};
      si.fMask = SIF_TRACKPOS;
      ::GetScrollInfo(m_hwnd, SB_VERT, &si);
      SetScroll(clamp(si.nTrackPos), true);
      break;
    }
    default: break;
  }
}

// Each notch moves a row (or a page, as the system's wheel setting says); a setting of no lines
// leaves the panel still.
void CIconPanelWnd::OnMouseWheel(int delta) {
  const int notches = m_wheel.Add(delta);
  const UINT lines = WheelScrollLines();
  if (notches == 0 || lines == 0 || !::IsWindowEnabled(m_hwnd)) return;
  int p = iconpanel::WheelPosition(m_grid, -notches, lines == WHEEL_PAGESCROLL);
  if (p != m_grid.scroll) SetScroll(p, false);
}

void CIconPanelWnd::PageUp() { SetScroll(iconpanel::PageUpPosition(m_grid), false); }
void CIconPanelWnd::PageDown() { SetScroll(iconpanel::PageDownPosition(m_grid), false); }

void CIconPanelWnd::OnPaint() {
  UniqueRegion update(::CreateRectRgn(0, 0, 0, 0));
  ::GetUpdateRgn(m_hwnd, update.Get(), FALSE);
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hwnd, &ps);
  const RECT& rc = ps.rcPaint;
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  if (w > 0 && h > 0) {
    UniqueBitmap buffer(::CreateCompatibleBitmap(dc, w, h));
    MemoryDC mem(dc);
    mem.Select(buffer.Get());
    ::SetWindowOrgEx(mem.Get(), rc.left, rc.top, nullptr);
    if (m_background) {
      MemoryDC back(dc);
      back.Select(m_background.Get());
      const int phase = m_backgroundTile ? m_grid.scroll % m_backgroundTile : 0;
      for (int y = rc.top / kBlock * kBlock; y < rc.bottom; y += kBlock)
        for (int x = rc.left / kBlock * kBlock; x < rc.right; x += kBlock) {
          RECT block{x, y, x + kBlock, y + kBlock};
          if (::RectInRegion(update.Get(), &block))
            ::BitBlt(mem.Get(), x, y, kBlock, kBlock, back.Get(), x, y + phase, SRCCOPY);
        }
    } else {
      UniqueBrush brush(::CreateSolidBrush(m_theme->Params().background));
      ::FillRect(mem.Get(), &rc, brush.Get());
    }
    for (const ItemSlot& s : m_slots)
      if (s.shown >= 0) DrawTile(mem.Get(), update.Get(), s);
    if (m_find.IsOpen()) DrawStrip(mem.Get());
    ::SetWindowOrgEx(mem.Get(), 0, 0, nullptr);
    ::BitBlt(dc, rc.left, rc.top, w, h, mem.Get(), 0, 0, SRCCOPY);
  }
  ::EndPaint(m_hwnd, &ps);
  if (m_markPos >= 0) ShowMark({m_markPos, m_markSide});
}

void CIconPanelWnd::DrawTile(HDC dc, HRGN update, const ItemSlot& slot) {
  const int p = slot.shown;
  // While finding, the chosen result looks as a tile under the pointer does.
  const int hot = m_hot >= 0 || !m_find.IsOpen() ? m_hot : m_find.Chosen();
  StateBitmaps sb = ForState(iconpanel::TileState(p, m_pressed, m_press, hot, m_hotGrip));
  HBITMAP image = m_theme->Bitmap(sb.image), mask = m_theme->Bitmap(sb.mask);
  SIZE size = BitmapSize(image);
  if (!size.cx) return;
  const int left = m_grid.TileLeft(p), top = m_grid.TileTop(p);
  RECT box{left, top, left + size.cx, top + size.cy};
  if (!::RectInRegion(update, &box)) return;

  const iconpanel::Layout& l = m_grid.layout;
  const int dx = sb.shifted ? l.pressedShiftX : 0, dy = sb.shifted ? l.pressedShiftY : 0;
  UniqueBitmap tile(::CreateCompatibleBitmap(dc, size.cx, size.cy));
  {
    MemoryDC t(dc), src(dc);
    t.Select(tile.Get());
    src.Select(image);
    ::BitBlt(t.Get(), 0, 0, size.cx, size.cy, src.Get(), 0, 0, SRCCOPY);
    if (mask) {
      MemoryDC m(dc);
      m.Select(mask);
      ::SetTextColor(t.Get(), RGB(255, 255, 255));
      ::SetBkColor(t.Get(), RGB(0, 0, 0));
      ::BitBlt(t.Get(), 0, 0, size.cx, size.cy, m.Get(), 0, 0, SRCPAINT);
    }
    const ItemPresentation none;
    const ItemPresentation& look = slot.look ? *slot.look : none;
    if (HBITMAP picture = look.picture.Get()) {
      SIZE ps = BitmapSize(picture);
      Rect at = iconpanel::PicturePlacement(l, ps.cx, ps.cy);
      MemoryDC pic(dc);
      pic.Select(picture);
      if (at.Width() == ps.cx && at.Height() == ps.cy) {
        ::BitBlt(t.Get(), at.left + dx, at.top + dy, ps.cx, ps.cy, pic.Get(), 0, 0, SRCCOPY);
      } else {
        ::SetStretchBltMode(t.Get(), HALFTONE);
        ::StretchBlt(t.Get(), at.left + dx, at.top + dy, at.Width(), at.Height(), pic.Get(), 0, 0, ps.cx, ps.cy,
                     SRCCOPY);
      }
    } else if (look.icon) {
      ::DrawIcon(t.Get(), l.iconX + dx, l.iconY + dy, look.icon.Get());
    }
    if (look.kind == ItemPresentation::kMarked)
      MaskedOntoDC(t.Get(), l.overlayX + dx, l.overlayY + dy, m_theme->Bitmap(IDB_TILE_MARK),
                   m_theme->Bitmap(IDB_TILE_MARK_MASK));
    RECT name = ToRECT(l.name);
    ::OffsetRect(&name, dx, dy);
    ScopedSelect font(t.Get(), m_nameFont.Get());
    ::SetBkMode(t.Get(), TRANSPARENT);
    ::SetTextColor(t.Get(), m_nameColour);
    if (m_find.IsOpen()) {  // each result names its menu just above its name
      const int menu = Ref(p).menu;
      RECT hint{name.left, name.top - m_lineHeight - 1, name.right, name.top - 1};
      if (menu >= 0 && menu < static_cast<int>(m_data->Menus().size()))
        ::DrawTextA(t.Get(), ("[" + m_data->Menus()[static_cast<std::size_t>(menu)] + "]").c_str(), -1, &hint,
                    DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    for (const std::string& line : slot.lines) {
      RECT row{name.left, name.top, name.right, name.top + m_lineHeight};
      ::DrawTextA(t.Get(), line.c_str(), static_cast<int>(line.size()), &row, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
      name.top += m_lineHeight;
    }
  }
  // Every state is cut out through the pressed mask, so the tile's outline never jumps.
  MaskedOntoDC(dc, left, top, tile.Get(), m_theme->Bitmap(IDB_TILE_PRESSED_MASK));
}

void CIconPanelWnd::RepaintCell(int position, bool now) {
  if (position < 0) return;
  RECT cell = ToRECT(m_grid.Cell(position));
  ::InvalidateRect(m_hwnd, &cell, FALSE);
  if (now) ::UpdateWindow(m_hwnd);
}

void CIconPanelWnd::OnLButtonDown(POINT pt) {
  ::SetFocus(m_hwnd);
  int p = m_grid.TileAt(pt.x, pt.y, -1);
  if (p < 0) return;
  if (Inside(m_grid.GripRect(p), pt)) {
    m_pressed = p;
    const TileRef ref = Ref(p);
    ::SendMessageA(Parent(), UM_BEGIN_ITEM_DRAG, ref.menu, ref.position);  // returns when the drag has ended
    m_pressed = -1;
    return;
  }
  m_pressed = p;
  m_press = iconpanel::Press::kInside;
  RepaintCell(p, true);
  ::SetCapture(m_hwnd);
}

void CIconPanelWnd::OnMouseMove(POINT pt) {
  if (m_pressed < 0 || ::GetCapture() != m_hwnd) return;
  const iconpanel::Press press =
      Inside(m_grid.HitRect(m_pressed, true), pt) ? iconpanel::Press::kInside : iconpanel::Press::kOutside;
  if (press == m_press) return;
  m_press = press;
  RepaintCell(m_pressed, true);
}

void CIconPanelWnd::OnLButtonUp(POINT pt) {
  if (m_pressed < 0 || ::GetCapture() != m_hwnd) return;
  int p = m_pressed;
  if (Inside(m_grid.HitRect(p, true), pt)) {
    m_lastPressed = p;
    const TileRef ref = Ref(p);
    if (m_find.IsOpen()) ::PostMessageA(m_hwnd, UM_LAUNCH_RESULT, ref.menu, ref.position);
    else ::PostMessageA(Parent(), UM_ITEM_ACTION, IDC_ICON_PANEL, p);
  }
  m_pressed = -1;
  m_press = iconpanel::Press::kNone;
  RepaintCell(p, true);
  ::ReleaseCapture();
}

void CIconPanelWnd::OnRButtonUp(POINT pt) {
  int p = m_grid.TileAt(pt.x, pt.y, -1);
  if (p < 0) return;
  m_menuItem = m_lastPressed = p;
  auto* popup = new CItemPopupDlg(m_hwnd, m_data);
  if (!popup->Create()) delete popup;  // otherwise it deletes itself when its window is gone
}

// The tile a key acts on: the one under the pointer, else the chosen result while finding or the
// one last clicked or launched by key, else the first shown.
int CIconPanelWnd::KeyTile() const {
  for (int p : {m_hot, m_find.IsOpen() ? m_find.Chosen() : m_lastPressed, m_grid.FirstShown()})
    if (p >= 0 && p < m_grid.count) return p;
  return -1;
}

void CIconPanelWnd::TileKey(UINT command) {
  const int p = KeyTile();
  if (p < 0 || !::IsWindowEnabled(m_hwnd)) return;
  m_menuItem = p;
  if (command == ID_TILE_RENAME) return RenameMenuItem();
  if (command == ID_TILE_DELETE) return DeleteMenuItem();
  // The popup opens at the middle of the tile, scrolled into view first.
  if (!m_grid.RowVisible(p))
    SetScroll(iconpanel::ClampScroll(m_grid, (p / m_grid.Columns()) * m_grid.layout.rowHeight), false);
  const Rect r = m_grid.HitRect(p, false);
  POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(m_hwnd, &at);
  auto* popup = new CItemPopupDlg(m_hwnd, m_data, &at);
  if (!popup->Create()) delete popup;
}

bool CIconPanelWnd::OnSetCursor() {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  for (const ItemSlot& s : m_slots) {
    if (s.shown < 0 || !Inside(m_grid.GripRect(s.shown), pt)) continue;
    HCURSOR grip = m_theme ? m_theme->Cursor(IDC_GRIP) : nullptr;
    if (!grip) return false;
    ::SetCursor(grip);
    return true;
  }
  return false;
}

void CIconPanelWnd::TrackHover(POINT screen) {
  if (!m_hwnd || !m_theme) return;
  int hot = -1, grip = -1;
  if (::WindowFromPoint(screen) == m_hwnd) {
    if (m_dragOver) {
      hot = m_pressed;
    } else {
      POINT pt = screen;
      ::ScreenToClient(m_hwnd, &pt);
      hot = m_grid.TileAt(pt.x, pt.y, m_pressed);
      if (hot >= 0 && Inside(m_grid.GripRect(hot), pt)) grip = hot;
    }
  }
  if (hot != m_hot) {
    int old = m_hot;
    m_hot = hot;
    m_hotGrip = grip;
    RepaintCell(old, true);
    RepaintCell(hot, true);
  } else if (grip != m_hotGrip) {
    m_hotGrip = grip;
    RepaintCell(hot, true);
  }
}

void CIconPanelWnd::LaunchVisible(int n) {
  if (m_pressed != -1) return;
  int snapped = iconpanel::SnapToRow(m_grid);
  if (snapped != m_grid.scroll) SetScroll(snapped, false);
  int position = n + m_grid.FirstShown();
  if (position < m_grid.count) m_lastPressed = position;
  bool shown = std::any_of(m_slots.begin(), m_slots.end(), [&](const ItemSlot& s) { return s.shown == position; });
  if (shown) {
    m_pressed = position;
    m_press = iconpanel::Press::kInside;
    RepaintCell(position, true);
    ::Sleep(kKeyPressMs);
    m_pressed = -1;
    m_press = iconpanel::Press::kNone;
    RepaintCell(position, true);
  }
  if (position < m_grid.count) ::PostMessageA(Parent(), UM_ITEM_ACTION, IDC_ICON_PANEL, position);
}

RECT CIconPanelWnd::MarkRect() const {
  const iconpanel::Layout& l = m_grid.layout;
  Rect cell = m_grid.Cell(m_markPos);
  int x =
      cell.left + iconpanel::kInnerX + l.MarkOffset() - (m_markSide == iconpanel::Side::kBefore ? l.columnWidth : 0);
  int y = cell.top + iconpanel::kInnerY + l.tileY;
  return RECT{x, y, x + iconpanel::kMarkWidth, y + l.tileHeight};
}

void CIconPanelWnd::ShowMark(const iconpanel::DropPosition& d) {
  m_markPos = d.index;
  m_markSide = d.side;
  RECT r = MarkRect();
  WindowDC dc(m_hwnd);
  UniqueBrush brush(::CreateSolidBrush(m_theme->Params().panelColour));
  ::FillRect(dc.Get(), &r, brush.Get());
}

void CIconPanelWnd::RemoveMark() {
  if (m_markPos < 0) return;
  RECT r = MarkRect();
  m_markPos = -1;
  ::InvalidateRect(m_hwnd, &r, FALSE);
  ::UpdateWindow(m_hwnd);
}

bool CIconPanelWnd::DragOverFeedback(POINT client) {
  m_dragOver = true;
  iconpanel::DropPosition d = iconpanel::DropAt(m_grid, client.x, client.y);
  bool result;
  if (iconpanel::DropChangesNothing(m_pressed, d)) {
    RemoveMark();
    result = false;
  } else {
    if (d.index != m_markPos || d.side != m_markSide) {
      RemoveMark();
      ShowMark(d);
    }
    result = true;
  }
  if (client.y < kAutoScrollBand) {
    m_autoScroll = -1;
    OnVScroll(SB_LINEUP);
  } else if (client.y >= m_grid.clientHeight - kAutoScrollBand) {
    m_autoScroll = 1;
    OnVScroll(SB_LINEDOWN);
  } else {
    m_autoScroll = 0;
  }
  return result;
}

void CIconPanelWnd::DragLeaveFeedback() {
  RemoveMark();
  m_autoScroll = 0;
  m_dragOver = false;
}

void CIconPanelWnd::OnCommand(UINT id) {
  if (id == ID_ITEM_DELETE) DeleteMenuItem();
  else if (id == ID_ITEM_RENAME) RenameMenuItem();
}

std::string CIconPanelWnd::Caption() const {
  char caption[264] = {};
  ::GetWindowTextA(::GetAncestor(m_hwnd, GA_ROOT), caption, sizeof caption);
  return caption;
}

// The same confirmation as the trash's.
void CIconPanelWnd::DeleteMenuItem() {
  const TileRef ref = Ref(m_menuItem);
  const ItemRecord r = m_data->Items().Get(ref.menu, ref.position);
  if (ConfirmItemDelete(m_hwnd, r.ShownName())) m_actions->DeleteItem(ref.menu, ref.position);
}

void CIconPanelWnd::RenameMenuItem() {
  ModalGuard guard;
  const TileRef ref = Ref(m_menuItem);
  ItemRecord r = m_data->Items().Get(ref.menu, ref.position);
  CItemInfoDlg dlg(m_data, Parent());
  ItemInfo& info = dlg.Info();
  cp932::CopyBounded(info.file, sizeof info.file, r.file);
  cp932::CopyBounded(info.caption, sizeof info.caption, r.caption);
  cp932::CopyBounded(info.description, sizeof info.description, r.description);
  info.date = SYSTEMTIME{r.date.year, r.date.month,  r.date.dayOfWeek, r.date.day,
                         r.date.hour, r.date.minute, r.date.second,    r.date.milliseconds};
  if (dlg.DoModal() == IDCANCEL) return;
  // Looking at a long name and pressing OK must not cut it to the field's proposal.
  const std::string kept = iteminfo::KeptName(r.caption, cp932::TerminatedView(info.caption, sizeof info.caption));
  m_actions->RenameItem(ref.menu, ref.position, kept);
}

// Results are no menu: nothing is dropped among them.
bool CIconPanelWnd::Accepts(IDataObject* data) {
  return ::IsWindowEnabled(m_hwnd) && !m_find.IsOpen() && AcceptsLauncherDrop(data, m_cfIconItem, m_cfFilePath);
}

bool CIconPanelWnd::Hover(bool over, POINT screen) {
  if (!over) {
    DragLeaveFeedback();
    return true;
  }
  ::ScreenToClient(m_hwnd, &screen);
  return DragOverFeedback(screen);
}

bool CIconPanelWnd::Drop(IDataObject* data) { return DeliverDrop(data, m_cfIconItem, m_cfFilePath, *this, Parent()); }

int CIconPanelWnd::DropMoveItem(int menu, int item) {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  iconpanel::DropPosition d = iconpanel::DropAt(m_grid, pt.x, pt.y);
  if (iconpanel::DropChangesNothing(item, d)) return 0;
  ItemRequest r;
  r.format = m_cfIconItem;
  r.operation = ItemOperation::kMove;
  r.target = d.Insertion();
  r.fromMenu = menu;
  r.fromPosition = item;
  r.date = LocalNow();
  SendItemRequest(Parent(), IDC_ICON_PANEL, r);
  return 1;
}

// Files and addresses become items only after the user confirmed their name.
int CIconPanelWnd::AddThroughDialog(const std::string& target, const std::string& name,
                                    const std::string& description) {
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  const int insertion = iconpanel::DropAt(m_grid, pt.x, pt.y).Insertion();
  CItemInfoDlg dlg(m_data, Parent());
  PrepareNewItem(dlg.Info(), target.c_str(), name.c_str());
  cp932::CopyBounded(dlg.Info().description, sizeof dlg.Info().description, description);
  INT_PTR result;
  {
    ModalGuard guard;
    ::SetForegroundWindow(Parent());
    result = dlg.DoModal();
  }
  if (result == IDCANCEL) return 1;
  ItemRequest r;
  r.format = m_cfFilePath;
  r.target = insertion;
  cp932::CopyBounded(r.file, sizeof r.file, target);
  cp932::CopyBounded(r.caption, sizeof r.caption, dlg.Info().caption);
  cp932::CopyBounded(r.description, sizeof r.description, description);
  r.date = ToItemDate(dlg.Info().date);
  SendItemRequest(Parent(), IDC_ICON_PANEL, r);
  return 1;
}

int CIconPanelWnd::DropFile(const std::string& path) {
  SHFILEINFOA info{};
  ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
  return AddThroughDialog(path, info.szDisplayName, info.szDisplayName);
}

int CIconPanelWnd::DropUrl(const std::string& url, const char* title) {
  if (url.size() > kMaxText) {
    GuardedMessageBox(Parent(), kUrlTooLong, Caption().c_str(), MB_ICONWARNING);
    return 1;
  }
  std::string name = title ? std::string(cp932::Truncate(title, kMaxText)) : url;
  return AddThroughDialog(url, name, name);
}

// ---- type-to-find -----------------------------------------------------------------------------

TileRef CIconPanelWnd::Ref(int position) const {
  if (m_find.IsOpen()) return position >= 0 && position < m_find.Count() ? m_find.At(position) : TileRef{-1, -1};
  return TileRef{m_data->CurrentMenu(), position};
}

bool CIconPanelWnd::FindMessage(const MSG& msg) {
  if (!m_hwnd || !::IsWindowVisible(m_hwnd) || !::IsWindowEnabled(m_hwnd)) return false;
  switch (msg.message) {
    case WM_IME_CHAR:
      if (!m_find.IsOpen()) OpenFind();
      if (m_find.AddDoubleByte(static_cast<unsigned short>(msg.wParam))) ShowResults();
      return true;
    case WM_CHAR: {
      const auto c = static_cast<unsigned char>(msg.wParam);
      if (!m_find.IsOpen()) {
        if (c <= 0x20 || c == 0x7F) return false;  // a space or a control key opens nothing
        OpenFind();
      }
      if (m_find.AddByte(c)) ShowResults();
      return true;  // Enter, Esc and Backspace come as keys, below
    }
    case WM_KEYDOWN: {
      if (!m_find.IsOpen()) return false;
      const int columns = m_grid.Columns();
      switch (msg.wParam) {
        case VK_ESCAPE: CloseFind(true); return true;
        case VK_BACK:
          if (m_find.Backspace()) m_find.Text().empty() ? CloseFind(true) : ShowResults();
          return true;
        case VK_RETURN:
          if (m_find.Count() > 0) {
            const TileRef ref = m_find.At(m_find.Chosen());
            ::PostMessageA(m_hwnd, UM_LAUNCH_RESULT, ref.menu, ref.position);
          }
          return true;
        case VK_LEFT: MoveChoice(-1); return true;
        case VK_RIGHT: MoveChoice(1); return true;
        case VK_UP: MoveChoice(-columns); return true;
        case VK_DOWN: MoveChoice(columns); return true;
        default: return false;
      }
    }
    default: return false;
  }
}

void CIconPanelWnd::OpenFind() {
  m_scrollBeforeFind = m_grid.scroll;
  m_find.Open(*m_data);
  ReadLayout();
  ShowResults();
}

// Esc, an emptied text or a launch: the menu comes back as it was, scrolled where it was.
void CIconPanelWnd::CloseFind(bool restore) {
  if (!m_find.IsOpen()) return;
  m_find.Close();
  ReadLayout();
  m_lastPressed = -1;  // it counted among the results
  if (restore) m_grid.scroll = m_scrollBeforeFind;
  RefreshItems(false);
}

void CIconPanelWnd::ShowResults() {
  for (ItemSlot& s : m_slots) s.Release();
  m_grid.count = m_find.Count();
  m_grid.scroll = 0;
  m_lastPressed = -1;
  AssignSlots();
  UpdateScrollBar();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CIconPanelWnd::MoveChoice(int by) {
  const int old = m_find.Chosen();
  m_find.Choose(old + by);
  const int now = m_find.Chosen();
  if (now == old) return;
  if (!m_grid.RowVisible(now) || m_grid.Cell(now).top < StripHeight())
    SetScroll(iconpanel::ClampScroll(m_grid, (now / m_grid.Columns()) * m_grid.layout.rowHeight), false);
  RepaintCell(old, false);
  RepaintCell(now, true);
}

// The strip across the top of the panel in the colours of the theme's edit fields, with the
// typed text and a caret.
void CIconPanelWnd::DrawStrip(HDC dc) const {
  RECT band{0, 0, m_grid.clientWidth, StripHeight()};
  UniqueBrush back(::CreateSolidBrush(m_theme->Colour(IDS_DLG_EDIT_BACK_COLOR, RGB(255, 255, 255))));
  ::FillRect(dc, &band, back.Get());
  UniqueBrush frame(::CreateSolidBrush(m_nameColour));
  RECT inner{band.left + 4, band.top + 3, band.right - 4, band.bottom - 3};
  ::FrameRect(dc, &inner, frame.Get());
  ScopedSelect font(dc, m_nameFont.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, m_theme->Colour(IDS_DLG_EDIT_TEXT_COLOR, RGB(0, 0, 0)));
  const std::string shown = "\x8C\x9F\x8D\xF5: " + m_find.Text() + "_";  // "検索: "
  RECT text{inner.left + 6, inner.top, inner.right - 6, inner.bottom};
  ::DrawTextA(dc, shown.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
}
