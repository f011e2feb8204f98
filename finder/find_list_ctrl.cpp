#include "finder/find_list_ctrl.h"

#include <shellapi.h>

#include <cstring>

#include "common/ui/subclass.h"
#include "common/win/handles.h"
#include "finder/find_tree_ctrl.h"
#include "finder/finder_ids.h"
#include "finder/finder_settings.h"
#include "finder/search_engine.h"

namespace fs = findsettings;

namespace {
constexpr char kSelfProperty[] = "SeekanFindList";
}

CFindListCtrl::CFindListCtrl(const Profile& settings, HINSTANCE inst) : m_settings(settings), m_inst(inst) {
  m_findMax = m_settings.GetInt(fs::kInitSection, fs::kFindMax, fs::kDefaultFindMax);
}

CFindListCtrl::~CFindListCtrl() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  if (m_images) ImageList_Destroy(m_images);
}

bool CFindListCtrl::Create(HWND parent, SearchRequest* request) {
  m_request = request;
  m_hWnd = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_SINGLESEL |
                             LVS_AUTOARRANGE | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_LIST)), m_inst, nullptr);
  if (!m_hWnd) return false;
  m_images = ImageList_Create(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                              ImageListColourFlag() | ILC_MASK, 32, 32);
  ImageList_SetBkColor(m_images, ::GetSysColor(COLOR_WINDOW));
  // The list owns nothing of the image list: it goes with this object.
  ListView_SetImageList(m_hWnd, m_images, LVSIL_NORMAL);
  ::SetPropA(m_hWnd, kSelfProperty, this);
  m_previous = SubclassWindow(m_hWnd, SubclassProc);
  return m_previous != nullptr;
}

LRESULT CALLBACK CFindListCtrl::SubclassProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CFindListCtrl*>(::GetPropA(w, kSelfProperty));
  if (!self) return ::DefWindowProcA(w, msg, wParam, lParam);
  WNDPROC previous = self->m_previous;
  switch (msg) {
    case WM_LBUTTONDOWN: {
      LRESULT r = ::CallWindowProcA(previous, w, msg, wParam, lParam);
      self->DetectDrag(lParam);
      return r;
    }
    case UM_SEARCH_HIT: self->OnSearchHit(reinterpret_cast<const char*>(lParam)); return 0;
    case WM_NCDESTROY:
      SubclassWindow(w, previous);
      ::RemovePropA(w, kSelfProperty);
      self->m_hWnd = nullptr;
      return ::CallWindowProcA(previous, w, msg, wParam, lParam);
    default: return ::CallWindowProcA(previous, w, msg, wParam, lParam);
  }
}

// Some list controls return from the button press without watching for a drag (Wine's does);
// then the press is followed here, and a move beyond the drag distance begins the drag as the
// control's own notification would.
void CFindListCtrl::DetectDrag(LPARAM clientPoint) {
  if (!m_hWnd || ::GetKeyState(VK_LBUTTON) >= 0 || !(::GetAsyncKeyState(VK_LBUTTON) & 0x8000)) return;
  LVHITTESTINFO hit{};
  hit.pt = POINT{static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
  const int index = static_cast<int>(::SendMessageA(m_hWnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (index < 0 || !(hit.flags & LVHT_ONITEM)) return;
  POINT screen = hit.pt;
  ::ClientToScreen(m_hWnd, &screen);
  if (!::DragDetect(m_hWnd, screen)) return;
  NMLISTVIEW nm{};
  nm.hdr.hwndFrom = m_hWnd;
  nm.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
  nm.hdr.code = LVN_BEGINDRAG;
  nm.iItem = index;
  nm.ptAction = hit.pt;
  ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

void CFindListCtrl::OnSearchHit(const char* path) {
  // The worker waits for the acknowledgement and keeps the text until then.
  const char* slash = std::strrchr(path, '\\');
  auto* item = new ResultItem{slash ? slash + 1 : path, path, -1};
  ::SendMessageA(m_hWnd, WM_SETREDRAW, FALSE, 0);
  LVITEMA lv{};
  lv.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  lv.iItem = ListView_GetItemCount(m_hWnd);
  lv.pszText = LPSTR_TEXTCALLBACKA;
  lv.iImage = I_IMAGECALLBACK;
  lv.lParam = reinterpret_cast<LPARAM>(item);
  if (::SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lv)) < 0) delete item;
  ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
  if (m_request) ::SetEvent(m_request->itemAck.Get());
}

void CFindListCtrl::Resolve(ResultItem& item) {
  SHFILEINFOA info{};
  ::SHGetFileInfoA(item.path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
  UniqueIcon icon(info.hIcon);
  int key = info.iIcon;
  if (!icon) {
    char path[MAX_PATH] = {};
    lstrcpynA(path, item.path.c_str(), MAX_PATH);
    WORD index = 0;
    icon.Reset(::ExtractAssociatedIconA(m_inst, path, &index));
    key = -2 - index;  // apart from the system list's indexes
  }
  if (info.szDisplayName[0]) item.displayName = info.szDisplayName;
  auto found = m_iconCache.find(key);
  if (found != m_iconCache.end()) {
    item.image = found->second;
  } else {
    item.image = icon ? ImageList_AddIcon(m_images, icon.Get()) : -1;
    if (item.image >= 0) m_iconCache.emplace(key, item.image);
  }
  if (item.image < 0) item.image = 0;
}

int CFindListCtrl::Selected() const { return ListView_GetNextItem(m_hWnd, -1, LVNI_SELECTED); }

const ResultItem* CFindListCtrl::Item(int index) const {
  if (index < 0) return nullptr;
  LVITEMA lv{};
  lv.mask = LVIF_PARAM;
  lv.iItem = index;
  if (!::SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lv))) return nullptr;
  return reinterpret_cast<const ResultItem*>(lv.lParam);
}

void CFindListCtrl::Clear() {
  ListView_DeleteAllItems(m_hWnd);
  ImageList_RemoveAll(m_images);
  m_iconCache.clear();
}

bool CFindListCtrl::OnNotify(NMHDR* hdr, LRESULT* result) {
  switch (hdr->code) {
    case LVN_GETDISPINFOA:
    case LVN_GETDISPINFOW: {
      auto* nm = reinterpret_cast<NMLVDISPINFOA*>(hdr);
      auto* item = reinterpret_cast<ResultItem*>(nm->item.lParam);
      if (!item) return false;
      if (item->image < 0) Resolve(*item);
      if (nm->item.mask & LVIF_IMAGE) nm->item.iImage = item->image;
      if ((nm->item.mask & LVIF_TEXT) && nm->item.pszText && nm->item.cchTextMax > 0) {
        if (hdr->code == LVN_GETDISPINFOA) {
          lstrcpynA(nm->item.pszText, item->displayName.c_str(), nm->item.cchTextMax);
        } else {
          auto* w = reinterpret_cast<NMLVDISPINFOW*>(hdr);
          ::MultiByteToWideChar(CP_ACP, 0, item->displayName.c_str(), -1, w->item.pszText, w->item.cchTextMax);
        }
      }
      *result = 0;
      return true;
    }
    case LVN_INSERTITEM:
      if (onInserted) onInserted(ListView_GetItemCount(m_hWnd));
      *result = 0;
      return true;
    case LVN_DELETEITEM: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      delete reinterpret_cast<ResultItem*>(nm->lParam);
      *result = 0;
      return true;
    }
    case LVN_DELETEALLITEMS:
      *result = FALSE;  // one LVN_DELETEITEM per entry, so every result is freed
      return true;
    default: return false;
  }
}
