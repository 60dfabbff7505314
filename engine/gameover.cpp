#include "engine/gameover.h"

#include <string>

#include "core/cards.h"
#include "core/datafiles.h"
#include "core/hiscores.h"
#include "core/stats.h"
#include "core/textfile.h"
#include "core/util.h"
#include "engine/newgame.h"
#include "engine/ports.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

void Hourglass(GameContext& ctx, bool on) {
  if (ctx.Ui) ctx.Ui->SetHourglass(on);
}

int64_t ScoreOf(const GameContext& ctx) {
  int64_t score = 0;
  return ParseInt(ctx.Cfg(cfg::Score), score) ? score : 0;
}

// Log line, statistics, hi-score table and overall scores of one deal, all
// or none: the four files are staged and then committed together, so a
// failure anywhere leaves every file as it was.
void RecordDeal(GameContext& ctx, bool won, int64_t elapsed, const sys::LocalDateTime& end) {
  const std::string date = sys::DateText(end), time = sys::TimeText(end);
  const std::string sessionWon = ctx.Cfg(cfg::SessionWon);
  const std::string sessionLost = ctx.Cfg(cfg::SessionLost);
  // A name no results file can hold (a hand-edited preferences file) would
  // otherwise lose the deal without a word.
  std::string why;
  if (!IsValidPlayerName(TrimRightSpaces(ctx.Cfg(cfg::UserDefault)), &why)) {
    ShowMsg(ctx, "The deal was not recorded: the player name \"" +
                     TrimRightSpaces(ctx.Cfg(cfg::UserDefault)) + "\" cannot be kept.\r" + why);
    return;
  }
  sys::FileBatch batch;
  // Statistics that cannot be updated keep the rest out.
  if (!UpdateGameStatistics(ctx, won, &batch)) batch.Fail(StatFilePath(ctx));

  int64_t game = -1;
  if (!ParseInt(ctx.Cfg(cfg::Game), game) || game < 0 || game > 9999) game = -1;
  int place = -1;
  std::string title;
  if (game >= 0) {
    RecordHiScore(
        ctx, static_cast<int>(game), ctx.Cfg(cfg::UserDefault), ctx.Cfg(cfg::ScoreKind),
        HiScoreResult{ScoreOf(ctx), elapsed, date, time, won},
        [&](int p, const std::string& t) {
          place = p;
          title = t;
        },
        {}, &batch);
  }

  StageStatLogLine(ctx, won, elapsed, date, time, batch);
  // Whichever step failed (a file that cannot be read, a disk that is full
  // while staging or at the commit), the user learns the deal was not kept.
  if (!batch.Commit()) {
    ShowMsg(ctx, "Write error on file " + batch.FailedPath() +
                     "\rThe deal was not recorded: the results files are as they were.");
    ctx.SetCfg(cfg::SessionWon, sessionWon);
    ctx.SetCfg(cfg::SessionLost, sessionLost);
    place = -1;
  }
  if (place >= 0) {
    if (DialogPort* dialogs = DialogsOf(ctx)) dialogs->ShowHiScores(place, title);
  }
}

}  // namespace

int64_t ClockSeconds(const GameContext& ctx) {
  return ctx.Clock ? static_cast<int64_t>(ctx.Clock->TickMs() / 1000) : 0;
}

int64_t GameElapsedSeconds(const GameContext& ctx) {
  int64_t end = ctx.GameEndTime;
  if (ctx.TfrmMain.ClockRunning) {
    end = ClockSeconds(ctx);
  } else if (ctx.TfrmMain.GameInProgress && ctx.PauseStartTime > ctx.GameStartTime) {
    end = ctx.PauseStartTime;  // paused
  }
  return end > ctx.GameStartTime ? end - ctx.GameStartTime : 0;
}

bool PokerGridFull(const GameContext& ctx) {
  const int n = ctx.GameRules.TableauCount();
  if (n <= 0 || n > static_cast<int>(ctx.FilaPiles.size())) return false;
  for (int i = 0; i < n; ++i) {
    if (PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]) == 0) return false;
  }
  return true;
}

void GameOver(GameContext& ctx) {
  if (ctx.TfrmMain.GameInProgress != 1) return;
  Hourglass(ctx, true);
  // A poker deal left before the grid is full is lost, whatever its points.
  if (ctx.GameRules.GameKind() == 9) {
    ctx.TfrmMain.GameWon = PokerGridFull(ctx) && ScoreOf(ctx) >= 100 ? 1 : 0;
  }
  const bool won = ctx.TfrmMain.GameWon == 1;
  // A full grid ends the deal; short of the winning points it would end unseen.
  const bool pokerLost = ctx.GameRules.GameKind() == 9 && !won && PokerGridFull(ctx);

  // The end is where the counted time stops: a pause does not count.
  const int64_t elapsed = GameElapsedSeconds(ctx);
  ctx.GameEndTime = ctx.GameStartTime + elapsed;
  ctx.TfrmMain.ClockRunning = 0;
  const sys::LocalDateTime end = ctx.Clock ? ctx.Clock->Now() : sys::LocalDateTime{};

  WindowPort* window = WindowOf(ctx);
  if (window) window->EnableDealMenus(false);

  RecordDeal(ctx, won, elapsed, end);

  ctx.GameState.MovingCard() = 0;
  ctx.GameState.RunLastCard() = 0;
  RefreshClock(ctx);
  ctx.TfrmMain.GameWon = 0;
  ctx.TfrmMain.GameInProgress = 0;
  ctx.TfrmMain.StopAutoPlay = 1;
  ctx.GameState.ClosePending() = 0;

  if (won) {
    Hourglass(ctx, false);
    DelayWithMessages(ctx, 200);
    if (window) window->SetWonAnimationFilter(true);
    if (ctx.CfgIs(cfg::Sounds_Enabled, "Y") && ctx.CfgIs(cfg::Sounds_GameWon, "Y")) {
      if (SoundPort* sound = SoundOf(ctx)) sound->PlaySound("Won", SoundMode::Async);
    }
    const int mode = ctx.Random ? 1 + ctx.Random->Next(2) : 1;
    if (ViewPort* view = ViewOf(ctx)) view->PlayWinAnimation(mode);
  }
  Hourglass(ctx, false);
  if (pokerLost) {
    ShowMsg(ctx, "The grid is full: " + std::to_string(ScoreOf(ctx)) +
                     " points. A deal is won with 100 points or more.");
  }

  if (won && window) window->SetWonAnimationFilter(false);
  if (ctx.GameState.ClosePending() == 1) {
    if (window) window->CloseMainWindow();
  } else if (won && ctx.TfrmMain.GameInProgress == 0) {
    if (DialogPort* dialogs = DialogsOf(ctx)) dialogs->ShowGameWon();
  }
}

}  // namespace tw
