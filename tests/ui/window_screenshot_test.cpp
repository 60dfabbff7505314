// Pictures of the main window for the documentation: a deal in progress and
// a drag with its shadow. Written to TW_SCREENSHOT_DIR when it is set.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <cstdlib>

#include "core/cards.h"
#include "engine/random_player.h"
#include "platform/gfx/reslib.h"
#include "tests/ui/ui_fixture.h"
#include "ui/splash.h"

namespace tw::testing {
namespace {

class WindowScreenshotTest : public WindowTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"Cards_Shadowed=Y"}; }
  void Save(const QImage& shot, const char* name) {
    ASSERT_FALSE(shot.isNull());
    if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
      EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out) + "/" + name));
    }
  }
};

TEST_F(WindowScreenshotTest, KlondikeInProgressAndADrag) {
  Deal(0, "21");
  const QPoint stock(ctx().GetStockX(0) + 30, ctx().GetStockY(0) + 30);
  for (int round = 0; round < 6; ++round) {
    for (const PlayerMove& m : LegalDrops(ctx())) {
      if (m.target.rfind("Fila", 0) == 0 || m.target.rfind("Dest", 0) == 0) {
        const QPoint from = Grip(m.card);
        int index = 0;
        ParsePileName(m.target, index);
        const QPoint to(CardLeftX(ctx(), m.target, index, 0, true),
                        CardTopY(ctx(), m.target, index, 0, true));
        Drag(from, to + Offset(m.card, from));
        break;
      }
    }
    Click(stock);
  }
  QApplication::processEvents();
  Save(window().grab().toImage(), "main-window-klondike.png");

  // A face-up tableau card lifted and carried down and to the right.
  int card = 0;
  for (int i = 0; i < ctx().GameRules.TableauCount() && card == 0; ++i) {
    const std::string& pile = ctx().FilaPiles[static_cast<size_t>(i)];
    for (int k = 0; k < PileCardCount(pile); ++k) {
      if (IsFaceUp(ctx(), PileCardAt(pile, k))) {
        card = PileCardAt(pile, k);
        break;
      }
    }
  }
  ASSERT_NE(card, 0);
  const QPoint from = Grip(card);
  Press(from);
  for (int k = 1; k <= 6; ++k) MoveTo(from + QPoint(18 * k, 14 * k));
  QApplication::processEvents();
  Save(window().grab().toImage(), "main-window-drag.png");
  Release(from + QPoint(108, 84));
  EXPECT_EQ(ctx().GameState.MovingCard(), 0);
}

// The main window with its large toolbar and the Game menu open over a deal.
class MenuScreenshotTest : public WindowScreenshotTest {
 protected:
  std::vector<std::string> ExtraPreferences() override {
    return {"Cards_Shadowed=Y", "ToolBar_Large=Y", "AutoPlay=Y"};
  }
};

TEST_F(MenuScreenshotTest, GameMenuOpen) {
  Deal(0, "21");
  const QPoint stock(ctx().GetStockX(0) + 30, ctx().GetStockY(0) + 30);
  for (int round = 0; round < 4; ++round) Click(stock);
  QMenu* game = nullptr;
  for (QAction* a : window().menuBar()->actions()) {
    if (a->text() == "&Game") game = a->menu();
  }
  ASSERT_NE(game, nullptr);
  window().menuBar()->setActiveAction(game->menuAction());
  QApplication::processEvents();
  ASSERT_TRUE(game->isVisible());
  game->setActiveAction(window().Action("mnuAutoPlay"));
  QApplication::processEvents();
  QImage shot = window().grab().toImage();
  {
    QPainter p(&shot);
    p.drawImage(window().mapFromGlobal(game->pos()), game->grab().toImage());
  }
  game->hide();
  Save(shot, "main-window-menu.png");
}

TEST_F(WindowScreenshotTest, Splash) {
  gfx::ResourceLibrary library;
  ASSERT_TRUE(library.Open(dir_->Path() + "QEX.RGF"));
  SplashWindow splash(library.LoadBitmap("LOGO").Image());
  EXPECT_EQ(splash.size(), QSize(SplashWindow::kWidth, SplashWindow::kHeight));
  Save(splash.grab().toImage(), "splash.png");
}

}  // namespace
}  // namespace tw::testing
