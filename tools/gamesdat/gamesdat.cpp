#include "tools/gamesdat/gamesdat.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "core/gamesfile.h"
#include "core/util.h"

namespace tw::gamesdat {

namespace {

struct WordDef {
  std::string name;
  int first;
  int count;
  bool array;
  int countWord;  // word giving the piles in use, -1 for a fixed count
};

int CountWordOf(const std::string& name) {
  if (name == "StockDealToTableau") return rule::TableauCount;
  if (name == "StockDealToReserve") return rule::ReserveCount;
  if (name.rfind("Foundation", 0) == 0) return rule::FoundationCount;
  if (name.rfind("Tableau", 0) == 0) return rule::TableauCount;
  if (name.rfind("Reserve", 0) == 0) return rule::ReserveCount;
  return -1;
}

const std::vector<WordDef>& Defs() {
  static const std::vector<WordDef> defs = [] {
    std::vector<WordDef> d;
#define TW_GD_WORD(name, word) d.push_back({#name, word, 1, false, -1});
#define TW_GD_ARRAY(name, first, count) \
  d.push_back({#name, first, count, true, CountWordOf(#name)});
    TW_RULE_WORDS(TW_GD_WORD)
    TW_RULE_ARRAYS(TW_GD_ARRAY)
#undef TW_GD_WORD
#undef TW_GD_ARRAY
    return d;
  }();
  return defs;
}

int FindDef(const std::string& name) {
  const auto& defs = Defs();
  for (size_t i = 0; i < defs.size(); ++i) {
    if (defs[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

struct Op {
  int def = -1;
  int first = 0;  // 0-based pile index
  int count = 1;
  bool allUsed = false;         // Word[*]
  std::vector<int64_t> values;  // one value fills, else one per pile
  std::string where;
};

struct Block {
  bool isGame = false;
  std::string name;
  int number = -1;
  int family = -1;
  char edition = '0';
  bool selected = false;
  std::vector<std::string> uses;
  std::vector<Op> ops;
  std::string where;

  std::string Title() const {
    return isGame ? "game " + std::to_string(number) + " \"" + name + "\"" : "profile " + name;
  }
};

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  std::string t;
  while (in >> t) out.push_back(t);
  return out;
}

bool StrictInt(const std::string& t, int64_t& v) {
  size_t i = t[0] == '-' || t[0] == '+' ? 1 : 0;
  if (i >= t.size() || t.size() > 12) return false;
  for (size_t k = i; k < t.size(); ++k) {
    if (!std::isdigit(static_cast<unsigned char>(t[k]))) return false;
  }
  v = std::stoll(t);
  return true;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

class Parser {
 public:
  Parser(std::vector<std::string>& errors) : errors_(errors) {}

  void ParseSource(const SourceText& src) {
    std::istringstream in(src.text);
    std::string line;
    int lineNo = 0;
    Block* open = nullptr;
    Block pending;
    while (std::getline(in, line)) {
      ++lineNo;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::string where = src.name + ":" + std::to_string(lineNo);
      size_t hash = line.find('#');
      if (hash != std::string::npos) line.erase(hash);
      std::string text = Trim(line);
      if (text.empty()) continue;
      for (char c : text) {
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) {
          Error(where, "only printable ASCII characters are allowed");
          break;
        }
      }
      std::vector<std::string> tok = Split(text);
      if (open == nullptr) {
        OpenBlock(tok, text, where, pending);
        if (pending.where == where) open = &pending;
        continue;
      }
      if (tok[0] == "end" && tok.size() == 1) {
        CloseBlock(pending);
        open = nullptr;
        continue;
      }
      if (tok[0] == "profile" || tok[0] == "game") {
        Error(where, open->Title() + ": \"end\" missing before this block");
        CloseBlock(pending);
        open = nullptr;
        OpenBlock(tok, text, where, pending);
        if (pending.where == where) open = &pending;
        continue;
      }
      if (tok[0] == "note") continue;  // free text, ';' included
      // Several short items may share a line, separated by ';'.
      std::istringstream items(text);
      std::string item;
      while (std::getline(items, item, ';')) {
        item = Trim(item);
        if (!item.empty()) Item(*open, Split(item), item, where);
      }
    }
    if (open != nullptr) {
      Error(open->where, open->Title() + ": \"end\" missing at the end of the file");
      CloseBlock(pending);
    }
  }

  std::vector<Block> games_;
  std::map<std::string, Block> profiles_;

  void Error(const std::string& where, const std::string& msg) {
    errors_.push_back(where + ": " + msg);
  }

 private:
  std::vector<std::string>& errors_;

  void OpenBlock(const std::vector<std::string>& tok, const std::string& text,
                 const std::string& where, Block& b) {
    b = Block();
    if (tok[0] == "profile" && tok.size() == 2) {
      b.name = tok[1];
      b.where = where;
      return;
    }
    if (tok[0] == "game" && tok.size() >= 3) {
      int64_t n = 0;
      if (!StrictInt(tok[1], n) || n < 0 || n > 999) {
        Error(where, "game number \"" + tok[1] + "\" is not within 0..999");
      }
      b.isGame = true;
      b.number = static_cast<int>(n);
      size_t at = text.find(tok[1], 4) + tok[1].size();
      b.name = Trim(text.substr(at));
      b.where = where;
      if (b.name.size() > 50) Error(where, b.Title() + ": the name is longer than 50 characters");
      return;
    }
    Error(where, "expected \"profile NAME\" or \"game NUMBER NAME\"");
  }

  void CloseBlock(Block& b) {
    if (b.isGame) {
      if (b.family < 0) Error(b.where, b.Title() + ": family missing");
      games_.push_back(b);
    } else if (!profiles_.emplace(b.name, b).second) {
      Error(b.where, "profile " + b.name + " is defined twice");
    }
  }

  void Item(Block& b, const std::vector<std::string>& tok, const std::string& text,
            const std::string& where) {
    const std::string& key = tok[0];
    if (key == "note") return;
    if (key == "uses") {
      if (tok.size() < 2) Error(where, b.Title() + ": uses names no profile");
      b.uses.insert(b.uses.end(), tok.begin() + 1, tok.end());
      return;
    }
    if (key == "family" || key == "edition" || key == "selected") {
      if (!b.isGame) {
        Error(where, b.Title() + ": " + key + " belongs in a game block");
        return;
      }
      if (key == "selected") {
        b.selected = true;
        return;
      }
      int64_t v = 0;
      if (tok.size() != 2 || !StrictInt(tok[1], v) || v < 0 || v > (key == "family" ? 999 : 9)) {
        Error(where, b.Title() + ": " + key + " must be a number within 0.." +
                         (key == "family" ? "999" : "9"));
        return;
      }
      if (key == "family") {
        b.family = static_cast<int>(v);
      } else {
        b.edition = static_cast<char>('0' + v);
      }
      return;
    }
    size_t eq = text.find('=');
    if (eq == std::string::npos) {
      Error(where, b.Title() + ": \"" + key + "\" is not an item of a block");
      return;
    }
    Assignment(b, Trim(text.substr(0, eq)), Split(text.substr(eq + 1)), where);
  }

  void Assignment(Block& b, const std::string& lhs, const std::vector<std::string>& rhs,
                  const std::string& where) {
    std::string name = lhs, index;
    size_t br = lhs.find('[');
    if (br != std::string::npos) {
      name = Trim(lhs.substr(0, br));
      if (lhs.back() != ']') {
        Error(where, b.Title() + ": " + lhs + ": malformed pile index");
        return;
      }
      index = Trim(lhs.substr(br + 1, lhs.size() - br - 2));
    }
    std::string title = b.Title() + ": " + lhs;
    int def = FindDef(name);
    if (def < 0) {
      Error(where, b.Title() + ": unknown rule word \"" + name + "\"");
      return;
    }
    const WordDef& d = Defs()[static_cast<size_t>(def)];
    Op op;
    op.def = def;
    op.where = where;
    if (rhs.empty()) {
      Error(where, title + ": no value");
      return;
    }
    for (const std::string& t : rhs) {
      int64_t v = 0;
      if (!StrictInt(t, v)) {
        Error(where, title + ": \"" + t + "\" is not a number");
        return;
      }
      if (v < INT16_MIN || v > INT16_MAX) {
        Error(where, title + ": " + t + " is outside the range of a 16-bit word");
        return;
      }
      op.values.push_back(v);
    }
    if (!d.array) {
      if (!index.empty() || br != std::string::npos) {
        Error(where, title + ": " + name + " is a single word, not a per-pile word");
        return;
      }
      if (op.values.size() != 1) {
        Error(where, title + ": one value expected");
        return;
      }
    } else if (br == std::string::npos) {
      op.first = 0;
      op.count = static_cast<int>(op.values.size());
    } else if (index == "*") {
      op.allUsed = true;
      if (op.values.size() != 1) {
        Error(where, title + ": one value expected for every pile in use");
        return;
      }
    } else {
      size_t dots = index.find("..");
      int64_t lo = 0, hi = 0;
      bool ok = dots == std::string::npos
                    ? StrictInt(index, lo) && (hi = lo, true)
                    : StrictInt(index.substr(0, dots), lo) && StrictInt(index.substr(dots + 2), hi);
      if (!ok || lo > hi) {
        Error(where, title + ": malformed pile index");
        return;
      }
      if (lo < 0 || hi >= d.count) {
        Error(where, title + ": pile index outside 0.." + std::to_string(d.count - 1));
        return;
      }
      op.first = static_cast<int>(lo);
      op.count = static_cast<int>(hi - lo + 1);
      if (op.values.size() != 1 && static_cast<int>(op.values.size()) != op.count) {
        Error(where, title + ": " + std::to_string(op.count) + " values or one expected");
        return;
      }
    }
    if (d.array && op.first + op.count > d.count) {
      Error(where, title + ": more than " + std::to_string(d.count) + " values");
      return;
    }
    // The same word given twice in one block is a slip, not an override.
    for (const Op& o : b.ops) {
      if (o.def != def) continue;
      bool clash = o.allUsed || op.allUsed
                       ? o.allUsed && op.allUsed
                       : o.first < op.first + op.count && op.first < o.first + o.count;
      if (clash) {
        Error(where, title + ": given twice in this block (first at " + o.where + ")");
        return;
      }
    }
    b.ops.push_back(op);
  }
};

// Applies op when it is a per-pile word (perPile) or a single word (!perPile).
void Apply(const Op& op, std::array<int16_t, kRuleWordCount>& words, bool perPile) {
  const WordDef& d = Defs()[static_cast<size_t>(op.def)];
  if (d.array != perPile) return;
  int first = op.first, count = op.count;
  if (op.allUsed) {
    first = 0;
    count = d.countWord < 0 ? d.count : std::clamp<int>(words[d.countWord], 0, d.count);
  }
  for (int i = 0; i < count; ++i) {
    int64_t v = op.values.size() == 1 ? op.values[0] : op.values[static_cast<size_t>(i)];
    words[static_cast<size_t>(d.first + first + i)] = static_cast<int16_t>(v);
  }
}

bool Expand(Parser& p, const Block& owner, const std::string& profile,
            std::vector<std::string>& stack, std::vector<const Op*>& ops) {
  auto it = p.profiles_.find(profile);
  if (it == p.profiles_.end()) {
    p.Error(owner.where, owner.Title() + ": unknown profile \"" + profile + "\"");
    return false;
  }
  if (std::find(stack.begin(), stack.end(), profile) != stack.end()) {
    p.Error(owner.where, owner.Title() + ": profile " + profile + " uses itself");
    return false;
  }
  stack.push_back(profile);
  bool ok = true;
  for (const std::string& u : it->second.uses) ok = Expand(p, it->second, u, stack, ops) && ok;
  for (const Op& o : it->second.ops) ops.push_back(&o);
  stack.pop_back();
  return ok;
}

void CheckGame(Parser& p, const Block& b, const Game& g) {
  auto err = [&](const std::string& word, const std::string& msg) {
    p.Error(b.where, b.Title() + ": " + word + ": " + msg);
  };
  const auto& w = g.words;
  struct Limit {
    const char* name;
    int word, max;
  };
  const Limit limits[] = {{"FoundationCount", rule::FoundationCount, 16},
                          {"TableauCount", rule::TableauCount, 26},
                          {"ReserveCount", rule::ReserveCount, 8}};
  bool countsOk = true;
  for (const Limit& l : limits) {
    if (w[l.word] < 0 || w[l.word] > l.max) {
      err(l.name, std::to_string(w[l.word]) + " is outside 0.." + std::to_string(l.max));
      countsOk = false;
    }
  }
  if (w[rule::CardCount] != 52 && w[rule::CardCount] != 104) {
    err("CardCount", std::to_string(w[rule::CardCount]) + " is neither 52 nor 104");
  }
  if (!countsOk) return;

  int dealt = w[rule::StockCards] + w[rule::WasteCards] + w[rule::DiscardCards];
  for (const char* word : {"StockCards", "WasteCards", "DiscardCards"}) {
    if (w[static_cast<size_t>(WordNumber(word))] < 0) err(word, "a negative card count");
  }
  auto piles = [&](const char* word, int first, int count, int used) {
    for (int i = 0; i < count; ++i) {
      int n = w[static_cast<size_t>(first + i)];
      std::string name = std::string(word) + "[" + std::to_string(i) + "]";
      if (n < 0) err(name, "a negative card count");
      if (n != 0 && i >= used) err(name, "cards dealt to a pile that is not in use");
      if (i < used) dealt += n;
    }
  };
  bool kingHeaded = w[rule::KingDealRule] == 2;  // deals the whole rest to the tableau
  if (!kingHeaded) {
    piles("TableauCards", rule::TableauCards, rule::TableauCardsCount, w[rule::TableauCount]);
  }
  piles("ReserveCards", rule::ReserveCards, rule::ReserveCardsCount, w[rule::ReserveCount]);
  int starts = 0;
  for (int i = 0; i < w[rule::FoundationCount]; ++i) {
    int code = w[static_cast<size_t>(rule::FoundationStartCard + i)];
    if (code != 0 && code != 92 && code != 96) ++starts;
  }
  starts += w[rule::FirstCardToFoundation] == 1;
  starts += w[rule::ExtraFoundationCard] == 1;
  starts += w[rule::WasteStartCard] > 0;
  dealt += starts;
  if (kingHeaded ? dealt > w[rule::CardCount] : dealt != w[rule::CardCount]) {
    err("CardCount", "the deal does not add up: stock " + std::to_string(w[rule::StockCards]) +
                         " + waste " + std::to_string(w[rule::WasteCards]) + " + discard " +
                         std::to_string(w[rule::DiscardCards]) + " + tableau, reserve and " +
                         std::to_string(starts) + " start cards = " + std::to_string(dealt) +
                         ", not " + std::to_string(w[rule::CardCount]));
  }

  // Words that the engine reads in a way that would make the game unplayable.
  for (int i = 0; i < rule::TableauFaceModeCount; ++i) {
    if (w[static_cast<size_t>(rule::TableauFaceMode + i)] < -3) {
      err("TableauFaceMode[" + std::to_string(i) + "]", "face modes go from -3 up");
    }
  }
  for (int i = 0; i < w[rule::ReserveCount]; ++i) {
    int cards = w[static_cast<size_t>(rule::ReserveCards + i)];
    if (cards > 0 && w[static_cast<size_t>(rule::ReserveFaceMode + i)] < cards) {
      err("ReserveFaceMode[" + std::to_string(i) + "]",
          "reserve cards are never turned face up, so all of them must be dealt face up");
    }
  }
  bool turnsToWaste = w[rule::HasWaste] == 1 || w[rule::TableauRedeal] >= 1;
  int last = std::max(0, w[rule::TableauCount] - 1);
  if (turnsToWaste && (w[rule::StockDealToTableau] != 0 ||
                       w[static_cast<size_t>(rule::StockDealToTableau + last)] != 0)) {
    err("StockDealToTableau", "never used: a stock click turns cards to the waste or redeals");
  }
  if ((w[rule::HasWaste] == 1 || w[rule::TalonStyle] != 0) && w[rule::CardsPerStockTurn] < 1) {
    err("CardsPerStockTurn", "a stock that turns cards needs at least 1");
  }
  if (w[rule::GameKind] == 0 && w[rule::SelectionFoundation] == 0 && w[rule::TableauCount] > 0 &&
      w[rule::MaxMoveCards] == 0) {
    err("MaxMoveCards", "0 lets no card be moved in a building game");
  }
  if (w[rule::FoundationCount] > 0 && w[rule::SelectionFoundation] == 0 &&
      w[rule::FoundationMaxCards] < 1) {
    err("FoundationMaxCards", "0 refuses every play to a foundation");
  }
}

}  // namespace

int WordNumber(const std::string& name) {
  size_t br = name.find('[');
  std::string base = br == std::string::npos ? name : name.substr(0, br);
  int def = FindDef(base);
  if (def < 0) return -1;
  const WordDef& d = Defs()[static_cast<size_t>(def)];
  if (br == std::string::npos) return d.array ? -1 : d.first;
  int64_t i = 0;
  if (!d.array || name.back() != ']' || !StrictInt(name.substr(br + 1, name.size() - br - 2), i) ||
      i < 0 || i >= d.count) {
    return -1;
  }
  return d.first + static_cast<int>(i);
}

std::string WordName(int n) {
  for (const WordDef& d : Defs()) {
    if (n >= d.first && n < d.first + d.count) {
      return d.array ? d.name + "[" + std::to_string(n - d.first) + "]" : d.name;
    }
  }
  return "Word" + std::to_string(n);
}

bool BuildCatalogue(const std::vector<SourceText>& sources, std::vector<Game>& games,
                    std::vector<std::string>& errors) {
  games.clear();
  size_t before = errors.size();
  Parser p(errors);
  for (const SourceText& s : sources) p.ParseSource(s);

  std::map<int, const Block*> byNumber;
  std::map<std::string, const Block*> byName;
  for (const Block& b : p.games_) {
    if (b.name.empty()) p.Error(b.where, b.Title() + ": the game has no name");
    auto n = byNumber.emplace(b.number, &b);
    if (!n.second) {
      p.Error(b.where, b.Title() + ": game number " + std::to_string(b.number) +
                           " is already used by \"" + n.first->second->name + "\" (" +
                           n.first->second->where + ")");
    }
    auto m = byName.emplace(Upper(b.name), &b);
    if (!m.second) {
      p.Error(b.where, b.Title() + ": the name is already used by game " +
                           std::to_string(m.first->second->number) + " (" + m.first->second->where +
                           ")");
    }
    std::vector<const Op*> ops;
    std::vector<std::string> stack;
    for (const std::string& u : b.uses) Expand(p, b, u, stack, ops);
    for (const Op& o : b.ops) ops.push_back(&o);
    Game g;
    g.number = b.number;
    g.name = b.name;
    g.family = b.family;
    g.edition = b.edition;
    g.selected = b.selected;
    // Single words first: they hold the pile counts that Word[*] needs, and
    // no single word shares a place with a per-pile word.
    for (const Op* o : ops) Apply(*o, g.words, false);
    for (const Op* o : ops) Apply(*o, g.words, true);
    CheckGame(p, b, g);
    games.push_back(g);
  }
  std::sort(games.begin(), games.end(),
            [](const Game& a, const Game& b) { return a.number < b.number; });
  return errors.size() == before;
}

std::vector<std::string> EncodeGamesDat(const std::vector<Game>& games) {
  std::vector<std::string> out;
  std::map<int, const Game*> byNumber;
  for (const Game& g : games) byNumber[g.number] = &g;
  int columns = byNumber.empty() ? 0 : byNumber.rbegin()->first + 1;

  out.push_back("[Sect1]");
  for (const auto& [number, g] : byNumber) {
    char head[16];
    std::snprintf(head, sizeof head, "%-3d %03d%c  ", g->family, number, g->edition);
    out.push_back(ShiftText(head + PadRight(g->name, 50)));
  }
  out.push_back("[Sect2]");
  const std::string blankField = ShiftText(std::string(kRuleFieldWidth, ' '));
  for (int p = 1; p < kRuleWordCount; ++p) {
    char num[8];
    std::snprintf(num, sizeof num, "%04d", p);
    std::string line = num + PadRight(" " + WordName(p), 12);
    for (int c = 0; c < columns; ++c) {
      if (c > 0) line += ' ';
      auto it = byNumber.find(c);
      line += it == byNumber.end()
                  ? blankField
                  : ShiftText(PadRight(std::to_string(it->second->words[static_cast<size_t>(p)]),
                                       kRuleFieldWidth));
    }
    out.push_back(line);
  }
  out.push_back("[SectS]");
  for (const auto& [number, g] : byNumber) {
    if (g->selected) out.push_back(ShiftText(std::to_string(number)));
  }
  return out;
}

std::string ListingText(const std::vector<Game>& games) {
  std::string out;
  for (const Game& g : games) {
    out += "game " + std::to_string(g.number) + " " + g.name + " (family " +
           std::to_string(g.family) + ", edition " + g.edition + (g.selected ? ", selected" : "") +
           ")\n";
    for (int p = 0; p < kRuleWordCount; ++p) {
      if (g.words[static_cast<size_t>(p)] != 0) {
        out += "  " + std::to_string(p) + " " + WordName(p) + " = " +
               std::to_string(g.words[static_cast<size_t>(p)]) + "\n";
      }
    }
  }
  return out;
}

}  // namespace tw::gamesdat
