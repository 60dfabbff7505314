#include "core/customgames.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/paths.h"

namespace tw {

namespace {

constexpr size_t kNameWidth = 50;

struct Record {
  std::string first;  // number, name, base game; blank-padded to 58
  std::string rule;   // the whole rule line, "" when the file ends first
  int number = -1;
  int base = -1;
};

std::string CustomPath(const GameContext& ctx) { return ctx.DataPath(kCustomGamesFileName); }

int ParseField(const std::string& text) {
  int64_t v = 0;
  if (!ParseInt(text, v) || v < INT32_MIN || v > INT32_MAX) return -1;
  return static_cast<int>(v);
}

// False when the file is missing or cannot be read; one that is there but
// cannot be read is reported and sets unreadable.
bool ReadRecords(const GameContext& ctx, std::vector<Record>& out, StringList* lines = nullptr,
                 bool* unreadable = nullptr) {
  out.clear();
  StringList local;
  StringList& all = lines != nullptr ? *lines : local;
  all.clear();
  const std::string path = CustomPath(ctx);
  const sys::ReadStatus status = sys::ReadLinesChecked(path, all);
  if (unreadable) *unreadable = status == sys::ReadStatus::Unreadable;
  if (status == sys::ReadStatus::Unreadable) {
    sys::ReportFileProblem(sys::FileProblem::Unreadable, path);
  }
  if (status != sys::ReadStatus::Ok) return false;
  for (size_t i = 1; i < all.size(); i += kCustomRecordStride) {
    if (TrimRightSpaces(all[i]).empty()) continue;
    Record r;
    r.first = PadRight(all[i], 58);
    r.rule = i + 1 < all.size() ? all[i + 1] : std::string();
    r.number = ParseField(r.first.substr(0, 4));
    r.base = ParseField(r.first.substr(54, 4));
    out.push_back(std::move(r));
  }
  return true;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// Zero-padded to width, a minus sign first for negatives ("-01").
std::string Fixed(int v, int width) {
  std::string digits = std::to_string(v < 0 ? -static_cast<int64_t>(v) : v);
  int room = v < 0 ? width - 1 : width;
  if (static_cast<int>(digits.size()) < room) digits.insert(0, room - digits.size(), '0');
  return v < 0 ? "-" + digits : digits;
}

}  // namespace

bool LoadCustomGameList(const GameContext& ctx, StringList& names, StringList& numbers,
                        StringList& baseGames, StringList& ruleLines) {
  names.clear();
  numbers.clear();
  baseGames.clear();
  ruleLines.clear();
  std::vector<Record> records;
  if (!ReadRecords(ctx, records)) return false;
  struct Entry {
    std::string key, name, number, base, rule;
  };
  std::vector<Entry> entries;
  for (const Record& r : records) {
    Entry e{"", r.first.substr(4, kNameWidth), r.first.substr(0, 4), r.first.substr(54, 4),
            r.rule.substr(0, 7)};
    e.key = Upper(e.name + e.number + e.base + PadRight(e.rule, 7));
    entries.push_back(std::move(e));
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const Entry& a, const Entry& b) { return a.key < b.key; });
  for (const Entry& e : entries) {
    names.push_back(e.name);
    numbers.push_back(e.number);
    baseGames.push_back(e.base);
    ruleLines.push_back(e.rule);
  }
  return true;
}

int NextFreeCustomGameNumber(const GameContext& ctx) {
  std::vector<Record> records;
  bool unreadable = false;
  ReadRecords(ctx, records, nullptr, &unreadable);
  // The numbers in a file that cannot be read are unknown: none is free.
  if (unreadable) return kLastCustomGame + 1;
  std::set<int> used;
  for (const Record& r : records) used.insert(r.number);
  for (int n = kFirstCustomGame; n <= kLastCustomGame; ++n) {
    if (used.count(n) == 0) return n;
  }
  return kLastCustomGame + 1;
}

bool FindCustomGame(const GameContext& ctx, int number, int& baseGame, std::string& ruleLine) {
  baseGame = -1;
  ruleLine.clear();
  std::vector<Record> records;
  ReadRecords(ctx, records);
  for (const Record& r : records) {
    if (r.number != number) continue;
    if (r.base < 0) return false;
    baseGame = r.base;
    ruleLine = r.rule;
    return true;
  }
  return false;
}

int CustomGameNumberByName(const GameContext& ctx, const std::string& name) {
  std::vector<Record> records;
  ReadRecords(ctx, records);
  std::string wanted = TrimRightSpaces(name);
  int found = -1;
  for (const Record& r : records) {
    if (TrimRightSpaces(r.first.substr(4, kNameWidth)) == wanted) found = r.number;
  }
  return found;
}

std::string CustomGameName(const GameContext& ctx, int number) {
  std::vector<Record> records;
  ReadRecords(ctx, records);
  for (const Record& r : records) {
    if (r.number == number) return TrimRightSpaces(r.first.substr(4, kNameWidth));
  }
  return std::string();
}

bool GetCustomizableRules(GameContext& ctx, int game, bool& cardsPerTurn, bool& deals,
                          bool& tableauStart) {
  cardsPerTurn = deals = tableauStart = false;
  if (game >= kFirstCustomGame) {
    std::string rule;
    if (!FindCustomGame(ctx, game, game, rule)) return false;
  }
  std::vector<int16_t> v =
      ReadGamesDatValues(ctx, game, {7, 8, 28, 150, 202, 203, 258, 262, 335, 336, 337});
  const int16_t hasStock = v[0], hasWaste = v[1], selection = v[2], firstRule = v[3], deal1 = v[4],
                deal2 = v[5], stockSlots = v[6], talon = v[7];
  bool derived =
      deal1 == 0 && deal2 == 0 && hasStock != 0 && (hasWaste != 0 || talon != 0) && stockSlots != 0;
  auto decide = [](int16_t flag, bool otherwise) {
    return flag == 0 ? false : flag == 1 ? true : otherwise;
  };
  cardsPerTurn = decide(v[8], derived);
  deals = decide(v[9], derived);
  tableauStart = decide(v[10], selection == 0 && firstRule != 4);
  return true;
}

bool AddCustomGame(GameContext& ctx, const std::string& name, int baseGame, int cardsPerTurn,
                   int passes, int startCode, int& number, std::string& error) {
  number = -1;
  std::string trimmed = TrimRightSpaces(TrimLeftSpaces(name));
  if (trimmed.empty()) {
    error = "Please enter a name for the game.";
    return false;
  }
  for (char c : trimmed) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) {
      error = "The name of the game may not hold control characters.";
      return false;
    }
  }
  for (const std::string& line : ctx.GameList) {
    if (SameText(CatalogueName(line), trimmed.substr(0, kNameWidth))) {
      error = "A game with this name already exists: " + trimmed;
      return false;
    }
  }
  if (baseGame >= kFirstCustomGame) {
    std::string rule;
    int base = -1;
    if (!FindCustomGame(ctx, baseGame, base, rule)) {
      error = "The custom game " + std::to_string(baseGame) + " cannot be found.";
      return false;
    }
    baseGame = base;
  }
  if (baseGame < 0 || baseGame >= kFirstCustomGame || GameNameFromNumber(ctx, baseGame).empty()) {
    error = "Unknown base game " + std::to_string(baseGame) + ".";
    return false;
  }

  std::vector<Record> records;
  StringList lines;
  bool unreadable = false;
  if (!ReadRecords(ctx, records, &lines, &unreadable)) lines.clear();
  if (unreadable) {
    error = "The file " + CustomPath(ctx) +
            " cannot be read, so no game can be added to it. It is kept as it is.";
    return false;
  }
  if (lines.empty()) lines.push_back(kCustomGamesHeader);
  number = NextFreeCustomGameNumber(ctx);
  if (number > kLastCustomGame) {
    number = -1;
    error = "No more custom games can be created: every number from 8000 to 9999 is in use.";
    return false;
  }
  // Keep records on their 30-line stride even after a file was cut short.
  size_t recordCount = (lines.size() - 1 + kCustomRecordStride - 1) / kCustomRecordStride;
  lines.resize(1 + recordCount * kCustomRecordStride);
  cardsPerTurn = std::clamp(cardsPerTurn, 0, 999);
  passes = std::clamp(passes, -1, 999);
  char code = startCode >= 1 && startCode <= 3 ? static_cast<char>('0' + startCode) : '0';
  lines.push_back(Fixed(number, 4) + PadRight(trimmed, kNameWidth) + Fixed(baseGame, 4));
  lines.push_back(Fixed(cardsPerTurn, 3) + Fixed(passes, 3) + code);
  lines.resize(lines.size() + kCustomRecordStride - 2);

  std::string path = CustomPath(ctx);
  sys::MakeDirectory(sys::DirectoryOf(path));
  if (!sys::ReplaceFileLines(path, lines)) {
    number = -1;
    error = "Cannot write file: " + path;
    return false;
  }
  return true;
}

}  // namespace tw
