// Sets the process's modal-dialog event for the life of a dialog or message box, so that peer
// programs and handlers that would start new work can see that the launcher is busy.
#pragma once
#include <windows.h>

class ModalGuard {
 public:
  ModalGuard() {
    if (s_event) ::SetEvent(s_event);
  }
  ~ModalGuard() {
    if (s_event) ::ResetEvent(s_event);
  }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

  // The application hands its event over once at start (borrowed, not owned).
  static void SetEvent(HANDLE event) { s_event = event; }
  static bool IsSet() { return s_event && ::WaitForSingleObject(s_event, 0) == WAIT_OBJECT_0; }

 private:
  static inline HANDLE s_event = nullptr;
};

// A message box bracketed by the modal event.
inline int GuardedMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  ModalGuard guard;
  return ::MessageBoxA(owner, text, caption, type);
}
