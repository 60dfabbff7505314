// Play on a real table drawing: a program directory copied from the build
// (the deal writes DATA), the table view with its pictures, PlayView as the
// engine's view and drop ports, a clock that ends every wait at once, and
// helpers that press, drag and release at card centres.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/state.h"
#include "engine/gameover.h"
#include "engine/ports.h"
#include "platform/gfx/draw.h"
#include "platform/gfx/reslib.h"
#include "platform/sys/services.h"
#include "table/geometry.h"
#include "table/view/animate.h"
#include "table/view/mouse.h"
#include "table/view/setup.h"
#include "table/view/table_play_drawing.h"
#include "table/view/table_view.h"
#include "tests/engine/fake_ports.h"

namespace tw::testing {

// Card codes: hearts 1..13, diamonds 14..26, clubs 27..39, spades 40..52.
constexpr int Hearts(int rank) { return rank; }
constexpr int Diamonds(int rank) { return 13 + rank; }
constexpr int Clubs(int rank) { return 26 + rank; }
constexpr int Spades(int rank) { return 39 + rank; }

// Every reading of the tick counter is a second later, so busy waits end at
// once; Now is fixed.
class SteppingClock : public sys::Clock {
 public:
  uint64_t ms = 1000000;
  uint64_t step = 1000;
  uint64_t TickMs() override { return ms += step; }
  sys::LocalDateTime Now() override { return {2026, 12, 10, 12, 0, 0}; }
};

class RecordingFlow : public GameFlowPort {
 public:
  int gameOvers = 0;
  void GameOver(GameContext& ctx) override {
    ++gameOvers;
    ctx.TfrmMain.GameInProgress = 0;
    ctx.TfrmMain.GameWon = 0;
  }
};

// Beeps counted; everything else as FakeUi.
class CountingUi : public FakeUi {
 public:
  int beeps = 0;
  int questions = 0;
  bool answer = true;
  std::function<void()> onProcessMessages;
  void Beep(int) override { ++beeps; }
  bool AskYesNo(const std::string&) override {
    ++questions;
    return answer;
  }
  void ProcessMessages() override {
    if (onProcessMessages) onProcessMessages();
  }
};

class PlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string dist = std::string(TW_DIST_DIR) + "/";
    if (!std::filesystem::exists(dist + "QEX.RGF") ||
        !std::filesystem::exists(dist + kGamesFileName)) {
      GTEST_SKIP() << "program directory not built";
    }
    namespace fs = std::filesystem;
    dir_ = fs::temp_directory_path() /
           ("tw_play_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "DATA");
    fs::copy_file(dist + kGamesFileName, dir_ / kGamesFileName);
    fs::copy_file(dist + "QEX.RGF", dir_ / "QEX.RGF");
    if (fs::exists(dist + "Images")) {
      fs::copy(dist + "Images", dir_ / "Images", fs::copy_options::recursive);
    }

    CreateSharedGlobals(ctx, dir_.string() + "/");
    InitCardsAndPiles(ctx);
    ctx.Ui = &ui;
    ctx.Clock = &clock;
    ctx.Random = &random;
    ctx.Table = &view;
    ports.View = &play;
    ports.Drop = &play;
    ports.Window = &fakes.window;
    ports.Sound = &fakes.sound;
    ports.Counter = &fakes.counter;
    fakes.counter.visible = false;
    ports.Dialogs = &fakes.dialogs;
    ports.Flow = &flow;
    ctx.Ports = &ports;
    ASSERT_TRUE(library.Open(dir_.string() + "/QEX.RGF"));
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
    ctx.SetCfg(cfg::UserDefault, "Tester");
    ctx.SetCfg(cfg::Background_def, "Y");
    ctx.SetCfg(cfg::Piles_TT, "N");
    ctx.SetCfg(cfg::Cards_Shadowed, "N");
    ctx.SetCfg(cfg::Cards_Animate, "Y");
    ctx.SetCfg(cfg::Deal_Animation, "N");
    ctx.SetCfg(cfg::Speed_Move_Card, "5");
    ctx.SetCfg(cfg::Card_Size, "B");
    ctx.SetCfg(cfg::Card, "001");
    ctx.SetCfg(cfg::Back_Card, "011");
    ctx.SetCfg(cfg::ScoreKind, "01");

    drawing.LayoutSource = [this] { return layout; };
    layout.FormWidth = 1024 + 16;
    layout.FormHeight = 720 + 28;
    layout.ClientHeight = 720;
    layout.ScrollBarWidth = 16;
    layout.ScreenWidth = 1280;
    layout.ScreenHeight = 1024;
    view.SetTableSize(1024 + 30, 720 + 30);
    view.SetWindowSize(1024, 720);
    TableViewHooks hooks;
    hooks.Repaint = [this](QRect) {
      ++presents;
      if (duringPresent) duringPresent();
    };
    view.SetHooks(hooks);
  }

  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  // A new deal of the game with a fixed deal number.
  void Start(int game, const char* deal = "1") {
    ctx.SetCfg(cfg::Game, IntToText(game));
    ctx.SetCfg(cfg::Game_name, GameNameFromNumber(ctx, game));
    ctx.SetCfg(cfg::DealNumber, deal);
    ctx.GameRules.Clear();
    ASSERT_TRUE(SetupGame(ctx, play));
    ASSERT_TRUE(NewGame(ctx, play, true, false, 1, false));
  }

  static std::string IntToText(int n) {
    std::string s = std::to_string(n);
    return std::string(4 - std::min<size_t>(4, s.size()), '0') + s;
  }

  QPoint CentreOf(int card) {
    Rect r;
    EXPECT_TRUE(FindCardRect(ctx, card, r)) << "card " << card;
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  }
  QPoint ReserveCentre(int i) {
    return QPoint(ctx.GetReserveX(i) + ctx.CardWidth / 2, ctx.GetReserveY(i) + ctx.CardHeight / 2);
  }
  QPoint FoundationCentre(int i) {
    return QPoint(ctx.GetFoundationX(i) + ctx.CardWidth / 2,
                  ctx.GetFoundationY(i) + ctx.CardHeight / 2);
  }
  QPoint StockCentre(int slot) {
    return QPoint(ctx.GetStockX(slot) + ctx.CardWidth / 2,
                  ctx.GetStockY(slot) + ctx.CardHeight / 2);
  }

  void Press(QPoint p, MouseButton b = MouseButton::Left) {
    TableMouseDown(ctx, play, b, 0, p.x(), p.y());
  }
  void Release() { TableMouseUp(ctx, play); }
  void Click(QPoint p) {
    Press(p);
    Release();
  }
  // Press at from, move the pointer in a few steps to to, release.
  void Drag(QPoint from, QPoint to) {
    Press(from);
    for (int k = 1; k <= 4; ++k) {
      TableMouseMove(ctx, play, from.x() + (to.x() - from.x()) * k / 4,
                     from.y() + (to.y() - from.y()) * k / 4);
    }
    Release();
  }
  // What Qt sends for a double-click: press, release, double-click, release.
  void DoubleClick(QPoint p) {
    Press(p);
    Release();
    TableDoubleClick(ctx, play, MouseButton::Left, 0, p.x(), p.y());
    Release();
  }

  // Takes the cards off wherever they lie and makes them piles[index], face
  // up unless listed in down (what lay there goes onto the stock); then the
  // whole table is drawn again.
  void Place(StringList& piles, int index, std::vector<int> cards, std::vector<int> down = {}) {
    ctx.MazzoPiles[0] += piles[static_cast<size_t>(index)];
    piles[static_cast<size_t>(index)].clear();
    for (StringList* l : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles})
      for (std::string& p : *l)
        for (int c : cards)
          for (size_t at = 0; at + 3 <= p.size(); at += 3)
            if (p.compare(at, 3, CardCodeText(c)) == 0) {
              p.erase(at, 3);
              break;
            }
    for (int c : cards) {
      piles[static_cast<size_t>(index)] += CardCodeText(c);
      bool faceDown = false;
      for (int d : down) faceDown = faceDown || d == c;
      SetCardFace(ctx, c, faceDown ? "0" : "1");
    }
    view.RedrawWholeTable();
  }

  struct Table {
    StringList mazzo, dest, fila, appogg;
    bool operator==(const Table&) const = default;
  };
  Table Piles() const { return {ctx.MazzoPiles, ctx.DestPiles, ctx.FilaPiles, ctx.AppoggPiles}; }

  int CardCount() const {
    int n = 0;
    for (const StringList* l : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles})
      for (const std::string& p : *l) n += PileCardCount(p);
    return n;
  }

  gfx::Colour At(const gfx::Bitmap& b, int x, int y) const { return gfx::GetPixel(b, x, y); }
  // The face picture's centre pixel equals the surface's at the card's centre.
  bool ShowsFace(const gfx::Bitmap& surface, int card, int left, int top) {
    const gfx::Bitmap& face = view.Pictures().CardFaces[static_cast<size_t>((card - 1) % 52)];
    for (QPoint d : {QPoint(ctx.CardWidth / 2, ctx.CardHeight / 2), QPoint(8, 8),
                     QPoint(ctx.CardWidth - 9, ctx.CardHeight - 9)}) {
      if (At(surface, left + d.x(), top + d.y()) != At(face, d.x(), d.y())) return false;
    }
    return true;
  }

  // Outside pictures that live only on the window (a drag, a peek), the
  // window shows the table picture.
  int WindowMismatches() {
    const gfx::Bitmap& w = view.WindowCanvas();
    int wrong = 0;
    for (int y = 0; y < w.Height(); ++y)
      for (int x = 0; x < w.Width(); ++x) wrong += At(w, x, y) != At(view.TableBmp(), x, y);
    return wrong;
  }

  std::filesystem::path dir_;
  GameContext ctx;
  CountingUi ui;
  SteppingClock clock;
  FakeRandom random;
  FakePorts fakes;
  RecordingFlow flow;
  EnginePorts ports;
  gfx::ResourceLibrary library;
  TableView view{ctx, library};
  TablePlayDrawing drawing{ctx, view};
  PlayView play{ctx, drawing};
  LayoutInput layout;
  int presents = 0;
  std::function<void()> duringPresent;
};

}  // namespace tw::testing
