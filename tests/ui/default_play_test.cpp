// Play with the shipped preferences (animations, shadows, autoplay, sounds
// looked up): every mouse move keeps each card on the table exactly once.
#include <gtest/gtest.h>

#include <map>

#include "core/cards.h"
#include "engine/random_player.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

class DefaultPlayTest : public WindowTest {
 protected:
  std::vector<std::string> ExtraPreferences() override {
    return {"Cards_Animate=Y", "Deal_Animation=Y", "Cards_Shadowed=Y", "AutoPlay=Y",
            "Speed_Move_Card=10"};
  }
  // Every card code of the deck once over all piles.
  void ExpectWholeDeck(int cards) {
    std::map<int, int> seen;
    for (const StringList* list :
         {&ctx().MazzoPiles, &ctx().DestPiles, &ctx().FilaPiles, &ctx().AppoggPiles}) {
      for (const std::string& pile : *list) {
        for (int k = 0; k < PileCardCount(pile); ++k) ++seen[PileCardAt(pile, k)];
      }
    }
    EXPECT_EQ(static_cast<int>(seen.size()), cards);
    for (const auto& [card, n] : seen) EXPECT_EQ(n, 1) << "card " << card;
  }
};

TEST_F(DefaultPlayTest, MouseMovesKeepTheDeckWhole) {
  struct Game {
    int number;
    const char* deal;
  } games[] = {{1, "11"}, {0, "12"}};
  for (const Game& g : games) {
    Deal(g.number, g.deal);
    ExpectWholeDeck(52);
    uint32_t chance = 12345;
    const QPoint stock(ctx().GetStockX(0) + 30, ctx().GetStockY(0) + 30);
    for (int step = 0; step < 40 && ctx().TfrmMain.GameInProgress; ++step) {
      const std::vector<PlayerMove> moves = LegalDrops(ctx());
      chance = chance * 1103515245u + 12345u;
      if (moves.empty() || (ctx().GameRules.HasStock() && chance % 4 == 0)) {
        if (!ctx().GameRules.HasStock()) break;
        Click(stock);
      } else {
        const PlayerMove& m = moves[(chance >> 8) % moves.size()];
        const QPoint from = Grip(m.card);
        int index = 0;
        ParsePileName(m.target, index);
        const QPoint to(CardLeftX(ctx(), m.target, index, 0, true),
                        CardTopY(ctx(), m.target, index, 0, true));
        Drag(from, to + Offset(m.card, from));
      }
      QApplication::processEvents();
      SCOPED_TRACE("game " + std::to_string(g.number) + " step " + std::to_string(step));
      ExpectWholeDeck(52);
      EXPECT_EQ(ctx().GameState.MovingCard(), 0);
      EXPECT_EQ(ctx().TfrmMain.BusyDepth, 0);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace tw::testing
