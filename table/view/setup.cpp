#include "table/view/setup.h"

#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/caption.h"
#include "engine/newgame.h"
#include "engine/ports.h"
#include "platform/sys/services.h"
#include "table/geometry.h"
#include "table/layout.h"
#include "table/random_look.h"
#include "table/view/animate.h"

namespace tw {

namespace {

constexpr int kCardShadowOffset = 9;

void Hourglass(GameContext& ctx, bool on) {
  if (ctx.Ui) ctx.Ui->SetHourglass(on);
}

// The user's card set put back after the small-screen set was in force.
void RestoreSavedCards(GameContext& ctx) {
  if (ctx.Cfg(cfg::SavedCard).empty()) return;
  ctx.SetCfg(cfg::Card_Size, ctx.Cfg(cfg::SavedCard_Size));
  ctx.SetCfg(cfg::Card, ctx.Cfg(cfg::SavedCard));
  ctx.SetCfg(cfg::Back_Card, ctx.Cfg(cfg::SavedBack_Card));
  ctx.SetCfg(cfg::SavedCard_Size, "");
  ctx.SetCfg(cfg::SavedCard, "");
  ctx.SetCfg(cfg::SavedBack_Card, "");
}

void UseSmallScreenCards(GameContext& ctx) {
  if (ctx.Cfg(cfg::Card_Size) == "B") {
    ctx.SetCfg(cfg::SavedCard_Size, ctx.Cfg(cfg::Card_Size));
    ctx.SetCfg(cfg::SavedCard, ctx.Cfg(cfg::Card));
    ctx.SetCfg(cfg::SavedBack_Card, ctx.Cfg(cfg::Back_Card));
    ctx.SetCfg(cfg::Card, "003");
    ctx.SetCfg(cfg::Back_Card, "006");
    ctx.SetCfg(cfg::Card_Size, "M");
  } else {
    ctx.GameState.SmallScreenState() = 1;
  }
  if (ctx.GameState.SmallScreenState() == 0) {
    ctx.GameState.SmallScreenState() = 1;
    if (!ctx.GameState.SmallScreenMsgShown()) {
      ShowMsg(ctx, std::string("Your video card runs at 640x480 pixels.") + "\r" +
                       "For best graphics display, screen resolution should be set to 800x600 "
                       "pixels or higher. However, it's possible to play " +
                       TrimRightSpaces(ctx.Cfg(cfg::Game_name)) + " " +
                       "using a predefined card and deck set.");
      ctx.GameState.SmallScreenMsgShown() = 1;
    }
  }
}

}  // namespace

bool SetupGame(GameContext& ctx, PlayView& view) {
  ctx.GameRules.Clear();
  if (!LoadGameRules(ctx)) return false;
  PlayDrawing& drawing = view.Drawing();
  WindowPort* window = WindowOf(ctx);
  LayoutInput in = drawing.Layout();

  const std::string sizeBefore = ctx.Cfg(cfg::Card_Size);
  const bool narrow = in.ScreenWidth > 0 && in.ScreenWidth < kSmallScreenWidth;
  if (!narrow || ctx.GameRules.PredefinedCardsAt640() != 1) {
    RestoreSavedCards(ctx);
    if (window) window->EnableCustomize(true);
  } else {
    UseSmallScreenCards(ctx);
    if (window) window->EnableCustomize(false);
  }
  const std::string size = ctx.Cfg(cfg::Card_Size);
  if (size != sizeBefore || ctx.CardWidth == 0) SetCardSize(ctx);
  if (size.empty() || drawing.Pictures().SizeLetter != size[0]) drawing.ReloadPictures();

  ResetPilePositions(ctx);
  if (window) window->EnableAutoPlay(ctx.GameRules.AutoplayAllowed() != 0);
  ctx.TfrmMain.ShadowOffset = ctx.CfgIs(cfg::Cards_Shadowed, "N") ? 0 : kCardShadowOffset;
  in.ShadowOffset = ctx.TfrmMain.ShadowOffset;
  SetFanSteps(ctx);
  ComputeLayout(ctx, in);
  return true;
}

bool NewGame(GameContext& ctx, PlayView& view, bool newDeal, bool animate, int numberMode,
             bool noRedraw) {
  Hourglass(ctx, true);
  UpdateMainCaption(ctx);
  ResetPlayState(ctx, newDeal);
  MakeJitterPatterns(ctx);
  if (newDeal) {
    if (ctx.GameRules.CardCount() == 0 && !SetupGame(ctx, view)) {
      Hourglass(ctx, false);
      return false;
    }
    if (!DealNewGame(ctx, numberMode)) {
      Hourglass(ctx, false);
      return false;
    }
    UpdateMainCaption(ctx);
  }
  BeginDealPlay(ctx);

  if (!noRedraw && (ctx.CfgIs(cfg::Random_Background, "Y") || ctx.CfgIs(cfg::Random_Card, "Y") ||
                    ctx.CfgIs(cfg::Random_Deck, "Y"))) {
    const TableLookChange change = RandomizeTableLook(ctx, view.Drawing().LookChoices());
    if (change.Faces || change.Back) view.Drawing().ReloadPictures();
  }
  if (!noRedraw) {
    if (ctx.CfgIs(cfg::Deal_Animation, "N") || !animate) {
      view.Drawing().DrawTable(false);
    } else {
      BusyInputGuard busy(ctx);
      view.Drawing().DrawTable(true);
    }
  }
  StartClock(ctx);
  if (CardCounterPort* counter = CounterOf(ctx); counter && counter->Visible()) {
    counter->UpdateCard(-1, 1, 1, 1);
  }
  if (ctx.TfrmMain.AutoPlayOn) {
    Delay2(ctx, 800);
    if (AutoPlay(ctx)) RunAutoPlayAfterMove(ctx);
  }
  Hourglass(ctx, false);
  if (ctx.TfrmMain.GameInProgress) {
    if (WindowPort* window = WindowOf(ctx)) window->EnableDealMenus(true);
  }
  return true;
}

}  // namespace tw
