// Checks the shipped theme libraries as the launcher reads them: loaded as data from the program
// folder, every value and picture the windows read is there, well formed, and at the size its
// layout implies. Also TOPLEX.exe's own web-pane pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/theme_ids.h"
#include "common/win/handles.h"

namespace {

constexpr DWORD kAsData = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
constexpr int kWindowWidth = 640, kWindowHeight = 480, kPanelTop = 21;

std::string ProgramFolder() {
  char exe[MAX_PATH];
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string p(exe);
  return p.substr(0, p.rfind('\\') + 1) + "..\\dist\\";
}

struct Size {
  int cx = 0, cy = 0, bits = 0;
  bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
};
struct Box {
  int x, y, w, h;
  bool Inside(const Box& o) const { return x >= o.x && y >= o.y && x + w <= o.x + o.w && y + h <= o.y + o.h; }
  bool Overlaps(const Box& o) const { return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h; }
};
std::ostream& operator<<(std::ostream& os, const Size& s) { return os << s.cx << "x" << s.cy << "@" << s.bits; }
std::ostream& operator<<(std::ostream& os, const Box& b) {
  return os << "(" << b.x << "," << b.y << " " << b.w << "x" << b.h << ")";
}

class Library {
 public:
  explicit Library(const std::string& file)
      : m_file(file), m_h(::LoadLibraryExA((ProgramFolder() + file).c_str(), nullptr, kAsData)) {}
  bool Loaded() const { return static_cast<bool>(m_h); }
  HMODULE Get() const { return m_h.Get(); }
  // The text of a string entry, or "" when missing.
  std::string Text(UINT id) const {
    char buf[1024];
    int n = ::LoadStringA(m_h.Get(), id, buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
  }
  int Number(UINT id) const { return std::atoi(Text(id).c_str()); }
  Size Bitmap(UINT id) const {
    UniqueBitmap b(static_cast<HBITMAP>(::LoadImageA(m_h.Get(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP bm{};
    if (!b || !::GetObjectA(b.Get(), sizeof bm, &bm)) return {};
    return {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
  }
  // White (nonzero) or black pixels of a mask as the launcher's masked copy sees them.
  std::vector<bool> MaskPixels(UINT id, Size* size) const {
    UniqueBitmap b(static_cast<HBITMAP>(::LoadImageA(m_h.Get(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    BITMAP bm{};
    if (!b || !::GetObjectA(b.Get(), sizeof bm, &bm)) return {};
    *size = {bm.bmWidth, bm.bmHeight, bm.bmBitsPixel};
    std::vector<bool> px;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, b.Get());
    for (int y = 0; y < bm.bmHeight; ++y)
      for (int x = 0; x < bm.bmWidth; ++x) px.push_back(::GetPixel(dc, x, y) == RGB(255, 255, 255));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return px;
  }
  double Shown(UINT mask) const {
    Size s;
    std::vector<bool> px = MaskPixels(mask, &s);
    return static_cast<double>(std::count(px.begin(), px.end(), true));
  }
  std::set<UINT> BitmapIds() const {
    std::set<UINT> ids;
    auto add = [](HMODULE, LPCSTR, LPSTR name, LONG_PTR to) -> BOOL {
      return reinterpret_cast<std::set<UINT>*>(to)->insert(LOWORD(name)), TRUE;
    };
    ::EnumResourceNamesA(m_h.Get(), RT_BITMAP, add, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
  }
  // Picture at a theme position: (x id, y id) with the size of a bitmap.
  Box At(UINT xid, UINT yid, UINT bitmap, int dx = 0, int dy = 0) const {
    Size s = Bitmap(bitmap);
    return {Number(xid) - dx, Number(yid) - dy, s.cx, s.cy};
  }
  Box Rect(UINT first) const { return {Number(first), Number(first + 1), Number(first + 2), Number(first + 3)}; }
  const std::string& File() const { return m_file; }

 private:
  std::string m_file;
  UniqueModule m_h;
};

// The value rules of the theme reader.
bool IsNumber(const std::string& s) {
  size_t i = s.find_first_not_of(' ');
  if (i == std::string::npos) return false;
  if (s[i] == '-' || s[i] == '+') ++i;
  bool digit = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') digit = true;
    else if (s[i] != ' ') return false;
  }
  return digit;
}
bool IsColour(const std::string& s) {
  return s.size() == 6 && s.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

enum Kind { kNumber, kColour, kFace, kCharset, kStyle, kText };
struct Value {
  UINT id;
  Kind kind;
};

// Every string the launcher's windows read, by kind.
std::vector<Value> ValuesRead() {
  std::vector<Value> v{{IDS_THEME_NAME, kText}, {IDS_THEME_TITLE, kText}};
  for (UINT font :
       {IDS_FONT_PANEL_FACE, IDS_FONT_TILE_FACE, IDS_FONT_MENU_FACE, IDS_FONT_USER_FACE, IDS_FONT_USERLIST_FACE})
    v.insert(v.end(), {{font, kFace},
                       {font + 1, kCharset},
                       {font + 2, kNumber},
                       {font + 3, kStyle},
                       {font + 4, kColour},
                       {font + 5, kColour}});
  auto numbers = [&](UINT first, UINT last) {
    for (UINT id = first; id <= last; ++id) v.push_back({id, kNumber});
  };
  auto colours = [&](UINT first, UINT last) {
    for (UINT id = first; id <= last; ++id) v.push_back({id, kColour});
  };
  numbers(IDS_TILE_NAME_LEFT, IDS_TILE_NAME_HEIGHT);
  numbers(IDS_THEME_PANE_WIDTH, IDS_MENU_PER_PAGE);
  numbers(IDS_TOOL_LR_X, IDS_TOOL_TRASH_Y);
  numbers(IDS_TILE_PRESS_SHIFT_X, IDS_TILE_PICTURE_Y);
  colours(IDS_TILE_MARK_COLOR, IDS_TILE_MARK_COLOR);
  colours(IDS_FRAME_OUTER_COLOR, IDS_POPUP_HILITE_COLOR);
  numbers(IDS_THEMEDLG_LABEL_X, IDS_THEMEDLG_CANCEL_Y);
  numbers(IDS_MENUDLG_ADD_LABEL_X, IDS_MENUDLG_CANCEL_Y);
  numbers(IDS_MENUDLG_ADD_LABEL_X + IDS_USERDLG_OFFSET, IDS_MENUDLG_CANCEL_Y + IDS_USERDLG_OFFSET);
  numbers(IDS_MENURENAME_LABEL_X, IDS_MENURENAME_CANCEL_Y);
  numbers(IDS_MENURENAME_LABEL_X + IDS_USERRENAME_OFFSET, IDS_MENURENAME_CANCEL_Y + IDS_USERRENAME_OFFSET);
  numbers(IDS_ITEMDLG_NAME_LABEL_X, IDS_ITEMDLG_CANCEL_Y);
  colours(IDS_DLG_TEXT_COLOR, IDS_DLG_LIST_BACK_COLOR);
  return v;
}

class ThemeLibrary : public ::testing::TestWithParam<const char*> {
 protected:
  ThemeLibrary() : lib(GetParam()) {}
  // All four states of a button set share one size and each has a 1-bit mask of that size.
  Size ButtonSet(UINT base) {
    Size s = lib.Bitmap(base);
    EXPECT_GT(s.cx, 0) << base;
    for (UINT i = 0; i < 4; ++i) {
      EXPECT_EQ(lib.Bitmap(base + i), s) << lib.File() << " picture " << base + i;
      Mask(base + IDB_STATE_MASK + i, s);
    }
    return s;
  }
  std::vector<bool> Mask(UINT id, Size image) {
    Size s;
    std::vector<bool> px = lib.MaskPixels(id, &s);
    EXPECT_EQ(s, image) << lib.File() << " mask " << id;
    EXPECT_EQ(s.bits, 1) << lib.File() << " mask " << id;
    // Our outlines are all rounded: a white corner means an inverted palette, no white at all
    // a picture that never shows.
    if (!px.empty()) {
      EXPECT_FALSE(px[0]) << lib.File() << " mask " << id << " is white in its corner";
      EXPECT_NE(std::count(px.begin(), px.end(), true), 0) << lib.File() << " mask " << id << " is all black";
    }
    return px;
  }
  Library lib;
};

}  // namespace

TEST_P(ThemeLibrary, LoadsAsDataWithANameAndEveryValueWellFormed) {
  ASSERT_TRUE(lib.Loaded()) << lib.File();
  std::string name = lib.Text(IDS_THEME_NAME);
  EXPECT_FALSE(name.empty());
  EXPECT_LE(name.size(), 31u) << "the theme dialog keeps 32 bytes of the name";
  for (const Value& v : ValuesRead()) {
    std::string s = lib.Text(v.id);
    SCOPED_TRACE(testing::Message() << lib.File() << " string " << v.id << " \"" << s << "\"");
    ASSERT_FALSE(s.empty()) << "missing: the window would fall back to its default";
    switch (v.kind) {
      case kNumber: EXPECT_TRUE(IsNumber(s)); break;
      case kColour: EXPECT_TRUE(IsColour(s)); break;
      case kFace: EXPECT_LE(s.size(), 32u); break;
      case kCharset: EXPECT_TRUE(s == "SHIFTJIS_CHARSET" || s == "ANSI_CHARSET" || s == "SYMBOL_CHARSET"); break;
      case kStyle: EXPECT_EQ(s.find_first_not_of("bBiIsSuUr"), std::string::npos); break;
      case kText: break;
    }
  }
  int perPage = lib.Number(IDS_MENU_PER_PAGE);
  EXPECT_TRUE(perPage >= 1 && perPage <= 8) << perPage;
}

TEST_P(ThemeLibrary, MainWindowAndButtonPanelFitTheLayout) {
  ASSERT_TRUE(lib.Loaded());
  const int pane = lib.Number(IDS_THEME_PANE_WIDTH);
  const int panelW = kWindowWidth - pane - 6, panelH = kWindowHeight - kPanelTop - 3;
  // Title strips at (3, 3): wide and narrow, active and inactive, above the panels.
  Size wide = lib.Bitmap(IDB_TITLE_ACTIVE_WIDE), narrow = lib.Bitmap(IDB_TITLE_ACTIVE_NARROW);
  EXPECT_EQ(wide.cx, kWindowWidth - 6);
  EXPECT_EQ(narrow.cx, panelW);
  EXPECT_EQ(lib.Bitmap(IDB_TITLE_INACTIVE_WIDE), wide);
  EXPECT_EQ(lib.Bitmap(IDB_TITLE_INACTIVE_NARROW), narrow);
  EXPECT_EQ(narrow.cy, wide.cy);
  EXPECT_TRUE(wide.cy > 0 && 3 + wide.cy <= kPanelTop) << wide;
  for (UINT id = IDB_CLOSE; id <= IDB_MINIMIZE_PRESSED; ++id) EXPECT_EQ(lib.Bitmap(id), (Size{16, 13})) << id;

  // Everything in the button panel, in its background's coordinates.
  EXPECT_EQ(lib.Bitmap(IDB_PANEL_BACK), (Size{panelW, panelH}));
  const Box panel{0, 0, panelW, panelH};
  std::vector<std::pair<const char*, Box>> parts;
  parts.push_back({"picture", lib.At(IDS_PANEL_PICTURE_X, IDS_PANEL_PICTURE_Y, IDB_PANEL_PICTURE, 3, 21)});
  Size user = ButtonSet(IDB_USER_BUTTON);
  parts.push_back({"user", {lib.Number(IDS_USER_BUTTON_X) - 3, lib.Number(IDS_USER_BUTTON_Y) - 21, user.cx, user.cy}});
  Size lrShown = ButtonSet(IDB_TOOL_LR_SHOWN);
  EXPECT_EQ(ButtonSet(IDB_TOOL_LR_HIDDEN), lrShown) << "both LR sets stand at one place";
  struct Tool {
    const char* name;
    UINT set, x;
  } tools[] = {{"lr", IDB_TOOL_LR_HIDDEN, IDS_TOOL_LR_X},
               {"help", IDB_TOOL_HELP, IDS_TOOL_HELP_X},
               {"edit", IDB_TOOL_EDIT, IDS_TOOL_EDIT_X},
               {"lupe", IDB_TOOL_LUPE, IDS_TOOL_LUPE_X},
               {"trash", IDB_TOOL_TRASH, IDS_TOOL_TRASH_X}};
  for (const Tool& t : tools) {
    Size s = ButtonSet(t.set);
    parts.push_back({t.name, {lib.Number(t.x) - 3, lib.Number(t.x + 1) - 21, s.cx, s.cy}});
  }
  // Menu column: buttons of one width; prev, the page of menus and next stacked.
  Size menu = lib.Bitmap(IDB_MENU_BUTTON), prev = lib.Bitmap(IDB_MENU_PREV), next = lib.Bitmap(IDB_MENU_NEXT);
  EXPECT_EQ(lib.Bitmap(IDB_MENU_BUTTON_SELECTED), menu);
  EXPECT_EQ(lib.Bitmap(IDB_MENU_BUTTON_HOVER), menu);
  for (UINT i = 1; i < 4; ++i) {
    EXPECT_EQ(lib.Bitmap(IDB_MENU_PREV + i), prev) << i;
    EXPECT_EQ(lib.Bitmap(IDB_MENU_NEXT + i), next) << i;
  }
  EXPECT_EQ(prev.cx, menu.cx);
  EXPECT_EQ(next.cx, menu.cx);
  parts.push_back({"menus",
                   {lib.Number(IDS_MENU_COLUMN_X) - 3, lib.Number(IDS_MENU_COLUMN_Y) - 21, menu.cx,
                    prev.cy + lib.Number(IDS_MENU_PER_PAGE) * menu.cy + next.cy}});
  for (size_t i = 0; i < parts.size(); ++i) {
    EXPECT_TRUE(parts[i].second.Inside(panel)) << lib.File() << " " << parts[i].first << " " << parts[i].second;
    for (size_t j = i + 1; j < parts.size(); ++j)
      EXPECT_FALSE(parts[i].second.Overlaps(parts[j].second))
          << lib.File() << " " << parts[i].first << " and " << parts[j].first;
  }
  // The user list drops from the user button and stays inside the panel.
  Box list = parts[1].second;
  EXPECT_LE(list.y + list.h + lib.Number(IDS_USER_LIST_HEIGHT), panelH);
}

TEST_P(ThemeLibrary, TilesFitTheirCellsAndShareThePressedOutline) {
  ASSERT_TRUE(lib.Loaded());
  Size tile = lib.Bitmap(IDB_TILE);
  for (UINT id : {IDB_TILE_PRESSED, IDB_TILE_HOVER, IDB_TILE_GRIP_HOVER}) EXPECT_EQ(lib.Bitmap(id), tile) << id;
  // Every state is cut out through the pressed mask after its own mask has whitened it: wherever
  // the pressed mask shows the tile, each state's own mask must show it too, or white shows.
  std::vector<bool> pressed = Mask(IDB_TILE_PRESSED_MASK, tile);
  for (UINT id : {IDB_TILE_MASK, IDB_TILE_HOVER_MASK, IDB_TILE_GRIP_HOVER_MASK}) {
    std::vector<bool> own = Mask(id, tile);
    ASSERT_EQ(own.size(), pressed.size());
    int whitened = 0;
    for (size_t i = 0; i < own.size(); ++i) whitened += pressed[i] && !own[i];
    EXPECT_EQ(whitened, 0) << lib.File() << " mask " << id;
  }
  Size mark = lib.Bitmap(IDB_TILE_MARK);
  Mask(IDB_TILE_MARK_MASK, mark);

  // The face: the hit rectangle; a pressed tile moves by the shift and grows by it.
  const Box hit = lib.Rect(IDS_TILE_HIT_X);
  const int sx = lib.Number(IDS_TILE_PRESS_SHIFT_X), sy = lib.Number(IDS_TILE_PRESS_SHIFT_Y);
  EXPECT_EQ(tile, (Size{hit.x + hit.w + sx, hit.y + hit.h + sy}));
  struct Part {
    const char* name;
    Box box;
  } inner[] = {
      {"grip", lib.Rect(IDS_TILE_GRIP_X)},
      {"name", lib.Rect(IDS_TILE_NAME_LEFT)},
      {"icon", {lib.Number(IDS_TILE_ICON_X), lib.Number(IDS_TILE_ICON_Y), TILE_ICON_SIZE, TILE_ICON_SIZE}},
      {"banner", {lib.Number(IDS_TILE_BANNER_X), lib.Number(IDS_TILE_BANNER_Y), TILE_BANNER_WIDTH, TILE_BANNER_HEIGHT}},
      {"picture",
       {lib.Number(IDS_TILE_PICTURE_X), lib.Number(IDS_TILE_PICTURE_Y), TILE_PICTURE_WIDTH, TILE_PICTURE_HEIGHT}},
      {"mark", {lib.Number(IDS_TILE_OVERLAY_X), lib.Number(IDS_TILE_OVERLAY_Y), mark.cx, mark.cy}}};
  for (const Part& p : inner) EXPECT_TRUE(p.box.Inside(hit)) << lib.File() << " " << p.name << " " << p.box;
  EXPECT_FALSE(inner[0].box.Overlaps(inner[4].box)) << "grip over the picture";
  EXPECT_FALSE(inner[1].box.Overlaps(inner[4].box)) << "name over the picture";

  // Cells hold a whole tile; at least one column fits the client area beside the scroll bar.
  const int colW = lib.Number(IDS_GRID_COLUMN_WIDTH), rowH = lib.Number(IDS_GRID_ROW_HEIGHT);
  EXPECT_GE(colW, tile.cx);
  EXPECT_GE(rowH, tile.cy);
  const int client = lib.Number(IDS_THEME_PANE_WIDTH) - ::GetSystemMetrics(SM_CXVSCROLL);
  const int originX = lib.Number(IDS_GRID_LEFT) - GRID_INNER_X;
  const int columns = (client - originX) / colW;
  ASSERT_GE(columns, 1);
  EXPECT_LE(originX + GRID_INNER_X + (columns - 1) * colW + tile.cx, client) << "last column cut off";
  EXPECT_GE(lib.Number(IDS_GRID_TOP) - GRID_INNER_Y, 0);
  Size back = lib.Bitmap(IDB_GRID_BACK);
  EXPECT_TRUE(back.cx > 0 && back.cy > 0);
}

TEST_P(ThemeLibrary, ScrollBarSetsAndPopupsKeepTheirShapes) {
  ASSERT_TRUE(lib.Loaded());
  const Size arrow{::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYVSCROLL)};
  for (UINT base : {IDB_SCROLL_PANEL, IDB_SCROLL_USERLIST, IDB_SCROLL_DIALOG}) {
    Size track = lib.Bitmap(base + IDB_SCROLL_TRACK), thumb = lib.Bitmap(base + IDB_SCROLL_THUMB);
    EXPECT_TRUE(track.cx > 0 && track.cy > 0) << base;
    EXPECT_EQ(thumb, (Size{arrow.cx, SCROLL_THUMB_ROWS})) << base << " thumb: caps of 4 rows around 8 stretched";
    for (UINT i = IDB_SCROLL_DOWN; i < IDB_SCROLL_UP + 3; ++i) EXPECT_EQ(lib.Bitmap(base + i), arrow) << base + i;
  }
  // Pop-up bullets share a size that fits an entry; the background covers the larger popup.
  Size bullet = lib.Bitmap(IDB_POPUP_BULLET);
  for (UINT i = 0; i < 3; ++i) {
    EXPECT_EQ(lib.Bitmap(IDB_POPUP_BULLET + i), bullet) << i;
    Mask(IDB_POPUP_BULLET_MASK + i, bullet);
  }
  HDC dc = ::CreateCompatibleDC(nullptr);
  UniqueFont font(::CreateFontA(-MulDiv(9, ::GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                SHIFTJIS_CHARSET, 0, 0, 0, 0, "ＭＳ Ｐゴシック"));
  HGDIOBJ old = ::SelectObject(dc, font.Get());
  TEXTMETRICA tm{};
  SIZE az{};
  ::GetTextMetricsA(dc, &tm);
  ::GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &az);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  const int baseX = (az.cx / 26 + 1) / 2, baseY = tm.tmHeight;
  Size back = lib.Bitmap(IDB_POPUP_BACK);
  EXPECT_GE(back.cx, MulDiv(102, baseX, 4)) << "edit popup, 102 dialog units wide";
  EXPECT_GE(back.cy, MulDiv(77, baseY, 8)) << "item popup, 77 dialog units high";
  EXPECT_LE(bullet.cy, MulDiv(11, baseY, 8) + 2) << "an entry is 11 dialog units high";
}

TEST_P(ThemeLibrary, DialogControlsLieOnTheirBackgrounds) {
  ASSERT_TRUE(lib.Loaded());
  // One caption pair serves the dialogs of one width, the rename pair the rename dialogs.
  Size main = lib.Bitmap(IDB_DLG_BACK), item = lib.Bitmap(IDB_ITEMDLG_BACK);
  Size rename = lib.Bitmap(IDB_MENURENAME_BACK);
  EXPECT_EQ(item.cx, main.cx);
  EXPECT_EQ(lib.Bitmap(IDB_USERRENAME_BACK), rename);
  Size caption = lib.Bitmap(IDB_DLG_CAPTION_ACTIVE), renameCaption = lib.Bitmap(IDB_RENAME_CAPTION_ACTIVE);
  EXPECT_EQ(lib.Bitmap(IDB_DLG_CAPTION_INACTIVE), caption);
  EXPECT_EQ(lib.Bitmap(IDB_RENAME_CAPTION_INACTIVE), renameCaption);
  EXPECT_EQ(caption.cx, main.cx - 2);
  EXPECT_EQ(renameCaption.cx, rename.cx - 2);
  for (Size c : {caption, renameCaption})
    EXPECT_TRUE(c.cy >= DLG_CLOSE_BOX_TOP + 13 && 1 + c.cy <= 21)
        << "caption holds the close box, inside the drag strip";

  std::vector<Size> sets;
  for (UINT base = IDB_DLG_OK; base <= IDB_DLG_UP; base += 8) sets.push_back(ButtonSet(base));
  auto button = [&](UINT xid, UINT set) {
    Size s = sets[(set - IDB_DLG_OK) / 8];
    return Box{lib.Number(xid), lib.Number(xid + 1), s.cx, s.cy};
  };
  struct Control {
    const char* name;
    Box box;
    bool pushButton;
  };
  auto check = [&](const char* dialog, Size back, const std::vector<Control>& controls) {
    const Box body{0, 21, back.cx, back.cy - 21};
    const Box close{back.cx - DLG_CLOSE_BOX_RIGHT, DLG_CLOSE_BOX_TOP, 16, 13};
    EXPECT_TRUE(close.Inside({0, 0, back.cx, back.cy})) << dialog;
    for (size_t i = 0; i < controls.size(); ++i) {
      const Control& c = controls[i];
      EXPECT_TRUE(c.box.w > 0 && c.box.h > 0 && c.box.Inside(body))
          << lib.File() << " " << dialog << " " << c.name << " " << c.box;
      for (size_t j = i + 1; j < controls.size(); ++j) {
        if (!c.pushButton && !controls[j].pushButton) continue;  // labels may lie over frames
        EXPECT_FALSE(c.box.Overlaps(controls[j].box))
            << lib.File() << " " << dialog << " " << c.name << " and " << controls[j].name;
      }
    }
  };
  check("theme", main,
        {{"label", lib.Rect(IDS_THEMEDLG_LABEL_X), false},
         {"list", lib.Rect(IDS_THEMEDLG_LIST_X), true},
         {"ok", button(IDS_THEMEDLG_OK_X, IDB_DLG_OK), true},
         {"cancel", button(IDS_THEMEDLG_CANCEL_X, IDB_DLG_CANCEL), true}});
  for (UINT off : {0, IDS_USERDLG_OFFSET}) {
    Box addFrame = lib.Rect(IDS_MENUDLG_ADD_FRAME_X + off), listFrame = lib.Rect(IDS_MENUDLG_LIST_FRAME_X + off);
    std::vector<Control> c{{"add label", lib.Rect(IDS_MENUDLG_ADD_LABEL_X + off), false},
                           {"list label", lib.Rect(IDS_MENUDLG_LIST_LABEL_X + off), false},
                           {"edit", lib.Rect(IDS_MENUDLG_EDIT_X + off), true},
                           {"list", lib.Rect(IDS_MENUDLG_LIST_X + off), true},
                           {"add", button(IDS_MENUDLG_ADD_X + off, IDB_DLG_ADD), true},
                           {"up", button(IDS_MENUDLG_UP_X + off, IDB_DLG_UP), true},
                           {"down", button(IDS_MENUDLG_DOWN_X + off, IDB_DLG_DOWN), true},
                           {"rename", button(IDS_MENUDLG_RENAME_X + off, IDB_DLG_RENAME), true},
                           {"delete", button(IDS_MENUDLG_DELETE_X + off, IDB_DLG_DELETE), true},
                           {"ok", button(IDS_MENUDLG_OK_X + off, IDB_DLG_OK), true},
                           {"cancel", button(IDS_MENUDLG_CANCEL_X + off, IDB_DLG_CANCEL), true}};
    check(off ? "user" : "menu", main, c);
    for (int i : {2, 4}) EXPECT_TRUE(c[i].box.Inside(addFrame)) << off << " " << c[i].name;
    for (int i : {3, 5, 6, 7, 8}) EXPECT_TRUE(c[i].box.Inside(listFrame)) << off << " " << c[i].name;
    EXPECT_FALSE(addFrame.Overlaps(listFrame));
  }
  for (UINT off : {0, IDS_USERRENAME_OFFSET}) {
    Box frame = lib.Rect(IDS_MENURENAME_FRAME_X + off), edit = lib.Rect(IDS_MENURENAME_EDIT_X + off);
    check(off ? "user rename" : "menu rename", rename,
          {{"label", lib.Rect(IDS_MENURENAME_LABEL_X + off), false},
           {"edit", edit, true},
           {"ok", button(IDS_MENURENAME_OK_X + off, IDB_DLG_OK), true},
           {"cancel", button(IDS_MENURENAME_CANCEL_X + off, IDB_DLG_CANCEL), true}});
    EXPECT_TRUE(edit.Inside(frame));
    EXPECT_TRUE(frame.Inside({0, 21, rename.cx, rename.cy - 21}));
  }
  std::vector<Control> c;
  const char* names[] = {"name label",        "name",        "file label", "file",
                         "description label", "description", "date label", "date"};
  for (UINT i = 0; i < 8; ++i) c.push_back({names[i], lib.Rect(IDS_ITEMDLG_NAME_LABEL_X + 4 * i), i % 2 == 1});
  c.push_back({"ok", button(IDS_ITEMDLG_OK_X, IDB_DLG_OK), true});
  c.push_back({"cancel", button(IDS_ITEMDLG_CANCEL_X, IDB_DLG_CANCEL), true});
  check("item", item, c);
}

TEST_P(ThemeLibrary, GripCursorHasItsHotSpotInside) {
  ASSERT_TRUE(lib.Loaded());
  HCURSOR cursor = ::LoadCursorA(lib.Get(), MAKEINTRESOURCEA(IDC_GRIP));
  ASSERT_NE(cursor, nullptr) << lib.File();
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(cursor, &info));
  UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
  EXPECT_FALSE(info.fIcon);
  BITMAP bm{};
  ::GetObjectA(mask.Get(), sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  EXPECT_TRUE(info.xHotspot > 4 && info.xHotspot < 28 && info.yHotspot > 4 && info.yHotspot < 28)
      << info.xHotspot << "," << info.yHotspot << ": a move cursor grips in its middle";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ThemeLibrary, ::testing::Values("Image00.dll", "Image01.dll"));

TEST(ThemeLibraries, TwoDistinctThemesWithTheTitle) {
  Library a("Image00.dll"), b("Image01.dll");
  ASSERT_TRUE(a.Loaded() && b.Loaded());
  EXPECT_NE(a.Text(IDS_THEME_NAME), b.Text(IDS_THEME_NAME));
  EXPECT_EQ(a.Text(IDS_THEME_TITLE), "TOPLEX");
  EXPECT_EQ(b.Text(IDS_THEME_TITLE), "TOPLEX");
  EXPECT_NE(a.Text(IDS_FRAME_BACK_COLOR), b.Text(IDS_FRAME_BACK_COLOR)) << "Image01 is a different design";
}

// The launcher's own pictures, used while the web pane is open (652 x 522, buttons at top 6).
TEST(LauncherArt, WebPanePicturesMatchTheWebLayout) {
  Library exe("TOPLEX.exe");
  ASSERT_TRUE(exe.Loaded());
  Size strip = exe.Bitmap(IDB_WEB_TITLE_ACTIVE);
  EXPECT_EQ(strip.cx, 652 - 6);
  EXPECT_EQ(exe.Bitmap(IDB_WEB_TITLE_INACTIVE), strip);
  EXPECT_TRUE(strip.cy >= 6 - 3 + 24 && 3 + strip.cy <= 33) << strip << ": holds the buttons, above the pane at 33";
  for (UINT id : {IDB_WEB_CLOSE, IDB_WEB_CLOSE_PRESSED, IDB_WEB_MINIMIZE, IDB_WEB_MINIMIZE_PRESSED})
    EXPECT_EQ(exe.Bitmap(id), (Size{24, 24})) << id;
  for (UINT id = IDB_WEB_BACK; id <= IDB_WEB_OFF_PRESSED; ++id) EXPECT_EQ(exe.Bitmap(id), (Size{24, 24})) << id;
}

// Each picture's 200 % twin: twice its size, of its depth, a mask of about four times the cover.
TEST(ArtAt200, EveryPictureHasItsTwinAtTwiceItsSize) {
  for (const char* file : {"Image00.dll", "Image01.dll", "TOPLEX.exe"}) {
    Library lib(file);
    const std::set<UINT> ids = lib.BitmapIds();
    EXPECT_GE(ids.size(), 36u) << file << ": not loaded, or no 200 % pictures";
    for (UINT id : ids) {
      if (id > IDB_ART_200 && ids.count(id - IDB_ART_200)) continue;
      SCOPED_TRACE(testing::Message() << file << " picture " << id);
      const Size one = lib.Bitmap(id), two = lib.Bitmap(id + IDB_ART_200);
      EXPECT_EQ(two, (Size{2 * one.cx, 2 * one.cy}));
      EXPECT_EQ(two.bits, one.bits);
      if (one.bits == 1) EXPECT_NEAR(lib.Shown(id + IDB_ART_200), 4 * lib.Shown(id), 4 * lib.Shown(id) / 3);
    }
  }
}
