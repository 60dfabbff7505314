#include "engine/build_rules.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::EngineTest;
using testing::Pile;
using testing::H;
using testing::D;
using testing::C;
using testing::S;

constexpr int E = kEmptyTarget;

struct Case {
  const char* what;
  int top, card;
  int startCode, baseRank, direction, rule;
  bool foundation, wrap;
  bool expected;
};

class BuildRules : public EngineTest {
 protected:
  BuildRules() {
    ctx.GameRules.FoundationCount() = 4;
    ctx.GameRules.TableauCount() = 8;
    ctx.GameRules.ReserveCount() = 4;
  }
  bool Build(const Case& c, int pileIndex = 0, bool dropTest = true) {
    return CanBuildOn(ctx, c.top, c.card, c.startCode, c.baseRank, c.direction, c.rule,
                      c.foundation, c.wrap, pileIndex, dropTest);
  }
  void Check(std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(Build(c), c.expected) << c.what;
  }
};

TEST_F(BuildRules, GeneralSuitAndDirection) {
  Check({
      {"a card on itself", H(5), H(5), 1, 1, 2, 12, false, true, false},
      {"same suit down", S(9), S(8), 1, 1, 0, 0, false, true, true},
      {"same suit refuses other suit", S(9), H(8), 1, 1, 0, 0, false, true, false},
      {"same suit refuses wrong rank", S(9), S(7), 1, 1, 0, 0, false, true, false},
      {"same colour", S(9), C(8), 1, 1, 0, 1, false, true, true},
      {"same colour refuses red", S(9), D(8), 1, 1, 0, 1, false, true, false},
      {"alternate colour", S(9), D(8), 1, 1, 0, 3, false, true, true},
      {"alternate colour refuses black", S(9), C(8), 1, 1, 0, 3, false, true, false},
      {"rule 6 never builds", S(9), S(8), 1, 1, 0, 6, false, true, false},
      {"rule 2 any suit", S(9), H(8), 1, 1, 0, 2, false, true, true},
      {"rules 8 and 13 any suit", S(9), H(8), 1, 1, 0, 8, false, true, true},
      {"rule 13", S(9), H(10), 1, 1, 1, 13, false, true, true},
      {"up", H(4), H(5), 1, 1, 1, 0, true, true, true},
      {"up refuses down", H(4), H(3), 1, 1, 1, 0, true, true, false},
      {"either way, down", H(4), H(3), 1, 1, 2, 0, true, true, true},
      {"either way, up", H(4), H(5), 1, 1, 2, 0, true, true, true},
      {"direction 3 refuses", H(4), H(5), 1, 1, 3, 0, true, true, false},
      {"second deck folds", H(4), 53 + 4, 1, 1, 1, 0, true, true, true},
  });
}

TEST_F(BuildRules, CornersOfFoundationsAndTableaus) {
  Check({
      {"foundation up: King takes an Ace", H(13), H(1), 5, 5, 1, 0, true, true, true},
      {"foundation up: not with start code 1", H(13), H(1), 1, 1, 1, 0, true, true, false},
      {"two-way foundation: King takes an Ace", H(13), H(1), 7, 7, 2, 0, true, true, true},
      {"two-way foundation: King takes no Queen", H(13), H(12), 7, 7, 2, 0, true, true, false},
      {"foundation down: Ace takes a King", H(1), H(13), 5, 5, 0, 0, true, true, true},
      {"foundation down: not with start code 13", H(1), H(13), 13, 13, 0, 0, true, true, false},
      {"tableau down, no wrap, base 1: nothing on an Ace", H(1), H(13), -1, 1, 0, 0, false, false,
       false},
      {"tableau down, wrap: an Ace takes a King", H(1), H(13), -1, 1, 0, 0, false, true, true},
      {"tableau down, no wrap: the base rank refuses", H(5), H(4), -1, 5, 0, 0, false, false,
       false},
      {"tableau down, no wrap, base 81: Ace refuses", H(1), H(13), -1, 81, 0, 0, false, false,
       false},
      {"tableau up, no wrap: base rank top refuses", H(5), H(6), -1, 5, 1, 0, false, false, false},
      {"tableau up, no wrap decides for either way", H(5), H(4), -1, 5, 2, 0, false, false, false},
      {"tableau up: King takes an Ace", H(13), H(1), -1, 5, 1, 0, false, true, true},
  });
}

TEST_F(BuildRules, EmptyTargetByStartCode) {
  Check({
      {"rank start", E, S(5), 5, 1, 0, 0, false, true, true},
      {"rank start refuses another", E, S(6), 5, 1, 0, 0, false, true, false},
      {"-1 any card", E, S(6), -1, 1, 0, 0, false, true, true},
      {"base rank -1 any card", E, S(6), 0, -1, 0, 0, false, true, true},
      {"0 none", E, S(6), 0, 1, 0, 0, false, true, false},
      {"82 nothing", E, S(13), 82, 1, 0, 0, false, true, false},
      {"83 nothing", E, S(13), 83, 1, 0, 0, false, true, false},
      {"0 is an empty target too", 0, S(5), 5, 1, 0, 0, false, true, true},
  });
}

TEST_F(BuildRules, StartCode86TakesOnlyASingleCard) {
  const Case c{"86", E, S(4), 86, 1, 0, 0, false, true, true};
  SetLiftedCards(ctx, 1);
  EXPECT_TRUE(Build(c));
  SetLiftedCards(ctx, 3);
  EXPECT_FALSE(Build(c));
}

TEST_F(BuildRules, StartCode87TakesStockWasteAndDiscardCards) {
  Lay(ctx.MazzoPiles, 0, {S(1)});
  Lay(ctx.MazzoPiles, 1, {S(2)});
  Lay(ctx.MazzoPiles, 2, {S(3)});
  Lay(ctx.FilaPiles, 0, {S(4)});
  Lay(ctx.DestPiles, 0, {S(5)});
  Lay(ctx.AppoggPiles, 0, {S(6)});
  auto ok = [&](int card) { return Build({"87", E, card, 87, 1, 0, 0, false, true, true}, 1); };
  EXPECT_TRUE(ok(S(1)));
  EXPECT_TRUE(ok(S(2)));
  EXPECT_TRUE(ok(S(3)));
  EXPECT_FALSE(ok(S(4)));
  EXPECT_FALSE(ok(S(5)));
  EXPECT_FALSE(ok(S(6)));
}

TEST_F(BuildRules, StartCode92FollowsTheStartedFoundations) {
  const Case c{"92", E, S(7), 92, 1, 0, 0, false, true, true};
  EXPECT_TRUE(Build(c));  // none started
  Lay(ctx.DestPiles, 1, {H(7), H(8)});
  EXPECT_TRUE(Build(c));
  Lay(ctx.DestPiles, 2, {D(6)});
  EXPECT_FALSE(Build(c));
}

TEST_F(BuildRules, CanStartFoundationBalancesColoursAndSuits) {
  for (int i = 0; i < 4; ++i) ctx.GameRules.FoundationBase(i) = 85;
  EXPECT_FALSE(CanStartFoundation(ctx, 85, H(2)));
  EXPECT_TRUE(CanStartFoundation(ctx, 85, H(1)));
  Lay(ctx.DestPiles, 0, {H(1)});
  EXPECT_TRUE(CanStartFoundation(ctx, 85, D(1)));  // second red
  EXPECT_FALSE(CanStartFoundation(ctx, 85, 53));   // hearts again (second deck)
  Lay(ctx.DestPiles, 1, {D(1)});
  EXPECT_FALSE(CanStartFoundation(ctx, 85, 53));  // third red
  EXPECT_TRUE(CanStartFoundation(ctx, 85, S(1)));
  EXPECT_FALSE(CanStartFoundation(ctx, 84, S(1)));  // 84 starts with Kings
  EXPECT_FALSE(Build({"rule 29 empty", E, S(2), 85, 1, 1, 29, true, true, false}));
  EXPECT_TRUE(Build({"rule 29 empty", E, S(1), 85, 1, 1, 29, true, true, true}));
}

TEST_F(BuildRules, CanStartFoundationWithOneFoundationTakesAnyAce) {
  ctx.GameRules.FoundationBase(0) = 81;
  EXPECT_TRUE(CanStartFoundation(ctx, 81, C(1)));
  EXPECT_TRUE(CanStartFoundation(ctx, 81, H(1)));
}

TEST_F(BuildRules, OddAndDoubleDeckFoundationCountsCanAllStart) {
  // Three foundations of code 81: after a red and a black start, the third
  // still takes an Ace.
  ctx.GameRules.FoundationCount() = 3;
  for (int i = 0; i < 3; ++i) ctx.GameRules.FoundationBase(i) = 81;
  Lay(ctx.DestPiles, 0, {H(1)});
  Lay(ctx.DestPiles, 1, {S(1)});
  EXPECT_TRUE(CanStartFoundation(ctx, 81, D(1)));
  // Eight foundations of code 85: each suit twice, four of each colour.
  ctx.GameRules.FoundationCount() = 8;
  for (int i = 0; i < 8; ++i) ctx.GameRules.FoundationBase(i) = 85;
  for (int i = 0; i < 8; ++i) ctx.DestPiles[static_cast<size_t>(i)].clear();
  Lay(ctx.DestPiles, 0, {H(1)});
  Lay(ctx.DestPiles, 1, {D(1)});
  Lay(ctx.DestPiles, 2, {C(1)});
  EXPECT_TRUE(CanStartFoundation(ctx, 85, 53));  // second Ace of hearts
  Lay(ctx.DestPiles, 3, {53});
  EXPECT_FALSE(CanStartFoundation(ctx, 85, H(1)));  // a third heart
}

TEST_F(BuildRules, RuleCodesOnCards) {
  Check({
      {"4 never", S(9), S(8), 1, 1, 0, 4, false, true, false},
      {"12 always", S(9), H(2), 1, 1, 3, 12, false, true, true},
      {"14 two up", S(5), H(7), 1, 1, 0, 14, true, true, true},
      {"14 wraps", S(12), H(1), 1, 1, 0, 14, true, true, true},
      {"14 empty takes an Ace", E, H(1), 1, 1, 0, 14, true, true, true},
      {"15 empty takes a Two", E, H(2), 1, 1, 0, 15, true, true, true},
      {"16 four up", S(11), H(2), 1, 1, 0, 16, true, true, true},
      {"16 refuses", S(11), H(3), 1, 1, 0, 16, true, true, false},
      {"20 one up, any suit", S(4), H(5), 1, 1, 0, 20, true, true, true},
      {"20 King takes Ace", S(13), H(1), 1, 1, 0, 20, true, true, true},
      {"20 empty takes an Ace", E, H(1), 7, 7, 0, 20, true, true, true},
      {"20 empty refuses a Two", E, H(2), 2, 2, 0, 20, true, true, false},
      {"21 refuses the top's suit", S(9), S(8), 1, 1, 0, 21, false, true, false},
      {"21 other suit by direction", S(9), H(8), 1, 1, 0, 21, false, true, true},
      {"11 no Queen on a King", S(13), S(12), 1, 1, 0, 11, false, true, false},
      {"11 no Queen on a Jack", S(11), S(12), 1, 1, 1, 11, false, true, false},
      {"11 same suit", S(13), H(12), 1, 1, 2, 11, false, true, false},
      {"11 builds", S(10), S(9), 1, 1, 0, 11, false, true, true},
      {"24 no King on a Queen", S(12), S(13), 1, 1, 1, 24, false, true, false},
      {"24 other suit", S(5), H(4), 1, 1, 0, 24, false, true, false},
      {"24 builds", S(5), S(4), 1, 1, 0, 24, false, true, true},
      {"24 empty counts as hearts", E, S(5), -1, 1, 0, 24, false, true, false},
      {"24 empty heart", E, H(5), -1, 1, 0, 24, false, true, true},
      {"25 empty takes anything", E, S(9), 0, 1, 0, 25, false, true, true},
      {"25 two up", S(5), S(7), 0, 1, 1, 25, false, true, true},
      {"25 two down", S(5), S(3), 0, 1, 0, 25, false, true, true},
      {"25 no wrap", S(12), S(1), 0, 1, 1, 25, false, true, false},
      {"28 empty takes anything", E, H(9), 0, 1, 0, 28, false, true, true},
      {"28 one either way", S(5), S(6), 0, 1, 0, 28, false, true, true},
      {"28 no King on an Ace", S(1), S(13), 0, 1, 0, 28, false, true, false},
      {"28 other suit", S(5), H(6), 0, 1, 0, 28, false, true, false},
      {"31 nothing on an Ace", S(1), S(13), 0, 1, 0, 31, false, true, false},
      {"31 one down", S(5), S(4), 0, 1, 0, 31, false, true, true},
      {"32 nothing on a King", S(13), S(1), 0, 1, 0, 32, false, true, false},
      {"32 one up", S(5), S(6), 0, 1, 0, 32, false, true, true},
      {"34 same colour refused", S(5), C(4), 0, 1, 0, 34, false, true, false},
      {"34 one down", S(5), H(4), 0, 1, 1, 34, false, true, true},
      {"34 empty: general", E, H(4), 4, 1, 0, 34, false, true, true},
      {"35 wraps", S(13), H(1), 0, 1, 0, 35, false, true, true},
      {"35 either way", S(5), H(6), 0, 1, 0, 35, false, true, true},
      {"35 refuses", S(5), H(7), 0, 1, 0, 35, false, true, false},
      {"36 one down", S(5), H(4), 0, 1, 0, 36, false, true, true},
      {"36 Ace takes King", S(1), H(13), 0, 1, 0, 36, false, true, true},
      {"37 doubles", S(4), H(8), 0, 1, 0, 37, true, true, true},
      {"37 doubles mod 13", S(12), H(11), 0, 1, 0, 37, true, true, true},
      {"37 refuses", S(4), H(9), 0, 1, 0, 37, true, true, false},
      {"39 one up", S(5), H(6), 0, 1, 0, 39, false, true, true},
      {"39 no Queen", S(11), H(12), 0, 1, 0, 39, false, true, false},
      {"39 empty: general", E, H(12), 12, 1, 0, 39, false, true, true},
  });
}

TEST_F(BuildRules, Rule37TakesAKingOnlyAfter48FoundationCards) {
  const Case king{"37 King", S(4), H(13), 0, 1, 0, 37, true, true, true};
  EXPECT_FALSE(Build(king, 1));
  std::string full;
  for (int c = 1; c <= 48; ++c) full += CardCodeText(c);
  ctx.DestPiles[0] = full.substr(3);  // 47 cards
  EXPECT_FALSE(Build(king, 1));
  ctx.DestPiles[0] = full;
  EXPECT_TRUE(Build(king, 1));
}

TEST_F(BuildRules, RulesThatLookAtTheTargetPile) {
  // 26: one up or down on a pile of fewer than 3 cards, never on an empty one.
  ctx.FilaPiles[2] = Pile({S(9), S(8)});
  const Case r26{"26", S(8), H(7), 0, 1, 0, 26, false, true, true};
  EXPECT_TRUE(Build(r26, 2));
  ctx.FilaPiles[2] = Pile({S(10), S(9), S(8)});
  EXPECT_FALSE(Build(r26, 2));
  EXPECT_FALSE(Build({"26 empty", E, H(7), -1, 1, 0, 26, false, true, false}, 3));

  // 30: +-1 on 0..1 cards, then the pile's direction; never on empty.
  ctx.FilaPiles[4] = Pile({S(7)});
  EXPECT_TRUE(Build({"30", S(7), S(8), 0, 1, 0, 30, false, true, true}, 4));
  EXPECT_TRUE(Build({"30", S(7), S(6), 0, 1, 0, 30, false, true, true}, 4));
  EXPECT_FALSE(Build({"30", S(7), H(6), 0, 1, 0, 30, false, true, true}, 4));
  ctx.FilaPiles[4] = Pile({S(8), S(7)});
  EXPECT_TRUE(Build({"30 falling", S(7), S(6), 0, 1, 0, 30, false, true, true}, 4));
  EXPECT_FALSE(Build({"30 falling", S(7), S(8), 0, 1, 0, 30, false, true, true}, 4));
  ctx.FilaPiles[4] = Pile({S(1), S(13)});
  EXPECT_FALSE(Build({"30 no Ace on King", S(13), S(1), 0, 1, 0, 30, false, true, true}, 4));
  EXPECT_FALSE(Build({"30 empty", E, S(1), -1, 1, 0, 30, false, true, true}, 5));

  // 38: only onto a lone King, and neither a Queen nor a King.
  ctx.FilaPiles[6] = Pile({C(13)});
  EXPECT_TRUE(Build({"38", C(13), H(5), 0, 1, 0, 38, false, true, true}, 6));
  EXPECT_FALSE(Build({"38", C(13), H(12), 0, 1, 0, 38, false, true, true}, 6));
  ctx.FilaPiles[6] = Pile({C(13), H(5)});
  EXPECT_FALSE(Build({"38", H(5), H(4), 0, 1, 0, 38, false, true, true}, 6));

  // 33: tableau cards refused; others while the pile has fewer than 2 cards.
  Lay(ctx.FilaPiles, 0, {D(3)});
  Lay(ctx.MazzoPiles, 1, {D(4)});
  ctx.FilaPiles[7] = Pile({H(9)});
  EXPECT_FALSE(Build({"33", H(9), D(3), 0, 1, 0, 33, false, true, true}, 7));
  EXPECT_TRUE(Build({"33", H(9), D(4), 0, 1, 0, 33, false, true, true}, 7));
  ctx.FilaPiles[7] = Pile({H(9), H(10)});
  EXPECT_FALSE(Build({"33", H(10), D(4), 0, 1, 0, 33, false, true, true}, 7));
}

TEST_F(BuildRules, RulesThatLookWhereTheCardLies) {
  Lay(ctx.FilaPiles, 0, {S(4)});
  Lay(ctx.AppoggPiles, 0, {S(5)});
  Lay(ctx.DestPiles, 0, {S(6)});
  Lay(ctx.MazzoPiles, 1, {S(7)});
  Lay(ctx.FilaPiles, 3, {S(10)});
  auto build = [&](int rule, int card, int pile = 3) {
    return Build({"", S(10), card, 0, 1, 0, rule, false, true, true}, pile);
  };
  EXPECT_FALSE(build(17, S(4)));
  EXPECT_TRUE(build(17, S(5)));
  EXPECT_FALSE(build(19, S(4)));
  EXPECT_FALSE(build(19, S(5)));
  EXPECT_TRUE(build(19, S(7)));
  EXPECT_FALSE(build(18, S(4)));
  EXPECT_TRUE(build(18, S(7)));
  EXPECT_TRUE(Build({"18 empty target", E, S(4), 0, 1, 0, 18, false, true, true}, 4));
  // 27: foundation and reserve cards refused, then alternate colour.
  EXPECT_FALSE(Build({"27", D(7), S(5), 0, 1, 0, 27, false, true, true}));
  EXPECT_FALSE(Build({"27", D(7), S(6), 0, 1, 0, 27, false, true, true}));
  EXPECT_TRUE(Build({"27", H(5), S(4), 0, 1, 0, 27, false, true, true}));
  EXPECT_FALSE(Build({"27", C(5), S(4), 0, 1, 0, 27, false, true, true}));
}

TEST_F(BuildRules, Rule7DropsOnlyOntoEmptyPilesOnceTheStockIsEmpty) {
  const Case empty{"7", E, S(4), -1, 1, 0, 7, false, true, true};
  const Case built{"7", S(5), S(4), -1, 1, 0, 7, false, true, true};
  ctx.MazzoPiles[0] = Pile({H(1)});
  EXPECT_FALSE(Build(empty));
  EXPECT_TRUE(Build(built, 0, false));  // run check: the general test
  ctx.MazzoPiles[0].clear();
  EXPECT_TRUE(Build(empty));
  EXPECT_FALSE(Build(built));
}

TEST_F(BuildRules, Rule23WaitsForAnEmptyWaste) {
  const Case c{"23", S(4), S(5), 0, 1, 1, 23, true, true, true};
  ctx.MazzoPiles[1] = Pile({H(1)});
  EXPECT_FALSE(Build(c));
  ctx.MazzoPiles[1].clear();
  EXPECT_TRUE(Build(c));
  EXPECT_FALSE(Build({"23 other suit", S(4), H(5), 0, 1, 1, 23, true, true, true}));
  EXPECT_FALSE(Build({"23 empty", E, S(1), -1, 1, 1, 23, true, true, true}));
}

TEST_F(BuildRules, Rule29BuildsUpToTheKingThenDown) {
  std::string up;
  for (int r = 1; r <= 12; ++r) up += CardCodeText(S(r));
  ctx.DestPiles[0] = up;
  EXPECT_TRUE(Build({"29", S(12), S(13), 81, 1, 1, 29, true, true, true}));
  ctx.DestPiles[0] = up + CardCodeText(S(13));
  EXPECT_TRUE(Build({"29 second King", S(13), 52 + S(13), 81, 1, 1, 29, true, true, true}));
  EXPECT_FALSE(Build({"29", S(13), S(1), 81, 1, 1, 29, true, true, true}));
  ctx.DestPiles[0] += CardCodeText(52 + S(13));
  EXPECT_TRUE(Build({"29 down", 52 + S(13), 52 + S(12), 81, 1, 1, 29, true, true, true}));
  EXPECT_FALSE(Build({"29 down", 52 + S(13), H(12), 81, 1, 1, 29, true, true, true}));
}

TEST_F(BuildRules, Rule36StartsAFoundationAfterTheOneBefore) {
  const Case start{"36", E, S(7), 0, 7, 0, 36, true, true, true};
  EXPECT_TRUE(Build(start, 0));
  EXPECT_FALSE(Build(start, 1));
  ctx.DestPiles[0] = Pile({H(7)});
  EXPECT_TRUE(Build(start, 1));
  EXPECT_FALSE(Build({"36 wrong rank", E, S(8), 0, 7, 0, 36, true, true, true}, 1));
}

TEST_F(BuildRules, Rule5BuildsOnTheNeighbourFoundation) {
  ctx.GameRules.FoundationBase(0) = 3;
  ctx.GameRules.FoundationBase(1) = 3;
  EXPECT_TRUE(Build({"5 first", E, S(3), 3, 3, 0, 5, true, true, true}, 0));
  EXPECT_FALSE(Build({"5 first", E, S(4), 3, 3, 0, 5, true, true, true}, 0));
  // The second takes a card only when its rank lies on the first.
  EXPECT_FALSE(Build({"5 second", E, H(3), 3, 3, 0, 5, true, true, true}, 1));
  ctx.DestPiles[0] = Pile({S(3), S(9)});
  EXPECT_TRUE(Build({"5 second", E, H(3), 3, 3, 0, 5, true, true, true}, 1));
  ctx.DestPiles[1] = Pile({H(3)});
  EXPECT_TRUE(Build({"5 suit", H(3), H(9), 3, 3, 0, 5, true, true, true}, 1));
  EXPECT_FALSE(Build({"5 suit", H(3), D(9), 3, 3, 0, 5, true, true, true}, 1));
  EXPECT_FALSE(Build({"5 rank", H(3), H(8), 3, 3, 0, 5, true, true, true}, 1));
}

TEST(GridNeighbour, EightNeighboursOfAFiveWideGrid) {
  EXPECT_FALSE(IsGridNeighbour(6, 6));
  for (int b : {0, 1, 2, 5, 7, 10, 11, 12}) EXPECT_TRUE(IsGridNeighbour(6, b)) << b;
  for (int b : {3, 8, 13, 15, 16, 24}) EXPECT_FALSE(IsGridNeighbour(6, b)) << b;
  EXPECT_FALSE(IsGridNeighbour(4, 5));  // end of one row, start of the next
  EXPECT_TRUE(IsGridNeighbour(4, 9));
}

}  // namespace
}  // namespace tw
