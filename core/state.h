// The shared game state: every variable that the engine, the layout, the
// drawing and the windows read and write, held in one context object that
// the program entry creates and passes by reference.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/cfg.h"
#include "core/rules.h"

namespace tw {

namespace sys {
class Clock;
class RandomSource;
class UiHooks;
}  // namespace sys

using StringList = std::vector<std::string>;

struct Rect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
};

// Play-state words: X(name, word).
#define TW_STATE_WORDS(X)      \
  X(FanStepDownUp, 0)          \
  X(FanStepRightUp, 1)         \
  X(FanStepDownDown, 2)        \
  X(FanStepRightDown, 3)       \
  X(TableauRoomY, 4)           \
  X(TableauPitchX, 5)          \
  X(ClosePending, 7)           \
  X(FanStepRight4, 8)          \
  X(RedealsDone, 9)            \
  X(SmallScreenState, 10)      \
  X(FanStep5, 11)              \
  X(LiftedCards, 12)           \
  X(DragActive, 14)            \
  X(PokerPanelX, 15)           \
  X(PokerPanelY, 16)           \
  X(PokerPanelWidth, 17)       \
  X(SmallScreenMsgShown, 18)   \
  X(FanStepRight6, 19)         \
  X(FanStepRight6Down, 20)     \
  X(LastClickX, 21)            \
  X(LastClickY, 22)            \
  X(DemoTrackFrom, 23)         \
  X(TableDrawn, 24)            \
  X(RedealMarkerShown, 25)     \
  X(ScrollOffsetY, 26)         \
  X(MovesMade, 27)             \
  X(PokerPanelBaseY, 28)       \
  X(TableHeight, 29)           \
  X(MovingCard, 30)            \
  X(RunLastCard, 31)           \
  X(GridColumns, 32)

constexpr int kGameStateWordCount = 33;

struct GameStateRecord {
  std::array<int16_t, kGameStateWordCount> words{};
  int16_t& operator[](int n) { return words[static_cast<size_t>(n)]; }
  int16_t operator[](int n) const { return words[static_cast<size_t>(n)]; }
#define TW_STATE_ACCESSOR(name, word)          \
  int16_t& name() { return words[word]; }      \
  int16_t name() const { return words[word]; }
  TW_STATE_WORDS(TW_STATE_ACCESSOR)
#undef TW_STATE_ACCESSOR
};

// Play flags that belong to the main window but are read and written by the
// engine on every move.
struct MainWindowFlags {
  Rect DragImageRect;
  Rect DragRect;
  int MouseDownX = 0, MouseDownY = 0;
  Rect CardRect;
  int CardMaskMode = 0;
  int DragHeight = 0;
  int DragOffsetY = 0, DragOffsetX = 0;
  int PeekCardX = 0, PeekCardY = 0;
  uint8_t DoubleClicked = 0;
  uint8_t WinAnimationRunning = 0;
  uint8_t GameInProgress = 0;
  uint8_t GameWon = 0;
  uint8_t StopAutoPlay = 0;
  // The autoplay command is checked and enabled; the window keeps it in step.
  uint8_t AutoPlayOn = 0;
  uint8_t FirstActivation = 1;
  int ShadowOffset = 0;
  uint8_t ClockRunning = 0;
  // The deal is paused (the Pause command's check mark), and whether the
  // clock ran when the pause began.
  uint8_t Paused = 0;
  uint8_t PausedClockRunning = 0;
  // Nesting depth of moves and flights under way; while above 0 the table's
  // mouse handlers ignore presses and the window swallows input.
  int BusyDepth = 0;
  // Counts the deals started; loops that may outlive their deal (a new game
  // started from the game-won dialog) stop when it changes.
  int DealSerial = 0;
  // A right-button peek is shown (a peek at x or y 0 is still one).
  uint8_t PeekShown = 0;
};

constexpr int kStockSlots = 3;
constexpr int kMaxFoundations = 16;
constexpr int kMaxTableaus = 26;
constexpr int kMaxReserves = 8;
constexpr int kCardCodes = 104;

constexpr int16_t kUnusedStock = -10000;
constexpr int16_t kUnusedFoundation = -10001;
constexpr int16_t kUnusedTableau = -10002;
constexpr int16_t kUnusedReserve = -10003;
// A stored coordinate below this marks a pile the game does not use.
constexpr int kUnusedBelow = -9999;

// LocateCard of every code 1..104 (entry 0 unused), for GameContext::CardLocations.
struct CardLocationIndex {
  bool filled = false;
  std::array<int16_t, kCardCodes + 1> locations{};
};

class TablePort;
class GamesFile;
struct EnginePorts;

struct GameContext {
  GameContext();

  // Pile lists: entry counts 3 / 16 / 26 / 8 never change after start-up.
  StringList MazzoPiles, DestPiles, FilaPiles, AppoggPiles;
  StringList MazzoPilesBackup, DestPilesBackup, FilaPilesBackup, AppoggPilesBackup;
  StringList UndoMazzo, UndoDest, UndoFila, UndoAppogg;
  StringList RedoMazzo, RedoDest, RedoFila, RedoAppogg;
  std::string UndoLog, RedoLog;
  StringList GameList;     // decoded catalogue lines of the games file
  StringList CardRecords;  // 104 records of 20 characters

  GameRulesRecord GameRules;
  // The parsed games file, read once at start-up (it is read-only); null until then.
  std::shared_ptr<const GamesFile> GamesData;
  std::array<int16_t, 44> SavedPileRules{};
  GameStateRecord GameState;
  CfgRecordData CfgRecord;
  // The program directory in full (the record's field holds 200 characters).
  std::string ProgramDir;

  std::array<int16_t, kMaxTableaus> TableauX{}, TableauY{};
  std::array<int16_t, kMaxFoundations> FoundationX{}, FoundationY{};
  std::array<int16_t, kMaxReserves> ReserveX{}, ReserveY{};
  std::array<int16_t, kStockSlots> StockX{}, StockY{};
  std::array<int16_t, kStockSlots> StockBaseX{}, StockBaseY{}, StockBaseYUnscrolled{};

  int CardWidth = 0, CardHeight = 0;
  // Sideways offsets of irregular piles: seven patterns, entry 0 always 0.
  std::array<std::array<int16_t, 13>, 7> JitterPatterns{};
  // Seconds since the epoch of the machine's clock.
  int64_t GameStartTime = 0, GameEndTime = 0, PauseStartTime = 0;
  uint8_t DemoMode = 0;
  int ReserveDealCounter = 0;
  // While set, LocateCard answers codes 1..104 from this index, filled on its
  // first use, instead of searching the piles; whoever sets it leaves the
  // piles alone until it is cleared.
  CardLocationIndex* CardLocations = nullptr;

  MainWindowFlags TfrmMain;

  // Services of the surroundings; never null once the program entry or a
  // test has set them up.
  sys::UiHooks* Ui = nullptr;
  sys::Clock* Clock = nullptr;
  sys::RandomSource* Random = nullptr;
  // Drawing that follows changes of the pile store; null draws nothing.
  TablePort* Table = nullptr;
  // What the engine asks of the window, drawing, sounds, card counter and
  // dialogs (engine/ports.h); null members do nothing.
  EnginePorts* Ports = nullptr;

  // Position accessors (0-based); the Y getters return table coordinates
  // minus the scroll offset, computed in int so that an unused pile's value
  // stays below kUnusedBelow. The tableau arrays are indexed directly.
  int GetStockX(int i) const { return StockX[static_cast<size_t>(i)]; }
  int GetStockY(int i) const { return StockY[static_cast<size_t>(i)] - GameState.ScrollOffsetY(); }
  void SetStockX(int i, int v) { StockX[static_cast<size_t>(i)] = static_cast<int16_t>(v); }
  void SetStockY(int i, int v) { StockY[static_cast<size_t>(i)] = static_cast<int16_t>(v); }
  int GetFoundationX(int i) const { return FoundationX[static_cast<size_t>(i)]; }
  int GetFoundationY(int i) const {
    return FoundationY[static_cast<size_t>(i)] - GameState.ScrollOffsetY();
  }
  void SetFoundationX(int i, int v) {
    FoundationX[static_cast<size_t>(i)] = static_cast<int16_t>(v);
  }
  void SetFoundationY(int i, int v) {
    FoundationY[static_cast<size_t>(i)] = static_cast<int16_t>(v);
  }
  int GetReserveX(int i) const { return ReserveX[static_cast<size_t>(i)]; }
  int GetReserveY(int i) const {
    return ReserveY[static_cast<size_t>(i)] - GameState.ScrollOffsetY();
  }
  void SetReserveX(int i, int v) { ReserveX[static_cast<size_t>(i)] = static_cast<int16_t>(v); }
  void SetReserveY(int i, int v) { ReserveY[static_cast<size_t>(i)] = static_cast<int16_t>(v); }

  // Reads and writes of the configuration record by field.
  std::string Cfg(CfgField f) const { return CfgRecord.Get(f.pos, f.len); }
  void SetCfg(CfgField f, const std::string& v) { CfgRecord.Set(f.pos, f.len, v); }
  bool CfgIs(CfgField f, const char* v) const { return Cfg(f) == v; }

  // Full path of a file named relative to the program directory, resolved
  // without regard to case ("DATA\\CFG.DAT").
  std::string DataPath(const std::string& relative) const;
};

// Fills the record with blanks and sets the program directory and the
// preferences file name; every list starts empty. False when the directory
// is longer than the record's field holds (paths still use it in full).
bool CreateSharedGlobals(GameContext& ctx, const std::string& programDir);
// Marks every stock, foundation, tableau and reserve position unused.
void ResetPilePositions(GameContext& ctx);
// Start-up: the 104 card records (face up) and the 3, 16, 26 and 8 empty pile
// entries of the live and backup lists.
void InitCardsAndPiles(GameContext& ctx);
// Empties every list.
void FreeSharedGlobals(GameContext& ctx);

}  // namespace tw
