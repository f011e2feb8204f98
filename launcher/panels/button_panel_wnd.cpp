#include "launcher/panels/button_panel_wnd.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "common/theme_ids.h"
#include "common/ui/no_erase_button.h"
#include "common/win/gdi.h"
#include "common/win/high_contrast.h"
#include "launcher/base/resource.h"
#include "launcher/panels/popup_dlg.h"
#include "launcher/skin/cut_tips.h"
#include "launcher/skin/draw.h"

namespace {

constexpr char kPanelClass[] = "ToplexButtonPanel";
// Theme coordinates start at the panel's client origin as the frame places it: (3, 21).
constexpr int kThemeDx = 3, kThemeDy = 21;  // the panel's origin in the theme's places, at 96 DPI
constexpr int kTrashDragImage = 25128;
constexpr int kFinderExeId = 9;

// Each button's name is its window text and its tip, and what screen readers say; the pictures
// carry no text but the user's name.
struct ToolButton {
  int id;
  const char* name;
};
constexpr ToolButton kButtons[] = {{IDC_TOOL_USER, nullptr},
                                   {IDC_TOOL_LR, "広い表示と狭い表示の切り替え"},
                                   {IDC_TOOL_LUPE, "ファイルから追加"},
                                   {IDC_TOOL_EDIT, "編集"},
                                   {IDC_TOOL_HELP, "ヘルプ"},
                                   {IDC_TOOL_TRASH, "ごみ箱"}};

std::string UserButtonName(const std::string& user) { return "ユーザー: " + user + " (一覧を開く)"; }

}  // namespace

void CButtonPanelWnd::AttachData(const CLaunchData* data, LauncherActions* actions, UINT itemFormat, UINT pathFormat) {
  m_data = data;
  m_actions = actions;
  m_users.AttachData(data, actions);
  m_cfIconItem = itemFormat;
  m_menu.AttachData(data, actions);
  m_menu.SetFormats(itemFormat, pathFormat);
  m_trash.panel = this;
}

bool CButtonPanelWnd::TrashDrop::Hover(bool over, POINT) {
  if (over != panel->m_trashHot) panel->SetTrashHighlight(over);
  return true;
}

bool CButtonPanelWnd::TrashDrop::Drop(IDataObject* data) {
  const std::optional<droprules::ItemRef> item = DraggedItem(data, panel->m_cfIconItem);
  if (!item) return false;
  const ItemRecord r = panel->m_data->Items().Get(item->menu, item->position);
  if (ConfirmItemDelete(panel->Button(IDC_TOOL_TRASH), r.ShownName()))
    panel->m_actions->DeleteItem(item->menu, item->position);
  return true;
}

bool CButtonPanelWnd::CreatePanel(HWND parent, const RECT& rc, HINSTANCE inst) {
  m_inst = inst;
  static bool registered = CWnd::RegisterClass(kPanelClass, inst, nullptr, nullptr);
  (void)registered;
  return Create(kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, rc, parent, inst) !=
         nullptr;
}

LRESULT CButtonPanelWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_ERASEBKGND: OnEraseBackground(reinterpret_cast<HDC>(wParam)); return 1;
    case WM_PAINT: ::ValidateRect(m_hwnd, nullptr); return 0;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code != TTN_GETDISPINFOA) return Default(msg, wParam, lParam);
      OnTipText(lParam);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_USER_LIST) m_users.OnNotify(HIWORD(wParam));
      else OnCommand(LOWORD(wParam));
      return 0;
    case WM_CTLCOLORLISTBOX:
      if (reinterpret_cast<HWND>(lParam) == m_users.Handle())
        return reinterpret_cast<LRESULT>(m_users.OnColour(reinterpret_cast<HDC>(wParam)));
      return Default(msg, wParam, lParam);
    default: return Default(msg, wParam, lParam);
  }
}

int CButtonPanelWnd::OnCreate() {
  for (const ToolButton& b : kButtons) {
    const std::string name = b.name ? b.name : UserButtonName(m_data->UserName());
    CNoEraseButton::Create(m_hwnd, b.id, name.c_str(), WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0);
  }
  m_trashDrop.Register(Button(IDC_TOOL_TRASH), m_trash);
  m_tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, m_inst, nullptr);
  for (const ToolButton& b : kButtons)
    cuttips::AddTool(m_tooltip, m_hwnd, reinterpret_cast<UINT_PTR>(Button(b.id)), nullptr);
  m_menu.CreateColumn(m_hwnd, m_inst);
  m_menu.AttachTips(m_tooltip);
  ApplyTheme(false);
  return 0;
}

// A button's tip is its name.
void CButtonPanelWnd::OnTipText(LPARAM notify) {
  char name[264] = {};
  ::GetWindowTextA(reinterpret_cast<HWND>(reinterpret_cast<const NMHDR*>(notify)->idFrom), name, sizeof name);
  m_tipText = name;
  cuttips::Answer(notify, m_tipText.c_str());
}

void CButtonPanelWnd::OnDestroy() {
  m_trashDrop.Revoke();
  for (const ToolButton& b : kButtons)
    if (HWND w = Button(b.id)) ::DestroyWindow(w);
  if (m_tooltip) ::DestroyWindow(m_tooltip);
  m_tooltip = nullptr;
  if (m_menu.Handle()) ::DestroyWindow(m_menu.Handle());
}

bool CButtonPanelWnd::PreTranslateMessage(MSG* msg) {
  if (m_tooltip && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
    ::SendMessageA(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  // A press on the user-name button while its list is open closes the list and goes no further,
  // so the click that follows does not open it again.
  if ((msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONDBLCLK) && msg->hwnd == Button(IDC_TOOL_USER) &&
      m_users.IsOpen()) {
    m_users.Close();
    return true;
  }
  return m_users.PreTranslateMessage(msg);
}

Rect CButtonPanelWnd::ThemeRect(int id) const {
  const theme::Params& p = m_data->Theme().Params();
  switch (id) {
    case IDC_TOOL_USER: return p.userButton;
    case IDC_TOOL_LR: return p.toolButton1;
    case IDC_TOOL_HELP: return p.toolButton2;
    case IDC_TOOL_EDIT: return p.toolButton3;
    case IDC_TOOL_LUPE: return p.toolButton4;
    case IDC_TOOL_TRASH: return p.toolButton5;
    default: return Rect{};
  }
}

void CButtonPanelWnd::ApplyTheme(bool full) {
  m_menu.ApplyTheme(full);
  const CTheme& t = m_data->Theme();
  const theme::Params& p = t.Params();
  m_menu.MoveTo(p.menuColumnX - t.Px(kThemeDx), p.menuColumnY - t.Px(kThemeDy));
  m_menu.SetCurrentMenu(m_data->CurrentMenu());
  LayOut();
  if (!full) return;
  ::SetWindowTextA(Button(IDC_TOOL_USER), UserButtonName(m_data->UserName()).c_str());
  for (const ToolButton& b : kButtons) Repaint(b.id);
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CButtonPanelWnd::LayOut() {
  const CTheme& t = m_data->Theme();
  for (const ToolButton& b : kButtons) {
    Rect r = ThemeRect(b.id);
    ::MoveWindow(Button(b.id), r.left - t.Px(kThemeDx), r.top - t.Px(kThemeDy), r.Width(), r.Height(), TRUE);
  }
}

void CButtonPanelWnd::OnEraseBackground(HDC dc) {
  if (contrast::On()) return contrast::FillSurface(m_hwnd, dc, false);
  const CTheme& t = m_data->Theme();
  BlitBitmap(dc, 0, 0, t.Bitmap(IDB_PANEL_BACK));
  const theme::Params& p = t.Params();
  BlitBitmap(dc, p.buttonPanelBackX - t.Px(kThemeDx), p.buttonPanelBackY - t.Px(kThemeDy), t.Bitmap(IDB_PANEL_PICTURE));
}

void CButtonPanelWnd::OnDrawItem(const DRAWITEMSTRUCT* d) {
  if (contrast::On()) return DrawPlain(d);
  const CTheme& t = m_data->Theme();
  const int id = static_cast<int>(d->CtlID);
  const bool pressed = d->itemState & ODS_SELECTED;
  int set;
  switch (id) {
    case IDC_TOOL_USER: set = IDB_USER_BUTTON; break;
    case IDC_TOOL_LR: set = m_data->IsWide() ? IDB_TOOL_LR_SHOWN : IDB_TOOL_LR_HIDDEN; break;
    case IDC_TOOL_LUPE: set = IDB_TOOL_LUPE; break;
    case IDC_TOOL_EDIT: set = IDB_TOOL_EDIT; break;
    case IDC_TOOL_HELP: set = IDB_TOOL_HELP; break;
    case IDC_TOOL_TRASH: set = IDB_TOOL_TRASH; break;
    default: return;
  }
  int state = pressed ? 1 : (m_hotId == id ? 3 : 0);
  int image = set + state, mask = set + 4 + state;
  if (id == IDC_TOOL_TRASH) {
    image = m_trashHot ? kTrashDragImage : IDB_TOOL_TRASH;
    mask = image + 4;
  }
  const int w = d->rcItem.right - d->rcItem.left, h = d->rcItem.bottom - d->rcItem.top;
  OffscreenPaint buffer(d->hDC, d->rcItem);  // a button's rectangle starts at 0, 0
  const HDC dc = buffer.Dc();
  // The panel background under the button, then the button through its mask.
  Rect r = ThemeRect(id);
  {
    MemoryDC back(d->hDC);
    back.Select(t.Bitmap(IDB_PANEL_BACK));
    ::BitBlt(dc, 0, 0, w, h, back.Get(), r.left - t.Px(kThemeDx), r.top - t.Px(kThemeDy), SRCCOPY);
  }
  MaskedOntoDC(dc, 0, 0, t.Bitmap(image), t.Bitmap(mask));
  if (id == IDC_TOOL_USER) {
    const theme::ThemeFont& f = t.Params().fontD;
    UniqueFont font = CreateThemeFont(f);
    ScopedSelect select(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    const char* text = m_data->UserName().c_str();  // the name alone: the window text says more
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (!pressed) {
      RECT shadow{2, 2, w, h};
      ::SetTextColor(dc, f.colour2);
      ::DrawTextA(dc, text, -1, &shadow, format);
    }
    RECT box{1, 1, w - 1, h - 1};
    ::SetTextColor(dc, f.colour1);
    ::DrawTextA(dc, text, -1, &box, format);
  }
  if ((d->itemState & ODS_FOCUS) && FocusCuesOn(d->hwndItem)) {
    RECT frame{0, 0, w, h};
    DrawFocusFrame(dc, frame, t.Px(2), t.Params().fontD.colour1);
  }
}

std::vector<HWND> CButtonPanelWnd::TabStops() const {
  std::vector<HWND> stops;
  if (m_menu.Total() > 0) stops.push_back(m_menu.Handle());
  for (int id : {IDC_TOOL_USER, IDC_TOOL_LR, IDC_TOOL_LUPE, IDC_TOOL_EDIT, IDC_TOOL_HELP}) {
    HWND b = Button(id);
    if (b && ::IsWindowVisible(b) && ::IsWindowEnabled(b)) stops.push_back(b);
  }
  return stops;
}

void CButtonPanelWnd::Repaint(int id) {
  if (HWND b = Button(id)) {
    ::InvalidateRect(b, nullptr, FALSE);
    ::UpdateWindow(b);
  }
}

void CButtonPanelWnd::SetTrashHighlight(bool on) {
  if (on == m_trashHot) return;
  m_trashHot = on;
  Repaint(IDC_TOOL_TRASH);
}

void CButtonPanelWnd::TrackHover(POINT screen) {
  m_menu.TrackHover(screen);
  HWND under = ::WindowFromPoint(screen);
  int hot = 0;
  for (int id : {IDC_TOOL_USER, IDC_TOOL_LR, IDC_TOOL_LUPE, IDC_TOOL_HELP, IDC_TOOL_EDIT})
    if (under && under == Button(id)) hot = id;
  if (hot == m_hotId || ::GetKeyState(VK_LBUTTON) < 0) return;
  int old = m_hotId;
  m_hotId = hot;
  if (old) Repaint(old);
  if (hot) Repaint(hot);
}

void CButtonPanelWnd::OnCommand(UINT id) {
  HWND frame = ::GetAncestor(m_hwnd, GA_ROOT);
  switch (id) {
    case IDC_TOOL_LR:
      // The frame keeps the layout: it hides or shows the icon panel and resizes itself.
      ::SendMessageA(frame, WM_COMMAND, m_data->IsWide() ? ID_VIEW_LITTLE : ID_VIEW_FULL, 0);
      ::InvalidateRect(frame, nullptr, TRUE);
      Repaint(IDC_TOOL_LR);
      break;
    case IDC_TOOL_LUPE: StartFinder(); break;
    case IDC_TOOL_HELP: ::PostMessageA(frame, WM_COMMAND, ID_HELP_FINDER, 0); break;
    case IDC_TOOL_USER:
      if (!m_users.IsOpen()) m_users.Create(m_hwnd, ThemeRect(IDC_TOOL_USER), m_data->Theme().Params().userListHeight);
      break;
    case IDC_TOOL_EDIT: {
      auto* popup = new CEditPopupDlg(m_hwnd, m_data);
      if (!popup->Create()) delete popup;  // otherwise it deletes itself when its window is gone
      break;
    }
    default: break;
  }
}

// The finder opens beside the launcher, left of it when there is room, 640 x 480 at 96 DPI.
void CButtonPanelWnd::StartFinder() {
  char exe[64] = {};
  ::LoadStringA(m_inst, kFinderExeId, exe, sizeof exe);
  const CTheme& t = m_data->Theme();
  const std::string size = " /W" + std::to_string(t.Px(640)) + " /H" + std::to_string(t.Px(480));
  std::string args = "/L0 /T0" + size;
  HWND frame = ::GetAncestor(m_hwnd, GA_ROOT);
  RECT rc;
  if (frame && ::GetWindowRect(frame, &rc)) {
    int x = rc.right + m_data->PaneWidth() - t.Px(1280);
    args = "/L" + std::to_string(x < 0 ? 0 : x) + " /T" + std::to_string(rc.top) + size;
  }
  // Quoted, so that a program folder with blanks in its path still names the finder.
  std::string line = "\"" + m_data->ProgramFolder() + exe + "\" " + args;
  STARTUPINFOA si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr, &si,
                       &pi)) {
    // The finder runs on its own: neither of its handles is kept.
    UniqueHandle process(pi.hProcess), thread(pi.hThread);
  }
}
