// The games file GAMES.DAT: the catalogue, the rule table (one line per
// parameter, one 10-character column per game) and the selected games; the
// loading of a game's column into GameRules, and the catalogue lookups.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/rules.h"
#include "core/state.h"

namespace tw {

constexpr const char* kGamesFileName = "GAMES.DAT";
constexpr int kFirstCustomGame = 8000;

// Column of game g in a rule line (0-based) and its width.
constexpr int RuleColumn(int game) { return game * 11 + 16; }
constexpr int kRuleFieldWidth = 10;

enum class RuleField {
  Value,    // a number
  Empty,    // blanks only (reads 0)
  Missing,  // the line ends before the field starts
  Cut,      // the line ends inside the field
  Bad,      // not a number
};

// Decodes field `game` of a rule line; value is clamped to 16 bits.
RuleField DecodeRuleField(const std::string& line, int game, int16_t& value);

class GamesFile {
 public:
  // Parses and checks a whole games file. Fails, with a message that names
  // the fault, on a missing section, a damaged catalogue line, or a rule line
  // that is cut short or holds a non-number in the column of a catalogued
  // game. Rule lines whose number is not 0..343 are skipped.
  bool Parse(const StringList& lines, std::string& error);

  // Decoded "[Sect1]" lines in file order, hidden games included.
  const StringList& Catalogue() const { return catalogue_; }
  const std::vector<int>& SelectedGames() const { return selected_; }
  bool HasGame(int game) const;

  struct RuleLine {
    int param;
    std::string text;
  };
  // Rule lines in file order (their number is within 0..343).
  const std::vector<RuleLine>& RuleLines() const { return rules_; }
  // Parameter `param` of `game` from the last line with that number;
  // Missing when there is no such line.
  RuleField Lookup(int game, int param, int16_t& value) const;

 private:
  StringList catalogue_;
  std::vector<int> numbers_;
  std::vector<int> selected_;
  std::vector<RuleLine> rules_;
  std::array<int, kRuleWordCount> lineOf_{};
};

// Catalogue line fields (decoded line, 1-based columns 1-3, 5-7, 8, 11-60).
int CatalogueFamily(const std::string& line);  // -1 when not a number
int CatalogueNumber(const std::string& line);  // -1 when not a number
char CatalogueEdition(const std::string& line);
std::string CatalogueName(const std::string& line);  // right-trimmed

// Reads ProgramDir + "GAMES.DAT" into ctx.GamesData. The message is
// "Cannot find file:" + path when it is missing.
bool LoadGamesFile(GameContext& ctx, std::string& error);
// Start-up: LoadGamesFile, then GameList := every catalogue line whose
// edition mark is not "9".
bool LoadGameCatalogue(GameContext& ctx, std::string& error);

// Loads the current game's column (CfgRecord.Game) into GameRules; words
// without a line read 0. A custom game takes its base game's column and its
// three overrides. False, with GameRules unchanged, when there is no current
// game, the custom record or the base game is missing, or the games file
// cannot be read.
bool LoadGameRules(GameContext& ctx);
// false: words 98..123 and 34..49 into SavedPileRules; true: back.
void SaveRestorePileRules(GameContext& ctx, bool restore);

// One value per requested parameter of game g: -99 for a parameter below 0,
// one that has no line, or when the file cannot be read.
std::vector<int16_t> ReadGamesDatValues(GameContext& ctx, int game, const std::vector<int>& params);
// For each GameList entry, parameters first and second of its game, each as
// ten characters ("0000000012", "-000000099").
void ListGamesDatColumns(GameContext& ctx, int first, int second, StringList& out);

int GameNumberFromName(const GameContext& ctx, const std::string& name);
std::string GameNameFromNumber(const GameContext& ctx, int number);
int GameFamilyFromNumber(const GameContext& ctx, int number);

}  // namespace tw
