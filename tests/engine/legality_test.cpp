#include "engine/legality.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/build_rules.h"
#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::EngineTest;
using testing::Pile;
using testing::H;
using testing::D;
using testing::C;
using testing::S;


// Four foundations built up in suit from the Ace, eight tableau piles built
// down in alternate colours with any card on a space, four free cells.
class Legality : public EngineTest {
 protected:
  Legality() {
    GameRulesRecord& r = ctx.GameRules;
    r.CardCount() = 52;
    r.FoundationCount() = 4;
    r.TableauCount() = 8;
    r.ReserveCount() = 4;
    r.FoundationMaxCards() = 13;
    for (int i = 0; i < 4; ++i) {
      r.FoundationBase(i) = 1;
      r.FoundationDirection(i) = 1;
      r.FoundationRule(i) = 0;
    }
    for (int i = 0; i < 8; ++i) {
      r.TableauStart(i) = -1;
      r.TableauDirection(i) = 0;
      r.TableauRule(i) = 3;
      r.TableauWrap(i) = 0;
    }
    for (int i = 0; i < kMaxFoundations; ++i) {
      ctx.FoundationX[static_cast<size_t>(i)] = i < 4 ? 100 * i : kUnusedFoundation;
    }
    for (int i = 0; i < kMaxReserves; ++i) {
      ctx.ReserveX[static_cast<size_t>(i)] = i < 4 ? 100 * i : kUnusedReserve;
    }
  }
};

// With the card locations indexed, runs are looked for on the pile the index
// names; they must be the runs the full search finds, also for a card that
// lies twice (on the stock or a foundation first) or past the used piles.
TEST_F(Legality, RunsFoundThroughTheLocationIndexMatchTheSearch) {
  Lay(ctx.MazzoPiles, 0, {H(5), D(2)});
  Lay(ctx.DestPiles, 0, {H(1), H(2)});
  Lay(ctx.FilaPiles, 0, {S(9), H(8), C(7)});
  Lay(ctx.FilaPiles, 3, {D(2), H(2), S(6)});
  Lay(ctx.FilaPiles, 9, {C(3)});  // past TableauCount
  Lay(ctx.AppoggPiles, 1, {H(5), D(9)});
  Lay(ctx.AppoggPiles, 6, {C(4)});  // past ReserveCount
  std::vector<std::vector<int>> searched;
  for (int card = 0; card <= 120; ++card) searched.push_back(RunOfCard(ctx, card));
  CardLocationIndex index;
  ctx.CardLocations = &index;
  for (int card = 0; card <= 120; ++card) {
    EXPECT_EQ(RunOfCard(ctx, card), searched[static_cast<size_t>(card)]) << card;
  }
  ctx.CardLocations = nullptr;
  EXPECT_EQ(searched[static_cast<size_t>(D(2))], (std::vector<int>{D(2), H(2), S(6)}));
  EXPECT_EQ(searched[static_cast<size_t>(D(9))], (std::vector<int>{D(9)}));
}

TEST_F(Legality, FoundationsTakeSingleCardsOnly) {
  Lay(ctx.FilaPiles, 0, {S(9), H(1)});
  EXPECT_TRUE(CanDropOnPile(ctx, H(1), "Dest1"));
  EXPECT_FALSE(CanDropOnPile(ctx, S(9), "Dest1"));
  SetLiftedCards(ctx, 2);
  EXPECT_FALSE(CanDropOnPile(ctx, H(1), "Dest1"));
  for (const char* name : {"Appogg1", "Appogg2"}) EXPECT_FALSE(CanDropOnPile(ctx, H(1), name));
}

TEST_F(Legality, FoundationLimitsAndOddNames) {
  ctx.GameRules.FoundationMaxCards() = 2;
  Lay(ctx.DestPiles, 0, {H(1), H(2)});
  EXPECT_FALSE(CanDropOnPile(ctx, H(3), "Dest1"));
  ctx.GameRules.FoundationMaxCards() = 0;  // a column that forgot the limit
  EXPECT_FALSE(CanDropOnPile(ctx, D(1), "Dest2"));
  ctx.GameRules.FoundationMaxCards() = 13;
  EXPECT_TRUE(CanDropOnPile(ctx, D(1), "Dest2"));
  for (const char* name : {"Dest0", "Dest17", "Dest", "Destx", "Dest123", "Mazzo", "Stock02",
                           "Fila27", "Appogg9", ""}) {
    EXPECT_FALSE(CanDropOnPile(ctx, D(1), name)) << name;
  }
}

TEST_F(Legality, Rules20And29BuildPastTheFoundationLimit) {
  std::string thirteen;
  for (int rank = 1; rank <= 13; ++rank) thirteen += CardCodeText(S(rank));
  ctx.DestPiles[0] = thirteen;
  ctx.GameRules.FoundationRule(0) = 29;
  ctx.GameRules.FoundationBase(0) = 81;
  EXPECT_TRUE(CanDropOnPile(ctx, S(13) + 52, "Dest1"));
  ctx.GameRules.FoundationRule(0) = 20;
  EXPECT_TRUE(CanDropOnPile(ctx, H(1), "Dest1"));
  ctx.DestPiles[0].clear();
  for (int k = 0; k < 4; ++k) ctx.DestPiles[0] += thirteen;  // 52 cards
  EXPECT_FALSE(CanDropOnPile(ctx, H(1), "Dest1"));
  ctx.GameRules.FoundationRule(0) = 0;
  ctx.DestPiles[0] = thirteen;
  EXPECT_FALSE(CanDropOnPile(ctx, H(1), "Dest1"));
}

TEST_F(Legality, FoundationRules10And22) {
  ctx.GameRules.FoundationRule(0) = 10;
  EXPECT_TRUE(CanDropOnPile(ctx, S(12), "Dest1"));
  EXPECT_FALSE(CanDropOnPile(ctx, S(11), "Dest1"));
  Lay(ctx.DestPiles, 0, {H(12)});
  EXPECT_FALSE(CanDropOnPile(ctx, S(12), "Dest1"));

  ctx.GameRules.FoundationRule(1) = 22;
  EXPECT_TRUE(CanDropOnPile(ctx, C(1), "Dest2"));
  EXPECT_FALSE(CanDropOnPile(ctx, C(5), "Dest2"));
  Lay(ctx.FilaPiles, 3, {C(4)});
  EXPECT_FALSE(CanDropOnPile(ctx, C(5), "Dest2"));
  Lay(ctx.FilaPiles, 4, {C(9)});
  EXPECT_TRUE(CanDropOnPile(ctx, C(5), "Dest2"));
  Lay(ctx.FilaPiles, 4, {C(1)});
  EXPECT_TRUE(CanDropOnPile(ctx, C(5), "Dest2"));
}

TEST_F(Legality, BatchGamesSendTableauCardsHomeOnlyAtABatchBoundary) {
  ctx.GameRules.GameKind() = 23;
  Lay(ctx.FilaPiles, 0, {H(1)});
  Lay(ctx.MazzoPiles, 1, {S(2), S(3)});
  ctx.UndoLog = "001,";
  EXPECT_FALSE(CanDropOnPile(ctx, H(1), "Dest1"));
  bool boundary = true;
  EXPECT_EQ(BatchRemaining(ctx, boundary), 2);
  EXPECT_FALSE(boundary);
  ctx.UndoLog.clear();
  for (int k = 0; k < 20; ++k) ctx.UndoLog += "001,";
  EXPECT_TRUE(CanDropOnPile(ctx, H(1), "Dest1"));
  ctx.UndoLog = "001,";
  ctx.MazzoPiles[1].clear();
  EXPECT_TRUE(CanDropOnPile(ctx, H(1), "Dest1"));
}

TEST_F(Legality, ReserveKinds) {
  struct Case {
    int kind;
    int reserve1Cards;  // cards already on reserve 1
    bool targetEmpty;   // reserve 2 empty
    int card;
    bool expected;
  };
  const Case cases[] = {
      {4, 0, true, S(5), false},  {8, 2, false, S(13), true}, {8, 3, true, S(13), false},
      {8, 0, true, S(12), false}, {13, 4, false, S(5), true}, {13, 5, true, S(5), false},
      {9, 0, true, S(11), true},  {9, 0, true, S(10), false}, {9, 0, false, S(12), false},
      {0, 0, true, S(5), true},   {0, 0, false, S(5), false},
  };
  for (const Case& c : cases) {
    ctx.GameRules.ReserveKind(1) = static_cast<int16_t>(c.kind);
    ctx.AppoggPiles[0].clear();
    for (int k = 0; k < c.reserve1Cards; ++k) ctx.AppoggPiles[0] += CardCodeText(H(k + 1));
    ctx.AppoggPiles[1] = c.targetEmpty ? "" : Pile({D(9)});
    SetLiftedCards(ctx, 1);
    EXPECT_EQ(CanDropOnPile(ctx, c.card, "Appogg2"), c.expected)
        << "kind " << c.kind << " reserve 1 holds " << c.reserve1Cards;
    SetLiftedCards(ctx, 2);
    EXPECT_FALSE(CanDropOnPile(ctx, c.card, "Appogg2")) << "a run, kind " << c.kind;
  }
}

TEST_F(Legality, TableauDrops) {
  Lay(ctx.FilaPiles, 0, {S(9), H(8)});
  Lay(ctx.FilaPiles, 1, {C(6), D(7)}, 2);  // face down
  Lay(ctx.FilaPiles, 2, {S(8)});
  EXPECT_TRUE(CanDropOnPile(ctx, C(7), "Fila1"));
  EXPECT_FALSE(CanDropOnPile(ctx, D(7), "Fila1"));
  EXPECT_FALSE(CanDropOnPile(ctx, C(6), "Fila2")) << "face-down top";
  EXPECT_TRUE(CanDropOnPile(ctx, C(6), "Fila4")) << "any card on a space";
  ctx.GameRules.TableauStart(3) = 13;
  EXPECT_FALSE(CanDropOnPile(ctx, C(6), "Fila4"));
  EXPECT_TRUE(CanDropOnPile(ctx, C(13), "Fila4"));
}

TEST_F(Legality, ARunIsRefusedOnItsOwnSourcePile) {
  Lay(ctx.FilaPiles, 0, {S(9), H(8), C(7)});
  Lay(ctx.FilaPiles, 2, {S(9) + 52});
  ctx.GameRules.MaxMoveCards() = -1;
  ctx.GameRules.TableauRule(0) = 12;  // pile 1 takes anything
  ASSERT_TRUE(RunLengthAllowed(ctx, H(8), false));
  EXPECT_EQ(ctx.GameState.RunLastCard(), C(7));
  SetLiftedCards(ctx, 2);
  EXPECT_TRUE(CanDropOnPile(ctx, H(8), "Fila3"));
  EXPECT_FALSE(CanDropOnPile(ctx, H(8), "Fila1")) << "the run's own pile";
  ctx.GameState.RunLastCard() = 0;
  EXPECT_TRUE(CanDropOnPile(ctx, H(8), "Fila1"));
  // No run measured: an empty pile is not mistaken for the source.
  EXPECT_TRUE(CanDropOnPile(ctx, H(8), "Fila4"));
}

TEST_F(Legality, RunMoveRulesCheckEveryPairOfTheRun) {
  Lay(ctx.FilaPiles, 0, {S(10), H(9), C(8), D(7)});
  Lay(ctx.FilaPiles, 1, {H(10), D(9), S(8)});  // D9 on H10 breaks colours
  Lay(ctx.FilaPiles, 2, {C(10)});
  SetLiftedCards(ctx, 3);
  ctx.GameRules.RunMoveRule() = 1;
  EXPECT_TRUE(IsValidRun(ctx, H(9), 2));
  EXPECT_TRUE(CanDropOnPile(ctx, H(9), "Fila3"));
  EXPECT_FALSE(IsValidRun(ctx, H(10), 2));
  EXPECT_TRUE(IsValidRun(ctx, D(7), 2)) << "a single card";
  ctx.GameRules.RunMoveRule() = 10;  // same suit
  EXPECT_FALSE(IsValidRun(ctx, H(9), 2));
  ctx.GameRules.RunMoveRule() = 0;
  EXPECT_TRUE(IsValidRun(ctx, H(10), 2));
}

TEST_F(Legality, Rule34RefusesRunsOnBuiltPiles) {
  ctx.GameRules.TableauRule(2) = 34;
  Lay(ctx.FilaPiles, 0, {S(9), H(8), C(7)});
  Lay(ctx.FilaPiles, 2, {C(9)});
  SetLiftedCards(ctx, 1);
  EXPECT_FALSE(CanDropOnPile(ctx, C(7), "Fila3"));
  EXPECT_TRUE(CanDropOnPile(ctx, H(8), "Fila3"));
  SetLiftedCards(ctx, 2);
  EXPECT_FALSE(CanDropOnPile(ctx, H(8), "Fila3"));
}

TEST_F(Legality, RunLengthFormulas) {
  struct Case {
    int m;
    int run;       // cards in the run
    int emptyTab;  // empty tableau piles
    int emptyRes;  // empty reserves
    bool toEmpty;
    bool expected;
  };
  const Case cases[] = {
      {-1, 12, 0, 0, false, true}, {-12, 1, 0, 0, false, true}, {-12, 3, 0, 0, false, false},
      {0, 1, 0, 0, false, false},  {3, 3, 0, 0, false, true},   {3, 4, 0, 0, false, false},
      {-5, 3, 0, 2, false, true},  {-5, 4, 0, 2, false, false}, {-5, 4, 1, 2, false, true},
      {-5, 4, 1, 2, true, false},  {-5, 3, 1, 2, true, true},   {-6, 3, 0, 2, false, true},
      {-6, 4, 1, 2, false, false}, {-6, 3, 1, 2, true, true},   {-2, 1, 0, 0, false, true},
      {-2, 2, 0, 0, false, false}, {-2, 3, 3, 0, false, true},
  };
  for (const Case& c : cases) {
    ctx.GameRules.MaxMoveCards() = static_cast<int16_t>(c.m);
    // The run: the bottom card is a Queen, so -12 needs n = 1.
    std::string run;
    for (int k = 0; k < c.run; ++k) run += CardCodeText(S(12) - k);
    ctx.FilaPiles[0] = run;
    for (int p = 1; p < 8; ++p) {
      ctx.FilaPiles[static_cast<size_t>(p)] = p <= c.emptyTab ? "" : Pile({D(1)});
    }
    for (int p = 0; p < 4; ++p) {
      ctx.AppoggPiles[static_cast<size_t>(p)] = p < c.emptyRes ? "" : Pile({D(2)});
    }
    EXPECT_EQ(RunLengthAllowed(ctx, S(12), c.toEmpty), c.expected)
        << "m " << c.m << " n " << c.run << " E " << c.emptyTab << " R " << c.emptyRes
        << " toEmpty " << c.toEmpty;
  }
  // -12: a King at the bottom lifts its whole run.
  ctx.GameRules.MaxMoveCards() = -12;
  ctx.FilaPiles[0] = Pile({S(13), H(12), S(11)});
  EXPECT_TRUE(RunLengthAllowed(ctx, S(13), false));
}

TEST_F(Legality, FourCardRunWithTwoCellsAndOneSpace) {
  // -5 with two free cells and one space: four cards lift and go onto a
  // built pile, but only three may go onto the space.
  ctx.GameRules.MaxMoveCards() = -5;
  Lay(ctx.FilaPiles, 0, {S(10), H(9), C(8), D(7), S(6)});
  Lay(ctx.FilaPiles, 1, {D(10)});
  for (int p = 2; p < 7; ++p) Lay(ctx.FilaPiles, p, {H(1) + p});
  Lay(ctx.AppoggPiles, 0, {H(13)});
  Lay(ctx.AppoggPiles, 1, {D(13)});
  ASSERT_TRUE(RunLengthAllowed(ctx, H(9), false));
  SetLiftedCards(ctx, 4);
  EXPECT_FALSE(CanDropOnPile(ctx, H(9), "Fila2")) << "colours";
  ctx.FilaPiles[1] = Pile({C(10)});
  SetCardFace(ctx, C(10), "1");
  EXPECT_TRUE(CanDropOnPile(ctx, H(9), "Fila2"));
  EXPECT_FALSE(CanDropOnPile(ctx, H(9), "Fila8"));
  ASSERT_TRUE(RunLengthAllowed(ctx, C(8), false));
  SetLiftedCards(ctx, 3);
  EXPECT_TRUE(CanDropOnPile(ctx, C(8), "Fila8"));
}

bool AcceptLegal(GameContext& ctx, int card, int kind, int index) {
  return CanDropOnPile(ctx, card, (kind == 5 ? "Dest" : "Appogg") + std::to_string(index + 1));
}

TEST_F(Legality, SendCardToFoundationTriesFoundationsThenReserves) {
  fakes.drop.accept = AcceptLegal;
  Lay(ctx.FilaPiles, 0, {S(9), D(1)});
  Lay(ctx.DestPiles, 0, {H(1)});
  ctx.CardHeight = 96;
  ctx.CardWidth = 71;
  EXPECT_TRUE(SendCardToFoundation(ctx, D(1), 10, 20, 71, 96, true, false));
  ASSERT_EQ(fakes.drop.offers.size(), 2u);
  EXPECT_EQ(fakes.drop.offers[0].kind, 5);
  EXPECT_EQ(fakes.drop.offers[0].index, 0);
  EXPECT_EQ(fakes.drop.offers[1].index, 1);
  EXPECT_EQ(ctx.TfrmMain.DragHeight, 96);
  EXPECT_EQ(ctx.TfrmMain.DragRect.Right, 81);
  EXPECT_EQ(ctx.TfrmMain.DragRect.Bottom, 116);
  EXPECT_EQ(ctx.TfrmMain.DragImageRect.Bottom, 96);
  EXPECT_EQ(ctx.GameState.MovingCard(), 0);
  EXPECT_EQ(ctx.GameState.RunLastCard(), 0);

  // A card no foundation takes goes to the first empty reserve, used ones only.
  fakes.drop.offers.clear();
  Lay(ctx.FilaPiles, 1, {S(7)});
  Lay(ctx.AppoggPiles, 0, {H(13)});
  EXPECT_TRUE(SendCardToFoundation(ctx, S(7), 0, 0, 71, 96, true, false));
  ASSERT_EQ(fakes.drop.offers.size(), 6u);
  EXPECT_EQ(fakes.drop.offers[4].kind, 6);
  EXPECT_EQ(fakes.drop.offers[4].index, 0);
  EXPECT_EQ(fakes.drop.offers[5].index, 1);

  // Autoplay stays off the reserves.
  fakes.drop.offers.clear();
  EXPECT_FALSE(SendCardToFoundation(ctx, S(7), 0, 0, 71, 96, false, true));
  EXPECT_EQ(fakes.drop.offers.size(), 4u);
  EXPECT_TRUE(fakes.drop.offers[0].autoplay);
}

TEST_F(Legality, SendCardToFoundationSkipsUnusedPilesAndFaceDownCards) {
  Lay(ctx.FilaPiles, 0, {D(1)}, 1);
  EXPECT_FALSE(SendCardToFoundation(ctx, D(1), 0, 0, 71, 96, true, false));
  EXPECT_TRUE(fakes.drop.offers.empty());
  SetCardFace(ctx, D(1), "1");
  ctx.FoundationX[2] = kUnusedFoundation;
  SendCardToFoundation(ctx, D(1), 0, 0, 71, 96, false, false);
  ASSERT_EQ(fakes.drop.offers.size(), 3u);
  EXPECT_EQ(fakes.drop.offers[2].index, 3);
}

TEST_F(Legality, AutoplayLeavesSharedStartFoundationsAlone) {
  for (int i = 0; i < 4; ++i) ctx.GameRules.FoundationBase(i) = 92;
  Lay(ctx.FilaPiles, 0, {D(5)});
  SendCardToFoundation(ctx, D(5), 0, 0, 71, 96, false, true);
  EXPECT_TRUE(fakes.drop.offers.empty());
  SendCardToFoundation(ctx, D(5), 0, 0, 71, 96, false, false);
  EXPECT_EQ(fakes.drop.offers.size(), 4u) << "a double-click still tries them";
  fakes.drop.offers.clear();
  Lay(ctx.DestPiles, 2, {C(5)});
  SendCardToFoundation(ctx, D(5), 0, 0, 71, 96, false, true);
  EXPECT_EQ(fakes.drop.offers.size(), 4u);
}

TEST_F(Legality, RowRunAndRowEnds) {
  ctx.GameRules.GameKind() = 22;
  // Row: H12 S3 D4 C9 H5 ; selection D4 C9 (contiguous).
  ctx.FilaPiles[0] = Pile({H(12), S(3), D(4), C(9), H(5), S(12)});
  ctx.DestPiles[0] = Pile({D(4), C(9)});
  EXPECT_TRUE(RowRunOnFoundation(ctx));
  // first = D4's place - 2 = H12, last = C9's place + 2 = S12: same rank.
  EXPECT_TRUE(RowEndsMatch(ctx));
  ctx.DestPiles[0] = Pile({D(4), H(5)});  // C9 between them
  EXPECT_FALSE(RowRunOnFoundation(ctx));
  ctx.DestPiles[0].clear();
  EXPECT_TRUE(RowRunOnFoundation(ctx));
  EXPECT_FALSE(RowEndsMatch(ctx));
  ctx.DestPiles[0] = Pile({H(12)});
  EXPECT_FALSE(RowEndsMatch(ctx)) << "nothing before the row";
  ctx.GameRules.GameKind() = 0;
  ctx.DestPiles[0] = Pile({D(4), C(9)});
  EXPECT_FALSE(RowEndsMatch(ctx));
}

}  // namespace
}  // namespace tw
