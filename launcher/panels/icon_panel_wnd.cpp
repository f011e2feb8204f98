#include "launcher/panels/icon_panel_wnd.h"

#include <algorithm>
#include <utility>

#include "common/theme_ids.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "launcher/skin/cut_tips.h"
#include "launcher/skin/scroll_skin.h"

namespace {

constexpr char kPanelClass[] = "ToplexIconPanel";

}  // namespace

void CIconPanelWnd::AttachData(const CLaunchData* data, LauncherActions* actions) {
  m_data = data;
  m_actions = actions;
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
    case UM_OPEN_TILE:
      CloseFind(true);
      m_actions->LaunchItem(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case WM_TIMER:
      if (wParam == IDT_KEY_PRESS) EndKeyPress();
      return 0;
    case UM_POPUP_CLOSED: RepaintCell(std::exchange(m_popupTile, -1), false); return 0;
    case UM_TARGETS_CHECKED:
      if (m_checks.TakeResults()) ::InvalidateRect(m_hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(pt); return 0;
    case WM_RBUTTONUP: OnRButtonUp(pt); return 0;
    case WM_SETCURSOR: return OnSetCursor() ? TRUE : Default(msg, wParam, lParam);
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: OnFocusChange(); return 0;
    case WM_GETOBJECT:
      if (LRESULT object = m_access.Answer(wParam, lParam)) return object;
      break;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->hwndFrom != m_tips || hdr->code != TTN_GETDISPINFOA || hdr->idFrom >= m_slots.size()) break;
      const ItemSlot& s = m_slots[hdr->idFrom];
      // A gone target says so, and where it was; else a name drawn cut shows whole.
      if (s.look && m_checks.Missing(s.look->target)) {
        m_tipText = "ファイルが見つかりません: " + s.look->target;
        cuttips::Answer(lParam, m_tipText.c_str());
      } else {
        cuttips::Answer(lParam, s.cut ? s.caption : nullptr);
      }
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
  m_access.Attach(m_hwnd, this);
  m_checks.SetWindow(m_hwnd, UM_TARGETS_CHECKED);
  InstallScrollBarSkin(m_hwnd, IDB_SCROLL_PANEL);
  ApplyTheme(false);
  return 0;
}

void CIconPanelWnd::OnDestroy() {
  m_access.Disconnect();
  m_drop.Revoke();
  for (ItemSlot& s : m_slots) s.Release();
}

void CIconPanelWnd::ReadLayout() {
  const theme::Params& p = m_theme->Params();
  iconpanel::Layout& l = m_grid.layout;
  const iconpanel::Layout at96;
  l.innerX = m_theme->Px(at96.innerX);
  l.innerY = m_theme->Px(at96.innerY);
  l.lineStep = m_theme->Px(at96.lineStep);
  l.markWidth = m_theme->Px(at96.markWidth);
  l.pressedShiftX = p.panelValue1;
  l.pressedShiftY = p.panelValue2;
  l.overlayX = p.panelValue3;
  l.overlayY = p.panelValue4;
  l.originX = p.panelValues2[0] - l.innerX;
  l.originY = p.panelValues2[1] - l.innerY;
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
  m_nameColour = contrast::On() ? contrast::Colour(contrast::SystemColour::kWindowText)
                                : static_cast<COLORREF>(m_theme->Params().fontB.colour1);
  m_markPos = -1;
  if (!full) return;
  ::EnableWindow(m_hwnd, !m_data->Menus().empty());
  UpdateScrollBar();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
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
  TilesReplaced();
}

TileRef CIconPanelWnd::Ref(int position) const {
  if (m_find.IsOpen()) return position >= 0 && position < m_find.Count() ? m_find.At(position) : TileRef{-1, -1};
  return TileRef{m_data->CurrentMenu(), position};
}

void CIconPanelWnd::OnCommand(UINT id) {
  const TileRef ref = Ref(m_menuItem);
  if (id == ID_ITEM_DELETE) DeleteMenuItem();
  else if (id == ID_ITEM_RENAME) RenameMenuItem();
  else if (id == ID_ITEM_OPEN) ::PostMessageA(m_hwnd, UM_OPEN_TILE, ref.menu, ref.position);
  else if (id == ID_ITEM_LOCATE) LocateMenuItem();
}
