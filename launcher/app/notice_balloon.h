// A balloon under the launcher's window that tells the user something without stopping them:
// that a change could not be saved and why, and later that it was. It leaves by itself after a
// while. The tooltip control keeps the notice's text as its window text, for screen readers and
// tests.
#pragma once
#include <windows.h>

#include <string>

class CNoticeBalloon {
 public:
  CNoticeBalloon() = default;
  CNoticeBalloon(const CNoticeBalloon&) = delete;
  CNoticeBalloon& operator=(const CNoticeBalloon&) = delete;

  // The balloon belongs to the owner; the owner's timer IDT_NOTICE (set by Show) calls Hide.
  void Create(HWND owner, HINSTANCE inst);
  void Show(const std::string& title, const std::string& text, bool warning, UINT showMs);
  void Hide();
  HWND Handle() const { return m_tip; }

 private:
  HWND m_owner = nullptr;
  HWND m_tip = nullptr;  // destroyed with its owner
  std::string m_text;
};
