// The main window's life: making it and its children, routing its messages, ending it.
#include "launcher/app/main_frame.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "bridge/quilodll.h"
#include "common/win/monitors.h"
#include "launcher/app/main_frame_parts.h"
#include "launcher/base/item_request.h"
#include "launcher/base/resource.h"
#include "launcher/skin/draw.h"
#include "launcher/packages/installer.h"
#include "launcher/panels/popup_dlg.h"

using namespace mainframe;

namespace {

// A list or a field of the window keeps the characters typed into it (the user list's type-ahead).
bool TakesText(HWND w) {
  char cls[16] = {};
  ::GetClassNameA(w, cls, sizeof cls);
  return ::lstrcmpiA(cls, "ListBox") == 0 || ::lstrcmpiA(cls, "Edit") == 0;
}

}  // namespace

CMainFrame::CMainFrame(HINSTANCE inst, HFONT appFont, void* handoffView, bool dataInProgramFolder)
    : m_inst(inst), m_appFont(appFont), m_handoffView(handoffView), m_dataInProgramFolder(dataInProgramFolder) {}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::CreateFrame(const char* className) {
  static bool registered =
      CWnd::RegisterClass(className, m_inst, ::LoadIconA(m_inst, MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
  (void)registered;
  RECT none{0, 0, 0, 0};
  return Create(className, "", WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, 0, none, nullptr, m_inst) !=
         nullptr;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_ACTIVATE: {
      // The default puts the focus on the frame; the part that had it takes it back.
      if (LOWORD(wParam) == WA_INACTIVE) KeepFocusOnActivate(false);
      const LRESULT r = Default(msg, wParam, lParam);
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      if (LOWORD(wParam) != WA_INACTIVE) KeepFocusOnActivate(true);
      return r;
    }
    case WM_SIZE: OnSize(); return 0;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(pt); return 0;
    case WM_CAPTURECHANGED: m_dragAnchor = {-1, -1}; return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_EXITSIZEMOVE: m_data.NoteWindowMoved(); return 0;
    case WM_DISPLAYCHANGE: KeepWithinReach(m_hwnd); return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: OnSystemLook(msg, wParam, lParam); return Default(msg, wParam, lParam);
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_ENDSESSION: OnEndSession(wParam != FALSE); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case UM_ITEM_ACTION: OnItemAction(wParam, lParam); return 0;
    case UM_ITEM_DROP: OnItemDrop(wParam, AcceptItemRequest(lParam)); return 0;
    case UM_BEGIN_ITEM_DRAG: OnBeginItemDrag(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case UM_PATH_FROM_FINDER: OnPathFromFinder(); return 0;
    case UM_SAVE_DATA: SaveNow(true); return 0;
    case UM_RELOAD_DATA: OnReloadData(); return 0;
    case UM_PATH_FROM_INSTANCE: OnPathFromInstance(); return 0;
    case UM_EDIT_MENUS: OnEditMenus(); return 0;
    case UM_EDIT_USERS: OnEditUsers(); return 0;
    case UM_SELECT_THEME: OnSelectTheme(); return 0;
    case UM_EDIT_HOTKEY: OnEditHotkey(); return 0;
    case UM_SHOW_NOTICES: ShowNotices(); return 0;
    case WM_HOTKEY: OnHotkey(); return 0;
    case WM_IME_CHAR: {  // an IME that sends its characters rather than posting them
      const MSG typed{m_hwnd, msg, wParam, lParam, 0, {}};
      if (m_iconPanel && m_panel.FindMessage(typed)) return 0;
      return Default(msg, wParam, lParam);
    }
    case UM_SAVE_DONE: OnSaveDone(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

bool CMainFrame::PreTranslateMessage(MSG* msg) {
  if (m_tooltip && msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST)
    ::SendMessageA(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  if (m_buttonPanel && m_tools.PreTranslateMessage(msg)) return true;
  if (CPopupBase::PreTranslateMessage(msg)) return true;
  if (!m_hwnd || (msg->hwnd != m_hwnd && !::IsChild(m_hwnd, msg->hwnd))) return false;
  if (m_iconPanel && !TakesText(msg->hwnd) && m_panel.FindMessage(*msg)) return true;
  if (!TakesText(msg->hwnd) && FocusKey(*msg)) return true;
  // While finding, a key that types goes to the strip as a character, past the accelerators.
  if (m_panel.Finding() && msg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) >= 0 &&
      ::GetKeyState(VK_MENU) >= 0 && ::MapVirtualKeyA(static_cast<UINT>(msg->wParam), MAPVK_VK_TO_CHAR) != 0)
    return false;
  if (!m_accel) return false;
  return ::TranslateAcceleratorA(m_hwnd, m_accel, msg) != 0;
}

int CMainFrame::OnCreate() {
  // No caption and no frame: the window draws its own.
  ::SetWindowLongA(m_hwnd, GWL_STYLE, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX);
  ::SetWindowLongA(m_hwnd, GWL_EXSTYLE, ::GetWindowLongA(m_hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
  ::SetMenu(m_hwnd, nullptr);

  m_data.PrepareDataFolder(m_dataInProgramFolder);
  if (!m_data.Load()) return -1;
  // What installs that were cut off left: completed in the record, their work folders gone.
  if (std::optional<std::string> cut = package::FinishCutInstall(m_data.ProgramFolder(), m_data.DataFolder()))
    m_data.AddNotice(package::CutInstallText(*cut));
  package::RemoveStaleWorkFolders();

  Rect r = m_data.WideRect();
  if (!m_data.IsWide()) r.left += m_data.PaneWidth();
  r = ReachablePlace(r);  // a place saved for another screen
  WINDOWPLACEMENT wp{sizeof wp};
  wp.showCmd = SW_HIDE;
  wp.rcNormalPosition = RECT{r.left, r.top, r.right, r.bottom};
  ::SetWindowPlacement(m_hwnd, &wp);

  m_title = m_data.Theme().Params().title;
  ::SetWindowTextA(m_hwnd, m_title.c_str());

  CreateButtons();
  m_notice.Create(m_hwnd, m_inst);
  ::SetTimer(m_hwnd, IDT_HOVER, kHoverPeriodMs, nullptr);
  ::SetTimer(m_hwnd, IDT_WRITE_THROUGH, kWriteThroughPeriodMs, nullptr);
  RegisterHotkey();
  ::PostMessageA(m_hwnd, UM_SHOW_NOTICES, 0, 0);
  m_accel = ::LoadAcceleratorsA(m_inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
  m_itemFormat = RegisteredFormat(IDS_ITEM_FORMAT);
  m_pathFormat = RegisteredFormat(IDS_PATH_FORMAT);
  CreatePanels();
  PlaceChildren();
  HideFocusCuesForMouse();
  return 0;
}

void CMainFrame::CreatePanels() {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  m_tools.AttachData(&m_data, this, m_itemFormat, m_pathFormat);
  RECT tools{m_data.LayoutOffset(), Px(kButtonPanelTop), client.right - Px(kEdge), client.bottom - Px(kEdge)};
  if (m_tools.CreatePanel(m_hwnd, tools, m_inst)) m_buttonPanel = m_tools.Handle();
  m_tools.MenuColumn().SetCurrentMenu(m_data.StartMenu());

  m_panel.AttachData(&m_data, this);
  m_panel.SetFormats(m_itemFormat, m_pathFormat);
  int top = m_data.Theme().Params().titleHeight + Px(4);
  RECT rc{Px(kEdge), top, Px(kEdge) + m_data.PaneWidth(), client.bottom - Px(kEdge)};
  if (m_panel.CreatePanel(m_hwnd, rc, m_inst)) m_iconPanel = m_panel.Handle();
  m_panel.AttachTips(m_tooltip);
  m_panel.RefreshItems(true);
  ::EnableWindow(m_iconPanel, !m_data.Menus().empty());
  if (!m_data.IsWide()) ::ShowWindow(m_iconPanel, SW_HIDE);
}

UINT CMainFrame::RegisteredFormat(UINT nameId) const {
  char name[64] = {};
  return ::LoadStringA(m_inst, nameId, name, sizeof name) > 0 ? ::RegisterClipboardFormatA(name) : 0;
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == IDT_HOVER) OnHoverTimer();
  else if (id == IDT_WRITE_THROUGH) WriteThrough();
  else if (id == IDT_NOTICE) m_notice.Hide();
}

void CMainFrame::OnDestroy() {
  if (m_hotkey) ::UnregisterHotKey(m_hwnd, kHotkeyId);
  ::KillTimer(m_hwnd, IDT_HOVER);
  ::KillTimer(m_hwnd, IDT_WRITE_THROUGH);
  SetFocusCues(m_hwnd, false);
  if (HWND finder = ::FindWindowA(handoff::kFinderClass, nullptr)) ::PostMessageA(finder, WM_CLOSE, 0, 0);
  ::PostQuitMessage(0);
}
