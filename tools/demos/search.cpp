#include "tools/demos/search.h"

#include <algorithm>
#include <unordered_set>

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
                       true);
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
  return ontoEmpty ? 22 : 25;
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

void TakeBack(GameContext& ctx, int depth) {
  while (UndoDepth(ctx) > depth) {
    if (!UndoRedo(ctx, true, true)) break;
  }
}

class Search {
 public:
  Search(GameContext& ctx, const SearchLimits& limits, bool prune)
      : ctx_(ctx), limits_(limits), prune_(prune) {}

  bool Run() {
    seen_.insert(TableKey(ctx_));
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

  bool Visit() {
    if (static_cast<int>(path.size()) >= limits_.maxMoves) return false;
    std::vector<std::pair<int, DemoMove>> ranked;
    for (DemoMove& m : DemoCandidates(ctx_)) {
      const int p = Priority(ctx_, m, prune_);
      if (p != kSkip) ranked.emplace_back(p, std::move(m));
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [priority, move] : ranked) {
      if (OutOfBudget()) return false;
      ++nodes;
      const int depth = UndoDepth(ctx_);
      const bool moved = Make(ctx_, move);
      if (!moved || UndoDepth(ctx_) == depth) {
        TakeBack(ctx_, depth);
        continue;
      }
      if (!seen_.insert(TableKey(ctx_)).second) {
        TakeBack(ctx_, depth);
        continue;
      }
      path.push_back(move);
      if (IsGameWon(ctx_) || Visit()) return true;
      path.pop_back();
      TakeBack(ctx_, depth);
    }
    return false;
  }

  GameContext& ctx_;
  const SearchLimits& limits_;
  const bool prune_;
  std::unordered_set<uint64_t> seen_;
  bool stop_ = false;
};

}  // namespace

SearchResult SearchDeal(GameContext& ctx, const std::string& deal, const SearchLimits& limits) {
  SearchResult result;
  // First without moving cards off their builds; when that runs out of
  // moves within the budget, again with them.
  std::vector<DemoMove> path;
  bool won = false;
  for (bool prune : {true, false}) {
    if (!StartDealForPlay(ctx, deal)) return result;
    SearchLimits left = limits;
    left.nodes = limits.nodes - result.nodes;
    Search search(ctx, left, prune);
    won = search.Run();
    result.nodes += search.nodes;
    path = std::move(search.path);
    if (won || search.Stopped()) break;
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
