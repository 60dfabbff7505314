#include "tools/demos/search.h"

#include <algorithm>
#include <unordered_map>

#include "core/cards.h"
#include "core/util.h"
#include "engine/autoplay.h"
#include "engine/build_rules.h"
#include "engine/legality.h"
#include "engine/random_player.h"
#include "engine/undo.h"

namespace tw::demos {

namespace {

constexpr int kSkip = -1;

uint64_t TableKey(const GameContext& ctx) {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](uint64_t v) {
    h ^= v;
    h *= 1099511628211ull;
  };
  for (const StringList* list :
       {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles}) {
    for (const std::string& pile : *list) {
      const int n = PileCardCount(pile);
      for (int k = 0; k < n; ++k) {
        const int card = PileCardAt(pile, k);
        mix(static_cast<uint64_t>(card) * 2 + (card > 0 && IsFaceUp(ctx, card) ? 1 : 0));
      }
      mix(0xffff);
    }
  }
  // Passes through the stock matter only while they are limited.
  if (ctx.GameRules.Deals() >= 0) mix(static_cast<uint64_t>(ctx.GameState.RedealsDone()) << 20);
  mix(static_cast<uint64_t>(ctx.ReserveDealCounter) << 40);
  return h;
}

struct Source {
  enum class Where { None, Waste, Tableau, Reserve, Foundation } where = Where::None;
  int index = 0;     // pile
  int position = 0;  // from the bottom
};

Source FindSource(const GameContext& ctx, int card) {
  auto scan = [card](const StringList& list, Source::Where where) -> Source {
    for (size_t i = 0; i < list.size(); ++i) {
      const int n = PileCardCount(list[i]);
      for (int k = n - 1; k >= 0; --k) {
        if (PileCardAt(list[i], k) == card) return {where, static_cast<int>(i), k};
      }
    }
    return {};
  };
  if (TopCard(ctx.MazzoPiles[1]) == card) return {Source::Where::Waste, 1, 0};
  for (const auto& [list, where] :
       {std::pair{&ctx.FilaPiles, Source::Where::Tableau},
        std::pair{&ctx.AppoggPiles, Source::Where::Reserve},
        std::pair{&ctx.DestPiles, Source::Where::Foundation}}) {
    const Source s = scan(*list, where);
    if (s.where != Source::Where::None) return s;
  }
  return {};
}

// Higher first; kSkip for moves that only shift a whole pile onto an empty
// one (or a free card between free cells).
int Priority(GameContext& ctx, const DemoMove& move, bool prune) {
  switch (move.kind) {
    case DemoMove::Kind::Select:
      return 90;
    case DemoMove::Kind::Stock:
      return 40;
    case DemoMove::Kind::Drop:
      break;
  }
  const std::string& target = move.drop.target;
  const bool toFoundation = target.rfind("Dest", 0) == 0;
  const bool toReserve = target.rfind("Appogg", 0) == 0;
  if (target == "Waste") return 95;
  const Source from = FindSource(ctx, move.drop.card);
  if (from.where == Source::Where::Foundation) return 5;
  bool uncovers = false, empties = false, onRun = false;
  if (from.where == Source::Where::Tableau) {
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(from.index)];
    empties = from.position == 0;
    const int below = from.position > 0 ? PileCardAt(pile, from.position - 1) : 0;
    uncovers = below > 0 && !IsFaceUp(ctx, below);
    const GameRulesRecord& r = ctx.GameRules;
    const int i = from.index;
    onRun = below > 0 && !uncovers &&
            CanBuildOn(ctx, below, move.drop.card, r.TableauStart(i), r.FoundationBase(0),
                       r.TableauDirection(i), r.TableauRule(i), false, r.TableauWrap(i) > 0, i,
                       true) &&
            IsValidRun(ctx, below, i);
  }
  if (toFoundation) return uncovers ? 105 : 100;
  // A card already built on the card below moves only to a foundation.
  if (onRun) return prune ? kSkip : 10;
  const std::string* onto = PileByName(ctx, target);
  const bool ontoEmpty = onto && PileCardCount(*onto) == 0;
  if (from.where == Source::Where::Reserve && toReserve) return kSkip;
  if (empties && ontoEmpty && !toReserve) return kSkip;
  if (uncovers) return toReserve ? 70 : 80;
  if (from.where == Source::Where::Waste || from.where == Source::Where::Reserve) {
    return toReserve ? 15 : 50;
  }
  if (empties) return toReserve ? 30 : 60;
  if (toReserve) return 20;
  if (ontoEmpty) return 22;
  // Onto a card of its own suit first (runs of one suit move together).
  return CardSuit(TopCard(*onto)) == CardSuit(move.drop.card) ? 27 : 25;
}

// A drop to a foundation that no play could regret: onto an empty
// foundation, or a card whose every neighbour rank (the one it would be
// built on in the tableau) already lies on the foundations.
bool SafeToFoundation(GameContext& ctx, const DemoMove& move) {
  if (move.kind != DemoMove::Kind::Drop || move.drop.target.rfind("Dest", 0) != 0) return false;
  const Source from = FindSource(ctx, move.drop.card);
  if (from.where == Source::Where::Foundation || from.where == Source::Where::None) return false;
  const std::string* onto = PileByName(ctx, move.drop.target);
  if (!onto) return false;
  if (onto->empty()) return true;
  const int rank = CardRank(move.drop.card), below = CardRank(TopCard(*onto));
  int neighbour = 0;
  if (below == rank - 1) {
    neighbour = rank - 1;
  } else if (below == rank + 1) {
    neighbour = rank + 1;
  } else {
    return false;
  }
  const int decks = ctx.GameRules.CardCount() > 52 ? 2 : 1;
  int home = 0;
  for (const std::string& pile : ctx.DestPiles) {
    const int n = PileCardCount(pile);
    for (int k = 0; k < n; ++k) home += CardRank(PileCardAt(pile, k)) == neighbour;
  }
  return home >= 4 * decks;
}

// How far the table is from a win, higher better: cards home count most,
// then face-down cards and cards lying on a card they do not build on.
int Progress(GameContext& ctx) {
  const GameRulesRecord& r = ctx.GameRules;
  int score = 0;
  for (const std::string& pile : ctx.DestPiles) score += 20 * PileCardCount(pile);
  for (int i = 0; i < std::clamp<int>(r.TableauCount(), 0, kMaxTableaus); ++i) {
    const std::string& pile = ctx.FilaPiles[static_cast<size_t>(i)];
    const int n = PileCardCount(pile);
    if (n == 0) score += 6;
    for (int k = 0; k < n; ++k) {
      const int card = PileCardAt(pile, k);
      if (card <= 0) continue;
      if (!IsFaceUp(ctx, card)) {
        score -= 6;
        continue;
      }
      const int below = k > 0 ? PileCardAt(pile, k - 1) : 0;
      if (below <= 0 || !IsFaceUp(ctx, below)) continue;
      if (!CanBuildOn(ctx, below, card, r.TableauStart(i), r.FoundationBase(0),
                      r.TableauDirection(i), r.TableauRule(i), false, r.TableauWrap(i) > 0, i,
                      true)) {
        score -= 3;
      } else if (r.RunMoveRule() != 0 && CardSuit(below) != CardSuit(card)) {
        score -= 1;  // built, but the run breaks there
      }
    }
  }
  for (int i = 0; i < std::clamp<int>(r.ReserveCount(), 0, kMaxReserves); ++i) {
    if (ctx.AppoggPiles[static_cast<size_t>(i)].empty()) score += 2;
  }
  return score;
}

bool Make(GameContext& ctx, const DemoMove& move) {
  switch (move.kind) {
    case DemoMove::Kind::Stock:
      return ClickStock(ctx);
    case DemoMove::Kind::Select:
      return MakeSelection(ctx, move.cards);
    case DemoMove::Kind::Drop:
      return MakeDrop(ctx, move.drop);
  }
  return false;
}

// The table as it was before a move, for moves that change it without an
// undo step of their own (the gap closing of the grid games).
struct Before {
  StringList table;
  int16_t redeals = 0;
  int reserveDeals = 0;
};

Before Keep(const GameContext& ctx) {
  Before b;
  SaveTableSnapshot(ctx, b.table);
  b.redeals = ctx.GameState.RedealsDone();
  b.reserveDeals = ctx.ReserveDealCounter;
  return b;
}

void Restore(GameContext& ctx, const Before& b) {
  size_t line = 0;
  for (StringList* piles : {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles}) {
    for (size_t i = 0; i < piles->size(); ++i) {
      RestorePileFromSnapshot(ctx, *piles, static_cast<int>(i), b.table[line++]);
    }
  }
  ctx.GameState.RedealsDone() = b.redeals;
  ctx.ReserveDealCounter = b.reserveDeals;
}

// Undoes the steps made since depth; a move that made none is put back from
// the table kept before it.
void TakeBack(GameContext& ctx, int depth, const Before& before) {
  if (UndoDepth(ctx) == depth) {
    Restore(ctx, before);
    return;
  }
  while (UndoDepth(ctx) > depth) {
    if (!UndoRedo(ctx, true, true)) break;
  }
}

class Search {
 public:
  Search(GameContext& ctx, const SearchLimits& limits, bool prune, uint64_t seed)
      : ctx_(ctx), limits_(limits), prune_(prune), seed_(seed) {}

  bool Run() {
    seen_[TableKey(ctx_)] = limits_.maxMoves;
    return Visit();
  }
  // The budget ran out (rather than every move having been tried).
  bool Stopped() const { return stop_; }

  int64_t nodes = 0;
  std::vector<DemoMove> path;

 private:
  bool OutOfBudget() {
    if (stop_) return true;
    if (nodes >= limits_.nodes) stop_ = true;
    if ((nodes & 255) == 0 && std::chrono::steady_clock::now() >= limits_.deadline) stop_ = true;
    return stop_;
  }

  // A table is searched again only when it is reached with more moves left
  // than before (the move limit may have cut the earlier search short).
  bool FirstVisit() {
    const int left = limits_.maxMoves - static_cast<int>(path.size()) - 1;
    auto [it, added] = seen_.try_emplace(TableKey(ctx_), left);
    if (added) return true;
    if (it->second >= left) return false;
    it->second = left;
    return true;
  }

  bool Visit() {
    if (static_cast<int>(path.size()) >= limits_.maxMoves) return false;
    std::vector<std::pair<int, DemoMove>> ranked;
    for (DemoMove& m : DemoCandidates(ctx_)) {
      // A safe move to a foundation is the only one worth trying.
      if (SafeToFoundation(ctx_, m)) {
        ranked.assign(1, {0, std::move(m)});
        break;
      }
      const int p = Priority(ctx_, m, prune_);
      if (p != kSkip) ranked.emplace_back(p, std::move(m));
    }
    if (seed_ != 0 && ranked.size() > 1) {
      // Looking one move ahead: the moves to foundations keep
      // their place, every other move is ranked by the table it leaves.
      for (auto& [priority, move] : ranked) {
        if (priority >= 100) {
          priority = 1000000 + priority;
          continue;
        }
        const int depth = UndoDepth(ctx_);
        const Before before = Keep(ctx_);
        if (Make(ctx_, move)) {
          priority = Progress(ctx_) * 128 + priority + static_cast<int>(Next() % 8);
        } else {
          priority = kSkip;
        }
        TakeBack(ctx_, depth, before);
      }
      ranked.erase(std::remove_if(ranked.begin(), ranked.end(),
                                  [](const auto& r) { return r.first == kSkip; }),
                   ranked.end());
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [priority, move] : ranked) {
      if (OutOfBudget()) return false;
      ++nodes;
      const int depth = UndoDepth(ctx_);
      const Before before = Keep(ctx_);
      const bool moved = Make(ctx_, move);
      if (!moved || !FirstVisit()) {
        TakeBack(ctx_, depth, before);
        continue;
      }
      path.push_back(move);
      if (IsGameWon(ctx_) || Visit()) return true;
      path.pop_back();
      TakeBack(ctx_, depth, before);
    }
    return false;
  }

  uint64_t Next() {
    seed_ ^= seed_ << 13;
    seed_ ^= seed_ >> 7;
    seed_ ^= seed_ << 17;
    return seed_;
  }

  GameContext& ctx_;
  const SearchLimits& limits_;
  const bool prune_;
  uint64_t seed_;
  std::unordered_map<uint64_t, int> seen_;  // table -> moves left when reached
  bool stop_ = false;
};

}  // namespace

SearchResult SearchDeal(GameContext& ctx, const std::string& deal, const SearchLimits& limits) {
  SearchResult result;
  // Rounds with a share of the budget each, in turn looking one move ahead
  // without moving cards off their builds, then with them, then both by the
  // move kinds alone, and again with other tie-breaks: a search lost deep in
  // one part of the tree starts afresh.
  const int rounds = std::max(1, limits.rounds);
  std::vector<DemoMove> path;
  bool won = false;
  for (int round = 0; round < rounds && !won; ++round) {
    if (!StartDealForPlay(ctx, deal)) return result;
    SearchLimits share = limits;
    share.nodes = (limits.nodes - result.nodes) / (rounds - round);
    const bool ahead = round % 4 < 2;
    Search search(ctx, share, round % 2 == 0,
                  ahead ? 0x9e3779b97f4a7c15ull * static_cast<uint64_t>(round + 1) : 0);
    won = search.Run();
    result.nodes += search.nodes;
    path = std::move(search.path);
    // Every move tried without a win: another order finds nothing either.
    if (!won && !search.Stopped() && round % 2 == 1) break;
    if (std::chrono::steady_clock::now() >= limits.deadline) break;
  }
  if (!won) return result;
  DemoSource check;
  int64_t game = 0;
  ParseInt(ctx.Cfg(cfg::Game), game);
  check.game = static_cast<int>(game);
  check.deal = deal;
  check.moves = path;
  std::string error;
  if (!ReplayDemo(ctx, check, error)) return result;
  result.won = true;
  result.moves = std::move(path);
  return result;
}

}  // namespace tw::demos
