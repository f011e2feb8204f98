#include "launcher/app/hotkey_rules.h"

#include <cctype>

#include "common/cp932.h"

namespace hotkey {
namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::optional<unsigned> KeyCode(std::string_view name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<unsigned>(std::toupper(static_cast<unsigned char>(name[0])));
  if (cp932::EqualsNoCase(name, "Space")) return kSpace;
  if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'F' || name[0] == 'f')) {
    int n = 0;
    for (char c : name.substr(1)) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
      n = n * 10 + (c - '0');
    }
    if (n >= 1 && n <= 24) return kF1 + static_cast<unsigned>(n - 1);
  }
  return std::nullopt;
}

struct Name {
  const char* text;
  unsigned flag;
};
constexpr Name kModifiers[] = {{"Alt", kAlt}, {"Ctrl", kCtrl}, {"Shift", kShift}, {"Win", kWin}};

}  // namespace

Parsed Parse(std::string_view key, std::string_view modifiers) {
  key = Trim(key);
  if (cp932::EqualsNoCase(key, "None")) return {Status::kNone, {}};
  const std::optional<unsigned> code = KeyCode(key);
  if (!code) return {};
  unsigned flags = 0;
  for (std::string_view rest = modifiers; !Trim(rest).empty();) {
    const std::size_t plus = rest.find('+');
    const std::string_view part = Trim(rest.substr(0, plus));
    rest = plus == std::string_view::npos ? std::string_view() : rest.substr(plus + 1);
    bool known = false;
    for (const Name& m : kModifiers)
      if (cp932::EqualsNoCase(part, m.text)) flags |= m.flag, known = true;
    if (!known) return {};
  }
  // A key alone would take that key from every program.
  if (flags == 0 && !(*code >= kF1 && *code < kF1 + 24)) return {};
  return {Status::kSet, {flags, *code}};
}

namespace {
// HOTKEYF_SHIFT, HOTKEYF_CONTROL and HOTKEYF_ALT beside the modifiers they stand for.
constexpr unsigned kControlFlags[][2] = {{0x01, kShift}, {0x02, kCtrl}, {0x04, kAlt}};
}  // namespace

Setting ToSetting(const std::optional<Hotkey>& h) {
  if (!h) return {"None", ""};
  const std::string text = Describe(*h);
  const std::size_t plus = text.rfind('+');
  if (plus == std::string::npos) return {text, ""};
  return {text.substr(plus + 1), text.substr(0, plus)};
}

Parsed FromControl(unsigned value) {
  if ((value & 0xFF) == 0) return {Status::kNone, {}};
  Hotkey h{0, value & 0xFF};
  for (const auto& f : kControlFlags)
    if ((value >> 8) & f[0]) h.modifiers |= f[1];
  // Only what the settings can name is taken: the way back through them must give the same key.
  const Setting s = ToSetting(h);
  const Parsed back = Parse(s.key, s.modifiers);
  return back.status == Status::kSet && back.hotkey == h ? back : Parsed{};
}

unsigned ToControl(const Hotkey& h) {
  unsigned flags = 0;
  for (const auto& f : kControlFlags)
    if (h.modifiers & f[1]) flags |= f[0];
  return (flags << 8) | (h.key & 0xFF);
}

std::string Describe(const Hotkey& h) {
  std::string text;
  for (const Name& m : kModifiers)
    if (h.modifiers & m.flag) text += std::string(m.text) + "+";
  if (h.key == kSpace) return text + "Space";
  if (h.key >= kF1 && h.key < kF1 + 24) return text + "F" + std::to_string(h.key - kF1 + 1);
  return text + static_cast<char>(h.key);
}

}  // namespace hotkey
