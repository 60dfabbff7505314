// The tableau redeal (gather, fixed re-mix, deal out again) and completed
// King-to-Ace runs leaving for their foundations.
#include "engine/redeal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/cards.h"
#include "engine/executor.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using namespace testing;

TEST(RedealRemix, FixedPermutation) {
  struct Case {
    std::vector<int> a, b;
  };
  const Case cases[] = {
      {{}, {}},
      {{1}, {1}},
      {{1, 2}, {2, 1}},
      {{1, 2, 3, 4, 5}, {3, 1, 2, 4, 5}},
      {{1, 2, 3, 4, 5, 6, 7}, {4, 7, 1, 5, 2, 3, 6}},
  };
  for (const Case& c : cases) EXPECT_EQ(RemixRedealCards(c.a), c.b);
  for (int n = 0; n <= kCardCodes; ++n) {
    std::vector<int> a(static_cast<size_t>(n));
    std::iota(a.begin(), a.end(), 1);
    std::vector<int> b = RemixRedealCards(a);
    EXPECT_EQ(b, RemixRedealCards(a)) << n;
    std::sort(b.begin(), b.end());
    EXPECT_EQ(b, a) << "every card once, " << n;
  }
}

class Redeal : public PlayTest {
 protected:
  Redeal() {
    ctx.GameRules.HasWaste() = 0;
    ctx.GameRules.HasStock() = 0;
    ctx.GameRules.Deals() = 3;
  }
  // A press and the release that makes the redeal it asked for.
  bool Click() {
    bool moved = PlayToPile(ctx, 0, "Mazzo_Vis");
    if (ctx.GameState.RedealMarkerShown() == 1) moved = PlayToPile(ctx, 0, "Mazzo_Vis") || moved;
    return moved;
  }
  // Faces of a pile from the bottom, "1" up.
  std::string Faces(int i) const {
    std::string f;
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    for (int k = 0; k < PileCardCount(pile); ++k) {
      f += IsFaceUp(ctx, PileCardAt(pile, k)) ? '1' : '0';
    }
    return f;
  }
  // Gathered H3 H2 H1 H5 H4 H7 H6, re-mixed to H5 H6 H3 H4 H2 H1 H7.
  void LayTable() {
    Lay(ctx.FilaPiles, 0, {H(1), H(2), H(3)}, 1);
    Lay(ctx.FilaPiles, 1, {H(4), H(5)});
    ctx.FilaPiles[2].clear();
    Lay(ctx.FilaPiles, 3, {H(6), H(7)});
  }
};

TEST_F(Redeal, FillsOrDealsRoundWithThePileOneFaces) {
  struct Case {
    const char* name;
    int redeal, cards, faceMode;
    std::vector<std::vector<int>> piles;
    std::vector<std::string> faces;
  };
  const std::vector<std::vector<int>> filled = {{H(5), H(6), H(3)}, {H(4), H(2), H(1)}, {H(7)}, {}};
  const std::vector<std::vector<int>> round = {{H(5), H(2)}, {H(6), H(1)}, {H(3), H(7)}, {H(4)}};
  const Case cases[] = {
      {"filled in threes, face mode = cards: all up", 1, 3, 3, filled, {"111", "111", "1", ""}},
      {"filled, face mode 1: the tops up", 1, 3, 1, filled, {"001", "001", "1", ""}},
      {"filled, face mode 0: all down", 1, 3, 0, filled, {"000", "000", "0", ""}},
      {"filled, face mode 99: all up as dealt", 1, 3, 99, filled, {"111", "111", "1", ""}},
      {"filled, face mode -1: alternate", 1, 3, -1, filled, {"101", "101", "1", ""}},
      {"round, face mode 1", 2, 3, 1, round, {"01", "01", "01", "1"}},
      {"round, face mode = cards", 2, 3, 3, round, {"11", "11", "11", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ctx.GameRules.TableauRedeal() = static_cast<int16_t>(c.redeal);
    ctx.GameRules.TableauCards(0) = static_cast<int16_t>(c.cards);
    ctx.GameRules.TableauFaceMode(0) = static_cast<int16_t>(c.faceMode);
    ctx.GameState.RedealsDone() = 1;
    LayTable();
    ASSERT_TRUE(Click());
    for (int i = 0; i < 4; ++i) {
      std::string want;
      for (int card : c.piles[static_cast<size_t>(i)]) want += CardCodeText(card);
      EXPECT_EQ(ctx.FilaPiles[static_cast<size_t>(i)], want) << "pile " << i + 1;
      EXPECT_EQ(Faces(i), c.faces[static_cast<size_t>(i)]) << "pile " << i + 1;
    }
    ExpectEachCardOnce(7);
  }
}

TEST_F(Redeal, SameTableSameRedealAndUndoGivesThePassBack) {
  ctx.GameRules.TableauRedeal() = 1;
  ctx.GameRules.TableauCards(0) = 3;
  ctx.GameRules.TableauFaceMode(0) = 3;
  LayTable();
  const std::string dealt = Snapshot();
  ASSERT_TRUE(Click());
  const std::string redealt = Snapshot();
  EXPECT_NE(redealt, dealt);
  EXPECT_EQ(ctx.GameState.RedealsDone(), 2);
  EXPECT_EQ(UndoDepth(ctx), 1);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), dealt);
  EXPECT_EQ(ctx.GameState.RedealsDone(), 1);
  ASSERT_TRUE(Click());
  EXPECT_EQ(Snapshot(), redealt) << "no random numbers";
  // The second redeal is the last one of three passes.
  ASSERT_TRUE(Click());
  EXPECT_EQ(ctx.GameState.RedealsDone(), 3);
  const std::string last = Snapshot();
  EXPECT_FALSE(Click());
  EXPECT_EQ(Snapshot(), last);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), dealt);
  EXPECT_EQ(ctx.GameState.RedealsDone(), 1);
  ASSERT_TRUE(UndoRedo(ctx, false, false));
  EXPECT_EQ(Snapshot(), redealt);
  EXPECT_EQ(ctx.GameState.RedealsDone(), 2);
}

TEST_F(Redeal, FlightsPileByPileOrLevelByLevel) {
  ctx.GameRules.TableauRedeal() = 1;
  ctx.GameRules.TableauCards(0) = 3;
  ctx.GameRules.TableauFaceMode(0) = 3;
  for (int pileMajor : {1, 0}) {
    SCOPED_TRACE(pileMajor);
    ctx.GameRules.BaseCardsPileMajor() = static_cast<int16_t>(pileMajor);
    ctx.GameState.RedealsDone() = 1;
    LayTable();
    fakes.view.calls.clear();
    fakes.counter.updates.clear();
    ASSERT_TRUE(Click());
    std::vector<std::string> flights;
    for (const std::string& call : fakes.view.calls) {
      if (call.rfind("animate", 0) == 0) flights.push_back(call.substr(8));
    }
    auto names = [](std::initializer_list<int> cards) {
      std::vector<std::string> v;
      for (int c : cards) v.push_back(std::to_string(c));
      return v;
    };
    std::vector<std::string> want = names({H(3), H(2), H(1), H(5), H(4), H(7), H(6)});
    const std::vector<std::string> deal =
        pileMajor ? names({H(5), H(6), H(3), H(4), H(2), H(1), H(7)})
                  : names({H(5), H(4), H(7), H(6), H(2), H(3), H(1)});
    want.insert(want.end(), deal.begin(), deal.end());
    EXPECT_EQ(flights, want);
    ASSERT_EQ(fakes.counter.updates.size(), 28u);
    EXPECT_EQ(fakes.counter.updates[0], (std::vector<int>{H(3), 4, 2, 0}));
    EXPECT_EQ(fakes.counter.updates[1], (std::vector<int>{H(3), 1, 1, 1}));
    EXPECT_EQ(fakes.counter.updates[14], (std::vector<int>{H(5), 1, 2, 0}));
    EXPECT_EQ(fakes.counter.updates[15], (std::vector<int>{H(5), 4, 1, 1}));
  }
}

class KingRun : public PlayTest {
 protected:
  void Foundations(int code) {
    for (int f = 0; f < 4; ++f) ctx.GameRules.FoundationBase(f) = static_cast<int16_t>(code);
  }
};

// Thirteen cards of one suit, King first (bottom).
std::vector<int> SuitRun(int suitBase, int from = 13) {
  std::vector<int> run;
  for (int r = from; r >= 1; --r) run.push_back(suitBase + r);
  return run;
}

// King of spades, Queen of hearts, ... alternate colours down to the Ace.
std::vector<int> AlternateRun() {
  std::vector<int> run;
  for (int r = 13; r >= 1; --r) run.push_back(r % 2 ? S(r) : H(r));
  return run;
}

// Mixed suits of one colour: hearts and diamonds in turn.
std::vector<int> RedRun() {
  std::vector<int> run;
  for (int r = 13; r >= 1; --r) run.push_back(r % 2 ? H(r) : D(r));
  return run;
}

TEST_F(KingRun, CompletedRunLeavesByFoundationCodeAndTableauRule) {
  struct Case {
    const char* name;
    int code, rule;
    std::vector<int> run;  // King first; the last card (the Ace) is played onto the rest
    int downAt;            // index in run of a face-down card, or -1
    bool firstFoundationTaken;
    int foundation;  // 0-based target, -1 for none
  };
  const std::vector<int> hearts = SuitRun(0), alternate = AlternateRun(), red = RedRun();
  const Case cases[] = {
      {"one suit, rule 0, code 82", 82, 0, hearts, -1, false, 0},
      {"to the first empty one", 82, 0, hearts, -1, true, 1},
      {"alternate colours, rule 3, code 82", 82, 3, alternate, -1, false, 0},
      {"alternate colours, rule 0, code 82", 82, 0, alternate, -1, false, -1},
      {"one suit, rule 3, code 82", 82, 3, hearts, -1, false, -1},
      {"one colour, any-suit rule, code 82", 82, 2, red, -1, false, 0},
      {"one suit, code 83", 83, 2, hearts, -1, false, 0},
      {"one colour, code 83", 83, 2, red, -1, false, -1},
      {"a face-down card in the run", 82, 0, hearts, 5, false, -1},
      {"ordinary foundations", 1, 0, hearts, -1, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Foundations(c.code);
    ctx.GameRules.TableauRule(0) = static_cast<int16_t>(c.rule);
    for (auto& pile : ctx.DestPiles) pile.clear();
    for (auto& pile : ctx.FilaPiles) pile.clear();
    if (c.firstFoundationTaken) Lay(ctx.DestPiles, 0, {C(1)});
    std::string rest;
    for (size_t k = 0; k + 1 < c.run.size(); ++k) {
      rest += CardCodeText(c.run[k]);
      SetCardFace(ctx, c.run[k], static_cast<int>(k) == c.downAt ? "0" : "1");
    }
    ctx.FilaPiles[0] = rest;
    const int ace = c.run.back();
    Lay(ctx.FilaPiles, 3, {ace});
    const std::string before = Snapshot();
    const int depth = UndoDepth(ctx);
    ASSERT_TRUE(PlayToPile(ctx, ace, "Fila1"));
    if (c.foundation < 0) {
      EXPECT_EQ(PileCardCount(ctx.FilaPiles[0]), 13);
      continue;
    }
    EXPECT_TRUE(ctx.FilaPiles[0].empty());
    std::string want;
    for (auto it = c.run.rbegin(); it != c.run.rend(); ++it) want += CardCodeText(*it);
    EXPECT_EQ(ctx.DestPiles[static_cast<size_t>(c.foundation)], want) << "Ace first";
    EXPECT_TRUE(ctx.TfrmMain.GameWon);
    EXPECT_EQ(UndoDepth(ctx), depth + 1) << "one step with the move";
    ASSERT_TRUE(UndoRedo(ctx, true, false));
    EXPECT_EQ(Snapshot(), before);
  }
}

TEST_F(KingRun, TwelveCardsOrNoEmptyFoundationStay) {
  Foundations(83);
  const std::vector<int> twelve = SuitRun(0, 12);
  std::string pile;
  for (int c : twelve) pile += CardCodeText(c);
  ctx.FilaPiles[0] = pile;
  for (int c : twelve) SetCardFace(ctx, c, "1");
  EXPECT_FALSE(CheckKingRunToFoundation(ctx, 0));
  ctx.FilaPiles[0] = CardCodeText(H(13)) + pile;
  SetCardFace(ctx, H(13), "1");
  for (int f = 0; f < 4; ++f) Lay(ctx.DestPiles, f, {S(f + 1)});
  EXPECT_FALSE(CheckKingRunToFoundation(ctx, 0));
  ctx.DestPiles[2].clear();
  EXPECT_TRUE(CheckKingRunToFoundation(ctx, 0));
  EXPECT_EQ(PileCardCount(ctx.DestPiles[2]), 13);
  EXPECT_FALSE(CheckKingRunToFoundation(ctx, -1));
  EXPECT_FALSE(CheckKingRunToFoundation(ctx, kMaxTableaus));
}

TEST_F(KingRun, RunUncoveredOnTheSourcePileLeavesToo) {
  Foundations(83);
  std::string pile;
  for (int c : SuitRun(13)) pile += CardCodeText(c);
  for (int c : SuitRun(13)) SetCardFace(ctx, c, "1");
  ctx.FilaPiles[0] = pile + CardCodeText(C(9));
  SetCardFace(ctx, C(9), "1");
  const std::string before = Snapshot();
  ASSERT_TRUE(PlayToPile(ctx, C(9), "Fila2"));
  EXPECT_TRUE(ctx.FilaPiles[0].empty());
  EXPECT_EQ(PileCardCount(ctx.DestPiles[0]), 13);
  EXPECT_FALSE(ctx.TfrmMain.GameWon) << "the Nine is still out";
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(KingRun, UncoveredCardTurnsUpAsItsOwnStepAndAFoundationOffTheTableGoesToTheDiscard) {
  Foundations(82);
  ctx.GameRules.TableauRule(0) = 0;
  ctx.FoundationX[0] = kUnusedFoundation;
  std::vector<int> run = SuitRun(39);
  std::string pile = CardCodeText(C(5));
  SetCardFace(ctx, C(5), "0");
  for (size_t k = 0; k + 1 < run.size(); ++k) {
    pile += CardCodeText(run[k]);
    SetCardFace(ctx, run[k], "1");
  }
  ctx.FilaPiles[0] = pile;
  Lay(ctx.AppoggPiles, 0, {S(1)});
  const std::string before = Snapshot();
  ASSERT_TRUE(PlayToPile(ctx, S(1), "Fila1"));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(5)}));
  EXPECT_TRUE(IsFaceUp(ctx, C(5)));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[2]), 13);
  EXPECT_EQ(TopCard(ctx.MazzoPiles[2]), S(13));
  EXPECT_TRUE(ctx.DestPiles[0].empty());
  EXPECT_EQ(UndoDepth(ctx), 2);
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_FALSE(IsFaceUp(ctx, C(5)));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(Snapshot(), before);
}

}  // namespace
}  // namespace tw
