// Demo mode in the real main window: the demo bar's buttons and scroll bar
// move the table to the recorded positions, single steps sound and jumps do
// not, the table only beeps, and switching off leaves the deal shown at its
// first position.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <filesystem>

#include "engine/demo_source.h"
#include "engine/savegame.h"
#include "engine/undo.h"
#include "tests/common/table_text.h"
#include "platform/qt/sound_player.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

constexpr int kGame = 0;

class DemoTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    ctx().SetCfg(cfg::Sounds_Undo, "Y");
    ctx().SetCfg(cfg::Sounds_Redo, "Y");
  }

  // The table at every position of the shipped demonstration, read apart
  // from the window.
  std::vector<std::string> Positions() {
    HeadlessPlay play(std::string(TW_DIST_DIR) + "/");
    play.ctx.SetCfg(cfg::Game, std::to_string(kGame));
    std::string error;
    EXPECT_TRUE(OpenDemoGame(play.ctx, error)) << error;
    while (UndoRedo(play.ctx, true, true)) {
    }
    std::vector<std::string> tables{TableText(play.ctx)};
    while (UndoRedo(play.ctx, false, true)) tables.push_back(TableText(play.ctx));
    return tables;
  }

  QAction& Demo() { return *window().Action("mnuDemo"); }
  QScrollBar& Bar() { return *qobject_cast<QScrollBar*>(window().DemoControl("scbDemoMove")); }
  void Push(const char* name) {
    auto* b = qobject_cast<QPushButton*>(window().DemoControl(name));
    ASSERT_NE(b, nullptr) << name;
    QTest::mouseClick(b, Qt::LeftButton);
  }
  QRect Part(QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(&Bar());
    opt.orientation = Qt::Horizontal;
    opt.minimum = Bar().minimum();
    opt.maximum = Bar().maximum();
    opt.sliderPosition = Bar().sliderPosition();
    opt.sliderValue = Bar().value();
    opt.singleStep = Bar().singleStep();
    opt.pageStep = Bar().pageStep();
    opt.subControls = QStyle::SC_All;
    return Bar().style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, &Bar());
  }
  void ExpectAt(const std::vector<std::string>& tables, int position, const char* after) {
    const int n = static_cast<int>(tables.size()) - 1;
    EXPECT_EQ(window().DemoPosition(), position) << after;
    EXPECT_EQ(Bar().value(), position) << after;
    EXPECT_EQ(window().DemoCounterText().toStdString(),
              std::to_string(position) + "/" + std::to_string(n))
        << after;
    EXPECT_TRUE(TableText(ctx()) == tables[static_cast<size_t>(position)]) << after;
  }
};

TEST_F(DemoTest, TheBarMovesTheTableToTheRecordedPositions) {
  const std::vector<std::string> tables = Positions();
  const int n = static_cast<int>(tables.size()) - 1;
  ASSERT_GT(n, 10);
  Deal(kGame, "77");
  ASSERT_TRUE(Demo().isEnabled());
  Demo().trigger();
  ASSERT_TRUE(ctx().DemoMode);
  EXPECT_TRUE(Demo().isChecked());
  EXPECT_TRUE(window().DemoControl("btnDemoFirst")->isVisible());
  EXPECT_EQ(Bar().maximum(), n);
  ExpectAt(tables, 0, "loading");
  // The dealt cards are on the screen: the first tableau card is mostly white.
  QApplication::processEvents();
  const QImage shown = window().Surface()->grab().toImage();
  const QRect card(CardPlace(TopCard(ctx().FilaPiles[0])), QSize(ctx().CardWidth, ctx().CardHeight));
  long light = 0;
  for (int y = card.top(); y <= card.bottom(); ++y) {
    for (int x = card.left(); x <= card.right(); ++x) light += qGray(shown.pixel(x, y));
  }
  EXPECT_GT(light / (card.width() * card.height()), 160) << "no card drawn";
  EXPECT_FALSE(ctx().TfrmMain.GameInProgress);
  for (const char* off : {"mnuSave", "mnuUndo", "mnuRedo", "mnuRestartGame", "mnuPause"}) {
    EXPECT_FALSE(window().Action(off)->isEnabled()) << off;
  }

  struct Step {
    const char* button;
    int position;
  };
  for (const Step& s : {Step{"btnDemoNext", 3}, Step{"btnDemoNext", 6}, Step{"btnDemoPrior", 3},
                        Step{"btnDemoFirst", 0}, Step{"btnDemoPrior", 0}, Step{"btnDemoLast", n},
                        Step{"btnDemoNext", n}, Step{"btnDemoPrior", n - 3},
                        Step{"btnDemoLast", n}, Step{"btnDemoFirst", 0}}) {
    Push(s.button);
    ExpectAt(tables, s.position, s.button);
  }

  // A drag of the thumb moves once, when it is let go.
  const QPoint from = Part(QStyle::SC_ScrollBarSlider).center();
  const QRect groove = Part(QStyle::SC_ScrollBarGroove);
  const QPoint to(groove.left() + groove.width() / 2, from.y());
  QTest::mousePress(&Bar(), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&Bar(), from + QPoint(5, 0));
  QTest::mouseMove(&Bar(), to);
  EXPECT_TRUE(TableText(ctx()) == tables[0]) << "the table waits for the drag to end";
  QTest::mouseRelease(&Bar(), Qt::LeftButton, Qt::NoModifier, to);
  const int dragged = Bar().value();
  EXPECT_GT(dragged, n / 4);
  EXPECT_LT(dragged, 3 * n / 4);
  ExpectAt(tables, dragged, "drag");
  EXPECT_EQ(ctx().GameState.DemoTrackFrom(), 0);
  QTest::mouseClick(&Bar(), Qt::LeftButton, Qt::NoModifier,
                    Part(QStyle::SC_ScrollBarAddLine).center());
  ExpectAt(tables, dragged + 1, "arrow");
}

TEST_F(DemoTest, ASingleStepSoundsAndAJumpIsSilent) {
  Deal(kGame, "77");
  Demo().trigger();
  ASSERT_TRUE(ctx().DemoMode);
  qt::SoundPlayer& player = program->Sound();
  struct Case {
    std::function<void()> act;
    const char* sound;
  };
  const Case cases[] = {
      {[&] { Push("btnDemoNext"); }, ""},
      {[&] {
         QTest::mouseClick(&Bar(), Qt::LeftButton, Qt::NoModifier,
                           Part(QStyle::SC_ScrollBarAddLine).center());
       },
       "Redo"},
      {[&] {
         QTest::mouseClick(&Bar(), Qt::LeftButton, Qt::NoModifier,
                           Part(QStyle::SC_ScrollBarSubLine).center());
       },
       "Undo"},
      {[&] { Push("btnDemoLast"); }, ""},
      {[&] { Push("btnDemoFirst"); }, ""},
  };
  for (const Case& c : cases) {
    player.Stop();
    const int before = window().DemoPosition();
    c.act();
    EXPECT_NE(window().DemoPosition(), before);
    EXPECT_EQ(player.Current(), c.sound) << "after position " << before;
  }
}

TEST_F(DemoTest, APressOnTheTableBeepsAndMovesNothing) {
  Deal(kGame, "77");
  Demo().trigger();
  Push("btnDemoNext");
  const std::string before = TableText(ctx());
  const int beeps = prompts.beeps;
  const int top = TopCard(ctx().FilaPiles[6]);
  ASSERT_GT(top, 0);
  Drag(Grip(top), Grip(top) + QPoint(-300, 0));
  Click(QPoint(ctx().GetStockX(0) + 5, ctx().GetStockY(0) + 5));
  EXPECT_GE(prompts.beeps, beeps + 2);
  EXPECT_EQ(TableText(ctx()), before);
  EXPECT_EQ(window().DemoPosition(), 3);
}

// Closed anywhere, the demo leaves its deal at the first position under the
// title naming it, with no deal in progress; the next deal is drawn where a
// deal is drawn without the demo bar.
TEST_F(DemoTest, SwitchingOffLeavesTheShownDealAtItsFirstPosition) {
  const std::vector<std::string> tables = Positions();
  const QImage bare = window().Surface()->grab().toImage();
  Deal(kGame, "77");
  const int stockY = ctx().StockBaseY[0], tableauY = ctx().TableauY[0];
  const QImage plain = window().Surface()->grab().toImage();
  // The window's picture, checked to be what a full redraw of the table gives.
  auto shownAsRedrawn = [this](const char* when) {
    QApplication::processEvents();
    const QImage shown = window().Surface()->grab().toImage();
    program->View().RedrawWholeTable();
    QApplication::processEvents();
    EXPECT_TRUE(shown == window().Surface()->grab().toImage()) << when;
    return shown;
  };
  Demo().trigger();
  ASSERT_TRUE(ctx().DemoMode);
  const std::string title = window().windowTitle().toStdString();
  EXPECT_GT(ctx().StockBaseY[0], stockY) << "the demo bar pushes the table down";
  Push("btnDemoNext");
  Push("btnDemoClose");
  EXPECT_FALSE(ctx().DemoMode);
  EXPECT_FALSE(Demo().isChecked());
  EXPECT_TRUE(window().DemoControl("btnDemoFirst")->isHidden() ||
              !window().DemoControl("btnDemoFirst")->isVisible());
  EXPECT_FALSE(ctx().TfrmMain.GameInProgress);
  EXPECT_TRUE(TableText(ctx()) == tables[0]);
  EXPECT_EQ(UndoDepth(ctx()), 0);
  EXPECT_EQ(window().windowTitle().toStdString(), title);
  EXPECT_EQ(ctx().StockBaseY[0], stockY);
  EXPECT_EQ(ctx().TableauY[0], tableauY);
  const QImage shown = shownAsRedrawn("closed");
  EXPECT_FALSE(shown == plain);
  // The cards are on show: each tableau pile's top card covers the table.
  for (int i = 0; i < ctx().GameRules.TableauCount(); ++i) {
    const int top = TopCard(ctx().FilaPiles[static_cast<size_t>(i)]);
    if (top <= 0) continue;
    const QPoint face = CardPlace(top) + QPoint(ctx().CardWidth / 2, ctx().CardHeight / 2);
    EXPECT_NE(shown.pixel(face), bare.pixel(face)) << "pile " << i + 1;
  }
  for (const char* on : {"mnuNew", "mnuSelect", "mnuDemo", "mnuRules"}) {
    EXPECT_TRUE(window().Action(on)->isEnabled()) << on;
  }
  for (const char* off : {"mnuSave", "mnuUndo", "mnuRedo", "mnuPause", "mnuQuitGame"}) {
    EXPECT_FALSE(window().Action(off)->isEnabled()) << off;
  }
  // Play goes on with a new deal, in place.
  window().Action("mnuNew")->trigger();
  EXPECT_TRUE(ctx().TfrmMain.GameInProgress);
  EXPECT_TRUE(window().Action("mnuRestartGame")->isEnabled());
  EXPECT_EQ(ctx().StockBaseY[0], stockY);
  EXPECT_EQ(ctx().TableauY[0], tableauY);
  shownAsRedrawn("dealt");
}

TEST_F(DemoTest, ADemoWithoutMovesShowsNoughtOfNought) {
  // The program's own Demos folder, holding a demonstration of a bare deal.
  const std::filesystem::path demos = std::filesystem::path(dir_->Path()) / "Demos";
  std::filesystem::remove(demos);
  std::filesystem::create_directories(demos);
  {
    HeadlessPlay play(std::string(TW_DIST_DIR) + "/");
    play.ctx.SetCfg(cfg::Game, std::to_string(kGame));
    ASSERT_TRUE(StartDealForPlay(play.ctx, "5"));
    StringList lines;
    BuildSavedGameLines(play.ctx, lines);
    ASSERT_TRUE(sys::ReplaceFileLines((demos / DemoFileName(kGame)).string(), lines));
  }
  Deal(kGame, "77");
  Demo().trigger();
  ASSERT_TRUE(ctx().DemoMode);
  EXPECT_EQ(window().DemoCounterText(), "0/0");
  EXPECT_EQ(Bar().maximum(), 0);
  Push("btnDemoNext");
  Push("btnDemoLast");
  EXPECT_EQ(window().DemoCounterText(), "0/0");
}

TEST_F(DemoTest, AMissingDemoOrAKeptDealChangesNothing) {
  Deal(kGame, "77");
  const std::string dealt = TableText(ctx());
  prompts.answer = false;
  Demo().trigger();
  EXPECT_FALSE(ctx().DemoMode);
  EXPECT_FALSE(Demo().isChecked());
  EXPECT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(TableText(ctx()), dealt);

  std::filesystem::remove(std::filesystem::path(dir_->Path()) / "Demos");
  prompts.answer = true;
  Demo().trigger();
  EXPECT_FALSE(ctx().DemoMode);
  EXPECT_FALSE(Demo().isChecked());
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_NE(prompts.messages[0].find("File not found"), std::string::npos);
  EXPECT_TRUE(ctx().TfrmMain.GameInProgress);
  EXPECT_EQ(TableText(ctx()), dealt);
}

}  // namespace
}  // namespace tw::testing
