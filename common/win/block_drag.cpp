#include "common/win/block_drag.h"

#include <shlobj.h>

#include <cstring>
#include <new>

#include "common/win/com_object.h"
#include "common/win/com_ptr.h"
#include "common/win/handles.h"

namespace {

UniqueGlobal Copy(const std::string& bytes) {
  UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  const LockedGlobal to(block.Get());
  if (!to.Get()) return UniqueGlobal();
  if (!bytes.empty()) std::memcpy(to.Get(), bytes.data(), bytes.size());
  return block;
}

class CBlockDropSource final : public ComObject<IDropSource, &IID_IDropSource> {
 public:
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    // The button as the system sees it too: a release that reached the thread while the drag loop
    // was inside a call to a target is not in the loop's key state.
    const bool held = (keys & MK_LBUTTON) && ::GetAsyncKeyState(VK_LBUTTON) < 0;
    return held ? S_OK : DRAGDROP_S_DROP;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// A block per format; every GetData hands out a copy, so a receiver that frees what it got never
// reaches the blocks the object keeps.
class CBlockDataObject final : public ComObject<IDataObject, &IID_IDataObject> {
 public:
  explicit CBlockDataObject(std::vector<DataBlock> blocks) : m_blocks(std::move(blocks)) {}
  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* medium) override {
    if (!medium) return E_POINTER;
    const DataBlock* block = Find(f);
    if (!block) return DV_E_FORMATETC;
    UniqueGlobal copy = Copy(block->bytes);
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy.Detach();  // the receiver frees it
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  STDMETHODIMP QueryGetData(FORMATETC* f) override {
    if (!f) return E_POINTER;
    return Find(f) ? S_OK : DV_E_FORMATETC;
  }
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
  }
  STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const DataBlock& b : m_blocks)
      formats.push_back(FORMATETC{static_cast<CLIPFORMAT>(b.format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  const DataBlock* Find(const FORMATETC* f) const {
    if (!f || !(f->tymed & TYMED_HGLOBAL) || f->dwAspect != DVASPECT_CONTENT) return nullptr;
    for (const DataBlock& b : m_blocks)
      if (b.format == f->cfFormat) return &b;
    return nullptr;
  }

  std::vector<DataBlock> m_blocks;
};

}  // namespace

int DragBlocksOut(std::vector<DataBlock> blocks, DWORD effects) {
  ComPtr<IDataObject> data;
  ComPtr<IDropSource> source;
  *data.Put() = new (std::nothrow) CBlockDataObject(std::move(blocks));
  *source.Put() = new (std::nothrow) CBlockDropSource;
  if (!data || !source) return 0;
  DWORD effect = DROPEFFECT_NONE;
  ::DoDragDrop(data.Get(), source.Get(), effects, &effect);
  return 1;
}

int DragBlockOut(UINT format, const void* bytes, SIZE_T size, DWORD effects) {
  std::vector<DataBlock> blocks(1);
  blocks[0].format = format;
  blocks[0].bytes.assign(static_cast<const char*>(bytes), size);
  return DragBlocksOut(std::move(blocks), effects);
}

bool PutBlocksOnClipboard(HWND owner, const std::vector<DataBlock>& blocks) {
  if (!::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  bool all = true;
  for (const DataBlock& b : blocks) {
    UniqueGlobal copy = Copy(b.bytes);
    // The clipboard owns a block it took; one it refused is still ours to free.
    if (copy && ::SetClipboardData(b.format, copy.Get())) copy.Detach();
    else all = false;
  }
  ::CloseClipboard();
  return all;
}
