// Card codes, pile strings and the pile store.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// Suit 0..3 (hearts, diamonds, clubs, spades) and rank 1..13 of a code; -1 past 104.
inline int CardSuit(int code) {
  int c = code >= 53 ? code - 52 : code;
  if (c <= 13) return 0;
  if (c <= 26) return 1;
  if (c <= 39) return 2;
  if (c <= 52) return 3;
  return -1;
}

inline int CardRank(int code) {
  int c = code >= 53 ? code - 52 : code;
  if (c <= 13) return c;
  if (c <= 26) return c - 13;
  if (c <= 39) return c - 26;
  if (c <= 52) return c - 39;
  return -1;
}
bool IsRedCard(int code);
bool IsFaceCard(int code);
int PrevRank(int rank);
int NextRank(int rank);
std::string RankText(int rank);
// Three decimal digits: 7 -> "007".
std::string CardCodeText(int code);

bool NoDuplicateRanks(const std::string& codes);
bool CodeInCodeString(const std::string& codeText, const std::string& codes);

// Comma-terminated group logs (UndoLog, RedoLog).
void StripLastGroup(std::string& s);
std::string LastGroup(const std::string& s);
void RemovePrevGroup(std::string& s);
void ReplaceLastUndoGroup(GameContext& ctx, int code);
int CountCodeInGroups(const std::string& s, int code);
bool CodeInLastGroup(const std::string& s, int code);

// Pile store.
// Both append nothing for an index past the entry count or a pile name that
// is unknown or numbered out of range, and return whether they appended.
// Face flags are only ever set for codes 1..104.
bool AppendCardToList(GameContext& ctx, StringList& list, int index, int card,
                      const std::string& flag);
bool AppendCardToPile(GameContext& ctx, const std::string& pileName, int card,
                      const std::string& flag);
void SetCardFace(GameContext& ctx, int card, const std::string& flag);
void SetPileFaces(GameContext& ctx, const std::string& pile, int mode, const std::string& flag);
inline bool IsFaceUp(const GameContext& ctx, int card) {
  if (card < 1 || card > kCardCodes || static_cast<size_t>(card) > ctx.CardRecords.size()) {
    return false;
  }
  const std::string& record = ctx.CardRecords[static_cast<size_t>(card - 1)];
  return record.size() >= 20 && record[19] == '1';
}
// mode 0 finds, 1 deletes the code, 2 replaces it by the hole "000".
bool FindCardInList(StringList& list, int index, int card, int mode);
int FindCardInPiles(GameContext& ctx, int card, int mode);
int TakeCard(GameContext& ctx, int card);
int BlankCard(GameContext& ctx, int card);
int LocateCard(const GameContext& ctx, int card);
void BackupPiles(GameContext& ctx);
void RestorePiles(GameContext& ctx);
// remove true takes the card off (layout 4 leaves a hole); false lifts it and
// the cards above it off a tableau pile or reserve. Drawing goes to ctx.Table.
void RemoveCardAndRedraw(GameContext& ctx, int card, bool remove);
void RedrawWithoutCard(GameContext& ctx, int card, bool remove);

// Pile string helpers.
// Inline: the engine reads piles in its innermost loops.
inline int PileCardCount(const std::string& pile) { return static_cast<int>(pile.size() / 3); }
// 0-based from the bottom; 0 outside the pile or for a code that is not three digits.
inline int PileCardAt(const std::string& pile, int index) {
  if (index < 0 || index >= PileCardCount(pile)) return 0;
  const char* c = pile.data() + static_cast<size_t>(index) * 3;
  const unsigned d0 = static_cast<unsigned>(c[0] - '0');
  const unsigned d1 = static_cast<unsigned>(c[1] - '0');
  const unsigned d2 = static_cast<unsigned>(c[2] - '0');
  if (d0 > 9 || d1 > 9 || d2 > 9) return 0;
  return static_cast<int>(d0 * 100 + d1 * 10 + d2);
}
// 0 for an empty pile.
inline int TopCard(const std::string& pile) { return PileCardAt(pile, PileCardCount(pile) - 1); }

// The pile string of "Mazzo", "Mazzo_Vis", "Mazzo_Waste" (or "Waste"),
// "Dest"n, "Fila"n, "Appogg"n; null for any other name.
std::string* PileByName(GameContext& ctx, const std::string& pileName);
// The pile string at a LocateCard code; null for 0 and unknown codes.
std::string* PileAtLocation(GameContext& ctx, int location);
const std::string* PileAtLocation(const GameContext& ctx, int location);

}  // namespace tw
