// A context set up for play: fake surroundings, a drop routine that plays by
// the engine's rules, and a recording stand-in for the game-over routine.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "engine/random_player.h"
#include "engine/undo.h"
#include "tests/engine/engine_fixture.h"
#include "tests/platform/temp_dir.h"

namespace tw::testing {

class FakeFlow : public GameFlowPort {
 public:
  int gameOvers = 0;
  void GameOver(GameContext&) override { ++gameOvers; }
};

class BeepingUi : public FakeUi {
 public:
  int beeps = 0;
  void Beep(int) override { ++beeps; }
};

// Four foundations built up in suit from the Ace, four tableau piles built
// down in alternate colours with any card on a space, two free cells; a
// stock turned one card at a time onto the waste without redeals.
class PlayTest : public EngineTest {
 protected:
  PlayTest() {
    fakes.ports.Drop = &drop;
    fakes.ports.Flow = &flow;
    ctx.Ui = &beeper;
    ctx.SetCfg(cfg::Undo_Enabled, "0");
    ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
    for (CfgField f :
         {cfg::Sounds_Enabled, cfg::Sounds_Foundation, cfg::Sounds_Autoplay, cfg::Sounds_Tableau,
          cfg::Sounds_Stock, cfg::Sounds_FaceUp, cfg::Sounds_Shuffle, cfg::Sounds_Redeal,
          cfg::Sounds_Undo, cfg::Sounds_Redo}) {
      ctx.SetCfg(f, "Y");
    }
    ctx.TfrmMain.GameInProgress = 1;
    ctx.GameState.RedealsDone() = 1;
    GameRulesRecord& r = ctx.GameRules;
    r.CardCount() = 52;
    r.FoundationCount() = 4;
    r.TableauCount() = 4;
    r.ReserveCount() = 2;
    r.FoundationMaxCards() = 13;
    r.HasStock() = 1;
    r.HasWaste() = 1;
    r.CardsPerStockTurn() = 1;
    r.Deals() = 1;
    for (int i = 0; i < 4; ++i) {
      r.FoundationBase(i) = 1;
      r.FoundationDirection(i) = 1;
      r.FoundationRule(i) = 0;
      r.TableauStart(i) = -1;
      r.TableauDirection(i) = 0;
      r.TableauRule(i) = 3;
    }
    for (int i = 0; i < kMaxFoundations; ++i) {
      ctx.FoundationX[static_cast<size_t>(i)] = i < 4 ? 100 * i : kUnusedFoundation;
    }
    for (int i = 0; i < kMaxReserves; ++i) {
      ctx.ReserveX[static_cast<size_t>(i)] = i < 2 ? 100 * i : kUnusedReserve;
    }
  }

  int Sounds(const std::string& name) const {
    int n = 0;
    for (const std::string& s : fakes.sound.played) n += s == name;
    return n;
  }

  std::string Snapshot() const {
    StringList lines;
    SaveTableSnapshot(ctx, lines);
    std::string all;
    for (const std::string& line : lines) all += line + "|";
    return all;
  }

  // Every card 1..n lies in exactly one pile (holes aside).
  bool EachCardOnce(int n, std::string& why) const {
    std::map<int, int> tally = CardTally();
    tally.erase(0);
    for (int c = 1; c <= n; ++c) {
      if (tally[c] != 1) {
        why = "card " + std::to_string(c) + " lies " + std::to_string(tally[c]) + " times";
        return false;
      }
    }
    if (static_cast<int>(tally.size()) != n) {
      why = std::to_string(tally.size()) + " distinct codes";
      return false;
    }
    return true;
  }

  DirectDrop drop;
  FakeFlow flow;
  BeepingUi beeper;
};

// The shipped games file loaded and kept in memory; every file the run
// writes goes to dir, which holds an empty DATA folder. Skipped when no games
// file was built.
class ShippedGamesTest : public PlayTest {
 protected:
  void SetUp() override {
    const std::string dist = std::string(TW_DIST_DIR) + "/";
    if (!std::filesystem::exists(dist + kGamesFileName)) GTEST_SKIP() << "no games file built";
    CreateSharedGlobals(ctx, dist);
    InitCardsAndPiles(ctx);
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
    ctx.ProgramDir = dir.Dir();
    std::filesystem::create_directory(dir.File("DATA"));
  }

  TempDir dir;
};

}  // namespace tw::testing
