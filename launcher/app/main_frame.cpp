#include "launcher/app/main_frame.h"

#include <cstring>
#include <string>

#include "bridge/handoff.h"
#include "common/cp932.h"
#include "common/win/handles.h"
#include "common/win/modal_guard.h"
#include "launcher/app/launch_item.h"
#include "launcher/app/resource.h"
#include "launcher/packages/package_check.h"

namespace {
constexpr char kBusyText[] =
    "ダイアログボックス表示中は実行できません.\n表示中のダイアログボックスを閉じてやり直してください。";
constexpr char kNotValidFormat[] = "%s は有効なファイルではありません.";
constexpr char kTitle[] = "TOPLEX";
constexpr COLORREF kBack = RGB(236, 240, 246), kStrip = RGB(46, 72, 120), kText = RGB(30, 30, 40);
}  // namespace

CMainFrame::CMainFrame(HINSTANCE inst, HFONT appFont, void* handoffView, bool dataInProgramFolder)
    : m_inst(inst), m_appFont(appFont), m_handoffView(handoffView), m_dataInProgramFolder(dataInProgramFolder) {}

bool CMainFrame::CreateFrame(const char* className) {
  m_data.PrepareDataFolder(m_dataInProgramFolder);
  if (!m_data.Load()) return false;
  HICON icon = ::LoadIconA(m_inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
  CWnd::RegisterClass(className, m_inst, icon, nullptr);
  const Rect& r = m_data.WideRect();
  RECT rc{r.left, r.top, r.right, r.bottom};
  return Create(className, kTitle, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, 0, rc, nullptr, m_inst) !=
         nullptr;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: {
      LRESULT hit = Default(msg, wParam, lParam);
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ::ScreenToClient(m_hWnd, &pt);
      return (hit == HTCLIENT && pt.y < 21) ? HTCAPTION : hit;  // the top strip drags the window
    }
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case UM_ITEM_ACTION: OnItemAction(wParam, lParam); return 0;
    case UM_SAVE_DATA: m_data.Save(m_hWnd); return 0;
    case UM_RELOAD_DATA: OnReloadData(); return 0;
    case UM_PATH_FROM_INSTANCE: OnPathFromInstance(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void CMainFrame::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_hWnd, &ps);
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  UniqueBrush back(::CreateSolidBrush(kBack)), strip(::CreateSolidBrush(kStrip));
  ::FillRect(dc, &rc, back.Get());
  RECT top{0, 0, rc.right, 21};
  ::FillRect(dc, &top, strip.Get());
  HGDIOBJ oldFont = ::SelectObject(dc, m_appFont ? m_appFont : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, RGB(255, 255, 255));
  RECT title{8, 0, rc.right - 8, 21};
  ::DrawTextA(dc, m_data.UserName().c_str(), -1, &title, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);

  // Until the panels arrive, the window lists the user's menus and the items of the current one.
  ::SetTextColor(dc, kText);
  int y = 32;
  const auto& menus = m_data.Menus();
  for (std::size_t i = 0; i < menus.size(); ++i, y += 22) {
    std::string line = (static_cast<int>(i) == m_data.CurrentMenu() ? "> " : "  ") + menus[i] + "  (" +
                       std::to_string(m_data.Items().Count(static_cast<int>(i))) + ")";
    ::TextOutA(dc, rc.right - 230, y, line.c_str(), static_cast<int>(line.size()));
  }
  y = 32;
  int menu = m_data.CurrentMenu();
  for (int p = 0, last = m_data.Items().LastPosition(menu); p <= last && y < rc.bottom - 22; ++p) {
    const ItemRecord* r = m_data.Items().Find(menu, p);
    if (!r) continue;
    const std::string& text = r->caption.empty() ? r->file : r->caption;
    ::TextOutA(dc, 16, y, text.c_str(), static_cast<int>(text.size()));
    y += 22;
  }
  ::SelectObject(dc, oldFont);
  ::EndPaint(m_hWnd, &ps);
}

void CMainFrame::SetLayout(bool wide) {
  m_data.SetWide(wide);
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainFrame::OnCommand(UINT id) {
  switch (id) {
    case ID_VIEW_FULL: SetLayout(true); break;
    case ID_VIEW_LITTLE: SetLayout(false); break;
    case ID_WEB_CLOSE: break;  // no web pane is open in this build
    case ID_APP_ABOUT: ShowAbout(); break;
    default: break;
  }
}

void CMainFrame::ShowAbout() {
  ModalGuard guard;
  ::DialogBoxParamA(m_inst, MAKEINTRESOURCEA(IDD_ABOUTBOX), m_hWnd,
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

void CMainFrame::OnClose() {
  ::ShowWindow(m_hWnd, SW_HIDE);
  RECT rc;
  ::GetWindowRect(m_hWnd, &rc);
  ::SetWindowPos(m_hWnd, nullptr, rc.right - rules::kWideWidth, rc.top, rules::kWideWidth, rules::kWideHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  m_data.Save(m_hWnd);
  ::DestroyWindow(m_hWnd);
}

void CMainFrame::OnDestroy() {
  if (HWND finder = ::FindWindowA(handoff::kFinderClass, nullptr)) ::PostMessageA(finder, WM_CLOSE, 0, 0);
  ::PostQuitMessage(0);
}

void CMainFrame::OnReloadData() {
  m_data.ReloadMenusAndItems();
  m_data.SetCurrentMenu(m_data.StartMenu());
  m_reloaded = true;
  ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CMainFrame::OnItemAction(WPARAM from, LPARAM value) {
  if (from != IDC_ICON_PANEL) return;
  char title[264] = {};  // the window title is the caption of its warnings
  ::GetWindowTextA(m_hWnd, title, sizeof title);
  LaunchItem(m_hWnd, title, m_data, static_cast<int>(value));  // a corrected File is written by the next Save
}

void CMainFrame::OnPathFromInstance() {
  if (ModalGuard::IsSet()) {
    HWND over = ::GetLastActivePopup(m_hWnd);
    GuardedMessageBox(over, kBusyText, kTitle, MB_OK | MB_ICONWARNING);
    return;
  }
  // The block belongs to whoever wrote it last: copy it once and work on the copy.
  char block[handoff::kBlockSize] = {};
  if (m_handoffView) std::memcpy(block, m_handoffView, sizeof block);
  std::string_view path = cp932::TerminatedView(block, handoff::kPathField);
  if (path.size() >= handoff::kPathField) path = {};

  HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
  if (m_reloaded) m_data.SaveItems();
  m_data.SaveMenuOnly();
  std::string file(path);
  if (!package::LooksLikeCabinet(file)) {
    char text[512];
    wsprintfA(text, kNotValidFormat, file.c_str());
    GuardedMessageBox(m_hWnd, text, kTitle, MB_OK | MB_ICONWARNING);
  }
  ::SetCursor(old);
  ::PostMessageA(m_hWnd, UM_RELOAD_DATA, 0, 0);
}
