// The selection and row games and the fanned foundation rows played with the
// mouse on a drawn table: stock clicks that deal, selections removed at the
// click that completes them and gone from the picture, highlights that
// survive a whole redraw, and drops over any card of a foundation row.
#include <gtest/gtest.h>

#include <QImage>

#include "engine/legality.h"
#include "engine/selection.h"
#include "tests/view/play_fixture.h"

namespace tw {
namespace {

using testing::Clubs;
using testing::Diamonds;
using testing::Hearts;
using testing::PlayTest;
using testing::Spades;

constexpr int kPyramid = 6;
constexpr int kDecade = 19;
constexpr int kOsmosis = 98;
constexpr int kPeek = 99;
constexpr int kBaroness = 107;

class SelectionPlayTest : public PlayTest {
 protected:
  // The window shows what a whole redraw of the table shows.
  bool ShowsWholeTable() {
    const QImage shown = view.WindowCanvas().Image().copy();
    view.PaintBackgroundFromSettings(view.TableBmp());
    view.DrawTable(view.TableBmp(), false);
    const QImage full = view.TableBmp().Image().copy(0, 0, shown.width(), shown.height());
    view.RefreshScreen();
    return full.convertToFormat(shown.format()) == shown;
  }
  QPoint RowCell(int card) {
    Rect r;
    EXPECT_TRUE(FindCardRect(ctx, card, r)) << card;
    return QPoint(r.Left + 10, r.Top + 10);
  }
  std::vector<int> Row() {
    std::vector<int> row;
    const std::string& pile = ctx.FilaPiles[0];
    for (int k = 0; k < PileCardCount(pile); ++k)
      if (PileCardAt(pile, k) > 0) row.push_back(PileCardAt(pile, k));
    return row;
  }
};

TEST_F(SelectionPlayTest, BaronessStockClickDealsToEveryPile) {
  Start(kBaroness, "4");
  const int stock = PileCardCount(ctx.MazzoPiles[0]);
  std::vector<int> before;
  for (int i = 0; i < 5; ++i) before.push_back(PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]));
  Click(StockCentre(0));
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[0]), stock - 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]), before[static_cast<size_t>(i)] + 1)
        << "pile " << i + 1;
  EXPECT_TRUE(ShowsWholeTable());
}

TEST_F(SelectionPlayTest, DecadeRunLeavesAtTheClickThatCompletesIt) {
  Start(kDecade, "1");
  for (int k = 0; k < 12; ++k) Click(StockCentre(0));
  // Two neighbours adding to 10 or 20, as the player finds them.
  const std::vector<int> row = Row();
  size_t at = row.size();
  for (size_t k = 0; k + 1 < row.size() && at == row.size(); ++k) {
    const int sum = std::min(CardRank(row[k]), 10) + std::min(CardRank(row[k + 1]), 10);
    if (sum == 10 || sum == 20) at = k;
  }
  ASSERT_LT(at, row.size()) << "no pair in the row of this deal";
  const int removed = PileCardCount(ctx.MazzoPiles[2]);
  Click(RowCell(row[at]));
  EXPECT_EQ(SelectedCards(ctx), std::vector<int>{row[at]});
  Click(RowCell(row[at + 1]));
  EXPECT_TRUE(SelectedCards(ctx).empty());
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[2]), removed + 2) << "the run did not leave";
  EXPECT_EQ(Row().size(), row.size() - 2);
  EXPECT_TRUE(ShowsWholeTable()) << "the removed run is still drawn";
}

TEST_F(SelectionPlayTest, DecadeHighlightsSurviveAWholeRedraw) {
  Start(kDecade, "1");
  for (int k = 0; k < 12; ++k) Click(StockCentre(0));
  const std::vector<int> row = Row();
  ASSERT_GE(row.size(), 8u);
  // Cards that are not neighbours never make a run: four stay highlighted.
  for (size_t k : {1u, 3u, 5u, 7u}) Click(RowCell(row[k]));
  ASSERT_EQ(SelectedCards(ctx).size(), 4u);
  const QImage before = view.WindowCanvas().Image().copy();
  // What resuming after a pause does.
  view.RedrawWholeTable();
  EXPECT_TRUE(view.WindowCanvas().Image() == before);
}

TEST_F(SelectionPlayTest, PyramidStockKingTurnsOverThenLeavesFromTheWaste) {
  Start(kPyramid, "3");
  // A King on top of the stock.
  Place(ctx.MazzoPiles, 0, {Hearts(5), Spades(13)});
  ASSERT_TRUE(ShowsWholeTable()) << "the stock top is drawn face up";
  const int removed = PileCardCount(ctx.MazzoPiles[2]);
  Click(StockCentre(0));
  EXPECT_EQ(TopCard(ctx.MazzoPiles[1]), Spades(13)) << "nothing selected: the click turns it";
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[2]), removed);
  EXPECT_TRUE(ShowsWholeTable());
  Click(StockCentre(1));
  EXPECT_EQ(TopCard(ctx.MazzoPiles[2]), Spades(13)) << "alone on the waste it is removed";
  EXPECT_TRUE(ShowsWholeTable());
  // The engine's click judge agrees: a lone stock King is no move.
  Place(ctx.MazzoPiles, 0, {Hearts(5), Diamonds(13)});
  EXPECT_TRUE(ClickOrder(ctx, {Diamonds(13)}).empty());
}

TEST_F(SelectionPlayTest, PyramidPairLeavesThePicture) {
  Start(kPyramid, "3");
  // Two uncovered cards of the bottom row that add up to 13.
  Place(ctx.FilaPiles, 6, {Hearts(1), Hearts(12), Clubs(2), Clubs(3), Clubs(4), Clubs(5), Clubs(6)});
  Click(CentreOf(Hearts(1)));
  Click(CentreOf(Hearts(12)));
  EXPECT_EQ(TopCard(ctx.MazzoPiles[2]), Hearts(12));
  EXPECT_TRUE(ShowsWholeTable()) << "the removed pair is still drawn";
}

TEST_F(SelectionPlayTest, FoundationRowTakesADropOverAnyOfItsCards) {
  for (int game : {kOsmosis, kPeek}) {
    for (int over : {0, 3, 7}) {
      SCOPED_TRACE("game " + std::to_string(game) + ", over card " + std::to_string(over + 1));
      Start(game, "1");
      const int first = TopCard(ctx.DestPiles[0]);
      ASSERT_GT(first, 0);
      const int suit = (first - 1) / 13;
      std::vector<int> row{first};
      // Long enough that its first card lies clear of its last.
      for (int rank = 1; row.size() < 8; ++rank)
        if (suit * 13 + rank != first) row.push_back(suit * 13 + rank);
      int card = 0;
      for (int rank = 13; !card; --rank)
        if (suit * 13 + rank != first) card = suit * 13 + rank;
      Place(ctx.DestPiles, 0, row);
      Place(ctx.FilaPiles, 0, {card});
      ASSERT_TRUE(CanDropOnPile(ctx, card, "Dest1"));
      Rect r;
      ASSERT_TRUE(FindCardRect(ctx, card, r));
      const std::string name = "Dest1";
      const int x = CardLeftX(ctx, name, 0, 7 - over, false);
      const int y = CardTopY(ctx, name, 0, 7 - over, false);
      Drag(CentreOf(card), QPoint(x + ctx.CardWidth / 2, y + ctx.CardHeight / 2));
      EXPECT_EQ(TopCard(ctx.DestPiles[0]), card);
      EXPECT_TRUE(ctx.FilaPiles[0].empty());
    }
  }
}

}  // namespace
}  // namespace tw
