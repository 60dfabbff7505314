#include "engine/newgame.h"

#include "core/cards.h"
#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/deal.h"
#include "engine/deck.h"
#include "engine/gameover.h"
#include "engine/pileops.h"
#include "engine/ports.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

void EmptyEntries(StringList& piles) {
  for (std::string& pile : piles) pile.clear();
}

}  // namespace

void ClearTable(GameContext& ctx, bool redraw, bool clearAll) {
  if (clearAll) {
    EmptyEntries(ctx.MazzoPiles);
    EmptyEntries(ctx.DestPiles);
    EmptyEntries(ctx.FilaPiles);
    EmptyEntries(ctx.AppoggPiles);
    ctx.UndoMazzo.clear();
    ctx.UndoDest.clear();
    ctx.UndoFila.clear();
    ctx.UndoAppogg.clear();
    ctx.UndoLog.clear();
  }
  ctx.RedoMazzo.clear();
  ctx.RedoDest.clear();
  ctx.RedoFila.clear();
  ctx.RedoAppogg.clear();
  ctx.RedoLog.clear();
  ctx.TfrmMain.GameInProgress = 0;
  if (redraw) {
    if (ViewPort* view = ViewOf(ctx)) view->ShowBareTable();
  }
}

int ConfirmQuitGame(GameContext& ctx, const std::string& text) {
  if (ctx.TfrmMain.WinAnimationRunning) return 0;
  if (ctx.CfgIs(cfg::ConfirmQuitGame, "N")) return 1;
  const std::string question = text.empty() ? "Quit this game?" : text;
  if (ctx.TfrmMain.GameInProgress && !ctx.TfrmMain.GameWon && ctx.Ui) {
    if (!ctx.Ui->AskOkCancel(question)) return 0;
  }
  return 1;
}

void StartClock(GameContext& ctx) {
  if (ctx.TfrmMain.ClockRunning) return;
  ctx.TfrmMain.ClockRunning = 1;
  ctx.GameStartTime = ClockSeconds(ctx);
  ctx.GameEndTime = ctx.GameStartTime;
  RefreshClock(ctx);
}

void ResetClock(GameContext& ctx) {
  ctx.TfrmMain.ClockRunning = 0;
  ctx.GameStartTime = ClockSeconds(ctx);
  ctx.GameEndTime = ctx.GameStartTime;
  if (WindowPort* window = WindowOf(ctx)) window->ShowClock("0:00:00");
}

int64_t ElapsedSinceStart(const GameContext& ctx) {
  return ctx.TfrmMain.ClockRunning ? GameElapsedSeconds(ctx) : 0;
}

std::string ClockLabelText(const GameContext& ctx) {
  return FormatSeconds(GameElapsedSeconds(ctx), 1);
}

void RefreshClock(GameContext& ctx) {
  if (WindowPort* window = WindowOf(ctx)) window->ShowClock(ClockLabelText(ctx));
}

void ResetPlayState(GameContext& ctx, bool newDeal) {
  ctx.GameState.MovesMade() = 0;
  ctx.GameState.RedealMarkerShown() = 0;
  ctx.ReserveDealCounter = 0;
  ctx.GameState.MovingCard() = 0;
  ctx.GameState.RunLastCard() = 0;
  ctx.GameState.DragActive() = 0;
  ctx.TfrmMain.DoubleClicked = 0;
  ClearTable(ctx, false, newDeal);
  ctx.SetCfg(cfg::UndoUsed, "0");
  ctx.SetCfg(cfg::RedoUsed, "0");
}

bool DealNewGame(GameContext& ctx, int numberMode) {
  // Codes 91 and 92 rewrite the start and base words at the deal. Rules set
  // up without the games file have saved nothing to go back to.
  bool saved = false;
  for (int16_t w : ctx.SavedPileRules) saved = saved || w != 0;
  if (saved) SaveRestorePileRules(ctx, true);
  ResetClock(ctx);
  ctx.GameState.RedealsDone() = 1;
  ctx.SetCfg(cfg::Score, "0");
  if (numberMode == 2) NewGameNumber(ctx);
  return DealCards(ctx);
}

void BeginDealPlay(GameContext& ctx) {
  AddRecentDealNumber(ctx, ctx.Cfg(cfg::DealNumber));
  ctx.TfrmMain.GameInProgress = 1;
  ctx.TfrmMain.GameWon = 0;
  ctx.TfrmMain.StopAutoPlay = 0;
  ++ctx.TfrmMain.DealSerial;
  if (CardCounterPort* counter = CounterOf(ctx); counter && counter->Visible()) {
    counter->UpdateCard(-1, 1, 1, 1);
  }
  if (WindowPort* window = WindowOf(ctx)) window->ShowScore(ctx.Cfg(cfg::Score));
  RefreshClock(ctx);
}

void RunAutoPlayAfterMove(GameContext& ctx) {
  const int serial = ctx.TfrmMain.DealSerial;
  auto live = [&] {
    return ctx.TfrmMain.GameInProgress && !ctx.DemoMode && ctx.TfrmMain.DealSerial == serial;
  };
  if (!live()) return;
  AutoFillEmptyTableaus(ctx);
  while (ctx.TfrmMain.AutoPlayOn && live()) {
    if (!AutoPlay(ctx) || !live()) break;
    AutoFillEmptyTableaus(ctx);
  }
}

BusyInputGuard::BusyInputGuard(GameContext& ctx) : ctx_(ctx) {
  if (ctx_.TfrmMain.BusyDepth++ == 0) {
    if (WindowPort* window = WindowOf(ctx_)) window->SetBusyFilter(true);
  }
}

BusyInputGuard::~BusyInputGuard() {
  if (--ctx_.TfrmMain.BusyDepth <= 0) {
    ctx_.TfrmMain.BusyDepth = 0;
    if (WindowPort* window = WindowOf(ctx_)) window->SetBusyFilter(false);
  }
}

}  // namespace tw
