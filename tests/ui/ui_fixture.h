// The real program on the offscreen platform: a program directory made of
// links to the built one (so DATA is written in a fresh folder), chosen
// preferences, scripted message boxes, a clock that ends every wait at once,
// and mouse helpers that send what a user's mouse sends to the window.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/state.h"
#include "platform/qt/prompts.h"
#include "platform/sys/files.h"
#include "platform/sys/services.h"
#include "table/geometry.h"
#include "ui/main_window.h"
#include "ui/program.h"

namespace tw::testing {

// Every reading of the tick counter is a second later, so busy waits end at
// once; the time of day is fixed.
class SteppingClock : public sys::Clock {
 public:
  uint64_t ms = 1000000;
  // Runs at every reading: a look at the screen during a busy wait.
  std::function<void()> onTick;
  uint64_t TickMs() override {
    if (onTick) onTick();
    return ms += 1000;
  }
  sys::LocalDateTime Now() override { return {2026, 12, 10, 12, 0, 0}; }
};

class ScriptedPrompts : public qt::Prompts {
 public:
  std::vector<std::string> messages, questions;
  // The buttons of each question: "Yes/No", "OK/Cancel" or "Yes/No/Cancel".
  std::vector<std::string> buttons;
  bool answer = true;
  // The answers to the three-button questions, in turn; Cancel once used up.
  std::vector<Reply> replies;
  int beeps = 0;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    buttons.push_back("Yes/No");
    return answer;
  }
  bool AskOkCancel(const std::string& text) override {
    questions.push_back(text);
    buttons.push_back("OK/Cancel");
    return answer;
  }
  Reply AskYesNoCancel(const std::string& text) override {
    questions.push_back(text);
    buttons.push_back("Yes/No/Cancel");
    if (replies.empty()) return Reply::Cancel;
    const Reply r = replies.front();
    replies.erase(replies.begin());
    return r;
  }
  void ShowError(const std::string& caption, const std::string& text) override {
    messages.push_back(caption + "|" + text);
  }
  void Beep(int) override { ++beeps; }
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
};

// A fresh program directory: links to GAMES.DAT, QEX.RGF, Images and SOUNDS
// of the build, and DATA\CFG.DAT with the given "Preference" lines.
class ProgramDir {
 public:
  explicit ProgramDir(const std::string& name) {
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() / ("tw_ui_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~ProgramDir() { std::filesystem::remove_all(dir_); }
  ProgramDir(const ProgramDir&) = delete;
  ProgramDir& operator=(const ProgramDir&) = delete;

  static bool DistBuilt() {
    const std::string dist = std::string(TW_DIST_DIR) + "/";
    return std::filesystem::exists(dist + "QEX.RGF") &&
           std::filesystem::exists(dist + kGamesFileName);
  }
  void LinkDist(const std::vector<std::string>& names = {"GAMES.DAT", "QEX.RGF", "Images", "SOUNDS",
                                                         "Demos", "tarnwell.hlp"}) {
    for (const std::string& n : names) {
      const std::filesystem::path from = std::filesystem::path(TW_DIST_DIR) / n;
      if (std::filesystem::exists(from)) std::filesystem::create_symlink(from, dir_ / n);
    }
  }
  void WriteCfg(const std::vector<std::string>& lines) {
    std::filesystem::create_directories(dir_ / "DATA");
    sys::ReplaceFileLines((dir_ / "DATA" / "CFG.DAT").string(), lines);
  }
  std::string ReadCfg() const {
    std::string text;
    sys::ReadFileBytes((dir_ / "DATA" / "CFG.DAT").string(), text);
    return text;
  }
  std::string Path() const { return dir_.string() + "/"; }

 private:
  std::filesystem::path dir_;
};

// Preferences of the window tests: no animations, no autoplay, no shadow
// wait, the default table look, no current game (each test deals its own),
// no hi-score table after a deal (its dialog would wait for an answer).
inline std::vector<std::string> QuietPreferences(std::vector<std::string> extra = {}) {
  // The first of two equal keys wins: the test's own lines come first.
  std::vector<std::string> lines = {"[Preference]"};
  lines.insert(lines.end(), extra.begin(), extra.end());
  for (const char* line : {"Game=-1", "UserDefault=Tester", "Cards_Animate=N", "Deal_Animation=N",
                           "Redeal_Animation=N", "Winning_Animation=N", "Speed_Move_Card=0",
                           "AutoPlay=N", "Background_def=Y", "Sounds_Enabled=Y",
                           "ConfirmEnterHiScores=N"}) {
    lines.push_back(line);
  }
  lines.push_back("[Users]");
  lines.push_back("User001=Tester");
  return lines;
}

// Runs act and hands every modal dialog it brings up (one opened from another
// included) to seen once the dialog is on the screen, then closes it.
// Returns how many were seen.
inline int EachModalDialog(const std::function<void()>& act,
                           const std::function<void(QDialog&)>& seen) {
  int count = 0;
  QWidget* last = nullptr;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (d == nullptr || d == last || !d->isVisible()) return;
    last = d;
    ++count;
    seen(*d);
    d->reject();
  });
  poll.start(5);
  act();
  QApplication::processEvents();
  poll.stop();
  return count;
}

// Runs act once the modal dialog is on the screen (from inside its exec).
inline void WhenShown(QWidget* dialog, std::function<void()> act) {
  auto* timer = new QTimer(dialog);
  QObject::connect(timer, &QTimer::timeout, dialog, [timer, dialog, act = std::move(act)] {
    if (!dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    act();
  });
  timer->start(0);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramDir::DistBuilt()) GTEST_SKIP() << "program directory not built";
    dir_ = std::make_unique<ProgramDir>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    dir_->LinkDist();
    dir_->WriteCfg(QuietPreferences(ExtraPreferences()));
    program = std::make_unique<Program>(dir_->Path(), TestOptions());
    int exitCode = -1;
    ASSERT_TRUE(program->Start(exitCode));
    program->Show();
    window().RunFirstActivation();
    QApplication::processEvents();
  }

  void TearDown() override {
    if (program) program->Window().hide();
    program.reset();
    dir_.reset();
  }

  // Quiet, without splash, with the scripted prompts and the stepping clock.
  ProgramOptions TestOptions() {
    ProgramOptions options;
    options.Muted = true;
    options.Splash = false;
    options.Prompts = &prompts;
    options.Clock = &clock;
    options.FixedWidth = WindowSize().width();
    options.FixedHeight = WindowSize().height();
    options.FirstDealDirect = FirstDealDirect();
    return options;
  }

  virtual std::vector<std::string> ExtraPreferences() { return {}; }
  virtual QSize WindowSize() { return QSize(1000, 740); }
  // The first activation deals without the open-game dialog.
  virtual bool FirstDealDirect() { return true; }

  GameContext& ctx() { return program->Context(); }
  MainWindow& window() { return program->Window(); }
  QWindow* handle() { return window().windowHandle(); }

  void Deal(int game, const char* deal) { ASSERT_TRUE(window().PlayGame(game, deal)); }

  // Table point to the top-level window's coordinates.
  QPoint At(QPoint table) { return window().Surface()->mapTo(&window(), table); }

  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(handle(), b, Qt::NoModifier, At(p));
  }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(handle(), b, Qt::NoModifier, At(p));
  }
  void Click(QPoint p) {
    Press(p);
    Release(p);
  }
  void MoveTo(QPoint p) { QTest::mouseMove(handle(), At(p)); }
  // Press at from, move there in steps, release.
  void Drag(QPoint from, QPoint to) {
    Press(from);
    for (int k = 1; k <= 5; ++k) {
      MoveTo(
          QPoint(from.x() + (to.x() - from.x()) * k / 5, from.y() + (to.y() - from.y()) * k / 5));
    }
    Release(to);
  }
  void DoubleClick(QPoint p) {
    QTest::mouseDClick(handle(), Qt::LeftButton, Qt::NoModifier, At(p));
  }

  // Top-left corner of a card of the waste, a reserve or a tableau pile.
  QPoint CardPlace(int card) {
    auto find = [&](const StringList& piles, const char* prefix, int count) -> std::string {
      for (int i = 0; i < count && i < static_cast<int>(piles.size()); ++i) {
        const std::string& pile = piles[static_cast<size_t>(i)];
        for (int k = 0; k < PileCardCount(pile); ++k) {
          if (PileCardAt(pile, k) == card) {
            place_k_ = PileCardCount(pile) - 1 - k;
            return prefix + std::to_string(i + 1);
          }
        }
      }
      return "";
    };
    const GameRulesRecord& rules = ctx().GameRules;
    std::string name = find(ctx().FilaPiles, "Fila", rules.TableauCount());
    if (name.empty()) name = find(ctx().AppoggPiles, "Appogg", rules.ReserveCount());
    if (name.empty()) name = find(ctx().DestPiles, "Dest", rules.FoundationCount());
    if (name.empty() && TopCard(ctx().MazzoPiles[1]) == card) {
      return QPoint(ctx().GetStockX(1), ctx().GetStockY(1));
    }
    EXPECT_FALSE(name.empty()) << "card " << card << " is on no pile";
    int index = 0;
    ParsePileName(name, index);
    return QPoint(CardLeftX(ctx(), name, index, place_k_, false),
                  CardTopY(ctx(), name, index, place_k_, false));
  }
  // A point on the card's visible strip (its top-left part).
  QPoint Grip(int card) { return CardPlace(card) + QPoint(12, 6); }
  QPoint Offset(int card, QPoint p) { return p - CardPlace(card); }
  int place_k_ = 0;

  std::unique_ptr<ProgramDir> dir_;
  SteppingClock clock;
  ScriptedPrompts prompts;
  std::unique_ptr<Program> program;
};

}  // namespace tw::testing
