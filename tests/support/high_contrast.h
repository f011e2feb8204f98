// The system's high contrast and colours as a test sets them: both are put back when the test
// ends, passed or failed.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace test {

// Turns high contrast on and off through the system's own switch where it has one. Wine 8 has
// none (SPI_SETHIGHCONTRAST fails, SPI_GETHIGHCONTRAST answers no flags at all): there the
// setting the system keeps for the user is written, and the change announced as the system
// announces it.
class HighContrastSwitch {
 public:
  HighContrastSwitch() {
    char value[32] = {};
    DWORD bytes = sizeof value;
    m_had = ::RegGetValueA(HKEY_CURRENT_USER, kKey, "Flags", RRF_RT_REG_SZ, nullptr, value, &bytes) == ERROR_SUCCESS;
    m_stored = value;
  }
  ~HighContrastSwitch() {
    if (m_system) Set(false);
    if (m_had) Store(m_stored);
    else ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Flags");
    Announce();
  }
  HighContrastSwitch(const HighContrastSwitch&) = delete;
  HighContrastSwitch& operator=(const HighContrastSwitch&) = delete;

  void Set(bool on) {
    HIGHCONTRASTA hc{sizeof hc, HCF_AVAILABLE | (on ? HCF_HIGHCONTRASTON : 0u), nullptr};
    if (::SystemParametersInfoA(SPI_SETHIGHCONTRAST, sizeof hc, &hc, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
      m_system = true;
      return;
    }
    Store(on ? "127" : "126");
    Announce();
  }

 private:
  static constexpr char kKey[] = "Control Panel\\Accessibility\\HighContrast";
  static void Store(const std::string& flags) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Flags", REG_SZ, flags.c_str(), static_cast<DWORD>(flags.size() + 1));
  }
  static void Announce() {
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0, SMTO_ABORTIFHUNG, 5000, &result);
  }
  bool m_had = false, m_system = false;
  std::string m_stored;
};

// System colours replaced for the test's life. Wine gives a process the colours stored when it
// started, so a program under test is started after they are set.
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
  SystemColours(const SystemColours&) = delete;
  SystemColours& operator=(const SystemColours&) = delete;

 private:
  std::vector<int> m_elements;
  std::vector<COLORREF> m_old, m_new;
};

}  // namespace test
