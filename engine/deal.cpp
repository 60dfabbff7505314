#include "engine/deal.h"

#include <algorithm>
#include <string>

#include "core/cards.h"
#include "engine/build_rules.h"
#include "engine/deck.h"
#include "engine/score.h"

namespace tw {

namespace {

constexpr int kAce = 1;
constexpr int kKing = 13;
constexpr int kQueenOfHearts = 12;
constexpr int kKingOfHearts = 13;

std::string& Entry(StringList& list, int index) { return list[static_cast<size_t>(index)]; }

int FirstOrderCard(const StringList& order) { return order.empty() ? 0 : std::stoi(order.front()); }

bool RemoveFromOrder(StringList& order, int card) {
  const std::string text = CardCodeText(card);
  auto it = std::find(order.begin(), order.end(), text);
  if (it == order.end()) return false;
  order.erase(it);
  return true;
}

void SetAllFaces(GameContext& ctx, const std::string& pile, const std::string& flag) {
  const int n = PileCardCount(pile);
  for (int k = 0; k < n; ++k) {
    const int c = PileCardAt(pile, k);
    if (c > 0) SetCardFace(ctx, c, flag);
  }
}

void RemoveAt(std::string& pile, int k) { pile.erase(static_cast<size_t>(k) * 3, 3); }

// The start card a foundation start code asks for; 0 for none.
int StartCardFor(const GameContext& ctx, const StringList& order, int i, int code) {
  const int n = ctx.GameRules.CardCount();
  if (code == 0 || code == 96 || code == 92) return 0;
  if (code == 91) {
    const int first = FirstOrderCard(order);
    if (first <= 0 || n <= 0) return 0;
    // Wraps into 1..N: a sum of exactly 2N is card N, never a hole.
    return (first + (i + 1) * 13 - 1) % n + 1;
  }
  if (code == 93 || code == 94) return i * 13 + 1;
  if (code == 95) return i < 4 ? (i + 1) * 13 : (i - 4) * 13 + 1;
  if (code == 20) return FirstOrderCard(order);
  if (code == 21) {
    for (const std::string& entry : order) {
      const int c = std::stoi(entry);
      bool suitFree = true;
      for (int f = 0; f < i; ++f) {
        const std::string& pile = ctx.DestPiles[static_cast<size_t>(f)];
        if (!pile.empty() && CardSuit(PileCardAt(pile, 0)) == CardSuit(c)) suitFree = false;
      }
      if (suitFree) return c;
    }
    return order.empty() ? 0 : std::stoi(order.back());
  }
  if (code >= 51 && code <= 63) {
    for (const std::string& entry : order) {
      const int c = std::stoi(entry);
      if (CardRank(c) == code - 50) return c;
    }
    return 0;
  }
  if (code < 100) return code + i * 13;
  return code - 100;
}

void DealFoundationStartCards(GameContext& ctx, StringList& order) {
  GameRulesRecord& rules = ctx.GameRules;
  const int count = std::min<int>(rules.FoundationCount(), kMaxFoundations);
  for (int i = 0; i < count; ++i) {
    const int code = rules.FoundationStartCard(i);
    if (code == 92) {
      rules.FoundationBase(i) = rules.FoundationBase(0);
      continue;
    }
    const int c = StartCardFor(ctx, order, i, code);
    if (c <= 0) {
      // No card of the rank is left: the foundation still starts at it.
      if (code >= 51 && code <= 63) rules.FoundationBase(i) = static_cast<int16_t>(code - 50);
      continue;
    }
    // A card the deck does not hold (or that is already placed) is never
    // put down twice; the foundation keeps the rank it asked for.
    if (!RemoveFromOrder(order, c)) {
      if (CardRank(c) >= 1) rules.FoundationBase(i) = static_cast<int16_t>(CardRank(c));
      continue;
    }
    AppendCardToList(ctx, ctx.DestPiles, i, c, "1");
    rules.FoundationBase(i) =
        static_cast<int16_t>(CardRank(PileCardAt(Entry(ctx.DestPiles, i), 0)));
    AddScore(ctx, 1);
  }
}

void DealKind11(GameContext& ctx) {
  std::string& reserve = Entry(ctx.AppoggPiles, 0);
  int k = 0;
  for (;;) {
    int at = -1;
    const int n = PileCardCount(reserve);
    for (int j = 0; j < n; ++j) {
      if (CardRank(PileCardAt(reserve, j)) == kAce) {
        at = j;
        break;
      }
    }
    if (at < 0 || k + 1 >= kMaxFoundations) break;
    const int ace = PileCardAt(reserve, at);
    RemoveAt(reserve, at);
    // The foundations from the second on are empty in these games; an Ace
    // joins whatever lies there rather than replacing it.
    AppendCardToList(ctx, ctx.DestPiles, k + 1, ace, "1");
    AddScore(ctx, 1);
    ++k;
  }

  std::string& waste = Entry(ctx.MazzoPiles, 1);
  const int foundations = std::min<int>(ctx.GameRules.FoundationCount(), kMaxFoundations);
  // The first Ace of the pack goes to foundation 1; any other met while the
  // reserve is made up goes to the next free foundation, never onto an Ace.
  int nextFoundation = 0;
  int refill = k;
  size_t pos = 0;
  while (pos + 3 <= waste.size() && (refill > 0 || nextFoundation == 0)) {
    const int c = std::stoi(waste.substr(pos, 3));
    const int target = nextFoundation == 0 ? 0 : k + nextFoundation;
    if (CardRank(c) == kAce && target < foundations) {
      waste.erase(pos, 3);
      AppendCardToList(ctx, ctx.DestPiles, target, c, "1");
      AddScore(ctx, 1);
      ++nextFoundation;
    } else if (refill > 0) {
      waste.erase(pos, 3);
      AppendCardToList(ctx, ctx.AppoggPiles, 0, c, "1");
      SetAllFaces(ctx, reserve, "1");
      --refill;
    } else {
      pos += 3;
    }
  }
}

void DealKind22(GameContext& ctx, StringList& order) {
  for (int card : {kQueenOfHearts, kKingOfHearts}) {
    TakeCard(ctx, card);
    RemoveFromOrder(order, card);
  }
  Entry(ctx.MazzoPiles, 0).insert(0, CardCodeText(kKingOfHearts));
  AppendCardToList(ctx, ctx.FilaPiles, 0, kQueenOfHearts, "1");
}

void DealKingHeadedPiles(GameContext& ctx, StringList& order) {
  auto king = std::find_if(order.begin(), order.end(),
                           [](const std::string& e) { return CardRank(std::stoi(e)) == kKing; });
  if (king != order.end()) {
    const int c = std::stoi(*king);
    order.erase(king);
    AppendCardToList(ctx, ctx.FilaPiles, 0, c, "1");
  }
  int pile = 0;
  while (!order.empty()) {
    const int c = std::stoi(order.front());
    order.erase(order.begin());
    if (CardRank(c) == kKing && pile + 1 < kMaxTableaus) ++pile;
    AppendCardToList(ctx, ctx.FilaPiles, pile, c, "1");
  }
  PlayBaseCardsToFoundations(ctx);
}

}  // namespace

void DealRankOncePiles(GameContext& ctx) {
  const int piles =
      std::min<int>(ctx.GameRules.TableauCount(), static_cast<int>(ctx.FilaPiles.size()));
  std::vector<int> pool;
  for (int p = 0; p < piles; ++p) {
    const std::string& pile = Entry(ctx.FilaPiles, p);
    for (int k = 0; k < PileCardCount(pile); ++k) pool.push_back(PileCardAt(pile, k));
  }
  for (int p = 0; p < piles; ++p) {
    std::string& pile = Entry(ctx.FilaPiles, p);
    const int holes = PileCardCount(pile);
    pile.assign(static_cast<size_t>(holes) * 3, '0');
    for (int h = 0; h < holes; ++h) {
      for (size_t j = 0; j < pool.size(); ++j) {
        if (AddRankOnce(ctx.FilaPiles, p, pool[j])) {
          pool.erase(pool.begin() + static_cast<long>(j));
          break;
        }
      }
    }
  }
  // Cards that fit no pile without a repeated rank fill the holes left, in
  // pool order, so that no card drops out of the deal.
  size_t next = 0;
  for (int p = 0; p < piles && next < pool.size(); ++p) {
    std::string& pile = Entry(ctx.FilaPiles, p);
    for (size_t pos = 0; pos + 3 <= pile.size() && next < pool.size(); pos += 3) {
      if (pile.compare(pos, 3, "000") == 0) pile.replace(pos, 3, CardCodeText(pool[next++]));
    }
  }
}

void DealFromOrder(GameContext& ctx, int n, StringList& orderList, StringList& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) return;
  for (int k = 0; k < n && !orderList.empty(); ++k) {
    const int c = std::stoi(orderList.front());
    AppendCardToList(ctx, list, index, c, "0");
    orderList.erase(orderList.begin());
  }
}

bool PlayToFoundation(GameContext& ctx, int card, int foundation) {
  const GameRulesRecord& rules = ctx.GameRules;
  int from = foundation, to = foundation + 1;
  if (foundation == -1) {
    from = 0;
    to = std::min<int>(rules.FoundationCount(), kMaxFoundations);
  }
  const int count = static_cast<int>(ctx.DestPiles.size());
  for (int i = std::max(from, 0); i < to && i < count; ++i) {
    const int top = TopCard(Entry(ctx.DestPiles, i));
    if (!CanBuildOn(ctx, top, card, rules.FoundationBase(i), rules.FoundationBase(0),
                    rules.FoundationDirection(i), rules.FoundationRule(i), true,
                    rules.TableauWrap(i) > 0, i, false)) {
      continue;
    }
    TakeCard(ctx, card);
    AppendCardToList(ctx, ctx.DestPiles, i, card, "1");
    AddScore(ctx, 1);
    return true;
  }
  return false;
}

bool PlayToSuitFoundation(GameContext& ctx, int card, int slot) {
  int first = 0, last = 7;
  if (slot >= 0 && slot <= 3) {
    last = 3;
  } else if (slot >= 6 && slot <= 9) {
    first = 4;
  }
  for (int f = first; f <= last; ++f) {
    if (PlayToFoundation(ctx, card, f)) return true;
  }
  return false;
}

int LongestPileCards(const GameContext& ctx) {
  int longest = 0;
  const int piles = static_cast<int>(ctx.FilaPiles.size());
  for (int p = 0; p < ctx.GameRules.TableauCount() && p < piles; ++p) {
    longest = std::max(longest, PileCardCount(ctx.FilaPiles[static_cast<size_t>(p)]));
  }
  return longest;
}

void PlayBaseCardsToFoundations(GameContext& ctx) {
  const GameRulesRecord& rules = ctx.GameRules;
  const int code = rules.FoundationStartCard(0);
  const int rows = LongestPileCards(ctx);
  const int piles = std::min<int>(rules.TableauCount(), static_cast<int>(ctx.FilaPiles.size()));
  auto visit = [&](int p, int r) {
    for (;;) {
      const std::string& pile = Entry(ctx.FilaPiles, p);
      if (r >= PileCardCount(pile)) return;
      const int card = PileCardAt(pile, r);
      if (card <= 0) return;
      bool played = false;
      if (code == 95) {
        played = PlayToSuitFoundation(ctx, card, p);
      } else if (code == 94) {
        played = PlayToFoundation(ctx, card, p);
      } else {
        played = PlayToFoundation(ctx, card, -1);
      }
      if (!played) return;
    }
  };
  if (rules.BaseCardsPileMajor() != 0) {
    for (int p = 0; p < piles; ++p) {
      for (int r = 0; r <= rows; ++r) visit(p, r);
    }
  } else {
    for (int r = 0; r <= rows; ++r) {
      for (int p = 0; p < piles; ++p) visit(p, r);
    }
  }
}

void ReplaceKingsFromStock(GameContext& ctx, StringList& piles) {
  if (ctx.MazzoPiles.empty()) return;
  const std::string kingFace = ctx.GameRules.StockFaceDown() != 0 ? "0" : "1";
  for (std::string& pile : piles) {
    if (pile.empty() || CardRank(PileCardAt(pile, 0)) != kKing) continue;
    // Only the King leaves the pile; the cards above it stay.
    const std::string king = pile.substr(0, 3);
    pile.erase(0, 3);
    std::string& stock = Entry(ctx.MazzoPiles, 0);
    stock.insert(0, king);
    SetCardFace(ctx, std::stoi(king), kingFace);
    for (int k = 0; k < PileCardCount(stock); ++k) {
      const int c = PileCardAt(stock, k);
      if (c <= 0 || CardRank(c) == kKing) continue;
      RemoveAt(stock, k);
      pile.insert(0, CardCodeText(c));
      SetCardFace(ctx, c, "1");
      break;
    }
  }
}

bool AddRankOnce(StringList& piles, int index, int card) {
  if (index < 0 || index >= static_cast<int>(piles.size())) return false;
  std::string& pile = Entry(piles, index);
  const int rank = CardRank(card);
  int hole = -1;
  for (int k = 0; k < PileCardCount(pile); ++k) {
    const int c = PileCardAt(pile, k);
    if (c == 0) {
      if (hole < 0) hole = k;
    } else if (CardRank(c) == rank) {
      return false;
    }
  }
  if (hole < 0) return false;
  pile.replace(static_cast<size_t>(hole) * 3, 3, CardCodeText(card));
  return true;
}

void MoveKingsToBottom(GameContext& ctx) {
  const int piles = static_cast<int>(ctx.FilaPiles.size());
  for (int p = 0; p < ctx.GameRules.TableauCount() && p < piles; ++p) {
    std::string& pile = Entry(ctx.FilaPiles, p);
    for (int k = 1; k < PileCardCount(pile); ++k) {
      if (CardRank(PileCardAt(pile, k)) != kKing) continue;
      const std::string king = pile.substr(static_cast<size_t>(k) * 3, 3);
      RemoveAt(pile, k);
      pile.insert(0, king);
    }
  }
}

bool DealCards(GameContext& ctx) {
  GameRulesRecord& rules = ctx.GameRules;
  if (ctx.MazzoPiles.size() != kStockSlots || ctx.DestPiles.size() != kMaxFoundations ||
      ctx.FilaPiles.size() != kMaxTableaus || ctx.AppoggPiles.size() != kMaxReserves) {
    return false;  // the pile store is not set up
  }
  StringList order;
  if (!fnGameNumberCardsArray(ctx, order)) return false;
  AddScore(ctx, 0, true);

  DealFoundationStartCards(ctx, order);

  if (rules.WasteStartCard() != 0) {
    int c = rules.WasteStartCard();
    if (c > 100) c -= 100;
    if (c > 0 && RemoveFromOrder(order, c)) {
      AppendCardToList(ctx, ctx.MazzoPiles, 2, c, "1");
      AddScore(ctx, 1);
    }
  }

  DealFromOrder(ctx, rules.StockCards(), order, ctx.MazzoPiles, 0);
  if (rules.StockFaceDown() == 0) SetAllFaces(ctx, Entry(ctx.MazzoPiles, 0), "1");

  if (rules.WasteCards() > 0) {
    DealFromOrder(ctx, rules.WasteCards(), order, ctx.MazzoPiles, 1);
    SetAllFaces(ctx, Entry(ctx.MazzoPiles, 1), "1");
  }

  for (int i = 0; i < kMaxTableaus; ++i) {
    if (rules.TableauCards(i) <= 0) continue;
    DealFromOrder(ctx, rules.TableauCards(i), order, ctx.FilaPiles, i);
    SetPileFaces(ctx, Entry(ctx.FilaPiles, i), rules.TableauFaceMode(i), "1");
  }

  if (rules.DiscardCards() > 0) {
    DealFromOrder(ctx, rules.DiscardCards(), order, ctx.MazzoPiles, 2);
    SetAllFaces(ctx, Entry(ctx.MazzoPiles, 2), "1");
  }
  AddScore(ctx, rules.DiscardCards());

  for (int i = 0; i < kMaxReserves; ++i) {
    if (rules.ReserveCards(i) <= 0) continue;
    DealFromOrder(ctx, rules.ReserveCards(i), order, ctx.AppoggPiles, i);
    SetPileFaces(ctx, Entry(ctx.AppoggPiles, i), rules.ReserveFaceMode(i), "1");
  }

  if (rules.FirstCardToFoundation() == 1 && !order.empty()) {
    DealFromOrder(ctx, 1, order, ctx.DestPiles, 0);
    const int c = TopCard(Entry(ctx.DestPiles, 0));
    SetCardFace(ctx, c, "1");
    AddScore(ctx, 1);
    for (int i = 0; i < kMaxFoundations; ++i) {
      rules.FoundationBase(i) = static_cast<int16_t>(CardRank(c));
    }
  }

  for (int i = 0; i < kMaxTableaus; ++i) {
    if (rules.TableauStart(i) == 91) {
      rules.TableauStart(i) = static_cast<int16_t>(PrevRank(rules.FoundationBase(0)));
    }
  }

  if (rules.ExtraFoundationCard() == 1 && !order.empty()) {
    DealFromOrder(ctx, 1, order, ctx.DestPiles, 0);
    SetCardFace(ctx, TopCard(Entry(ctx.DestPiles, 0)), "1");
    AddScore(ctx, 1);
  }

  if (rules.GameKind() == 11) DealKind11(ctx);

  const int baseCode = rules.FoundationStartCard(0);
  if (baseCode == 93 || baseCode == 94 || baseCode == 95) PlayBaseCardsToFoundations(ctx);

  if (baseCode == 96) {
    const int rows = LongestPileCards(ctx);
    const int piles = std::min<int>(rules.TableauCount(), kMaxTableaus);
    for (int r = 0; r <= rows; ++r) {
      for (int p = 0; p < piles; ++p) {
        for (;;) {
          const std::string& pile = Entry(ctx.FilaPiles, p);
          if (r >= PileCardCount(pile)) break;
          const int card = PileCardAt(pile, r);
          // With the stock used up the Ace stays: nothing could take its place.
          if (CardRank(card) != kAce || Entry(ctx.MazzoPiles, 0).empty()) break;
          if (!PlayToFoundation(ctx, card, -1)) break;
          const int replacement = TopCard(Entry(ctx.MazzoPiles, 0));
          TakeCard(ctx, replacement);
          AppendCardToList(ctx, ctx.FilaPiles, p, replacement, "1");
        }
      }
    }
  }

  if (rules.KingsToBottom() == 1) MoveKingsToBottom(ctx);

  if (rules.GameKind() == 22) DealKind22(ctx, order);

  switch (rules.KingDealRule()) {
    case 1:
      ReplaceKingsFromStock(ctx, ctx.FilaPiles);
      ReplaceKingsFromStock(ctx, ctx.DestPiles);
      break;
    case 2:
      DealKingHeadedPiles(ctx, order);
      break;
    case 3:
      DealRankOncePiles(ctx);
      break;
    default:
      break;
  }

  AddScore(ctx, rules.ScoreCardsAtDeal());
  return true;
}

}  // namespace tw
