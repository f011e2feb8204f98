// CIconPanelWnd: the scrolling grid of themed tiles that shows the items of the current menu.
// It reads the data store and changes nothing in it: launching, moving and adding go to the
// main frame as requests, renaming and deleting as its actions, and the frame refreshes it.
//
// One class in a file per job: icon_panel_wnd.cpp (its life, theme and items), _paint, _plain
// (a tile under high contrast), _looks (slot contents, the look cache and tips), _scroll, _mouse,
// _keys, _drop, _find (type-to-find) and _access (what screen readers read).
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <unordered_map>
#include <string>
#include <vector>

#include "common/ui/wnd.h"
#include "common/wheel.h"
#include "common/win/element_accessible.h"
#include "common/win/handles.h"
#include "launcher/base/launcher_actions.h"
#include "launcher/data/item_presentation.h"
#include "launcher/data/launch_data.h"
#include "launcher/menus/item_drop.h"
#include "launcher/skin/drag_drop.h"
#include "launcher/panels/find_strip.h"
#include "launcher/panels/icon_layout.h"
#include "launcher/panels/target_checks.h"

class CIconPanelWnd : public CWnd, public DropSink, public DropClient, private AccessibleElements {
 public:
  void AttachData(const CLaunchData* data, LauncherActions* actions);
  void SetFormats(UINT itemFormat, UINT pathFormat) {
    m_cfIconItem = itemFormat;
    m_cfFilePath = pathFormat;
  }
  bool CreatePanel(HWND parent, const RECT& rc, HINSTANCE inst);
  // Tools on the owner's tooltip that show a tile's name whole where the tile shows it cut.
  void AttachTips(HWND tooltip);

  void RefreshItems(bool resetScroll);
  void ApplyTheme(bool full);
  // The theme now draws at another DPI: everything is laid out again, the first shown tile first.
  void OnDpiChanged();
  // The window was activated: gone targets are looked for again.
  void OnActivated();
  void LaunchVisible(int n);
  void PageUp();
  void PageDown();
  void TrackHover(POINT screen);
  // F2, Delete and the popup keys (ID_TILE_*) on the tile a key acts on.
  void TileKey(UINT command);
  // The keyboard's focus over the tiles: the arrows, Home and End move it, Enter and Space open its
  // tile (Page Up and Page Down turn the page, and an explicit focus goes with it). True when the key was taken. The
  // frame calls FocusByKeyboard when Tab brings the focus here, so that the keys act on the focused tile, not the one
  // under the pointer.
  bool FocusKey(UINT vk);
  void FocusByKeyboard() { m_keyFocus = true; }

  // Type-to-find: a character typed in the main window opens the find strip over the panel, and
  // the panel shows the matching items of all menus until Esc, an emptied text or a launch.
  // Takes the typing messages meant for it; true when taken.
  bool FindMessage(const MSG& msg);
  bool Finding() const { return m_find.IsOpen(); }

  // The drop target's questions: a disabled panel (a user without menus) takes nothing, and a
  // drop that would leave the dragged tile where it is is refused at that point.
  bool Accepts(IDataObject* data) override;
  DWORD Effect(DWORD allowed, DWORD keys) override { return droprules::PanelEffect(allowed, keys); }
  bool Hover(bool over, POINT screen) override;
  bool Drop(IDataObject* data) override;

  // What a drop delivers, in the drop's format order; nonzero when it was taken.
  int DropMoveItem(int menu, int item) override;
  int DropFile(const std::string& path) override;
  int DropUrl(const std::string& url, const char* title) override;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  struct ItemSlot {
    int shown = -1;                                // item position the slot shows
    int loaded = -1;                               // item position whose data is loaded
    std::shared_ptr<const ItemPresentation> look;  // shared with the look cache
    char caption[260] = {};
    std::vector<std::string> lines;  // the caption as the tile draws it
    bool cut = false;                // the caption did not fit whole
    void Release() {
      look.reset();
      loaded = -1;
      lines.clear();
      cut = false;
    }
  };

  int OnCreate();
  void OnDestroy();
  void OnSize(int width, int height);
  void OnPaint();
  void OnVScroll(int code);
  void OnMouseWheel(int delta);
  void OnLButtonDown(POINT pt);
  void OnMouseMove(POINT pt);
  void OnLButtonUp(POINT pt);
  void OnRButtonUp(POINT pt);
  bool OnSetCursor();
  void OnCommand(UINT id);
  void DeleteMenuItem();
  void RenameMenuItem();
  void LocateMenuItem();
  int DropInsertion() const;
  DropReceiver Receiver() const;
  void EndKeyPress();
  int KeyTile() const;
  int FocusTile() const;
  void KeyOpen(int position);
  void OnFocusChange();
  TileRef Ref(int position) const;  // the item a tile shows
  void OpenFind();
  void CloseFind(bool restore);
  void ShowResults();
  void MoveChoice(int by);
  void DrawStrip(HDC dc) const;
  void FollowKeyTile();
  void TilesReplaced();

  int ElementCount() const override;
  std::string ElementName(int i) const override;
  std::string ElementDescription(int i) const override;
  long ElementRole(int) const override { return ROLE_SYSTEM_LISTITEM; }
  long ElementState(int i) const override;
  RECT ElementPlace(int i) const override;
  const char* ElementAction(int i) const override;
  void DoElementAction(int i) override;
  int ElementAt(POINT client) const override;
  int StripHeight() const { return m_lineHeight + 10; }

  void ReadLayout();
  void BuildBackground();
  void AssignSlots();
  void WrapCaption(HDC measure, ItemSlot& slot) const;
  std::shared_ptr<const ItemPresentation> LookOf(const TileRef& ref, const ItemRecord& item);
  void UpdateTips();
  void UpdateScrollBar();
  void SetScroll(int position, bool scrollContent);
  void RepaintCell(int position, bool now);
  void PaintBackground(HDC dc, const RECT& area, HRGN update) const;
  void DrawTile(HDC dc, HRGN update, const ItemSlot& slot);
  void DrawTileLook(HDC tile, const ItemSlot& slot, POINT shift) const;
  void DrawTileName(HDC tile, const ItemSlot& slot, POINT shift, COLORREF colour) const;
  void DrawTileFocus(HDC dc, int p) const;
  void DrawPlainTile(HDC dc, HRGN update, const ItemSlot& slot, iconpanel::TileLook look);  // under high contrast
  void DrawEmptyHint(HDC dc) const;
  void DrawMissingMark(HDC tile, int x, int y, int side) const;
  void CheckTargets();
  void ShowMark(const iconpanel::DropPosition& d);
  void RemoveMark();
  RECT MarkRect() const;
  HWND Parent() const { return ::GetParent(m_hwnd); }
  bool DragOverFeedback(POINT client);
  void DragLeaveFeedback();

  const CLaunchData* m_data = nullptr;
  LauncherActions* m_actions = nullptr;
  const CTheme* m_theme = nullptr;  // borrowed from the data store
  UINT m_cfIconItem = 0, m_cfFilePath = 0;
  iconpanel::Grid m_grid;
  std::array<ItemSlot, iconpanel::kSlotCount> m_slots;
  int m_pressed = -1, m_hot = -1, m_hotGrip = -1, m_menuItem = -1;
  int m_popupTile = -1;  // the tile whose popup is open, drawn chosen meanwhile
  iconpanel::Press m_press = iconpanel::Press::kNone;
  int m_lastPressed = -1;  // the keyboard's focus: the tile last clicked, opened or moved to by key
  bool m_keyFocus =
      false;            // the keys moved the focus: they act on it, not on the tile under the pointer, until a click
  int m_keyPress = -1;  // the tile shown pressed by a key until it opens
  TileRef m_keyPressItem{-1, -1};
  std::uint64_t m_keyPressRevision = 0;
  int m_markPos = -1;
  iconpanel::Side m_markSide = iconpanel::Side::kBefore;
  int m_autoScroll = 0;
  bool m_dragOver = false;
  WheelAccumulator m_wheel;
  FindStrip m_find;
  // What each target's tile shows (icon, picture, overlay), kept while no item changes: a menu
  // seen before is shown again without asking the shell for its icons.
  std::unordered_map<std::string, std::shared_ptr<const ItemPresentation>> m_looks;
  std::uint64_t m_looksRevision = 0;
  int m_scrollBeforeFind = 0;
  UniqueBitmap m_background;  // the grid picture tiled over the panel, one extra row high
  int m_backgroundTile = 0;   // height of one picture of it
  UniqueFont m_nameFont;
  int m_lineHeight = 12;  // of the name font
  HWND m_tips = nullptr;  // the owner's tooltip
  COLORREF m_nameColour = 0;
  DropRegistration m_drop;
  TargetChecks m_checks;  // which shown targets are gone
  std::string m_tipText;  // the tip being shown
  AccessibleHost m_access{ROLE_SYSTEM_LIST, "アイテム一覧"};
  int m_keyTileTold = -1;  // the tile the last focus event named
};
