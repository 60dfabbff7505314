// Windows over the table: help opened from a modal dialog, the end of the
// program with help open, the chooser's statistics, the card counter's
// first place, fixed form dialogs and the width of the question boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

#include "core/gamesfile.h"
#include "core/util.h"
#include "tests/ui/ui_fixture.h"
#include "ui/card_counter.h"
#include "ui/custom_rules.h"
#include "ui/deal_number.h"
#include "ui/favourites.h"
#include "ui/overall_dialog.h"
#include "ui/players_dialog.h"
#include "ui/help_viewer.h"
#include "ui/open_game.h"
#include "ui/statistics_dialog.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0, kFreeCell = 1;

template <typename T>
T* Named(QWidget* parent, const QString& text) {
  for (T* w : parent->findChildren<T*>()) {
    if (w->text() == text) return w;
  }
  return nullptr;
}

// A click as the window system delivers it: modality applies.
void SystemClick(QWidget* w) {
  QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    w->mapTo(w->window(), w->rect().center()));
}

class DialogWindowsTest : public WindowTest {
 protected:
  HelpService& Help() { return program->Help(); }
};

TEST_F(DialogWindowsTest, HelpFromAModalDialogIsUsableAndOutlivesIt) {
  if (!Help().IsOpen()) GTEST_SKIP() << "help file not built";
  for (int nested : {0, 1}) {
    QDialog outer(&window());
    QDialog inner(&outer);
    QDialog& top = nested ? inner : outer;
    std::string page;
    WhenShown(&outer, [&] {
      if (nested) {
        inner.exec();
        outer.accept();
        return;
      }
    });
    WhenShown(&top, [&] {
      Help().ShowTopic("proc", 4008);
      HelpWindow* w = Help().Window("proc");
      ASSERT_NE(w, nullptr);
      QApplication::processEvents();
      SystemClick(Named<QToolButton>(w, "&Contents"));
      page = w->CurrentPage().toStdString();
      top.accept();
    });
    outer.exec();
    EXPECT_EQ(page, "contents.html") << "nested " << nested;
    // Given back when the dialog closed, still open over the main window.
    HelpWindow* w = Help().Window("proc");
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowHandle()->transientParent(), handle());
    w->close();
  }
}

// Opened from a dialog that hangs over the bottom of the screen, help lies
// inside the screen's available area with room for its title bar.
TEST_F(DialogWindowsTest, HelpFromALowDialogStaysOnTheScreen) {
  if (!Help().IsOpen()) GTEST_SKIP() << "help file not built";
  QDialog low(&window());
  low.resize(360, 240);
  const QRect area = window().screen()->availableGeometry();
  low.move(area.right() - 200, area.bottom() - 120);
  QRect shown;
  WhenShown(&low, [&] {
    Help().ShowTopic("proc", 1020);
    QApplication::processEvents();
    HelpWindow* w = Help().Window("proc");
    ASSERT_NE(w, nullptr);
    shown = w->frameGeometry().adjusted(0, -28, 0, 0);
    low.accept();
  });
  low.exec();
  EXPECT_TRUE(area.contains(shown)) << shown.x() << "," << shown.y() << " " << shown.width()
                                    << "x" << shown.height() << " in " << area.width() << "x"
                                    << area.height();
}

TEST_F(DialogWindowsTest, ClosingTheMainWindowEndsTheProgramWithHelpOpen) {
  if (!Help().IsOpen()) GTEST_SKIP() << "help file not built";
  Help().ShowTopic("rules", 3000 + kKlondike);
  ASSERT_TRUE(Help().Window("rules")->isVisible());
  bool stillRunning = false;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [&stillRunning] {
    stillRunning = true;
    QApplication::exit(1);
  });
  QTimer::singleShot(0, &window(), [this] { window().Action("mnuEsci")->trigger(); });
  watchdog.start(5000);
  QApplication::exec();
  watchdog.stop();
  EXPECT_FALSE(stillRunning);
}

TEST_F(DialogWindowsTest, ChooserStatisticsButtonAndPopupShowTheSelectedGameAndPlayer) {
  OpenGameDialog& chooser = program->OpenGame();
  std::vector<std::string> shown;
  window().SetStatisticsPrepare([&shown](QDialog& d) {
    WhenShown(&d, [&shown, &d] {
      auto& stats = static_cast<StatisticsDialog&>(d);
      shown.push_back(stats.windowTitle().toStdString() + " " +
                      stats.Players()->currentText().toStdString());
      d.accept();
    });
  });
  WhenShown(&chooser, [&] {
    QTreeWidgetItem* node = chooser.FindNode(kKlondike);
    ASSERT_NE(node, nullptr);
    chooser.SelectNode(node);
    QApplication::processEvents();
    SystemClick(Named<QPushButton>(&chooser, "Statistics"));
    // The tree's pop-up menu, opened with the right button.
    QTreeWidget* tree = chooser.Tree();
    const QPoint at = tree->viewport()->mapTo(&chooser, tree->visualItemRect(node).center());
    QTest::mouseClick(chooser.windowHandle(), Qt::RightButton, Qt::NoModifier, at);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr);
    for (QAction* a : popup->actions()) {
      if (a->text() == "Statistics...") {
        QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier,
                          popup->actionGeometry(a).center());
      }
    }
    chooser.reject();
  });
  window().RunOpenGame();
  window().SetStatisticsPrepare({});
  const std::string want =
      "Statistics [" + TrimRightSpaces(GameNameFromNumber(ctx(), kKlondike)) + "] Tester";
  EXPECT_EQ(shown, (std::vector<std::string>{want, want}));
}

TEST_F(DialogWindowsTest, CardCounterFirstOpensBelowTheMenusAndTheTopRow) {
  Deal(kFreeCell, "7");
  window().Action("mnuCardCounter")->trigger();
  QApplication::processEvents();
  auto* counter = window().findChild<CardCounterWindow*>();
  ASSERT_NE(counter, nullptr);
  ASSERT_TRUE(counter->isVisible());
  const QRect frame = counter->frameGeometry();
  // The top row: the free cells and foundations of FreeCell.
  const QPoint rowBottom(0, ctx().GetFoundationY(0) + ctx().CardHeight);
  EXPECT_GT(frame.top(), window().Surface()->mapToGlobal(rowBottom).y());
  const QPoint menuBottom(0, window().menuBar()->height());
  EXPECT_GT(frame.top(), window().menuBar()->mapToGlobal(menuBottom).y());
  EXPECT_TRUE(window().frameGeometry().contains(frame.topLeft()));
  counter->close();
}

// Form dialogs keep the size of their form: no resize handle at the
// bottom edge (the grids and charts may grow).
TEST_F(DialogWindowsTest, FormDialogsCannotBeResized) {
  Deal(kFreeCell, "7");
  std::vector<std::unique_ptr<QDialog>> dialogs;
  dialogs.push_back(std::make_unique<StatisticsDialog>(ctx(), StatisticsHooks{}, &window()));
  dialogs.push_back(std::make_unique<OverallDialog>(ctx(), &window()));
  dialogs.push_back(std::make_unique<OverallPublishDialog>(std::string(68, '1'), "x", &window()));
  dialogs.push_back(std::make_unique<DealNumberDialog>(ctx(), prompts, &window()));
  dialogs.push_back(std::make_unique<PlayersDialog>(ctx(), prompts, &window()));
  dialogs.push_back(std::make_unique<FavouritesDialog>(ctx(), &window()));
  dialogs.push_back(std::make_unique<CustomRulesDialog>(ctx(), prompts, &window()));
  for (auto& d : dialogs) {
    d->show();
    QApplication::processEvents();
    EXPECT_EQ(d->minimumSize(), d->maximumSize()) << d->objectName().toStdString();
    d->close();
  }
}

TEST(QuestionBoxes, AreWideEnoughForTheirTitle) {
  qt::QtPrompts prompts("Tarnwell 2000");
  bool asked = false;
  int width = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    asked = true;
    width = box->width();
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(prompts.AskYesNo("Quit this game?"));
  ASSERT_TRUE(asked);
  QFont bold = QApplication::font();
  bold.setBold(true);
  // The title, the window menu and three title-bar buttons.
  EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance("Tarnwell 2000") + 120);
}

}  // namespace
}  // namespace tw::testing
