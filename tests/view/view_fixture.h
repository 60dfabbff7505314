// A context on the generated program directory (games file, picture
// library, Images) with a table view, and helpers to deal a game at a card
// size and draw it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/state.h"
#include "engine/deal.h"
#include "platform/gfx/draw.h"
#include "platform/gfx/reslib.h"
#include "table/geometry.h"
#include "table/layout.h"
#include "table/view/table_view.h"
#include "tests/engine/fake_ports.h"

namespace tw::testing {

constexpr int kKlondike = 0;
constexpr int kFreeCell = 1;

struct WindowSize {
  int width, height;
};

// A natural window for each card size.
inline WindowSize WindowFor(char size) {
  if (size == 'B') return {1024, 720};
  if (size == 'M') return {860, 600};
  return {640, 440};
}

class ViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::string(TW_DIST_DIR) + "/";
    if (!std::filesystem::exists(dir_ + "QEX.RGF") ||
        !std::filesystem::exists(dir_ + kGamesFileName))
      GTEST_SKIP() << "program directory not built";
    CreateSharedGlobals(ctx, dir_);
    InitCardsAndPiles(ctx);
    ctx.Ui = &ui;
    ctx.Ports = &fakes.ports;
    ASSERT_TRUE(library.Open(dir_ + "QEX.RGF"));
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
    ctx.SetCfg(cfg::Background_def, "Y");
    ctx.SetCfg(cfg::Piles_TT, "N");
    ctx.SetCfg(cfg::Cards_Shadowed, "N");
  }

  // Deals the game at the size and lays it out in a window of the size's
  // natural dimensions; nothing drawn yet.
  void Deal(int game, char size, const char* number = "1") {
    ctx.SetCfg(cfg::Game, std::to_string(game));
    ctx.GameRules.Clear();
    ASSERT_TRUE(LoadGameRules(ctx)) << "game " << game;
    InitCardsAndPiles(ctx);
    ctx.SetCfg(cfg::DealNumber, number);
    ASSERT_TRUE(DealCards(ctx));
    ctx.SetCfg(cfg::Card_Size, std::string(1, size));
    ctx.SetCfg(cfg::Card, size == 'B' ? "001" : "003");
    ctx.SetCfg(cfg::Back_Card, size == 'B' ? "011" : "006");
    SetCardSize(ctx);
    SetFanSteps(ctx);
    ResetPilePositions(ctx);
    const WindowSize w = WindowFor(size);
    LayoutInput in;
    in.FormWidth = w.width + 16;
    in.FormHeight = w.height + 28;
    in.ClientHeight = w.height;
    in.ScrollBarWidth = 16;
    in.ScreenWidth = 1280;
    in.ScreenHeight = 1024;
    ComputeLayout(ctx, in);
    view.SetTableSize(w.width + 30, w.height + 30);
    view.SetWindowSize(w.width, w.height);
    view.ReloadCardPictures();
    ctx.TfrmMain.GameInProgress = 1;
  }

  void DrawDealt(bool animate = false) {
    view.PaintBackgroundFromSettings(view.TableBmp());
    view.DrawTable(view.TableBmp(), animate);
  }

  gfx::Colour At(const gfx::Bitmap& b, int x, int y) const { return gfx::GetPixel(b, x, y); }

  std::string dir_;
  GameContext ctx;
  FakeUi ui;
  FakePorts fakes;
  gfx::ResourceLibrary library;
  TableView view{ctx, library};
};

}  // namespace tw::testing
