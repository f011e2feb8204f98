#include "launcher/panels/drag_drop.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include <new>
#include <string>
#include <vector>

#include "common/win/modal_guard.h"
#include "launcher/data/launch_data.h"
#include "launcher/panels/drop_rules.h"
#include "launcher/panels/icon_panel_wnd.h"

namespace {

constexpr char kDeleteQuestion[] = "アイテムを削除します. よろしいですか?";

template <typename Self, typename Interface>
HRESULT QueryOwn(Self* self, REFIID iid, REFIID own, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == own) {
    *out = static_cast<Interface*>(self);
    self->AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

FORMATETC Hglobal(UINT format) {
  return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool Offers(IDataObject* data, UINT format) {
  if (!format) return false;
  FORMATETC f = Hglobal(format);
  return data->QueryGetData(&f) == S_OK;
}

UINT Registered(const char* name) { return ::RegisterClipboardFormatA(name); }

// A global block of the data object, locked for the life of the object; the bytes are read only
// within the block's real size.
class HeldBlock {
 public:
  HeldBlock(IDataObject* data, UINT format) {
    FORMATETC f = Hglobal(format);
    if (!format || FAILED(data->GetData(&f, &m_medium))) return;
    m_ok = true;
    if (m_medium.tymed != TYMED_HGLOBAL || !m_medium.hGlobal) return;
    m_bytes = ::GlobalLock(m_medium.hGlobal);
    m_size = m_bytes ? ::GlobalSize(m_medium.hGlobal) : 0;
  }
  ~HeldBlock() {
    if (m_bytes) ::GlobalUnlock(m_medium.hGlobal);
    if (m_ok) ::ReleaseStgMedium(&m_medium);
  }
  HeldBlock(const HeldBlock&) = delete;
  HeldBlock& operator=(const HeldBlock&) = delete;
  const void* Bytes() const { return m_bytes; }
  std::size_t Size() const { return m_size; }
  HGLOBAL Global() const { return m_ok && m_medium.tymed == TYMED_HGLOBAL ? m_medium.hGlobal : nullptr; }

 private:
  STGMEDIUM m_medium{};
  bool m_ok = false;
  void* m_bytes = nullptr;
  std::size_t m_size = 0;
};

// The one existing file of a shell file list, or none.
std::optional<std::string> SingleFile(IDataObject* data) {
  HeldBlock drop(data, CF_HDROP);
  HDROP h = static_cast<HDROP>(drop.Global());
  if (!h || !droprules::IsWholeFileList(drop.Bytes(), drop.Size())) return std::nullopt;
  if (::DragQueryFileA(h, 0xFFFFFFFF, nullptr, 0) != 1) return std::nullopt;
  UINT length = ::DragQueryFileA(h, 0, nullptr, 0);
  std::vector<char> name(length + 1, '\0');
  ::DragQueryFileA(h, 0, name.data(), length + 1);
  std::string file(name.data());
  if (::GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return file;
}

bool Acceptable(IDataObject* data, UINT itemFormat, UINT pathFormat) {
  return data &&
         (Offers(data, itemFormat) || Offers(data, pathFormat) || Offers(data, Registered(CFSTR_FILEDESCRIPTORA)) ||
          Offers(data, Registered("Netscape Bookmark")) || SingleFile(data));
}

bool Deliver(IDataObject* data, UINT itemFormat, UINT pathFormat, DropSink& sink) {
  if (Offers(data, itemFormat)) {
    HeldBlock b(data, itemFormat);
    if (auto ref = droprules::ReadItemRef(b.Bytes(), b.Size()))
      if (sink.DropMoveItem(ref->menu, ref->position)) return true;
  }
  if (Offers(data, pathFormat)) {
    HeldBlock b(data, pathFormat);
    auto path = droprules::ReadTerminated(b.Bytes(), b.Size());
    // A path that an item cannot hold is refused like a long address.
    if (path && path->size() > droprules::kMaxItemText && sink.DropUrl(*path, nullptr)) return true;
    if (path && path->size() <= droprules::kMaxItemText && sink.DropFile(*path)) return true;
  }
  const UINT url = Registered(CFSTR_INETURLA), descriptor = Registered(CFSTR_FILEDESCRIPTORA);
  if (Offers(data, url)) {
    HeldBlock b(data, url);
    std::optional<std::string> title;
    if (Offers(data, descriptor)) {
      HeldBlock d(data, descriptor);
      title = droprules::DescriptorTitle(d.Bytes(), d.Size());
    }
    if (auto address = droprules::ReadTerminated(b.Bytes(), b.Size()))
      if (sink.DropUrl(*address, title ? title->c_str() : nullptr)) return true;
  }
  const UINT bookmark = Registered("Netscape Bookmark");
  if (Offers(data, bookmark)) {
    HeldBlock b(data, bookmark);
    if (auto mark = droprules::ReadBookmark(b.Bytes(), b.Size()))
      if (sink.DropUrl(mark->url, mark->title.c_str())) return true;
  }
  if (auto file = SingleFile(data))
    if (sink.DropFile(*file)) return true;
  return false;
}

}  // namespace

// ---- starting a drag --------------------------------------------------------------------------

int StartItemDrag(UINT format, const void* data, SIZE_T bytes) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return 0;
  if (void* p = ::GlobalLock(memory)) {
    std::memcpy(p, data, bytes);
    ::GlobalUnlock(memory);
  }
  auto* source = new (std::nothrow) CItemDropSource;
  auto* object = new (std::nothrow) CItemDataObject;
  if (source) source->AddRef();
  if (object) object->AddRef();
  if (!source || !object) {
    if (source) source->Release();
    if (object) object->Release();
    ::GlobalFree(memory);
    return 0;
  }
  FORMATETC f = Hglobal(format);
  STGMEDIUM m{};
  m.tymed = TYMED_HGLOBAL;
  m.hGlobal = memory;
  int result = 0;
  if (SUCCEEDED(object->SetData(&f, &m, TRUE))) {
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(object, source, DROPEFFECT_MOVE, &effect);
    result = 1;
  } else {
    ::GlobalFree(memory);
  }
  object->Release();
  source->Release();
  return result;
}

// ---- drop source ------------------------------------------------------------------------------

STDMETHODIMP CItemDropSource::QueryInterface(REFIID iid, void** out) {
  return QueryOwn<CItemDropSource, IDropSource>(this, iid, IID_IDropSource, out);
}

STDMETHODIMP_(ULONG) CItemDropSource::Release() {
  ULONG n = --m_refs;
  if (n == 0) delete this;
  return n;
}

STDMETHODIMP CItemDropSource::QueryContinueDrag(BOOL escape, DWORD keys) {
  if (escape) return DRAGDROP_S_CANCEL;
  // The button as the system sees it too: a release that reached the thread while the drag loop
  // was inside a call to a target is not in the loop's key state.
  if (!(keys & MK_LBUTTON) || ::GetAsyncKeyState(VK_LBUTTON) >= 0) return DRAGDROP_S_DROP;
  return S_OK;
}

// ---- data object ------------------------------------------------------------------------------

STDMETHODIMP CItemDataObject::QueryInterface(REFIID iid, void** out) {
  return QueryOwn<CItemDataObject, IDataObject>(this, iid, IID_IDataObject, out);
}

STDMETHODIMP_(ULONG) CItemDataObject::Release() {
  ULONG n = --m_refs;
  if (n == 0) delete this;
  return n;
}

CItemDataObject::~CItemDataObject() { Clear(); }

void CItemDataObject::Clear() {
  for (int i = 0; i < m_count; ++i) ::ReleaseStgMedium(&m_media[i]);
  delete[] m_formats;
  delete[] m_media;
  m_formats = nullptr;
  m_media = nullptr;
  m_count = 0;
}

int CItemDataObject::Find(const FORMATETC* f) const {
  if (!f) return -1;
  for (int i = 0; i < m_count; ++i)
    if (m_formats[i].cfFormat == f->cfFormat && m_formats[i].dwAspect == f->dwAspect && (m_formats[i].tymed & f->tymed))
      return i;
  return -1;
}

STDMETHODIMP CItemDataObject::GetData(FORMATETC* f, STGMEDIUM* medium) {
  int i = Find(f);
  if (i < 0 || !medium) return DV_E_FORMATETC;
  *medium = m_media[i];
  medium->pUnkForRelease = static_cast<IDataObject*>(this);  // the receiver releases a reference only
  AddRef();
  return S_OK;
}

STDMETHODIMP CItemDataObject::GetDataHere(FORMATETC* f, STGMEDIUM*) {
  // Only global memory is ever stored, so a stream request never matches.
  (void)f;
  return DV_E_FORMATETC;
}

STDMETHODIMP CItemDataObject::QueryGetData(FORMATETC* f) { return Find(f) >= 0 ? S_OK : S_FALSE; }

STDMETHODIMP CItemDataObject::SetData(FORMATETC* f, STGMEDIUM* medium, BOOL release) {
  if (!release) return E_FAIL;
  if (!f || !medium) {
    Clear();
    return S_OK;
  }
  if (!m_formats) {
    m_formats = new (std::nothrow) FORMATETC[kMaxFormats];
    m_media = new (std::nothrow) STGMEDIUM[kMaxFormats];
    if (!m_formats || !m_media) {
      delete[] m_formats;
      delete[] m_media;
      m_formats = nullptr;
      m_media = nullptr;
      return E_OUTOFMEMORY;
    }
  }
  if (m_count == kMaxFormats) return E_OUTOFMEMORY;
  m_formats[m_count] = *f;
  m_formats[m_count].ptd = nullptr;  // the caller's device description is not ours to hand on
  m_media[m_count] = *medium;
  ++m_count;
  return S_OK;
}

STDMETHODIMP CItemDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (direction == DATADIR_SET) return S_FALSE;
  auto* e = new (std::nothrow) CFormatEnum(this, 0);
  if (!e) return E_OUTOFMEMORY;
  e->AddRef();
  *out = e;
  return S_OK;
}

// ---- format enumerator ------------------------------------------------------------------------

CFormatEnum::CFormatEnum(CItemDataObject* data, int cursor) : m_cursor(cursor), m_data(data) { m_data->AddRef(); }
CFormatEnum::~CFormatEnum() { m_data->Release(); }

STDMETHODIMP CFormatEnum::QueryInterface(REFIID iid, void** out) {
  return QueryOwn<CFormatEnum, IEnumFORMATETC>(this, iid, IID_IEnumFORMATETC, out);
}

STDMETHODIMP_(ULONG) CFormatEnum::Release() {
  ULONG n = --m_refs;
  if (n == 0) delete this;
  return n;
}

STDMETHODIMP CFormatEnum::Next(ULONG n, FORMATETC* out, ULONG* fetched) {
  if (m_cursor >= m_data->Count()) return S_FALSE;
  if (n != 1 && !fetched) return E_UNEXPECTED;
  if (!out) return E_POINTER;
  ULONG copied = 0;
  while (copied < n && m_cursor < m_data->Count()) out[copied++] = m_data->Format(m_cursor++);
  if (fetched) *fetched = copied;
  return S_OK;
}

STDMETHODIMP CFormatEnum::Clone(IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  auto* e = new (std::nothrow) CFormatEnum(m_data, m_cursor);
  if (!e) return E_OUTOFMEMORY;
  e->AddRef();
  *out = e;
  return S_OK;
}

// ---- the icon panel's drop target -------------------------------------------------------------

CItemDropTarget::CItemDropTarget(CIconPanelWnd* panel, UINT itemFormat, UINT pathFormat)
    : m_panel(panel), m_cfIconItem(itemFormat), m_cfFilePath(pathFormat) {}

CItemDropTarget::~CItemDropTarget() { Forget(); }

STDMETHODIMP CItemDropTarget::QueryInterface(REFIID iid, void** out) {
  return QueryOwn<CItemDropTarget, IDropTarget>(this, iid, IID_IDropTarget, out);
}

STDMETHODIMP_(ULONG) CItemDropTarget::Release() {
  ULONG n = --m_refs;
  if (n == 0) delete this;
  return n;
}

void CItemDropTarget::Forget() {
  if (m_data) m_data->Release();
  m_data = nullptr;
}

STDMETHODIMP CItemDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  Forget();
  // A disabled panel (a user without menus) has no menu to take the drop.
  const bool open = m_panel && ::IsWindowEnabled(m_panel->Handle());
  *effect =
      open && Acceptable(data, m_cfIconItem, m_cfFilePath) ? droprules::PanelEffect(*effect, keys) : DROPEFFECT_NONE;
  if (*effect != DROPEFFECT_NONE) {
    m_data = data;
    m_data->AddRef();
  }
  return S_OK;
}

STDMETHODIMP CItemDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  if (!m_data) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  *effect = droprules::PanelEffect(*effect, keys);
  POINT client{pt.x, pt.y};
  ::ScreenToClient(m_panel->Handle(), &client);
  if (!m_panel->DragOverFeedback(client)) *effect = DROPEFFECT_NONE;
  return S_OK;
}

STDMETHODIMP CItemDropTarget::DragLeave() {
  m_panel->DragLeaveFeedback();
  Forget();
  return S_OK;
}

STDMETHODIMP CItemDropTarget::Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  m_panel->DragLeaveFeedback();
  if (!m_data) {
    *effect = DROPEFFECT_NONE;
    return E_FAIL;
  }
  Forget();
  *effect = droprules::PanelEffect(*effect, keys);
  if (*effect == DROPEFFECT_NONE || !data) return E_FAIL;
  if (Deliver(data, m_cfIconItem, m_cfFilePath, *m_panel)) return S_OK;
  *effect = DROPEFFECT_NONE;
  return E_FAIL;
}

// ---- the trash's drop target ------------------------------------------------------------------

CTrashDropTarget::CTrashDropTarget(CLaunchData* data, HWND owner, UINT itemFormat, std::function<void(bool)> repaint,
                                   std::function<void()> refresh)
    : m_pData(data),
      m_owner(owner),
      m_cfIconItem(itemFormat),
      m_repaint(std::move(repaint)),
      m_refresh(std::move(refresh)) {}

CTrashDropTarget::~CTrashDropTarget() { Forget(); }

STDMETHODIMP CTrashDropTarget::QueryInterface(REFIID iid, void** out) {
  return QueryOwn<CTrashDropTarget, IDropTarget>(this, iid, IID_IDropTarget, out);
}

STDMETHODIMP_(ULONG) CTrashDropTarget::Release() {
  ULONG n = --m_refs;
  if (n == 0) delete this;
  return n;
}

void CTrashDropTarget::Forget() {
  if (m_data) m_data->Release();
  m_data = nullptr;
}

void CTrashDropTarget::SetHot(bool hot) {
  m_hot = hot;
  if (m_repaint) m_repaint(hot);
}

STDMETHODIMP CTrashDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  Forget();
  if (!data || !Offers(data, m_cfIconItem)) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  *effect = droprules::TrashEffect(*effect, keys);
  if (*effect != DROPEFFECT_NONE) {
    m_data = data;
    m_data->AddRef();
    SetHot(true);
  }
  return S_OK;
}

STDMETHODIMP CTrashDropTarget::DragOver(DWORD keys, POINTL, DWORD* effect) {
  *effect = m_data ? droprules::TrashEffect(*effect, keys) : DROPEFFECT_NONE;
  return S_OK;
}

STDMETHODIMP CTrashDropTarget::DragLeave() {
  SetHot(false);
  Forget();
  return S_OK;
}

STDMETHODIMP CTrashDropTarget::Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  SetHot(false);
  if (!m_data) {
    *effect = DROPEFFECT_NONE;
    return E_FAIL;
  }
  Forget();
  *effect = droprules::TrashEffect(*effect, keys);
  if (*effect == DROPEFFECT_NONE || !data) return E_FAIL;
  HeldBlock b(data, m_cfIconItem);
  auto ref = droprules::ReadItemRef(b.Bytes(), b.Size());
  if (ref && ConfirmDelete(ref->menu, ref->position)) return S_OK;
  *effect = DROPEFFECT_NONE;
  return E_FAIL;
}

int CTrashDropTarget::ConfirmDelete(int menu, int position) {
  char caption[264] = {};
  ::GetWindowTextA(::GetAncestor(m_owner, GA_ROOT), caption, sizeof caption);
  if (GuardedMessageBox(m_owner, kDeleteQuestion, caption, MB_ICONWARNING | MB_OKCANCEL) == IDOK) {
    m_pData->Items().Remove(menu, position);
    if (m_refresh) m_refresh();
  }
  return 1;
}

// ---- a menu button's drop target --------------------------------------------------------------

CMenuDropTarget::~CMenuDropTarget() { Forget(); }

STDMETHODIMP CMenuDropTarget::QueryInterface(REFIID iid, void** out) {
  return QueryOwn<CMenuDropTarget, IDropTarget>(this, iid, IID_IDropTarget, out);
}

STDMETHODIMP_(ULONG) CMenuDropTarget::Release() {
  ULONG n = --m_refs;
  if (n == 0) delete this;
  return n;
}

void CMenuDropTarget::Forget() {
  if (m_data) m_data->Release();
  m_data = nullptr;
}

void CMenuDropTarget::SetHighlight(bool on) {
  m_highlight = on;
  ::InvalidateRect(m_button, nullptr, FALSE);
}

STDMETHODIMP CMenuDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  Forget();
  *effect = Acceptable(data, m_cfIconItem, m_cfFilePath) ? droprules::PanelEffect(*effect, keys) : DROPEFFECT_NONE;
  if (*effect != DROPEFFECT_NONE) {
    m_data = data;
    m_data->AddRef();
    SetHighlight(true);
  }
  return S_OK;
}

STDMETHODIMP CMenuDropTarget::DragOver(DWORD keys, POINTL, DWORD* effect) {
  *effect = m_data ? droprules::PanelEffect(*effect, keys) : DROPEFFECT_NONE;
  return S_OK;
}

STDMETHODIMP CMenuDropTarget::DragLeave() {
  SetHighlight(false);
  Forget();
  return S_OK;
}

STDMETHODIMP CMenuDropTarget::Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  SetHighlight(false);
  if (!m_data) {
    *effect = DROPEFFECT_NONE;
    return E_FAIL;
  }
  Forget();
  *effect = droprules::PanelEffect(*effect, keys);
  if (*effect == DROPEFFECT_NONE || !data) return E_FAIL;
  if (Deliver(data, m_cfIconItem, m_cfFilePath, *m_sink)) return S_OK;
  *effect = DROPEFFECT_NONE;
  return E_FAIL;
}

void RegisterTarget(HWND window, IDropTarget* target) {
  target->AddRef();
  ::CoLockObjectExternal(target, TRUE, FALSE);
  ::RegisterDragDrop(window, target);
}

void RevokeTarget(HWND window, IDropTarget* target) {
  ::RevokeDragDrop(window);
  ::CoLockObjectExternal(target, FALSE, TRUE);
  target->Release();
}
