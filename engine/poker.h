// Poker squares: 25 one-card tableau piles form a 5 x 5 grid, and every full
// row and column scores as a poker hand. Row r is piles 5r .. 5r + 4, column
// c is piles c, c + 5, .. c + 20 (0-based entries of FilaPiles).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/state.h"

namespace tw {

constexpr int kPokerGridSide = 5;
constexpr int kPokerGridPiles = kPokerGridSide * kPokerGridSide;

// The points of five cards (codes 1..104) as a poker hand, and its name
// ("" for no hand). A code outside 1..104 makes no hand. The Ace is low in
// A-2-3-4-5 and high in 10-J-Q-K-A; runs through King to 2 are no straight.
int RatePokerHand(int c1, int c2, int c3, int c4, int c5, std::string& name);
int RatePokerHand(const std::array<int, 5>& cards, std::string& name);

struct PokerHand {
  std::string name;
  int points = 0;
  std::array<int, 5> piles{};  // 0-based tableau piles, in grid order
};

struct PokerGridScore {
  int total = 0;
  // The scoring hands the last card is part of: rows first, then columns.
  std::vector<PokerHand> completed;
};

// The five piles of row r (0..4) or column c (0..4).
std::array<int, 5> PokerRowPiles(int r);
std::array<int, 5> PokerColumnPiles(int c);

// Rates every full row and column of the grid. lastCard -1 (or any card not
// in the grid) completes nothing.
PokerGridScore RatePokerGrid(const GameContext& ctx, int lastCard);

// Rates the grid and keeps the total as the score (CfgRecord.Score and the
// score label). With a placed card, each hand it completed is shown on the
// score panel with the total rising hand by hand, its five cards flashing
// to the "Pairing" sound; lastCard -1 (a redraw, an undo) only shows the
// total. TfrmMain.GameWon follows the win test: a full grid ends the deal.
void ScorePokerGrid(GameContext& ctx, int lastCard);

}  // namespace tw
