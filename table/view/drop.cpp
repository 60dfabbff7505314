#include "table/view/drop.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/newgame.h"
#include "engine/pileops.h"
#include "table/geometry.h"
#include "table/view/animate.h"

namespace tw {

namespace {

bool Used(int coordinate) { return coordinate > kUnusedStock; }

bool Animating(const GameContext& ctx, bool animate) {
  return animate && !ctx.CfgIs(cfg::Cards_Animate, "N");
}

bool Lifted(const GameContext& ctx) {
  return !ctx.CfgIs(cfg::Cards_Shadowed, "N") && ctx.TfrmMain.ShadowOffset > 0;
}

// Lands the lifted picture at (x, y), flying there first when wanted.
void FlyTo(GameContext& ctx, PlayView& view, int card, int x, int y, bool animate, bool lifted) {
  const Rect& r = ctx.TfrmMain.DragRect;
  if (Animating(ctx, animate)) {
    view.AnimateCard(card, r.Left, r.Top, x, y, true, false, lifted, false);
  } else if (!view.DragCardsTo(x, y, true, true)) {
    view.EraseDragShadow();
  }
}

void AddCandidate(std::vector<DropCandidate>& list, int left, int top, int right, int bottom, int x,
                  int y, int cw, int ch, int kind, int index) {
  if (!RectsOverlapStepped(left, top, right, bottom, x, y, x + cw, y + ch)) return;
  const int area = OverlapAreaStepped(left, top, right, bottom, x, y, x + cw, y + ch);
  list.push_back(DropCandidate{area, kind, index});
}

// A foundation fanned into a row takes a card dropped over any of its
// cards, not only over the last: the area from its first card to its top.
Rect FoundationArea(const GameContext& ctx, int i) {
  const std::string name = PileName(PileKind::Foundation, i);
  const int count = PileCardCount(ctx.DestPiles[static_cast<size_t>(i)]);
  const int topX = CardLeftX(ctx, name, i, 0, false), topY = CardTopY(ctx, name, i, 0, false);
  const int firstX = CardLeftX(ctx, name, i, std::max(count - 1, 0), false);
  const int firstY = CardTopY(ctx, name, i, std::max(count - 1, 0), false);
  return Rect{std::min(topX, firstX), std::min(topY, firstY),
              std::max(topX, firstX) + ctx.CardWidth, std::max(topY, firstY) + ctx.CardHeight};
}

bool AdjacentSameSuit(int waste, int card) {
  if (CardSuit(waste) != CardSuit(card)) return false;
  const int rank = CardRank(card), top = CardRank(waste);
  return top == PrevRank(rank) || top == NextRank(rank);
}

}  // namespace

std::vector<DropCandidate> FindDropCandidates(GameContext& ctx, int left, int top, int right,
                                              int bottom) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int cw = ctx.CardWidth, ch = ctx.CardHeight;
  std::vector<DropCandidate> list;
  const int foundations = std::clamp<int>(rules.FoundationCount(), 0, kMaxFoundations);
  for (int i = 0; i < foundations; ++i) {
    if (!Used(ctx.FoundationX[static_cast<size_t>(i)])) continue;
    const Rect a = FoundationArea(ctx, i);
    AddCandidate(list, left, top, right, bottom, a.Left, a.Top, a.Right - a.Left, a.Bottom - a.Top,
                 kDropFoundation, i);
  }
  // Single-row games (layout 8) play by selection: their cells are no drop targets.
  if (rules.TableauLayout() != 8) {
    const int tableaus = std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus);
    for (int i = 0; i < tableaus; ++i) {
      if (!Used(ctx.TableauX[static_cast<size_t>(i)])) continue;
      const std::string name = PileName(PileKind::Tableau, i);
      AddCandidate(list, left, top, right, bottom, CardLeftX(ctx, name, i, 0, false),
                   CardTopY(ctx, name, i, 0, false), cw, ch, kDropTableau, i);
    }
  }
  const int reserves = std::clamp<int>(rules.ReserveCount(), 0, kMaxReserves);
  for (int i = 0; i < reserves; ++i) {
    if (!Used(ctx.ReserveX[static_cast<size_t>(i)])) continue;
    const std::string name = PileName(PileKind::Reserve, i);
    AddCandidate(list, left, top, right, bottom, CardLeftX(ctx, name, i, 0, false),
                 CardTopY(ctx, name, i, 0, false), cw, ch, kDropReserve, i);
  }
  if (rules.NoStockDrop() != 4 && Used(ctx.StockX[1])) {
    AddCandidate(list, left, top, right, bottom, ctx.GetStockX(1), ctx.GetStockY(1), cw, ch,
                 kDropWaste, 1);
  }
  std::sort(list.begin(), list.end(), [](const DropCandidate& a, const DropCandidate& b) {
    return std::tie(a.Area, a.Kind, a.Index) > std::tie(b.Area, b.Kind, b.Index);
  });
  if (list.size() > 4) list.resize(4);
  return list;
}

bool TryDropOnPile(GameContext& ctx, PlayView& view, int card, int left, int top, int right,
                   int bottom, bool redrawFirst, bool animate, bool autoplayName, int kind,
                   int index, bool fixedTarget) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int cw = ctx.CardWidth, ch = ctx.CardHeight;
  std::string name, target;
  int x = 0, y = 0;
  bool landWhole = true;
  switch (kind) {
    case kDropFoundation:
      if (index < 0 || index >= kMaxFoundations) return false;
      name = PileName(PileKind::Foundation, index);
      target = autoplayName ? "Dest_Autoplay" + std::to_string(index + 1) : name;
      break;
    case kDropTableau:
      if (index < 0 || index >= kMaxTableaus) return false;
      name = target = PileName(PileKind::Tableau, index);
      landWhole = IsSingleCardLifted(ctx) || ctx.CfgIs(cfg::Piles_TT, "N");
      break;
    case kDropReserve:
      if (index < 0 || index >= kMaxReserves || !Used(ctx.ReserveX[static_cast<size_t>(index)])) {
        return false;
      }
      name = target = PileName(PileKind::Reserve, index);
      break;
    case kDropWaste:
      if (rules.NoStockDrop() == 4 || !Used(ctx.StockX[1])) return false;
      name = "Mazzo_Vis";
      target = "Stock02";
      break;
    default:
      return false;
  }

  if (kind == kDropWaste) {
    x = ctx.GetStockX(1);
    y = ctx.GetStockY(1);
    if (!fixedTarget && !RectsOverlapStepped(left, top, right, bottom, x, y, x + cw, y + ch)) {
      return false;
    }
    const int waste = TopCard(ctx.MazzoPiles[1]);
    if (waste <= 0 || rules.StockIsTarget() != 2 || !AdjacentSameSuit(waste, card)) return false;
  } else {
    Rect a{CardLeftX(ctx, name, index, 0, false), CardTopY(ctx, name, index, 0, false), 0, 0};
    a.Right = a.Left + cw;
    a.Bottom = a.Top + ch;
    if (kind == kDropFoundation) a = FoundationArea(ctx, index);
    if (!fixedTarget &&
        !RectsOverlapStepped(left, top, right, bottom, a.Left, a.Top, a.Right, a.Bottom)) {
      return false;
    }
    if (!CanDropOnPile(ctx, card, name)) return false;
    // The card lands where the pile's next card goes.
    x = CardLeftX(ctx, name, index, 0, true);
    y = CardTopY(ctx, name, index, 0, true);
  }

  BusyInputGuard busy(ctx);
  if (redrawFirst) {
    if (kind != kDropTableau) RedrawWithoutCard(ctx, card, true);
    view.RenderDragImage();
  }
  bool flown = false;
  if (Animating(ctx, animate)) {
    const Rect& r = ctx.TfrmMain.DragRect;
    view.AnimateCard(card, r.Left, r.Top, x, y, landWhole, false, false, false);
    flown = true;
  }
  const bool moved = PlayToPile(ctx, card, target);
  if (!moved) {
    // Whatever the flight stamped at the target goes again.
    if (flown) view.RedrawPile(name);
    return false;
  }
  if (kind == kDropTableau && rules.GameKind() == 23) ReplaceLastUndoGroup(ctx, 1);
  if (rules.GameKind() == 23) view.DrawBatchCounter();
  return true;
}

bool DropCards(GameContext& ctx, PlayView& view, int card, int left, int top, int right, int bottom,
               bool redrawFirst, bool animate, bool autoplayName, int kind, int index) {
  const bool fixedTarget = kind >= 0 && kind < kNoDropTarget;
  std::vector<DropCandidate> candidates;
  if (fixedTarget) {
    candidates.push_back(DropCandidate{0, kind, index});
  } else {
    candidates = FindDropCandidates(ctx, left, top, right, bottom);
    if (candidates.empty()) return false;
  }
  if (ctx.GameRules.FoundationOnlyOpening() == 1 && ctx.GameState.MovesMade() == 0) {
    int kinds[4] = {kNoDropTarget, kNoDropTarget, kNoDropTarget, kNoDropTarget};
    const int n = std::min<int>(static_cast<int>(candidates.size()), 4);
    for (int k = 0; k < n; ++k) kinds[k] = candidates[static_cast<size_t>(k)].Kind;
    if (!FoundationOnlyOpening(ctx, card, "", kinds, n)) return false;
    for (int k = 0; k < n; ++k) candidates[static_cast<size_t>(k)].Kind = kinds[k];
  }
  // The single-row game of kind 19 has no drop move: its cards go back.
  if (ctx.GameRules.GameKind() == 19) return false;
  for (const DropCandidate& c : candidates) {
    if (c.Kind == kNoDropTarget) continue;
    if (TryDropOnPile(ctx, view, card, left, top, right, bottom, redrawFirst, animate, autoplayName,
                      c.Kind, c.Index, fixedTarget)) {
      return true;
    }
  }
  return false;
}

void PutCardBack(GameContext& ctx, PlayView& view, int card) {
  if (card <= 0) return;
  const GameRulesRecord& rules = ctx.GameRules;
  const int cw = ctx.CardWidth, ch = ctx.CardHeight;
  const int k = ctx.TfrmMain.ShadowOffset;
  const bool lifted = Lifted(ctx);

  // The pile that holds the card: name, kind, index.
  std::string name;
  PileKind kind = PileKind::None;
  int index = 0;
  auto holds = [&](const std::string& pile) {
    for (int j = 0; j < PileCardCount(pile); ++j) {
      if (PileCardAt(pile, j) == card) return true;
    }
    return false;
  };
  if (holds(ctx.MazzoPiles[1])) {
    kind = PileKind::Waste;
  } else {
    const int tableaus = std::clamp<int>(rules.TableauCount(), 0, kMaxTableaus);
    for (int i = 0; i < tableaus && kind == PileKind::None; ++i) {
      if (holds(ctx.FilaPiles[static_cast<size_t>(i)])) kind = PileKind::Tableau, index = i;
    }
    for (int i = 0; i < kMaxFoundations && kind == PileKind::None; ++i) {
      if (holds(ctx.DestPiles[static_cast<size_t>(i)])) kind = PileKind::Foundation, index = i;
    }
    for (int i = 0; i < kMaxReserves && kind == PileKind::None; ++i) {
      if (holds(ctx.AppoggPiles[static_cast<size_t>(i)])) kind = PileKind::Reserve, index = i;
    }
  }
  if (kind == PileKind::None) {
    // Nothing to put back; the picture left on the window goes.
    view.EraseDragShadow();
    view.RefreshRect(QRect(ctx.TfrmMain.DragRect.Left, ctx.TfrmMain.DragRect.Top,
                           ctx.TfrmMain.DragRect.Width(), ctx.TfrmMain.DragRect.Height()));
    return;
  }
  name = kind == PileKind::Waste ? "Mazzo_Vis" : PileName(kind, index);
  const std::string& pile = PileString(ctx, kind, index);

  BusyInputGuard busy(ctx);
  int x = 0, y = 0;
  if (kind == PileKind::Waste) {
    x = ctx.GetStockX(1);
    y = ctx.GetStockY(1);
  } else {
    int above = 0;
    for (int j = PileCardCount(pile) - 1; j >= 0 && PileCardAt(pile, j) != card; --j) ++above;
    x = CardLeftX(ctx, name, index, above, false);
    y = CardTopY(ctx, name, index, above, false);
    if (kind == PileKind::Tableau && rules.TableauLayout() == 8) GetWrappedCardPos(ctx, card, x, y);
  }
  FlyTo(ctx, view, card, x, y, true, lifted);
  // The pile drawn whole again: the landing picture's corners and shadow go.
  view.RedrawPile(name);
  if (kind == PileKind::Waste) view.RedrawPile("Mazzo");
  const Rect& r = ctx.TfrmMain.DragRect;
  view.RefreshRect(QRect(r.Left - k - 6, r.Top - k - 6, r.Width() + 2 * k + 18,
                         std::max(r.Height(), ch) + 2 * k + 18));
  (void)cw;
  if (!ctx.CfgIs(cfg::Cards_Shadowed, "N")) {
    PlayEventSound(ctx, "card_down.wav", cfg::Sounds_CardDown);
  }
}

bool DoubleClickCard(GameContext& ctx, PlayView& view, bool swallowNext, bool topOnly) {
  (void)view;
  const HitResult h = HitTest(ctx, ctx.GameState.LastClickX(), ctx.GameState.LastClickY());
  if (swallowNext && h.Pile == "Mazzo") {
    ctx.TfrmMain.DoubleClicked = 0;
    return false;
  }
  const int card = h.Card;
  if (card <= 0 || IsCardFaceDown(ctx, card)) return false;
  int index = 0;
  const PileKind kind = ParsePileName(h.Pile, index);
  bool eligible = kind == PileKind::Waste || kind == PileKind::Reserve;
  if (kind == PileKind::Tableau) {
    eligible = !topOnly || TopCard(ctx.FilaPiles[static_cast<size_t>(index)]) == card;
  }
  if (swallowNext) ctx.TfrmMain.DoubleClicked = 1;
  if (!eligible) return false;
  const bool moved =
      SendCardToFoundation(ctx, card, h.Left, h.Top, ctx.CardWidth, ctx.CardHeight, true, false);
  EndDealIfWon(ctx);
  return moved;
}

}  // namespace tw
