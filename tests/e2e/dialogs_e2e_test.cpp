// The menu, user and theme dialogs against the real TOPLEX.exe, opened from the Edit button's
// popup and driven through their controls as a user would; what OK and Cancel leave on disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/e2e.h"

using namespace e2e;

namespace {

constexpr char kMenuTitle[] = "メニュー追加・変更・削除";
constexpr char kUserTitle[] = "ユーザー追加・変更・削除";
constexpr char kThemeTitle[] = "画面テーマ選択";
constexpr char kMenuRenameTitle[] = "メニュー名称変更";
constexpr char kUserRenameTitle[] = "ユーザー名称変更";
constexpr char kItemTitle[] = "アイテム情報(名称変更)";
constexpr char kMenuDeleteQuestion[] = "メニューに登録されたすべてのアイテムも同時に削除します.\nよろしいですか?";
constexpr char kUserDeleteQuestion[] =
    "ユーザーに登録されたすべてのメニュー・アイテムも同時に削除します.\nよろしいですか?";
constexpr char kActiveUserWarning[] = "現在選択中のユーザーは削除できません.";
constexpr char kCannotSave[] = "メニューを保存できませんでした.";
constexpr UINT kEditUsersMessage = WM_USER + 12, kSelectThemeMessage = WM_USER + 13;

// Controls of the launcher's windows.
constexpr int kEditTool = 6073, kUserButton = 6080;
constexpr int kPopupMenus = 1004, kPopupUsers = 1005, kPopupTheme = 1006;
constexpr int kName = 1003, kAdd = 1004, kList = 1006, kUp = 1007, kDown = 1008, kRename = 1009, kDelete = 1010;
constexpr int kRenameEdit = 1000, kItemName = 1000, kThemeList = 1015, kCloseBox = 6071;
constexpr int kDialogBack = 15101, kTitleStrip = 20102;
constexpr int kFrameColour1 = 31103, kFrameColour2 = 31104;
constexpr int kAddFrameX = 16117, kAddFrameY = 16118, kAddX = 16125, kAddY = 16126, kUserOffset = 200;
constexpr int kAddDisabledImage = 30117 + 2;

RECT RectOf(HWND w) {
  RECT rc{};
  ::GetWindowRect(w, &rc);
  return rc;
}

void Tap(HWND dialog, int id) {
  const RECT rc = RectOf(::GetDlgItem(dialog, id));
  TapAt((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// Typed through the keyboard as characters, the way an input method hands them over.
void TypeText(const std::string& cp932) {
  wchar_t wide[300] = {};
  const int n = ::MultiByteToWideChar(932, 0, cp932.c_str(), -1, wide, 300) - 1;
  std::vector<INPUT> in;
  for (int i = 0; i < n; ++i)
    for (DWORD up : {0ul, static_cast<unsigned long>(KEYEVENTF_KEYUP)}) {
      INPUT k{};
      k.type = INPUT_KEYBOARD;
      k.ki.wScan = wide[i];
      k.ki.dwFlags = KEYEVENTF_UNICODE | up;
      in.push_back(k);
    }
  ::SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  ::Sleep(300);
}

// Clicks into a field, empties it and types.
void TypeInto(HWND dialog, int id, const std::string& text) {
  Tap(dialog, id);
  ::SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
  PressKeys({}, VK_DELETE);
  TypeText(text);
}

void ClickRow(HWND dialog, int listId, int row, bool twice = false) {
  HWND list = ::GetDlgItem(dialog, listId);
  const int height = static_cast<int>(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  POINT pt{20, row * height + height / 2};
  ::ClientToScreen(list, &pt);
  if (twice) {
    MouseTo(pt.x, pt.y);
    for (int i = 0; i < 2; ++i) {
      TapHere();
      ::Sleep(40);
    }
    ::Sleep(400);
  } else {
    TapAt(pt.x, pt.y);
  }
}

std::vector<std::string> Rows(HWND dialog, int listId) {
  HWND list = ::GetDlgItem(dialog, listId);
  std::vector<std::string> rows;
  const int n = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
  // Asked in UTF-16: that is how the text crosses into this process whole.
  for (int i = 0; i < n; ++i) {
    wchar_t wide[300] = {};
    char text[600] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < 300)
      ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    ::WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    rows.push_back(text);
  }
  return rows;
}

int Selection(HWND dialog, int listId) {
  return static_cast<int>(::SendDlgItemMessageA(dialog, listId, LB_GETCURSEL, 0, 0));
}

bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

// Answers the message box that must be open now, and says what it asked.
std::string Answer(DWORD pid, int button, const char* shot = nullptr) {
  std::string text;
  HWND box = FindMessageBox(pid, &text, 5000);
  if (!box) return "(no message box)";
  ::Sleep(200);
  if (shot) SaveShot(box, shot);
  ::PostMessageA(box, WM_COMMAND, button, 0);
  ::Sleep(400);
  return text;
}

bool Gone(HWND w) {
  for (int t = 0; t < 60 && ::IsWindow(w) && ::IsWindowVisible(w); ++t) ::Sleep(50);
  return !::IsWindow(w) || !::IsWindowVisible(w);
}

// A colour value of a theme library, "RRGGBB".
COLORREF ThemeColour(const char* library, UINT id) {
  HMODULE m = ::LoadLibraryExA((ProgramFolder() + library).c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  char buf[32] = {};
  const int n = m ? ::LoadStringA(m, id, buf, sizeof buf) : 0;
  if (m) ::FreeLibrary(m);
  if (n != 6) return CLR_INVALID;
  const unsigned long v = std::strtoul(buf, nullptr, 16);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

COLORREF ClientPixel(HWND w, int x, int y) {
  POINT pt{x, y};
  ::ClientToScreen(w, &pt);
  HDC screen = ::GetDC(nullptr);
  COLORREF c = ::GetPixel(screen, pt.x, pt.y);
  ::ReleaseDC(nullptr, screen);
  return c;
}

std::string Shot(const std::string& name, const char* theme) { return name + "-" + std::string(theme, 7); }

class DialogsE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Launcher::Window(), nullptr) << "a launcher from an earlier test still runs";
    // Menus A, B, C with their items; C is the current menu.
    SeedOneUser(
        {"A", "B", "C"},
        "#Category\r\n#Item\r\nF: C:\\a1.txt\r\n#Category\r\n#Item\r\nF: C:\\b1.txt\r\n#Item\r\nF: C:\\b2.txt\r\n"
        "#Category\r\n#Item\r\nF: C:\\c1.txt\r\n");
    d_ = DataFolder();
    ::WritePrivateProfileStringA("Init", "Menu", "2", User().c_str());
    ::WritePrivateProfileStringA("Init", "Name", "一郎", User().c_str());
  }
  std::string User() const { return d_ + "USER00.INI"; }
  std::string Main() const { return d_ + "TOPLEX.INI"; }
  std::string Items() const { return ReadWholeFile(d_ + "USER00.DAT"); }

  HWND Start() {
    app_.reset();  // a launcher of this test before is closed first
    app_ = std::make_unique<Launcher>();
    w_ = app_->WaitForWindow();
    if (!w_) return nullptr;
    ::SetForegroundWindow(w_);
    ::Sleep(300);
    panel_ = ::FindWindowExA(w_, nullptr, "ToplexButtonPanel", nullptr);
    return w_;
  }
  // The Edit button, then one entry of its popup: the dialog with that title.
  HWND Open(int entry, const char* title) {
    Tap(panel_, kEditTool);
    HWND popup = FindDialog(Pid(), "");
    if (!popup) return nullptr;
    ::Sleep(300);
    Tap(popup, entry);
    HWND dialog = FindDialog(Pid(), title);
    if (dialog) ::Sleep(500);  // let it finish painting
    return dialog;
  }
  DWORD Pid() const { return app_->pi.dwProcessId; }
  bool Close() { return app_->Close(); }
  std::string UserButtonText() const { return WindowText(::GetDlgItem(panel_, kUserButton)); }

  std::string d_;
  std::unique_ptr<Launcher> app_;
  HWND w_ = nullptr, panel_ = nullptr;
};

// Another user listed in TOPLEX.INI with a file of its own.
void AddUser(const std::string& d, int listed, const char* file, const char* name) {
  ::WritePrivateProfileStringA("UserList", ("User" + std::to_string(listed)).c_str(), file, (d + "TOPLEX.INI").c_str());
  ::WritePrivateProfileStringA("Init", "Name", name, (d + file).c_str());
}

}  // namespace

TEST_F(DialogsE2E, MenusAreAddedMovedRenamedAndDeletedAndTheirItemsFollow) {
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupMenus, kMenuTitle);
  ASSERT_NE(dlg, nullptr) << "no menu dialog";
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(Selection(dlg, kList), -1);
  EXPECT_FALSE(Enabled(dlg, kAdd));
  EXPECT_FALSE(Enabled(dlg, kDelete));

  // A, before the current menu, goes with its item.
  ClickRow(dlg, kList, 0);
  EXPECT_FALSE(Enabled(dlg, kUp));
  EXPECT_TRUE(Enabled(dlg, kDown) && Enabled(dlg, kRename) && Enabled(dlg, kDelete));
  Tap(dlg, kDelete);
  EXPECT_EQ(Answer(Pid(), IDOK), kMenuDeleteQuestion);
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(Selection(dlg, kList), -1);
  EXPECT_FALSE(Enabled(dlg, kRename) || Enabled(dlg, kDelete) || Enabled(dlg, kUp) || Enabled(dlg, kDown));

  // C up above B.
  ClickRow(dlg, kList, 1);
  Tap(dlg, kUp);
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"C", "B"}));
  EXPECT_EQ(Selection(dlg, kList), 0);

  // The field takes 29 bytes: the 30th is refused where it is typed, in either width.
  TypeInto(dlg, kName, std::string(30, 'x'));
  EXPECT_EQ(ControlText(::GetDlgItem(dlg, kName)), std::string(29, 'x'));
  EXPECT_TRUE(Enabled(dlg, kAdd));
  TypeInto(dlg, kName, "メニュー名メニュー名メニュー名");
  EXPECT_EQ(ControlText(::GetDlgItem(dlg, kName)), "メニュー名メニュー名メニュー");
  TypeInto(dlg, kName, "新しいメニュー");
  Tap(dlg, kAdd);
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"C", "B", "新しいメニュー"}));
  EXPECT_EQ(Selection(dlg, kList), 2);
  EXPECT_EQ(ControlText(::GetDlgItem(dlg, kName)), "");

  // B renamed to a 100-byte name, by a double click on its row.
  ClickRow(dlg, kList, 1, true);
  HWND rename = FindDialog(Pid(), kMenuRenameTitle);
  ASSERT_NE(rename, nullptr) << "no rename dialog";
  ::Sleep(400);
  EXPECT_EQ(ControlText(::GetDlgItem(rename, kRenameEdit)), "B");
  const std::string hundred = "ビー" + std::string(96, 'b');
  TypeInto(rename, kRenameEdit, hundred + "zz");  // the field takes 100 bytes
  Tap(rename, IDOK);
  ASSERT_TRUE(Gone(rename));
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"C", hundred, "新しいメニュー"}));
  EXPECT_EQ(Selection(dlg, kList), 1);

  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(500);
  EXPECT_EQ(Ini(User(), "MenuList", "Category1"), "C");
  EXPECT_EQ(Ini(User(), "MenuList", "Category2"), hundred);
  EXPECT_EQ(Ini(User(), "MenuList", "Category3"), "新しいメニュー");
  EXPECT_EQ(Ini(User(), "MenuList", "Category4"), "");
  EXPECT_EQ(Ini(User(), "Init", "Menu"), "0") << "C, the current menu, is now the first";
  const std::string expected =
      "#Category\r\n#Item\r\nF: C:\\c1.txt\r\n#Category\r\n#Item\r\nF: C:\\b1.txt\r\n#Item\r\nF: C:\\b2.txt\r\n"
      "#Category\r\n";
  EXPECT_EQ(Items(), expected);
  ::SetForegroundWindow(w_);
  ::Sleep(300);
  SaveShot(w_, "menus-after-edit");
  // The launcher read them back: closing saves the same again.
  ASSERT_TRUE(Close());
  EXPECT_EQ(Items(), expected);
  EXPECT_EQ(Ini(User(), "Init", "Menu"), "0");
}

// The keyboard alone: the Edit popup's entries by arrows and Enter, and Enter in the name field
// adds the typed name and keeps the dialog open; Enter with the field empty is OK.
TEST_F(DialogsE2E, KeysChooseThePopupEntryAndEnterInTheNameFieldAdds) {
  ASSERT_NE(Start(), nullptr);
  Tap(panel_, kEditTool);
  HWND popup = FindDialog(Pid(), "");
  ASSERT_NE(popup, nullptr);
  PressKeys({}, VK_DOWN);  // the first entry lights
  PressKeys({}, VK_DOWN);
  PressKeys({}, VK_UP);
  SaveShot(popup, "popup-edit-by-key");
  PressKeys({}, VK_RETURN);
  HWND dlg = FindDialog(Pid(), kMenuTitle);
  ASSERT_NE(dlg, nullptr) << "Enter on the first entry did not open the menu dialog";
  ::Sleep(500);
  TypeInto(dlg, kName, "D");
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(::IsWindow(dlg)) << "Enter in the name field closed the dialog";
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_EQ(ControlText(::GetDlgItem(dlg, kName)), "");
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(Gone(dlg));
  EXPECT_EQ(Ini(User(), "MenuList", "Category4"), "D");

  Tap(panel_, kEditTool);
  popup = FindDialog(Pid(), "");
  ASSERT_NE(popup, nullptr);
  PressKeys({}, VK_ESCAPE);
  EXPECT_TRUE(Gone(popup)) << "Esc did not close the popup";
  ASSERT_TRUE(Close());
}

TEST_F(DialogsE2E, DeletingTheCurrentMenuStartsAtTheFirstAndDeletingAllLeavesNoMenus) {
  ::WritePrivateProfileStringA("Init", "Menu", "1", User().c_str());
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupMenus, kMenuTitle);
  ASSERT_NE(dlg, nullptr);
  ClickRow(dlg, kList, 1);
  Tap(dlg, kDelete);
  EXPECT_EQ(Answer(Pid(), IDOK), kMenuDeleteQuestion);
  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(500);
  EXPECT_EQ(Ini(User(), "Init", "Menu"), "0");
  EXPECT_EQ(Ini(User(), "MenuList", "Category2"), "C");
  EXPECT_EQ(Items(), "#Category\r\n#Item\r\nF: C:\\a1.txt\r\n#Category\r\n#Item\r\nF: C:\\c1.txt\r\n");

  // Every menu deleted; a question answered Cancel keeps its menu until then.
  dlg = Open(kPopupMenus, kMenuTitle);
  ASSERT_NE(dlg, nullptr);
  ClickRow(dlg, kList, 0);
  Tap(dlg, kDelete);
  EXPECT_EQ(Answer(Pid(), IDCANCEL), kMenuDeleteQuestion);
  EXPECT_EQ(Rows(dlg, kList).size(), 2u);
  for (int i = 0; i < 2; ++i) {
    ClickRow(dlg, kList, 0);
    Tap(dlg, kDelete);
    Answer(Pid(), IDOK);
  }
  EXPECT_TRUE(Rows(dlg, kList).empty());
  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(500);
  char section[64] = {};
  EXPECT_EQ(::GetPrivateProfileSectionA("MenuList", section, sizeof section, User().c_str()), 0u);
  EXPECT_EQ(Items(), "");
  EXPECT_EQ(Ini(User(), "Init", "Menu"), "0");
  // With no menu left the panel takes no drop: an item there would be lost at the next save.
  HWND panel = ::FindWindowExA(w_, nullptr, "ToplexIconPanel", nullptr);
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(panel));
  ASSERT_TRUE(Close());
  EXPECT_EQ(Items(), "");
}

TEST_F(DialogsE2E, CancelAfterChangesWritesNothing) {
  AddUser(d_, 2, "USER01.INI", "花子");
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupMenus, kMenuTitle);
  ASSERT_NE(dlg, nullptr);
  // The launcher saved just before the dialog opened; from here on nothing may change.
  const std::string user = ReadWholeFile(User()), items = Items(), main = ReadWholeFile(Main());
  TypeInto(dlg, kName, "追加1");
  Tap(dlg, kAdd);
  ClickRow(dlg, kList, 0);
  Tap(dlg, kDown);
  ClickRow(dlg, kList, 2);
  Tap(dlg, kDelete);
  Answer(Pid(), IDOK);
  Tap(dlg, IDCANCEL);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(500);
  EXPECT_EQ(ReadWholeFile(User()), user);
  EXPECT_EQ(Items(), items);

  // The user dialog, closed by its close box.
  dlg = Open(kPopupUsers, kUserTitle);
  ASSERT_NE(dlg, nullptr);
  const std::string other = ReadWholeFile(d_ + "USER01.INI");
  TypeInto(dlg, kName, "三郎");
  Tap(dlg, kAdd);
  ClickRow(dlg, kList, 1);
  Tap(dlg, kDelete);
  EXPECT_EQ(Answer(Pid(), IDOK), kUserDeleteQuestion);
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"一郎", "三郎"}));
  Tap(dlg, kCloseBox);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(300);
  EXPECT_EQ(ReadWholeFile(Main()), main);
  EXPECT_EQ(ReadWholeFile(d_ + "USER01.INI"), other);
  EXPECT_FALSE(Exists(d_ + "USER02.INI"));
}

TEST_F(DialogsE2E, ANewUserTakesTheFirstFreeNumberAndIsListedLast) {
  // USER00 is active; USER02 is listed, so the first free number is 1. A listed name with a
  // path part and a listed file that is missing are not shown, and OK drops them.
  AddUser(d_, 2, "USER02.INI", "次郎");
  const std::string outside = d_ + "..\\outside.INI";
  AddUser(d_, 3, "..\\outside.INI", "外");
  ::WritePrivateProfileStringA("UserList", "User4", "USER09.INI", Main().c_str());
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupUsers, kUserTitle);
  ASSERT_NE(dlg, nullptr) << "no user dialog";
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"一郎", "次郎"}));

  // The active user stays.
  ClickRow(dlg, kList, 0);
  Tap(dlg, kDelete);
  EXPECT_EQ(Answer(Pid(), IDOK), kActiveUserWarning);
  EXPECT_EQ(Rows(dlg, kList).size(), 2u);

  TypeInto(dlg, kName, "三郎");
  Tap(dlg, kAdd);
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{"一郎", "次郎", "三郎"}));
  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(300);
  EXPECT_EQ(Ini(Main(), "UserList", "User1"), "USER00.INI");
  EXPECT_EQ(Ini(Main(), "UserList", "User2"), "USER02.INI");
  EXPECT_EQ(Ini(Main(), "UserList", "User3"), "USER01.INI");
  EXPECT_EQ(Ini(Main(), "UserList", "User4"), "");
  EXPECT_EQ(Ini(d_ + "USER01.INI", "Init", "Name"), "三郎");
  EXPECT_EQ(Ini(Main(), "Init", "ActiveUser"), "USER00.INI");
  EXPECT_TRUE(Exists(outside));
  ::DeleteFileA(outside.c_str());
}

TEST_F(DialogsE2E, ADeletedNumberIsGivenAgainAfterItsOldFilesAreGone) {
  AddUser(d_, 2, "USER01.INI", "古い人");
  ::WritePrivateProfileStringA("Init", "ResourceDLL", "Image01.dll", (d_ + "USER01.INI").c_str());
  WriteWholeFile(d_ + "USER01.DAT", "#Category\r\n#Item\r\nF: C:\\old.txt\r\n");
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(UserButtonText(), UserButtonName("一郎"));
  HWND dlg = Open(kPopupUsers, kUserTitle);
  ASSERT_NE(dlg, nullptr);
  ClickRow(dlg, kList, 1);
  Tap(dlg, kDelete);
  EXPECT_EQ(Answer(Pid(), IDOK), kUserDeleteQuestion);
  TypeInto(dlg, kName, "新しい人");
  Tap(dlg, kAdd);

  // The active user renamed, up to the 63 bytes its name is read back with.
  ClickRow(dlg, kList, 0);
  Tap(dlg, kRename);
  HWND rename = FindDialog(Pid(), kUserRenameTitle);
  ASSERT_NE(rename, nullptr) << "no user rename dialog";
  ::Sleep(400);
  EXPECT_EQ(ControlText(::GetDlgItem(rename, kRenameEdit)), "一郎");
  // Nothing but spaces is no name: OK stays disabled and Enter does nothing.
  TypeInto(rename, kRenameEdit, "  ");
  EXPECT_FALSE(Enabled(rename, IDOK));
  PressKeys({}, VK_RETURN);
  EXPECT_TRUE(::IsWindowVisible(rename));
  const std::string name = "太郎" + std::string(70, 't');
  TypeInto(rename, kRenameEdit, name);
  EXPECT_TRUE(Enabled(rename, IDOK));
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(Gone(rename));
  const std::string kept = name.substr(0, 63);
  EXPECT_EQ(Rows(dlg, kList), (std::vector<std::string>{kept, "新しい人"}));

  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(500);
  EXPECT_EQ(Ini(Main(), "UserList", "User2"), "USER01.INI");
  EXPECT_EQ(Ini(Main(), "UserList", "User3"), "");
  EXPECT_EQ(Ini(d_ + "USER01.INI", "Init", "Name"), "新しい人");
  EXPECT_EQ(Ini(d_ + "USER01.INI", "Init", "ResourceDLL"), "") << "the old user's file was not removed first";
  EXPECT_FALSE(Exists(d_ + "USER01.DAT"));
  EXPECT_EQ(Ini(User(), "Init", "Name"), kept);
  EXPECT_EQ(UserButtonText(), UserButtonName(kept)) << "the user-name button shows the new name";
}

TEST_F(DialogsE2E, TheSystemCloseCommandOnTheUserDialogReloadsNothing) {
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupUsers, kUserTitle);
  ASSERT_NE(dlg, nullptr);
  // A name changed behind the launcher's back shows only when it reads the users again.
  ::WritePrivateProfileStringA("Init", "Name", "外から", User().c_str());
  ::SetForegroundWindow(dlg);
  PressKeys({VK_MENU}, VK_F4);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(300);
  EXPECT_EQ(UserButtonText(), UserButtonName("一郎"));

  // Escape is Cancel, after which the users are read again.
  dlg = Open(kPopupUsers, kUserTitle);
  ASSERT_NE(dlg, nullptr);
  PressKeys({}, VK_ESCAPE);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(300);
  EXPECT_EQ(UserButtonText(), UserButtonName("外から"));
}

// Another program (this test) holds the user's INI file open without delete sharing while a menu
// moves down: the item file, written first, is put back, the dialog says which file and why and
// stays open, and once the file is free the names and the items move together. A user renamed
// meanwhile waits in the user dialog the same way.
TEST_F(DialogsE2E, AFileAnotherProgramHoldsKeepsTheDialogOpenAndTheMenusWithTheirItems) {
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupMenus, kMenuTitle);
  ASSERT_NE(dlg, nullptr);
  const std::string user = ReadWholeFile(User()), items = Items();
  HANDLE held = ::CreateFileA(User().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ClickRow(dlg, kList, 0);
  Tap(dlg, kDown);
  Tap(dlg, IDOK);
  EXPECT_EQ(Answer(Pid(), IDOK, "dialog-save-held"),
            std::string(kCannotSave) + "\nUSER00.INI を書き込めません: ほかのプログラムが使用中です.");
  EXPECT_TRUE(::IsWindowVisible(dlg));
  EXPECT_EQ(ReadWholeFile(User()), user);
  EXPECT_EQ(Items(), items);

  ::CloseHandle(held);
  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(300);
  EXPECT_EQ(Ini(User(), "MenuList", "Category1"), "B");
  EXPECT_EQ(Items().substr(0, Items().find("#Category", 1)).find("a1"), std::string::npos);
  EXPECT_NE(Items().find("a1"), std::string::npos);

  // The same for a user renamed in the user dialog.
  dlg = Open(kPopupUsers, kUserTitle);
  ASSERT_NE(dlg, nullptr);
  held = ::CreateFileA(User().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr);
  ClickRow(dlg, kList, 0);
  Tap(dlg, kRename);
  HWND rename = FindDialog(Pid(), kUserRenameTitle);
  ASSERT_NE(rename, nullptr);
  TypeInto(rename, kRenameEdit, "次郎");
  PressKeys({}, VK_RETURN);
  ASSERT_TRUE(Gone(rename));
  Tap(dlg, IDOK);
  EXPECT_EQ(Answer(Pid(), IDOK),
            "ユーザーを保存できませんでした.\nUSER00.INI を書き込めません: ほかのプログラムが使用中です.");
  EXPECT_TRUE(::IsWindowVisible(dlg));
  ::CloseHandle(held);
  Tap(dlg, IDOK);
  ASSERT_TRUE(Gone(dlg));
  EXPECT_EQ(Ini(User(), "Init", "Name"), "次郎");
}

TEST_F(DialogsE2E, ARequestForAnotherDialogWhileOneIsOpenIsRefused) {
  ASSERT_NE(Start(), nullptr);
  HWND dlg = Open(kPopupMenus, kMenuTitle);
  ASSERT_NE(dlg, nullptr);
  ::PostMessageA(w_, kEditUsersMessage, 0, 0);
  ::PostMessageA(w_, kSelectThemeMessage, 0, 0);
  EXPECT_EQ(FindDialog(Pid(), kUserTitle, 1500), nullptr);
  EXPECT_EQ(FindDialog(Pid(), kThemeTitle, 300), nullptr);
  Tap(dlg, IDCANCEL);
  ASSERT_TRUE(Gone(dlg));
  // With no dialog open the same request is served.
  ::PostMessageA(w_, kEditUsersMessage, 0, 0);
  HWND users = FindDialog(Pid(), kUserTitle);
  ASSERT_NE(users, nullptr);
  ::Sleep(300);
  Tap(users, IDCANCEL);
  ASSERT_TRUE(Gone(users));
}

// The menu dialog's field, a rename dialog and the item dialog each refuse a name that code page
// 932 cannot write, and stay open with the name selected in the focused field.
TEST_F(DialogsE2E, ANameCodePage932CannotWriteIsRefusedWhereverItIsTyped) {
  ASSERT_NE(Start(), nullptr);
  auto refused = [&](HWND dlg, int field, int button) {
    HWND edit = ::GetDlgItem(dlg, field);
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"メモ\xD55C"));
    Tap(dlg, button);
    EXPECT_EQ(Answer(Pid(), IDOK, "dialog-name-unwritable"), "「メモ?」は名前に扱えない文字を含むため登録できません.");
    GUITHREADINFO gui{sizeof gui};
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dlg, nullptr), &gui);
    return ::IsWindowVisible(dlg) && gui.hwndFocus == edit && ::SendMessageW(edit, EM_GETSEL, 0, 0) == MAKELONG(0, 3);
  };
  HWND dlg = Open(kPopupMenus, kMenuTitle);
  EXPECT_TRUE(refused(dlg, kName, kAdd));
  ClickRow(dlg, kList, 0, true);  // a double click renames
  EXPECT_TRUE(refused(FindDialog(Pid(), kMenuRenameTitle), kRenameEdit, IDOK));
  PressKeys({}, VK_ESCAPE);
  Tap(dlg, IDOK);
  MouseTo(0, 0);
  PressKeys({}, VK_F2);  // the first tile's item dialog
  EXPECT_TRUE(refused(FindDialog(Pid(), kItemTitle), kItemName, IDOK));
  PressKeys({}, VK_ESCAPE);
  ASSERT_TRUE(Close());
  EXPECT_EQ((ReadWholeFile(User()) + Items()).find('?'), std::string::npos);
}

// A library without a name string, beside the shipped themes for one test.
struct NamelessTheme {
  std::string path = ProgramFolder() + "Image05.dll";
  NamelessTheme() { ::CopyFileA((TestFolder() + "probe.exe").c_str(), path.c_str(), FALSE); }
  ~NamelessTheme() { ::DeleteFileA(path.c_str()); }
};

TEST_F(DialogsE2E, TheThemeDialogListsTheLibrariesAndTheLauncherWearsTheChoice) {
  NamelessTheme nameless;
  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(ClientPixel(w_, 3 + 100, 3 + 8), ThemeBitmapPixel("Image00.dll", kTitleStrip, 100, 8));
  SaveShot(w_, "theme-switch-before");
  HWND dlg = Open(kPopupTheme, kThemeTitle);
  ASSERT_NE(dlg, nullptr) << "no theme dialog";
  const std::vector<std::string> rows = Rows(dlg, kThemeList);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2], "Image05.dll");
  EXPECT_NE(rows[0], "Image00.dll") << "the shipped themes are listed by their names";
  EXPECT_EQ(Selection(dlg, kThemeList), 0);
  EXPECT_TRUE(Enabled(dlg, IDOK));

  // The close box is Cancel and writes nothing.
  Tap(dlg, kCloseBox);
  ASSERT_TRUE(Gone(dlg));
  EXPECT_EQ(Ini(User(), "Init", "ResourceDLL"), "");

  // A double click on Image01 chooses it.
  dlg = Open(kPopupTheme, kThemeTitle);
  ASSERT_NE(dlg, nullptr);
  ClickRow(dlg, kThemeList, 1, true);
  ASSERT_TRUE(Gone(dlg));
  ::Sleep(800);
  EXPECT_EQ(Ini(User(), "Init", "ResourceDLL"), "Image01.dll");
  ::SetForegroundWindow(w_);
  ::Sleep(300);
  EXPECT_EQ(ClientPixel(w_, 3 + 100, 3 + 8), ThemeBitmapPixel("Image01.dll", kTitleStrip, 100, 8))
      << "the launcher still wears its old theme";
  SaveShot(w_, "theme-switch-after");
  EXPECT_EQ(Items().find("C:\\c1.txt") != std::string::npos, true);

  // Opened again, Image01 is the one selected.
  dlg = Open(kPopupTheme, kThemeTitle);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Selection(dlg, kThemeList), 1);
  Tap(dlg, IDCANCEL);
  ASSERT_TRUE(Gone(dlg));
}

// A theme chosen while running draws the button panel, menu column included, exactly as a start
// in that theme does, both ways; the themes have seven and eight menus a page, and the shown menu
// is the eighth.
TEST_F(DialogsE2E, AThemeChosenWhileRunningDrawsThePanelAsAStartDoes) {
  for (int m = 4; m <= 9; ++m)
    ::WritePrivateProfileStringA("MenuList", ("Category" + std::to_string(m)).c_str(),
                                 ("M" + std::to_string(m)).c_str(), User().c_str());
  ::WritePrivateProfileStringA("Init", "Menu", "7", User().c_str());
  auto settled = [&] {
    MouseTo(0, 0);
    return SettledClient(panel_);
  };
  auto choose = [&](int row) {
    HWND dlg = Open(kPopupTheme, kThemeTitle);
    if (!dlg) return false;
    ClickRow(dlg, kThemeList, row, true);
    const bool gone = Gone(dlg);
    ::SetForegroundWindow(w_);
    ::Sleep(500);
    return gone;
  };
  ASSERT_NE(Start(), nullptr);
  const ScreenImage standard = settled();
  ASSERT_TRUE(choose(1));
  const ScreenImage midnight = settled();
  ASSERT_TRUE(Close());
  ASSERT_NE(Start(), nullptr);
  EXPECT_TRUE(ClientShows(panel_, midnight)) << "a start in the chosen theme draws another panel";
  ASSERT_TRUE(choose(0));
  MouseTo(0, 0);
  EXPECT_TRUE(ClientShows(panel_, standard)) << "the theme chosen back draws another panel than a start";
  ASSERT_TRUE(Close());
}

// Every dialog in each shipped theme, saved for a look, with its background and frame drawn.
TEST_F(DialogsE2E, EveryDialogWearsEachTheme) {
  for (const char* theme : {"Image00.dll", "Image01.dll"}) {
    SCOPED_TRACE(theme);
    ::WritePrivateProfileStringA("Init", "ResourceDLL", theme, User().c_str());
    AddUser(d_, 2, "USER01.INI", "花子");
    ASSERT_NE(Start(), nullptr);
    struct {
      int entry;
      const char* title;
      const char* shot;
      const char* rename;
      const char* renameShot;
    } dialogs[] = {{kPopupMenus, kMenuTitle, "dialog-menu-edit", kMenuRenameTitle, "dialog-menu-rename"},
                   {kPopupUsers, kUserTitle, "dialog-user-edit", kUserRenameTitle, "dialog-user-rename"},
                   {kPopupTheme, kThemeTitle, "dialog-theme-select", nullptr, nullptr}};
    for (const auto& d : dialogs) {
      HWND dlg = Open(d.entry, d.title);
      ASSERT_NE(dlg, nullptr) << d.title;
      // The background shows below the caption strip, away from every control.
      EXPECT_EQ(ClientPixel(dlg, 4, 280), ThemeBitmapPixel(theme, kDialogBack, 4, 280)) << d.title;
      if (d.rename) {
        // The add area's double frame, and the add button in its disabled look while nothing is typed.
        const int o = d.entry == kPopupUsers ? kUserOffset : 0;
        const int fx = ThemeNumber(theme, kAddFrameX + o), fy = ThemeNumber(theme, kAddFrameY + o) + 20;
        EXPECT_EQ(ClientPixel(dlg, fx, fy), ThemeColour(theme, kFrameColour1)) << d.title;
        EXPECT_EQ(ClientPixel(dlg, fx + 1, fy), ThemeColour(theme, kFrameColour2)) << d.title;
        const int ax = ThemeNumber(theme, kAddX + o), ay = ThemeNumber(theme, kAddY + o);
        EXPECT_EQ(ClientPixel(dlg, ax + 12, ay + 10), ThemeBitmapPixel(theme, kAddDisabledImage, 12, 10)) << d.title;
      }
      const int list = d.rename ? kList : kThemeList;
      ClickRow(dlg, list, 0);
      MouseTo(RectOf(::GetDlgItem(dlg, IDOK)).left + 10, RectOf(::GetDlgItem(dlg, IDOK)).top + 8);
      ::Sleep(300);  // OK in its hover look
      SaveShot(dlg, Shot(d.shot, theme));
      if (d.rename) {
        Tap(dlg, kRename);
        HWND rename = FindDialog(Pid(), d.rename);
        ASSERT_NE(rename, nullptr) << d.rename;
        ::Sleep(500);
        SaveShot(rename, Shot(d.renameShot, theme));
        SaveShot(dlg, Shot(d.shot, theme) + "-inactive");  // its caption while the rename dialog is on top
        Tap(rename, IDCANCEL);
        ASSERT_TRUE(Gone(rename));
      }
      Tap(dlg, IDCANCEL);
      ASSERT_TRUE(Gone(dlg));
    }
    ASSERT_TRUE(Close());
  }
}
