// Every dialog on an 800x600 screen: each one, opened the way the player
// opens it where a command does, over a main window that fills such a
// screen, lies inside the screen with room left for a title bar.
#include <gtest/gtest.h>

#include <QDialog>
#include <QScreen>

#include "tests/ui/ui_fixture.h"
#include "ui/about.h"
#include "ui/card_counter.h"
#include "ui/custom_help.h"
#include "ui/custom_rules.h"
#include "ui/game_won.h"
#include "ui/help_viewer.h"
#include "ui/msg_advice.h"
#include "ui/newsletter.h"
#include "ui/overall_dialog.h"
#include "ui/players_dialog.h"

namespace tw::testing {
namespace {

// What a window manager's title bar adds to a window's height (the
// platform's frame holds only the borders); a window placed at a point has
// its title bar there and its body below.
constexpr int kTitleBar = 28;
const QRect kScreen(0, 0, 800, 600);

class SmallScreenTest : public WindowTest {
 protected:
  // Maximized on that screen.
  QSize WindowSize() override { return QSize(796, 568); }

  // The place the window system would give the window's frame.
  static QRect Framed(const QWidget& w) {
    return w.frameGeometry().adjusted(0, 0, 0, kTitleBar);
  }

  void ExpectInside(const QWidget& w, const std::string& name, const QRect& screen = kScreen) {
    EXPECT_TRUE(screen.contains(Framed(w)))
        << name << " at " << w.x() << "," << w.y() << " size " << w.width() << "x" << w.height();
    ++checked_;
  }

  // Triggers the command and checks every modal dialog it brings up (one
  // opened from another included), closing each once it is seen.
  void OpenByCommand(const char* command, int expected = 1) {
    QAction* a = window().Action(command);
    ASSERT_NE(a, nullptr) << command;
    ASSERT_TRUE(a->isEnabled()) << command;
    const int seen = EachModalDialog([a] { a->trigger(); }, [&](QDialog& d) {
      ExpectInside(d, std::string(command) + " " + d.objectName().toStdString());
    });
    EXPECT_EQ(seen, expected) << command;
  }

  void OpenDirect(QWidget& w) {
    w.show();
    QApplication::processEvents();
    ExpectInside(w, w.objectName().toStdString() + " (" + w.metaObject()->className() + ")");
    w.close();
  }

  int checked_ = 0;
};

TEST_F(SmallScreenTest, EveryDialogFitsTheScreen) {
  window().move(0, 0);
  ASSERT_EQ(Framed(window()), kScreen);
  Deal(0, "7");
  for (const char* command :
       {"mnuOpen", "mnuSelect", "mnuPlayers", "mnuGameStatistics", "mnuPlayersStatistics",
        "mnuAllGamesStatistics", "mnuLogStatistics", "mnuHiScores", "mnuOverallScore",
        "mnuCustomize", "Generali1", "mnuCustomizeRules", "mnuFavoriteGames", "mnuTips",
        "mnuNews", "Informazionisu1"}) {
    OpenByCommand(command);
  }

  // Those a command opens only on its way (a won deal, a button of another
  // dialog, a first start).
  GameWonDialog won(ctx(), &window());
  OpenDirect(won);
  PlayerNameDialog name(false, "Tester", prompts, nullptr, &window());
  OpenDirect(name);
  CustomNameDialog custom(ctx(), prompts, "Klondike", &window());
  OpenDirect(custom);
  CustomHelpDialog customHelp(ctx(), 8000, "My Klondike", &window());
  OpenDirect(customHelp);
  OverallDetailsDialog details(ctx(), "Tester", "0", "0:00:00", &window());
  OpenDirect(details);
  OverallPublishDialog publish(std::string(68, '1'), "x", &window());
  OpenDirect(publish);
  News2Dialog news2(prompts, nullptr, &window());
  OpenDirect(news2);
  MsgAdviceDialog advice(&window());
  OpenDirect(advice);
  QAction* counter = window().Action("mnuCardCounter");
  counter->trigger();
  QApplication::processEvents();
  auto* counterWindow = window().findChild<CardCounterWindow*>();
  ASSERT_NE(counterWindow, nullptr);
  ExpectInside(*counterWindow, "mnuCardCounter");
  counter->trigger();
  if (program->Help().IsOpen()) {
    program->Help().ShowTopic("proc", 1020);
    QApplication::processEvents();
    // Help fits itself to the screen it is on: the platform's own, as wide.
    const QRect area = window().screen()->availableGeometry();
    ASSERT_EQ(area.width(), kScreen.width());
    ExpectInside(*program->Help().Window("proc"), "help", area);
    program->Help().Window("proc")->close();
  }
  EXPECT_GE(checked_, 25);
}

}  // namespace
}  // namespace tw::testing
