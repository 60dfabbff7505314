// The corner index of every face must read at a glance: in an overlapped
// column only the band above the next card shows, so the four suits and the
// thirteen ranks have to differ there by enough pixels to be told apart.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gfx/reslib.h"

namespace tw::gfx {
namespace {

const std::string kLibrary = std::string(TW_DIST_DIR) + "/QEX.RGF";

struct Size {
  char letter;
  int w, h;
  int band;         // rows that a downward fan leaves in view (the whole small card)
  int suitsApart;   // fewest pixels in which two suits' bands may differ
  int ranksApart;   // the same for two ranks of one suit
};
// The downward fan steps of face-up cards are 18 and 14 pixels; the small
// cards are read whole. The old marks, a scaled outline beside the rank,
// left a club and a spade 2 pixels apart at the large and medium sizes.
constexpr Size kSizes[] = {
    {'B', 71, 96, 18, 12, 8}, {'M', 59, 80, 14, 7, 5}, {'L', 25, 32, 32, 7, 8}};
constexpr char kSuits[] = "HDCS";
constexpr const char* kSuitNames[] = {"hearts", "diamonds", "clubs", "spades"};

int Distance(const QColor& a, const QColor& b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
         std::abs(a.blue() - b.blue());
}

// Ink of one face's band: for every pixel paper (0) or the family of the
// colour it is inked in (1 black or grey, 2 red, 3 green, 4 blue), so that
// a red heart and a black spade differ all over while a heart and a
// diamond, or a club and a spade, differ only where their shapes do.
using Ink = std::vector<int>;

int Family(const QColor& c) {
  const int r = c.red(), g = c.green(), b = c.blue();
  if (r - std::max(g, b) > 60) return 2;
  if (g - std::max(r, b) > 40) return 3;
  if (b - std::max(r, g) > 60) return 4;
  return 1;
}

Ink BandInk(const QImage& sheet, const Size& s, int rank) {
  const int cell = rank - 1;
  const int x0 = (cell < 10 ? cell % 5 : cell - 10) * s.w, y0 = (cell < 10 ? cell / 5 : 2) * s.h;
  const QColor paper = sheet.pixelColor(x0 + s.w / 2, y0 + 2);
  Ink ink;
  // Inside the card's border, which every face shares.
  for (int y = 1; y < s.band - 1; ++y)
    for (int x = 1; x < s.w - 1; ++x) {
      const QColor c = sheet.pixelColor(x0 + x, y0 + y);
      ink.push_back(Distance(c, paper) > 160 ? Family(c) : 0);
    }
  return ink;
}

int Differing(const Ink& a, const Ink& b) {
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

class CornerIndex : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(lib_.Open(kLibrary)) << kLibrary; }

  // ink[suit][rank] for one size and face set.
  std::array<std::array<Ink, 14>, 4> Faces(const Size& s, int set) {
    std::array<std::array<Ink, 14>, 4> ink;
    for (int suit = 0; suit < 4; ++suit) {
      const std::string name = std::string("C") + s.letter + "00" + std::to_string(set) +
                               kSuits[suit];
      const QImage sheet = lib_.LoadBitmap(name).Image();
      EXPECT_EQ(sheet.width(), 5 * s.w) << name;
      if (sheet.width() != 5 * s.w) continue;
      for (int rank = 1; rank <= 13; ++rank) ink[suit][rank] = BandInk(sheet, s, rank);
    }
    return ink;
  }
  ResourceLibrary lib_;
};

TEST_F(CornerIndex, SuitsDifferInTheVisibleBandAtEverySize) {
  for (const Size& s : kSizes)
    for (int set = 1; set <= 5; ++set) {
      const auto ink = Faces(s, set);
      for (int rank = 1; rank <= 13; ++rank)
        for (int a = 0; a < 4; ++a)
          for (int b = a + 1; b < 4; ++b) {
            if (ink[a][rank].empty() || ink[b][rank].empty()) continue;
            EXPECT_GE(Differing(ink[a][rank], ink[b][rank]), s.suitsApart)
                << s.letter << " set " << set << " rank " << rank << ": " << kSuitNames[a]
                << " and " << kSuitNames[b];
          }
    }
}

// Every pair of ranks of one suit, 6 and 9, 3 and 8, Q and 10 included.
TEST_F(CornerIndex, RanksDifferInTheVisibleBandAtEverySize) {
  for (const Size& s : kSizes)
    for (int set = 1; set <= 5; ++set) {
      const auto ink = Faces(s, set);
      for (int suit = 0; suit < 4; ++suit)
        for (int a = 1; a <= 13; ++a)
          for (int b = a + 1; b <= 13; ++b) {
            if (ink[suit][a].empty() || ink[suit][b].empty()) continue;
            EXPECT_GE(Differing(ink[suit][a], ink[suit][b]), s.ranksApart)
                << s.letter << " set " << set << " " << kSuitNames[suit] << ": ranks " << a
                << " and " << b;
          }
    }
}

// The mark under the rank is at least 7 pixels wide on the large cards and
// ends above the band's lower edge, so a covering card hides none of it.
TEST_F(CornerIndex, LargeMarksAreWideAndStayInTheBand) {
  const Size& s = kSizes[0];
  for (int set = 1; set <= 5; ++set)
    for (int suit = 0; suit < 4; ++suit) {
      const std::string name = std::string("CB00") + std::to_string(set) + kSuits[suit];
      const QImage sheet = lib_.LoadBitmap(name).Image();
      ASSERT_EQ(sheet.width(), 5 * s.w) << name;
      const QColor paper = sheet.pixelColor(s.w / 2, 2);
      auto inked = [&](int x, int y) { return Distance(sheet.pixelColor(x, y), paper) > 160; };
      // The ace's row under the rank: the mark is the only ink there.
      int widest = 0;
      for (int y = 10; y < s.band; ++y) {
        int left = -1, right = -1;
        for (int x = 1; x < 16; ++x)
          if (inked(x, y)) {
            if (left < 0) left = x;
            right = x;
          }
        if (left >= 0) widest = std::max(widest, right - left + 1);
      }
      EXPECT_GE(widest, 7) << name;
      // Nothing of the index below the band, down to where the pips start.
      for (int y = s.band; y < s.band + 2; ++y)
        for (int x = 1; x < 16; ++x) EXPECT_FALSE(inked(x, y)) << name << " " << x << "," << y;
    }
}

}  // namespace
}  // namespace tw::gfx
