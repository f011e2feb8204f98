#include "finder/find_list_ctrl.h"

#include <shellapi.h>

#include <algorithm>
#include <tuple>
#include <utility>

#include "common/cp932.h"
#include "common/dpi.h"
#include "common/ini_keys.h"
#include "common/ui/subclass.h"
#include "common/win/handles.h"
#include "common/win/icons.h"
#include "common/win/monitors.h"
#include "common/win/text.h"
#include "finder/finder_ids.h"
#include "finder/finder_settings.h"
#include "finder/search_engine.h"
#include "finder/shell_types.h"

namespace fs = findsettings;

namespace {
constexpr UINT_PTR kShowTimer = 1, kTakeTimer = 3;
constexpr UINT kTakeDelayMs = 30;
constexpr UINT kShowDelayMs = 250;
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
  m_hwnd = ::CreateWindowExA(
      0, WC_LISTVIEWA, "",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS, 0, 0, 0,
      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIST)), m_inst, nullptr);
  if (!m_hwnd) return false;
  m_dpi = DpiOf(parent);
  SetIconSides(dpi::IconSize(m_dpi), dpi::Scale(16, m_dpi));
  ListView_SetExtendedListViewStyle(m_hwnd, LVS_EX_FULLROWSELECT);
  LoadLook();
  CreateColumns();
  ApplyView();
  return Attach(m_hwnd);
}

void CFindListCtrl::SetIconSides(int large, int small) {
  if (large == m_iconSide && small == m_smallSide) return;
  m_iconSide = large;
  m_smallSide = small;
  for (auto [list, side, which] : {std::tuple{&m_images, large, LVSIL_NORMAL}, {&m_smallImages, small, LVSIL_SMALL}}) {
    list->Reset(ImageList_Create(side, side, ImageListColourFlag() | ILC_MASK, 32, 32));
    ImageList_SetBkColor(list->Get(), ::GetSysColor(COLOR_WINDOW));
    // The list owns nothing of the image lists: they go with this object.
    ListView_SetImageList(m_hwnd, list->Get(), which);
  }
  m_iconCache.clear();
  m_smallIconCache.clear();
  for (auto& look : m_looks) look.second.image = look.second.smallImage = -1;
  for (ResultItem& item : m_items)
    if (item.usable) item.image = item.smallImage = -1;
  ::InvalidateRect(m_hwnd, nullptr, TRUE);
}

LRESULT CFindListCtrl::SubclassProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN: {
      LRESULT r = Default(msg, wParam, lParam);
      DetectDrag(lParam);
      return r;
    }
    case UM_SEARCH_HIT:
      if (wParam) TakeMatches();  // the worker waits
      else if (!std::exchange(m_takePending, true)) ::SetTimer(m_hwnd, kTakeTimer, kTakeDelayMs, nullptr);
      return 0;
    case WM_DESTROY:  // a width changed just before the close is not lost
      if (std::exchange(m_lookPending, false)) SaveLook();
      return Default(msg, wParam, lParam);
    case WM_NOTIFY: {
      const LRESULT r = Default(msg, wParam, lParam);
      const UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
      if (code == HDN_ITEMCHANGEDA || code == HDN_ITEMCHANGEDW) NoteColumnWidths();
      return r;
    }
    case WM_TIMER:
      if (wParam == kLookTimer) {
        ::KillTimer(m_hwnd, kLookTimer);
        m_lookPending = false;
        SaveLook();
        return 0;
      }
      if (wParam == kTakeTimer) {
        TakeMatches();
        return 0;
      }
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
  if (std::exchange(m_takePending, false)) ::KillTimer(m_hwnd, kTakeTimer);
  if (!m_request) return;
  std::vector<FoundFile> found = m_request->matches.TakeAll(m_request->itemAck.Get());
  if (!m_taking) return;  // the limit was reached: what the worker found meanwhile goes
  const std::size_t first = m_items.size();
  if (m_items.capacity() < first + found.size()) m_items.reserve(std::max(first + found.size(), 2 * first));
  for (FoundFile& match : found) {
    const bool usable = match.path.rfind(kUnusableMark, 0) != 0;
    if (!usable) match.path.erase(0, sizeof kUnusableMark - 1);
    std::string name(findrules::FileNameOf(match.path));
    // A file the shell cannot be asked about by its narrow path is named and drawn as it is.
    ResultItem item{std::move(name), std::move(match.path), match.size, match.written};
    item.image = item.smallImage = usable ? -1 : 0;
    item.named = !usable;
    item.usable = usable;
    m_items.push_back(std::move(item));
  }
  if (!m_filter.Empty()) FoldNames(first);
  // The limit counts the results the filter lets through; the others are kept for a wider filter.
  for (std::size_t i = first; i < m_items.size(); ++i) {
    if (!PassesFilter(m_items[i])) continue;
    ++m_matched;
    if (onInserted && !onInserted(m_matched)) {
      m_taking = false;
      m_items.resize(i + 1);
      break;
    }
  }
  // The control learns the new count a moment later, together with the matches that follow:
  // its redraw stays suspended meanwhile, so a match costs no layout and no painting.
  if (!m_showPending) {
    m_showPending = true;
    ::SetTimer(m_hwnd, kShowTimer, m_showDelayMs, nullptr);
  }
}

void CFindListCtrl::ShowAll() {
  TakeMatches();  // what the worker queued before it ended
  if (m_showPending) ::KillTimer(m_hwnd, kShowTimer);
  m_showPending = false;
  if (m_ordered == m_items.size()) return;
  // Some controls lay out and paint every entry again when the count grows: matches show four
  // times a second (or after a few times what the last showing took), so that the search seldom
  // waits for the window, and a walk done within the first quarter second is shown once, whole.
  const DWORD started = ::GetTickCount();
  Refresh(OrderNew());
  const DWORD took = ::GetTickCount() - started;
  m_showDelayMs = took * kShowPatience > kShowDelayMs ? took * kShowPatience : kShowDelayMs;
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

void CFindListCtrl::ResolveIcon(ResultItem& item, bool small) {
  ExtensionLook& look = LookOf(findrules::FileNameOf(item.path));
  int& image = small ? item.smallImage : item.image;
  int& shared = small ? look.smallImage : look.image;
  if (!look.ownIcons && shared >= 0) {
    image = shared;
    return;
  }
  SHFILEINFOA info{};
  ::SHGetFileInfoA(item.path.c_str(), 0, &info, sizeof info, SHGFI_ICON | (small ? SHGFI_SMALLICON : 0));
  UniqueIcon icon(info.hIcon);
  int key = info.iIcon;
  // The shell gives its system sizes only: at another DPI the icon's file is asked at the side drawn.
  const int side = small ? m_smallSide : m_iconSide;
  SHFILEINFOA where{};
  if (icon && side != ::GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON) &&
      ::SHGetFileInfoA(item.path.c_str(), 0, &where, sizeof where, SHGFI_ICONLOCATION) && where.szDisplayName[0]) {
    if (UniqueIcon sized = IconOfSize(where.szDisplayName, where.iIcon, side)) icon = std::move(sized);
  }
  if (!icon) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, item.path.c_str(), MAX_PATH);
    WORD index = 0;
    icon.Reset(::ExtractAssociatedIconA(m_inst, path, &index));
    key = -2 - index;  // apart from the system list's indexes
  }
  HIMAGELIST images = small ? m_smallImages.Get() : m_images.Get();
  std::unordered_map<int, int>& cache = small ? m_smallIconCache : m_iconCache;
  auto found = cache.find(key);
  if (found != cache.end()) {
    image = found->second;
  } else {
    image = icon ? ImageList_AddIcon(images, icon.Get()) : -1;
    if (image >= 0) cache.emplace(key, image);
  }
  if (image < 0) image = 0;
  if (!look.ownIcons) shared = image;
}

int CFindListCtrl::Selected() const {
  const int focused = ListView_GetNextItem(m_hwnd, -1, LVNI_FOCUSED | LVNI_SELECTED);
  return focused >= 0 ? focused : ListView_GetNextItem(m_hwnd, -1, LVNI_SELECTED);
}

std::vector<int> CFindListCtrl::SelectedIndexes() const {
  std::vector<int> chosen;
  for (int i = ListView_GetNextItem(m_hwnd, -1, LVNI_SELECTED); i >= 0;
       i = ListView_GetNextItem(m_hwnd, i, LVNI_SELECTED))
    chosen.push_back(i);
  return chosen;
}

// All chosen, with a focused row kept or given, so that Enter and the keys that follow act on them.
void CFindListCtrl::SelectAll() {
  ListView_SetItemState(m_hwnd, -1, LVIS_SELECTED, LVIS_SELECTED);
  if (ListView_GetNextItem(m_hwnd, -1, LVNI_FOCUSED) < 0) ListView_SetItemState(m_hwnd, 0, LVIS_FOCUSED, LVIS_FOCUSED);
}

const ResultItem* CFindListCtrl::Item(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= m_view.size()) return nullptr;
  return &m_items[m_view[index]];
}

void CFindListCtrl::Clear() {
  if (std::exchange(m_takePending, false)) ::KillTimer(m_hwnd, kTakeTimer);
  if (m_showPending) ::KillTimer(m_hwnd, kShowTimer);
  m_showPending = false;
  m_showDelayMs = kShowDelayMs;
  m_taking = true;
  if (m_request) m_request->matches.Clear();
  ListView_DeleteAllItems(m_hwnd);
  m_items.clear();
  m_order.clear();
  m_view.clear();
  m_ordered = 0;
  m_matched = 0;
  ImageList_RemoveAll(m_images.Get());
  m_iconCache.clear();
  ImageList_RemoveAll(m_smallImages.Get());
  m_smallIconCache.clear();
  m_looks.clear();
  m_namingFolders.clear();
}

bool CFindListCtrl::OnNotify(NMHDR* hdr, LRESULT* result) {
  switch (hdr->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW:
      if (!OnDispInfo(hdr)) return false;
      *result = 0;
      return true;
    case LVN_COLUMNCLICK:
      OnColumnClick(reinterpret_cast<NMLISTVIEW*>(hdr)->iSubItem);
      *result = 0;
      return true;
    default: return false;
  }
}

bool CFindListCtrl::OnDispInfo(NMHDR* hdr) {
  auto* nm = reinterpret_cast<NMLVDISPINFOA*>(hdr);
  if (nm->item.iItem < 0 || static_cast<std::size_t>(nm->item.iItem) >= m_view.size()) return false;
  ResultItem& item = m_items[m_view[nm->item.iItem]];
  if ((nm->item.mask & LVIF_IMAGE) && nm->item.iSubItem == 0) {
    int& image = m_details ? item.smallImage : item.image;
    if (image < 0) ResolveIcon(item, m_details);
    nm->item.iImage = image;
  }
  if (!(nm->item.mask & LVIF_TEXT) || !nm->item.pszText || nm->item.cchTextMax <= 0) return true;
  const std::string text = CellText(item, nm->item.iSubItem);
  if (hdr->code == LVN_GETDISPINFOA) {
    lstrcpynA(nm->item.pszText, text.c_str(), nm->item.cchTextMax);
  } else {
    auto* w = reinterpret_cast<NMLVDISPINFOW*>(hdr);
    lstrcpynW(w->item.pszText, wintext::FromCp932(text).c_str(), w->item.cchTextMax);
  }
  return true;
}
