#include "finder/find_tree_ctrl.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/cp932.h"
#include "common/ini_keys.h"
#include "common/win/handles.h"
#include "common/win/icons.h"
#include "finder/find_rules.h"
#include "finder/finder_ids.h"
#include "finder/finder_settings.h"
#include "finder/shell_types.h"

using namespace findrules;
namespace fs = findsettings;

namespace {

constexpr char kAllUsersSuffix[] = " - All Users";
constexpr char kDriveRoot[] = "A:\\";
constexpr int kNoImage = 0;

std::string DocumentKey(int n) {
  char key[32];
  std::snprintf(key, sizeof key, fs::kDocumentKey, n);
  return key;
}

}  // namespace

CFindTreeCtrl::CFindTreeCtrl(const Profile& settings, HINSTANCE inst) : m_settings(settings), m_inst(inst) {
  m_hiddenType = static_cast<DWORD>(m_settings.GetInt(inikeys::kFindInit, fs::kHiddenType, fs::kDefaultHiddenType));
}

CFindTreeCtrl::~CFindTreeCtrl() {
  if (m_hwnd && ::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
}

bool CFindTreeCtrl::Create(HWND parent) {
  m_hwnd = ::CreateWindowExA(
      0, WC_TREEVIEWA, "",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0, 0,
      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TREE)), m_inst, nullptr);
  if (!m_hwnd) return false;
  m_images.Reset(ImageList_Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                  ImageListColourFlag() | ILC_MASK, 16, 16));
  ImageList_SetBkColor(m_images.Get(), ::GetSysColor(COLOR_WINDOW));
  TreeView_SetImageList(m_hwnd, m_images.Get(), TVSIL_NORMAL);
  Build();
  return true;
}

// The nodes hold indexes into the list, and the shell gives its small size only: the same icons
// are scaled into a list of the new side.
void CFindTreeCtrl::SetIconSide(int side) {
  int now = 0, height = 0;
  if (!m_images || (ImageList_GetIconSize(m_images.Get(), &now, &height) && now == side)) return;
  UniqueImageList resized = ImageListAtSide(m_images.Get(), side, ImageListColourFlag() | ILC_MASK);
  if (!resized) return;
  TreeView_SetImageList(m_hwnd, resized.Get(), TVSIL_NORMAL);
  m_images = std::move(resized);
}

std::string CFindTreeCtrl::LoadText(UINT id) const {
  char text[260] = {};
  ::LoadStringA(m_inst, id, text, sizeof text);
  return text;
}

int CFindTreeCtrl::AddIcon(HICON icon) { return icon ? ImageList_AddIcon(m_images.Get(), icon) : kNoImage; }

int CFindTreeCtrl::ResourceIcon(int id) {
  UniqueIcon icon(static_cast<HICON>(::LoadImageA(
      m_inst, MAKEINTRESOURCEA(id), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
  return AddIcon(icon.Get());
}

int CFindTreeCtrl::ExtensionImage(const std::string& ext) {
  UniqueIcon icon(ExtensionIcon(ext, m_inst));
  return AddIcon(icon.Get());
}

HTREEITEM CFindTreeCtrl::Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, int image,
                                int selectedImage, FindNode* node) {
  TVINSERTSTRUCTA ins{};
  ins.hParent = parent;
  ins.hInsertAfter = after;
  ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  ins.item.pszText = const_cast<char*>(text.c_str());
  ins.item.iImage = image;
  ins.item.iSelectedImage = selectedImage;
  ins.item.cChildren = 1;
  ins.item.lParam = reinterpret_cast<LPARAM>(node);
  HTREEITEM item =
      reinterpret_cast<HTREEITEM>(::SendMessageA(m_hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
  if (!item) delete node;
  return item;
}

FindNode* CFindTreeCtrl::Node(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMA tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!::SendMessageA(m_hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  return reinterpret_cast<FindNode*>(tv.lParam);
}

void CFindTreeCtrl::AddShellFolder(HTREEITEM parent, int csidl, bool common, int flags) {
  LPITEMIDLIST raw = nullptr;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, &raw)) || !raw) return;
  UniqueCoTaskMem<LPITEMIDLIST> pidl(raw);
  char path[MAX_PATH] = {};
  const bool hasPath = ::SHGetPathFromIDListA(pidl.Get(), path);
  SHFILEINFOA info{};
  ::SHGetFileInfoA(reinterpret_cast<const char*>(pidl.Get()), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON);
  UniqueIcon icon(info.hIcon);
  if (!hasPath || !path[0]) return;
  std::string text = info.szDisplayName;
  if (common) text += kAllUsersSuffix;
  const int image = AddIcon(icon.Get());
  Insert(parent, TVI_LAST, text, image, image, new FindNode{WithSeparator(path), "", 0, flags});
}

void CFindTreeCtrl::AddDriveList(HTREEITEM parent) {
  const FindNode* owner = Node(parent);
  const int branch = owner ? owner->flags & kDocumentBranch : 0;
  const DWORD drives = ::GetLogicalDrives();
  std::string fixed;
  int lastFixedImage = kNoImage;
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    char root[sizeof kDriveRoot];
    std::memcpy(root, kDriveRoot, sizeof root);
    root[0] = static_cast<char>('A' + i);
    SHFILEINFOA info{};
    ::SHGetFileInfoA(root, 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON);
    UniqueIcon icon(info.hIcon);
    const int image = AddIcon(icon.Get());
    Insert(parent, TVI_LAST, info.szDisplayName[0] ? info.szDisplayName : root, image, image,
           new FindNode{root, "", 0, kPathNode | kEndsInSeparator | branch});
    if (::GetDriveTypeA(root) == DRIVE_FIXED) {
      if (!fixed.empty()) fixed += ',';
      fixed.append(root, 2);
      lastFixedImage = image;
    }
  }
  if (fixed.find(',') == std::string::npos) return;
  Insert(parent, TVI_LAST, LoadText(IDS_LOCAL_DRIVES) + "(" + fixed + ")", lastFixedImage, lastFixedImage,
         new FindNode{fixed, "", 0, kPathNode | kNoEnumeration | branch});
}

std::vector<std::string> CFindTreeCtrl::RegisteredDocuments() const {
  std::vector<std::string> values;
  const int n = m_settings.GetInt(inikeys::kFindExt, fs::kRegCnt, 0);
  for (int i = 1; i <= n && i <= 10000; ++i)
    values.push_back(m_settings.GetString(inikeys::kFindExt, DocumentKey(i).c_str()));
  return values;
}

void CFindTreeCtrl::Build() {
  TreeView_DeleteAllItems(m_hwnd);
  const std::string internet = m_settings.GetString(inikeys::kFindExt, fs::kInternet, fs::kDefaultInternet);
  const std::string program = m_settings.GetString(inikeys::kFindExt, fs::kProgram, fs::kDefaultProgram);

  int image = ExtensionImage("htm");
  m_internet = Insert(TVI_ROOT, TVI_LAST, LoadText(IDS_KIND_INTERNET), image, image,
                      new FindNode{"", internet, 1, kKindNode | kHasExtensions});
  AddShellFolder(m_internet, CSIDL_FAVORITES, false, kPathNode | kEndsInSeparator);
  AddShellFolder(m_internet, CSIDL_COMMON_FAVORITES, true, kPathNode | kEndsInSeparator);

  const int docImage = ResourceIcon(IDI_DOCUMENTS);
  m_documents = Insert(TVI_ROOT, TVI_LAST, LoadText(IDS_KIND_DOCUMENTS), docImage, docImage,
                       new FindNode{"", "", 1, kKindNode | kDocumentBranch});
  std::vector<std::string> documents;
  std::vector<HTREEITEM> documentNodes;
  for (const std::string& ext : RegisteredDocuments()) {
    if (ext.empty()) continue;
    image = ExtensionImage(ext);
    HTREEITEM item =
        Insert(m_documents, TVI_LAST, ext, image, image, new FindNode{"", ext, 1, kHasExtensions | kDocumentBranch});
    if (!item) continue;
    documents.push_back(ext);
    documentNodes.push_back(item);
    m_lastDocument = item;
  }
  m_allDocuments = Insert(m_documents, TVI_LAST, LoadText(IDS_KIND_ALL), docImage, docImage,
                          new FindNode{"", JoinList(documents), 1, kKindNode | kHasExtensions | kDocumentBranch});

  image = ResourceIcon(IDI_PROGRAMS);
  m_programs = Insert(TVI_ROOT, TVI_LAST, LoadText(IDS_KIND_PROGRAMS), image, image,
                      new FindNode{"", program, 1, kKindNode | kHasExtensions});
  AddShellFolder(m_programs, CSIDL_STARTMENU, false, kPathNode | kEndsInSeparator);
  AddShellFolder(m_programs, CSIDL_COMMON_STARTMENU, true, kPathNode | kEndsInSeparator);

  image = ResourceIcon(IDI_ALL);
  m_all = Insert(TVI_ROOT, TVI_LAST, LoadText(IDS_KIND_ALL), image, image,
                 new FindNode{"", AllKindsList(internet, JoinList(documents), program), 1, kKindNode | kHasExtensions});

  AddDriveList(m_internet);
  for (HTREEITEM item : documentNodes) AddDriveList(item);
  AddDriveList(m_allDocuments);
  AddDriveList(m_programs);
  AddDriveList(m_all);
}

std::optional<std::string> CFindTreeCtrl::PathOf(HTREEITEM item) const {
  std::vector<NodeStep> chain;
  for (HTREEITEM i = item; i; i = TreeView_GetParent(m_hwnd, i))
    if (const FindNode* n = Node(i)) chain.push_back({n->name, n->extensions, n->flags});
  return findrules::PathOf(chain);
}

std::string CFindTreeCtrl::ExtensionsOf(HTREEITEM item) const {
  std::vector<NodeStep> chain;
  for (HTREEITEM i = item; i; i = TreeView_GetParent(m_hwnd, i))
    if (const FindNode* n = Node(i)) chain.push_back({n->name, n->extensions, n->flags});
  return findrules::ExtensionsOf(chain);
}

void CFindTreeCtrl::Expand(HTREEITEM item, FindNode* node) {
  bool added = false;
  if (!(node->flags & kNoEnumeration)) {
    HCURSOR old = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    const std::string folder = WithSeparator(PathOf(item).value_or(""));
    WIN32_FIND_DATAA fd;
    UniqueFind find(::FindFirstFileA((folder + "*.*").c_str(), &fd));
    if (find) {
      do {
        if ((fd.dwFileAttributes & m_hiddenType) || !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (!std::strcmp(fd.cFileName, ".") || !std::strcmp(fd.cFileName, "..")) continue;
        const std::string full = folder + fd.cFileName;
        SHFILEINFOA info{}, open{};
        ::SHGetFileInfoA(full.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
        ::SHGetFileInfoA(full.c_str(), 0, &open, sizeof open, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON);
        UniqueIcon icon(info.hIcon), openIcon(open.hIcon);
        const int image = AddIcon(icon.Get()), openImage = openIcon ? AddIcon(openIcon.Get()) : image;
        if (Insert(item, TVI_LAST, fd.cFileName, image, openImage,
                   new FindNode{fd.cFileName, "", 0, kPathNode | (node->flags & kDocumentBranch)}))
          added = true;
      } while (::FindNextFileA(find.Get(), &fd));
    }
    // Children by text without case: the tree's own sort.
    TreeView_SortChildren(m_hwnd, item, FALSE);
    ::SetCursor(old);
  }
  node->filled = 1;
  if (!added) {
    TVITEMA tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = item;
    tv.cChildren = 0;
    ::SendMessageA(m_hwnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
  }
}

bool CFindTreeCtrl::OnNotify(NMHDR* hdr, LRESULT* result) {
  switch (hdr->code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      // The item fields sit at the same place in both notification forms.
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      auto* node = reinterpret_cast<FindNode*>(nm->itemNew.lParam);
      if (node && !node->filled && (nm->action & TVE_EXPAND)) Expand(nm->itemNew.hItem, node);
      *result = 0;
      return true;
    }
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW: {
      auto* nm = reinterpret_cast<NMTREEVIEWA*>(hdr);
      delete reinterpret_cast<FindNode*>(nm->itemOld.lParam);
      *result = 0;
      return true;
    }
    default: return false;
  }
}

std::string CFindTreeCtrl::KindList() const {
  std::vector<std::string> docs;
  for (HTREEITEM i = TreeView_GetChild(m_hwnd, m_documents); i; i = TreeView_GetNextSibling(m_hwnd, i)) {
    const FindNode* n = Node(i);
    if (n && (n->flags & kHasExtensions) && !(n->flags & kKindNode)) docs.push_back(n->extensions);
  }
  return JoinList(docs);
}

// The lists of the all-documents node and of the kind "all" are made again from the document
// nodes, exactly as a fresh start would build them.
void CFindTreeCtrl::RefreshListsOfAll() {
  const std::string documents = KindList();
  if (FindNode* n = Node(m_allDocuments)) n->extensions = documents;
  if (FindNode* n = Node(m_all))
    n->extensions = AllKindsList(m_settings.GetString(inikeys::kFindExt, fs::kInternet, fs::kDefaultInternet),
                                 documents, m_settings.GetString(inikeys::kFindExt, fs::kProgram, fs::kDefaultProgram));
}

void CFindTreeCtrl::AddDocumentExtension(const std::string& ext) {
  const int image = ExtensionImage(ext);
  HTREEITEM after = m_lastDocument ? m_lastDocument : TVI_FIRST;
  HTREEITEM item =
      Insert(m_documents, after, ext, image, image, new FindNode{"", ext, 1, kHasExtensions | kDocumentBranch});
  if (!item) return;
  m_lastDocument = item;
  AddDriveList(item);
  TreeView_Expand(m_hwnd, item, TVE_EXPAND);
  RefreshListsOfAll();
  fs::Edit(m_settings, [&](IniText& ini) {
    const int count = std::atoi(ini.Get(inikeys::kFindExt, fs::kRegCnt).value_or("0").c_str()) + 1;
    ini.Set(inikeys::kFindExt, DocumentKey(count), ext);
    ini.SetInt(inikeys::kFindExt, fs::kRegCnt, count);
  });
}

void CFindTreeCtrl::DeleteDocumentExtension() {
  HTREEITEM item = Selection();
  const FindNode* node = Node(item);
  if (!node || (node->flags & (kKindNode | kHasExtensions | kDocumentBranch)) != (kHasExtensions | kDocumentBranch))
    return;
  if (item == m_lastDocument) {
    m_lastDocument = TreeView_GetPrevSibling(m_hwnd, item);
  }
  const std::string ext = node->extensions;
  TreeView_DeleteItem(m_hwnd, item);
  RefreshListsOfAll();
  const std::vector<std::string> values = RegisteredDocuments();
  const DocumentRewrite rewrite = DeleteDocument(values, ext);
  fs::Edit(m_settings, [&](IniText& ini) {
    for (std::size_t i = 0; i < rewrite.keys.size(); ++i) {
      const std::string key = DocumentKey(static_cast<int>(i) + 1);
      if (rewrite.keys[i]) ini.Set(inikeys::kFindExt, key, *rewrite.keys[i]);
      else ini.Remove(inikeys::kFindExt, key);
    }
    ini.SetInt(inikeys::kFindExt, fs::kRegCnt, rewrite.count);
  });
}
