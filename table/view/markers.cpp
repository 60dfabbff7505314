#include "table/view/markers.h"

#include <algorithm>

#include "core/cards.h"
#include "table/view/card_pictures.h"

namespace tw {

namespace {

MarkerChoice RankOr(int code, Marker otherwise) {
  const int rank = RankMarkerIndex(code);
  if (rank >= 0) return {Marker::Rank, rank};
  return {otherwise, -1};
}

}  // namespace

MarkerChoice ChooseMarker(const GameContext& ctx, MarkerKind kind, int index) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int deals = rules.Deals();
  const int done = ctx.GameState.RedealsDone();
  switch (kind) {
    case MarkerKind::Stock: {
      if (rules.GameKind() == 8) return {Marker::DealMarker, -1};
      const bool tableauRedeal = rules.TableauRedeal() > 0 && (deals > done || deals == -1);
      const std::string stock = ctx.MazzoPiles.size() > 0 ? ctx.MazzoPiles[0] : std::string();
      const std::string waste = ctx.MazzoPiles.size() > 1 ? ctx.MazzoPiles[1] : std::string();
      const bool cardsLeft = PileCardCount(stock) > 0 || PileCardCount(waste) >= 2;
      const bool passesLeft = deals < 0 || deals > done;
      if (tableauRedeal || (cardsLeft && passesLeft)) return {Marker::StockBase, -1};
      return {Marker::StockEmpty, -1};
    }
    case MarkerKind::Waste:
      if (rules.HasStock() == 1) return {Marker::StockBaseAlt, -1};
      if (deals == 0) return {Marker::StockEmpty, -1};
      return {};
    case MarkerKind::Foundation: {
      const int i = std::clamp(index, 0, kMaxFoundations - 1);
      if (rules.FoundationRule(i) == 10) return {Marker::Rank, kQueenMarker};
      return RankOr(rules.FoundationBase(i), Marker::FoundationBase);
    }
    case MarkerKind::Reserve:
      if (rules.ReserveKind(0) == 9) return {Marker::ReserveBase9, -1};
      if (rules.ReserveKind(0) == 8) return {Marker::Rank, kKingMarker};
      return {Marker::ReserveBase, -1};
    case MarkerKind::Tableau: {
      const int i = std::clamp(index, 0, kMaxTableaus - 1);
      return RankOr(rules.TableauStart(i),
                    rules.TableauStart(0) != 0 ? Marker::TableauBase : Marker::TableauNoFill);
    }
    case MarkerKind::Talon:
      return {Marker::StockBaseAlt, -1};
    case MarkerKind::None:
      break;
  }
  return {};
}

}  // namespace tw
