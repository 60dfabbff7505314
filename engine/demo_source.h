// Demonstration sources: a won deal written as text, one move per line, that
// replays through the engine's own moves. A source reads
//
//   # Klondike: found by demosearch in 1234 nodes
//   game 1
//   deal 4711
//   stock
//   7H Fila3
//   KS Fila1 x3
//   select 5H 8C
//
// Lines starting with "#" are notes. A drop names the card (rank A23456789TJQK
// and suit HDCS; a card of the second deck adds "2") and the target pile,
// "xN" when a run of N cards is lifted; "stock" is a click on the stock;
// "select" completes a selection of the named tableau tops.
#pragma once

#include <string>
#include <vector>

#include "core/state.h"
#include "engine/random_player.h"

namespace tw {

struct DemoMove {
  enum class Kind { Drop, Stock, Select };
  Kind kind = Kind::Stock;
  PlayerMove drop;         // Kind::Drop
  std::vector<int> cards;  // Kind::Select, in click order
};

struct DemoSource {
  int game = -1;
  std::string deal;
  std::vector<std::string> notes;  // without the "# "
  std::vector<DemoMove> moves;
};

// "AH", "TS", "QD2"; an empty text for a code outside 1..104.
std::string DemoCardName(int code);
// The code of a card name, 0 when it is none.
int DemoCardCode(const std::string& name);

std::string FormatDemoMove(const DemoMove& move);
bool ParseDemoMove(const std::string& text, DemoMove& move);

StringList FormatDemoSource(const DemoSource& source);
// False with the faulty line named in error.
bool ParseDemoSource(const StringList& lines, DemoSource& source, std::string& error);

// A context that plays by the engine's rules without a window: no drawing,
// no sounds, no dialogs; game over does nothing. Automatic face-up is on,
// autoplay off, undo unlimited.
struct HeadlessPlay {
  explicit HeadlessPlay(const std::string& programDir);
  HeadlessPlay(const HeadlessPlay&) = delete;
  HeadlessPlay& operator=(const HeadlessPlay&) = delete;

  GameContext ctx;
  bool ready = false;  // the games file was read
  std::string error;

 private:
  struct QuietFlow : GameFlowPort {
    void GameOver(GameContext&) override {}
  };
  DirectDrop drop_;
  QuietFlow flow_;
  EnginePorts ports_;
};

// Every move the player could make now, as the engine judges it: complete
// selections in selection games, else drops; a stock click last.
std::vector<DemoMove> DemoCandidates(GameContext& ctx);

// Makes the move when the engine allows it now; false (nothing moved) when
// it does not.
bool ApplyDemoMove(GameContext& ctx, const DemoMove& move);

// Deals the source's deal of its game and makes every move; the game must be
// won after the last move and not before. False with error naming the game
// and the move that failed.
bool ReplayDemo(GameContext& ctx, const DemoSource& source, std::string& error);

// "G" + 4 digits + ".GAM".
std::string DemoFileName(int game);

}  // namespace tw
