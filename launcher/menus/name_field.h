// A name field that holds no more bytes of code page 932 than the name may store. Typing or
// pasting past the limit is undone at once and a balloon tip on the field says how long a name
// may be, instead of a button greying out later without a word.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

class NameField {
 public:
  void Attach(HWND edit, std::size_t maxBytes);
  // From the owner's EN_UPDATE of the field.
  void OnUpdate();
  // Says on the field why what was typed was refused.
  void Tell(const std::string& why) const;

 private:
  HWND m_edit = nullptr;
  std::size_t m_maxBytes = 0;
  std::wstring m_good;  // the last text within the limit, and its selection
  DWORD m_goodSelection = 0;
  bool m_restoring = false;
};
