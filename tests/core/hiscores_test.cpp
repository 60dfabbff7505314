#include "core/hiscores.h"

#include <gtest/gtest.h>

#include "core/overall.h"
#include "core/util.h"
#include "tests/core/results_fixture.h"

namespace tw {
namespace {

using HiScoresTest = testing::ResultsTest;

HiScoreResult Deal(int64_t score, int64_t seconds, bool won = true) {
  return {score, seconds, "20261210", "10:11:12", won};
}

TEST(HiScoreRecordTest, Layout) {
  std::string r = FormatHiScoreRecord(-52, 75, "20261210", "10:11:12", "Bob", "4711", false);
  ASSERT_EQ(r.size(), static_cast<size_t>(kHiScoreRecordWidth));
  EXPECT_EQ(r.substr(0, 32), "-00052 000075 20261210 10:11:12 ");
  EXPECT_EQ(r.substr(32, 31), PadRight("Bob", 30) + " ");
  EXPECT_EQ(r.substr(63, 16), PadRight("4711", 15) + " ");
  EXPECT_EQ(r.substr(79), "Lost x");
  EXPECT_EQ(FormatHiScoreRecord(1, 1, "", "", "", "", true).substr(79), "Won  x");
  // Wider than the field: kept at the limit, never "******".
  r = FormatHiScoreRecord(1234567, 9999999, "", "", "", "", true);
  EXPECT_EQ(r.substr(0, 13), "999999 999999");
  EXPECT_EQ(FormatHiScoreRecord(-1234567, -5, "", "", "", "", true).substr(0, 13), "-99999 000000");
  EXPECT_EQ(EmptyHiScoreRecord(), std::string(84, ' ') + "x");
  EXPECT_EQ(HiScoreOf(EmptyHiScoreRecord()), -999999);
  EXPECT_EQ(HiScoreTimeOf(EmptyHiScoreRecord()), 999999);
  EXPECT_EQ(HiScoreKey("01", 20), "01-20");
}

TEST_F(HiScoresTest, EmptyTableIsSeededFromTheCardCount) {
  const int multipliers[] = {52, 45, 40, 30, 25, 20, 15, 14, 13, 12,
                             11, 10, 9,  8,  7,  6,  5,  4,  3,  2};
  for (int cards : {52, 104}) {
    StringList places;
    LoadHiScores(ctx, cards, "01", places, [](int game) { return game; });
    ASSERT_EQ(places.size(), 20u);
    for (int i = 0; i < 20; ++i) {
      int score = multipliers[i] * cards / 52;
      EXPECT_EQ(HiScoreOf(places[i]), score);
      EXPECT_EQ(HiScoreTimeOf(places[i]), 5 * score);
      EXPECT_EQ(places[i].substr(14, 18), "20261210 09:05:07 ");
      EXPECT_EQ(places[i].substr(32, 2), "* ");
      EXPECT_EQ(places[i].substr(63, 15), std::string(15, '0'));
    }
  }
  // Written: every line is key, "=" and the 85-character record.
  auto lines = Lines("STAT_SCR.DAT");
  int tableLines = 0;
  for (const auto& l : lines) {
    if (l.size() > 5 && l[5] == '=') {
      EXPECT_EQ(l.size(), 91u);
      ++tableLines;
    }
  }
  EXPECT_EQ(tableLines, 40);
}

TEST_F(HiScoresTest, PlacementRules) {
  StringList places;
  LoadHiScores(ctx, 12, "01", places);                               // 52, 45, 40 (time 200) ...
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bob", "01", Deal(40, 199)), 2);  // shorter time: above
  EXPECT_EQ(RecordHiScore(ctx, 12, "Ann", "01", Deal(40, 199)), 3);  // same time: below
  EXPECT_EQ(RecordHiScore(ctx, 12, "Cy", "01", Deal(1000, 999)), 0);
  LoadHiScores(ctx, 12, "01", places);
  EXPECT_EQ(places[0].substr(32, 2), "Cy");
  EXPECT_EQ(places[3].substr(32, 3), "Bob");
  EXPECT_EQ(places[4].substr(32, 3), "Ann");
  EXPECT_EQ(HiScoreOf(places[19]), 5);  // 3 and 2 dropped out
  for (const auto& p : places) EXPECT_EQ(p.size(), 85u);

  // Below every place: nothing written, but the overall scores still count it.
  std::string before = Read("STAT_SCR.DAT");
  EXPECT_EQ(RecordHiScore(ctx, 12, "Dee", "01", Deal(4, 10)), -1);
  EXPECT_EQ(Read("STAT_SCR.DAT"), before);
  EXPECT_EQ(ReadOverallScores(ctx).Players, (StringList{"Cy", "Bob", "Ann", "Dee"}));
}

TEST_F(HiScoresTest, AfterClearingTablesStayEmpty) {
  ASSERT_TRUE(ClearAllHiScores(ctx));
  StringList places;
  LoadHiScores(ctx, 12, "01", places);
  EXPECT_EQ(places, StringList(20, ""));
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bob", "01", Deal(-52, 30, false)), 0);
  EXPECT_EQ(RecordHiScore(ctx, 12, "Ann", "01", Deal(-60, 30, false)), 1);
  LoadHiScores(ctx, 12, "01", places);
  EXPECT_EQ(places[0].substr(0, 6), "-00052");
  EXPECT_EQ(places[0].substr(79), "Lost x");
  EXPECT_EQ(places[2], EmptyHiScoreRecord());
  ASSERT_TRUE(ClearGameHiScores(ctx, 12, "01"));
  LoadHiScores(ctx, 12, "01", places);
  EXPECT_EQ(places, StringList(20, EmptyHiScoreRecord()));
}

TEST_F(HiScoresTest, DialogUnlessSwitchedOff) {
  std::vector<std::pair<int, std::string>> shown;
  HiScoreDialog dialog = [&](int place, const std::string& title) {
    shown.emplace_back(place, title);
  };
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bob", "01", Deal(100, 10), dialog), 0);
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bob", "01", Deal(1, 10), dialog), -1);
  ctx.SetCfg(cfg::ConfirmEnterHiScores, "N");
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bob", "01", Deal(200, 10), dialog), 0);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0],
            std::make_pair(0, std::string("Compliments! You entered the Klondike Hi-Scores!")));
}

TEST_F(HiScoresTest, AnotherScoreKindKeepsTheFirstTable) {
  ASSERT_EQ(RecordHiScore(ctx, 12, "Bob", "01", Deal(100, 10)), 0);
  ASSERT_EQ(RecordHiScore(ctx, 12, "Ann", "02", Deal(100, 10)), 0);
  StringList first, second;
  LoadHiScores(ctx, 12, "01", first);
  LoadHiScores(ctx, 12, "02", second);
  EXPECT_EQ(first[0].substr(32, 3), "Bob");
  EXPECT_EQ(second[0].substr(32, 3), "Ann");
  // Unusable kinds and names are refused without touching the file.
  std::string before = Read("STAT_SCR.DAT");
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bob", "0=", Deal(500, 10)), -1);
  EXPECT_EQ(RecordHiScore(ctx, 12, "Bo[b", "01", Deal(500, 10)), -1);
  EXPECT_EQ(Read("STAT_SCR.DAT"), before);
}

}  // namespace
}  // namespace tw
