#include "common/win/block_drag.h"

#include <shlobj.h>

#include <cstring>
#include <new>

#include "common/win/com_object.h"
#include "common/win/com_ptr.h"
#include "common/win/handles.h"

namespace {

UniqueGlobal Copy(const void* bytes, SIZE_T size) {
  UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, size));
  const LockedGlobal to(block.Get());
  if (!to.Get()) return UniqueGlobal();
  if (size) std::memcpy(to.Get(), bytes, size);
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

// One format, one block; every GetData hands out a copy, so a receiver that frees what it got
// never reaches the block the object keeps.
class CBlockDataObject final : public ComObject<IDataObject, &IID_IDataObject> {
 public:
  CBlockDataObject(UINT format, UniqueGlobal block) : m_format(format), m_block(std::move(block)) {}
  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* medium) override {
    if (!medium) return E_POINTER;
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    const LockedGlobal src(m_block.Get());
    UniqueGlobal copy = Copy(src.Get(), src.Size());
    if (!copy) return E_OUTOFMEMORY;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy.Detach();  // the receiver frees it
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
  STDMETHODIMP QueryGetData(FORMATETC* f) override {
    if (!f) return E_POINTER;
    return f->cfFormat == m_format && (f->tymed & TYMED_HGLOBAL) && f->dwAspect == DVASPECT_CONTENT ? S_OK
                                                                                                    : DV_E_FORMATETC;
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
    FORMATETC f{static_cast<CLIPFORMAT>(m_format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return ::SHCreateStdEnumFmtEtc(1, &f, out);
  }
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  UINT m_format;
  UniqueGlobal m_block;
};

}  // namespace

int DragBlockOut(UINT format, const void* bytes, SIZE_T size, DWORD effects) {
  UniqueGlobal block = Copy(bytes, size);
  if (!block) return 0;
  ComPtr<IDataObject> data;
  ComPtr<IDropSource> source;
  *data.Put() = new (std::nothrow) CBlockDataObject(format, std::move(block));
  *source.Put() = new (std::nothrow) CBlockDropSource;
  if (!data || !source) return 0;
  DWORD effect = DROPEFFECT_NONE;
  ::DoDragDrop(data.Get(), source.Get(), effects, &effect);
  return 1;
}
