#include "launcher/skin/skin_dialog.h"

#include <gtest/gtest.h>

#include "launcher/base/resource.h"
#include "launcher/skin/scroll_skin.h"
#include "launcher/skin/skin_layout.h"
#include "tests/support/skin.h"

namespace {

// A themed dialog built only from the base's helpers, laid out like the theme dialog.
class CProbeDialog : public CSkinDialog {
 public:
  CProbeDialog(const CTheme& theme, HWND parent, int items = 12)
      : CSkinDialog(IDD_SKIN_TEST, parent), m_theme(theme), m_items(items) {}
  int cancels = 0;
  bool endOnCancel = true;
  bool clickCloseAtInit = false;  // the close box is clicked once the dialog runs
  SIZE sizeWithoutPicture{0, 0};  // given to the base before the buttons are added

  POINT Anchor() const { return m_dragAnchor; }
  BOOL Active() const { return m_active; }
  int Hot() const { return m_hotId; }
  void SetHot(int id) { m_hotId = id; }  // what the hover timer would find

 protected:
  BOOL OnInitDialog() override {
    InitSkin(m_theme, IDB_DLG_BACK);
    PlaceBesideParent();
    AddLabel(IDC_SKIN_LABEL, {IDS_THEMEDLG_LABEL_X, IDS_THEMEDLG_LABEL_Y, IDS_THEMEDLG_LABEL_WIDTH,
                              IDS_THEMEDLG_LABEL_HEIGHT, 14, 29, 104, 14});
    PlaceControl(IDC_SKIN_LIST, {IDS_THEMEDLG_LIST_X, IDS_THEMEDLG_LIST_Y, IDS_THEMEDLG_LIST_WIDTH,
                                 IDS_THEMEDLG_LIST_HEIGHT, 14, 47, 180, 20});
    SkinListBox(IDC_SKIN_LIST);
    if (sizeWithoutPicture.cx) SetButtonSizeWithoutPicture(sizeWithoutPicture.cx, sizeWithoutPicture.cy);
    AddButton(IDOK, IDB_DLG_OK, {IDS_THEMEDLG_OK_X, IDS_THEMEDLG_OK_Y, 40, 87});
    AddButton(IDCANCEL, IDB_DLG_CANCEL, {IDS_THEMEDLG_CANCEL_X, IDS_THEMEDLG_CANCEL_Y, 124, 87});
    StartHoverTimer();
    for (int i = 0; i < m_items; ++i) {
      char text[40];
      wsprintfA(text, i % 2 ? "テーマ %02d" : "標準のテーマ %02d", i);
      ::SendDlgItemMessageA(m_hwnd, IDC_SKIN_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    ::SendDlgItemMessageA(m_hwnd, IDC_SKIN_LIST, LB_SETCURSEL, 1, 0);
    if (clickCloseAtInit) ::PostMessageA(::GetDlgItem(m_hwnd, IDC_FRAME_CLOSE), BM_CLICK, 0, 0);
    return TRUE;
  }
  void OnCancel() override {
    ++cancels;
    if (endOnCancel) CSkinDialog::OnCancel();
  }

 private:
  const CTheme& m_theme;
  int m_items;
};

class SkinDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_theme = skintest::LoadShippedTheme();
    ASSERT_TRUE(m_theme);
    CTheme::MakeCurrent(m_theme.get());
    m_host = skintest::MakeHost(100, 100, 640, 480);
  }
  void TearDown() override {
    ::DestroyWindow(m_host);
    CTheme::MakeCurrent(nullptr);
  }
  // Only tests that look at the screen or the cursor show the dialog.
  HWND Show(CProbeDialog& dlg) {
    HWND w = dlg.Create();
    if (!w) return nullptr;
    ::ShowWindow(w, SW_SHOW);
    ::SetForegroundWindow(w);
    ::UpdateWindow(w);
    skintest::Pump();
    return w;
  }
  RECT ChildRect(HWND dlg, int id) {
    RECT rc{};
    HWND c = ::GetDlgItem(dlg, id);
    ::GetWindowRect(c, &rc);
    ::MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }
  POINT CentreOf(HWND dlg, int id) {
    RECT rc;
    ::GetWindowRect(::GetDlgItem(dlg, id), &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }

  std::unique_ptr<CTheme> m_theme;
  HWND m_host = nullptr;
};

}  // namespace

TEST_F(SkinDialogTest, SetUpDropsTheCaptionAndLaysTheDialogOutFromTheTheme) {
  CProbeDialog dlg(*m_theme, m_host);
  HWND w = dlg.Create();
  ASSERT_TRUE(w);
  const LONG style = ::GetWindowLongA(w, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & (WS_CLIPCHILDREN | WS_SYSMENU), WS_CLIPCHILDREN | WS_SYSMENU);

  const SIZE bg = skintest::SizeOf(m_theme->Bitmap(IDB_DLG_BACK));
  RECT client, window;
  ::GetClientRect(w, &client);
  ::GetWindowRect(w, &window);
  EXPECT_EQ(client.right, bg.cx) << "the client area is the background";
  EXPECT_EQ(client.bottom, bg.cy);
  const int width = window.right - window.left, height = window.bottom - window.top;
  EXPECT_EQ(width, bg.cx + 2 * ::GetSystemMetrics(SM_CXDLGFRAME));
  EXPECT_EQ(window.left, 740 - 320 - width / 2) << "beside the parent's right edge";
  EXPECT_EQ(window.top, 100 + 240 - height / 2);

  HWND close = ::GetDlgItem(w, IDC_FRAME_CLOSE);
  ASSERT_TRUE(close);
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(close, GWL_STYLE)), 0x5400000Bu);
  const RECT box = ChildRect(w, IDC_FRAME_CLOSE);
  EXPECT_EQ(box.left, bg.cx - 17);
  EXPECT_EQ(box.top, 3);
  EXPECT_EQ(box.right - box.left, 16);
  EXPECT_EQ(box.bottom - box.top, 13);

  const RECT label = ChildRect(w, IDC_SKIN_LABEL);
  EXPECT_EQ(label.left, 10000);
  EXPECT_EQ(label.right - label.left, 0);
  const RECT list = ChildRect(w, IDC_SKIN_LIST);
  EXPECT_EQ(list.left, m_theme->Number(IDS_THEMEDLG_LIST_X, 0));
  EXPECT_EQ(list.bottom - list.top, m_theme->Number(IDS_THEMEDLG_LIST_HEIGHT, 0));
  const RECT ok = ChildRect(w, IDOK);
  const SIZE okSize = skintest::SizeOf(m_theme->Bitmap(IDB_DLG_OK));
  EXPECT_EQ(ok.left, m_theme->Number(IDS_THEMEDLG_OK_X, 0));
  EXPECT_EQ(ok.top, m_theme->Number(IDS_THEMEDLG_OK_Y, 0));
  EXPECT_EQ(ok.right - ok.left, okSize.cx);
  EXPECT_EQ(ok.bottom - ok.top, okSize.cy);
  EXPECT_EQ(::GetWindowLongA(::GetDlgItem(w, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

// A theme without the buttons' pictures: the dialog's own fixed size, else the template's.
TEST_F(SkinDialogTest, AButtonWithoutItsPictureTakesTheDialogsFixedSize) {
  std::unique_ptr<CTheme> bare = CTheme::Load(skintest::ExeFolder() + "..\\dist\\QUILODLL.dll");
  ASSERT_TRUE(bare);
  ASSERT_EQ(bare->Bitmap(IDB_DLG_OK), nullptr);
  CProbeDialog fixed(*bare, m_host);
  fixed.sizeWithoutPicture = {58, 26};
  HWND w = fixed.Create();
  ASSERT_TRUE(w);
  RECT ok = ChildRect(w, IDOK);
  EXPECT_EQ(ok.right - ok.left, 58);
  EXPECT_EQ(ok.bottom - ok.top, 26);
  ::DestroyWindow(w);

  CProbeDialog plain(*bare, m_host);
  w = plain.Create();
  ASSERT_TRUE(w);
  RECT templ{0, 0, 50, 14};  // the template's OK button, in dialog units
  ::MapDialogRect(w, &templ);
  ok = ChildRect(w, IDOK);
  EXPECT_EQ(ok.right - ok.left, templ.right);
  EXPECT_EQ(ok.bottom - ok.top, templ.bottom);
  ::DestroyWindow(w);
}

TEST_F(SkinDialogTest, DialogWithoutParentOpensInTheMiddleOfTheDesktop) {
  CProbeDialog dlg(*m_theme, nullptr);
  HWND w = dlg.Create();
  ASSERT_TRUE(w);
  RECT window, desktop;
  ::GetWindowRect(w, &window);
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  EXPECT_EQ(window.left, (desktop.right - (window.right - window.left)) / 2);
  EXPECT_EQ(window.top, (desktop.bottom - (window.bottom - window.top)) / 2);
}

TEST_F(SkinDialogTest, PressInTheTopTwentyOneRowsDragsTheDialog) {
  CProbeDialog dlg(*m_theme, m_host);
  HWND w = dlg.Create();
  ASSERT_TRUE(w);
  RECT start;
  ::GetWindowRect(w, &start);

  ::SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 21));
  EXPECT_NE(::GetCapture(), w);
  EXPECT_EQ(dlg.Anchor().x, -1);
  ::SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 31));
  ::SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(70, 31));
  RECT rc;
  ::GetWindowRect(w, &rc);
  EXPECT_TRUE(::EqualRect(&rc, &start)) << "row 21 is below the caption strip";

  ::SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20));
  EXPECT_EQ(::GetCapture(), w);
  EXPECT_EQ(dlg.Anchor().y, 20);
  ::SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 25));
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, start.left + 10);
  EXPECT_EQ(rc.top, start.top + 5);
  EXPECT_EQ(rc.right - rc.left, start.right - start.left);
  EXPECT_EQ(rc.bottom - rc.top, start.bottom - start.top);
  // Under the cursor the window has moved along: the release lands on the anchor again.
  ::SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(50, 20));
  EXPECT_NE(::GetCapture(), w);
  EXPECT_EQ(dlg.Anchor().x, -1);
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, start.left + 10);
  ::SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(90, 90));
  ::GetWindowRect(w, &rc);
  EXPECT_EQ(rc.left, start.left + 10) << "no drag after the release";
}

namespace {
CDialog* g_running = nullptr;
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) {
  // A run that never ends fails instead of hanging the tests.
  if (g_running && g_running->Handle()) ::EndDialog(g_running->Handle(), -2);
}
}  // namespace

TEST_F(SkinDialogTest, CloseBoxEndsTheRunAsCancel) {
  CProbeDialog dlg(*m_theme, m_host);
  dlg.clickCloseAtInit = true;
  g_running = &dlg;
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, GiveUp);
  const INT_PTR result = dlg.DoModal();
  ::KillTimer(nullptr, guard);
  g_running = nullptr;
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dlg.cancels, 1);
}

TEST_F(SkinDialogTest, ActivationChangeRepaintsTheCaption) {
  CProbeDialog dlg(*m_theme, m_host);
  HWND w = Show(dlg);
  ASSERT_TRUE(w);
  const POINT at{200, 8};  // in the caption, right of the title
  const COLORREF active = skintest::PixelOf(m_theme->Bitmap(IDB_DLG_CAPTION_ACTIVE), at.x - 1, at.y - 1);
  const COLORREF inactive = skintest::PixelOf(m_theme->Bitmap(IDB_DLG_CAPTION_INACTIVE), at.x - 1, at.y - 1);
  ASSERT_NE(active, inactive);
  const int frameX = ::GetSystemMetrics(SM_CXDLGFRAME), frameY = ::GetSystemMetrics(SM_CYDLGFRAME);

  ::SendMessageA(w, WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(dlg.Active());
  EXPECT_EQ(skintest::WindowPixel(w, frameX + at.x, frameY + at.y), inactive);
  ::SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
  EXPECT_TRUE(dlg.Active());
  EXPECT_EQ(skintest::WindowPixel(w, frameX + at.x, frameY + at.y), active);
}

TEST_F(SkinDialogTest, ButtonsShowDisabledBeforePressedBeforeHoverOverTheirBackground) {
  CProbeDialog dlg(*m_theme, m_host);
  HWND w = dlg.Create();
  ASSERT_TRUE(w);
  HWND ok = ::GetDlgItem(w, IDOK);
  const SIZE size = skintest::SizeOf(m_theme->Bitmap(IDB_DLG_OK));

  // Copies of the pictures before drawing alters them, and a point where all four differ and
  // every mask shows the image; and a point where the mask lets the background through.
  UniqueBitmap images[4], masks[4];
  for (int s = 0; s < 4; ++s) {
    images[s] = skintest::CopyOf(m_theme->Bitmap(IDB_DLG_OK + s));
    masks[s] = skintest::CopyOf(m_theme->Bitmap(IDB_DLG_OK + IDB_STATE_MASK + s));
  }
  POINT shows{-1, -1}, through{-1, -1};
  for (int y = 0; y < size.cy && shows.x < 0; ++y) {
    for (int x = 0; x < size.cx && shows.x < 0; ++x) {
      bool allShow = true;
      for (int s = 0; s < 4; ++s) allShow = allShow && skintest::PixelOf(masks[s].Get(), x, y) == RGB(255, 255, 255);
      COLORREF c[4];
      for (int s = 0; s < 4; ++s) c[s] = skintest::PixelOf(images[s].Get(), x, y);
      const bool distinct =
          c[0] != c[1] && c[0] != c[2] && c[0] != c[3] && c[1] != c[2] && c[1] != c[3] && c[2] != c[3];
      if (allShow && distinct) shows = {x, y};
    }
  }
  ASSERT_GE(shows.x, 0) << "the OK set has no point where its four states differ";
  for (int x = 0; x < size.cx && through.x < 0; ++x)
    if (skintest::PixelOf(masks[0].Get(), x, 0) == RGB(0, 0, 0)) through = {x, 0};
  ASSERT_GE(through.x, 0);

  WindowDC screen(nullptr);
  UniqueBitmap canvas(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
  MemoryDC dc(screen.Get());
  dc.Select(canvas.Get());
  auto draw = [&](UINT state) {
    DRAWITEMSTRUCT d{ODT_BUTTON, IDOK, 0, ODA_DRAWENTIRE, state, ok, dc.Get(), {0, 0, size.cx, size.cy}, 0};
    ::SendMessageA(w, WM_DRAWITEM, IDOK, reinterpret_cast<LPARAM>(&d));
    return ::GetPixel(dc.Get(), shows.x, shows.y);
  };
  auto picture = [&](int s) { return skintest::PixelOf(images[s].Get(), shows.x, shows.y); };

  EXPECT_EQ(draw(0), picture(IDB_STATE_NORMAL));
  const RECT okRect = ChildRect(w, IDOK);
  EXPECT_EQ(::GetPixel(dc.Get(), through.x, through.y),
            skintest::PixelOf(m_theme->Bitmap(IDB_DLG_BACK), okRect.left + through.x, okRect.top + through.y))
      << "around its shape the button shows the dialog background at its own place";

  dlg.SetHot(IDOK);
  EXPECT_EQ(draw(0), picture(IDB_STATE_HOVER));
  EXPECT_EQ(draw(ODS_SELECTED), picture(IDB_STATE_PRESSED));
  EXPECT_EQ(draw(ODS_SELECTED | ODS_DISABLED), picture(IDB_STATE_DISABLED));
  EXPECT_EQ(draw(ODS_DISABLED), picture(IDB_STATE_DISABLED));

  // The close box is a plain copy of its two pictures.
  HWND close = ::GetDlgItem(w, IDC_FRAME_CLOSE);
  DRAWITEMSTRUCT d{ODT_BUTTON, IDC_FRAME_CLOSE, 0, ODA_DRAWENTIRE, ODS_SELECTED, close, dc.Get(), {0, 0, 16, 13}, 0};
  ::SendMessageA(w, WM_DRAWITEM, IDC_FRAME_CLOSE, reinterpret_cast<LPARAM>(&d));
  EXPECT_EQ(::GetPixel(dc.Get(), 8, 6), skintest::PixelOf(m_theme->Bitmap(IDB_CLOSE_PRESSED), 8, 6));
}

TEST_F(SkinDialogTest, HoverFollowsTheCursorOnlyWhileActiveAndTheButtonIsUp) {
  CProbeDialog dlg(*m_theme, m_host);
  dlg.endOnCancel = false;
  HWND w = Show(dlg);
  ASSERT_TRUE(w);
  auto hoverAt = [&](POINT pt) {
    ::SetCursorPos(pt.x, pt.y);
    ::SendMessageA(w, WM_TIMER, IDT_HOVER, 0);
    return dlg.Hot();
  };
  ::SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(hoverAt(CentreOf(w, IDOK)), IDOK);
  EXPECT_EQ(hoverAt(CentreOf(w, IDCANCEL)), IDCANCEL);
  EXPECT_EQ(hoverAt(CentreOf(w, IDC_SKIN_LIST)), 0) << "only themed buttons hover";
  EXPECT_EQ(hoverAt(CentreOf(w, IDC_FRAME_CLOSE)), 0);
  ::SendMessageA(w, WM_NCACTIVATE, FALSE, 0);
  EXPECT_EQ(hoverAt(CentreOf(w, IDOK)), 0) << "an inactive dialog has no hover button";
  ::SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
  EXPECT_EQ(hoverAt(CentreOf(w, IDOK)), IDOK);

  // A held left button keeps the hover where it was until it is released.
  POINT blank{250, 35};  // dialog background below the caption strip
  ::ClientToScreen(w, &blank);
  skintest::MouseButton(blank, true);
  ASSERT_LT(::GetKeyState(VK_LBUTTON), 0);
  EXPECT_EQ(hoverAt(CentreOf(w, IDCANCEL)), IDOK);
  skintest::MouseButton(CentreOf(w, IDCANCEL), false);
  EXPECT_EQ(hoverAt(CentreOf(w, IDCANCEL)), IDCANCEL);
  EXPECT_EQ(dlg.cancels, 0) << "a release without a press on it is no click";

  ::DestroyWindow(w);
  EXPECT_FALSE(::KillTimer(w, IDT_HOVER));
}

TEST_F(SkinDialogTest, ListBoxWearsTheSkinAndTheThemeColours) {
  CProbeDialog dlg(*m_theme, m_host);
  HWND w = dlg.Create();
  ASSERT_TRUE(w);
  HWND list = ::GetDlgItem(w, IDC_SKIN_LIST);
  EXPECT_TRUE(RenderScrollSkin(list));
  WindowDC screen(nullptr);
  MemoryDC dc(screen.Get());
  const INT_PTR brush =
      ::SendMessageA(w, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(list));
  ASSERT_NE(brush, 0);
  LOGBRUSH lb{};
  ::GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, m_theme->Colour(IDS_DLG_LIST_BACK_COLOR, 0));
  EXPECT_EQ(::GetTextColor(dc.Get()), m_theme->Colour(IDS_DLG_LIST_TEXT_COLOR, 1));
  EXPECT_NE(::SendMessageA(w, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.Get()),
                           reinterpret_cast<LPARAM>(::GetDlgItem(w, IDOK))),
            brush)
      << "other controls get the dialog's default";
  ::DestroyWindow(w);
  EXPECT_EQ(ScrollSkinEntriesInUse(), 0) << "the list's skin went with the dialog";
}

TEST_F(SkinDialogTest, ThemedDialogOnScreen) {
  for (const char* file : {"Image00.dll", "Image01.dll"}) {
    auto theme = skintest::LoadShippedTheme(file);
    ASSERT_TRUE(theme) << file;
    CTheme::MakeCurrent(theme.get());
    CProbeDialog dlg(*theme, m_host, 30);
    ::ShowWindow(m_host, SW_SHOWNOACTIVATE);  // the parent, so that the dialog shows beside it
    HWND w = Show(dlg);
    ASSERT_TRUE(w);
    ::SetCursorPos(CentreOf(w, IDOK).x, CentreOf(w, IDOK).y);
    ::SendMessageA(w, WM_NCACTIVATE, TRUE, 0);
    ::SendMessageA(w, WM_TIMER, IDT_HOVER, 0);
    ::EnableWindow(::GetDlgItem(w, IDCANCEL), FALSE);  // OK in its hover look, Cancel disabled
    ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    skintest::Pump();
    // The title's shadow: some pixel of the title box has the shadow colour.
    RECT client;
    ::GetClientRect(w, &client);
    const Rect title = skin::TitleBox(client.right);
    int textPixels = 0;
    for (int y = title.top; y < title.bottom; ++y)
      for (int x = title.left; x < title.left + 60; ++x) {
        const int fx = ::GetSystemMetrics(SM_CXDLGFRAME), fy = ::GetSystemMetrics(SM_CYDLGFRAME);
        if (skintest::WindowPixel(w, fx + x, fy + y) == theme->Colour(IDS_DLG_TEXT_COLOR, RGB(255, 255, 255)))
          ++textPixels;
      }
    EXPECT_GT(textPixels, 10) << file << ": the title is drawn";
    skintest::SaveShot(w, std::string("skin-dialog-") + std::string(file, 7));
    ::DestroyWindow(w);
    CTheme::MakeCurrent(m_theme.get());
  }
}
