// The games source (data/games/*.games) and its encoding as GAMES.DAT.
//
// A source holds blocks:
//   profile NAME            named set of rule words, shared by games
//   game NUMBER NAME        one game of the catalogue
// each closed by "end". Inside a block, one item a line, or several
// separated by ';' ('#' starts a comment):
//   uses PROFILE...         apply these profiles first, in order
//   family N                catalogue family code (games only)
//   edition D               one digit, "9" hides the game (games only)
//   selected                listed among the selected games (games only)
//   note TEXT               free text for reviewers
//   Word = V                a single rule word by its name
//   Word = V1 V2 ...        a per-pile word from pile 0 on
//   Word[i] = V, Word[i..j] = V or V(i) ... V(j)
//   Word[*] = V             every pile in use (from the matching count word)
// Words not given read 0; a game's own items override its profiles.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/rules.h"

namespace tw::gamesdat {

struct SourceText {
  std::string name;  // file name, for messages
  std::string text;
};

struct Game {
  int number = -1;
  std::string name;
  int family = -1;
  char edition = '0';
  bool selected = false;
  std::array<int16_t, kRuleWordCount> words{};
};

// Parses every source and resolves the games. False with one message per
// fault; games come out in number order.
bool BuildCatalogue(const std::vector<SourceText>& sources, std::vector<Game>& games,
                    std::vector<std::string>& errors);

// The lines of GAMES.DAT (without line ends) for these games.
std::vector<std::string> EncodeGamesDat(const std::vector<Game>& games);

// A plain listing of every game's words that are not 0, for review.
std::string ListingText(const std::vector<Game>& games);

// Number and name of a rule word: "TableauStart[3]" -> 101; -1 when unknown.
int WordNumber(const std::string& name);
// Name of word n ("TableauStart[3]"), "Word9" for an unnamed one.
std::string WordName(int n);

}  // namespace tw::gamesdat
