#include "launcher/app/main_frame.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>

#include "bridge/quilodll.h"
#include "common/cp932.h"
#include "common/ini_keys.h"
#include "common/win/gdi.h"
#include "common/win/modal_guard.h"
#include "launcher/base/item_request.h"
#include "common/profile.h"
#include "launcher/app/hotkey_rules.h"
#include "launcher/app/launch_item.h"
#include "launcher/app/unsaved_dlg.h"
#include "launcher/menus/item_info_dlg.h"
#include "launcher/menus/menu_edit_dlg.h"
#include "launcher/menus/user_edit_dlg.h"
#include "launcher/panels/popup_dlg.h"
#include "launcher/panels/theme_select_dlg.h"
#include "launcher/skin/drag_drop.h"
#include "launcher/base/resource.h"
#include "launcher/packages/installer.h"

namespace {
constexpr char kBusyText[] =
    "ダイアログボックス表示中は実行できません.\n表示中のダイアログボックスを閉じてやり直してください。";
constexpr char kCannotStore[] = "これ以上登録できません";
constexpr char kCannotOpenDialog[] = "このダイアログを開けません. 保存していない変更を先に書き込めないためです.";
constexpr UINT kFailureNoticeMs = 20000, kSavedNoticeMs = 6000;
constexpr int kHotkeyId = 1;  // the frame's one system-wide hotkey

// A list or a field of the window keeps the characters typed into it (the user list's type-ahead).
bool TakesText(HWND w) {
  char cls[16] = {};
  ::GetClassNameA(w, cls, sizeof cls);
  return ::lstrcmpiA(cls, "ListBox") == 0 || ::lstrcmpiA(cls, "Edit") == 0;
}

constexpr int kFrameWidth = rules::kWideWidth, kFrameHeight = rules::kWideHeight;
constexpr int kWebWidth = 652, kWebHeight = 522;
constexpr int kStripTop = 21, kWebStripTop = 33;  // a press above this line drags the window
constexpr int kButtonPanelTop = 21, kEdge = 3;
constexpr UINT kHoverPeriodMs = 50;
constexpr UINT kWriteThroughPeriodMs = 100;

// The web pane's fixed look.
constexpr COLORREF kWebBack = RGB(0x31, 0x8A, 0xFF), kWebOuter = RGB(0x95, 0xC3, 0xFF),
                   kWebInner = RGB(0x63, 0xA6, 0xFF);

struct ButtonSpec {
  int id;
  const char* text;
  const char* tip;
};
constexpr ButtonSpec kButtonSpecs[] = {
    {IDC_FRAME_CLOSE, "Close", nullptr}, {IDC_FRAME_MINIMIZE, "Mini", nullptr}, {ID_WEB_CLOSE, "Off", "ぽんぽんガイド"},
    {ID_WEB_REFRESH, "Ref", "更新"},     {ID_WEB_STOP, "Stop", "中止"},         {ID_WEB_FORWARD, "Next", "進む"},
    {ID_WEB_BACK, "Prev", "戻る"},
};

// A modal run with the modal-dialog event set for its whole length.
INT_PTR RunGuarded(CDialog& dialog) {
  ModalGuard guard;
  return dialog.DoModal();
}

// Marks the span in which a dialog or the installer works on the data files themselves.
class FilesBusy {
 public:
  explicit FilesBusy(bool& flag) : m_flag(flag) { m_flag = true; }
  ~FilesBusy() { m_flag = false; }
  FilesBusy(const FilesBusy&) = delete;
  FilesBusy& operator=(const FilesBusy&) = delete;

 private:
  bool& m_flag;
};

void MoveKeepingBottomRight(HWND w, int width, int height, bool repaint) {
  RECT rc;
  ::GetWindowRect(w, &rc);
  ::MoveWindow(w, rc.right - width, rc.bottom - height, width, height, repaint);
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
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE); return Default(msg, wParam, lParam);
    case WM_SIZE: OnSize(); return 0;
    case WM_DRAWITEM: OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(pt); return 0;
    case WM_CAPTURECHANGED: m_dragAnchor = {-1, -1}; return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_EXITSIZEMOVE: m_data.NoteWindowMoved(); return 0;
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
  return 0;
}

void CMainFrame::CreatePanels() {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  m_tools.AttachData(&m_data, this, m_itemFormat, m_pathFormat);
  RECT tools{m_data.LayoutOffset(), kButtonPanelTop, client.right - kEdge, client.bottom - kEdge};
  if (m_tools.CreatePanel(m_hwnd, tools, m_inst)) m_buttonPanel = m_tools.Handle();
  m_tools.MenuColumn().SetCurrentMenu(m_data.StartMenu());

  m_panel.AttachData(&m_data, this);
  m_panel.SetFormats(m_itemFormat, m_pathFormat);
  int top = m_data.Theme().Params().titleHeight + 4;
  RECT rc{kEdge, top, kEdge + m_data.PaneWidth(), client.bottom - kEdge};
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
    const int lefts[kButtonCount] = {shift + 621, shift + 597, shift + 573, 107, 83, 59, 35};
    for (int i = 0; i < kButtonCount; ++i) {
      int left = lefts[i];
      ::MoveWindow(m_buttons[i], left, 6, 24, 24, TRUE);
    }
    if (m_web && m_web->Handle())
      ::MoveWindow(m_web->Handle(), kEdge, kWebStripTop, client.right - 2 * kEdge, client.bottom - kWebStripTop - kEdge,
                   TRUE);
    return;
  }
  ::MoveWindow(m_buttons[kClose], shift + 617, 5, 16, 13, TRUE);
  ::MoveWindow(m_buttons[kMinimize], shift + 601, 5, 16, 13, TRUE);
  if (m_buttonPanel)
    ::MoveWindow(m_buttonPanel, m_data.LayoutOffset(), kButtonPanelTop, client.right - kEdge - m_data.LayoutOffset(),
                 client.bottom - kEdge - kButtonPanelTop, TRUE);
  if (m_iconPanel) {
    int top = m_data.Theme().Params().titleHeight + 4;
    ::MoveWindow(m_iconPanel, kEdge, top, pane, client.bottom - kEdge - top, TRUE);
  }
}

void CMainFrame::OnSize() { PlaceChildren(); }

RECT CMainFrame::TitleStripRect() const {
  HBITMAP strip = m_webOpen ? OwnBitmap(IDB_WEB_TITLE_ACTIVE) : m_data.Theme().Bitmap(IDB_TITLE_ACTIVE_WIDE);
  BITMAP bm{};
  if (!strip || !::GetObjectA(strip, sizeof bm, &bm)) {
    bm.bmWidth = kFrameWidth;
    bm.bmHeight = kStripTop;
  }
  return RECT{kEdge, kEdge, kEdge + bm.bmWidth, kEdge + bm.bmHeight};
}

void CMainFrame::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hwnd, &ps);
  RECT rc;
  ::GetClientRect(m_hwnd, &rc);
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
  BlitBitmap(dc, kEdge, kEdge, strip);
  ::EndPaint(m_hwnd, &ps);
}

void CMainFrame::OnActivate(bool active) {
  if (active == m_active) return;
  m_active = active;
  RedrawTitleStrip();
}

void CMainFrame::RedrawTitleStrip() {
  RECT strip = TitleStripRect();
  ::InvalidateRect(m_hwnd, &strip, FALSE);
}

HBITMAP CMainFrame::OwnBitmap(int id) const {
  auto it = m_own.find(id);
  if (it != m_own.end()) return it->second.Get();
  HBITMAP b = static_cast<HBITMAP>(::LoadImageA(m_inst, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
  return m_own.emplace(id, UniqueBitmap(b)).first->second.Get();
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
  if (pt.y >= (m_webOpen ? kWebStripTop : kStripTop)) return;
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

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == IDT_HOVER) OnHoverTimer();
  else if (id == IDT_WRITE_THROUGH) WriteThrough();
  else if (id == IDT_NOTICE) m_notice.Hide();
}

// What the user changed is written within a second, bursts coalesced. While a dialog or the
// installer works on the files themselves, the data in memory waits: it was saved before they
// opened and is read again after them.
void CMainFrame::WriteThrough() {
  if (m_filesBusy || !m_saves.Due(m_data.Unsaved(), m_data.Changes(), ::GetTickCount())) return;
  HWND self = m_hwnd;
  m_data.SaveInBackground(m_hwnd, [self] { ::PostMessageA(self, UM_SAVE_DONE, 0, 0); });
  m_saves.Tried();
}

// A save that failed keeps the change in memory and is tried again, less and less often. A save
// made in between on the window's thread has taken the failure over already.
void CMainFrame::OnSaveDone() {
  const bool ok = !m_data.TakeBackgroundFailure();
  if (ok) m_saves.Succeeded();
  else m_saves.Failed(m_data.Changes(), ::GetTickCount());
  TellSave(ok);
}

bool CMainFrame::SaveNow(bool withPlace) {
  const bool ok = m_data.Save(withPlace ? m_hwnd : nullptr);
  if (ok) m_saves.Succeeded();
  TellSave(ok);
  return ok;
}

// The user hears once that changes cannot be written, which file and why, without being stopped,
// and once more when everything is written after all.
void CMainFrame::TellSave(bool ok) {
  if (!ok && !m_saveFailing) {
    m_saveFailing = true;
    m_notice.Show("変更を保存できません",
                  datafiles::FailureText(m_data.LastFailure()) +
                      "\n変更はそのまま残してあり, 書き込めるようになりしだい保存します.",
                  true, kFailureNoticeMs);
  } else if (ok && m_saveFailing && !m_data.Unsaved()) {
    m_saveFailing = false;
    m_notice.Show("保存しました", "保存できなかった変更を書き込みました.", false, kSavedNoticeMs);
  }
}

// What the user is told when an action needs the changes written first and they cannot be.
void CMainFrame::WarnUnsaved(const char* action) {
  Warn((std::string(action) + "\n" + datafiles::FailureText(m_data.LastFailure())).c_str());
}

void CMainFrame::ShowNotices() {
  for (const std::string& text : m_data.TakeNotices())
    GuardedMessageBox(m_hwnd, text.c_str(), m_title.c_str(), MB_OK | MB_ICONINFORMATION);
  if (!m_hotkeyNotice.empty())
    GuardedMessageBox(m_hwnd, std::exchange(m_hotkeyNotice, {}).c_str(), m_title.c_str(), MB_OK | MB_ICONINFORMATION);
}

// The hotkey of [Hotkey] in TOPLEX.INI (Alt+Space when none is named). A key that another
// program holds, or a setting that names no key, is told once; the launcher works on without.
void CMainFrame::RegisterHotkey() {
  const Profile settings(m_data.MainIni());
  std::string key = settings.GetString(inikeys::kHotkey, inikeys::kHotkeyKey);
  std::string modifiers = settings.GetString(inikeys::kHotkey, inikeys::kHotkeyModifiers);
  if (key.empty()) {
    key = hotkey::kDefaultKey;
    modifiers = hotkey::kDefaultModifiers;
  }
  const hotkey::Parsed parsed = hotkey::Parse(key, modifiers);
  if (parsed.status == hotkey::Status::kNone) return;
  if (parsed.status == hotkey::Status::kInvalid) {
    m_hotkeyNotice =
        "TOPLEX.INI の [Hotkey] の指定 (Key=" + key + ", Modifiers=" + modifiers +
        ") ではキーが決まらないため, ホットキーは使えません.\n指定のしかたはヘルプの「キー操作一覧」にあります.";
    return;
  }
  m_hotkey = ::RegisterHotKey(m_hwnd, kHotkeyId, parsed.hotkey.modifiers | MOD_NOREPEAT, parsed.hotkey.key) != FALSE;
  if (!m_hotkey)
    m_hotkeyNotice = "ホットキー " + hotkey::Describe(parsed.hotkey) +
                     " はほかのプログラムが使っているため使えません.\nTOPLEX.INI の [Hotkey] で別のキーを指定できます "
                     "(ヘルプの「キー操作一覧」を参照).";
}

// The hotkey brings the launcher to the front, restored if it was minimised, or minimises it
// when it is in front already.
void CMainFrame::OnHotkey() {
  if (::GetForegroundWindow() == m_hwnd && !::IsIconic(m_hwnd)) {
    ::ShowWindow(m_hwnd, SW_MINIMIZE);
    return;
  }
  if (::IsIconic(m_hwnd)) ::ShowWindow(m_hwnd, SW_RESTORE);
  ::SetForegroundWindow(m_hwnd);
  ::SetFocus(m_hwnd);
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

void CMainFrame::OnHoverTimer() {
  if (!m_active) return;
  POINT cursor;
  ::GetCursorPos(&cursor);
  if (m_iconPanel) m_panel.TrackHover(cursor);
  if (m_buttonPanel) m_tools.TrackHover(cursor);
}

void CMainFrame::SetLayout(bool wide) {
  if (wide == m_data.IsWide()) return;
  const int pane = m_data.PaneWidth();
  m_data.SetWide(wide);
  if (wide) {
    if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_SHOW);
    ::ScrollWindow(m_hwnd, pane, 0, nullptr, nullptr);
    MoveKeepingBottomRight(m_hwnd, kFrameWidth, kFrameHeight, TRUE);
  } else {
    if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_HIDE);
    MoveKeepingBottomRight(m_hwnd, kFrameWidth - pane, kFrameHeight, TRUE);
  }
  PlaceChildren();
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CMainFrame::OnCommand(UINT id) {
  if (id >= ID_ITEM_1 && id <= ID_ITEM_9) {
    if (m_iconPanel && ::IsWindowVisible(m_iconPanel)) m_panel.LaunchVisible(static_cast<int>(id - ID_ITEM_1));
    return;
  }
  if (id >= ID_MENU_1 && id <= ID_MENU_9) {
    if (HWND column = m_tools.MenuColumn().Handle())
      ::SendMessageA(column, WM_COMMAND, IDC_MENU_FIRST + (id - ID_MENU_1), 0);
    return;
  }
  switch (id) {
    case IDC_FRAME_CLOSE: ::PostMessageA(m_hwnd, WM_CLOSE, 0, 0); break;
    case IDC_FRAME_MINIMIZE: ::ShowWindow(m_hwnd, SW_MINIMIZE); break;
    case ID_HELP_FINDER: ShowHelp(); break;
    case ID_PAGE_UP:
      if (m_iconPanel) m_panel.PageUp();
      break;
    case ID_PAGE_DOWN:
      if (m_iconPanel) m_panel.PageDown();
      break;
    case ID_VIEW_FULL: SetLayout(true); break;
    case ID_VIEW_LITTLE: SetLayout(false); break;
    case ID_USER_LIST:
      if (m_buttonPanel) ::PostMessageA(m_buttonPanel, WM_COMMAND, IDC_TOOL_USER, 0);
      break;
    case ID_KEY_UP:
    case ID_KEY_DOWN:
      if (HWND column = m_tools.MenuColumn().Handle())
        ::SendMessageA(column, WM_COMMAND, id == ID_KEY_UP ? IDC_MENU_PREV_PAGE : IDC_MENU_NEXT_PAGE, 0);
      break;
    case ID_MENU_PREV:
      if (m_buttonPanel) m_tools.MenuColumn().SelectPrevious();
      break;
    case ID_MENU_NEXT:
      if (m_buttonPanel) m_tools.MenuColumn().SelectNext();
      break;
    case ID_TILE_RENAME:
    case ID_TILE_DELETE:
    case ID_TILE_POPUP:
      if (m_iconPanel && ::IsWindowVisible(m_iconPanel)) m_panel.TileKey(id);
      break;
    case ID_WEB_OPEN: OpenWebPane(); break;
    case ID_WEB_CLOSE: CloseWebPane(); break;
    case ID_WEB_STOP:
      if (m_web) m_web->Stop();
      break;
    case ID_WEB_BACK:
      if (m_web && m_backEnabled) m_web->GoBack();
      break;
    case ID_WEB_FORWARD:
      if (m_web && m_forwardEnabled) m_web->GoForward();
      break;
    case ID_WEB_REFRESH:
      if (m_web) m_web->Refresh();
      break;
    case ID_APP_ABOUT: ShowAbout(); break;
    default: break;
  }
}

void CMainFrame::OnItemAction(WPARAM source, LPARAM value) {
  if (source == IDC_MENU_COLUMN) ChooseMenu(static_cast<int>(value));
  else if (source == IDC_ICON_PANEL) LaunchItem(m_data.CurrentMenu(), static_cast<int>(value));
}

void CMainFrame::LaunchItem(int menu, int position) {
  if (::LaunchItem(m_hwnd, m_title.c_str(), m_data, menu, position)) m_data.RecordLaunch(menu, position);
}

void CMainFrame::ChooseMenu(int menu) {
  if (menu >= 0 && menu < static_cast<int>(m_data.Menus().size())) m_data.SetCurrentMenu(menu);
  RefreshPanel(true);
  // In the narrow layout a chosen menu brings its tiles into view.
  if (!m_data.IsWide() && m_buttonPanel) ::PostMessageA(m_buttonPanel, WM_COMMAND, IDC_TOOL_LR, 0);
}

void CMainFrame::RenameItem(int menu, int position, const std::string& caption) {
  m_data.Items().SetCaption(menu, position, caption);
  RefreshPanel(false);
}

void CMainFrame::DeleteItem(int menu, int position) {
  m_data.Items().Remove(menu, position);
  RefreshPanel(false);
}

void CMainFrame::SwitchUser(int row) { OnUserSwitched(m_data.SwitchUser(row, m_hwnd)); }

void CMainFrame::OnItemDrop(WPARAM receiver, const ItemRequest* request) {
  if (!request || m_data.Menus().empty()) return;  // an item outside every menu would not be saved
  const bool isItem = request->format == m_itemFormat, isPath = request->format == m_pathFormat;
  CItemTable& items = m_data.Items();
  int result = CItemTable::kOk;
  auto record = [&](int menu, int position) {
    ItemRecord r;
    r.menu = menu;
    r.position = position;
    r.file = cp932::TerminatedView(request->file, sizeof request->file);
    r.caption = cp932::TerminatedView(request->caption, sizeof request->caption);
    r.iconFile = cp932::TerminatedView(request->iconFile, sizeof request->iconFile);
    r.description = cp932::TerminatedView(request->description, sizeof request->description);
    r.date = request->date;
    return r;
  };
  if (receiver == IDC_MENU_COLUMN) {
    if (isItem) items.MoveToMenu(request->target, request->fromMenu, request->fromPosition);
    else if (isPath) result = items.Append(record(request->target, -1));
  } else if (receiver == IDC_ICON_PANEL) {
    const int menu = m_data.CurrentMenu();
    if (isItem && request->operation == ItemOperation::kMove) items.Move(menu, request->target, request->fromPosition);
    else if (isItem && request->operation != ItemOperation::kNone)
      items.Swap(menu, request->target, request->fromPosition);
    else if (isPath) result = items.InsertAt(record(menu, request->target));
  }
  if (result != CItemTable::kOk) Warn(kCannotStore);
  RefreshPanel(false);
}

void CMainFrame::RefreshPanel(bool resetScroll) {
  if (m_iconPanel) m_panel.RefreshItems(resetScroll);
}

// After a user switch (or a theme change) everything that shows the user is built again from
// the newly loaded data and theme, before anything repaints.
void CMainFrame::OnUserSwitched(CLaunchData::Switch result) {
  if (result == CLaunchData::Switch::kWebPane) {
    OpenWebPane();
    return;
  }
  if (result == CLaunchData::Switch::kNotSaved) {
    TellSave(false);
    WarnUnsaved("ユーザーを切り替えられません. 今のユーザーの変更か, 切り替えの記録を書き込めないためです.");
    return;
  }
  m_title = m_data.Theme().Params().title;
  ::SetWindowTextA(m_hwnd, m_title.c_str());
  m_tools.ApplyTheme(true);
  m_panel.ApplyTheme(true);
  m_panel.RefreshItems(true);
  ::ShowWindow(m_iconPanel, m_data.IsWide() ? SW_SHOW : SW_HIDE);
  // Each user keeps a place of their own.
  Rect r = m_data.WideRect();
  if (!m_data.IsWide()) r.left += m_data.PaneWidth();
  ::MoveWindow(m_hwnd, r.left, r.top, r.Width(), r.Height(), TRUE);
  PlaceChildren();
  ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  ::PostMessageA(m_hwnd, UM_SHOW_NOTICES, 0, 0);
}

void CMainFrame::OpenWebPane() {
  if (m_webOpen) return;
  SetLayout(true);
  ::ShowWindow(m_hwnd, SW_HIDE);
  m_webOpen = true;
  m_backEnabled = m_forwardEnabled = false;
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  ::SetWindowPos(m_hwnd, nullptr, rc.right - kWebWidth, rc.top, kWebWidth, kWebHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  for (int i = kWebOff; i < kButtonCount; ++i) ::ShowWindow(m_buttons[i], SW_SHOW);
  ::EnableWindow(m_buttons[kWebBack], FALSE);
  ::EnableWindow(m_buttons[kWebForward], FALSE);
  m_accel = ::LoadAcceleratorsA(m_inst, MAKEINTRESOURCEA(IDR_WEBPANE));

  RECT client;
  ::GetClientRect(m_hwnd, &client);
  RECT area{kEdge, kWebStripTop, client.right - kEdge, client.bottom - kEdge};
  m_web = std::make_unique<CWebBrowser2>();
  bool created = m_web->CreateControl(m_hwnd, area, ID_WEB_OPEN,
                                      [this](long command, bool enabled) { OnWebCommandState(command, enabled); });
  if (m_buttonPanel) ::ShowWindow(m_buttonPanel, SW_HIDE);
  if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_HIDE);
  PlaceChildren();
  if (created) {
    ::ShowWindow(m_web->Handle(), SW_SHOW);
    m_web->SetToolBar(1);
    m_web->Navigate(m_data.StartPage().c_str());
  } else {
    m_web.reset();  // the window keeps the web pane's size and keys until 40033
  }
  ::ShowWindow(m_hwnd, SW_SHOW);
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

// Hidden, without the browser, and back at 640 x 480 with the same right edge.
void CMainFrame::HideAtNormalSize() {
  ::ShowWindow(m_hwnd, SW_HIDE);
  m_web.reset();
  m_webOpen = false;
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  ::SetWindowPos(m_hwnd, nullptr, rc.right - kFrameWidth, rc.top, kFrameWidth, kFrameHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainFrame::CloseWebPane() {
  if (!m_webOpen) return;
  HideAtNormalSize();
  if (m_buttonPanel) ::ShowWindow(m_buttonPanel, SW_SHOW);
  if (m_iconPanel) ::ShowWindow(m_iconPanel, SW_SHOW);
  for (int i = kWebOff; i < kButtonCount; ++i) ::ShowWindow(m_buttons[i], SW_HIDE);
  PlaceChildren();
  ::ShowWindow(m_hwnd, SW_SHOW);
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
  m_accel = ::LoadAcceleratorsA(m_inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
}

void CMainFrame::OnWebCommandState(long command, bool enabled) {
  int button;
  if (command == CWebBrowser2::kForwardPossible) {
    m_forwardEnabled = enabled;
    button = kWebForward;
  } else if (command == CWebBrowser2::kBackPossible) {
    m_backEnabled = enabled;
    button = kWebBack;
  } else {
    return;
  }
  ::EnableWindow(m_buttons[button], enabled);
  ::InvalidateRect(m_buttons[button], nullptr, FALSE);
}

// Help is a page in the program folder named after the program, opened at its contents by
// whatever the system opens pages with.
void CMainFrame::ShowHelp() {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path(exe);
  std::size_t dot = path.rfind('.');
  const std::size_t slash = cp932::FindLastChar(path, '\\');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  path += ".htm";
  SHELLEXECUTEINFOA sei{sizeof sei};
  sei.fMask = SEE_MASK_FLAG_NO_UI;
  sei.hwnd = m_hwnd;
  sei.lpFile = path.c_str();
  sei.nShow = SW_SHOWNORMAL;
  if (!::ShellExecuteExA(&sei)) Warn("ヘルプファイルを開けませんでした.");
}

void CMainFrame::Warn(const char* text) { GuardedMessageBox(m_hwnd, text, m_title.c_str(), MB_OK | MB_ICONWARNING); }

void CMainFrame::ShowAbout() {
  ModalGuard guard;
  ::DialogBoxParamA(
      m_inst, MAKEINTRESOURCEA(IDD_ABOUTBOX), m_hwnd,
      [](HWND dlg, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG) return TRUE;
        if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
          ::EndDialog(dlg, LOWORD(wParam));
          return TRUE;
        }
        return FALSE;
      },
      0);
}

// Nothing the user changed is dropped without asking: while it cannot be written, the user may
// try again, close without it, or keep the launcher open.
void CMainFrame::OnClose() {
  while (!SaveNow(true)) {
    const std::string text = "変更を保存できません.\n" + datafiles::FailureText(m_data.LastFailure()) +
                             "\n\n保存せずに終了すると, 最後に保存した後の変更は失われます.";
    const INT_PTR answer = CUnsavedDlg::Ask(m_hwnd, m_title, text);
    if (answer == IDC_UNSAVED_DISCARD) break;
    if (answer != IDRETRY) return;
  }
  HideAtNormalSize();
  ::DestroyWindow(m_hwnd);
}

// A log-off or shutdown ends the process without a WM_CLOSE: what changed since the last save
// (dropped, renamed, moved items, the window's place) is saved as at closing. There is no one to
// ask any more.
void CMainFrame::OnEndSession(bool ending) {
  if (!ending) return;
  SaveNow(true);
  HideAtNormalSize();
}

void CMainFrame::OnDestroy() {
  if (m_hotkey) ::UnregisterHotKey(m_hwnd, kHotkeyId);
  ::KillTimer(m_hwnd, IDT_HOVER);
  ::KillTimer(m_hwnd, IDT_WRITE_THROUGH);
  if (HWND finder = ::FindWindowA(handoff::kFinderClass, nullptr)) ::PostMessageA(finder, WM_CLOSE, 0, 0);
  ::PostQuitMessage(0);
}

void CMainFrame::OnReloadData() {
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  m_data.ReloadMenusAndItems();
  m_data.SetCurrentMenu(m_data.StartMenu());
  if (m_buttonPanel) m_tools.MenuColumn().SetCurrentMenu(m_data.StartMenu());
  RefreshPanel(true);
  ::EnableWindow(m_iconPanel, !m_data.Menus().empty());  // deleting every menu leaves nothing to drop into
  ::SetCursor(old);
  ::InvalidateRect(m_hwnd, nullptr, FALSE);
}

// The management dialogs work on the files, so the data is saved before each one opens and
// read again after it. A request while another dialog is open (from a peer program) is refused.
void CMainFrame::OnEditMenus() {
  if (ModalGuard::IsSet()) return;
  FilesBusy busy(m_filesBusy);
  if (!SaveNow(true)) return WarnUnsaved(kCannotOpenDialog);
  CMenuEditDlg dlg(&m_data, m_hwnd);
  if (RunGuarded(dlg) == IDOK) ::PostMessageA(m_hwnd, UM_RELOAD_DATA, 0, 0);
}

void CMainFrame::OnEditUsers() {
  if (ModalGuard::IsSet()) return;
  FilesBusy busy(m_filesBusy);
  if (!SaveNow(true)) return WarnUnsaved(kCannotOpenDialog);
  CUserEditDlg dlg(&m_data, m_hwnd);
  const INT_PTR result = RunGuarded(dlg);
  if (result == 0 || result == -1) return;  // closed by the system, or never opened
  m_data.ReloadUsers();
  if (m_buttonPanel) m_tools.ApplyTheme(true);  // the user-name button shows the name again
}

void CMainFrame::OnSelectTheme() {
  if (ModalGuard::IsSet()) return;
  FilesBusy busy(m_filesBusy);
  if (!SaveNow(true)) return WarnUnsaved(kCannotOpenDialog);
  CThemeSelectDlg dlg(&m_data, m_hwnd);
  if (RunGuarded(dlg) != IDOK) return;
  // The active user loaded again, now wearing the chosen theme.
  OnUserSwitched(m_data.SwitchUser(-1, m_hwnd));
}

void CMainFrame::OnBeginItemDrag(int menu, int position) {
  const std::int32_t block[2] = {menu, position};
  StartItemDrag(m_itemFormat, block, sizeof block);  // returns when the drag has ended
}

// A path handed over by the finder through the bridge: confirmed in the item dialog and added.
void CMainFrame::OnPathFromFinder() {
  if (ModalGuard::IsSet()) {
    SignalFinderDone();  // refused, yet the finder's wait ends
    return;
  }
  char block[handoff::kBlockSize] = {};
  if (m_handoffView) std::memcpy(block, m_handoffView, sizeof block);
  handoff::FinderBlock request;
  std::memcpy(&request, block, sizeof request);
  std::string_view path = cp932::TerminatedView(request.path, sizeof request.path);
  // The finder learns that its request is done before the launcher shows itself free again.
  std::optional<ModalGuard> busy;
  // A menu the active user does not have (a peer's stale list) would hold the item only until
  // the next save: such a request is refused like one without a path.
  const bool menuKnown = request.menu >= 0 && request.menu < static_cast<std::int32_t>(m_data.Menus().size());
  if (menuKnown && path.size() < sizeof request.path && !path.empty()) {
    std::string file(path);
    SHFILEINFOA info{};
    ::SHGetFileInfoA(file.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
    CItemInfoDlg dlg(&m_data, m_hwnd);
    PrepareNewItem(dlg.Info(), file.c_str(), info.szDisplayName);
    busy.emplace();
    ::SetForegroundWindow(m_hwnd);
    if (dlg.DoModal() == IDOK) {
      ItemRecord r;
      r.menu = request.menu;
      r.position = -1;
      r.file = file;
      r.caption = dlg.Info().caption;
      r.description = info.szDisplayName;
      r.date = ToItemDate(dlg.Info().date);
      if (m_data.Items().Append(std::move(r)) != CItemTable::kOk)
        ::MessageBoxA(m_hwnd, kCannotStore, m_title.c_str(), MB_OK | MB_ICONWARNING);
      RefreshPanel(false);
    }
  }
  SignalFinderDone();
  busy.reset();
  if (HWND finder = ::FindWindowA(handoff::kFinderClass, nullptr)) ::SetForegroundWindow(finder);
}

void CMainFrame::SignalFinderDone() {
  UniqueHandle done(::OpenEventA(EVENT_MODIFY_STATE, FALSE, handoff::kCompletionEvent));
  if (done) ::SetEvent(done.Get());
}

void CMainFrame::OnPathFromInstance() {
  CloseWebPane();
  if (ModalGuard::IsSet()) {
    HWND over = ::GetLastActivePopup(m_hwnd);
    GuardedMessageBox(over, kBusyText, m_title.c_str(), MB_OK | MB_ICONWARNING);
    return;
  }
  // The block belongs to whoever wrote it last: copy it once and work on the copy. A path with
  // no terminator inside its field is no path.
  char block[handoff::kBlockSize] = {};
  if (m_handoffView) std::memcpy(block, m_handoffView, sizeof block);
  std::string_view path = cp932::TerminatedView(block, handoff::kPathField);
  if (path.size() >= handoff::kPathField) path = {};
  const std::string cabinet(path);

  // The items are always written first: the reload after the install rereads them from the file,
  // and an item added or renamed since the last save would otherwise be lost.
  if (!SaveNow(false))
    return WarnUnsaved("パッケージをインストールできません. 保存していない変更を先に書き込めないためです.");
  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  FilesBusy busy(m_filesBusy);
  if (!package::InstallPackage(m_data.ActiveUserPath(), cabinet, m_data.ProgramFolder(), m_data.DataFolder(),
                               {m_hwnd, m_title})) {
    Warn(package::NotAPackageText(cabinet).c_str());
  }
  ::SetCursor(old);
  ::PostMessageA(m_hwnd, UM_RELOAD_DATA, 0, 0);
}
