// The current game's rule words: 344 signed 16-bit values indexed by
// parameter number, loaded from the games file column of the game.
#pragma once

#include <array>
#include <cstdint>

namespace tw {

// Single rule words: X(name, word).
#define TW_RULE_WORDS(X)                 \
  X(FirstCardToFoundation, 1)            \
  X(RunMoveRule, 2)                      \
  X(TableauLayout, 3)                    \
  X(FoundationLayout, 4)                 \
  X(ReserveLayout, 5)                    \
  X(StockFaceDown, 6)                    \
  X(HasStock, 7)                         \
  X(HasWaste, 8)                         \
  X(ExtraFoundationCard, 10)             \
  X(MaxMoveCards, 11)                    \
  X(SingleCardPick, 12)                  \
  X(Deals, 13)                           \
  X(TableauRedeal, 14)                   \
  X(FoundationPick, 15)                  \
  X(AutoplayAllowed, 16)                 \
  X(CardsPerStockTurn, 17)               \
  X(FillEmptyTableauFrom, 18)            \
  X(BaseCardsPileMajor, 19)              \
  X(SortFoundations, 21)                 \
  X(KingsToBottom, 22)                   \
  X(FoundationMaxCards, 23)              \
  X(KingDealRule, 24)                    \
  X(PredefinedCardsAt640, 27)            \
  X(SelectionFoundation, 28)             \
  X(FoundationOnlyOpening, 29)           \
  X(FillTableausAfterFirstMove, 30)      \
  X(ScoreCardsAtDeal, 31)                \
  X(OverallMax, 32)                      \
  X(GameKind, 33)                        \
  X(WasteStartCard, 244)                 \
  X(StockIsTarget, 245)                  \
  X(NoStockDrop, 246)                    \
  X(StockStyle, 247)                     \
  X(StockRow, 248)                       \
  X(FoundationStyle, 249)                \
  X(FoundationRow, 250)                  \
  X(TableauStyle, 251)                   \
  X(TableauRow, 252)                     \
  X(TableauRows, 253)                    \
  X(ReserveStyle, 254)                   \
  X(ReserveRow, 255)                     \
  X(TalonStyle, 256)                     \
  X(TalonRow, 257)                       \
  X(StockCount, 258)                     \
  X(FoundationCount, 259)                \
  X(TableauCount, 260)                   \
  X(ReserveCount, 261)                   \
  X(TalonCount, 262)                     \
  X(CardCount, 263)                      \
  X(StockCards, 264)                     \
  X(WasteCards, 265)                     \
  X(DiscardCards, 318)                   \
  X(CustomizableCardsPerTurn, 335)       \
  X(CustomizableDeals, 336)              \
  X(CustomizableTableauStart, 337)       \
  X(Length, 338)                         \
  X(Difficulty, 339)                     \
  X(Attribute340, 340)                   \
  X(WinChance, 341)

// Per-pile rule words: X(name, first word, count). Index i is 0-based.
#define TW_RULE_ARRAYS(X)                \
  X(FoundationBase, 34, 16)              \
  X(FoundationDirection, 50, 16)         \
  X(FoundationRule, 66, 16)              \
  X(FoundationStartCard, 82, 16)         \
  X(TableauStart, 98, 26)                \
  X(TableauDirection, 124, 26)           \
  X(TableauRule, 150, 26)                \
  X(TableauWrap, 176, 26)                \
  X(StockDealToTableau, 202, 26)         \
  X(ReserveKind, 228, 8)                 \
  X(StockDealToReserve, 236, 8)          \
  X(TableauCards, 266, 26)               \
  X(TableauFaceMode, 292, 26)            \
  X(ReserveCards, 319, 8)                \
  X(ReserveFaceMode, 327, 8)             \
  X(WinOdds, 342, 2)

namespace rule {
#define TW_RULE_ENUM(name, word) constexpr int name = word;
#define TW_RULE_ARRAY_ENUM(name, first, count) \
  constexpr int name = first;                  \
  constexpr int name##Count = count;
TW_RULE_WORDS(TW_RULE_ENUM)
TW_RULE_ARRAYS(TW_RULE_ARRAY_ENUM)
#undef TW_RULE_ENUM
#undef TW_RULE_ARRAY_ENUM
}  // namespace rule

constexpr int kRuleWordCount = 344;

struct GameRulesRecord {
  std::array<int16_t, kRuleWordCount> words{};

  int16_t& operator[](int n) { return words[static_cast<size_t>(n)]; }
  int16_t operator[](int n) const { return words[static_cast<size_t>(n)]; }
  void Clear() { words.fill(0); }

#define TW_RULE_ACCESSOR(name, word)              \
  int16_t& name() { return words[word]; }         \
  int16_t name() const { return words[word]; }
#define TW_RULE_ARRAY_ACCESSOR(name, first, count)                                  \
  int16_t& name(int i) { return words[static_cast<size_t>(first + i)]; }            \
  int16_t name(int i) const { return words[static_cast<size_t>(first + i)]; }
  TW_RULE_WORDS(TW_RULE_ACCESSOR)
  TW_RULE_ARRAYS(TW_RULE_ARRAY_ACCESSOR)
#undef TW_RULE_ACCESSOR
#undef TW_RULE_ARRAY_ACCESSOR
};

}  // namespace tw
