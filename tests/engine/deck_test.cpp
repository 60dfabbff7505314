#include "engine/deck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::EngineTest;

StringList Split(const std::string& text) {
  std::istringstream in(text);
  StringList out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

void ExpectPermutation(const StringList& order, int n, const std::string& deal) {
  ASSERT_EQ(static_cast<int>(order.size()), n) << deal;
  std::set<int> seen;
  for (const std::string& e : order) seen.insert(std::stoi(e));
  EXPECT_EQ(static_cast<int>(seen.size()), n) << deal;
  EXPECT_EQ(*seen.begin(), 1) << deal;
  EXPECT_EQ(*seen.rbegin(), n) << deal;
}

TEST(DeckOrder, DealOneGivesThePublishedOrder) {
  const StringList expected = Split(
      "040 004 043 039 015 006 016 045 018 035 034 007 049 011 025 024 026 027 046 030 048 010 "
      "012 032 021 002 041 003 042 005 014 044 017 013 033 009 019 023 052 022 037 038 051 028 "
      "008 029 047 031 020 050 036 001");
  StringList order;
  ASSERT_TRUE(DeckOrderFor("1", 52, order));
  EXPECT_EQ(order, expected);
  // The stored form is zero-padded; both read the same.
  ASSERT_TRUE(DeckOrderFor("0000000000001", 52, order));
  EXPECT_EQ(order, expected);
}

TEST(DeckOrder, EveryDealIsAPermutationOfTheDeck) {
  uint64_t x = 12345;
  for (int k = 0; k < 3000; ++k) {
    x = x * 6364136223846793005ull + 1442695040888963407ull;
    const std::string deal = std::to_string((x >> 11) % 10000000000000ull);
    for (int n : {52, 104}) {
      StringList order;
      ASSERT_TRUE(DeckOrderFor(deal, n, order));
      ExpectPermutation(order, n, deal);
    }
  }
  for (const char* deal : {"", "0", "0000000000000", "9999999999999", "7"}) {
    for (int n : {52, 104}) {
      StringList order;
      ASSERT_TRUE(DeckOrderFor(deal, n, order));
      ExpectPermutation(order, n, deal);
    }
  }
}

TEST(DeckOrder, DealZeroAndBlankAreTheSameDeal) {
  StringList a, b;
  DeckOrderFor("0000000000000", 52, a);
  DeckOrderFor("", 52, b);
  EXPECT_EQ(a, b);
}

TEST(DeckOrder, TwoDecksPlaceEachRankInBothDecksInOnePass) {
  // In a 104-card deck both copies of a card are placed by the same pass, so
  // the first deck alone is again 52 distinct codes and so is the second.
  StringList order;
  ASSERT_TRUE(DeckOrderFor("4711", 104, order));
  std::set<int> first, second;
  for (const std::string& e : order) (std::stoi(e) <= 52 ? first : second).insert(std::stoi(e));
  EXPECT_EQ(first.size(), 52u);
  EXPECT_EQ(second.size(), 52u);
  StringList single;
  DeckOrderFor("4711", 52, single);
  EXPECT_NE(std::vector<std::string>(order.begin(), order.begin() + 52), single);
}

TEST_F(EngineTest, CardCountsOtherThan52Or104AreRefused) {
  for (int n : {0, -1, 1, 51, 53, 100, 105}) {
    ui.messages.clear();
    ctx.GameRules.CardCount() = static_cast<int16_t>(n);
    ctx.SetCfg(cfg::DealNumber, "0000000000001");
    StringList order{"x"};
    EXPECT_FALSE(fnGameNumberCardsArray(ctx, order)) << n;
    EXPECT_EQ(order, StringList(static_cast<size_t>(std::max(n, 0)), "000")) << n;
    EXPECT_EQ(ui.messages, StringList{"Error 01 - fnGameNumberCardsArray"}) << n;
  }
}

TEST_F(EngineTest, ADealNumberWithOtherThanDigitsIsRefused) {
  ctx.GameRules.CardCount() = 52;
  ctx.SetCfg(cfg::DealNumber, "12a4");
  StringList order;
  EXPECT_FALSE(fnGameNumberCardsArray(ctx, order));
  EXPECT_EQ(order, StringList(52, "000"));
  EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(FindFreeSlot, SearchesInTheGivenDirectionThenFromTheStart) {
  StringList list{"000", "001", "000", "002", "003"};
  EXPECT_EQ(FindFreeSlot(list, 1, true), 2);
  EXPECT_EQ(FindFreeSlot(list, 3, true), 0);  // nothing above: from 0
  EXPECT_EQ(FindFreeSlot(list, 3, false), 2);
  EXPECT_EQ(FindFreeSlot(list, 1, false), 0);
  EXPECT_EQ(FindFreeSlot(list, -1, false), 0);
  StringList full{"001", "002"};
  EXPECT_EQ(FindFreeSlot(full, 0, true), -1);
  EXPECT_EQ(FindFreeSlot(full, 1, false), -1);
}

TEST_F(EngineTest, NewGameNumberStoresTheProductPaddedTo13Digits) {
  testing::FakeRandom random;
  random.answers = {9999998, 999998};
  ctx.Random = &random;
  ctx.SetCfg(cfg::Game_name, "Klondike");
  ctx.SetCfg(cfg::UserDefault, "Ann");
  NewGameNumber(ctx);
  EXPECT_EQ(random.ranges, (std::vector<int32_t>{9999999, 999999}));
  EXPECT_EQ(ctx.Cfg(cfg::DealNumber), "9999978000004");
  EXPECT_EQ(fakes.window.caption, "Tarnwell 2000 [Klondike]  [Ann]  [9999978000004]");

  random.answers = {0, 5};
  random.next = 0;
  NewGameNumber(ctx);
  EXPECT_EQ(ctx.Cfg(cfg::DealNumber), "0000000000000");

  random.answers = {12, 3};
  random.next = 0;
  NewGameNumber(ctx);
  EXPECT_EQ(ctx.Cfg(cfg::DealNumber), "0000000000036");
  // The same caption is not assigned again.
  const int sets = fakes.window.captionSets;
  random.next = 0;
  NewGameNumber(ctx);
  EXPECT_EQ(fakes.window.captionSets, sets);
}

}  // namespace
}  // namespace tw
