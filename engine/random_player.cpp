#include "engine/random_player.h"

#include <algorithm>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/deal.h"
#include "engine/executor.h"
#include "engine/legality.h"
#include "engine/pairs.h"
#include "engine/pileops.h"
#include "engine/selection.h"
#include "engine/undo.h"

namespace tw {

bool IsSelectionGame(const GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  return rules.SelectionFoundation() != 0 || rules.GameKind() == 3 || rules.GameKind() == 4;
}

namespace {

int Used(int count, int max) { return std::clamp(count, 0, max); }

// A pile by kind ('W' waste, 'F' foundation, 'T' tableau, 'R' reserve) and index.
struct PileRef {
  char kind;
  int index;
  bool operator==(const PileRef&) const = default;
};

struct Lift {
  int card;
  int lifted;
  int sourceTop;
  PileRef source;
};

struct Target {
  std::string name;
  PileRef pile;
};

// Sets the lifted state the pick-up would, tests the target, clears it.
bool Allowed(GameContext& ctx, const Lift& lift, const Target& target) {
  SetLiftedCards(ctx, lift.lifted);
  ctx.GameState.MovingCard() = static_cast<int16_t>(lift.card);
  ctx.GameState.RunLastCard() = static_cast<int16_t>(lift.sourceTop);
  // Foundations and tableau piles straight by index; what a drop by name would call.
  const bool ok = target.pile.kind == 'F'
                      ? CanPlaceOnFoundation(ctx, ctx.DestPiles, target.pile.index, lift.card)
                  : target.pile.kind == 'T'
                      ? CanPlaceOnTableau(ctx, ctx.FilaPiles, target.pile.index, lift.card)
                      : CanDropOnPile(ctx, lift.card, target.name);
  ctx.GameState.MovingCard() = 0;
  ctx.GameState.RunLastCard() = 0;
  SetLiftedCards(ctx, 1);
  return ok;
}

std::vector<Lift> Lifts(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  std::vector<Lift> lifts;
  const int wasteTop = TopCard(ctx.MazzoPiles[1]);
  if (wasteTop > 0 && IsFaceUp(ctx, wasteTop)) lifts.push_back({wasteTop, 1, 0, {'W', 0}});
  for (int i = 0; i < Used(rules.ReserveCount(), kMaxReserves); ++i) {
    const std::string& pile = ctx.AppoggPiles[static_cast<size_t>(i)];
    const int top = TopCard(pile);
    // With SingleCardPick -11 every card of a reserve is taken on its own.
    const int first = rules.SingleCardPick() == -11 ? 0 : PileCardCount(pile) - 1;
    for (int k = std::max(first, 0); k < PileCardCount(pile); ++k) {
      const int card = PileCardAt(pile, k);
      if (card > 0 && IsFaceUp(ctx, card)) {
        lifts.push_back({card, 1, top, {'R', i}});
      }
    }
  }
  for (int i = 0; i < Used(rules.TableauCount(), kMaxTableaus); ++i) {
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    const int n = PileCardCount(pile);
    const int top = TopCard(pile);
    for (int k = n - 1; k >= 0; --k) {
      const int card = PileCardAt(pile, k);
      if (card <= 0 || !IsFaceUp(ctx, card)) break;
      const int lifted = n - k;
      if (lifted > 1 && (!IsValidRun(ctx, card, i) || !RunLengthAllowed(ctx, card, false))) {
        continue;
      }
      lifts.push_back({card, lifted, top, {'T', i}});
    }
  }
  const int pick = rules.FoundationPick();
  for (int i = IsSelectionGame(ctx) ? 1 : 0; i < Used(rules.FoundationCount(), kMaxFoundations);
       ++i) {
    const std::string& pile = ctx.DestPiles[static_cast<size_t>(i)];
    const int top = TopCard(pile);
    if (top > 0 && (pick == 1 || (pick == 2 && PileCardCount(pile) >= 2))) {
      lifts.push_back({top, 1, 0, {'F', i}});
    }
  }
  return lifts;
}

// The discard rule of the table's pick-up: one rank above or below the
// discard's top, any suit; kinds 12 and 15 also wrap King and Ace.
bool FitsDiscard(GameContext& ctx, int kind, int discard, int card, int pile) {
  const int a = CardRank(discard);
  const int b = CardRank(card);
  if ((a == 13 && b == 1) || (a == 1 && b == 13)) return kind != 2;
  if (kind == 12) return b == a + 1 || b == a - 1;
  return CanBuildOn(ctx, discard, card, -1, -1, 1, 2, false, false, pile, false) ||
         CanBuildOn(ctx, card, discard, -1, -1, 1, 2, false, false, pile, false);
}

int RankSum(const std::vector<int>& ranks) {
  int sum = 0;
  for (int r : ranks) sum += r;
  return sum;
}

bool AllAtMost(const std::vector<int>& ranks, int highest) {
  return std::all_of(ranks.begin(), ranks.end(), [highest](int r) { return r <= highest; });
}

// The ranks (sorted) are exactly first..13, one each.
bool RanksFrom(const std::vector<int>& sorted, int first) {
  if (static_cast<int>(sorted.size()) != 14 - first) return false;
  for (size_t k = 0; k < sorted.size(); ++k) {
    if (sorted[k] != first + static_cast<int>(k)) return false;
  }
  return true;
}

int MaxSelection(int kind) {
  switch (kind) {
    case 1:
    case 18:
    case 24:
      return 4;
    case 17:
    case 26:
      return 3;
    default:
      return 2;
  }
}

// A selection of these ranks on these tableau piles is complete.
// Sorts the ranks.
bool SelectionComplete(const GameContext& ctx, std::vector<int>& ranks,
                       const std::vector<int>& piles) {
  const int kind = ctx.GameRules.GameKind();
  const int target = ctx.GameRules.SelectionFoundation();
  const size_t n = ranks.size();
  std::sort(ranks.begin(), ranks.end());
  const bool pairOfRank = n == 2 && ranks[0] == ranks[1];
  switch (kind) {
    case 8:
      return pairOfRank && IsGridNeighbour(piles[0], piles[1]);
    case 14:
    case 16:
    case 25:
      return pairOfRank;
    case 3:
      return n == 2 && RankSum(ranks) == 14;
    case 4:
      return (n == 1 && ranks[0] == 13) || (n == 2 && RankSum(ranks) == 13);
    case 17:
    case 26:
      return (n == 2 && AllAtMost(ranks, 10) && RankSum(ranks) == 11) || RanksFrom(ranks, 11);
    case 24:
      return (n <= 2 && AllAtMost(ranks, 9) && RankSum(ranks) == 9) || RanksFrom(ranks, 10);
    case 18: {
      if (n == 1) return ranks[0] == 1;
      if (n != 4 || ranks[3] < 11 || ranks[2] > 10 || ranks[0] < 2) return false;
      return ranks[0] != ranks[1] && ranks[1] != ranks[2] && ranks[0] + ranks[1] + ranks[2] == 18;
    }
    case 1:
      if (ranks[0] >= 10) return n == 4 && ranks[0] == ranks[3];
      if (!AllAtMost(ranks, 9)) return false;
      if (target == 10) return n == 2 && RankSum(ranks) == 10;
      return target == 15 && RankSum(ranks) == 15;
    default:
      return target > 0 && RankSum(ranks) == target;
  }
}

// Whether a larger selection holding these (sorted) ranks could still be
// complete; false lets the search skip every set that grows from them.
// Only the four-card sums of kind 1 are judged; other kinds may always grow.
bool SelectionMayGrow(const GameContext& ctx, const std::vector<int>& ranks) {
  if (ctx.GameRules.GameKind() != 1 || ranks.empty() || ranks.front() < 1) return true;
  // Four of a rank from ten up, or cards up to nine adding to the target.
  if (ranks.back() >= 10) return ranks.front() == ranks.back();
  const int target = ctx.GameRules.SelectionFoundation();
  return (target == 10 || target == 15) && RankSum(ranks) < target;
}

}  // namespace

bool DirectDrop::DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) {
  std::string name;
  switch (kind) {
    case 5:
      name = "Dest";
      break;
    case 6:
      name = "Appogg";
      break;
    case 4:
      name = "Fila";
      break;
    default:
      return false;
  }
  name += std::to_string(index + 1);
  if (!CanDropOnPile(ctx, card, name)) return false;
  if (kind == 5 && autoplay) name = "Dest_Autoplay" + std::to_string(index + 1);
  return PlayToPile(ctx, card, name);
}

std::vector<PlayerMove> LegalDrops(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  std::vector<PlayerMove> moves;
  std::vector<Target> targets;
  for (int i = IsSelectionGame(ctx) ? 1 : 0; i < Used(rules.FoundationCount(), kMaxFoundations);
       ++i) {
    targets.push_back({"Dest" + std::to_string(i + 1), {'F', i}});
  }
  for (int i = 0; i < Used(rules.TableauCount(), kMaxTableaus); ++i) {
    targets.push_back({"Fila" + std::to_string(i + 1), {'T', i}});
  }
  for (int i = 0; i < Used(rules.ReserveCount(), kMaxReserves); ++i) {
    targets.push_back({"Appogg" + std::to_string(i + 1), {'R', i}});
  }
  // Discard games play a tableau top onto the third stock slot; in kind 15
  // an empty one takes any card.
  const int kind = rules.GameKind();
  const int discard = TopCard(ctx.MazzoPiles[2]);
  if ((kind == 2 || kind == 12 || kind == 15) && (discard > 0 || kind == 15)) {
    for (int i = 0; i < Used(rules.TableauCount(), kMaxTableaus); ++i) {
      const int top = TopCard(ctx.FilaPiles[static_cast<size_t>(i)]);
      if (top > 0 && IsFaceUp(ctx, top) && FitsDiscard(ctx, kind, discard, top, i)) {
        moves.push_back({top, "Waste", 1});
      }
    }
  }
  // The legality checks below leave the piles alone: the rules that ask where
  // a card lies find every card in one search of the table, not one search each.
  CardLocationIndex locations;
  struct Indexed {
    GameContext& ctx;
    ~Indexed() { ctx.CardLocations = nullptr; }
  } indexed{ctx};
  ctx.CardLocations = &locations;
  for (const Lift& lift : Lifts(ctx)) {
    for (const Target& target : targets) {
      if (target.pile == lift.source) continue;
      if (Allowed(ctx, lift, target)) moves.push_back({lift.card, target.name, lift.lifted});
    }
  }
  return moves;
}

bool MakeDrop(GameContext& ctx, const PlayerMove& move) {
  SetLiftedCards(ctx, move.lifted);
  ctx.TfrmMain.DragHeight = ctx.CardHeight;
  const bool moved = PlayToPile(ctx, move.card, move.target);
  // A card the player lays on a pile of a batch game counts towards the
  // batch, as the table's drop counts it.
  if (moved && ctx.GameRules.GameKind() == 23 && move.target.rfind("Fila", 0) == 0)
    ReplaceLastUndoGroup(ctx, 1);
  SetLiftedCards(ctx, 1);
  ctx.GameState.MovingCard() = 0;
  ctx.GameState.RunLastCard() = 0;
  AutoFillEmptyTableaus(ctx);
  return moved;
}

namespace {

// Row games: runs of neighbouring cards of the row (holes between them do not
// count) whose removal the game allows, judged as the selection would be.
std::vector<std::vector<int>> RowSelections(GameContext& ctx) {
  const int kind = ctx.GameRules.GameKind();
  std::vector<int> row;
  const std::string& pile = ctx.FilaPiles[0];
  for (int k = 0; k < PileCardCount(pile); ++k) {
    if (PileCardAt(pile, k) > 0) row.push_back(PileCardAt(pile, k));
  }
  std::vector<std::vector<int>> found;
  std::string& selection = ctx.DestPiles[0];
  const std::string kept = selection;
  for (size_t first = 0; first < row.size(); ++first) {
    std::vector<int> run;
    int sum = 0;
    for (size_t k = first; k < row.size(); ++k) {
      run.push_back(row[k]);
      sum += std::min(CardRank(row[k]), 10);
      bool complete = false;
      if (kind == 20) {
        complete = run.size() >= 2 && (sum == 10 || sum == 20 || sum == 30);
      } else if (kind == 21 || kind == 22) {
        if (run.size() > 2) break;
        if (kind == 22 && (row[k] == 12 || row[k] == 13)) break;
        selection.clear();
        for (int c : run) selection += CardCodeText(c);
        complete = RowRunOnFoundation(ctx) && RowEndsMatch(ctx);
      }
      if (complete) {
        selection = kept;
        std::vector<int> order = ClickOrder(ctx, run);
        if (!order.empty()) found.push_back(std::move(order));
      }
      if (kind == 20 && sum >= 30) break;
    }
  }
  selection = kept;
  return found;
}

}  // namespace

std::vector<std::vector<int>> CompleteSelections(GameContext& ctx) {
  if (ctx.GameRules.TableauLayout() == 8) return RowSelections(ctx);
  std::vector<int> tops, piles;
  const bool pyramid = ctx.GameRules.GameKind() == 4;
  for (int i = 0; i < Used(ctx.GameRules.TableauCount(), kMaxTableaus); ++i) {
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    // The pyramid offers every uncovered card, the others their tops.
    for (int k = pyramid ? 0 : PileCardCount(pile) - 1; k >= 0 && k < PileCardCount(pile); ++k) {
      const int card = PileCardAt(pile, k);
      if (card <= 0 || !IsFaceUp(ctx, card) || (pyramid && !IsCardUncovered(ctx, card))) continue;
      tops.push_back(card);
      piles.push_back(i);
    }
  }
  // The stock's and the waste's top cards pair with the pyramid's.
  for (int slot = 0; pyramid && slot < 2; ++slot) {
    const int top = TopCard(ctx.MazzoPiles[static_cast<size_t>(slot)]);
    if (top > 0) {
      tops.push_back(top);
      piles.push_back(-1);
    }
  }
  const int most = MaxSelection(ctx.GameRules.GameKind());
  std::vector<std::vector<int>> found;
  std::vector<size_t> at;
  // Filled anew for every set; kept here so that their room is reused.
  std::vector<int> ranks, onPiles, cards;
  // Every set of up to `most` tops, in pile order.
  auto visit = [&](auto&& self, size_t from) -> void {
    if (!at.empty()) {
      ranks.clear();
      onPiles.clear();
      cards.clear();
      for (size_t k : at) {
        ranks.push_back(CardRank(tops[k]));
        onPiles.push_back(piles[k]);
        cards.push_back(tops[k]);
      }
      // Kept in an order whose clicks make it: a selection is played away
      // at the first click that completes it.
      if (SelectionComplete(ctx, ranks, onPiles)) {
        std::vector<int> order = ClickOrder(ctx, cards);
        if (!order.empty()) found.push_back(std::move(order));
      }
      if (!SelectionMayGrow(ctx, ranks)) return;
    }
    if (static_cast<int>(at.size()) == most) return;
    for (size_t k = from; k < tops.size(); ++k) {
      at.push_back(k);
      self(self, k + 1);
      at.pop_back();
    }
  };
  visit(visit, 0);
  return found;
}

bool MakeSelection(GameContext& ctx, const std::vector<int>& cards) {
  const bool moved = ClicksCompleteSelection(ctx, cards) && PlayCompleteSelection(ctx);
  ctx.DestPiles[0].clear();
  return moved;
}

bool ClickStock(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  if (rules.SelectionFoundation() != 0 && rules.GameKind() == 8) {
    return PlayToPile(ctx, 0, "Stock_To_Pile_Monte_Carlo");
  }
  const int lastTableau = std::max(0, Used(rules.TableauCount(), kMaxTableaus) - 1);
  const int lastReserve = std::max(0, Used(rules.ReserveCount(), kMaxReserves) - 1);
  const int toTableau = rules.StockDealToTableau(0) != 0 ? rules.StockDealToTableau(0)
                                                         : rules.StockDealToTableau(lastTableau);
  const int toReserve = rules.StockDealToReserve(0) != 0 ? rules.StockDealToReserve(0)
                                                         : rules.StockDealToReserve(lastReserve);
  const std::string& stock = ctx.MazzoPiles[0];
  bool moved = false;
  if (rules.HasWaste() == 1 || rules.TableauRedeal() >= 1) {
    moved = PlayToPile(ctx, TopCard(stock), "Mazzo_Vis");
    // The release makes the redeal the press asked for.
    if (ctx.GameState.RedealMarkerShown() == 1) {
      moved = PlayToPile(ctx, 0, "Mazzo_Vis") || moved;
      ctx.GameState.RedealMarkerShown() = 0;
    }
  } else if (toTableau == 1) {
    moved = PlayToPile(ctx, 7, "Add_Tableaus");
  } else if (toTableau == 2) {
    bool full = true;
    for (int i = 0; i <= lastTableau; ++i)
      full = full && !ctx.FilaPiles[static_cast<size_t>(i)].empty();
    if (full) moved = PlayToPile(ctx, 7, "Add_Tableaus");
  } else if (toReserve == 1) {
    moved = PlayToPile(ctx, 7, "Add_Reserves");
  } else if (rules.StockDealToReserve(0) == 3) {
    if (PileCardCount(stock) == 8) {
      moved = PlayToPile(ctx, 7, "Add_Tableaus_Last");
    } else {
      moved = PlayToPile(ctx, 7, "Add_Reserves");
      moved = PlayToPile(ctx, 7, "Add_Reserves") || moved;
    }
  } else if (rules.StockDealToReserve(0) == 4 && !stock.empty()) {
    ++ctx.ReserveDealCounter;
    const std::string target = ctx.ReserveDealCounter % 2 == 0 ? "Add_Reserve_2" : "Add_Reserve_1";
    int plays = 0;
    for (int k = 0; k < 3 && !ctx.MazzoPiles[0].empty(); ++k) {
      if (PlayToPile(ctx, 7, target)) ++plays;
    }
    if (plays > 1) MergeLastUndoSteps(ctx, plays - 1);
    if (plays > 0) {
      ReplaceLastUndoGroup(ctx, 2);
      moved = true;
    } else {
      --ctx.ReserveDealCounter;
    }
  } else if (rules.TalonStyle() != 0) {
    moved = PlayToPile(ctx, TopCard(stock), "Mazzo_Waste");
  }
  if (moved) AutoFillEmptyTableaus(ctx);
  return moved;
}

bool StartDealForPlay(GameContext& ctx, const std::string& dealNumber) {
  ctx.GameRules.Clear();
  if (!LoadGameRules(ctx)) return false;
  InitCardsAndPiles(ctx);
  for (StringList* stack : {&ctx.UndoMazzo, &ctx.UndoDest, &ctx.UndoFila, &ctx.UndoAppogg,
                            &ctx.RedoMazzo, &ctx.RedoDest, &ctx.RedoFila, &ctx.RedoAppogg}) {
    stack->clear();
  }
  ctx.UndoLog.clear();
  ctx.RedoLog.clear();
  ctx.GameState.MovesMade() = 0;
  ctx.GameState.RedealMarkerShown() = 0;
  ctx.GameState.RedealsDone() = 1;
  ctx.GameState.MovingCard() = 0;
  ctx.GameState.RunLastCard() = 0;
  SetLiftedCards(ctx, 1);
  ctx.ReserveDealCounter = 0;
  ctx.SetCfg(cfg::UndoUsed, "0");
  ctx.SetCfg(cfg::RedoUsed, "0");
  ctx.SetCfg(cfg::DealNumber, dealNumber);
  ctx.TfrmMain.GameWon = 0;
  ctx.TfrmMain.StopAutoPlay = 0;
  // Without a layout the used piles stand at the origin: what matters here
  // is only that they are on the table.
  for (int i = 0; i < kMaxFoundations; ++i) {
    ctx.FoundationX[static_cast<size_t>(i)] =
        i < ctx.GameRules.FoundationCount() ? 0 : kUnusedFoundation;
  }
  for (int i = 0; i < kMaxReserves; ++i) {
    ctx.ReserveX[static_cast<size_t>(i)] = i < ctx.GameRules.ReserveCount() ? 0 : kUnusedReserve;
  }
  if (!DealCards(ctx)) return false;
  ctx.TfrmMain.GameInProgress = 1;
  return true;
}

int RandomPlayer::Next(int range) {
  // splitmix64: small, fast and the same everywhere.
  state_ += 0x9e3779b97f4a7c15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  z ^= z >> 31;
  return range <= 0 ? 0 : static_cast<int>(z % static_cast<uint64_t>(range));
}

RandomPlayer::Action RandomPlayer::Step(GameContext& ctx) {
  const int roll = Next(100);
  if (roll < 10) return UndoRedo(ctx, true, false) ? Action::Undo : Action::None;
  if (roll < 16) return UndoRedo(ctx, false, false) ? Action::Redo : Action::None;
  if (roll < 20) {
    ctx.TfrmMain.AutoPlayOn = 1;
    const bool moved = AutoPlay(ctx);
    ctx.TfrmMain.AutoPlayOn = 0;
    return moved ? Action::Autoplay : Action::None;
  }
  if (roll < 35) return ClickStock(ctx) ? Action::Stock : Action::None;
  // Selection games are played by selecting, never by dragging.
  if (IsSelectionGame(ctx)) {
    const std::vector<std::vector<int>> selections = CompleteSelections(ctx);
    if (selections.empty()) return ClickStock(ctx) ? Action::Stock : Action::None;
    const auto& pick = selections[static_cast<size_t>(Next(static_cast<int>(selections.size())))];
    return MakeSelection(ctx, pick) ? Action::Select : Action::None;
  }
  const std::vector<PlayerMove> moves = LegalDrops(ctx);
  if (moves.empty()) return ClickStock(ctx) ? Action::Stock : Action::None;
  const PlayerMove& move = moves[static_cast<size_t>(Next(static_cast<int>(moves.size())))];
  return MakeDrop(ctx, move) ? Action::Drop : Action::None;
}

}  // namespace tw
