// A random player on the mouse handlers: presses, drags, double-clicks and
// right-button peeks anywhere on the table of several games. After every
// gesture each card lies exactly once on the table, nothing is left lifted,
// no input guard is left on, and the window shows the table picture.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "engine/newgame.h"
#include "tests/view/play_fixture.h"

namespace tw {
namespace {

using testing::PlayTest;

class RandomPlayTest : public PlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(RandomPlayTest, GesturesKeepTheTableWhole) {
  ctx.SetCfg(cfg::Cards_Shadowed, "Y");
  ctx.SetCfg(cfg::Piles_TT, "Y");
  Start(GetParam(), "7");
  ctx.TfrmMain.AutoPlayOn = 1;
  const int cards = CardCount();
  std::mt19937 rng(12345u + static_cast<unsigned>(GetParam()));
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  // Mostly points on cards, sometimes anywhere.
  auto somewhere = [&] {
    if (pick(4) == 0) return QPoint(pick(1024), pick(720));
    std::vector<QPoint> tops;
    for (int i = 0; i < ctx.GameRules.TableauCount(); ++i) {
      const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
      Rect r;
      if (top > 0 && FindCardRect(ctx, top, r)) tops.emplace_back(r.Left + 20, r.Top + 20);
    }
    tops.push_back(StockCentre(0));
    if (ctx.GetStockX(1) > kUnusedBelow) tops.push_back(StockCentre(1));
    for (int i = 0; i < ctx.GameRules.ReserveCount(); ++i) tops.push_back(ReserveCentre(i));
    for (int i = 0; i < ctx.GameRules.FoundationCount(); ++i) tops.push_back(FoundationCentre(i));
    return tops[static_cast<size_t>(pick(static_cast<int>(tops.size())))];
  };

  for (int step = 0; step < 150 && ctx.TfrmMain.GameInProgress; ++step) {
    switch (pick(5)) {
      case 0:
        Click(somewhere());
        break;
      case 1:
      case 2:
        Drag(somewhere(), somewhere());
        break;
      case 3:
        DoubleClick(somewhere());
        break;
      default:
        Press(somewhere(), MouseButton::Right);
        Release();
        break;
    }
    SCOPED_TRACE("step " + std::to_string(step));
    ASSERT_EQ(CardCount(), cards);
    std::map<int, int> seen;
    for (const StringList* l : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles})
      for (const std::string& p : *l)
        for (int k = 0; k < PileCardCount(p); ++k) ++seen[PileCardAt(p, k)];
    for (const auto& [card, n] : seen) ASSERT_EQ(n, 1) << "card " << card;
    ASSERT_EQ(ctx.GameState.MovingCard(), 0);
    ASSERT_EQ(ctx.TfrmMain.BusyDepth, 0);
    ASSERT_EQ(ctx.TfrmMain.PeekShown, 0);
    if (step % 10 == 0 && ctx.GameState.ScrollOffsetY() == 0) {
      ASSERT_EQ(WindowMismatches(), 0);
    }
  }
  EXPECT_GT(ctx.GameState.MovesMade(), 0) << "the gestures made no move at all";
}

INSTANTIATE_TEST_SUITE_P(Games, RandomPlayTest, ::testing::Values(0, 1, 3, 16),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Game" + std::to_string(info.param);
                         });

}  // namespace
}  // namespace tw
