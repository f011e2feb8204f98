// What screen readers read of a window that draws its own parts (tiles, menu buttons): an
// IAccessible whose children are simple elements. The object asks the window at each call and
// keeps no copy, and it is cut off from the window when the window goes, so a client that
// still holds it gets CO_E_OBJNOTCONNECTED instead of reading freed data.
#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "common/win/com_ptr.h"

// Spelt out: the import library's IID_IAccessible symbol is not this GUID.
inline constexpr GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The window's side: its elements, counted from 0, asked anew at every call.
class AccessibleElements {
 public:
  virtual int ElementCount() const = 0;
  virtual std::string ElementName(int i) const = 0;  // code page 932
  virtual std::string ElementDescription(int i) const = 0;
  virtual long ElementRole(int i) const = 0;
  virtual long ElementState(int i) const = 0;          // STATE_SYSTEM_*
  virtual RECT ElementPlace(int i) const = 0;          // in client coordinates
  virtual const char* ElementAction(int i) const = 0;  // the default action's name, or null
  // Called inside the client's call: it posts, so that nothing modal runs in there.
  virtual void DoElementAction(int i) = 0;
  virtual int ElementAt(POINT client) const = 0;  // -1: none

 protected:
  ~AccessibleElements() = default;
};

class ElementAccessible;

// A member of the window: answers WM_GETOBJECT and tells clients what changed.
class AccessibleHost {
 public:
  AccessibleHost(long role, const char* name);
  AccessibleHost(const AccessibleHost&) = delete;
  AccessibleHost& operator=(const AccessibleHost&) = delete;
  ~AccessibleHost();

  void Attach(HWND window, AccessibleElements* elements);
  // The answer to WM_GETOBJECT: this object for the client area, 0 (the system's) for the rest.
  LRESULT Answer(WPARAM wParam, LPARAM lParam);
  // At WM_DESTROY: from now on every client's call fails.
  void Disconnect();
  // An event on element i, or on the window's client area when i is -1.
  void Notify(DWORD event, int i) const;

 private:
  HWND m_hwnd = nullptr;
  AccessibleElements* m_elements = nullptr;
  long m_role;
  const char* m_name;
  ComPtr<ElementAccessible> m_object;
};
