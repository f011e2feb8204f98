#include "launcher/skin/scroll_skin.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "common/theme_ids.h"
#include "tests/support/skin.h"

namespace {

constexpr WORD kBase = IDB_SCROLL_DIALOG;

WNDPROC g_procAtNcDestroy = nullptr;
LRESULT CALLBACK ProbeProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCDESTROY) g_procAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(w, GWLP_WNDPROC));
  return ::DefWindowProcA(w, msg, wParam, lParam);
}

class ScrollSkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_theme = skintest::LoadShippedTheme();
    ASSERT_TRUE(m_theme);
    CTheme::MakeCurrent(m_theme.get());
    m_host = skintest::MakeHost(40, 40, 400, 400);
    ASSERT_EQ(ScrollSkinEntriesInUse(), 0) << "an earlier test left skinned windows behind";
  }
  void TearDown() override {
    ::DestroyWindow(m_host);
    EXPECT_EQ(ScrollSkinEntriesInUse(), 0);
    CTheme::MakeCurrent(nullptr);
  }

  HWND List(int items, int height = 150) {
    HWND w = ::CreateWindowExA(
        0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_DISABLENOSCROLL | LBS_NOINTEGRALHEIGHT,
        10, 10, 180, height, m_host, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    for (int i = 0; i < items; ++i) {
      char text[32];
      wsprintfA(text, "項目 %d", i + 1);
      ::SendMessageA(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    return w;
  }
  HBITMAP Part(int offset) const { return m_theme->Bitmap(kBase + offset); }
  COLORREF PartCentre(int offset) const {
    const SIZE s = skintest::SizeOf(Part(offset));
    return skintest::PixelOf(Part(offset), s.cx / 2, s.cy / 2);
  }

  std::unique_ptr<CTheme> m_theme;
  HWND m_host = nullptr;
};

}  // namespace

TEST_F(ScrollSkinTest, TableHoldsAtMost128WindowsAndOneEntryEach) {
  EXPECT_EQ(InstallScrollBarSkin(nullptr, kBase), 0);
  std::vector<HWND> windows;
  for (int i = 0; i < kMaxScrollSkins + 1; ++i)
    windows.push_back(::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VSCROLL, 0, 0, 50, 50, m_host, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr));
  for (int i = 0; i < kMaxScrollSkins; ++i) ASSERT_EQ(InstallScrollBarSkin(windows[i], kBase), 1) << i;
  EXPECT_EQ(ScrollSkinEntriesInUse(), kMaxScrollSkins);

  const LONG_PTR before = ::GetWindowLongPtrA(windows.back(), GWLP_WNDPROC);
  EXPECT_EQ(InstallScrollBarSkin(windows.back(), kBase), 0);
  EXPECT_EQ(::GetWindowLongPtrA(windows.back(), GWLP_WNDPROC), before) << "the 129th keeps the system bar";

  const LONG_PTR skinned = ::GetWindowLongPtrA(windows[5], GWLP_WNDPROC);
  EXPECT_EQ(InstallScrollBarSkin(windows[5], kBase), 1);  // already installed
  EXPECT_EQ(::GetWindowLongPtrA(windows[5], GWLP_WNDPROC), skinned) << "installed twice would chain to itself";
  EXPECT_EQ(ScrollSkinEntriesInUse(), kMaxScrollSkins);

  for (HWND w : windows) ::DestroyWindow(w);
}

TEST_F(ScrollSkinTest, DestroyingAWindowRestoresItsProcedureAndFreesItsEntry) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ProbeProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "SkinProbe";
  ::RegisterClassA(&wc);
  auto make = [&] {
    return ::CreateWindowExA(0, "SkinProbe", "", WS_CHILD | WS_VSCROLL, 0, 0, 50, 50, m_host, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
  };
  HWND a = make(), b = make(), c = make();
  for (HWND w : {a, b, c}) ASSERT_EQ(InstallScrollBarSkin(w, kBase), 1);
  ASSERT_NE(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(c, GWLP_WNDPROC)), ProbeProc);

  g_procAtNcDestroy = nullptr;
  ::DestroyWindow(c);
  EXPECT_EQ(g_procAtNcDestroy, ProbeProc) << "the window's own procedure is back after WM_DESTROY";
  EXPECT_EQ(ScrollSkinEntriesInUse(), 2);

  ::DestroyWindow(a);  // a hole at the front: the count stays
  EXPECT_EQ(ScrollSkinEntriesInUse(), 2);
  HWND d = make();
  ASSERT_EQ(InstallScrollBarSkin(d, kBase), 1);
  EXPECT_EQ(ScrollSkinEntriesInUse(), 2) << "the first free entry is taken before a new one";

  ::DestroyWindow(b);
  EXPECT_EQ(ScrollSkinEntriesInUse(), 1);
  ::DestroyWindow(d);
  EXPECT_EQ(ScrollSkinEntriesInUse(), 0);
}

TEST_F(ScrollSkinTest, ContentThatFitsShowsDisabledArrowsAndNoThumb) {
  HWND list = List(2);
  ASSERT_EQ(InstallScrollBarSkin(list, kBase), 1);
  HBITMAP strip = RenderScrollSkin(list);
  ASSERT_TRUE(strip);
  const SIZE s = skintest::SizeOf(strip);
  const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  ASSERT_EQ(s.cx, ::GetSystemMetrics(SM_CXVSCROLL));
  ASSERT_GT(s.cy, 2 * arrow + 20);

  ASSERT_NE(PartCentre(IDB_SCROLL_UP + 2), PartCentre(IDB_SCROLL_UP)) << "the theme's states look alike";
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, arrow / 2), PartCentre(IDB_SCROLL_UP + 2));
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, s.cy - arrow + arrow / 2), PartCentre(IDB_SCROLL_DOWN + 2));
  // Between the arrows only the track pattern.
  const SIZE t = skintest::SizeOf(Part(IDB_SCROLL_TRACK));
  for (int y = arrow; y < s.cy - arrow; y += 3)
    ASSERT_EQ(skintest::PixelOf(strip, s.cx / 2, y),
              skintest::PixelOf(Part(IDB_SCROLL_TRACK), (s.cx / 2) % t.cx, y % t.cy))
        << y;
  EXPECT_EQ(RenderScrollSkin(list), strip) << "an unchanged bar is not rendered again";
  ::DestroyWindow(list);
}

TEST_F(ScrollSkinTest, ScrollingPressesTheArrowUntilTheScrollEnds) {
  HWND list = List(100, 300);  // a thumb high enough for its stretched middle
  ASSERT_EQ(InstallScrollBarSkin(list, kBase), 1);
  HBITMAP strip = RenderScrollSkin(list);
  const SIZE s = skintest::SizeOf(strip);
  const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  const int downY = s.cy - arrow + arrow / 2;
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, arrow / 2), PartCentre(IDB_SCROLL_UP));
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, downY), PartCentre(IDB_SCROLL_DOWN));
  // The thumb starts right below the up arrow: its middle rows, not the track.
  const SIZE th = skintest::SizeOf(Part(IDB_SCROLL_THUMB));
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, arrow + 6), skintest::PixelOf(Part(IDB_SCROLL_THUMB), th.cx / 2, 6));

  ::SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(::SendMessageA(list, LB_GETTOPINDEX, 0, 0), 1) << "the list's own procedure still scrolls";
  strip = RenderScrollSkin(list);
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, downY), PartCentre(IDB_SCROLL_DOWN + 1));
  ::SendMessageA(list, WM_VSCROLL, SB_ENDSCROLL, 0);
  strip = RenderScrollSkin(list);
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, downY), PartCentre(IDB_SCROLL_DOWN));

  ::SendMessageA(list, WM_VSCROLL, SB_BOTTOM, 0);
  strip = RenderScrollSkin(list);
  EXPECT_EQ(skintest::PixelOf(strip, s.cx / 2, s.cy - arrow - 6),
            skintest::PixelOf(Part(IDB_SCROLL_THUMB), th.cx / 2, 16 - 6))
      << "at the end the thumb sits on the down arrow";
  ::DestroyWindow(list);
}

TEST_F(ScrollSkinTest, CoverLiesOverTheStripWhileTheWindowHoldsTheCapture) {
  HWND list = List(100);
  ASSERT_EQ(InstallScrollBarSkin(list, kBase), 1);
  ::SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);  // no capture: no cover
  EXPECT_FALSE(::FindWindowA(kScrollCoverClass, nullptr));

  ::SetCapture(list);
  ::SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20), 0);
  HWND cover = ::FindWindowA(kScrollCoverClass, nullptr);
  ASSERT_TRUE(cover);
  EXPECT_TRUE(::IsWindowVisible(cover));
  EXPECT_EQ(::GetAncestor(cover, GA_PARENT), ::GetDesktopWindow());
  RECT c, w, client;
  ::GetWindowRect(cover, &c);
  ::GetWindowRect(list, &w);
  ::GetClientRect(list, &client);
  POINT origin{client.right, 0};
  ::ClientToScreen(list, &origin);
  EXPECT_EQ(c.left, origin.x);
  EXPECT_EQ(c.top, origin.y);
  EXPECT_EQ(c.right - c.left, ::GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(c.bottom - c.top, client.bottom);
  ::SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
  EXPECT_EQ(::FindWindowA(kScrollCoverClass, nullptr), cover) << "one cover for the whole capture";

  ::ReleaseCapture();
  EXPECT_FALSE(::IsWindow(cover));
  ::DestroyWindow(list);
}

TEST_F(ScrollSkinTest, SkinnedListOnScreen) {
  ::ShowWindow(m_host, SW_SHOWNOACTIVATE);
  HWND list = List(40, 200);
  ASSERT_EQ(InstallScrollBarSkin(list, kBase), 1);
  ::SendMessageA(list, LB_SETCURSEL, 3, 0);
  ::SendMessageA(list, WM_VSCROLL, SB_LINEDOWN, 0);
  ::SendMessageA(list, WM_VSCROLL, SB_ENDSCROLL, 0);
  ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  skintest::Pump();
  RECT client;
  ::GetClientRect(list, &client);
  POINT up{client.right + ::GetSystemMetrics(SM_CXVSCROLL) / 2, ::GetSystemMetrics(SM_CYVSCROLL) / 2};
  ::ClientToScreen(list, &up);
  RECT window;
  ::GetWindowRect(list, &window);
  EXPECT_EQ(skintest::WindowPixel(list, up.x - window.left, up.y - window.top), PartCentre(IDB_SCROLL_UP))
      << "the system's bar shows";
  skintest::SaveShot(list, "scroll-skin-list");
  ::DestroyWindow(list);
}

TEST_F(ScrollSkinTest, DraggingTheThumbKeepsTheSkinOverTheSystemBar) {
  ::ShowWindow(m_host, SW_SHOWNOACTIVATE);
  HWND list = List(100, 300);
  ASSERT_EQ(InstallScrollBarSkin(list, kBase), 1);
  ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  skintest::Pump();
  RECT client;
  ::GetClientRect(list, &client);
  POINT press{client.right + ::GetSystemMetrics(SM_CXVSCROLL) / 2, ::GetSystemMetrics(SM_CYVSCROLL) + 4};
  ::ClientToScreen(list, &press);

  // The system tracks the thumb in its own loop on this thread; another thread moves the mouse
  // and looks for the cover meanwhile.
  struct Seen {
    bool cover = false, visible = false;
    RECT rect{};
  } seen;
  UniqueHandle done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  std::thread mover([&] {
    ::SetCursorPos(press.x, press.y);
    skintest::MouseButton(press, true);
    for (int step = 1; step <= 8; ++step) {
      ::Sleep(40);  // pacing for the other thread's loop, not a measurement
      skintest::MouseMove({press.x, press.y + 12 * step});
      if (HWND cover = ::FindWindowA(kScrollCoverClass, nullptr)) {
        seen.cover = true;
        seen.visible = ::IsWindowVisible(cover) != FALSE;
        ::GetWindowRect(cover, &seen.rect);
      }
      if (step == 6) {
        RECT shot;
        ::GetWindowRect(list, &shot);
        skintest::SaveScreenShot(shot, "scroll-skin-drag");
      }
    }
    ::Sleep(40);
    skintest::MouseButton({press.x, press.y + 96}, false);
    ::Sleep(40);
    ::SetEvent(done.Get());
  });
  HANDLE finished = done.Get();
  for (int rounds = 0; rounds < 1000; ++rounds) {
    if (::MsgWaitForMultipleObjects(1, &finished, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0) break;
    skintest::Pump();
  }
  mover.join();
  skintest::Pump();

  EXPECT_TRUE(seen.cover) << "no cover while the thumb was dragged";
  EXPECT_TRUE(seen.visible);
  EXPECT_EQ(seen.rect.right - seen.rect.left, ::GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_GT(::SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << "the drag scrolled the list";
  EXPECT_FALSE(::FindWindowA(kScrollCoverClass, nullptr)) << "the cover goes with the capture";
  ::DestroyWindow(list);
}
