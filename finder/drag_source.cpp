#include "finder/drag_source.h"

#include <shlobj.h>

#include <cstring>
#include <new>

#include "bridge/quilodll.h"
#include "common/cp932.h"
#include "common/win/com_object.h"
#include "common/win/com_ptr.h"

namespace {

class CPathDropSource final : public ComObject<IDropSource, &IID_IDropSource> {
 public:
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    // The system's view of the button too, as the launcher's drag source does.
    const bool held = (keys & MK_LBUTTON) && ::GetAsyncKeyState(VK_LBUTTON) < 0;
    return held ? S_OK : DRAGDROP_S_DROP;
  }
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// One format, one block; every GetData hands out a copy, so a receiver that frees what it got
// never reaches the block the object keeps.
class CPathDataObject final : public ComObject<IDataObject, &IID_IDataObject> {
 public:
  CPathDataObject(UINT format, HGLOBAL block) : m_format(format), m_block(block) {}
  STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM* medium) override {
    if (!medium) return E_POINTER;
    if (QueryGetData(f) != S_OK) return DV_E_FORMATETC;
    const SIZE_T size = ::GlobalSize(m_block);
    HGLOBAL copy = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return E_OUTOFMEMORY;
    const void* src = ::GlobalLock(m_block);
    void* dst = ::GlobalLock(copy);
    if (src && dst) std::memcpy(dst, src, size);
    if (dst) ::GlobalUnlock(copy);
    if (src) ::GlobalUnlock(m_block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = copy;
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
  ~CPathDataObject() override { ::GlobalFree(m_block); }
  UINT m_format;
  HGLOBAL m_block;
};

}  // namespace

void DragPathOut(UINT format, const std::string& path) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, handoff::kPathField);
  if (!block) return;
  if (char* p = static_cast<char*>(::GlobalLock(block))) {
    cp932::CopyBounded(p, handoff::kPathField, path);
    ::GlobalUnlock(block);
  }
  ComPtr<IDataObject> data;
  ComPtr<IDropSource> source;
  *data.Put() = new (std::nothrow) CPathDataObject(format, block);
  if (!data) {
    ::GlobalFree(block);
    return;
  }
  *source.Put() = new (std::nothrow) CPathDropSource;
  if (!source) return;
  DWORD effect = DROPEFFECT_NONE;
  ::DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect);
}
