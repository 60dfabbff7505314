// Pile layout: turns the placement codes of the current game, the size of the
// table area and the card size into the table position of every pile.
// Pure integer arithmetic; the window's sizes come in as plain numbers.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// Nearest integer, halves to even (22.5 -> 22, 23.5 -> 24).
int Nearest(double x);

// What the layout reads from the main window, measured by the window code.
struct LayoutPanel {
  bool Visible = false;
  int Top = 0, Height = 0;
};

struct LayoutInput {
  int FormWidth = 0, FormHeight = 0;  // outer size, frame included
  int ClientHeight = 0;
  int ScrollBarWidth = 0;  // width of the table's vertical scroll bar
  int ScrollPosition = 0;  // its position
  LayoutPanel Demo, Toolbar, Toolbar2;  // the first visible one sets the area top
  bool StatusBarVisible = false;
  int ScreenWidth = 0, ScreenHeight = 0;
  int ShadowOffset = 0;  // 9 with card shadows, else 0
};

// The table area as the layout sees it.
struct LayoutArea {
  int Width = 0, Height = 0, Bottom = 0, ExtraHeight = 0, Top = 0;
};

// One placement code per pile kind: a row digit and a three-digit style.
struct PileCodes {
  std::string Stock, Foundation, Tableau, Reserve, Talon;
  int StockCount = 0, FoundationCount = 0, TableauCount = 0, ReserveCount = 0, TalonCount = 0;
};

// First character of the row word's decimal text, then the style as three
// digits: (2, 14) -> "2014".
std::string PlacementCode(int row, int style);
PileCodes PileCodesFromRules(const GameRulesRecord& rules);
LayoutArea LayoutAreaFromInput(const LayoutInput& in);

// Styles 051..101 and 103..106 place the whole table from a fixed template.
bool IsTemplateStyle(int style);

// Fills the position arrays, TableauRoomY, TableauPitchX, GridColumns and
// ScrollOffsetY. Returns the number of passes run (1, or 2 after the reserve
// overlap retry).
int CalcPilePositions(GameContext& ctx, const PileCodes& codes, const LayoutArea& area,
                      const LayoutInput& in);

// Codes from the current rules, area from the window, then the layout; then
// a stock area or a row of piles left far to the side of the tableau comes
// in to it, and the whole table moves sideways to the middle of the window.
int ComputeLayout(GameContext& ctx, const LayoutInput& in);

}  // namespace tw
