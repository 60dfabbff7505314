// stacksolve: a small exhaustive solver for open one-deck games of single
// card moves without free cells (Baker's Dozen, Spanish Patience,
// Portuguese Solitaire, Fan and their like), for boards written by fcboard.
// The Debian build of fc-solve holds at most ten stacks, so these games are
// measured here. A measuring tool only, never used by the program or tests.
//
//   stacksolve [--built-by rank|suit|alternate_color] [--spaces all|kings|none]
//              [--nodes N] BOARD
//
// Prints "solved", "unsolvable" (the whole tree was searched) or "budget".
// The search is depth first over canonical positions (stacks sorted), with
// every safe foundation move made at once.
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

enum class BuiltBy { Rank, Suit, Alternate };
enum class Spaces { All, Kings, None };

struct Card {
  int rank = 0;  // 1..13
  int suit = 0;  // 0 H, 1 C, 2 D, 3 S
};

struct Position {
  std::vector<std::vector<uint8_t>> stacks;  // card = suit * 16 + rank
  std::array<int, 4> home{};
};

int RankOf(uint8_t c) { return c & 15; }
int SuitOf(uint8_t c) { return c >> 4; }
bool Red(int suit) { return suit == 0 || suit == 2; }

BuiltBy builtBy = BuiltBy::Rank;
Spaces spaces = Spaces::All;
int64_t budget = 1000000;
int64_t nodes = 0;
std::unordered_set<std::string> seen;

bool Parse(const std::string& text, uint8_t& out) {
  static const std::string ranks = "A23456789TJQK", suits = "HCDS";
  if (text.size() != 2) return false;
  const size_t r = ranks.find(text[0]), s = suits.find(text[1]);
  if (r == std::string::npos || s == std::string::npos) return false;
  out = static_cast<uint8_t>(s * 16 + r + 1);
  return true;
}

std::string Key(const Position& p) {
  std::vector<std::string> parts;
  for (const auto& s : p.stacks) parts.emplace_back(s.begin(), s.end());
  std::sort(parts.begin(), parts.end());
  std::string key(p.home.begin(), p.home.end());
  for (const std::string& s : parts) key += s + '|';
  return key;
}

bool Builds(uint8_t lower, uint8_t upper) {
  if (RankOf(upper) + 1 != RankOf(lower)) return false;
  switch (builtBy) {
    case BuiltBy::Rank: return true;
    case BuiltBy::Suit: return SuitOf(upper) == SuitOf(lower);
    case BuiltBy::Alternate: return Red(SuitOf(upper)) != Red(SuitOf(lower));
  }
  return false;
}

// A card no other card will ever need to be laid on.
bool SafeHome(const Position& p, uint8_t c) {
  const int r = RankOf(c);
  if (builtBy == BuiltBy::Suit) return true;
  for (int s = 0; s < 4; ++s) {
    if (builtBy == BuiltBy::Alternate && Red(s) == Red(SuitOf(c))) continue;
    if (p.home[static_cast<size_t>(s)] < r - 1) return false;
  }
  return true;
}

void AutoHome(Position& p) {
  for (bool moved = true; moved;) {
    moved = false;
    for (auto& s : p.stacks) {
      if (s.empty()) continue;
      const uint8_t c = s.back();
      if (p.home[static_cast<size_t>(SuitOf(c))] + 1 == RankOf(c) && SafeHome(p, c)) {
        ++p.home[static_cast<size_t>(SuitOf(c))];
        s.pop_back();
        moved = true;
      }
    }
  }
}

bool Won(const Position& p) {
  return std::all_of(p.home.begin(), p.home.end(), [](int h) { return h == 13; });
}

bool Solve(Position p) {
  AutoHome(p);
  if (Won(p)) return true;
  if (++nodes > budget) return false;
  if (!seen.insert(Key(p)).second) return false;
  const size_t n = p.stacks.size();
  // Foundation moves first.
  for (size_t i = 0; i < n; ++i) {
    if (p.stacks[i].empty()) continue;
    const uint8_t c = p.stacks[i].back();
    if (p.home[static_cast<size_t>(SuitOf(c))] + 1 != RankOf(c)) continue;
    Position q = p;
    q.stacks[i].pop_back();
    ++q.home[static_cast<size_t>(SuitOf(c))];
    if (Solve(q)) return true;
    if (nodes > budget) return false;
  }
  // Builds and moves into a space, those from the piles whose next
  // foundation card lies nearest the top first.
  struct Move {
    int cost;
    size_t from, to;
  };
  std::vector<Move> moves;
  for (size_t i = 0; i < n; ++i) {
    const auto& from = p.stacks[i];
    if (from.empty()) continue;
    int cost = 99;
    for (size_t k = from.size(); k-- > 0;) {
      if (p.home[static_cast<size_t>(SuitOf(from[k]))] + 1 == RankOf(from[k])) {
        cost = static_cast<int>(from.size() - 1 - k);
        break;
      }
    }
    const uint8_t c = from.back();
    bool spaceTaken = false;  // every space is the same space
    for (size_t j = 0; j < n; ++j) {
      if (i == j) continue;
      if (!p.stacks[j].empty()) {
        if (Builds(p.stacks[j].back(), c)) moves.push_back({cost, i, j});
      } else if (!spaceTaken && from.size() > 1 && spaces != Spaces::None &&
                 (spaces == Spaces::All || RankOf(c) == 13)) {
        moves.push_back({cost, i, j});
        spaceTaken = true;
      }
    }
  }
  std::stable_sort(moves.begin(), moves.end(),
                   [](const Move& a, const Move& b) { return a.cost < b.cost; });
  for (const Move& m : moves) {
    Position q = p;
    q.stacks[m.to].push_back(q.stacks[m.from].back());
    q.stacks[m.from].pop_back();
    if (Solve(q)) return true;
    if (nodes > budget) return false;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const std::string v = i + 1 < argc ? argv[i + 1] : "";
    if (a == "--built-by") {
      builtBy = v == "suit" ? BuiltBy::Suit : v == "alternate_color" ? BuiltBy::Alternate : BuiltBy::Rank;
      ++i;
    } else if (a == "--spaces") {
      spaces = v == "kings" ? Spaces::Kings : v == "none" ? Spaces::None : Spaces::All;
      ++i;
    } else if (a == "--nodes") {
      budget = std::stoll(v);
      ++i;
    } else {
      file = a;
    }
  }
  std::ifstream in(file);
  if (!in) return std::cerr << "stacksolve: cannot read " << file << "\n", 2;
  Position p;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string w;
    words >> w;
    if (w == "Foundations:") {
      while (words >> w) {
        static const std::string suits = "HCDS", ranks = "0A23456789TJQK";
        if (w.size() == 3) {
          p.home[suits.find(w[0])] = static_cast<int>(ranks.find(w[2]));
        }
      }
    } else if (w == "Freecells:") {
      return std::cerr << "stacksolve: free cells are not played here\n", 2;
    } else if (w == ":") {
      std::vector<uint8_t> stack;
      uint8_t c = 0;
      while (words >> w) {
        if (!Parse(w, c)) return std::cerr << "stacksolve: bad card " << w << "\n", 2;
        stack.push_back(c);
      }
      p.stacks.push_back(stack);
    }
  }
  const bool solved = Solve(p);
  std::cout << (solved ? "solved" : nodes > budget ? "budget" : "unsolvable") << "\n";
  return 0;
}
