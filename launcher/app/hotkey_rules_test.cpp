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
    // Stored and read again, and through a hotkey control and back, it is the same key.
    const hotkey::Setting s = hotkey::ToSetting(p.hotkey);
    EXPECT_EQ(hotkey::Parse(s.key, s.modifiers).hotkey, p.hotkey) << c.described;
    if (!(p.hotkey.modifiers & hotkey::kWin)) {
      EXPECT_EQ(hotkey::FromControl(hotkey::ToControl(p.hotkey)).hotkey, p.hotkey) << c.described;
    }
  }
  EXPECT_EQ(hotkey::ToSetting(std::nullopt).key, "None");
  EXPECT_EQ(hotkey::FromControl(0).status, Status::kNone);
  EXPECT_EQ(hotkey::FromControl(0x0400 | 0x0D).status, Status::kInvalid);  // Alt+Enter has no name here
  EXPECT_EQ(hotkey::FromControl('K').status, Status::kInvalid);            // a letter alone
}
