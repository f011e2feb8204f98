// Sets the process's modal-dialog event for the life of a dialog or message box, so that peer
// programs and handlers that would start new work can see that the launcher is busy. Guards
// nest: a warning shown over an open dialog leaves the event set when it closes, and only the
// outermost guard resets it.
#pragma once
#include <windows.h>

class ModalGuard {
 public:
  ModalGuard() : m_outermost(!IsSet()) {
    if (s_event && m_outermost) ::SetEvent(s_event);
  }
  ~ModalGuard() {
    if (s_event && m_outermost) ::ResetEvent(s_event);
  }
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

  // The application hands its event over once at start (borrowed, not owned).
  static void SetEvent(HANDLE event) { s_event = event; }
  static bool IsSet() { return s_event && ::WaitForSingleObject(s_event, 0) == WAIT_OBJECT_0; }

 private:
  const bool m_outermost;
  static inline HANDLE s_event = nullptr;
};

// A message box bracketed by the modal event.
inline int GuardedMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  ModalGuard guard;
  return ::MessageBoxA(owner, text, caption, type);
}
