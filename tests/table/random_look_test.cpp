// Irregular-pile offsets and the random table look.
#include <gtest/gtest.h>

#include <vector>

#include "core/cfg.h"
#include "platform/sys/services.h"
#include "table/random_look.h"

namespace tw {
namespace {

// Answers Next(range) from a list, then 0; remembers every range asked.
class ListRandom : public sys::RandomSource {
 public:
  std::vector<int32_t> answers, ranges;
  size_t next = 0;
  int32_t Next(int32_t range) override {
    ranges.push_back(range);
    return next < answers.size() ? answers[next++] : 0;
  }
  void Seed(uint64_t) override {}
};

TEST(JitterTest, PatternsStayWithinTheirSteps) {
  sys::StdRandomSource random;
  GameContext ctx;
  ctx.Random = &random;
  bool sawMinus = false, sawTwo = false;
  for (uint64_t seed = 1; seed <= 300; ++seed) {
    random.Seed(seed);
    MakeJitterPatterns(ctx);
    for (const auto& p : ctx.JitterPatterns) {
      EXPECT_EQ(p[0], 0);
      int sum = 0;
      for (size_t i = 1; i < p.size(); ++i) {
        ASSERT_GE(p[i], -1) << "seed " << seed;
        ASSERT_LE(p[i], 2) << "seed " << seed;
        sawMinus = sawMinus || p[i] == -1;
        sawTwo = sawTwo || p[i] == 2;
        sum += p[i];
        EXPECT_GE(sum, -2);
        EXPECT_LE(sum, 2);
      }
    }
  }
  EXPECT_TRUE(sawMinus);
  EXPECT_TRUE(sawTwo);
}

TEST(JitterTest, AThreeNeverFollowsAThreeAndOneOrTwoOnlyFollowAThree) {
  // prev, then the raw draws of the twelve words.
  ListRandom random;
  random.answers = {3, 3, 1, 3, 2, 0, 1, 3, 1, 2, 3, 3, 0};
  GameContext ctx;
  ctx.Random = &random;
  MakeJitterPattern(ctx, 1);
  // 3 after 3 -> 0; 1 after 0 -> 0; 3 -> -1; 2 after 3 -> 2; 0; 1 after 0 -> 0; 3 -> -1;
  // 1 after 3 -> 1; 2 after 1 -> 0; 3 -> -1; 3 after 3 -> 0; 0.
  const std::vector<int16_t> want = {0, 0, 0, -1, 2, 0, 0, -1, 1, 0, -1, 0, 0};
  EXPECT_EQ(std::vector<int16_t>(ctx.JitterPatterns[0].begin(), ctx.JitterPatterns[0].end()),
            want);
}

struct LookCase {
  const char* name;
  const char* size;
  bool background, faces, back;
  std::vector<std::string> pictures;
  int colours;
  std::vector<int32_t> answers;
  // Expected settings afterwards.
  const char* picture;
  const char* fixed;
  const char* card;
  const char* backCard;
  std::vector<int32_t> ranges;
};

TEST(RandomLookTest, DrawsFromWhatExists) {
  const std::vector<std::string> pictures = {"B101.bmp", "B105.bmp", "B257.bmp", "b300.bmp"};
  const LookCase cases[] = {
      {"no pictures: the last colour, white", "B", true, false, false, {}, 1 << 24, {5},
       "0", "16777215", "001", "011", {6}},
      {"a picture", "B", true, false, false, pictures, 1 << 24, {3}, "300", "0", "001", "011",
       {10}},
      {"the first colour after the pictures", "B", true, false, false, pictures, 1 << 24, {4},
       "0", "16711680", "001", "011", {10}},
      {"256 colours: pictures up to b256 only", "B", true, false, false, pictures, 256, {2},
       "0", "16711680", "001", "011", {8}},
      {"faces and back from the existing ones", "B", false, true, true, {}, 1 << 24, {1, 2},
       "0", "0", "004", "027", {2, 3}},
      {"the set in use changes nothing", "B", false, true, false, {}, 1 << 24, {0}, "0", "0",
       "001", "011", {2}},
      {"medium cards keep faces and back", "M", false, true, true, {}, 1 << 24, {1, 1}, "0", "0",
       "001", "011", {}},
  };
  for (const LookCase& c : cases) {
    SCOPED_TRACE(c.name);
    ListRandom random;
    random.answers = c.answers;
    GameContext ctx;
    ctx.Random = &random;
    ctx.SetCfg(cfg::Card_Size, c.size);
    ctx.SetCfg(cfg::Card, "001");
    ctx.SetCfg(cfg::Back_Card, "011");
    ctx.SetCfg(cfg::Background_bmp, "0");
    ctx.SetCfg(cfg::Background_Fixed_Col, "0");
    ctx.SetCfg(cfg::Random_Background, c.background ? "Y" : "N");
    ctx.SetCfg(cfg::Random_Card, c.faces ? "Y" : "N");
    ctx.SetCfg(cfg::Random_Deck, c.back ? "Y" : "N");
    TableLookChoices choices;
    choices.Backgrounds = c.pictures;
    choices.FaceSets = {1, 4};
    choices.Backs = {2, 11, 27};
    choices.ColourCount = c.colours;
    const TableLookChange change = RandomizeTableLook(ctx, choices);
    EXPECT_EQ(random.ranges, c.ranges);
    EXPECT_EQ(ctx.Cfg(cfg::Background_bmp), c.picture);
    EXPECT_EQ(ctx.Cfg(cfg::Background_Fixed_Col), c.fixed);
    EXPECT_EQ(ctx.Cfg(cfg::Card), c.card);
    EXPECT_EQ(ctx.Cfg(cfg::Back_Card), c.backCard);
    EXPECT_EQ(change.Faces, std::string(c.card) != "001");
    EXPECT_EQ(change.Back, std::string(c.backCard) != "011");
    if (c.background) {
      EXPECT_EQ(ctx.Cfg(cfg::Background_def), "N");
    }
  }
}

}  // namespace
}  // namespace tw
