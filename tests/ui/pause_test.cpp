// The pause on the real window: Ctrl+P hides the cards behind the pause
// screen and stops the clock; the first key or mouse button ends it and does
// nothing else.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <cstdlib>

#include "engine/gameover.h"
#include "engine/pause.h"
#include "table/view/table_view.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

class PauseTest : public WindowTest {
 protected:
  void Pause() {
    QTest::keyClick(handle(), Qt::Key_P, Qt::ControlModifier);
    ASSERT_TRUE(window().Paused());
  }
  QRgb CanvasPixel(QPoint p) {
    return program->View().WindowCanvas().Image().pixel(p);
  }
  // The pause screen's colours: green fading to black, nothing red or blue.
  static bool PauseColour(QRgb c) { return qRed(c) == 0 && qBlue(c) == 0; }
  int FirstFaceUpCard() {
    for (int i = 0; i < ctx().GameRules.TableauCount(); ++i) {
      const int top = TopCard(ctx().FilaPiles[static_cast<size_t>(i)]);
      if (top != 0 && IsFaceUp(ctx(), top)) return top;
    }
    return 0;
  }
};

TEST_F(PauseTest, CtrlPHidesTheCardsAndStopsTheClock) {
  QAction* pause = window().Action("mnuPause");
  ASSERT_NE(pause, nullptr);
  EXPECT_FALSE(pause->isEnabled()) << "no deal yet";
  Deal(0, "21");
  EXPECT_TRUE(pause->isEnabled());
  const int card = FirstFaceUpCard();
  ASSERT_NE(card, 0);
  const QPoint face = CardPlace(card) + QPoint(ctx().CardWidth / 2, ctx().CardHeight / 2);
  EXPECT_FALSE(PauseColour(CanvasPixel(face)));

  const int64_t before = GameElapsedSeconds(ctx());
  const QImage table = program->View().WindowCanvas().Image().copy();
  Pause();
  EXPECT_TRUE(pause->isChecked());
  EXPECT_EQ(ctx().TfrmMain.ClockRunning, 0);
  EXPECT_TRUE(PauseColour(CanvasPixel(face))) << "the card is hidden";
  // The first picture stands where the pause screen put it.
  const PausePlacement& at = window().PauseView().Placement();
  bool picture = false;
  for (int x = at.X1; x < at.X1 + 100 && !picture; ++x) {
    for (int y = at.Y1; y < at.Y1 + 60 && !picture; ++y) {
      picture = !PauseColour(CanvasPixel(QPoint(x, y)));
    }
  }
  EXPECT_TRUE(picture);
  // Both pictures centred on the table ("Paused" slides either way from there).
  const gfx::ResourceLibrary& library = program->View().Library();
  const int centre = window().Surface()->width() / 2;
  EXPECT_NEAR(at.X1 + library.LoadBitmap("BMP_PAUSE_1").Width() / 2, centre, 1);
  EXPECT_NEAR(at.X2 + library.LoadBitmap("BMP_PAUSE_2").Width() / 2, centre, 1);

  // A resize while paused keeps the cards hidden.
  window().MainWindowResized();
  EXPECT_TRUE(PauseColour(CanvasPixel(face)));
  EXPECT_TRUE(window().Paused());

  clock.ms += 600000;  // ten minutes paused
  const QString shown = window().ClockText();
  window().Timer1Timer();
  EXPECT_EQ(window().ClockText(), shown);
  QTest::keyClick(handle(), Qt::Key_Space);
  EXPECT_FALSE(window().Paused());
  EXPECT_FALSE(pause->isChecked());
  EXPECT_EQ(ctx().TfrmMain.ClockRunning, 1);
  EXPECT_LT(GameElapsedSeconds(ctx()), before + 60) << "the pause does not count";
  EXPECT_TRUE(program->View().WindowCanvas().Image() == table) << "the table is back";

  // An ended deal cannot be paused.
  GameOver(ctx());
  EXPECT_FALSE(pause->isEnabled());
  QTest::keyClick(handle(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(window().Paused());
}

TEST_F(PauseTest, TheInputThatEndsThePauseDoesNothingElse) {
  Deal(0, "21");
  const int serial = ctx().TfrmMain.DealSerial;
  const std::string tableau = ctx().FilaPiles[0] + ctx().FilaPiles[1];

  // A menu shortcut: F2 would start a new deal, Ctrl+Q quit it.
  for (auto key : {Qt::Key_Q, Qt::Key_F2}) {
    Pause();
    QTest::keyClick(handle(), key, key == Qt::Key_Q ? Qt::ControlModifier : Qt::NoModifier);
    EXPECT_FALSE(window().Paused());
    EXPECT_EQ(ctx().TfrmMain.DealSerial, serial);
    EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  }
  // Ctrl+P again ends it too (and does not pause again).
  Pause();
  QTest::keyClick(handle(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(window().Paused());

  // No pause while a card is held.
  const int card = FirstFaceUpCard();
  ASSERT_NE(card, 0);
  Press(Grip(card));
  ASSERT_NE(ctx().GameState.MovingCard(), 0);
  QTest::keyClick(handle(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_FALSE(window().Paused());
  Release(Grip(card));
  ASSERT_EQ(ctx().GameState.MovingCard(), 0);

  // Alt passes and leaves the pause on.
  Pause();
  QTest::keyClick(handle(), Qt::Key_Alt);
  EXPECT_TRUE(window().Paused());

  // A click on a card ends it without picking the card up.
  Press(Grip(card));
  EXPECT_FALSE(window().Paused());
  EXPECT_EQ(ctx().GameState.MovingCard(), 0);
  Release(Grip(card));
  EXPECT_EQ(ctx().FilaPiles[0] + ctx().FilaPiles[1], tableau);

  // A click on the menu bar ends it and opens no menu.
  Pause();
  QMenuBar* bar = window().menuBar();
  const QPoint game = bar->actionGeometry(bar->actions().at(1)).center();
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, game);
  EXPECT_FALSE(window().Paused());
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(ctx().GameState.MovesMade(), 0);
}

TEST_F(PauseTest, ClosingWhilePausedEndsThePauseFirst) {
  Deal(0, "21");
  Pause();
  clock.ms += 600000;
  const int64_t before = GameElapsedSeconds(ctx());
  window().close();
  QApplication::processEvents();
  EXPECT_FALSE(window().Paused());
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  // The deal's recorded time leaves the pause out.
  EXPECT_LT(ctx().GameEndTime - ctx().GameStartTime, before + 60);
}

// The whole-table redraw draws the hint boxes of the kind that has them.
TEST_F(PauseTest, TheWholeTableShowsFoundationHintsOfIntervalGames) {
  Deal(0, "21");
  ctx().GameRules.GameKind() = 10;
  ctx().GameRules.FoundationMaxCards() = 13;
  ctx().DestPiles[0] = CardCodeText(12);
  SetCardFace(ctx(), 12, "1");
  program->View().RedrawWholeTable();
  const QPoint box(ctx().GetFoundationX(0) + ctx().CardWidth / 2 - 10,
                   ctx().GetFoundationY(0) - 18);
  EXPECT_EQ(CanvasPixel(box) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(CanvasPixel(box + QPoint(20, 13)) & 0xFFFFFF, 0xFFFFFFu);
  // Foundation 2 is empty: no box.
  const QPoint none(ctx().GetFoundationX(1) + ctx().CardWidth / 2 - 10,
                    ctx().GetFoundationY(1) - 18);
  EXPECT_NE(CanvasPixel(none) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PauseTest, Screenshot) {
  Deal(0, "21");
  Pause();
  QApplication::processEvents();
  const QImage shot = window().grab().toImage();
  ASSERT_FALSE(shot.isNull());
  if (const char* out = std::getenv("TW_SCREENSHOT_DIR")) {
    EXPECT_TRUE(shot.save(QString::fromLocal8Bit(out) + "/main-window-paused.png"));
  }
  QTest::mouseClick(window().Surface(), Qt::LeftButton);
  EXPECT_FALSE(window().Paused());
}

}  // namespace
}  // namespace tw::testing
