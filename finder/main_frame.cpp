#include "finder/main_frame.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "bridge/quilodll.h"
#include "common/data_folder.h"
#include "common/dpi.h"
#include "common/ini_keys.h"
#include "finder/add_ext_dlg.h"
#include "finder/add_to_menu_dlg.h"
#include "finder/caption_skin.h"
#include "common/win/monitors.h"
#include "common/win/text.h"
#include "finder/file_prop_dlg.h"
#include "finder/finder_ids.h"
#include "finder/result_actions.h"

using namespace findrules;

namespace {

constexpr char kVendorFolder[] = "MARVANE";
constexpr char kProductFolder[] = "TOPLEX";
constexpr int kSplitterWidth = 5;  // these three at 96 DPI
constexpr int kStatePaneWidth = 80;
constexpr int kMinColumn = 20;
constexpr int kFilterHeight = 22;  // the filter above the list and the gap below it, at 96 DPI too
constexpr int kFilterGap = 3;
// How long destruction waits for a worker caught in a file-system call that does not return.
constexpr DWORD kWorkerExitMs = 5000;

// The folder of a file, with its separator; "" for a bare name.
std::string FolderOf(const std::string& file) {
  const std::string_view folder = findrules::FolderOf(file);
  return folder.empty() ? std::string() : std::string(folder) + '\\';
}

}  // namespace

namespace seekan {

CMainFrame::CMainFrame(HINSTANCE inst, std::string programSettings)
    : m_inst(inst), m_settings(std::move(programSettings)) {}

CMainFrame::~CMainFrame() {
  if (m_hwnd) ::DestroyWindow(m_hwnd);
}

bool CMainFrame::Create(const RECT& rc, const std::string& title) {
  CChildView::Register(m_inst);
  WNDCLASSEXA wc{sizeof wc};
  if (!::GetClassInfoExA(m_inst, kClassName, &wc) && !CWnd::RegisterClass(kClassName, m_inst, nullptr, nullptr))
    return false;
  return CWnd::Create(kClassName, title.c_str(),
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, rc, nullptr,
                      m_inst) != nullptr;
}

std::string CMainFrame::DataFolder() const { return FolderOf(m_settings.Path()); }

std::string CMainFrame::Text(UINT id) const {
  char text[260] = {};
  ::LoadStringA(m_inst, id, text, sizeof text);
  return text;
}

void CMainFrame::SettleDataFolder() {
  char appData[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) || !appData[0]) return;
  std::string folder = WithSeparator(appData) + kVendorFolder;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += '\\';
  folder += kProductFolder;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += '\\';
  datafolder::Seed(FolderOf(m_settings.Path()), folder, inikeys::kSettingsFile);
  m_settings = Profile(folder + inikeys::kSettingsFile);
}

LRESULT CMainFrame::OnCreate() {
  m_dpi = DpiOf(m_hwnd);
  SettleDataFolder();
  m_tree = std::make_unique<CFindTreeCtrl>(m_settings, m_inst);
  m_list = std::make_unique<CFindListCtrl>(m_settings, m_inst);
  RECT rc{0, 0, 200, 100};
  if (!m_left.Create(m_hwnd, rc, m_inst)) return -1;
  rc = RECT{0, 0, 100, 100};
  if (!m_right.Create(m_hwnd, rc, m_inst)) return -1;
  if (!m_request.CreateEvents()) return -1;
  m_request.frameWindow = m_hwnd;
  if (!m_tree->Create(m_left.Handle()) || !m_list->Create(m_right.Handle(), &m_request)) return -1;
  m_left.SetControl(m_tree->Handle());
  m_right.SetControl(m_list->Handle());
  if (!CreateFilter()) return -1;
  m_keys = ::LoadAcceleratorsA(m_inst, MAKEINTRESOURCEA(IDR_MAINFRAME));
  m_list->onInserted = [this](int count) { return OnInserted(count); };
  AttachCaptionSkin(m_hwnd, &m_ownerFlags);

  m_status = ::CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, m_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS)), m_inst, nullptr);
  SetPane(0, "");
  SetPane(1, Text(IDS_DONE));

  m_request.attributeMask = m_tree->HiddenType();
  m_request.listWindow = m_list->Handle();
  m_worker.Reset(::CreateThread(nullptr, 0, SearchThreadProc, &m_request, 0, nullptr));
  m_focus = m_tree->Handle();
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  OnSize(client.right, client.bottom);
  ::UpdateWindow(m_status);
  return 0;
}

void CMainFrame::OnDestroy() {
  // No more hand-offs; a worker inside one is let go, and one about to post finds the handle gone.
  m_request.listWindow = nullptr;
  ::SetEvent(m_request.itemAck.Get());
  if (m_worker && ::WaitForSingleObject(m_worker.Get(), 0) == WAIT_TIMEOUT) {
    m_request.RequestQuit();
    if (::WaitForSingleObject(m_request.finished.Get(), kWorkerExitMs) == WAIT_TIMEOUT) {
      // The worker is caught in a file-system call that does not return, and the request it
      // still reads goes with this frame: the process ends here and takes the worker along.
      ::ExitProcess(0);
    }
  }
  ::PostQuitMessage(0);
}

void CMainFrame::SetPane(int part, const std::string& text) {
  const WPARAM style = part == 0 ? SBT_NOBORDERS : 0;
  ::SendMessageA(m_status, SB_SETTEXTA, part | style, reinterpret_cast<LPARAM>(text.c_str()));
}

int CMainFrame::Px(int pixelsAt96) const { return dpi::Scale(pixelsAt96, m_dpi); }

// Moved to a monitor of another scale: the place Windows suggests, and the fonts, icons and panes
// made again for it.
void CMainFrame::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  m_dpi = dpi;
  UniqueFont font = SystemFontAt(SystemFont::kMessage, dpi);
  for (HWND w : {m_tree->Handle(), m_list->Handle(), m_filter, m_status})
    ::SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
  m_font = std::move(font);  // the old font goes once no control holds it
  m_tree->SetIconSide(dpi::Scale(16, dpi));
  m_list->SetDpi(dpi);
  const Rect place = ReachablePlace(Rect{suggested.left, suggested.top, suggested.right, suggested.bottom});
  ::SetWindowPos(m_hwnd, nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void CMainFrame::OnSize(int cx, int cy) {
  if (!m_status) return;
  ::SendMessageA(m_status, WM_SIZE, 0, 0);
  RECT sb;
  ::GetWindowRect(m_status, &sb);
  int parts[2] = {cx - Px(kStatePaneWidth) > 0 ? cx - Px(kStatePaneWidth) : 0, -1};
  ::SendMessageA(m_status, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
  const int height = cy - (sb.bottom - sb.top);
  if (m_split > cx - Px(kSplitterWidth) - Px(kMinColumn)) m_split = cx - Px(kSplitterWidth) - Px(kMinColumn);
  if (m_split < Px(kMinColumn)) m_split = Px(kMinColumn);
  ::MoveWindow(m_left.Handle(), 0, 0, m_split, height > 0 ? height : 0, TRUE);
  const int right = m_split + Px(kSplitterWidth);
  const int width = cx - right > 0 ? cx - right : 0;
  const int listTop = Px(kFilterHeight) + Px(kFilterGap);
  ::MoveWindow(m_filter, right, 0, width, Px(kFilterHeight), TRUE);
  ::MoveWindow(m_right.Handle(), right, listTop, width, height > listTop ? height - listTop : 0, TRUE);
}

void CMainFrame::Layout() {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  OnSize(client.right, client.bottom);
}

// Only the splitter bar shows between the panes.
LRESULT CMainFrame::OnEraseBackground(HDC dc) {
  RECT client;
  ::GetClientRect(m_hwnd, &client);
  ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_3DFACE));
  return 1;
}

bool CMainFrame::OnSetCursor(HWND w, UINT hit) {
  if (w != m_hwnd || hit != HTCLIENT) return false;
  POINT pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(m_hwnd, &pt);
  if (pt.x < m_split || pt.x >= m_split + Px(kSplitterWidth)) return false;
  ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEWE));
  return true;
}

void CMainFrame::OnLButtonDown(int x) {
  if (x < m_split || x >= m_split + Px(kSplitterWidth)) return;
  m_splitting = true;
  ::SetCapture(m_hwnd);
}

void CMainFrame::OnMouseMove(int x) {
  if (!m_splitting) return;
  m_split = x;
  Layout();
}

void CMainFrame::OnLButtonUp() {
  if (!m_splitting) return;
  m_splitting = false;
  ::ReleaseCapture();
}

// ---- starting, restarting and stopping --------------------------------------------------------

void CMainFrame::SetPending(HTREEITEM item) {
  if (item != m_unlimited) m_unlimited = nullptr;  // the limit was lifted for one search only
  m_pending.item = item;
  const FindNode* node = item ? m_tree->Node(item) : nullptr;
  m_pending.node = node ? *node : FindNode{};
}

void CMainFrame::StopFor(HTREEITEM item) {
  SetPending(item);
  m_control.OnStopAsked(item != nullptr);
  m_request.RequestStop();
}

void CMainFrame::StopSearch() { StopFor(nullptr); }

void CMainFrame::OnSearchStopped(unsigned startsTaken) {
  const bool hasPending = m_pending.item != nullptr;
  const auto action = m_control.OnStopped(startsTaken, hasPending, hasPending && (m_pending.node.flags & kPathNode));
  if (action == SearchControl::Action::kStopAgain) {
    // A report from before the running search: the running search is stopped and reported,
    // and that report starts the pending target. Until then the state pane keeps saying that a
    // search is on, so nobody takes this moment for the end.
    m_request.RequestStop();
    return;
  }
  m_list->ShowAll();
  ShowHeldBackCount();
  SetPane(1, Text(IDS_STOPPED));
  switch (action) {
    case SearchControl::Action::kStopAgain:
    case SearchControl::Action::kNothing: return;
    case SearchControl::Action::kShowKind:
      m_list->Clear();
      SetPane(0, "");
      SetPane(1, Text(IDS_DONE));
      return;
    case SearchControl::Action::kStartPending: break;
  }
  m_list->Clear();
  m_request.roots = m_tree->PathOf(m_pending.item).value_or("");
  m_request.attributeMask = m_tree->HiddenType();
  m_request.extensions = m_tree->ExtensionsOf(m_pending.item);
  ::ResetEvent(m_request.finished.Get());
  ::ResetEvent(m_request.stop.Get());
  ::ResetEvent(m_request.quit.Get());
  m_request.stopRequested = false;
  ::SetEvent(m_request.start.Get());
  // The walk is under way while the panes are painted; its matches wait in the queue.
  m_countDisplay.Reset();
  ShowCount(0);
  SetPane(1, Text(IDS_SEARCHING));
  ::UpdateWindow(m_status);
}

void CMainFrame::OnSearchDone() {
  m_list->ShowAll();  // takes the last matches first, under this search's limit
  m_unlimited = nullptr;
  ShowHeldBackCount();
  // With a new place chosen, the stop asked for it is reported next and starts that search.
  if (!m_control.RestartAsked()) SetPane(1, Text(IDS_DONE));
}

bool CMainFrame::OnInserted(int count) {
  if (count < m_list->FindMax() || (m_unlimited && m_unlimited == m_pending.item)) {
    if (m_countDisplay.Due(::GetTickCount())) ShowCount(count);
    return true;
  }
  char text[300];
  std::snprintf(text, sizeof text, Text(IDS_LIMIT).c_str(), m_list->FindMax());
  m_countDisplay.TakePending();  // the limit text stays
  // A place chosen meanwhile has already stopped this search, and its start must not be lost.
  if (m_worker && !m_control.RestartAsked()) {
    m_limited = m_pending.item;
    StopSearch();
    ::PostMessageA(m_hwnd, UM_LIMIT_REACHED, 0, 0);
  }
  SetPane(0, text);
  ::UpdateWindow(m_status);
  return false;
}

// What was found stays; the user may search the same place again without the limit, this once.
void CMainFrame::OnLimitReached() {
  char text[600];
  std::snprintf(text, sizeof text, Text(IDS_LIMIT_ASK).c_str(), m_list->FindMax());
  const HTREEITEM place = std::exchange(m_limited, nullptr);
  if (::MessageBoxA(m_hwnd, text, Text(IDS_TITLE).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  if (!place || m_pending.item) return;  // another place was chosen meanwhile
  m_unlimited = place;
  StopFor(place);
}

void CMainFrame::ShowCount(int count) {
  char text[300];
  std::snprintf(text, sizeof text, Text(IDS_FOUND).c_str(), count);
  SetPane(0, text);
  ::UpdateWindow(m_status);
}

void CMainFrame::ShowHeldBackCount() {
  if (m_countDisplay.TakePending()) ShowCount(ListView_GetItemCount(m_list->Handle()));
}

// ---- notifications ----------------------------------------------------------------------------

LRESULT CMainFrame::OnNotify(NMHDR* hdr) {
  LRESULT result = 0;
  if (hdr->idFrom == IDC_TREE && m_tree) {
    if (m_tree->OnNotify(hdr, &result)) return result;
    switch (hdr->code) {
      case TVN_SELCHANGEDA:
      case TVN_SELCHANGEDW:
        if (m_worker) {
          StopFor(reinterpret_cast<NMTREEVIEWA*>(hdr)->itemNew.hItem);
        }
        return 0;
      case TVN_KEYDOWN: {
        const WORD key = reinterpret_cast<NMTVKEYDOWN*>(hdr)->wVKey;
        if (key == VK_ESCAPE) StopSearch();
        if (key == VK_RETURN) {
          StopFor(m_tree->Selection());
        }
        return 0;
      }
      case NM_RCLICK: TreeMenu(); return 1;
      case NM_SETFOCUS: m_focus = m_tree->Handle(); return 0;
      default: return 0;
    }
  }
  if (hdr->idFrom == IDC_LIST && m_list) {
    if (m_list->OnNotify(hdr, &result)) return result;
    switch (hdr->code) {
      case NM_DBLCLK:
      case NM_RETURN: ::SendMessageA(m_hwnd, WM_COMMAND, ID_FILE_OPEN, 0); return 0;
      case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<NMLVKEYDOWN*>(hdr)->wVKey;
        if (key == VK_ESCAPE) StopSearch();
        return 0;
      }
      case NM_RCLICK: ListMenu(); return 1;
      case LVN_BEGINDRAG: BeginDrag(reinterpret_cast<NMLISTVIEW*>(hdr)->iItem); return 0;
      case NM_SETFOCUS: m_focus = m_list->Handle(); return 0;
      default: return 0;
    }
  }
  return 0;
}

// ---- context menus and commands ---------------------------------------------------------------

void CMainFrame::TreeMenu() {
  POINT pt;
  ::GetCursorPos(&pt);
  TVHITTESTINFO hit{};
  hit.pt = pt;
  ::ScreenToClient(m_tree->Handle(), &hit.pt);
  HTREEITEM item = TreeView_HitTest(m_tree->Handle(), &hit);
  if (!(hit.flags & TVHT_ONITEM)) item = nullptr;
  // The item under the pointer becomes the selection, which starts its search; none stops it.
  TreeView_SelectItem(m_tree->Handle(), item);
  UniqueMenu menu(::LoadMenuA(m_inst, MAKEINTRESOURCEA(IDM_TREE)));
  if (!menu) return;
  HMENU popup = ::GetSubMenu(menu.Get(), 0);
  const FindNode* node = m_tree->Node(m_tree->Selection());
  const int flags = node ? node->flags : 0;
  ::EnableMenuItem(popup, ID_ADD_EXTENSION, MF_BYCOMMAND | ((flags & kDocumentBranch) ? MF_ENABLED : MF_GRAYED));
  const bool single = (flags & kDocumentBranch) && (flags & kHasExtensions) && !(flags & kKindNode);
  ::EnableMenuItem(popup, ID_DELETE_EXTENSION, MF_BYCOMMAND | (single ? MF_ENABLED : MF_GRAYED));
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hwnd, nullptr);
}

void CMainFrame::ListMenu() {
  POINT pt;
  ::GetCursorPos(&pt);
  UniqueMenu menu(::LoadMenuA(m_inst, MAKEINTRESOURCEA(IDM_LIST)));
  if (!menu) return;
  HMENU popup = ::GetSubMenu(menu.Get(), 0);
  const bool selected = m_list->Selected() >= 0;
  const UINT state = MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED);
  ::EnableMenuItem(popup, ID_ADD_TO_MENU, MF_BYCOMMAND | (selected && GetModalState() == 0 ? MF_ENABLED : MF_GRAYED));
  ::EnableMenuItem(popup, ID_FILE_OPEN, state);
  ::EnableMenuItem(popup, ID_PROPERTIES, state);
  for (UINT id : {ID_OPEN_LOCATION, ID_COPY_FILES, ID_COPY_PATHS}) ::EnableMenuItem(popup, id, state);
  if (selected) ::SetMenuDefaultItem(popup, ID_FILE_OPEN, FALSE);
  ::CheckMenuRadioItem(popup, ID_VIEW_ICONS, ID_VIEW_DETAILS, m_list->Details() ? ID_VIEW_DETAILS : ID_VIEW_ICONS,
                       MF_BYCOMMAND);
  ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hwnd, nullptr);
}

void CMainFrame::OnCommand(UINT id) {
  switch (id) {
    case ID_FILE_OPEN: Open(); break;
    case ID_PROPERTIES: Properties(); break;
    case ID_ADD_EXTENSION: AddExtension(); break;
    case ID_DELETE_EXTENSION: m_tree->DeleteDocumentExtension(); break;
    case ID_ADD_TO_MENU: AddToMenu(); break;
    case ID_VIEW_ICONS: m_list->SetDetails(false); break;
    case ID_VIEW_DETAILS: m_list->SetDetails(true); break;
    case ID_GO_TO_FILTER: GoToFilter(); break;
    case ID_SEARCH_AGAIN: StopFor(m_tree->Selection()); break;
    case ID_SELECT_ALL: SelectAll(); break;
    case ID_NEXT_PANE: MoveFocus(true); break;
    case ID_PREVIOUS_PANE: MoveFocus(false); break;
    case ID_OPEN_LOCATION:
    case ID_COPY_FILES:
    case ID_COPY_PATHS: ActOnChosen(id); break;
    default: break;
  }
}

// Opening many files at once starts as many programs: past 15, as the shell does, it asks first.
void CMainFrame::Open() {
  const std::vector<int> chosen = m_list->SelectedIndexes();
  constexpr std::size_t kAskAbove = 15;
  if (chosen.size() > kAskAbove) {
    const std::string text = std::to_string(chosen.size()) + " 個のファイルを開きますか?";
    if (::MessageBoxA(m_hwnd, text.c_str(), Text(IDS_TITLE).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  }
  for (int index : chosen) {
    const ResultItem* item = m_list->Item(index);
    if (!item || !Usable(*item)) continue;
    SHELLEXECUTEINFOA info{sizeof info};
    info.hwnd = m_hwnd;
    info.lpFile = item->path.c_str();
    info.nShow = SW_SHOWNORMAL;
    ::ShellExecuteExA(&info);  // a failure to open is the shell's to tell
  }
}

void CMainFrame::Properties() {
  const ResultItem* item = m_list->Item(m_list->Selected());
  if (!item) return;
  CFilePropDlg dlg(m_hwnd, item->path);
  dlg.DoModal(m_inst);
}

void CMainFrame::AddExtension() {
  const FindNode* node = m_tree->Node(m_tree->Selection());
  if (!node || !(node->flags & kDocumentBranch)) return;
  CAddExtDlg dlg(m_hwnd, m_tree->RegisteredDocuments());
  if (dlg.DoModal(m_inst) != IDOK || dlg.Extension().empty()) return;
  m_tree->AddDocumentExtension(dlg.Extension());
}

// A result whose path code page 932 cannot write, even in its short form, is listed but handed
// to no one: the launcher could not store it, nor the shell open it by that path.
bool CMainFrame::Usable(const ResultItem& item) {
  if (item.usable) return true;
  ::MessageBoxA(m_hwnd, wintext::UnwritableNameText(item.displayName).c_str(), Text(IDS_TITLE).c_str(),
                MB_OK | MB_ICONWARNING);
  return false;
}

void CMainFrame::AddToMenu() {
  if (m_list->Selected() < 0 || GetModalState() != 0) return;
  const ResultItem* chosen = m_list->Item(m_list->Selected());
  if (!chosen || !Usable(*chosen)) return;
  CAddToMenuDlg dlg(m_hwnd, DataFolder());
  if (dlg.DoModal(m_inst) != IDOK) return;
  const ResultItem* item = m_list->Item(m_list->Selected());
  if (!item || item->path.empty()) return;
  QuiloNet net{};
  OpenQuiloNet(&net);
  ::EnableWindow(m_hwnd, FALSE);
  SendQuiloNet(&net, dlg.ChosenMenu(), item->path.c_str());
  ::EnableWindow(m_hwnd, TRUE);
  CloseQuiloNet(&net);
}

// The paths of the results, or none when one of them cannot be handed on (which is said).
std::optional<std::vector<std::string>> CMainFrame::PathsOf(const std::vector<int>& indexes) {
  std::vector<std::string> paths;
  for (int index : indexes) {
    const ResultItem* item = m_list->Item(index);
    if (!item || item->path.empty()) continue;
    if (!Usable(*item)) return std::nullopt;
    paths.push_back(item->path);
  }
  return paths;
}

void CMainFrame::ActOnChosen(UINT command) {
  // Ctrl+C in the filter copies its text, as in any field.
  if (command == ID_COPY_FILES && ::GetFocus() == m_filter) {
    ::SendMessageA(m_filter, WM_COPY, 0, 0);
    return;
  }
  const auto paths = PathsOf(m_list->SelectedIndexes());
  if (!paths || paths->empty()) return;
  if (command == ID_OPEN_LOCATION) resultactions::OpenLocations(*paths);
  if (command == ID_COPY_FILES) resultactions::CopyFiles(m_hwnd, *paths);
  if (command == ID_COPY_PATHS) resultactions::CopyPaths(m_hwnd, *paths);
}

// The selection travels when the pressed result is part of it, else the pressed result alone.
void CMainFrame::BeginDrag(int index) {
  std::vector<int> indexes = m_list->SelectedIndexes();
  if (std::find(indexes.begin(), indexes.end(), index) == indexes.end()) indexes.assign(1, index);
  const auto paths = PathsOf(indexes);
  if (!paths || paths->empty()) return;
  ::EnableWindow(m_hwnd, FALSE);
  resultactions::DragOut(*paths);
  ::EnableWindow(m_hwnd, TRUE);
}

// ---- the filter and the keys --------------------------------------------------------------------

bool CMainFrame::CreateFilter() {
  m_filter =
      ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                        m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_FILTER)), m_inst, nullptr);
  if (!m_filter) return false;
  // The list's font, which lives as long as the list: the filter reads as part of the result pane.
  ::SendMessageA(m_filter, WM_SETFONT, ::SendMessageA(m_list->Handle(), WM_GETFONT, 0, 0), FALSE);
  wchar_t cue[64] = {};
  ::LoadStringW(m_inst, IDS_FILTER_CUE, cue, 64);
  ::SendMessageW(m_filter, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(cue));
  return true;
}

void CMainFrame::OnFilterCommand(UINT code) {
  if (code == EN_SETFOCUS) m_focus = m_filter;
  if (code != EN_CHANGE) return;
  char typed[MAX_PATH] = {};
  ::GetWindowTextA(m_filter, typed, sizeof typed);
  m_list->SetFilter(typed);
  if (m_list->Taken() > 0) ShowCount(ListView_GetItemCount(m_list->Handle()));
}

void CMainFrame::GoToFilter() {
  ::SetFocus(m_filter);
  ::SendMessageA(m_filter, EM_SETSEL, 0, -1);
}

void CMainFrame::SelectAll() {
  if (::GetFocus() == m_filter) ::SendMessageA(m_filter, EM_SETSEL, 0, -1);
  else m_list->SelectAll();
}

void CMainFrame::MoveFocus(bool forward) {
  const HWND order[] = {m_tree->Handle(), m_filter, m_list->Handle()};
  const HWND now = ::GetFocus();
  int at = 0;
  while (at < 3 && order[at] != now) ++at;
  const HWND next = order[at == 3 ? 0 : (at + (forward ? 1 : 2)) % 3];
  if (next == m_filter) GoToFilter();
  else ::SetFocus(next);
}

bool CMainFrame::TranslateKeys(MSG* msg) {
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return false;
  if (msg->hwnd != m_hwnd && !::IsChild(m_hwnd, msg->hwnd)) return false;
  if (msg->hwnd == m_filter && msg->message == WM_KEYDOWN) {
    // Escape empties the filter, and stops the search once it is empty, as elsewhere.
    if (msg->wParam == VK_ESCAPE && ::GetWindowTextLengthA(m_filter) > 0) ::SetWindowTextA(m_filter, "");
    else if (msg->wParam == VK_ESCAPE) StopSearch();
    else if (msg->wParam == VK_RETURN) ::SetFocus(m_list->Handle());
    if (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN) return true;
  }
  return m_keys && ::TranslateAcceleratorA(m_hwnd, m_keys, msg);
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_DISPLAYCHANGE: KeepWithinReach(m_hwnd); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_FILTER) OnFilterCommand(HIWORD(wParam));
      else OnCommand(LOWORD(wParam));
      return 0;
    case WM_SETFOCUS:
      if (m_focus) ::SetFocus(m_focus);
      return 0;
    case WM_ERASEBKGND: return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) StopSearch();
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
      return Default(msg, wParam, lParam);
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<short>(LOWORD(lParam))); return 0;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<short>(LOWORD(lParam))); return 0;
    case WM_LBUTTONUP: OnLButtonUp(); return 0;
    case UM_SEARCH_STOPPED: OnSearchStopped(static_cast<unsigned>(wParam)); return 0;
    case UM_SEARCH_DONE: OnSearchDone(); return 0;
    case UM_LIMIT_REACHED: OnLimitReached(); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

}  // namespace seekan
