#include "engine/legality.h"

#include <algorithm>

#include "core/cards.h"
#include "engine/build_rules.h"
#include "engine/ports.h"

namespace tw {

namespace {

constexpr int kKing = 13;

const std::string& PileAt(const StringList& list, int index) {
  static const std::string kNone;
  if (index < 0 || index >= static_cast<int>(list.size())) return kNone;
  return list[static_cast<size_t>(index)];
}

int EmptyCount(const StringList& list, int count) {
  int empty = 0;
  for (int i = 0; i < count && i < static_cast<int>(list.size()); ++i) {
    if (list[static_cast<size_t>(i)].empty()) ++empty;
  }
  return empty;
}

bool IsUsedPosition(int x) { return x > -10000; }

}  // namespace

int PileNumber(std::string_view pileName, std::string_view prefix) {
  if (pileName.size() <= prefix.size()) return 0;
  for (size_t k = 0; k < prefix.size(); ++k) {
    if (pileName[k] != prefix[k]) return 0;
  }
  const std::string_view digits = pileName.substr(prefix.size());
  if (digits.size() > 2) return 0;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool CanDropOnPile(GameContext& ctx, int card, const std::string& pileName) {
  const char kind = pileName.empty() ? '\0' : pileName[0];
  if (int n = kind == 'D' ? PileNumber(pileName, "Dest") : 0; n >= 1 && n <= kMaxFoundations) {
    return CanPlaceOnFoundation(ctx, ctx.DestPiles, n - 1, card);
  }
  if (int n = kind == 'F' ? PileNumber(pileName, "Fila") : 0; n >= 1 && n <= kMaxTableaus) {
    return CanPlaceOnTableau(ctx, ctx.FilaPiles, n - 1, card);
  }
  const int n = kind == 'A' ? PileNumber(pileName, "Appogg") : 0;
  if (n < 1 || n > kMaxReserves) return false;
  if (!IsSingleCardLifted(ctx)) return false;
  const std::string& reserve = PileAt(ctx.AppoggPiles, n - 1);
  const int firstReserveCards = PileCardCount(PileAt(ctx.AppoggPiles, 0));
  switch (ctx.GameRules.ReserveKind(n - 1)) {
    case 4:
      return false;
    case 8:
      return CardRank(card) == kKing && firstReserveCards < 3;
    case 13:
      return firstReserveCards < 5;
    case 9:
      return IsFaceCard(card) && reserve.empty();
    default:
      return reserve.empty();
  }
}

int BatchRemaining(const GameContext& ctx, bool& atBoundary) {
  const int k = CountCodeInGroups(ctx.UndoLog, 1) % 20;
  const int waste = PileCardCount(PileAt(ctx.MazzoPiles, 1));
  atBoundary = k == 0 || waste == 0;
  return std::min(waste, 20 - k);
}

bool IsBatchBoundary(const GameContext& ctx) {
  bool atBoundary = false;
  BatchRemaining(ctx, atBoundary);
  return atBoundary;
}

bool CanPlaceOnFoundation(GameContext& ctx, StringList& piles, int i, int card) {
  if (i < 0 || i >= kMaxFoundations || i >= static_cast<int>(piles.size())) return false;
  const GameRulesRecord& rules = ctx.GameRules;
  if (rules.GameKind() == 23) {
    const int loc = LocateCard(ctx, card);
    if (loc >= 1 && loc <= kMaxTableaus && !IsBatchBoundary(ctx)) return false;
  }
  if (!IsSingleCardLifted(ctx)) return false;
  const std::string& pile = piles[static_cast<size_t>(i)];
  const int rule = rules.FoundationRule(i);
  if (rule == 10) return CardRank(card) == 12 && pile.empty();
  if (rule == 22) {
    if (CardRank(card) == 1) return true;
    for (int p = 0; p < rules.TableauCount() && p < kMaxTableaus; ++p) {
      const std::string& tab = PileAt(ctx.FilaPiles, p);
      if (tab.empty()) continue;
      const int top = TopCard(tab);
      if (CardSuit(top) != CardSuit(card)) continue;
      if (CardRank(top) > CardRank(card) || CardRank(top) == 1) return true;
    }
    return false;
  }
  const int held = PileCardCount(pile);
  if (held >= rules.FoundationMaxCards() && rule != 20 && rule != 29) return false;
  if (rule == 20 && held >= 52) return false;
  const int top = pile.empty() ? kEmptyTarget : TopCard(pile);
  return CanBuildOn(ctx, top, card, rules.FoundationBase(i), rules.FoundationBase(i),
                    rules.FoundationDirection(i), rule, true, true, i, true);
}

bool CanPlaceOnTableau(GameContext& ctx, StringList& piles, int i, int card) {
  if (i < 0 || i >= kMaxTableaus || i >= static_cast<int>(piles.size())) return false;
  const GameRulesRecord& rules = ctx.GameRules;
  const std::string& pile = piles[static_cast<size_t>(i)];
  const int pileTop = TopCard(pile);
  if (pileTop > 0 && !IsFaceUp(ctx, pileTop)) return false;
  const int top = pile.empty() ? kEmptyTarget : pileTop;
  const bool run = !IsSingleCardLifted(ctx);
  bool result = CanBuildOn(ctx, top, card, rules.TableauStart(i), rules.FoundationBase(0),
                           rules.TableauDirection(i), rules.TableauRule(i), false,
                           rules.TableauWrap(i) > 0, i, true);
  if (rules.TableauRule(i) == 34 && !pile.empty() && run) result = false;
  if (result && rules.RunMoveRule() != 0 && run) result = IsValidRun(ctx, card, i);
  if (result && rules.MaxMoveCards() == -5 && run && pile.empty()) {
    result = RunLengthAllowed(ctx, card, true);
  }
  // The run's own source pile still holds it while it is dragged.
  if (pileTop > 0 && pileTop == ctx.GameState.RunLastCard()) result = false;
  return result;
}

namespace {

// Where RunOfCard finds the card: its pile and the run's first index there.
struct RunPlace {
  const std::string* pile = nullptr;
  int first = 0;
  int size() const { return pile ? PileCardCount(*pile) - first : 0; }
  int at(int k) const { return PileCardAt(*pile, first + k); }
};

RunPlace FindRun(const GameContext& ctx, int card) {
  RunPlace place;
  if (card <= 0 || card > 999) return place;
  const char code[3] = {static_cast<char>('0' + card / 100),
                        static_cast<char>('0' + card / 10 % 10),
                        static_cast<char>('0' + card % 10)};
  auto search = [&](const StringList& list, int count, int from = 0) {
    for (int p = from; p < count && p < static_cast<int>(list.size()); ++p) {
      const std::string& pile = list[static_cast<size_t>(p)];
      const int n = PileCardCount(pile);
      for (int k = 0; k < n; ++k) {
        const char* c = pile.data() + static_cast<size_t>(k) * 3;
        if (c[0] != code[0] || c[1] != code[1] || c[2] != code[2]) continue;
        place.pile = &pile;
        place.first = k;
        return true;
      }
    }
    return false;
  };
  // With the card locations indexed, a card found first on a tableau pile or
  // reserve is looked for there alone (the index searches tableau piles
  // before reserves, as this search does); one found nowhere is on neither.
  if (ctx.CardLocations && card <= kCardCodes) {
    const int loc = LocateCard(ctx, card);
    if (loc == 0) return place;
    if (loc >= 1 && loc <= kMaxTableaus) {
      search(ctx.FilaPiles, loc, loc - 1);
      return place;
    }
    if (loc <= -21 && loc >= -20 - kMaxReserves) {
      search(ctx.AppoggPiles, -loc - 20, -loc - 21);
      return place;
    }
  }
  if (!search(ctx.FilaPiles, ctx.GameRules.TableauCount())) {
    search(ctx.AppoggPiles, ctx.GameRules.ReserveCount());
  }
  return place;
}

}  // namespace

std::vector<int> RunOfCard(const GameContext& ctx, int card) {
  const RunPlace place = FindRun(ctx, card);
  std::vector<int> run;
  run.reserve(static_cast<size_t>(place.size()));
  for (int k = 0; k < place.size(); ++k) run.push_back(place.at(k));
  return run;
}

bool IsValidRun(GameContext& ctx, int card, int i) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int moveRule = rules.RunMoveRule();
  if (moveRule != 1 && moveRule != 10) return true;
  if (i < 0 || i >= kMaxTableaus) return false;
  const int suitRule = moveRule == 10 ? 0 : rules.TableauRule(i);
  const RunPlace run = FindRun(ctx, card);
  for (int k = 1; k < run.size(); ++k) {
    if (!CanBuildOn(ctx, run.at(k - 1), run.at(k), rules.TableauStart(i), rules.FoundationBase(0),
                    rules.TableauDirection(i), suitRule, false, rules.TableauWrap(i) > 0, i,
                    false)) {
      return false;
    }
  }
  return true;
}

bool RunLengthAllowed(GameContext& ctx, int card, bool toEmptyPile) {
  const RunPlace run = FindRun(ctx, card);
  const int n = run.size();
  ctx.GameState.RunLastCard() = static_cast<int16_t>(n == 0 ? 0 : run.at(n - 1));
  const GameRulesRecord& rules = ctx.GameRules;
  const int m = rules.MaxMoveCards();
  const int e = EmptyCount(ctx.FilaPiles, rules.TableauCount());
  const int r = EmptyCount(ctx.AppoggPiles, rules.ReserveCount());
  if (m >= 0) return n <= m;
  switch (m) {
    case -1:
      return true;
    case -12:
      return n == 1 || (n > 0 && CardRank(run.at(0)) == kKing);
    case -5:
      if (e == 0) return n <= r + 1;
      return toEmptyPile ? n <= r + e : n <= r + e + 1;
    case -6:
      return e == 0 ? n <= r + 1 : n <= r + e;
    default:
      return n <= std::max(e, 1);
  }
}

bool SendCardToFoundation(GameContext& ctx, int card, int x, int y, int width, int height,
                          bool tryReserves, bool autoplay) {
  if (card <= 0 || !IsFaceUp(ctx, card)) return false;
  MainWindowFlags& w = ctx.TfrmMain;
  w.DragHeight = ctx.CardHeight;
  SetLiftedCards(ctx, 1);
  ctx.GameState.MovingCard() = static_cast<int16_t>(card);
  ctx.GameState.RunLastCard() = 0;
  w.DragOffsetX = 0;
  w.DragOffsetY = 0;
  w.DragRect = Rect{x, y, x + width, y + height};
  w.DragImageRect = Rect{0, 0, ctx.CardWidth, w.DragHeight};
  w.MouseDownX = 0;
  w.MouseDownY = 0;

  const GameRulesRecord& rules = ctx.GameRules;
  const int foundations = std::min<int>(rules.FoundationCount(), kMaxFoundations);
  bool tryFoundations = true;
  if (autoplay) {
    // Foundations that all wait for a shared start rank are left to the player.
    tryFoundations = false;
    for (int i = 0; i < foundations; ++i) {
      if (rules.FoundationBase(i) != 92 || !PileAt(ctx.DestPiles, i).empty()) {
        tryFoundations = true;
        break;
      }
    }
  }

  bool moved = false;
  DropPort* drop = DropOf(ctx);
  if (drop && tryFoundations) {
    for (int i = 0; i < foundations && !moved; ++i) {
      if (IsUsedPosition(ctx.FoundationX[static_cast<size_t>(i)])) {
        moved = drop->DropOnPile(ctx, card, 5, i, autoplay);
      }
    }
  }
  if (drop && !moved && tryReserves) {
    const int reserves = std::min<int>(rules.ReserveCount(), kMaxReserves);
    for (int i = 0; i < reserves && !moved; ++i) {
      if (IsUsedPosition(ctx.ReserveX[static_cast<size_t>(i)])) {
        moved = drop->DropOnPile(ctx, card, 6, i, autoplay);
      }
    }
  }
  ctx.GameState.MovingCard() = 0;
  ctx.GameState.RunLastCard() = 0;
  return moved;
}

namespace {

struct RowWalk {
  bool run = true;
  int first = -1;
  int last = -1;
};

// Walks tableau pile 1 from the bottom: from the first card that lies on
// foundation 1, every later card but holes must lie there too, until as many
// cards as foundation 1 holds are matched.
RowWalk WalkRow(const GameContext& ctx) {
  RowWalk walk;
  const std::string& row = PileAt(ctx.FilaPiles, 0);
  const std::string& selection = PileAt(ctx.DestPiles, 0);
  const int need = PileCardCount(selection);
  if (need == 0) return walk;
  int matched = 0;
  const int n = PileCardCount(row);
  for (int k = 0; k < n && matched < need; ++k) {
    const int code = PileCardAt(row, k);
    const bool onSelection = code != 0 && CodeInCodeString(CardCodeText(code), selection);
    if (matched == 0) {
      if (!onSelection) continue;
      walk.first = k;
    } else if (code == 0) {
      continue;
    } else if (!onSelection) {
      walk.run = false;
      return walk;
    }
    walk.last = k;
    ++matched;
  }
  return walk;
}

}  // namespace

bool RowRunOnFoundation(const GameContext& ctx) { return WalkRow(ctx).run; }

bool RowEndsMatch(const GameContext& ctx) {
  const std::string& selection = PileAt(ctx.DestPiles, 0);
  const int kind = ctx.GameRules.GameKind();
  if (selection.empty() || (kind != 21 && kind != 22)) return false;
  const RowWalk walk = WalkRow(ctx);
  if (walk.first < 0) return false;
  const int first = walk.first - 2;
  const int last = (PileCardCount(selection) == 1 ? walk.first : walk.last) + 2;
  const std::string& row = PileAt(ctx.FilaPiles, 0);
  const int n = PileCardCount(row);
  if (first < 0 || first >= n || last < 0 || last >= n) return false;
  const int a = PileCardAt(row, first);
  const int b = PileCardAt(row, last);
  return CardRank(a) == CardRank(b) || CardSuit(a) == CardSuit(b);
}

}  // namespace tw
