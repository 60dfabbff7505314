// The card counter on a dealt table: every card shown where it lies, moves
// followed, the options, and its state kept across runs.
#include "ui/card_counter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <cstdlib>

#include "core/cards.h"
#include "core/datafiles.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

using Cell = CardCounterWindow::Cell;

class CardCounterTest : public WindowTest {
 protected:
  CardCounterWindow& counter() { return program->Counter(); }
  QAction* menuItem() { return window().Action("mnuCardCounter"); }

  // What the counter must show for a card, read from the piles.
  Cell Expected(int card) {
    const StringList& stock = ctx().MazzoPiles;
    for (int slot = 0; slot < 3; ++slot) {
      const std::string& pile = stock[static_cast<size_t>(slot)];
      for (int k = 0; k < PileCardCount(pile); ++k) {
        if (PileCardAt(pile, k) == card) return slot == 0 ? Cell::Down : Cell::Up;
      }
    }
    for (const StringList* list : {&ctx().FilaPiles, &ctx().DestPiles, &ctx().AppoggPiles}) {
      for (const std::string& pile : *list) {
        for (int k = 0; k < PileCardCount(pile); ++k) {
          if (PileCardAt(pile, k) == card) return IsFaceUp(ctx(), card) ? Cell::Up : Cell::Down;
        }
      }
    }
    return Cell::None;
  }
  void ExpectMatchesTable(const char* when) {
    for (int card = 1; card <= 52; ++card) {
      EXPECT_EQ(counter().CellOf(card), Expected(card)) << when << ", card " << card;
    }
  }
};

TEST_F(CardCounterTest, ShowsEveryCardOfTheDealAndFollowsMoves) {
  Deal(0, "21");
  ASSERT_TRUE(menuItem()->isEnabled());
  menuItem()->trigger();
  ASSERT_TRUE(counter().isVisible());
  EXPECT_TRUE(menuItem()->isChecked());
  EXPECT_EQ(counter().DeckRows(), 4);

  // Klondike: every card is on the table, face down in the stock and under
  // the tableau tops.
  int up = 0, down = 0;
  for (int card = 1; card <= 52; ++card) {
    up += counter().CellOf(card) == Cell::Up;
    down += counter().CellOf(card) == Cell::Down;
  }
  EXPECT_EQ(up, 7);
  EXPECT_EQ(down, 45);
  ExpectMatchesTable("after the deal");

  // Stock clicks turn cards onto the waste: their cells go up.
  const QPoint stock(ctx().GetStockX(0) + 30, ctx().GetStockY(0) + 30);
  for (int i = 0; i < 3; ++i) {
    Click(stock);
    ExpectMatchesTable("after a stock click");
  }
  const int turned = TopCard(ctx().MazzoPiles[1]);
  ASSERT_GT(turned, 0);
  EXPECT_EQ(counter().CellOf(turned), Cell::Up);

  // Undo follows as well.
  window().UndoCommand();
  ExpectMatchesTable("after undo");

  // A new deal starts the counter again.
  ASSERT_TRUE(window().NewDeal("77"));
  ExpectMatchesTable("after a new deal");

  // F8 again hides it; closing the window unchecks the item.
  menuItem()->trigger();
  EXPECT_FALSE(counter().isVisible());
  EXPECT_FALSE(menuItem()->isChecked());
  menuItem()->trigger();
  ASSERT_TRUE(counter().isVisible());
  counter().close();
  EXPECT_FALSE(counter().isVisible());
  EXPECT_FALSE(menuItem()->isChecked());
}

TEST_F(CardCounterTest, OptionsLimitWhatIsShown) {
  Deal(0, "21");
  menuItem()->trigger();
  const int stockCard = TopCard(ctx().MazzoPiles[0]);
  const int tableauTop = TopCard(ctx().FilaPiles[6]);
  const int hidden = PileCardAt(ctx().FilaPiles[6], 0);

  // Stock only: a full refresh draws only the stock side; a tableau move
  // changes no cell.
  counter().mnuStockClick();
  EXPECT_TRUE(counter().StockOnly());
  EXPECT_TRUE(counter().StockAction()->isChecked());
  EXPECT_EQ(counter().CellOf(stockCard), Cell::Down);
  EXPECT_EQ(counter().CellOf(tableauTop), Cell::None);
  counter().UpdateCard(tableauTop, 4, 1, 1);
  EXPECT_EQ(counter().CellOf(tableauTop), Cell::None);
  counter().UpdateCard(stockCard, 2, 1, 1);
  EXPECT_EQ(counter().CellOf(stockCard), Cell::Up);

  // Tableau only unchecks Stock only; card -1 then asks for nothing.
  counter().mnuTableauClick();
  EXPECT_TRUE(counter().TableauOnly());
  EXPECT_FALSE(counter().StockOnly());
  EXPECT_FALSE(counter().StockAction()->isChecked());
  EXPECT_EQ(counter().CellOf(stockCard), Cell::None);
  EXPECT_EQ(counter().CellOf(tableauTop), Cell::Up);
  EXPECT_EQ(counter().CellOf(hidden), Cell::Down);
  counter().UpdateCard(tableauTop, 4, 2, 0);
  EXPECT_EQ(counter().CellOf(tableauTop), Cell::None);
  counter().UpdateCard(-1, 1, 1, 1);
  EXPECT_EQ(counter().CellOf(tableauTop), Cell::None);

  // Inverted swaps up and down; cells not located stay so.
  counter().mnuTableauClick();
  counter().mnuInvertedClick();
  EXPECT_EQ(counter().CellOf(tableauTop), Cell::Down);
  EXPECT_EQ(counter().CellOf(hidden), Cell::Up);
  EXPECT_EQ(counter().CellOf(stockCard), Cell::Up);
  counter().UpdateCard(stockCard, 1, 2, 0);
  EXPECT_EQ(counter().CellOf(stockCard), Cell::None);

  // Codes outside the deal have no cell (0 would sit on the suit icon).
  counter().UpdateCard(0, 4, 1, 1);
  counter().UpdateCard(53, 4, 1, 1);
  EXPECT_EQ(counter().CellOf(0), Cell::None);
  EXPECT_EQ(counter().CellOf(53), Cell::None);

  const std::string cfg = dir_->ReadCfg();
  EXPECT_NE(cfg.find("CardCounter_Inverse=Y"), std::string::npos);
  EXPECT_NE(cfg.find("CardCounter_Tableau=N"), std::string::npos);
}

TEST_F(CardCounterTest, TwoDecksTakeEightRows) {
  Deal(0, "21");
  menuItem()->trigger();
  const int oneDeck = counter().height();
  ctx().GameRules.CardCount() = 104;
  counter().ResetCounter();
  EXPECT_EQ(counter().DeckRows(), 8);
  EXPECT_GT(counter().height(), oneDeck);
  EXPECT_EQ(counter().Picture().height(), 149);
  for (int card = 1; card <= 104; ++card) EXPECT_EQ(counter().CellOf(card), Cell::None);
  ctx().GameRules.CardCount() = 52;
  counter().ResetCounter();
  EXPECT_EQ(counter().height(), oneDeck);

  if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
    counter().RefreshCounter();
    counter().grab().save(QString::fromLocal8Bit(out) + "/card-counter.png");
  }
}

TEST_F(CardCounterTest, VisibilityAndPlaceAreKeptAcrossRuns) {
  Deal(0, "21");
  menuItem()->trigger();
  counter().mnuStockClick();
  counter().move(160, 120);
  window().close();
  std::string cfg = dir_->ReadCfg();
  EXPECT_NE(cfg.find("CardCounter_Visible=Y"), std::string::npos) << cfg;
  EXPECT_NE(cfg.find("CardCounter_Left=160"), std::string::npos);
  EXPECT_NE(cfg.find("CardCounter_Top=120"), std::string::npos);

  // The next run opens it again, with its options, at its place.
  sys::IniFile(CfgFilePath(ctx())).WriteString("Preference", "Game", "0");
  program.reset();
  ProgramOptions options;
  options.Muted = true;
  options.Splash = false;
  options.Prompts = &prompts;
  options.Clock = &clock;
  options.FixedWidth = 1000;
  options.FixedHeight = 740;
  options.FirstDealDirect = true;
  program = std::make_unique<Program>(dir_->Path(), options);
  int exitCode = -1;
  ASSERT_TRUE(program->Start(exitCode));
  program->Show();
  window().RunFirstActivation();
  EXPECT_TRUE(counter().isVisible());
  EXPECT_TRUE(menuItem()->isChecked());
  EXPECT_TRUE(counter().StockOnly());
  EXPECT_EQ(counter().pos(), QPoint(160, 120));
  EXPECT_EQ(counter().CellOf(TopCard(ctx().MazzoPiles[0])), Cell::Down);

  // Hidden at the end: hidden at the next start; a position never saved
  // (or not above 0) is left to the system.
  counter().close();
  sys::IniFile(CfgFilePath(ctx())).WriteInteger("Preference", "CardCounter_Left", 0);
  window().close();
  cfg = dir_->ReadCfg();
  EXPECT_NE(cfg.find("CardCounter_Visible=N"), std::string::npos);
  CardCounterWindow fresh(ctx(), program->Library(), &window());
  sys::IniFile(CfgFilePath(ctx())).WriteInteger("Preference", "CardCounter_Left", 0);
  const QPoint before = fresh.pos();
  EXPECT_FALSE(fresh.LoadCounterSettings());
  EXPECT_EQ(fresh.pos(), before);
}

}  // namespace
}  // namespace tw::testing
