#include "engine/build_rules.h"

#include <cstdint>
#include <cstdlib>

#include "core/cards.h"
#include "core/util.h"

namespace tw {

namespace {

constexpr int kAce = 1;
constexpr int kJack = 11;
constexpr int kQueen = 12;
constexpr int kKing = 13;

bool OnTableau(const GameContext& ctx, int card) {
  int loc = LocateCard(ctx, card);
  return loc >= 1 && loc <= kMaxTableaus;
}

bool OnFoundation(const GameContext& ctx, int card) {
  int loc = LocateCard(ctx, card);
  return loc <= -1 && loc >= -kMaxFoundations;
}

bool OnReserve(const GameContext& ctx, int card) {
  int loc = LocateCard(ctx, card);
  return loc <= -21 && loc >= -28;
}

const std::string& PileAt(const StringList& list, int index) {
  static const std::string kNone;
  if (index < 0 || index >= static_cast<int>(list.size())) return kNone;
  return list[static_cast<size_t>(index)];
}

// The target pile itself, for the rules that count its cards.
const std::string& TargetPile(const GameContext& ctx, bool isFoundation, int pileIndex) {
  return PileAt(isFoundation ? ctx.DestPiles : ctx.FilaPiles, pileIndex);
}

int FoundationCards(const GameContext& ctx, int index) {
  return PileCardCount(PileAt(ctx.DestPiles, index));
}

enum class Verdict { Accept, Refuse, Undecided };

// The general test: start code on an empty target, suit and direction
// otherwise. t is the normalised target (-1 when empty).
bool GeneralTest(GameContext& ctx, int t, int card, int startCode, int baseRank, int direction,
                 int suitRule, bool isFoundation, bool wrap) {
  const int rank = CardRank(card);
  if (t == -1) {
    switch (startCode) {
      case 81:
      case 84:
      case 85:
        return CanStartFoundation(ctx, startCode, card);
      case 82:
      case 83:
        return false;
      case 86:
        return IsSingleCardLifted(ctx);
      case 87:
        return !OnTableau(ctx, card) && !OnFoundation(ctx, card) && !OnReserve(ctx, card);
      case 92: {
        for (int i = 0; i < ctx.GameRules.FoundationCount() && i < kMaxFoundations; ++i) {
          const std::string& pile = PileAt(ctx.DestPiles, i);
          if (!pile.empty() && CardRank(PileCardAt(pile, 0)) != rank) return false;
        }
        return true;
      }
      default:
        return startCode == -1 || baseRank == -1 || rank == startCode;
    }
  }

  const int topRank = CardRank(t);
  switch (suitRule) {
    case 0:
    case 11:
      if (CardSuit(t) != CardSuit(card)) return false;
      break;
    case 1:
      if (IsRedCard(t) != IsRedCard(card)) return false;
      break;
    case 3:
      if (IsRedCard(t) == IsRedCard(card)) return false;
      break;
    case 6:
      return false;
    default:
      break;
  }
  if (direction < 0 || direction > 2) return false;

  if (direction == 1 || direction == 2) {
    Verdict up = Verdict::Undecided;
    if (isFoundation && topRank == kKing) {
      up = (rank == kAce && startCode != 1) ? Verdict::Accept : Verdict::Refuse;
    } else if (!isFoundation && topRank == baseRank && !wrap) {
      up = Verdict::Refuse;
    } else if (!isFoundation && topRank == kKing && rank == kAce) {
      up = Verdict::Accept;
    } else if (rank == topRank + 1) {
      up = Verdict::Accept;
    }
    if (up == Verdict::Accept) return true;
    if (up == Verdict::Refuse || direction == 1) return false;
  }

  // Down: direction 0, or direction 2 after an undecided up test.
  if (isFoundation) {
    if (topRank == kAce) return rank == kKing && startCode != 13;
  } else {
    if (!wrap) {
      if (topRank == baseRank) return false;
      if (topRank == kAce && (baseRank == 81 || baseRank == 82 || baseRank == 83)) return false;
    }
    if (topRank == kAce) return rank == kKing;
  }
  return rank == topRank - 1;
}

}  // namespace

bool IsSingleCardLifted(const GameContext& ctx) { return ctx.GameState.LiftedCards() <= 1; }

void SetLiftedCards(GameContext& ctx, int count) {
  ctx.GameState.LiftedCards() = static_cast<int16_t>(count);
}

bool CanBuildOn(GameContext& ctx, int top, int card, int startCode, int baseRank, int direction,
                int suitRule, bool isFoundation, bool wrap, int pileIndex, bool dropTest) {
  if (top == card) return false;
  int t = static_cast<int16_t>(top);
  if (t <= 0) t = -1;
  const bool empty = t == -1;
  const int rank = CardRank(card);
  const int topRank = empty ? -1 : CardRank(t);
  // An empty target is a heart.
  const bool sameSuit = (empty ? 0 : CardSuit(t)) == CardSuit(card);

  switch (suitRule) {
    case 4:
      return false;
    case 5:
      return CanBuildOnNeighbourFoundation(ctx, card, pileIndex);
    case 7:
      if (!dropTest) break;
      return empty && PileAt(ctx.MazzoPiles, 0).empty();
    case 11:
      if (!empty && rank == kQueen && (topRank == kKing || topRank == kJack)) return false;
      break;
    case 12:
      return true;
    case 14:
    case 15:
    case 16: {
      const int step = suitRule - 12;
      return rank == topRank + step || rank == (topRank + step) % 13;
    }
    case 17:
      return !OnTableau(ctx, card);
    case 18:
      return !OnTableau(ctx, card) || TargetPile(ctx, isFoundation, pileIndex).empty();
    case 19:
      return !OnTableau(ctx, card) && !OnReserve(ctx, card);
    case 33:
      return !OnTableau(ctx, card) && PileCardCount(TargetPile(ctx, isFoundation, pileIndex)) < 2;
    case 20:
      return rank == topRank + 1 || (empty && rank == kAce) || (topRank == kKing && rank == kAce);
    case 21:
      if (!empty && sameSuit) return false;
      break;
    case 23:
      if (!PileAt(ctx.MazzoPiles, 1).empty() || empty) return false;
      return sameSuit && rank == topRank + 1;
    case 24:
      if (!empty && ((rank == kKing && topRank == kQueen) || (rank == kQueen && topRank == kKing)))
        return false;
      if (!sameSuit) return false;
      break;
    case 25:
      if (empty) return true;
      return sameSuit && rank == (direction == 1 ? topRank + 2 : topRank - 2);
    case 26:
      if (empty || PileCardCount(TargetPile(ctx, isFoundation, pileIndex)) >= 3) return false;
      return std::abs(rank - topRank) == 1;
    case 27:
      if (OnFoundation(ctx, card) || OnReserve(ctx, card)) return false;
      return GeneralTest(ctx, t, card, startCode, baseRank, direction, 3, isFoundation, wrap);
    case 28:
      if (empty) return true;
      return sameSuit && std::abs(rank - topRank) == 1;
    case 29: {
      if (empty) return CanStartFoundation(ctx, startCode, card);
      if (!sameSuit) return false;
      const int held = FoundationCards(ctx, pileIndex);
      if (held <= 12) return rank == topRank + 1;
      if (held == 13) return rank == kKing;
      return rank == topRank - 1;
    }
    case 30: {
      if (!empty && ((rank == kAce && topRank == kKing) || (rank == kKing && topRank == kAce)))
        return false;
      if (!empty && !sameSuit) return false;
      const std::string& pile = TargetPile(ctx, isFoundation, pileIndex);
      const int held = PileCardCount(pile);
      if (held <= 1) return std::abs(rank - topRank) == 1;
      const bool fallingPile = CardRank(PileCardAt(pile, held - 2)) > topRank;
      return rank == (fallingPile ? topRank - 1 : topRank + 1);
    }
    case 31:
      if (topRank == kAce) return false;
      return sameSuit && rank == topRank - 1;
    case 32:
      if (topRank == kKing) return false;
      return sameSuit && rank == topRank + 1;
    case 34:
      if (empty) break;
      if (IsRedCard(t) == IsRedCard(card)) return false;
      return rank == topRank - 1;
    case 35:
      if (empty) break;
      return std::abs(rank - topRank) == 1 || (rank == kKing && topRank == kAce) ||
             (rank == kAce && topRank == kKing);
    case 36:
      if (empty) {
        if (rank != baseRank) return false;
        return pileIndex == 0 || FoundationCards(ctx, pileIndex - 1) > 0;
      }
      return rank == topRank - 1 || (topRank == kAce && rank == kKing);
    case 37:
      if (empty) break;
      if (rank == kKing) return FoundationCards(ctx, 0) >= 48;
      return rank == (2 * topRank) % 13;
    case 38: {
      if (empty) break;
      const std::string& pile = TargetPile(ctx, isFoundation, pileIndex);
      return PileCardCount(pile) == 1 && CardRank(PileCardAt(pile, 0)) == kKing && rank != kQueen &&
             rank != kKing;
    }
    case 39:
      if (empty) break;
      return rank == topRank + 1 && rank != kQueen && rank != kKing;
    default:
      break;
  }
  return GeneralTest(ctx, t, card, startCode, baseRank, direction, suitRule, isFoundation, wrap);
}

bool CanStartFoundation(GameContext& ctx, int code, int card) {
  const int rank = CardRank(card);
  if ((code == 81 || code == 85) && rank != kAce) return false;
  if (code == 84 && rank != kKing) return false;

  StringList bottoms;
  for (int i = 0; i < ctx.GameRules.FoundationCount() && i < kMaxFoundations; ++i) {
    if (ctx.GameRules.FoundationBase(i) != code) continue;
    const std::string& pile = PileAt(ctx.DestPiles, i);
    bottoms.push_back(pile.empty() ? "000" : pile.substr(0, 3));
  }
  const int n = static_cast<int>(bottoms.size());
  // An odd number of foundations rounds the share of a colour up, and two
  // decks allow each suit once per four foundations, so that every
  // foundation of the code can start.
  const int colourLimit = (n + 1) / 2;
  const int suitLimit = (n + 3) / 4;
  const bool bySuit = code == 84 || code == 85;

  int red = 0, black = 0;
  int suits[4] = {0, 0, 0, 0};
  auto count = [&](int c) {
    (IsRedCard(c) ? red : black) += 1;
    const int suit = CardSuit(c);
    if (suit < 0 || suit > 3) {
      ShowMsg(ctx, "Error suit - 1");
      return false;
    }
    suits[suit] += 1;
    return true;
  };
  if (!count(card)) return false;
  for (const std::string& b : bottoms) {
    const int c = std::atoi(b.c_str());
    if (c == 0) continue;
    if (!count(c)) return false;
    if (red > colourLimit || black > colourLimit) return false;
    if (bySuit) {
      for (int s : suits) {
        if (s > suitLimit) return false;
      }
    }
  }
  return true;
}

bool IsGridNeighbour(int a, int b) {
  if (a == b) return false;
  auto row = [](int p) { return p / 5 + 1; };
  auto col = [](int p) {
    int c = (p + 1) % 5;
    return c == 0 ? 5 : c;
  };
  return std::abs(col(a) - col(b)) <= 1 && std::abs(row(a) - row(b)) <= 1;
}

bool CanBuildOnNeighbourFoundation(const GameContext& ctx, int card, int pileIndex) {
  const std::string& pile = PileAt(ctx.DestPiles, pileIndex);
  if (pile.empty()) {
    if (pileIndex < 0 || pileIndex >= kMaxFoundations) return false;
    if (CardRank(card) != ctx.GameRules.FoundationBase(pileIndex)) return false;
  } else if (CardSuit(card) != CardSuit(PileCardAt(pile, 0))) {
    return false;
  }
  if (pileIndex == 0) return true;
  const std::string& below = PileAt(ctx.DestPiles, pileIndex - 1);
  const int count = PileCardCount(below);
  for (int k = 0; k < count; ++k) {
    if (CardRank(PileCardAt(below, k)) == CardRank(card)) return true;
  }
  return false;
}

}  // namespace tw
