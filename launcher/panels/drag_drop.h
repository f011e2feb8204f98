// The launcher's OLE drag-and-drop objects: the source and data object of an item dragged out of
// the icon panel, the panel's drop target and the trash's. Plain reference-counted COM objects
// that start at 0 and delete themselves when released to 0.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>

class CIconPanelWnd;
class CLaunchData;

// Whoever takes what a drop delivers, tried in the order item, path, address, bookmark, file;
// each answers nonzero when it took the drop.
class DropSink {
 public:
  virtual int DropMoveItem(int menu, int item) = 0;
  virtual int DropFile(const std::string& path) = 0;
  virtual int DropUrl(const std::string& url, const char* title) = 0;

 protected:
  ~DropSink() = default;
};

// Runs an OLE drag of one data block in the given format, move only. 1 when the drag ran.
int StartItemDrag(UINT format, const void* data, SIZE_T bytes);

class CItemDropSource : public IDropSource {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP QueryContinueDrag(BOOL escape, DWORD keys) override;
  STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  virtual ~CItemDropSource() = default;
  ULONG m_refs = 0;
};

class CItemDataObject : public IDataObject {
 public:
  static constexpr int kMaxFormats = 10;
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return DATA_S_SAMEFORMATETC; }
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_NOCONNECTION; }
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  int Count() const { return m_count; }
  const FORMATETC& Format(int i) const { return m_formats[i]; }

 private:
  virtual ~CItemDataObject();
  int Find(const FORMATETC* format) const;
  void Clear();
  ULONG m_refs = 0;
  FORMATETC* m_formats = nullptr;  // kMaxFormats each, allocated on the first SetData
  STGMEDIUM* m_media = nullptr;
  int m_count = 0;
};

class CFormatEnum : public IEnumFORMATETC {
 public:
  CFormatEnum(CItemDataObject* data, int cursor);
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG n, FORMATETC* out, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG) override { return S_OK; }
  STDMETHODIMP Reset() override {
    m_cursor = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumFORMATETC** out) override;

 private:
  virtual ~CFormatEnum();
  ULONG m_refs = 0;
  int m_cursor;
  CItemDataObject* m_data;  // one reference held
};

class CItemDropTarget : public IDropTarget {
 public:
  CItemDropTarget(CIconPanelWnd* panel, UINT itemFormat, UINT pathFormat);
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

 private:
  virtual ~CItemDropTarget();
  void Forget();
  ULONG m_refs = 0;
  IDataObject* m_data = nullptr;
  CIconPanelWnd* m_panel;
  UINT m_cfIconItem, m_cfFilePath;
};

// The drop target of one menu button: what is dropped goes to that button's menu.
class CMenuDropTarget : public IDropTarget {
 public:
  CMenuDropTarget(int index, HWND button, DropSink* sink, UINT itemFormat, UINT pathFormat)
      : m_index(index), m_button(button), m_sink(sink), m_cfIconItem(itemFormat), m_cfFilePath(pathFormat) {}
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  bool Highlighted() const { return m_highlight; }

 private:
  virtual ~CMenuDropTarget();
  void SetHighlight(bool on);
  void Forget();
  int m_index;
  bool m_highlight = false;
  ULONG m_refs = 0;
  IDataObject* m_data = nullptr;
  HWND m_button;
  DropSink* m_sink;
  UINT m_cfIconItem, m_cfFilePath;
};

class CTrashDropTarget : public IDropTarget {
 public:
  // repaint is called when the highlight changes; refresh after a deletion.
  CTrashDropTarget(CLaunchData* data, HWND owner, UINT itemFormat, std::function<void(bool hot)> repaint,
                   std::function<void()> refresh);
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  virtual int ConfirmDelete(int menu, int position);

 private:
  virtual ~CTrashDropTarget();
  void SetHot(bool hot);
  void Forget();
  ULONG m_refs = 0;
  bool m_hot = false;
  CLaunchData* m_pData;
  HWND m_owner;
  UINT m_cfIconItem;
  IDataObject* m_data = nullptr;
  std::function<void(bool)> m_repaint;
  std::function<void()> m_refresh;
};

// Registers a drop target on a window for its life: AddRef, lock, RegisterDragDrop; undone in
// reverse by Revoke.
void RegisterTarget(HWND window, IDropTarget* target);
void RevokeTarget(HWND window, IDropTarget* target);
