#include "core/gamesfile.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "core/customgames.h"
#include "core/util.h"
#include "platform/sys/files.h"

namespace tw {

namespace {

constexpr int16_t kNoValue = -99;

int16_t Clamp16(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

bool HasSection(const StringList& lines, const std::string& header) {
  for (const std::string& l : lines) {
    if (l.compare(0, header.size(), header) == 0) return true;
  }
  return false;
}

// Characters [pos, pos + len) of a line, as far as it reaches.
std::string Columns(const std::string& line, size_t pos, size_t len) {
  return pos >= line.size() ? std::string() : line.substr(pos, len);
}

// Parameter number of a rule line (characters 1-4), -1 when it is not one
// within 0..343.
int RuleLineNumber(const std::string& line) {
  if (line.size() < 4) return -1;
  std::string digits = line.substr(0, 4);
  if (!IsAllDigits(digits)) return -1;
  int n = std::stoi(digits);
  return n < kRuleWordCount ? n : -1;
}

std::shared_ptr<const GamesFile> Games(GameContext& ctx) {
  if (!ctx.GamesData) {
    std::string error;
    if (!LoadGamesFile(ctx, error)) return nullptr;
  }
  return ctx.GamesData;
}

// Index of the GameList entry of game n: entry n when it carries n, else the
// first that does; -1 when none.
int CatalogueIndex(const GameContext& ctx, int n) {
  if (n < 0) return -1;
  const StringList& list = ctx.GameList;
  if (static_cast<size_t>(n) < list.size() && CatalogueNumber(list[static_cast<size_t>(n)]) == n) {
    return n;
  }
  for (size_t i = 0; i < list.size(); ++i) {
    if (CatalogueNumber(list[i]) == n) return static_cast<int>(i);
  }
  return -1;
}

std::string TenDigits(int v) {
  char buf[16];
  if (v < 0) {
    std::snprintf(buf, sizeof buf, "-%09d", -v);
  } else {
    std::snprintf(buf, sizeof buf, "%010d", v);
  }
  return buf;
}

}  // namespace

RuleField DecodeRuleField(const std::string& line, int game, int16_t& value) {
  value = 0;
  if (game < 0) return RuleField::Missing;
  size_t start = static_cast<size_t>(RuleColumn(game));
  if (line.size() <= start) return RuleField::Missing;
  std::string raw = line.substr(start, kRuleFieldWidth);
  bool cut = raw.size() < static_cast<size_t>(kRuleFieldWidth);
  // Raw blanks are taken as an empty field as well as shifted ones.
  if (raw.find_first_not_of(' ') == std::string::npos)
    return cut ? RuleField::Cut : RuleField::Empty;
  std::string text = TrimRightSpaces(ShiftText(raw));
  if (text.empty()) return cut ? RuleField::Cut : RuleField::Empty;
  int64_t v = 0;
  if (!ParseInt(text, v)) return RuleField::Bad;
  value = Clamp16(v);
  return cut ? RuleField::Cut : RuleField::Value;
}

int CatalogueFamily(const std::string& line) {
  int64_t v = 0;
  if (!ParseInt(Columns(line, 0, 3), v) || v < 0 || v > 999) return -1;
  return static_cast<int>(v);
}

int CatalogueNumber(const std::string& line) {
  int64_t v = 0;
  if (!ParseInt(Columns(line, 4, 3), v) || v < 0 || v > 999) return -1;
  return static_cast<int>(v);
}

char CatalogueEdition(const std::string& line) { return line.size() > 7 ? line[7] : ' '; }

std::string CatalogueName(const std::string& line) {
  return TrimRightSpaces(Columns(line, 10, 50));
}

bool GamesFile::HasGame(int game) const {
  return std::find(numbers_.begin(), numbers_.end(), game) != numbers_.end();
}

RuleField GamesFile::Lookup(int game, int param, int16_t& value) const {
  value = 0;
  if (param < 0 || param >= kRuleWordCount || lineOf_[static_cast<size_t>(param)] < 0) {
    return RuleField::Missing;
  }
  return DecodeRuleField(rules_[static_cast<size_t>(lineOf_[static_cast<size_t>(param)])].text,
                         game, value);
}

bool GamesFile::Parse(const StringList& lines, std::string& error) {
  catalogue_.clear();
  numbers_.clear();
  selected_.clear();
  rules_.clear();
  lineOf_.fill(-1);
  for (const char* header : {"[Sect1]", "[Sect2]"}) {
    if (!HasSection(lines, header)) {
      error = std::string("The games file is damaged: section ") + header + " is missing.";
      return false;
    }
  }
  StringList body;
  GetSectionLines(body, lines, "[Sect1]");
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i].empty()) continue;
    std::string line = ShiftText(body[i]);
    int number = CatalogueNumber(line);
    if (number < 0 || CatalogueName(line).empty()) {
      error = "The games file is damaged: catalogue line " + std::to_string(i + 1) +
              " has no game number or name.";
      return false;
    }
    catalogue_.push_back(line);
    numbers_.push_back(number);
  }
  GetSectionLines(body, lines, "[Sect2]");
  for (const std::string& line : body) {
    int n = RuleLineNumber(line);
    if (n < 0) continue;
    lineOf_[static_cast<size_t>(n)] = static_cast<int>(rules_.size());
    rules_.push_back({n, line});
    for (int g : numbers_) {
      int16_t v = 0;
      RuleField f = DecodeRuleField(line, g, v);
      if (f == RuleField::Missing || f == RuleField::Cut) {
        error = "The games file is damaged: the line of parameter " + std::to_string(n) +
                " is cut short (no value for game " + std::to_string(g) + ").";
        return false;
      }
      if (f == RuleField::Bad) {
        error = "The games file is damaged: parameter " + std::to_string(n) + " of game " +
                std::to_string(g) + " is not a number (\"" +
                TrimRightSpaces(
                    ShiftText(line.substr(static_cast<size_t>(RuleColumn(g)), kRuleFieldWidth))) +
                "\").";
        return false;
      }
    }
  }
  GetSectionLines(body, lines, "[SectS]");
  for (const std::string& line : body) {
    int64_t v = 0;
    if (ParseInt(TrimRightSpaces(ShiftText(line)), v) && v >= 0 && v <= INT32_MAX) {
      selected_.push_back(static_cast<int>(v));
    }
  }
  return true;
}

bool LoadGamesFile(GameContext& ctx, std::string& error) {
  std::string path = ctx.DataPath(kGamesFileName);
  StringList lines;
  if (!sys::FileExists(path) || !sys::ReadFileLines(path, lines)) {
    error = "Cannot find file:" + path;
    return false;
  }
  auto games = std::make_shared<GamesFile>();
  if (!games->Parse(lines, error)) {
    error += " (" + path + ")";
    return false;
  }
  ctx.GamesData = std::move(games);
  return true;
}

bool LoadGameCatalogue(GameContext& ctx, std::string& error) {
  ctx.GameList.clear();
  if (!LoadGamesFile(ctx, error)) return false;
  for (const std::string& line : ctx.GamesData->Catalogue()) {
    if (CatalogueEdition(line) != '9') ctx.GameList.push_back(line);
  }
  return true;
}

bool LoadGameRules(GameContext& ctx) {
  int64_t game = 0;
  if (!ParseInt(ctx.Cfg(cfg::Game), game) || game < 0 || game > INT32_MAX) return false;
  std::string ruleLine;
  bool custom = game >= kFirstCustomGame;
  if (custom) {
    int base = -1;
    if (!FindCustomGame(ctx, static_cast<int>(game), base, ruleLine)) return false;
    game = base;
  }
  std::shared_ptr<const GamesFile> games = Games(ctx);
  if (!games || !games->HasGame(static_cast<int>(game))) return false;

  GameRulesRecord rules;
  rules.Clear();
  for (const GamesFile::RuleLine& line : games->RuleLines()) {
    int16_t v = 0;
    // A damaged field is left at 0; Parse has already refused such a file
    // for every catalogued game.
    if (DecodeRuleField(line.text, static_cast<int>(game), v) == RuleField::Bad) continue;
    rules[line.param] = v;
  }
  if (custom) {
    int64_t v = 0;
    // A field cut short by a damaged record leaves the base game's value.
    if (ruleLine.size() >= 3 && ParseInt(ruleLine.substr(0, 3), v)) {
      rules.CardsPerStockTurn() = Clamp16(v);
    }
    if (ruleLine.size() >= 6 && ParseInt(ruleLine.substr(3, 3), v)) rules.Deals() = Clamp16(v);
    int16_t start = 0;
    bool known = true;
    switch (ruleLine.size() > 6 ? ruleLine[6] : ' ') {
      case '1':
        start = 91;
        break;
      case '2':
        start = -1;
        break;
      case '3':
        start = 0;
        break;
      default:
        known = false;
        break;
    }
    if (known) {
      int used = std::clamp<int>(rules.TableauCount(), 0, rule::TableauStartCount);
      for (int i = 0; i < used; ++i) rules.TableauStart(i) = start;
    }
  }
  ctx.GameRules = rules;
  SaveRestorePileRules(ctx, false);
  return true;
}

void SaveRestorePileRules(GameContext& ctx, bool restore) {
  for (int i = 0; i < rule::TableauStartCount; ++i) {
    int16_t& saved = ctx.SavedPileRules[static_cast<size_t>(i)];
    if (restore) {
      ctx.GameRules.TableauStart(i) = saved;
    } else {
      saved = ctx.GameRules.TableauStart(i);
    }
  }
  for (int i = 0; i < rule::FoundationBaseCount; ++i) {
    int16_t& saved = ctx.SavedPileRules[static_cast<size_t>(rule::TableauStartCount + i)];
    if (restore) {
      ctx.GameRules.FoundationBase(i) = saved;
    } else {
      saved = ctx.GameRules.FoundationBase(i);
    }
  }
}

std::vector<int16_t> ReadGamesDatValues(GameContext& ctx, int game,
                                        const std::vector<int>& params) {
  std::vector<int16_t> values(params.size(), kNoValue);
  std::shared_ptr<const GamesFile> games = Games(ctx);
  if (!games) return values;
  for (size_t i = 0; i < params.size(); ++i) {
    int16_t v = 0;
    RuleField f = games->Lookup(game, params[i], v);
    if (f == RuleField::Value || f == RuleField::Empty) values[i] = v;
  }
  return values;
}

void ListGamesDatColumns(GameContext& ctx, int first, int second, StringList& out) {
  out.clear();
  for (const std::string& line : ctx.GameList) {
    std::vector<int16_t> v = ReadGamesDatValues(ctx, CatalogueNumber(line), {first, second});
    out.push_back(TenDigits(v[0]) + TenDigits(v[1]));
  }
}

int GameNumberFromName(const GameContext& ctx, const std::string& name) {
  std::string wanted = TrimRightSpaces(name);
  for (const std::string& line : ctx.GameList) {
    if (CatalogueName(line) == wanted) return CatalogueNumber(line);
  }
  return CustomGameNumberByName(ctx, name);
}

std::string GameNameFromNumber(const GameContext& ctx, int number) {
  if (number >= kFirstCustomGame) return CustomGameName(ctx, number);
  int i = CatalogueIndex(ctx, number);
  return i < 0 ? std::string() : CatalogueName(ctx.GameList[static_cast<size_t>(i)]);
}

int GameFamilyFromNumber(const GameContext& ctx, int number) {
  if (number >= kFirstCustomGame) return -1;
  int i = CatalogueIndex(ctx, number);
  return i < 0 ? -1 : CatalogueFamily(ctx.GameList[static_cast<size_t>(i)]);
}

}  // namespace tw
