// Saved games (".GAM"): a deal in progress with its whole undo history, as
// CR LF text lines. Line 0 holds the tag "[S-0302]", the game, the table
// look (for information only), the seconds played, the score kind, the
// score and the redeals done; line 1 the player, the deal number and the 16
// foundation bases; lines 12-64 the table snapshot; then the sections
// "[UNDO - Stock]" .. "[UNDO - Log]". The redo stacks are not saved.
//
// A file is read and checked whole before anything of the deal in play is
// touched: a damaged or hand-edited file is refused with a message and the
// table, its history, the score and the game stay as they were. Writing goes
// through a temporary file and a rename, so a failed save leaves an older
// file of the same name whole.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/state.h"

namespace tw {

constexpr const char* kSavedGameTag = "[S-0302]";
constexpr int kSavedGameTableLine = 12;

// A saved game as read and checked; applying it is a separate step.
struct SavedGame {
  int Game = 0;
  int64_t Seconds = 0;
  std::string ScoreKind;
  int64_t Score = 0;
  int RedealsDone = 0;
  std::string Player;
  std::string DealNumber;
  std::array<int16_t, kMaxFoundations> Bases{};
  StringList Table;  // 53 snapshot lines
  StringList UndoMazzo, UndoDest, UndoFila, UndoAppogg;
  std::string UndoLog;
};

// Some pile holds a card (a deal, in play or over, lies on the table).
bool TableHoldsCards(const GameContext& ctx);

// The file's lines for the deal in play.
void BuildSavedGameLines(const GameContext& ctx, StringList& lines);

// Reads and checks every field against the rules of the file's game (taken
// from ctx's games file; nothing of ctx changes). Files of a format older
// than "0301" (12 foundations and 21 tableau piles) are widened first. False
// with a message naming the fault.
bool ParseSavedGame(const GameContext& ctx, const StringList& lines, SavedGame& out,
                    std::string& error);

// How play starts on a restored table: an opened file is drawn at once, a
// restarted deal is drawn as an animated deal, a demonstration game is not
// drawn (the demo mode draws once it is back at the first position).
enum class PlayStart { Opened, Restarted, Demo };

// What the window adds around opening and restarting; unset members leave
// it to the engine alone (a headless program, the tests).
struct PlayStartHooks {
  // The setup of CfgRecord.Game for play: rules, card size, layout. Unset:
  // the rules are loaded. False when the game cannot be set up.
  std::function<bool(GameContext&)> Setup;
  // Play started on the restored table without a fresh deal (NewGame with
  // newDeal false). Unset: the play state is reset and the deal marked in
  // progress.
  std::function<void(GameContext&, PlayStart)> StartPlay;
};

// Texts of the window's part: the dialog titles and the overwrite question.
constexpr const char* kSaveGameTitle = "Save game";
constexpr const char* kOpenGameTitle = "Open game";
std::string ReplaceFileQuestion(const std::string& path);

// File/Save: writes the deal in play to path (the window has asked for the
// name and for leave to replace an existing file), then keeps its folder as
// "Dir_Save". Refused while no deal is in progress. Changes nothing of the
// game. On failure the message is shown (ctx.Ui) and returned in error.
bool SaveGame(GameContext& ctx, const std::string& path, std::string& error);

// File/Open of a saved game: the file is read and checked, the player asked
// whether to quit the deal in progress (which is then recorded as lost), and
// the saved deal, its history, score, game, player and deal number replace
// it; play goes on with the clock running from the saved time. False when
// nothing was opened: the question answered no (error empty) or the file
// missing or damaged (the message shown through ctx.Ui and returned).
bool OpenSavedGame(GameContext& ctx, const std::string& path, std::string& error,
                   const PlayStartHooks& hooks = {});

// The demonstration game of the current game (DemoFilePath), opened as a
// saved game but for the player, who stays, and the drawing. A missing or
// damaged file is refused before any question.
bool OpenDemoGame(GameContext& ctx, std::string& error, const PlayStartHooks& hooks = {});

// Restart (and Replay): the current deal from its dealt position with an
// empty history and the clock at 0:00:00; a deal in progress and not won is
// asked about, then recorded as lost. False when nothing was restarted.
bool RestartGame(GameContext& ctx, const PlayStartHooks& hooks = {});

// The folder for the save and open dialogs: "Dir_Save", else the program
// directory.
std::string SavedGamesFolder(const GameContext& ctx);
// The demonstration game of the current game: "Demos\G" + 4 digits + ".GAM".
std::string DemoFilePath(const GameContext& ctx);

}  // namespace tw
