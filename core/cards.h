// Card codes, pile strings and the pile store.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

int CardSuit(int code);
int CardRank(int code);
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
bool IsFaceUp(const GameContext& ctx, int card);
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
int PileCardCount(const std::string& pile);
int PileCardAt(const std::string& pile, int index);  // 0-based from the bottom
int TopCard(const std::string& pile);                // 0 for an empty pile

// The pile string of "Mazzo", "Mazzo_Vis", "Mazzo_Waste" (or "Waste"),
// "Dest"n, "Fila"n, "Appogg"n; null for any other name.
std::string* PileByName(GameContext& ctx, const std::string& pileName);
// The pile string at a LocateCard code; null for 0 and unknown codes.
std::string* PileAtLocation(GameContext& ctx, int location);
const std::string* PileAtLocation(const GameContext& ctx, int location);

}  // namespace tw
