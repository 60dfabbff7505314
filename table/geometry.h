// Card geometry: the card size, the fan steps, where each card of a pile
// lies, and which pile and card lie under a point of the window.
// Coordinates are window coordinates (table Y minus the scroll offset).
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// B 71x96, M 59x80, L 25x32 from CfgRecord.Card_Size; any other letter keeps
// the size. Also resets CardMaskMode and CardRect. The card pictures are not
// reloaded here: the caller reloads them after a size change (returns true
// when the letter was one of the three).
bool SetCardSize(GameContext& ctx);

// Fan-step words of GameState from the tableau and reserve layout codes and
// the card size letter.
void SetFanSteps(GameContext& ctx);

enum class PileKind { None, Stock, Waste, Talon, Foundation, Tableau, Reserve };

// "Mazzo", "Mazzo_Vis", "Mazzo_Waste" (or "Waste"), "Dest"n, "Fila"n,
// "Appogg"n; index is 0-based (-1 for a name that is none of these).
PileKind ParsePileName(const std::string& name, int& index);
std::string PileName(PileKind kind, int index);
// The pile string, or an empty one for an unknown pile.
const std::string& PileString(const GameContext& ctx, PileKind kind, int index);

bool IsCardFaceDown(const GameContext& ctx, int card);

// Thickness of a squared stack of n cards, in pixels: none below two cards,
// 1 for two, then one more for every seven cards (at most 15).
int PileEdgeDepth(int cards);
// Reserves whose cards are neither fanned nor set apart lie squared.
bool ReserveLayoutSquared(int layout);
// A squared reserve stands on its edge like the stock: its cards lie this
// many pixels up and left of the reserve's place (0 for other reserves).
int ReserveEdgeDepth(const GameContext& ctx, int index);

// Y and X of a card of a pile; k counts down from the top card (0). With
// includeNext the card's own step is added: the place of the next card.
int CardTopY(const GameContext& ctx, const std::string& pileName, int index, int k,
             bool includeNext);
int CardLeftX(const GameContext& ctx, const std::string& pileName, int index, int k,
              bool includeNext);
// Lower edge of a "Fila", "Dest" or "Appogg" pile.
int PileBottomY(const GameContext& ctx, const std::string& pileName);

// Grid of the single-string row (tableau layout 8): cell c of tableau pile 1
// lies in row c / GridColumns, column c mod GridColumns, odd rows mirrored.
void GridCellPos(const GameContext& ctx, int cell, int& x, int& y);
bool GetWrappedCardPos(const GameContext& ctx, int card, int& x, int& y);
// Cell of the code starting at 1-based character `position` of tableau pile 1
// (cells are counted by the "000" codes before it); card is that code.
void GetWrappedSlotPos(const GameContext& ctx, int position, int& x, int& y, int& card);
// The place of code j (0-based) of the single row.
void WrappedCodePos(const GameContext& ctx, int j, int& x, int& y);

struct HitResult {
  int Card = 0;
  std::string Pile;  // empty when nothing was hit
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

HitResult HitTest(const GameContext& ctx, int x, int y);
// The card of a fanned "Fila" or "Appogg" pile under the point, 0 when none.
int HitTestInPile(const GameContext& ctx, PileKind kind, const std::string& pile, int index,
                  int x, int y, int& cardX, int& cardY);
// The rectangle of a card that can be picked from the table.
bool FindCardRect(const GameContext& ctx, int card, Rect& r);

// Approximate overlap tests of dropping: corner tests, then a walk down
// rectangle 1 in 50-pixel steps.
bool RectsOverlapStepped(int left1, int top1, int right1, int bottom1, int left2, int top2,
                         int right2, int bottom2);
int OverlapAreaStepped(int left1, int top1, int right1, int bottom1, int left2, int top2,
                       int right2, int bottom2);

}  // namespace tw
