#include "core/overall.h"

#include <gtest/gtest.h>

#include "core/hiscores.h"
#include "core/util.h"
#include "tests/core/results_fixture.h"

namespace tw {
namespace {

class OverallTest : public testing::ResultsTest {
 protected:
  std::string Plain(const std::string& player, const std::string& key) {
    auto lines = Lines("STAT_GLO.DAT");
    bool in = false;
    for (const auto& l : lines) {
      if (!l.empty() && l[0] == '[') in = l == "[" + player + "]";
      if (in && l.rfind(key + "=", 0) == 0)
        return SubKeyChars(l.substr(key.size() + 1), kOverallKey);
    }
    return "";
  }
  OverallRanking Ranking() { return ReadOverallScores(ctx); }
};

TEST_F(OverallTest, PlainValueLayout) {
  std::string t01 = PlainTotalScore(ctx, 123456789012);
  std::string t02 = PlainTotalTime(ctx, 42);
  ASSERT_EQ(t01.size(), 28u);
  ASSERT_EQ(t02.size(), 28u);
  EXPECT_EQ(PickChars(t01, 3), "123456789012");
  EXPECT_EQ(PickChars(t02, 4), "000000000042");
  std::string t03 = PlainTotalsCheck(t01, t02);
  EXPECT_EQ(t03, "0360" + IntToStrPad(StringCheckValue("0360" + t01 + t02), 8));
  std::string gs = PlainBestScore(ctx, 120), gt = PlainBestTime(ctx, 300);
  ASSERT_EQ(gs.size(), 16u);
  EXPECT_EQ(PickChars(gs, 1), "000120");
  EXPECT_EQ(PickChars(gt, 2), "000300");
  EXPECT_EQ(gs.substr(10), IntToStrPad(StringCheckValue(gs.substr(0, 10)), 6));
  for (char c : t01 + t02 + gs + gt) EXPECT_TRUE(c >= '0' && c <= '9');
  // Too wide for the digits: clamped, so the value still reads back.
  EXPECT_EQ(PickChars(PlainBestScore(ctx, 5000000), 1), "999999");
  EXPECT_EQ(PickChars(PlainTotalScore(ctx, 5000000000000), 3), "999999999999");
}

TEST_F(OverallTest, BestScoresAndTotals) {
  UpdateOverallScore(ctx, 12, "Bob", 300, 120);
  EXPECT_EQ(PickChars(Plain("Bob", "GS-0012"), 1), "000120");
  EXPECT_EQ(PickChars(Plain("Bob", "GT-0012"), 2), "000300");
  OverallRanking r = Ranking();
  ASSERT_EQ(r.Players, StringList{"Bob"});
  EXPECT_EQ(r.TotalScores[0], "120");
  EXPECT_EQ(r.TotalTimes[0], "300");
  ASSERT_EQ(r.Raw[0].size(), 68u);
  for (unsigned char c : r.Raw[0]) EXPECT_TRUE(c >= 96 && c <= 113) << c;

  UpdateOverallScore(ctx, 12, "Bob", 250, 120);  // equal score, shorter time
  EXPECT_EQ(Ranking().TotalTimes[0], "250");
  std::string before = Read("STAT_GLO.DAT");
  // Lower, equal but slower, custom game, negative game or score, zero.
  const struct {
    int game;
    int64_t elapsed, score;
  } ignored[] = {{12, 10, 119}, {12, 251, 120}, {8000, 1, 500},
                 {-1, 1, 500},  {3, 1, -5},     {3, 1, 0}};
  for (const auto& d : ignored) UpdateOverallScore(ctx, d.game, "Bob", d.elapsed, d.score);
  EXPECT_EQ(Read("STAT_GLO.DAT"), before);

  UpdateOverallScore(ctx, 3, "Bob", 100, 50);
  UpdateOverallScore(ctx, 12, "Bob", 400, 200);  // improves by 80 points, 150 seconds
  r = Ranking();
  EXPECT_EQ(r.TotalScores[0], "250");
  EXPECT_EQ(r.TotalTimes[0], "500");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OverallTest, TooWideValuesAreClampedNotTakenForTampering) {
  UpdateOverallScore(ctx, 12, "Bob", 5000000, 3000000);
  UpdateOverallScore(ctx, 3, "Bob", 10, 10);
  OverallRanking r = Ranking();
  EXPECT_TRUE(ui.messages.empty());
  ASSERT_EQ(r.Players.size(), 1u);
  EXPECT_EQ(r.TotalScores[0], "1000009");
  EXPECT_EQ(r.TotalTimes[0], "1000009");
}

TEST_F(OverallTest, ChangedCharacterResetsTheFile) {
  for (const char* key : {"T01", "GS-0012", "GT-0012"}) {
    sys::DeleteFile(dir.File("DATA/STAT_GLO.DAT"));
    ui.messages.clear();
    UpdateOverallScore(ctx, 12, "Bob", 300, 120);
    UpdateOverallScore(ctx, 12, "Ann", 300, 100);
    auto lines = Lines("STAT_GLO.DAT");
    for (auto& l : lines) {
      // A filler digit of Bob's value, one higher.
      if (l.rfind(std::string(key) + "=", 0) == 0) {
        l[l.size() - 1] = static_cast<char>(l[l.size() - 1] + 1);
        break;
      }
    }
    ASSERT_TRUE(sys::ReplaceFileLines(dir.File("DATA/STAT_GLO.DAT"), lines));
    SCOPED_TRACE(key);
    if (std::string(key) == "T01") {
      EXPECT_TRUE(Ranking().Players.empty());
    } else {
      UpdateOverallScore(ctx, 12, "Bob", 100, 500);
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].substr(0, 30), "It looks as if the Overall Sco");
    EXPECT_FALSE(Exists("STAT_GLO.DAT"));
  }
}

TEST_F(OverallTest, FailedWriteKeepsAConsistentFile) {
  UpdateOverallScore(ctx, 12, "Bob", 300, 120);
  std::string before = Read("STAT_GLO.DAT");
  sys::SetWriteFailureAfter(100);
  UpdateOverallScore(ctx, 3, "Bob", 300, 120);  // new keys for the player
  sys::SetWriteFailureAfter(-1);
  EXPECT_EQ(Read("STAT_GLO.DAT"), before);
  ui.messages.clear();
  UpdateOverallScore(ctx, 3, "Bob", 300, 120);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Ranking().TotalScores[0], "240");
}

TEST_F(OverallTest, RankingTies) {
  UpdateOverallScore(ctx, 1, "Ann", 300, 100);
  UpdateOverallScore(ctx, 1, "Bob", 200, 100);
  UpdateOverallScore(ctx, 1, "Cy", 300, 100);
  UpdateOverallScore(ctx, 1, "Dee", 900, 150);
  EXPECT_EQ(Ranking().Players, (StringList{"Dee", "Bob", "Ann", "Cy"}));
}

TEST_F(OverallTest, ClearAllHiScoresAsksFirst) {
  UpdateOverallScore(ctx, 12, "Bob", 300, 120);
  ui.answer = false;
  EXPECT_FALSE(ClearAllHiScores(ctx));
  EXPECT_TRUE(Exists("STAT_GLO.DAT"));
  ui.answer = true;
  EXPECT_TRUE(ClearAllHiScores(ctx));
  EXPECT_FALSE(Exists("STAT_GLO.DAT"));
  EXPECT_EQ(Lines("STAT_SCR.DAT"),
            (StringList{"[Version]", "Version=0300", "", "[Clear scores]", "Cleared=Y"}));
}

}  // namespace
}  // namespace tw
