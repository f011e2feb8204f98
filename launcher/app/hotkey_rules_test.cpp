#include "launcher/app/hotkey_rules.h"

#include <gtest/gtest.h>

using hotkey::Status;

TEST(HotkeyRules, KeysAndModifiersInPlainText) {
  struct Case {
    const char *key, *modifiers;
    Status status;
    unsigned mods, code;
    const char* described;
  } cases[] = {
      {"Space", "Alt", Status::kSet, hotkey::kAlt, 0x20, "Alt+Space"},
      {" k ", "ctrl + ALT", Status::kSet, hotkey::kAlt | hotkey::kCtrl, 'K', "Alt+Ctrl+K"},
      {"f12", "", Status::kSet, 0, 0x7B, "F12"},  // a function key may stand alone
      {"7", "Win+Shift", Status::kSet, hotkey::kShift | hotkey::kWin, '7', "Shift+Win+7"},
      {"none", "Alt", Status::kNone, 0, 0, nullptr},
      {"K", "", Status::kInvalid, 0, 0, nullptr},  // a letter alone would be taken from every program
      {"F25", "Alt", Status::kInvalid, 0, 0, nullptr},
      {"Enter", "Alt", Status::kInvalid, 0, 0, nullptr},
      {"Space", "Alt+Meta", Status::kInvalid, 0, 0, nullptr},
  };
  for (const Case& c : cases) {
    const hotkey::Parsed p = hotkey::Parse(c.key, c.modifiers);
    EXPECT_EQ(p.status, c.status) << c.key << " " << c.modifiers;
    if (c.status != Status::kSet) continue;
    EXPECT_EQ(p.hotkey, (hotkey::Hotkey{c.mods, c.code})) << c.key;
    EXPECT_EQ(hotkey::Describe(p.hotkey), c.described);
  }
}
