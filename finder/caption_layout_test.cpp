#include "finder/caption_layout.h"

#include <gtest/gtest.h>

using namespace caption;

namespace {

// The background slices that land on screen column x.
std::vector<Piece> At(const Layout& l, int x) {
  std::vector<Piece> found;
  for (const Piece& p : l.pieces)
    if ((p.picture == kActiveBack || p.picture == kInactiveBack) && x >= p.to.x && x < p.to.x + p.to.w)
      found.push_back(p);
  return found;
}

Window Frame(int width) {
  Window w;
  w.width = width;
  w.height = 18;
  w.cx = 18;
  w.cy = 18;
  w.sysMenu = true;
  return w;
}

}  // namespace

TEST(CaptionLayout, TheMotifStandsCentredBetweenIconAndButtons) {
  const Layout l = Arrange(Frame(300));
  // Icon area 20, button area 20: the middle is 260 wide and the motif's 79 columns sit at 110.
  EXPECT_EQ(l.title, (Box{20, 0, 260, 18}));
  const auto motif = At(l, 150);
  ASSERT_FALSE(motif.empty());
  EXPECT_EQ(motif.back().from, (Box{4, 0, 79, 18}));
  EXPECT_EQ(motif.back().to, (Box{110, 0, 79, 18}));
  EXPECT_EQ(At(l, 50).back().from, (Box{4, 0, 1, 18})) << "column 4 left of the motif";
  EXPECT_EQ(At(l, 250).back().from, (Box{83, 0, 1, 18})) << "column 83 right of it";
  EXPECT_EQ(At(l, 299).back().from, (Box{83, 0, 2, 18})) << "the right edge";
  EXPECT_EQ(At(l, 0).back().from, (Box{0, 0, 4, 18}));
  EXPECT_TRUE(l.drawIcon);
}

TEST(CaptionLayout, ANarrowCaptionSqueezesTheMotifAndEveryPieceIsStretchedToTheHeight) {
  Window w = Frame(100);
  w.height = 24;
  const Layout l = Arrange(w);
  const auto motif = At(l, 40);
  ASSERT_FALSE(motif.empty());
  EXPECT_EQ(motif.back().to, (Box{20, 0, 60, 24}));
  for (const Piece& p : l.pieces)
    if (p.picture == kActiveBack) {
      EXPECT_EQ(p.to.h, 24);
    }
  // Nothing at all between icon and buttons: no motif, and nothing drawn with a negative width.
  for (const Piece& p : Arrange(Frame(30)).pieces) EXPECT_GT(p.to.w, 0);
}

TEST(CaptionLayout, GlyphsFollowTheWindowsBoxes) {
  Window w = Frame(300);
  w.active = false;
  w.minimizeBox = true;
  w.maximized = true;
  const Layout l = Arrange(w);
  std::vector<Piece> glyphs;
  for (const Piece& p : l.pieces)
    if (p.picture != kInactiveBack) glyphs.push_back(p);
  ASSERT_EQ(glyphs.size(), 3u);
  EXPECT_EQ(glyphs[0], (Piece{kCloseGlyphs, {0, 0, 16, 13}, {282, 2, 16, 13}}));
  EXPECT_EQ(glyphs[1].from.x, 32 + 48) << "no maximize box, and the window is maximized";
  EXPECT_EQ(glyphs[1].to.x, 264);
  EXPECT_EQ(glyphs[2], (Piece{kMinimizeGlyphs, {0, 0, 16, 13}, {248, 2, 16, 13}}));
  // A dialog: modal frame, no icon, a four-pixel icon area.
  Window d = Frame(200);
  d.modalFrame = true;
  EXPECT_FALSE(Arrange(d).drawIcon);
  EXPECT_EQ(Arrange(d).title.x, 4);
}
