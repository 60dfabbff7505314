#include "engine/autoplay.h"

#include <algorithm>

#include "core/cards.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/ports.h"
#include "engine/undo.h"

namespace tw {

namespace {

constexpr int kKing = 13;

int Used(int count, int max) { return std::clamp(count, 0, max); }

bool IsAllHoles(const std::string& pile) {
  return pile.find_first_not_of('0') == std::string::npos;
}

bool PilesEmpty(const StringList& list, int count) {
  for (int i = 0; i < count; ++i) {
    if (!list[static_cast<size_t>(i)].empty()) return false;
  }
  return true;
}

// The card's own rectangle on the table, where its flight starts.
Rect CardRectOf(const GameContext& ctx, int card) {
  Rect r{0, 0, ctx.CardWidth, ctx.CardHeight};
  if (const ViewPort* view = ViewOf(ctx); view && !view->FindCardRect(card, r)) {
    r = Rect{0, 0, ctx.CardWidth, ctx.CardHeight};
  }
  return r;
}

// Offers a top card to the foundations; true when it went.
bool SendTop(GameContext& ctx, int card) {
  if (card <= 0) return false;
  const Rect r = CardRectOf(ctx, card);
  return SendCardToFoundation(ctx, card, r.Left, r.Top, ctx.CardWidth, ctx.CardHeight, false, true);
}

}  // namespace

bool IsGameWon(const GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  if (ctx.MazzoPiles.size() != kStockSlots || ctx.FilaPiles.size() != kMaxTableaus ||
      ctx.AppoggPiles.size() != kMaxReserves) {
    return false;
  }
  const int tableaus = Used(rules.TableauCount(), kMaxTableaus);
  const int reserves = Used(rules.ReserveCount(), kMaxReserves);
  const std::string& stock = ctx.MazzoPiles[0];
  const std::string& waste = ctx.MazzoPiles[1];
  switch (rules.GameKind()) {
    case 9:
      for (int i = 0; i < tableaus; ++i) {
        if (PileCardCount(ctx.FilaPiles[static_cast<size_t>(i)]) == 0) return false;
      }
      return tableaus > 0;
    case 21:
    case 22:
      return stock.empty() && ctx.FilaPiles[0].size() < 13;
    case 27:
      for (int i = 0; i < tableaus; ++i) {
        const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
        if (PileCardCount(pile) != 1 || CardRank(TopCard(pile)) != kKing) return false;
      }
      return tableaus > 0;
    case 4:
      for (int i = 0; i < tableaus; ++i) {
        if (!IsAllHoles(ctx.FilaPiles[static_cast<size_t>(i)])) return false;
      }
      return stock.empty() && waste.empty() && PilesEmpty(ctx.AppoggPiles, reserves);
    default:
      return stock.empty() && waste.empty() && PilesEmpty(ctx.FilaPiles, tableaus) &&
             PilesEmpty(ctx.AppoggPiles, reserves);
  }
}

void FaceUpTableauTop(GameContext& ctx, int card, int i) {
  if (card <= 0 || i < 0 || i >= kMaxTableaus) return;
  PushUndoState(ctx, true, true);
  SetCardFace(ctx, card, "1");
  PushUndoState(ctx, false, true);
  if (ViewPort* view = ViewOf(ctx)) view->ShowFaceUpTurn(card, i);
  PlayEventSound(ctx, "Face_up", cfg::Sounds_FaceUp);
  CardCounterPort* counter = CounterOf(ctx);
  if (counter && counter->Visible()) counter->UpdateCard(card, 4, 1, 1);
}

bool AutoFaceUp(GameContext& ctx) {
  if (ctx.CfgIs(cfg::Automatic_FaceUp, "N")) return false;
  bool turned = false;
  const int tableaus = Used(ctx.GameRules.TableauCount(), kMaxTableaus);
  for (int i = 0; i < tableaus; ++i) {
    const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
    if (top > 0 && !IsFaceUp(ctx, top)) {
      FaceUpTableauTop(ctx, top, i);
      turned = true;
    }
  }
  return turned;
}

bool AutoPlay(GameContext& ctx) {
  MainWindowFlags& w = ctx.TfrmMain;
  if (!w.AutoPlayOn) return false;
  w.StopAutoPlay = 0;
  const bool faceUp = !ctx.CfgIs(cfg::Automatic_FaceUp, "N");
  bool any = false;
  // Foundations are never a source, so every pass that moves shrinks the
  // other piles and the loop ends.
  for (bool moved = true; moved && !w.StopAutoPlay;) {
    moved = false;
    auto offer = [&](int card) {
      if (SendTop(ctx, card)) moved = any = true;
    };
    const int tableaus = Used(ctx.GameRules.TableauCount(), kMaxTableaus);
    for (int i = 0; i < tableaus && !w.StopAutoPlay; ++i) {
      const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
      if (top <= 0) continue;
      if (faceUp && !IsFaceUp(ctx, top)) FaceUpTableauTop(ctx, top, i);
      offer(top);
    }
    if (w.StopAutoPlay) break;
    offer(TopCard(ctx.MazzoPiles[1]));
    const int reserves = Used(ctx.GameRules.ReserveCount(), kMaxReserves);
    for (int i = 0; i < reserves && !w.StopAutoPlay; ++i) {
      offer(TopCard(ctx.AppoggPiles[static_cast<size_t>(i)]));
    }
  }
  EndDealIfWon(ctx);
  w.StopAutoPlay = 0;
  return any;
}

bool EndDealIfWon(GameContext& ctx) {
  if (!ctx.TfrmMain.GameWon) return false;
  if (GameFlowPort* flow = FlowOf(ctx)) flow->GameOver(ctx);
  return true;
}

}  // namespace tw
