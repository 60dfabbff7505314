#include "table/view/selection.h"

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/newgame.h"
#include "engine/pairs.h"
#include "engine/pileops.h"
#include "table/view/animate.h"

namespace tw {

namespace {

Rect RectOf(const HitResult& h) { return Rect{h.Left, h.Top, h.Right, h.Bottom}; }

// The complete selection removed (and the tableau refilled) while input waits.
void PlaySelection(GameContext& ctx) {
  {
    BusyInputGuard busy(ctx);
    PlayCompleteSelection(ctx);
  }
  EndDealIfWon(ctx);
}

// What the table shows of a judged click: the highlight follows the
// selection, a refusal beeps, a complete selection is played away.
void ShowClick(GameContext& ctx, PlayView& view, const HitResult& h, SelectionClick click) {
  switch (click) {
    case SelectionClick::Ignored:
      return;
    case SelectionClick::Refused:
      Beep(ctx, 0);
      return;
    case SelectionClick::Deselected:
    case SelectionClick::Selected:
      view.InvertCardRect(RectOf(h));
      return;
    case SelectionClick::Complete:
      view.InvertCardRect(RectOf(h));
      PlaySelection(ctx);
      return;
  }
}

}  // namespace

bool SelectionPress(GameContext& ctx, PlayView& view, const HitResult& h) {
  const int kind = ctx.GameRules.GameKind();
  const bool rowKind = kind == 8 || (kind >= 20 && kind <= 23);
  // The other selection games deal from the stock as the building games do.
  if (!rowKind && h.Pile == "Mazzo") return false;
  const bool onTableau = h.Pile.rfind("Fila", 0) == 0;
  if (!onTableau && !rowKind) return true;
  if (h.Pile.rfind("Mazzo", 0) == 0) {
    BusyInputGuard busy(ctx);
    if (kind == 8) {
      PlayToPile(ctx, 0, "Stock_To_Pile_Monte_Carlo");
    } else {
      PlayToPile(ctx, 7, "Add_Tableaus");
    }
    return true;
  }
  if (!onTableau || h.Card <= 0) return true;
  const int card = h.Card;
  if ((kind == 25 || kind == 26) && IsCardFaceDown(ctx, card)) {
    if (IsTopCard(ctx, card)) {
      int pile = 0;
      ParsePileName(h.Pile, pile);
      BusyInputGuard busy(ctx);
      FaceUpTableauTop(ctx, card, pile);
    }
    return true;
  }
  ShowClick(ctx, view, h, ClickSelectionCard(ctx, card));
  return true;
}

void PairPress(GameContext& ctx, PlayView& view, const HitResult& h) {
  if (h.Card <= 0) return;
  ShowClick(ctx, view, h, ClickSelectionCard(ctx, h.Card));
}

}  // namespace tw
