#include "engine/autoplay.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/cards.h"
#include "engine/executor.h"
#include "engine/undo.h"
#include "tests/engine/play_fixture.h"

namespace tw {
namespace {

using namespace testing;

using Autoplay = PlayTest;

TEST_F(Autoplay, WinTestPerGameKind) {
  struct Case {
    const char* what;
    int kind;
    std::function<void(GameContext&)> lay;
    bool won;
  };
  auto pile = [](StringList& list, int i, std::initializer_list<int> cards) {
    list[static_cast<size_t>(i)] = Pile(cards);
  };
  const Case cases[] = {
      {"foundations and third slot only", 0,
       [&](GameContext& c) {
         pile(c.DestPiles, 0, {H(1), H(2)});
         pile(c.MazzoPiles, 2, {S(4)});
       },
       true},
      {"a stock card", 0, [&](GameContext& c) { pile(c.MazzoPiles, 0, {S(4)}); }, false},
      {"a waste card", 0, [&](GameContext& c) { pile(c.MazzoPiles, 1, {S(4)}); }, false},
      {"a tableau card", 0, [&](GameContext& c) { pile(c.FilaPiles, 3, {S(4)}); }, false},
      {"a reserve card", 0, [&](GameContext& c) { pile(c.AppoggPiles, 1, {S(4)}); }, false},
      {"a card on an unused reserve", 0, [&](GameContext& c) { pile(c.AppoggPiles, 5, {S(4)}); },
       true},
      {"holes only", 4,
       [&](GameContext& c) {
         pile(c.FilaPiles, 0, {0, 0});
       },
       true},
      {"a pyramid card", 4,
       [&](GameContext& c) {
         pile(c.FilaPiles, 0, {0, S(4)});
       },
       false},
      {"holes in another kind", 0, [&](GameContext& c) { pile(c.FilaPiles, 0, {0}); }, false},
      {"full grid", 9,
       [&](GameContext& c) {
         for (int i = 0; i < 4; ++i) pile(c.FilaPiles, i, {S(i + 1)});
         pile(c.MazzoPiles, 0, {H(5)});
       },
       true},
      {"grid gap", 9,
       [&](GameContext& c) {
         for (int i = 0; i < 3; ++i) pile(c.FilaPiles, i, {S(i + 1)});
       },
       false},
      {"row of four", 21,
       [&](GameContext& c) {
         pile(c.FilaPiles, 0, {S(1), 0, S(3), S(4)});
       },
       true},
      {"row of five", 22,
       [&](GameContext& c) {
         pile(c.FilaPiles, 0, {S(1), S(2), S(3), S(4), S(5)});
       },
       false},
      {"row with stock", 21,
       [&](GameContext& c) {
         pile(c.FilaPiles, 0, {S(1)});
         pile(c.MazzoPiles, 0, {S(2)});
       },
       false},
      {"one King each", 27,
       [&](GameContext& c) {
         for (int i = 0; i < 4; ++i) pile(c.FilaPiles, i, {13 * i + 13});
         pile(c.MazzoPiles, 0, {H(5)});
       },
       true},
      {"a King and another card", 27,
       [&](GameContext& c) {
         for (int i = 0; i < 4; ++i) pile(c.FilaPiles, i, {13 * i + 13});
         pile(c.FilaPiles, 2, {C(13), C(2)});
       },
       false},
      {"a Queen alone", 27,
       [&](GameContext& c) {
         for (int i = 0; i < 4; ++i) pile(c.FilaPiles, i, {13 * i + 13});
         pile(c.FilaPiles, 1, {D(12)});
       },
       false},
  };
  for (const Case& c : cases) {
    for (StringList* list : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles}) {
      for (std::string& p : *list) p.clear();
    }
    ctx.GameRules.GameKind() = static_cast<int16_t>(c.kind);
    c.lay(ctx);
    EXPECT_EQ(IsGameWon(ctx), c.won) << c.what;
  }
}

TEST_F(Autoplay, OffDoesNothing) {
  Lay(ctx.FilaPiles, 0, {H(1)});
  EXPECT_FALSE(AutoPlay(ctx));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(1)}));
}

TEST_F(Autoplay, PlaysEveryReachableCardAndEndsAWonDeal) {
  ctx.TfrmMain.AutoPlayOn = 1;
  Lay(ctx.FilaPiles, 0, {H(3), H(1)}, 1);  // the 3 face down
  Lay(ctx.MazzoPiles, 1, {H(2)});
  Lay(ctx.AppoggPiles, 1, {D(1)});
  EXPECT_TRUE(AutoPlay(ctx));
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1), H(2), H(3)}));
  EXPECT_EQ(ctx.DestPiles[1], Pile({D(1)}));
  EXPECT_EQ(Sounds("Autoplay.wav"), 4);
  EXPECT_TRUE(ctx.TfrmMain.GameWon);
  EXPECT_EQ(flow.gameOvers, 1);
  // Undo: the 3 went last, after its own face-up step.
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(3)}));
  EXPECT_TRUE(IsFaceUp(ctx, H(3)));
  ASSERT_TRUE(UndoRedo(ctx, true, false));
  EXPECT_FALSE(IsFaceUp(ctx, H(3)));
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1), H(2)}));
}

TEST_F(Autoplay, FaceDownTopsStayDownWithoutAutomaticFaceUp) {
  ctx.TfrmMain.AutoPlayOn = 1;
  ctx.SetCfg(cfg::Automatic_FaceUp, "N");
  Lay(ctx.FilaPiles, 0, {H(1)}, 1);
  EXPECT_FALSE(AutoPlay(ctx));
  EXPECT_FALSE(IsFaceUp(ctx, H(1)));
  ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
  EXPECT_TRUE(AutoPlay(ctx));
  EXPECT_EQ(ctx.DestPiles[0], Pile({H(1)}));
  EXPECT_EQ(flow.gameOvers, 1);
}

TEST_F(Autoplay, StopFlagEndsThePasses) {
  ctx.TfrmMain.AutoPlayOn = 1;
  Lay(ctx.FilaPiles, 0, {H(1)});
  Lay(ctx.FilaPiles, 1, {D(1)});
  struct StopAfterFirst : DirectDrop {
    bool DropOnPile(GameContext& c, int card, int kind, int index, bool autoplay) override {
      const bool moved = DirectDrop::DropOnPile(c, card, kind, index, autoplay);
      if (moved) c.TfrmMain.StopAutoPlay = 1;
      return moved;
    }
  } stopper;
  fakes.ports.Drop = &stopper;
  EXPECT_TRUE(AutoPlay(ctx));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({D(1)}));
  EXPECT_EQ(ctx.TfrmMain.StopAutoPlay, 0);
}

}  // namespace
}  // namespace tw
