#include "engine/deck.h"

#include <array>
#include <cstdint>

#include "core/cards.h"
#include "core/util.h"
#include "engine/caption.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

// Suits (1 hearts .. 4 spades) of the eight slots of a pass, by suit row.
constexpr std::array<std::array<int, 8>, 13> kSuitRowTable{{
    {4, 2, 3, 1, 4, 2, 1, 3},
    {1, 3, 2, 4, 4, 3, 2, 1},
    {2, 4, 3, 1, 3, 4, 1, 2},
    {3, 4, 2, 1, 2, 3, 1, 4},
    {4, 2, 3, 1, 1, 3, 4, 2},
    {1, 4, 2, 3, 4, 1, 2, 3},
    {2, 1, 3, 4, 3, 1, 2, 4},
    {3, 2, 1, 4, 2, 4, 1, 3},
    {4, 3, 1, 2, 1, 2, 3, 4},
    {2, 1, 4, 3, 4, 2, 1, 3},
    {3, 1, 4, 2, 1, 2, 4, 3},
    {3, 2, 4, 1, 1, 4, 3, 2},
    {2, 3, 4, 1, 4, 1, 3, 2},
}};

// Position steps of the eight slots, by the pass digit.
constexpr std::array<std::array<int, 8>, 10> kOffsetRowTable{{
    {25, 18, 13, 22, 21, 20, 15, 15},
    {20, 19, 12, 13, 18, 18, 23, 17},
    {30, 21, 19, 19, 13, 22, 20, 18},
    {51, 16, 14, 18, 21, 21, 17, 19},
    {18, 19, 19, 23, 13, 16, 15, 20},
    {17, 21, 14, 19, 19, 16, 18, 17},
    {48, 16, 13, 14, 19, 20, 20, 16},
    {11, 21, 21, 23, 17, 18, 22, 20},
    {22, 16, 13, 13, 19, 17, 22, 13},
    {24, 13, 20, 21, 21, 14, 15, 22},
}};

const char kFree[] = "000";

int64_t DigitsValue(const std::string& digits) {
  int64_t v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

}  // namespace

void NewGameNumber(GameContext& ctx) {
  int64_t a = ctx.Random ? ctx.Random->Next(9999999) : 0;
  int64_t b = ctx.Random ? ctx.Random->Next(999999) : 0;
  // The product stays below 10^13, so integer arithmetic is exact.
  std::string text = RepeatChar('0', 13) + std::to_string(a * b);
  ctx.SetCfg(cfg::DealNumber, text.substr(text.size() - 13));
  UpdateMainCaption(ctx);
}

int FindFreeSlot(const StringList& list, int pos, bool upward) {
  const int count = static_cast<int>(list.size());
  if (upward) {
    for (int i = pos < 0 ? 0 : pos; i < count; ++i) {
      if (list[static_cast<size_t>(i)] == kFree) return i;
    }
  } else {
    for (int i = pos >= count ? count - 1 : pos; i >= 0; --i) {
      if (list[static_cast<size_t>(i)] == kFree) return i;
    }
  }
  for (int i = 0; i < count; ++i) {
    if (list[static_cast<size_t>(i)] == kFree) return i;
  }
  return -1;
}

bool DeckOrderFor(const std::string& dealNumber, int cardCount, StringList& orderList) {
  orderList.assign(cardCount > 0 ? static_cast<size_t>(cardCount) : 0, kFree);
  const int n = cardCount;
  if (n != 52 && n != 104) return false;
  std::string number = Trim(dealNumber);
  // Blank reads as deal 0; a longer text keeps its rightmost 13 digits.
  for (char ch : number) {
    if (ch < '0' || ch > '9') return false;
  }
  if (number.size() > 13) number = number.substr(number.size() - 13);
  const int slots = n == 52 ? 4 : 8;

  // D[1..13]: the number right-aligned in thirteen zeros.
  const std::string d = " " + (RepeatChar('0', 13 - static_cast<int>(number.size())) + number);
  auto digit = [&d](int k) { return d[static_cast<size_t>(k)] - '0'; };

  std::vector<int> ranks;
  for (int r = 1; r <= 13; ++r) ranks.push_back(r);

  int pos = digit(2) * 100 + digit(6) * 10 + digit(12);
  int a = 1, b = 7, c = 13;
  for (int r = 1; r <= 13; ++r) {
    const int dr = digit(r);
    const bool zero = dr == 0;
    std::string window;
    if (r <= 10) {
      window = d.substr(1, static_cast<size_t>(r - 1)) + d.substr(static_cast<size_t>(r + 4));
    } else {
      window = d.substr(static_cast<size_t>(r - 8), 9);
    }
    const int suitRow = static_cast<int>(DigitsValue(window) % 13);
    int k = (digit(a) * 100 + digit(b) * 10 + digit(c)) % 13;
    const int last = static_cast<int>(ranks.size()) - 1;
    if (k > last) k = zero ? last : 0;
    const int rank = ranks[static_cast<size_t>(k)];
    ranks.erase(ranks.begin() + k);
    a = a % 13 + 1;
    b = b % 13 + 1;
    c = c % 13 + 1;
    pos -= dr;
    for (int s = 0; s < slots; ++s) {
      pos += kOffsetRowTable[static_cast<size_t>(dr)][static_cast<size_t>(s)];
      const int suit = kSuitRowTable[static_cast<size_t>(suitRow)][static_cast<size_t>(s)];
      if (pos >= n) {
        pos %= n;
      } else if (pos < 0) {
        pos = 0;
      }
      int card = (suit - 1) * 13 + rank + (s >= 4 ? 52 : 0);
      if (orderList[static_cast<size_t>(pos)] != kFree) pos = FindFreeSlot(orderList, pos, zero);
      if (pos >= 0) orderList[static_cast<size_t>(pos)] = CardCodeText(card);
    }
  }
  return true;
}

bool fnGameNumberCardsArray(GameContext& ctx, StringList& orderList) {
  if (DeckOrderFor(ctx.Cfg(cfg::DealNumber), ctx.GameRules.CardCount(), orderList)) return true;
  ShowMsg(ctx, "Error 01 - fnGameNumberCardsArray");
  return false;
}

}  // namespace tw
