// GAMES.DAT: the catalogue and the rule table, then a deal of each game and
// a few random moves. A refused file leaves no catalogue; an accepted one
// names each of its games, and a deal made from it holds every card once,
// before and after the moves.
#include "fuzz/fuzz_common.h"

using namespace tw;

namespace {

void CheckEachCardOnce(const fuzz::Table& t) {
  const int cards = t.ctx.GameRules.CardCount();
  std::map<int, int> tally = t.Tally();
  FUZZ_CHECK(tally.count(0) == 0);
  for (const auto& [card, times] : tally) {
    FUZZ_CHECK(card >= 1 && card <= cards);
    FUZZ_CHECK(times == 1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Table t;
  fuzz::WriteBytes(fuzz::ScratchDir() + kGamesFileName, data, size);
  std::string error;
  if (!LoadGameCatalogue(t.ctx, error)) {
    FUZZ_CHECK(!error.empty());
    FUZZ_CHECK(t.ctx.GameList.empty());
    return 0;
  }
  int played = 0;
  for (const std::string& line : t.ctx.GameList) {
    const int game = CatalogueNumber(line);
    FUZZ_CHECK(!GameNameFromNumber(t.ctx, game).empty());
    if (played++ == 4) continue;
    t.ctx.SetCfg(cfg::Game, std::to_string(game));
    if (!StartDealForPlay(t.ctx, "1234567")) continue;
    CheckEachCardOnce(t);
    RandomPlayer player(static_cast<uint64_t>(game) + 1);
    for (int k = 0; k < 40; ++k) player.Step(t.ctx);
    CheckEachCardOnce(t);
  }
  StringList columns;
  ListGamesDatColumns(t.ctx, 338, 339, columns);
  FUZZ_CHECK(columns.size() == t.ctx.GameList.size());
  return 0;
}
