// The mechanics of the launcher's drag and drop: starting a tile's drag, one drop target class
// for every window that takes drops (the icon panel, each menu button, the trash), and reading
// what a drop delivers within the real size of each block.
//
// A window that takes drops implements DropClient: the target asks it whether it accepts what
// enters, which effect the keys give, where the drag is, and finally hands it the drop.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <optional>
#include <string>

#include "common/win/com_object.h"
#include "common/win/com_ptr.h"
#include "launcher/skin/drop_rules.h"

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

class DropClient {
 public:
  // Whether what enters may be dropped here at all.
  virtual bool Accepts(IDataObject* data) = 0;
  // The effect of a drop with these keys, out of the effects the source allows.
  virtual DWORD Effect(DWORD allowed, DWORD keys) = 0;
  // The drag is over the window at a point of the screen, or has left it; false refuses a drop
  // at that point.
  virtual bool Hover(bool over, POINT screen) = 0;
  // True when the drop was taken.
  virtual bool Drop(IDataObject* data) = 0;

 protected:
  ~DropClient() = default;
};

// The one drop target: it holds what entered and asks its client about everything else.
class CDropTarget final : public ComObject<IDropTarget, &IID_IDropTarget> {
 public:
  explicit CDropTarget(DropClient& client) : m_client(client) {}
  STDMETHODIMP DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  STDMETHODIMP DragLeave() override;
  STDMETHODIMP Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

 private:
  DropClient& m_client;
  ComPtr<IDataObject> m_entered;
};

// A drop target registered on a window from Register until Revoke (or the end of the object).
class DropRegistration {
 public:
  DropRegistration() = default;
  ~DropRegistration() { Revoke(); }
  DropRegistration(const DropRegistration&) = delete;
  DropRegistration& operator=(const DropRegistration&) = delete;
  void Register(HWND window, DropClient& client);
  void Revoke();

 private:
  HWND m_window = nullptr;
  ComPtr<CDropTarget> m_target;
};

// Runs an OLE drag of one data block in the given format, move only. 1 when the drag ran.
int StartItemDrag(UINT format, const void* data, SIZE_T bytes);

// What the panel and a menu button take: a tile, a finder path, an address with a descriptor,
// a bookmark, or one existing file.
bool AcceptsLauncherDrop(IDataObject* data, UINT itemFormat, UINT pathFormat);
// Hands what the data carries to the sink in the order above; true when the sink took it. A
// file whose path code page 932 cannot write, even in its short form, is refused with a message
// over the owner that names it.
bool DeliverDrop(IDataObject* data, UINT itemFormat, UINT pathFormat, DropSink& sink, HWND owner);
bool OffersFormat(IDataObject* data, UINT format);
// The tile a drag carries in the item format, read within its block.
std::optional<droprules::ItemRef> DraggedItem(IDataObject* data, UINT itemFormat);

// The message over the owner for a file whose path code page 932 cannot write.
void TellUnwritableName(HWND owner, const std::string& shown);

// The question before an item is deleted, naming it, over the owner with the main window's
// title; true for OK.
bool ConfirmItemDelete(HWND owner, const std::string& name);
