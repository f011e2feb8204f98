#include "launcher/menus/menu_wnd.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

#include "common/theme_ids.h"
#include "common/ui/no_erase_button.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "common/cp932.h"
#include "common/win/modal_guard.h"
#include "launcher/base/item_request.h"
#include "launcher/menus/item_drop.h"
#include "launcher/skin/cut_tips.h"
#include "launcher/skin/draw.h"

namespace {
constexpr char kColumnClass[] = "CMenuWndClass";
constexpr DWORD kButtonStyle = WS_CLIPSIBLINGS;                    // owner-drawn child, shown when it has a menu
constexpr int kPrevSet = IDB_MENU_PREV, kNextSet = IDB_MENU_NEXT;  // normal, pressed, disabled, hover
constexpr char kPrevName[] = "前のページ", kNextName[] = "次のページ";
}  // namespace

bool CMenuWnd::CreateColumn(HWND parent, HINSTANCE inst) {
  static bool registered =
      CWnd::RegisterClass(kColumnClass, inst, nullptr, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  (void)registered;
  RECT none{0, 0, 0, 0};
  return Create(kColumnClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, none, parent, inst) !=
         nullptr;
}

LRESULT CMenuWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_ERASEBKGND: OnEraseBackground(reinterpret_cast<HDC>(wParam)); return 1;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code != TTN_GETDISPINFOA) break;
      cuttips::Answer(lParam, TipText(reinterpret_cast<HWND>(reinterpret_cast<const NMHDR*>(lParam)->idFrom)));
      return 0;
    case WM_GETOBJECT:
      if (LRESULT object = m_access.Answer(wParam, lParam)) return object;
      break;
    case UM_SWITCH_MENU: SwitchTo(static_cast<int>(wParam)); return 0;
    case WM_SETFOCUS:
      m_pages.StartFocus();
      RepaintFocus();
      if (m_pages.Focus() >= 0) m_access.Notify(EVENT_OBJECT_FOCUS, m_pages.Focus());
      return 0;
    case WM_KILLFOCUS: RepaintFocus(); return 0;
    default: break;
  }
  return Default(msg, wParam, lParam);
}

int CMenuWnd::OnCreate() {
  ApplyTheme(false);
  // Every button a theme may ask for is made once; a theme change only moves and shows them.
  for (int k = 0; k < MenuPages::kMaxPerPage; ++k)
    m_menuButtons[k] = CNoEraseButton::Create(m_hwnd, IDC_MENU_FIRST + k, "", kButtonStyle, 0, 0, 0, 0);
  m_prev = CNoEraseButton::Create(m_hwnd, IDC_MENU_PREV_PAGE, kPrevName, kButtonStyle, 0, 0, 0, 0);
  m_next = CNoEraseButton::Create(m_hwnd, IDC_MENU_NEXT_PAGE, kNextName, kButtonStyle, 0, 0, 0, 0);
  m_access.Attach(m_hwnd, this);
  for (int k = 0; k < MenuPages::kMaxPerPage; ++k) {
    m_drops[k].column = this;
    m_drops[k].k = k;
    m_registrations[k].Register(m_menuButtons[k], m_drops[k]);
  }
  LayOutButtons();
  RefreshNames();
  RefreshButtons();
  return 0;
}

void CMenuWnd::AttachTips(HWND tooltip) {
  for (HWND b : m_menuButtons) cuttips::AddTool(tooltip, m_hwnd, reinterpret_cast<UINT_PTR>(b), nullptr);
  for (HWND b : {m_prev, m_next}) cuttips::AddTool(tooltip, m_hwnd, reinterpret_cast<UINT_PTR>(b), nullptr);
}

// A page button's name; the name of a button's menu when the button draws it cut; else null.
const char* CMenuWnd::TipText(HWND button) const {
  if (button == m_prev) return kPrevName;
  if (button == m_next) return kNextName;
  const int k = ::GetDlgCtrlID(button) - IDC_MENU_FIRST;
  if (k < 0 || k >= MenuPages::kMaxPerPage || m_names[k].empty()) return nullptr;
  MemoryDC measure(nullptr);
  ScopedSelect font(measure.Get(), m_font.Get());
  const int room = m_menuSize.cx - 2;  // the text box of OnDrawItem
  return cuttips::MeasureIn(measure.Get())(m_names[k]) > room ? m_names[k].c_str() : nullptr;
}

// The buttons at the current theme's sizes: the previous-page button, the page's menu buttons
// and the next-page button, one under the other.
void CMenuWnd::LayOutButtons() {
  if (!m_prev) return;
  ::MoveWindow(m_prev, 0, 0, m_prevSize.cx, m_prevSize.cy, FALSE);
  for (int k = 0; k < MenuPages::kMaxPerPage; ++k)
    ::MoveWindow(m_menuButtons[k], 0, m_prevSize.cy + k * m_menuSize.cy, m_menuSize.cx, m_menuSize.cy, FALSE);
  ::MoveWindow(m_next, 0, m_prevSize.cy + m_pages.PerPage() * m_menuSize.cy, m_nextSize.cx, m_nextSize.cy, FALSE);
}

void CMenuWnd::OnDestroy() {
  m_access.Disconnect();
  for (DropRegistration& r : m_registrations) r.Revoke();
  for (HWND& b : m_menuButtons)
    if (b) ::DestroyWindow(std::exchange(b, nullptr));
  if (m_prev) ::DestroyWindow(std::exchange(m_prev, nullptr));
  if (m_next) ::DestroyWindow(std::exchange(m_next, nullptr));
}

// Where a page has fewer menus than buttons, the panel's own picture shows through rather than
// a grey gap.
void CMenuWnd::OnEraseBackground(HDC dc) {
  if (contrast::On()) return contrast::FillSurface(m_hwnd, dc, false);
  RECT rc;
  ::GetClientRect(m_hwnd, &rc);
  POINT at{0, 0};
  ::MapWindowPoints(m_hwnd, ::GetParent(m_hwnd), &at, 1);
  HBITMAP back = m_data->Theme().Bitmap(IDB_PANEL_BACK);
  if (!back) {
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    return;
  }
  MemoryDC src(dc);
  src.Select(back);
  ::BitBlt(dc, 0, 0, rc.right, rc.bottom, src.Get(), at.x, at.y, SRCCOPY);
}

void CMenuWnd::ApplyTheme(bool redraw) {
  const CTheme& t = m_data->Theme();
  m_menuSize = BitmapSize(t.Bitmap(IDB_MENU_BUTTON));
  m_prevSize = BitmapSize(t.Bitmap(kPrevSet));
  m_nextSize = BitmapSize(t.Bitmap(kNextSet));
  m_font = CreateThemeFont(t.Params().fontC);
  m_text = t.Params().fontC.colour1;
  m_shadow = t.Params().fontC.colour2;
  m_pages.SetPerPage(t.Params().menusPerPage);
  LayOutButtons();
  if (!redraw) return;
  for (HWND b : m_menuButtons) ::InvalidateRect(b, nullptr, TRUE);
  ::InvalidateRect(m_prev, nullptr, TRUE);
  ::InvalidateRect(m_next, nullptr, TRUE);
}

void CMenuWnd::MoveTo(int x, int y) {
  int height = m_prevSize.cy + m_pages.PerPage() * m_menuSize.cy + m_nextSize.cy;
  ::MoveWindow(m_hwnd, x, y, m_menuSize.cx, height, TRUE);
}

void CMenuWnd::SetCurrentMenu(int index) {
  m_pages.SetCurrent(index, static_cast<int>(m_data->Menus().size()));
  RefreshNames();
  RefreshButtons();
  m_access.Notify(EVENT_OBJECT_REORDER, -1);
  m_access.Notify(EVENT_OBJECT_SELECTION, m_pages.Current());
}

void CMenuWnd::RefreshNames() {
  const auto& menus = m_data->Menus();
  for (int k = 0; k < MenuPages::kMaxPerPage; ++k) {
    int index = m_pages.MenuOf(k);
    m_names[k] = (k < m_pages.PerPage() && index < static_cast<int>(menus.size())) ? menus[index] : std::string();
  }
}

void CMenuWnd::RefreshButtons() {
  for (int k = 0; k < MenuPages::kMaxPerPage; ++k) {
    bool shown = m_pages.ButtonShown(k);
    ::ShowWindow(m_menuButtons[k], shown ? SW_SHOW : SW_HIDE);
    if (shown) ::InvalidateRect(m_menuButtons[k], nullptr, FALSE);
  }
  ::EnableWindow(m_prev, m_pages.PreviousEnabled());
  ::EnableWindow(m_next, m_pages.NextEnabled());
  ::ShowWindow(m_prev, SW_SHOW);
  ::ShowWindow(m_next, SW_SHOW);
  ::InvalidateRect(m_prev, nullptr, FALSE);
  ::InvalidateRect(m_next, nullptr, FALSE);
}

void CMenuWnd::OnCommand(UINT id) {
  if (id == IDC_MENU_PREV_PAGE) {
    m_pages.PreviousPage();
  } else if (id == IDC_MENU_NEXT_PAGE) {
    m_pages.NextPage();
  } else if (id >= static_cast<UINT>(IDC_MENU_FIRST) &&
             id < static_cast<UINT>(IDC_MENU_FIRST + MenuPages::kMaxPerPage)) {
    ChooseMenu(static_cast<int>(id) - IDC_MENU_FIRST);
    return;
  } else {
    return;
  }
  RefreshNames();
  RefreshButtons();
}

// The wheel turns the column's pages, a page per notch, as the page buttons do.
void CMenuWnd::OnMouseWheel(int delta) {
  for (int n = m_wheel.Add(delta); n != 0; n += n > 0 ? -1 : 1)
    OnCommand(n > 0 ? IDC_MENU_PREV_PAGE : IDC_MENU_NEXT_PAGE);
}

void CMenuWnd::ChooseMenu(int k) {
  if (k >= m_pages.PerPage()) return;
  const int left = m_pages.CurrentOnPage() ? IDC_MENU_FIRST + m_pages.Current() - m_pages.First() : 0;
  if (m_pages.Choose(k) < 0) return;
  // Painted only once the choice has moved, or the button left behind keeps its chosen look.
  if (left) Repaint(left);
  Repaint(IDC_MENU_FIRST + k);
  m_access.Notify(EVENT_OBJECT_SELECTION, m_pages.Current());
  m_actions->ChooseMenu(m_pages.Current());
}

// A screen reader's 切り替え: as a click on the menu's button, turning to its page first.
void CMenuWnd::SwitchTo(int menu) {
  if (menu < 0 || menu >= m_pages.Total() || menu == m_pages.Current()) return;
  m_pages.SetCurrent(menu, m_pages.Total());
  Announce();
}

bool CMenuWnd::FocusKey(UINT vk) {
  const int total = m_pages.Total();
  int by;
  switch (vk) {
    case VK_UP: by = -1; break;
    case VK_DOWN: by = 1; break;
    case VK_HOME: by = -total; break;
    case VK_END: by = total; break;
    case VK_PRIOR: by = -m_pages.PerPage(); break;
    case VK_NEXT: by = m_pages.PerPage(); break;
    case VK_RETURN:
    case VK_SPACE: SwitchTo(m_pages.Focus()); return true;
    default: return false;
  }
  const int first = m_pages.First(), old = m_pages.Focus();
  if (!m_pages.MoveFocus(by)) return true;
  if (m_pages.First() != first) {
    RefreshNames();
    RefreshButtons();
  } else {
    Repaint(IDC_MENU_FIRST + old - first);
    RepaintFocus();
  }
  m_access.Notify(EVENT_OBJECT_FOCUS, m_pages.Focus());
  return true;
}

void CMenuWnd::RepaintFocus() {
  const int k = m_pages.Focus() - m_pages.First();
  if (k >= 0 && k < m_pages.PerPage()) Repaint(IDC_MENU_FIRST + k);
}

void CMenuWnd::Announce() {
  RefreshNames();
  RefreshButtons();
  m_access.Notify(EVENT_OBJECT_SELECTION, m_pages.Current());
  m_actions->ChooseMenu(m_pages.Current());
}

bool CMenuWnd::ButtonDrop::Accepts(IDataObject* data) {
  return AcceptsLauncherDrop(data, column->m_cfIconItem, column->m_cfFilePath);
}

bool CMenuWnd::ButtonDrop::Hover(bool over, POINT) {
  if (over != lit) {
    lit = over;
    ::InvalidateRect(column->m_menuButtons[k], nullptr, FALSE);
  }
  return true;
}

bool CMenuWnd::ButtonDrop::Drop(IDataObject* data) {
  return DeliverDrop(data, column->m_cfIconItem, column->m_cfFilePath, *this, ::GetParent(column->m_hwnd));
}

void CMenuWnd::SelectPrevious() {
  if (m_pages.SelectPrevious()) Announce();
}

void CMenuWnd::SelectNext() {
  if (m_pages.SelectNext()) Announce();
}

HWND CMenuWnd::ButtonOf(int id) const {
  if (id == IDC_MENU_PREV_PAGE) return m_prev;
  if (id == IDC_MENU_NEXT_PAGE) return m_next;
  int k = id - IDC_MENU_FIRST;
  return (k >= 0 && k < MenuPages::kMaxPerPage) ? m_menuButtons[k] : nullptr;
}

void CMenuWnd::Repaint(int id) {
  if (HWND b = ButtonOf(id)) {
    ::InvalidateRect(b, nullptr, FALSE);
    ::UpdateWindow(b);
  }
}

bool CMenuWnd::TrackHover(POINT screen) {
  HWND under = ::WindowFromPoint(screen);
  int hot = 0;
  if (under && under == m_prev) hot = IDC_MENU_PREV_PAGE;
  else if (under && under == m_next) hot = IDC_MENU_NEXT_PAGE;
  for (int k = 0; k < m_pages.PerPage() && !hot; ++k)
    if (under && under == m_menuButtons[k]) hot = IDC_MENU_FIRST + k;
  if (hot != m_hotId && ::GetKeyState(VK_LBUTTON) >= 0) {
    int old = m_hotId;
    m_hotId = hot;
    if (old) Repaint(old);
    if (hot) Repaint(hot);
  }
  return hot != 0;
}

// An owner-drawn button's rectangle is its whole client area, so drawing starts at 0, 0.
void CMenuWnd::OnDrawItem(const DRAWITEMSTRUCT* d) {
  if (contrast::On()) return DrawPlain(d);
  const CTheme& t = m_data->Theme();
  const int id = static_cast<int>(d->CtlID);
  const bool pressed = d->itemState & ODS_SELECTED, disabled = d->itemState & ODS_DISABLED;
  const bool paging = id == IDC_MENU_PREV_PAGE || id == IDC_MENU_NEXT_PAGE;
  const int k = id - IDC_MENU_FIRST;
  if (!paging && (k < 0 || k >= m_pages.PerPage())) return;
  const int w = d->rcItem.right - d->rcItem.left, h = d->rcItem.bottom - d->rcItem.top;
  OffscreenPaint buffer(d->hDC, d->rcItem);
  const HDC dc = buffer.Dc();
  if (paging) {
    int set = id == IDC_MENU_PREV_PAGE ? kPrevSet : kNextSet;
    int state = disabled ? 2 : pressed ? 1 : m_hotId == id ? 3 : 0;
    BlitBitmap(dc, 0, 0, t.Bitmap(set + state));
    return;
  }
  const bool dragOver = k < MenuPages::kMaxPerPage && m_drops[k].lit;
  bool selected = !dragOver && (pressed || m_pages.IsCurrentButton(k));
  int image = dragOver        ? IDB_MENU_BUTTON_HOVER
              : selected      ? IDB_MENU_BUTTON_SELECTED
              : m_hotId == id ? IDB_MENU_BUTTON_HOVER
                              : IDB_MENU_BUTTON;
  BlitBitmap(dc, 0, 0, t.Bitmap(image));
  ScopedSelect font(dc, m_font.Get());
  ::SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (!selected) {  // the selected button stands flat, without a shadow
    RECT shadow{2, 2, w, h};
    ::SetTextColor(dc, m_shadow);
    ::DrawTextA(dc, m_names[k].c_str(), -1, &shadow, format);
  }
  RECT text{1, 1, w - 1, h - 1};
  ::SetTextColor(dc, m_text);
  ::DrawTextA(dc, m_names[k].c_str(), -1, &text, format);
  if (m_pages.MenuOf(k) == m_pages.Focus() && FocusShown(m_hwnd)) {
    RECT frame{0, 0, w, h};
    const int px = m_data->Theme().Px(2);
    ::InflateRect(&frame, -px, -px);
    DrawFocusFrame(dc, frame, px, m_text);
  }
}

int CMenuWnd::DropMoveItem(int k, int menu, int item) {
  const int target = m_pages.MenuOf(k);
  if (target == menu) return 0;  // a drop on the item's own menu changes nothing
  return MoveDroppedTile(Receiver(), ItemOperation::kNone, target, menu, item);
}

DropReceiver CMenuWnd::Receiver() const {
  return DropReceiver{m_data, ::GetParent(m_hwnd), Frame(), IDC_MENU_COLUMN, m_cfIconItem, m_cfFilePath};
}

int CMenuWnd::DropFile(int k, const std::string& path) { return AddDroppedFile(Receiver(), m_pages.MenuOf(k), path); }

int CMenuWnd::DropUrl(int k, const std::string& url, const char* title) {
  return AddDroppedUrl(Receiver(), m_pages.MenuOf(k), url, title);
}

HWND CMenuWnd::PageButton(int element) const {
  const int past = element - m_pages.Total();
  return past == 0 ? m_prev : past == 1 ? m_next : nullptr;
}

std::string CMenuWnd::ElementName(int i) const {
  if (HWND b = PageButton(i)) return b == m_prev ? kPrevName : kNextName;
  const auto& menus = m_data->Menus();
  return i >= 0 && i < static_cast<int>(menus.size()) ? menus[static_cast<std::size_t>(i)] : std::string();
}

long CMenuWnd::ElementState(int i) const {
  if (HWND b = PageButton(i)) return ::IsWindowEnabled(b) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
  long state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (i == m_pages.Current()) state |= STATE_SYSTEM_SELECTED;
  if (i == m_pages.Focus() && ::GetFocus() == m_hwnd) state |= STATE_SYSTEM_FOCUSED;
  if (i < m_pages.First() || i >= m_pages.First() + m_pages.PerPage()) state |= STATE_SYSTEM_OFFSCREEN;
  return state;
}

// Where the element's button stands; a menu of another page has none.
RECT CMenuWnd::ElementPlace(int i) const {
  HWND b = PageButton(i);
  const int k = i - m_pages.First();
  if (!b && k >= 0 && k < m_pages.PerPage()) b = m_menuButtons[k];
  RECT rc{};
  if (!b) return rc;
  ::GetWindowRect(b, &rc);
  ::MapWindowPoints(nullptr, m_hwnd, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

const char* CMenuWnd::ElementAction(int i) const {
  if (HWND b = PageButton(i)) return ::IsWindowEnabled(b) ? "押す" : nullptr;
  return "切り替え";
}

void CMenuWnd::DoElementAction(int i) {
  if (HWND b = PageButton(i)) ::PostMessageA(m_hwnd, WM_COMMAND, static_cast<WPARAM>(::GetDlgCtrlID(b)), 0);
  else ::PostMessageA(m_hwnd, UM_SWITCH_MENU, static_cast<WPARAM>(i), 0);
}

int CMenuWnd::ElementAt(POINT client) const {
  HWND under = ::ChildWindowFromPointEx(m_hwnd, client, CWP_SKIPINVISIBLE);
  if (under == m_prev) return m_pages.Total();
  if (under == m_next) return m_pages.Total() + 1;
  for (int k = 0; k < m_pages.PerPage(); ++k)
    if (under == m_menuButtons[k] && m_pages.ButtonShown(k)) return m_pages.MenuOf(k);
  return -1;
}
