#include "launcher/skin/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/skin.h"

namespace {

constexpr COLORREF kRed = RGB(200, 30, 40), kBlue = RGB(20, 40, 220), kGrey = RGB(128, 128, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// A screen-compatible bitmap; `colour(x, y)` gives each pixel.
template <typename F>
UniqueBitmap Paint(int w, int h, F colour) {
  WindowDC screen(nullptr);
  UniqueBitmap b(::CreateCompatibleBitmap(screen.Get(), w, h));
  MemoryDC mem(screen.Get());
  mem.Select(b.Get());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ::SetPixelV(mem.Get(), x, y, colour(x, y));
  return b;
}

// A monochrome mask, white where `shows(x, y)`.
template <typename F>
UniqueBitmap Mask(int w, int h, F shows) {
  UniqueBitmap b(::CreateBitmap(w, h, 1, 1, nullptr));
  WindowDC screen(nullptr);
  MemoryDC mem(screen.Get());
  mem.Select(b.Get());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ::SetPixelV(mem.Get(), x, y, shows(x, y) ? kWhite : kBlack);
  return b;
}

COLORREF Gradient(int x, int y) { return RGB(x * 10, y * 20, 100); }

std::vector<COLORREF> Pixels(HBITMAP b) {
  const SIZE s = skintest::SizeOf(b);
  WindowDC screen(nullptr);
  MemoryDC mem(screen.Get());
  mem.Select(b);
  std::vector<COLORREF> out;
  for (int y = 0; y < s.cy; ++y)
    for (int x = 0; x < s.cx; ++x) out.push_back(::GetPixel(mem.Get(), x, y));
  return out;
}

}  // namespace

TEST(DrawMasked, WhiteMaskShowsTheImageAndBlackMaskTheBackgroundAtItsOffset) {
  UniqueBitmap image = Paint(8, 4, [](int, int) { return kRed; });
  UniqueBitmap mask = Mask(8, 4, [](int x, int) { return x < 4; });
  UniqueBitmap background = Paint(20, 10, Gradient);
  UniqueBitmap target = Paint(20, 10, [](int, int) { return kBlue; });
  {
    WindowDC screen(nullptr);
    MemoryDC dc(screen.Get());
    dc.Select(target.Get());
    DrawMasked(dc.Get(), 2, 3, image.Get(), mask.Get(), background.Get(), 5, 1);
  }
  const std::vector<COLORREF> first = Pixels(target.Get());
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      SCOPED_TRACE(::testing::Message() << x << "," << y);
      const COLORREF got = first[y * 20 + x];
      const bool inside = x >= 2 && x < 10 && y >= 3 && y < 7;
      if (!inside) EXPECT_EQ(got, kBlue);
      else if (x < 6) EXPECT_EQ(got, kRed);
      else EXPECT_EQ(got, Gradient(5 + x - 2, 1 + y - 3));
    }
  }

  // The image now carries white where the mask is black; a second pass gives the same picture.
  {
    WindowDC screen(nullptr);
    MemoryDC dc(screen.Get());
    dc.Select(target.Get());
    DrawMasked(dc.Get(), 2, 3, image.Get(), mask.Get(), background.Get(), 5, 1);
  }
  EXPECT_EQ(Pixels(target.Get()), first);
}

TEST(DrawMasked, WithoutBackgroundTheTargetShowsThroughAndWithoutMaskTheImageIsCopied) {
  UniqueBitmap image = Paint(4, 4, [](int, int) { return kRed; });
  UniqueBitmap mask = Mask(4, 4, [](int x, int) { return x < 2; });
  UniqueBitmap target = Paint(10, 10, Gradient);
  WindowDC screen(nullptr);
  MemoryDC dc(screen.Get());
  dc.Select(target.Get());
  DrawMasked(dc.Get(), 1, 1, image.Get(), mask.Get(), nullptr, 0, 0);
  EXPECT_EQ(::GetPixel(dc.Get(), 1, 1), kRed);
  EXPECT_EQ(::GetPixel(dc.Get(), 4, 1), Gradient(4, 1));
  DrawMasked(dc.Get(), 5, 5, image.Get(), nullptr, nullptr, 0, 0);
  EXPECT_EQ(::GetPixel(dc.Get(), 5, 5), kRed);
  EXPECT_EQ(::GetPixel(dc.Get(), 8, 8), kWhite);  // the earlier pass left the image white there
}

TEST(DrawShadowText, ShadowLiesOneRightAndTwoBelowOverARestoredBackground) {
  UniqueFont font(
      ::CreateFontA(16, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "ＭＳ ゴシック"));
  UniqueBitmap background = Paint(120, 40, [](int, int) { return kGrey; });
  UniqueBitmap target = Paint(120, 40, [](int, int) { return kBlue; });
  const RECT box{10, 5, 110, 35};
  WindowDC screen(nullptr);
  MemoryDC dc(screen.Get());
  dc.Select(target.Get());
  for (int pass = 0; pass < 2; ++pass)  // drawing again changes nothing
    DrawShadowText(dc.Get(), "■Ｉ", box, DT_SINGLELINE, font.Get(), kWhite, kBlack, background.Get(), 0, 0);

  RECT text{1000, 1000, -1, -1}, shadow{1000, 1000, -1, -1};
  auto grow = [](RECT& r, int x, int y) {
    r.left = std::min<LONG>(r.left, x);
    r.top = std::min<LONG>(r.top, y);
    r.right = std::max<LONG>(r.right, x);
    r.bottom = std::max<LONG>(r.bottom, y);
  };
  RECT restored{box.left + 1, box.top + 2, box.right, box.bottom};
  {
    ScopedSelect f(dc.Get(), font.Get());
    ::DrawTextA(dc.Get(), "■Ｉ", -1, &restored, DT_SINGLELINE | DT_CALCRECT);
  }
  restored.left -= 1;
  restored.top -= 1;
  int blueInside = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      const COLORREF c = ::GetPixel(dc.Get(), x, y);
      if (c == kWhite) grow(text, x, y);
      if (c == kBlack) grow(shadow, x, y);
      const POINT pt{x, y};
      if (c == kBlue && ::PtInRect(&restored, pt)) ++blueInside;
    }
  }
  ASSERT_LE(text.left, text.right) << "no text drawn";
  EXPECT_EQ(shadow.left, text.left + 1);
  EXPECT_EQ(shadow.right, text.right + 1);
  EXPECT_EQ(shadow.top, text.top + 2);
  EXPECT_EQ(shadow.bottom, text.bottom + 2);
  EXPECT_GE(text.left, box.left);
  EXPECT_GE(text.top, box.top);
  EXPECT_EQ(blueInside, 0) << "the background was not restored under the text";
  EXPECT_EQ(::GetPixel(dc.Get(), box.right - 1, box.bottom - 1), kBlue);  // nothing beyond the text
}
