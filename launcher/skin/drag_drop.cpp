#include "launcher/skin/drag_drop.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "common/win/block_drag.h"
#include "common/win/modal_guard.h"
#include "common/win/text.h"

namespace {

constexpr char kDeleteQuestion[] = "「%s」を削除します. よろしいですか?";

FORMATETC Hglobal(UINT format) {
  return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
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

// The one existing file of a shell file list: its path for the narrow calls, or only its name as
// shown when code page 932 cannot write the path nor its short form.
struct DroppedFile {
  std::optional<std::string> path;
  std::string shown;
};

std::optional<DroppedFile> SingleFile(IDataObject* data) {
  HeldBlock drop(data, CF_HDROP);
  HDROP h = static_cast<HDROP>(drop.Global());
  if (!h || !droprules::IsWholeFileList(drop.Bytes(), drop.Size())) return std::nullopt;
  if (::DragQueryFileW(h, 0xFFFFFFFF, nullptr, 0) != 1) return std::nullopt;
  const UINT length = ::DragQueryFileW(h, 0, nullptr, 0);
  std::vector<wchar_t> name(length + 1, L'\0');
  ::DragQueryFileW(h, 0, name.data(), length + 1);
  const std::wstring file(name.data());
  if (::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return DroppedFile{wintext::NarrowPath(file), wintext::ToCp932Shown(file)};
}

// The address of a link: a wide one as code page 932 writes it, or percent-encoded where it cannot;
// else the narrow one.
std::optional<std::string> LinkAddress(IDataObject* data) {
  if (OffersFormat(data, Registered(CFSTR_INETURLW))) {
    HeldBlock b(data, Registered(CFSTR_INETURLW));
    if (std::optional<std::u16string> wide = droprules::ReadTerminatedW(b.Bytes(), b.Size())) {
      const std::wstring_view view(reinterpret_cast<const wchar_t*>(wide->data()), wide->size());
      return wintext::ToCp932(view).value_or(droprules::PercentEncode(*wide));
    }
  }
  HeldBlock b(data, Registered(CFSTR_INETURLA));
  return droprules::ReadTerminated(b.Bytes(), b.Size());
}

// A link's title: from the wide file descriptor, the narrow one, or the second line of
// "text/x-moz-url"; none when the link offers neither.
std::optional<std::string> LinkTitle(IDataObject* data) {
  auto shown = [](const std::u16string& wide) {
    return wintext::ToCp932Shown(std::wstring_view(reinterpret_cast<const wchar_t*>(wide.data()), wide.size()));
  };
  if (OffersFormat(data, Registered(CFSTR_FILEDESCRIPTORW))) {
    HeldBlock d(data, Registered(CFSTR_FILEDESCRIPTORW));
    if (auto title = droprules::DescriptorTitleW(d.Bytes(), d.Size())) return shown(*title);
  }
  if (OffersFormat(data, Registered(CFSTR_FILEDESCRIPTORA))) {
    HeldBlock d(data, Registered(CFSTR_FILEDESCRIPTORA));
    if (auto title = droprules::DescriptorTitle(d.Bytes(), d.Size())) return title;
  }
  if (OffersFormat(data, Registered(droprules::kMozUrlFormat))) {
    HeldBlock m(data, Registered(droprules::kMozUrlFormat));
    if (auto title = droprules::MozUrlTitle(m.Bytes(), m.Size()); title && !title->empty()) return shown(*title);
  }
  return std::nullopt;
}

}  // namespace

bool OffersFormat(IDataObject* data, UINT format) {
  if (!data || !format) return false;
  FORMATETC f = Hglobal(format);
  return data->QueryGetData(&f) == S_OK;
}

bool AcceptsLauncherDrop(IDataObject* data, UINT itemFormat, UINT pathFormat) {
  return data && (OffersFormat(data, itemFormat) || OffersFormat(data, pathFormat) ||
                  OffersFormat(data, Registered(CFSTR_INETURLW)) || OffersFormat(data, Registered(CFSTR_INETURLA)) ||
                  OffersFormat(data, Registered(droprules::kBookmarkFormat)) || SingleFile(data));
}

bool DeliverDrop(IDataObject* data, UINT itemFormat, UINT pathFormat, DropSink& sink, HWND owner) {
  if (OffersFormat(data, itemFormat)) {
    HeldBlock b(data, itemFormat);
    if (auto ref = droprules::ReadItemRef(b.Bytes(), b.Size()))
      if (sink.DropMoveItem(ref->menu, ref->position)) return true;
  }
  if (OffersFormat(data, pathFormat)) {
    HeldBlock b(data, pathFormat);
    auto path = droprules::ReadTerminated(b.Bytes(), b.Size());
    // A path that an item cannot hold is refused like a long address.
    if (path && path->size() > droprules::kMaxItemText && sink.DropUrl(*path, nullptr)) return true;
    if (path && path->size() <= droprules::kMaxItemText && sink.DropFile(*path)) return true;
  }
  if (OffersFormat(data, Registered(CFSTR_INETURLW)) || OffersFormat(data, Registered(CFSTR_INETURLA))) {
    if (std::optional<std::string> address = LinkAddress(data)) {
      const std::optional<std::string> title = LinkTitle(data);
      if (sink.DropUrl(*address, title ? title->c_str() : nullptr)) return true;
    }
  }
  const UINT bookmark = Registered(droprules::kBookmarkFormat);
  if (OffersFormat(data, bookmark)) {
    HeldBlock b(data, bookmark);
    if (auto mark = droprules::ReadBookmark(b.Bytes(), b.Size()))
      if (sink.DropUrl(mark->url, mark->title.c_str())) return true;
  }
  if (std::optional<DroppedFile> file = SingleFile(data)) {
    if (!file->path) {
      TellUnwritableName(owner, file->shown);
      return false;
    }
    if (sink.DropFile(*file->path)) return true;
  }
  return false;
}

std::optional<droprules::ItemRef> DraggedItem(IDataObject* data, UINT itemFormat) {
  if (!OffersFormat(data, itemFormat)) return std::nullopt;
  HeldBlock b(data, itemFormat);
  return droprules::ReadItemRef(b.Bytes(), b.Size());
}

void TellUnwritableName(HWND owner, const std::string& shown) {
  char caption[264] = {};
  ::GetWindowTextA(::GetAncestor(owner, GA_ROOT), caption, sizeof caption);
  GuardedMessageBox(owner, wintext::UnwritableNameText(shown).c_str(), caption, MB_OK | MB_ICONWARNING);
}

bool ConfirmItemDelete(HWND owner, const std::string& name) {
  char caption[264] = {};
  ::GetWindowTextA(::GetAncestor(owner, GA_ROOT), caption, sizeof caption);
  std::vector<char> text(sizeof kDeleteQuestion + name.size());
  std::snprintf(text.data(), text.size(), kDeleteQuestion, name.c_str());
  return GuardedMessageBox(owner, text.data(), caption, MB_ICONWARNING | MB_OKCANCEL) == IDOK;
}

int StartItemDrag(UINT format, const void* data, SIZE_T bytes) {
  return DragBlockOut(format, data, bytes, DROPEFFECT_MOVE);
}

// ---- the drop target --------------------------------------------------------------------------

STDMETHODIMP CDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) {
  m_entered.Reset();
  *effect = data && m_client.Accepts(data) ? m_client.Effect(*effect, keys) : DROPEFFECT_NONE;
  if (*effect == DROPEFFECT_NONE) return S_OK;
  data->AddRef();
  *m_entered.Put() = data;
  if (!m_client.Hover(true, POINT{pt.x, pt.y})) *effect = DROPEFFECT_NONE;
  return S_OK;
}

STDMETHODIMP CDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect) {
  *effect = m_entered ? m_client.Effect(*effect, keys) : DROPEFFECT_NONE;
  if (*effect != DROPEFFECT_NONE && !m_client.Hover(true, POINT{pt.x, pt.y})) *effect = DROPEFFECT_NONE;
  return S_OK;
}

STDMETHODIMP CDropTarget::DragLeave() {
  m_client.Hover(false, POINT{});
  m_entered.Reset();
  return S_OK;
}

STDMETHODIMP CDropTarget::Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) {
  m_client.Hover(false, POINT{});
  const bool entered = static_cast<bool>(m_entered);
  m_entered.Reset();
  *effect = entered && data ? m_client.Effect(*effect, keys) : DROPEFFECT_NONE;
  if (*effect != DROPEFFECT_NONE && m_client.Drop(data)) return S_OK;
  *effect = DROPEFFECT_NONE;
  return E_FAIL;
}

void DropRegistration::Register(HWND window, DropClient& client) {
  Revoke();
  *m_target.Put() = new (std::nothrow) CDropTarget(client);
  if (!m_target) return;
  m_window = window;
  // Locked so that OLE's own references never end the target before the window lets it go.
  ::CoLockObjectExternal(m_target.Get(), TRUE, FALSE);
  ::RegisterDragDrop(window, m_target.Get());
}

void DropRegistration::Revoke() {
  if (!m_target) return;
  ::RevokeDragDrop(m_window);
  ::CoLockObjectExternal(m_target.Get(), FALSE, TRUE);
  m_target.Reset();
  m_window = nullptr;
}
