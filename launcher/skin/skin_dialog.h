// CSkinDialog: the base of every themed dialog. It has no system caption: the top 21 client
// rows drag it, and it repaints itself whenever its activation changes (m_active tells the
// caption picture to draw).
//
// A themed dialog supplies only identifiers. Its LayOut places its parts for the dialog's DPI,
// at the start and again when the dialog is moved to a monitor of another scale:
//
//   void LayOut() override {
//     AddLabel(1014, {IDS_..._X, IDS_..._Y, IDS_..._WIDTH, IDS_..._HEIGHT, 14, 29, 104, 14});
//     PlaceControl(1015, {...});
//     AddButton(IDOK, IDB_DLG_OK, {IDS_..._X, IDS_..._Y, 40, 87});
//     AddButton(IDCANCEL, IDB_DLG_CANCEL, {...});
//   }
//
// and its OnInitDialog sets up the rest once:
//
//   InitSkin(theme, IDB_DLG_BACK);                    // caption off, size, close box, LayOut
//   PlaceBesideParent();
//   SkinListBox(1015);
//   StartHoverTimer();
//
// and the base then paints (background, caption, shadowed title, labels, frames), draws the
// buttons from their bitmap sets, tracks the hover button, colours the controls, and turns the
// close box into Cancel. Templates use DS_MODALFRAME so that the frame is the dialog frame the
// size allows for. A dialog that paints more handles WM_PAINT itself and calls PaintSkin.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/rect.h"
#include "common/theme_ids.h"
#include "common/ui/dialog.h"
#include "common/win/handles.h"

class CTheme;

// A rectangle from the theme's string table: identifiers of left, top, width and height, and the
// default of each.
struct ThemeBox {
  int xId, yId, widthId, heightId;
  int x, y, width, height;
};
// A position from the theme's string table; the size comes from elsewhere (a button's picture).
struct ThemePos {
  int xId, yId;
  int x, y;
};

class CSkinDialog : public CDialog {
 public:
  CSkinDialog(int templateId, HWND parent);
  ~CSkinDialog() override;

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // ---- Set-up, from OnInitDialog ----
  // Removes the caption (adds WS_CLIPCHILDREN and WS_SYSMENU), sizes the window to the background
  // plus twice the dialog frame, creates the close box 6071, makes the 12-pixel title font,
  // reads the text and shadow colours (31101, 31102) and lays the dialog out. Caption pictures
  // of 0 draw no caption.
  void InitSkin(const CTheme& theme, int backgroundId, int captionActiveId = IDB_DLG_CAPTION_ACTIVE,
                int captionInactiveId = IDB_DLG_CAPTION_INACTIVE, bool drawTitle = true);
  // Places labels, controls, frames and buttons, and makes the fonts, for Dpi(). Called by
  // InitSkin and at every DPI change, so it only places and sizes what OnInitDialog created.
  virtual void LayOut() {}
  // Beside the parent's right edge, or centred on the desktop without a parent.
  void PlaceBesideParent();
  Rect ReadBox(const ThemeBox& box) const;
  void PlaceControl(int id, const ThemeBox& box);
  // An owner-drawn button of the bitmap set `base` at its theme position, sized to its normal
  // picture; it takes part in hover tracking. Without a disabled look a disabled button shows
  // its other states.
  void AddButton(int id, int base, const ThemePos& pos, bool hasDisabledLook = true);
  // The size, at 96 DPI, of the buttons added next when the theme lacks their picture (by
  // default the template's size).
  void SetButtonSizeWithoutPicture(int width, int height) { m_sizeWithoutPicture = {width, height}; }
  // A label drawn with a shadow in its theme box; the control itself is moved out of sight.
  void AddLabel(int id, const ThemeBox& box, UINT format = DT_SINGLELINE | DT_VCENTER);
  // A frame of two 1-pixel outlines (pens 31103, then 31104 one pixel right and down).
  void AddFrame(const ThemeBox& box);
  // An edit or list box in the theme's colours, with the classic edge instead of the visual style.
  void SetControlColours(int id, COLORREF text, COLORREF back);
  // The small dialogs' parts: a label over one field in a frame, then OK and Cancel, placed by
  // the 16 theme values from themeBase (label, field, frame, OK, Cancel).
  void LayOutOneField(int themeBase, int labelId, int fieldId);
  // The dialogs' list box look: scroll-bar skin 30301, text 31109 on 31110.
  void SkinListBox(int id);
  void StartHoverTimer();

  // ---- For dialogs that paint or draw more ----
  void PaintSkin(HDC dc);
  const CTheme& Theme() const { return *m_theme; }
  // The DPI of the monitor the dialog is on, and a 96-DPI size or picture of the theme at it.
  int Dpi() const { return m_dpi; }
  int Px(int pixelsAt96) const;
  HBITMAP Picture(int id) const;

  POINT m_dragAnchor{-1, -1};  // client point where a caption drag started; -1, -1 when none
  BOOL m_active = FALSE;       // the last activation state received
  int m_hotId = 0;             // the themed button under the mouse, 0 for none

 private:
  struct Button {
    int id, base;
    int x, y;  // its place on the background, where its surroundings are taken from
    bool hasDisabledLook;
  };
  struct Label {
    int id;
    RECT box;
    UINT format;
  };
  struct Colours {
    int id;
    COLORREF text, back;
    UniqueBrush brush;
  };

  void FitToBackground();
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnNcActivate(bool active);
  void OnLButtonDown(POINT pt);
  void OnMouseMove(POINT pt);
  void OnLButtonUp(POINT pt);
  void MoveByDrag(POINT pt);
  void OnPaint();
  bool OnDrawItem(const DRAWITEMSTRUCT* d);
  void OnHoverTimer();
  INT_PTR OnCtlColor(HDC dc, HWND ctl);
  const Button* FindButton(int id) const;
  // Under high contrast (skin_dialog_plain.cpp).
  void PaintPlain(HDC dc);
  bool DrawPlainItem(const DRAWITEMSTRUCT* d);
  INT_PTR PlainControlColours(HDC dc);
  void OnSystemLook(UINT msg, WPARAM wParam, LPARAM lParam);

  const CTheme* m_theme = nullptr;  // borrowed for the dialog's life
  int m_dpi = 96;
  int m_backgroundId = 0;
  HBITMAP m_background = nullptr;  // borrowed from the theme, like every picture here
  int m_captionActive = 0, m_captionInactive = 0;
  bool m_drawTitle = true;
  COLORREF m_textColour = RGB(255, 255, 255), m_shadowColour = RGB(0, 0, 0);
  UniqueFont m_titleFont;
  std::vector<Button> m_buttons;
  SIZE m_sizeWithoutPicture{0, 0};
  std::vector<Label> m_labels;
  std::vector<RECT> m_frames;
  std::vector<Colours> m_colours;
  bool m_timer = false;
};
