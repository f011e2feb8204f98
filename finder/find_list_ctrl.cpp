#include "finder/find_list_ctrl.h"

#include <shellapi.h>

#include "common/cp932.h"
#include "common/ini_keys.h"
#include "common/ui/subclass.h"
#include "common/win/handles.h"
#include "finder/finder_ids.h"
#include "finder/finder_settings.h"
#include "finder/search_engine.h"
#include "finder/shell_types.h"

namespace fs = findsettings;

namespace {
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowDelayMs = 50;
constexpr UINT kLaterShowMs = 250;
constexpr UINT kShowPatience = 4;
constexpr char kFolderSettingsFile[] = "desktop.ini";
}  // namespace

CFindListCtrl::CFindListCtrl(const Profile& settings, HINSTANCE inst) : m_settings(settings), m_inst(inst) {
  m_findMax = m_settings.GetInt(inikeys::kFindInit, fs::kFindMax, fs::kDefaultFindMax);
}

CFindListCtrl::~CFindListCtrl() {
  if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

bool CFindListCtrl::Create(HWND parent, SearchRequest* request) {
  m_request = request;
  m_hwnd =
      ::CreateWindowExA(0, WC_LISTVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL | LVS_OWNERDATA |
                            LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                        0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIST)), m_inst, nullptr);
  if (!m_hwnd) return false;
  m_images.Reset(ImageList_Create(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                  ImageListColourFlag() | ILC_MASK, 32, 32));
  ImageList_SetBkColor(m_images.Get(), ::GetSysColor(COLOR_WINDOW));
  // The list owns nothing of the image list: it goes with this object.
  ListView_SetImageList(m_hwnd, m_images.Get(), LVSIL_NORMAL);
  return Attach(m_hwnd);
}

LRESULT CFindListCtrl::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      LRESULT r = Default(msg, wParam, lParam);
      DetectDrag(lParam);
      return r;
    }
    case UM_SEARCH_HIT: TakeMatches(); return 0;
    case WM_TIMER:
      if (wParam != kShowTimer) return Default(msg, wParam, lParam);
      ShowAll();
      return 0;
    default: return Default(msg, wParam, lParam);
  }
}

// Some list controls return from the button press without watching for a drag (Wine's does);
// then the press is followed here, and a move beyond the drag distance begins the drag as the
// control's own notification would.
void CFindListCtrl::DetectDrag(LPARAM clientPoint) {
  if (!m_hwnd || ::GetKeyState(VK_LBUTTON) >= 0 || !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000)) return;
  LVHITTESTINFO hit{};
  hit.pt = POINT{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  const int index = static_cast<int>(::SendMessageA(m_hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (index < 0 || !(hit.flags & LVHT_ONITEM)) return;
  POINT screen = hit.pt;
  ::ClientToScreen(m_hwnd, &screen);
  if (!::DragDetect(m_hwnd, screen)) return;
  NMLISTVIEW nm{};
  nm.hdr.hwndFrom = m_hwnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hwnd));
  nm.hdr.code = LVN_BEGINDRAG;
  nm.iItem = index;
  nm.ptAction = hit.pt;
  ::SendMessageA(::GetParent(m_hwnd), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CFindListCtrl::TakeMatches() {
  if (!m_request) return;
  for (std::string& path : m_request->matches.TakeAll(m_request->itemAck.Get())) {
    if (!m_taking) break;  // the limit was reached: what the worker found meanwhile goes
    const bool usable = path.rfind(kUnusableMark, 0) != 0;
    if (!usable) path.erase(0, sizeof kUnusableMark - 1);
    std::string name(findrules::FileNameOf(path));
    // A file the shell cannot be asked about by its narrow path is named and drawn as it is.
    m_items.push_back(ResultItem{std::move(name), std::move(path), usable ? -1 : 0, !usable, usable});
    if (onInserted && !onInserted(static_cast<int>(m_items.size()))) m_taking = false;
  }
  // The control learns the new count a moment later, together with the matches that follow:
  // its redraw stays suspended meanwhile, so a match costs no layout and no painting.
  if (!m_showPending) {
    m_showPending = true;
    ::SetTimer(m_hwnd, kShowTimer, m_showDelayMs, nullptr);
  }
}

void CFindListCtrl::ShowAll() {
  if (m_showPending) ::KillTimer(m_hwnd, kShowTimer);
  m_showPending = false;
  const int shown = ListView_GetItemCount(m_hwnd);
  if (static_cast<std::size_t>(shown) == m_items.size()) return;
  // Some controls lay out and paint every entry again when the count grows: the first matches
  // show at once, later ones four times a second (or after a few times what the last showing took),
  // so that the search seldom waits for the window.
  const DWORD started = ::GetTickCount();
  // Some controls scroll to the last entry when the count grows; the view stays where it was.
  POINT before{}, after{};
  // What was waiting to be painted, kept through the control's own invalidation below.
  UniqueRegion pending(::CreateRectRgn(0, 0, 0, 0));
  ::GetUpdateRgn(m_hwnd, pending.Get(), FALSE);
  ::SendMessageA(m_hwnd, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&before));
  // Some controls (Wine's) place new entries of an icon view only when told to arrange, and
  // leave them all on the first place until then. Arranging moves each entry, which with
  // redrawing on would repaint it; the list is painted once afterwards instead.
  ::SendMessageA(m_hwnd, WM_SETREDRAW, FALSE, 0);
  ::SendMessageA(m_hwnd, LVM_SETITEMCOUNT, m_items.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  ::SendMessageA(m_hwnd, LVM_ARRANGE, LVA_DEFAULT, 0);
  ::SendMessageA(m_hwnd, WM_SETREDRAW, TRUE, 0);
  ::SendMessageA(m_hwnd, LVM_GETORIGIN, 0, reinterpret_cast<LPARAM>(&after));
  const bool scrolled = after.x != before.x || after.y != before.y;
  if (scrolled) ::SendMessageA(m_hwnd, LVM_SCROLL, before.x - after.x, before.y - after.y);
  // Some controls (Wine's) repaint every entry when redrawing is turned on again, which costs
  // as much as the whole list: when the new entries are all out of sight, only the scroll bar
  // changes, and the list keeps what it shows.
  if (shown == 0 || scrolled || InSight(shown)) {
    ::InvalidateRect(m_hwnd, nullptr, TRUE);
  } else {
    ::ValidateRect(m_hwnd, nullptr);
    ::InvalidateRgn(m_hwnd, pending.Get(), TRUE);
  }
  const DWORD took = ::GetTickCount() - started;
  m_showDelayMs = took * kShowPatience > kLaterShowMs ? took * kShowPatience : kLaterShowMs;
}

// Whether the entry shows in the list's client area, or above its bottom; later entries come after
// it in the view.
bool CFindListCtrl::InSight(int index) const {
  RECT item{LVIR_BOUNDS, 0, 0, 0}, client;
  if (!::SendMessageA(m_hwnd, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item))) return true;
  ::GetClientRect(m_hwnd, &client);
  return item.top < client.bottom;
}

CFindListCtrl::ExtensionLook& CFindListCtrl::LookOf(std::string_view fileName) {
  const auto ext = findrules::ExtensionOf(fileName);
  const std::string text(ext ? *ext : std::string_view());
  auto [at, added] = m_looks.try_emplace(findrules::ExtensionKey(text));
  if (added) at->second.ownIcons = ExtensionHasOwnIcons(text);
  return at->second;
}

void CFindListCtrl::ResolveName(ResultItem& item) {
  // The control asks for texts to lay entries out as well as to draw them; the icon is asked
  // for only when an entry is drawn.
  item.named = true;
  const std::string fileName = item.displayName;  // the file name until the shell names it
  ExtensionLook& look = LookOf(fileName);
  const bool ownNames = NamesItsFiles(item.path.substr(0, item.path.size() - fileName.size()));
  if (!ownNames &&
      (look.names == findrules::NameRule::kWholeName || look.names == findrules::NameRule::kWithoutExtension)) {
    item.displayName = findrules::NameByRule(fileName, look.names);
    return;
  }
  SHFILEINFOA info{};
  ::SHGetFileInfoA(item.path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME);
  const std::string_view shellName = cp932::TerminatedView(info.szDisplayName, sizeof info.szDisplayName);
  if (!shellName.empty()) item.displayName = std::string(shellName);
  if (!ownNames && look.names == findrules::NameRule::kUnknown)
    look.names = findrules::LearnNameRule(fileName, shellName);
}

bool CFindListCtrl::NamesItsFiles(const std::string& folder) {
  auto [at, added] = m_namingFolders.try_emplace(folder, false);
  if (added) {
    const DWORD a = ::GetFileAttributesA((folder + kFolderSettingsFile).c_str());
    at->second = a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
  return at->second;
}

void CFindListCtrl::ResolveIcon(ResultItem& item) {
  ExtensionLook& look = LookOf(findrules::FileNameOf(item.path));
  if (!look.ownIcons && look.image >= 0) {
    item.image = look.image;
    return;
  }
  SHFILEINFOA info{};
  ::SHGetFileInfoA(item.path.c_str(), 0, &info, sizeof info, SHGFI_ICON);
  UniqueIcon icon(info.hIcon);
  int key = info.iIcon;
  if (!icon) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, item.path.c_str(), MAX_PATH);
    WORD index = 0;
    icon.Reset(::ExtractAssociatedIconA(m_inst, path, &index));
    key = -2 - index;  // apart from the system list's indexes
  }
  auto found = m_iconCache.find(key);
  if (found != m_iconCache.end()) {
    item.image = found->second;
  } else {
    item.image = icon ? ImageList_AddIcon(m_images.Get(), icon.Get()) : -1;
    if (item.image >= 0) m_iconCache.emplace(key, item.image);
  }
  if (item.image < 0) item.image = 0;
  if (!look.ownIcons) look.image = item.image;
}

int CFindListCtrl::Selected() const { return ListView_GetNextItem(m_hwnd, -1, LVNI_SELECTED); }

std::vector<int> CFindListCtrl::SelectedIndexes() const {
  std::vector<int> indexes;
  for (int i = ListView_GetNextItem(m_hwnd, -1, LVNI_SELECTED); i >= 0;
       i = ListView_GetNextItem(m_hwnd, i, LVNI_SELECTED))
    indexes.push_back(i);
  return indexes;
}

const ResultItem* CFindListCtrl::Item(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_items.size()) return nullptr;
  return &m_items[index];
}

void CFindListCtrl::Clear() {
  if (m_showPending) ::KillTimer(m_hwnd, kShowTimer);
  m_showPending = false;
  m_showDelayMs = kShowDelayMs;
  m_taking = true;
  if (m_request) m_request->matches.Clear();
  ListView_DeleteAllItems(m_hwnd);
  m_items.clear();
  ImageList_RemoveAll(m_images.Get());
  m_iconCache.clear();
  m_looks.clear();
  m_namingFolders.clear();
}

bool CFindListCtrl::OnNotify(NMHDR* hdr, LRESULT* result) {
  switch (hdr->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
      auto* nm = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      if (nm->item.iItem < 0 || static_cast<std::size_t>(nm->item.iItem) >= m_items.size()) return false;
      ResultItem& item = m_items[nm->item.iItem];
      if (nm->item.mask & LVIF_IMAGE) {
        if (item.image < 0) ResolveIcon(item);
        nm->item.iImage = item.image;
      }
      if ((nm->item.mask & LVIF_TEXT) && !item.named) ResolveName(item);
      if ((nm->item.mask & LVIF_TEXT) && nm->item.pszText && nm->item.cchTextMax > 0) {
        if (hdr->code == LVN_GETDISPINFOA) {
          lstrcpynA(nm->item.pszText, item.displayName.c_str(), nm->item.cchTextMax);
        } else {
          auto* w = reinterpret_cast<NMLVDISPINFOW*>(hdr);
          ::MultiByteToWideChar(CP_ACP, 0, item.displayName.c_str(), -1, w->item.pszText, w->item.cchTextMax);
        }
      }
      *result = 0;
      return true;
    }
    default: return false;
  }
}
