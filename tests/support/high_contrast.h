// The system's high contrast and colours as a test sets them, put back when the test ends,
// passed or failed.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <cstring>
#include <utility>
#include <vector>

namespace test {

// High contrast through the system's own switch where it has one. Wine 8 has none (its
// SPI_SETHIGHCONTRAST fails and SPI_GETHIGHCONTRAST answers no flags): there the setting the
// system stores for the user is written, and the change announced as the system announces it.
class HighContrastSwitch {
 public:
  HighContrastSwitch() {
    DWORD bytes = sizeof m_stored;
    m_had = ::RegGetValueA(HKEY_CURRENT_USER, kKey, "Flags", RRF_RT_REG_SZ, nullptr, m_stored, &bytes) == ERROR_SUCCESS;
  }
  ~HighContrastSwitch() {
    Set(false);
    if (m_had) Store(m_stored);
    else ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Flags");
  }
  void Set(bool on) {
    HIGHCONTRASTA hc{sizeof hc, HCF_AVAILABLE | (on ? HCF_HIGHCONTRASTON : 0u), nullptr};
    if (::SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof hc, &hc, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) return;
    Store(on ? "127" : "126");
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, &result);
  }

 private:
  static constexpr char kKey[] = "Control Panel\\Accessibility\\HighContrast";
  static void Store(const char* flags) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Flags", REG_SZ, flags, static_cast<DWORD>(std::strlen(flags) + 1));
  }
  bool m_had = false;
  char m_stored[32] = {};
};

// System colours replaced for the test's life. Wine gives a process the colours stored when it
// started, so the program under test is started after they are set.
class SystemColours {
 public:
  explicit SystemColours(std::initializer_list<std::pair<int, COLORREF>> colours) {
    for (const auto& [element, colour] : colours) {
      m_elements.push_back(element);
      m_old.push_back(::GetSysColor(element));
      m_new.push_back(colour);
    }
    ::SetSysColors(static_cast<int>(m_elements.size()), m_elements.data(), m_new.data());
  }
  ~SystemColours() { ::SetSysColors(static_cast<int>(m_elements.size()), m_elements.data(), m_old.data()); }

 private:
  std::vector<int> m_elements;
  std::vector<COLORREF> m_old, m_new;
};

}  // namespace test
