#include "table/view/mouse.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/newgame.h"
#include "engine/pairs.h"
#include "engine/pileops.h"
#include "engine/undo.h"
#include "table/geometry.h"
#include "table/view/animate.h"
#include "table/view/drop.h"
#include "table/view/selection.h"

namespace tw {

namespace {

bool DiscardKind(int kind) { return kind == 2 || kind == 12 || kind == 15; }

// What a press lifts.
struct Pick {
  bool picked = false;
  bool single = true;
  int cards = 1;
};

// Kinds 2 and 15: the card one rank above or below the discard's top, any
// suit; Ace and King meet only in kind 15.
bool DiscardAccepts(GameContext& ctx, int kind, int card, int pileIndex) {
  const int d = TopCard(ctx.MazzoPiles[2]);
  const int dr = CardRank(d), cr = CardRank(card);
  if ((dr == 13 && cr == 1) || (dr == 1 && cr == 13)) return kind == 15;
  return CanBuildOn(ctx, d, card, -1, -1, 1, 2, false, false, pileIndex, false) ||
         CanBuildOn(ctx, card, d, -1, -1, 1, 2, false, false, pileIndex, false);
}

// Kind 12: one rank either way, Ace and King adjacent, any suit.
bool WrapDiscardAccepts(GameContext& ctx, int card) {
  const int d = TopCard(ctx.MazzoPiles[2]);
  if (d <= 0) return false;
  const int dr = CardRank(d), cr = CardRank(card);
  return cr == dr + 1 || cr == dr - 1 || (dr == 13 && cr == 1) || (dr == 1 && cr == 13);
}

bool EveryTableauHoldsACard(const GameContext& ctx) {
  const int n = std::clamp<int>(ctx.GameRules.TableauCount(), 0, kMaxTableaus);
  for (int i = 0; i < n; ++i) {
    if (ctx.FilaPiles[static_cast<size_t>(i)].empty()) return false;
  }
  return true;
}

void StockClick(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int stockTop = TopCard(ctx.MazzoPiles[0]);
  const int lastTableau = std::clamp<int>(rules.TableauCount() - 1, 0, kMaxTableaus - 1);
  const int lastReserve = std::clamp<int>(rules.ReserveCount() - 1, 0, kMaxReserves - 1);
  auto tableauDeal = [&](int code) {
    return rules.StockDealToTableau(0) == code || rules.StockDealToTableau(lastTableau) == code;
  };
  BusyInputGuard busy(ctx);
  if (rules.HasWaste() == 1 || rules.TableauRedeal() >= 1) {
    PlayToPile(ctx, stockTop, "Mazzo_Vis");
  } else if (tableauDeal(1)) {
    PlayToPile(ctx, 7, "Add_Tableaus");
  } else if (tableauDeal(2)) {
    if (EveryTableauHoldsACard(ctx)) {
      PlayToPile(ctx, 7, "Add_Tableaus");
    } else {
      ShowMsg(ctx, "Before deal, fill any gaps in the tableau");
    }
  } else if (rules.StockDealToReserve(0) == 1 || rules.StockDealToReserve(lastReserve) == 1) {
    PlayToPile(ctx, 7, "Add_Reserves");
  } else if (rules.StockDealToReserve(0) == 3) {
    if (PileCardCount(ctx.MazzoPiles[0]) == 8) {
      PlayToPile(ctx, 7, "Add_Tableaus_Last");
    } else {
      PlayToPile(ctx, 7, "Add_Reserves");
      PlayToPile(ctx, 7, "Add_Reserves");
    }
  } else if (rules.StockDealToReserve(0) == 4 && !ctx.MazzoPiles[0].empty()) {
    ++ctx.ReserveDealCounter;
    const std::string target =
        std::string("Add_Reserve_") + (ctx.ReserveDealCounter % 2 == 0 ? "2" : "1");
    int plays = 0;
    for (int k = 0; k < 3 && !ctx.MazzoPiles[0].empty(); ++k) {
      if (PlayToPile(ctx, 7, target)) ++plays;
    }
    if (plays > 1) MergeLastUndoSteps(ctx, plays - 1);
    if (plays >= 1) ReplaceLastUndoGroup(ctx, 2);
  } else if (rules.TalonStyle() != 0) {
    PlayToPile(ctx, stockTop, "Mazzo_Waste");
  }
}

// The picked card lifted: its picture drawn off the table and shown raised.
void StartDrag(GameContext& ctx, PlayView& view, const HitResult& h, const Pick& pick, int x, int y,
               bool wholeReserve) {
  MainWindowFlags& w = ctx.TfrmMain;
  const int card = h.Card;
  if (ctx.GameState.MovingCard() == 0) {
    w.MouseDownX = x;
    w.MouseDownY = y;
  }
  ctx.GameState.MovingCard() = static_cast<int16_t>(card);
  SetLiftedCards(ctx, pick.single ? 1 : pick.cards);
  w.DragOffsetX = x - h.Left;
  w.DragOffsetY = y - h.Top;
  view.SetDragRects(h.Left, h.Top, h.Right, h.Bottom);
  view.RenderDragImage();
  RedrawWithoutCard(ctx, card, pick.single);
  if (!ctx.CfgIs(cfg::Cards_Shadowed, "N")) {
    const int lift = w.ShadowOffset - 2;
    view.DragCardsTo(h.Left - lift, h.Top - lift, false, true);
    w.DragOffsetX += lift;
    w.DragOffsetY += lift;
    PlayEventSound(ctx, "card_up.wav", cfg::Sounds_CardUp);
  } else if (wholeReserve || !ctx.CfgIs(cfg::Piles_TT, "N")) {
    view.DragCardsTo(h.Left, h.Top, false, true);
  }
}

// Discard games play the lifted card at once; the drag ends with the play,
// so neither a later move of the pointer nor the release touches it again.
void PlayDiscard(GameContext& ctx, PlayView& view, int card) {
  {
    BusyInputGuard busy(ctx);
    const Rect r = ctx.TfrmMain.DragRect;
    view.AnimateCard(card, r.Left, r.Top, ctx.GetStockX(2), ctx.GetStockY(2), true, false, false,
                     false);
    if (!PlayToPile(ctx, card, "Waste")) {
      PutCardBack(ctx, view, card);
    } else {
      view.RedrawPile("Mazzo_Waste");
    }
    ctx.GameState.MovingCard() = 0;
    ctx.GameState.RunLastCard() = 0;
    ctx.GameState.DragActive() = 0;
    SetLiftedCards(ctx, 0);
  }
  EndDealIfWon(ctx);
}

}  // namespace

void TableMouseDown(GameContext& ctx, PlayView& view, MouseButton button, int shift, int x, int y) {
  (void)shift;
  if (InputBusy(ctx)) return;
  if (ctx.DemoMode) {
    Beep(ctx, 0);
    return;
  }
  if (!ctx.TfrmMain.GameInProgress) return;
  // A left press while cards are still lifted (the release was lost) puts
  // them back first, so that no second pick-up overwrites the first.
  if (button == MouseButton::Left && ctx.GameState.MovingCard() != 0) {
    PutCardBack(ctx, view, ctx.GameState.MovingCard());
    ctx.GameState.MovingCard() = 0;
    ctx.GameState.RunLastCard() = 0;
  }
  ctx.GameState.DragActive() = 0;
  if (ctx.TfrmMain.DoubleClicked) {
    ctx.TfrmMain.DoubleClicked = 0;
    return;
  }
  RefreshClock(ctx);
  ctx.GameState.LastClickX() = static_cast<int16_t>(x);
  ctx.GameState.LastClickY() = static_cast<int16_t>(y);
  HitResult h = HitTest(ctx, x, y);
  ctx.TfrmMain.DragHeight = ctx.CardHeight;

  const GameRulesRecord& rules = ctx.GameRules;
  const int kind = rules.GameKind();
  const bool left = button == MouseButton::Left;
  if (rules.SelectionFoundation() != 0) {
    if (left && !SelectionPress(ctx, view, h)) {
      StockClick(ctx);
      EndDealIfWon(ctx);
    }
    return;
  }

  const int card = h.Card;
  Pick pick;
  bool wholeReserve = false;
  bool wantPeek = false;
  int pileIndex = 0;
  const PileKind pileKind = ParsePileName(h.Pile, pileIndex);

  if (pileKind == PileKind::Tableau && card >= 1) {
    if (left && (kind == 2 || kind == 15)) {
      if (!IsTopCard(ctx, card)) return;
      if (!DiscardAccepts(ctx, kind, card, pileIndex)) {
        Beep(ctx, 0);
        return;
      }
      pick.picked = true;
    } else if (left && kind == 12) {
      if (!IsTopCard(ctx, card) || !WrapDiscardAccepts(ctx, card)) {
        Beep(ctx, 0);
        return;
      }
      pick.picked = true;
    } else if (left && (kind == 3 || kind == 4)) {
      // Pair games select cards; the pairing itself is their own module's.
      if (kind == 3 && !IsTopCard(ctx, card)) return;
      if (kind == 4 && !IsCardUncovered(ctx, card)) return;
      PairPress(ctx, view, h);
      return;
    } else if (IsTopCard(ctx, card) && left) {
      if (IsCardFaceDown(ctx, card)) {
        BusyInputGuard busy(ctx);
        FaceUpTableauTop(ctx, card, pileIndex);
      } else if (RunLengthAllowed(ctx, card, false)) {
        pick.picked = true;
      }
    } else if (left && IsValidRun(ctx, card, pileIndex)) {
      if (RunLengthAllowed(ctx, card, false) && !IsCardFaceDown(ctx, card)) {
        pick.picked = true;
        pick.single = false;
        pick.cards = static_cast<int>(RunOfCard(ctx, card).size());
        h.Bottom = PileBottomY(ctx, h.Pile);
        ctx.TfrmMain.DragHeight = h.Bottom - h.Top;
      }
    } else if (rules.TableauLayout() == 8) {
      pick.picked = left;
    } else if (button == MouseButton::Right && !IsCardFaceDown(ctx, card)) {
      wantPeek = true;
    }
  }

  if (!left) {
    if (button == MouseButton::Right && pileKind == PileKind::Reserve && card >= 1 &&
        (rules.ReserveLayout() == 1 || rules.ReserveLayout() == 2) && !IsCardFaceDown(ctx, card)) {
      wantPeek = true;
    }
    if (wantPeek) view.ShowCardPeek(card, h.Left, h.Top);
    if (!ctx.TfrmMain.PeekShown) Beep(ctx, 0);
    return;
  }

  if (h.Pile == "Mazzo") {
    if (kind == 4 && TopCard(ctx.MazzoPiles[0]) >= 1 && !ctx.DestPiles[0].empty()) {
      PairPress(ctx, view, h);
      return;
    }
    StockClick(ctx);
    // A new batch starts its count again.
    if (kind == 23) view.DrawBatchCounter();
    EndDealIfWon(ctx);
    return;
  }
  if (pileKind == PileKind::Waste && card >= 1) {
    if (kind == 4) {
      PairPress(ctx, view, h);
      return;
    }
    pick.picked = true;
  } else if (pileKind == PileKind::Foundation && card >= 1) {
    const int pick1 = rules.FoundationPick();
    const int count = PileCardCount(ctx.DestPiles[static_cast<size_t>(pileIndex)]);
    if (pick1 == 1 || (pick1 == 2 && count >= 2)) pick.picked = true;
  } else if (pileKind == PileKind::Reserve && card >= 1) {
    const std::string& reserve = ctx.AppoggPiles[static_cast<size_t>(pileIndex)];
    if (TopCard(reserve) != card) {
      // Any card of such a reserve is taken on its own.
      if (rules.SingleCardPick() == -11) {
        pick.picked = true;
        wholeReserve = true;
      }
    } else if (!IsCardFaceDown(ctx, card)) {
      pick.picked = true;
    }
  }

  if (!pick.picked || card < 1) return;
  StartDrag(ctx, view, h, pick, x, y, wholeReserve);
  if (DiscardKind(kind)) PlayDiscard(ctx, view, card);
}

void TableMouseMove(GameContext& ctx, PlayView& view, int x, int y) {
  if (InputBusy(ctx)) return;
  if (ctx.GameState.MovingCard() != 0) {
    ctx.GameState.DragActive() = 1;
    view.DragCardsTo(x - ctx.TfrmMain.DragOffsetX, y - ctx.TfrmMain.DragOffsetY, false, true);
    return;
  }
  // Leaving the stock while the redeal marker shows takes the redeal back.
  if (ctx.GameState.RedealMarkerShown() != 1) return;
  const int sx = ctx.GetStockX(0), sy = ctx.GetStockY(0);
  if (x < sx || x > sx + ctx.CardWidth || y < sy || y > sy + ctx.CardHeight) {
    view.HideRedealMarker();
    ctx.GameState.RedealMarkerShown() = 0;
  }
}

void TableMouseUp(GameContext& ctx, PlayView& view) {
  if (InputBusy(ctx)) return;
  {
    BusyInputGuard busy(ctx);
    if (ctx.GameState.RedealMarkerShown() == 1) {
      view.HideRedealMarker();
      PlayToPile(ctx, 0, "Mazzo_Vis");
      ctx.GameState.RedealMarkerShown() = 0;
    }
    const int card = ctx.GameState.MovingCard();
    if (card != 0) {
      bool dropped = false;
      if (ctx.GameState.DragActive()) {
        const Rect r = ctx.TfrmMain.DragRect;
        dropped = DropCards(ctx, view, card, r.Left, r.Top, r.Right, r.Bottom, false, true, false,
                            -1, -1);
      }
      if (!dropped) PutCardBack(ctx, view, card);
      ctx.GameState.MovingCard() = 0;
      ctx.GameState.RunLastCard() = 0;
      ctx.GameState.DragActive() = 0;
      SetLiftedCards(ctx, 0);
    }
    view.EndCardPeek();
  }
  EndDealIfWon(ctx);
  // Each autoplay move guards its own flight; between them the game-over
  // routine (a won deal) must get the input its animation and dialog need.
  RunAutoPlayAfterMove(ctx);
}

void TableDoubleClick(GameContext& ctx, PlayView& view, MouseButton button, int shift, int x,
                      int y) {
  if (InputBusy(ctx)) return;
  if (button == MouseButton::Left && ctx.TfrmMain.GameInProgress && !ctx.DemoMode) {
    DoubleClickCard(ctx, view, true, true);
  }
  TableMouseDown(ctx, view, button, shift, x, y);
}

}  // namespace tw
