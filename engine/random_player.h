// A player that makes random legal moves: drops found through the engine's
// own legality (in selection games, complete selections instead), stock
// clicks, autoplay, undo and redo. Used to exercise the
// engine over whole deals and to measure it; also a base for hint and demo
// players.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/state.h"
#include "engine/ports.h"

namespace tw {

// A drop routine that plays a card where the target's rule allows it.
class DirectDrop : public DropPort {
 public:
  bool DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) override;
};

// One legal drop: the card (with the run above it when lifted > 1) onto the
// named pile.
struct PlayerMove {
  int card = 0;
  std::string target;
  int lifted = 1;
};

// Games played by selecting cards (pairs, sums, rows), never by dragging.
bool IsSelectionGame(const GameContext& ctx);

// Every drop the rules allow now from the waste top, the reserve tops, the
// face-up tableau cards (with the runs above them) and, where the game lets
// foundation cards be picked, the foundation tops.
std::vector<PlayerMove> LegalDrops(GameContext& ctx);

// Carries out one drop as the table's pick-up and drop would, followed by
// the automatic fill of empty tableau piles. True when it moved.
bool MakeDrop(GameContext& ctx, const PlayerMove& move);

// Complete selections of the selection and pair games among the face-up
// tableau tops, each as the cards in click order. They follow the selection
// rules of the table's press handling for each game kind.
std::vector<std::vector<int>> CompleteSelections(GameContext& ctx);

// Selects the cards on foundation 1 and has them removed as the table does
// once a selection is complete (refilling the empty piles from the stock in
// the games that refill). True when something moved.
bool MakeSelection(GameContext& ctx, const std::vector<int>& cards);

// A left click on the stock, press and release, by the game's stock rules.
// True when something moved.
bool ClickStock(GameContext& ctx);

// Clears the table and its history and deals `dealNumber` of the current
// game (CfgRecord.Game) as a new deal does; false when the rules or the deal
// cannot be made.
bool StartDealForPlay(GameContext& ctx, const std::string& dealNumber);

class RandomPlayer {
 public:
  enum class Action { None, Drop, Stock, Autoplay, Undo, Redo, Select };

  explicit RandomPlayer(uint64_t seed) : state_(seed ? seed : 0x9e3779b97f4a7c15ull) {}
  // One random action; None when it found nothing to do (or was refused).
  Action Step(GameContext& ctx);
  int Next(int range);

 private:
  uint64_t state_;
};

}  // namespace tw
