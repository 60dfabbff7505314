// Saved games: a deal of Klondike is in play when the file is opened. A
// refused file leaves that deal, its history, score, game and player
// untouched; an accepted one plays on, saves again, and the saved file opens
// to the very same table and history.
#include "engine/savegame.h"
#include "engine/undo.h"
#include "fuzz/fuzz_common.h"
#include "platform/sys/files.h"

using namespace tw;

namespace {

struct State {
  StringList table, undoMazzo, undoDest, undoFila, undoAppogg;
  std::string undoLog, game, score, player, deal;
  GameRulesRecord rules;

  explicit State(const GameContext& ctx)
      : undoMazzo(ctx.UndoMazzo),
        undoDest(ctx.UndoDest),
        undoFila(ctx.UndoFila),
        undoAppogg(ctx.UndoAppogg),
        undoLog(ctx.UndoLog),
        game(ctx.Cfg(cfg::Game)),
        score(ctx.Cfg(cfg::Score)),
        player(ctx.Cfg(cfg::UserDefault)),
        deal(ctx.Cfg(cfg::DealNumber)),
        rules(ctx.GameRules) {
    SaveTableSnapshot(ctx, table);
  }
  bool operator==(const State& o) const {
    return table == o.table && undoMazzo == o.undoMazzo && undoDest == o.undoDest &&
           undoFila == o.undoFila && undoAppogg == o.undoAppogg && undoLog == o.undoLog &&
           game == o.game && score == o.score && player == o.player && deal == o.deal &&
           rules.words == o.rules.words;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Table t;
  t.LoadSeedGames();
  t.ctx.SetCfg(cfg::Game, "0000");
  if (!StartDealForPlay(t.ctx, "31415")) std::abort();
  RandomPlayer player(3);
  for (int k = 0; k < 12; ++k) player.Step(t.ctx);
  t.ctx.TfrmMain.GameInProgress = 1;

  const State before(t.ctx);
  const std::string path = fuzz::ScratchDir() + "in.GAM";
  fuzz::WriteBytes(path, data, size);
  std::string error;
  if (!OpenSavedGame(t.ctx, path, error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(State(t.ctx) == before);
    return 0;
  }

  RandomPlayer more(size);
  for (int k = 0; k < 12; ++k) more.Step(t.ctx);
  t.ctx.TfrmMain.GameInProgress = 1;
  const std::string saved = fuzz::ScratchDir() + "out.GAM";
  FUZZ_CHECK(SaveGame(t.ctx, saved, error));
  const State played(t.ctx);

  StringList lines;
  FUZZ_CHECK(sys::ReadFileLines(saved, lines));
  SavedGame parsed;
  FUZZ_CHECK(ParseSavedGame(t.ctx, lines, parsed, error));

  // Opened on a fresh table, the file gives back what was saved.
  fuzz::Table again;
  again.LoadSeedGames();
  FUZZ_CHECK(OpenSavedGame(again.ctx, saved, error));
  FUZZ_CHECK(State(again.ctx) == played);
  return 0;
}
