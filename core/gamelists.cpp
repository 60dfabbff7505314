#include "core/gamelists.h"

#include <algorithm>

#include "core/customgames.h"
#include "core/gamesfile.h"
#include "core/util.h"

namespace tw {

namespace {

// Lower case of a Windows-1252 byte.
unsigned char Fold(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 16);
  if (c == 0x9F) return 0xFF;
  return c;
}

}  // namespace

bool GameNameLess(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = Fold(static_cast<unsigned char>(a[i]));
    const unsigned char y = Fold(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

void SortGameNames(StringList& names) {
  std::stable_sort(names.begin(), names.end(), GameNameLess);
}

StringList BuildSortedGameNames(const GameContext& ctx) {
  StringList names, numbers, bases, rules;
  LoadCustomGameList(ctx, names, numbers, bases, rules);
  StringList out;
  out.reserve(ctx.GameList.size() + names.size());
  // Columns 11-60 of the catalogue line, as stored.
  for (const std::string& line : ctx.GameList)
    out.push_back(PadRight(line.size() > 10 ? line.substr(10) : std::string(), 50));
  for (const std::string& name : names) out.push_back(name);
  SortGameNames(out);
  return out;
}

int IndexOfTrimmedText(const StringList& items, const std::string& text) {
  const std::string wanted = TrimRightSpaces(text);
  for (size_t i = 0; i < items.size(); ++i)
    if (TrimRightSpaces(items[i]) == wanted) return static_cast<int>(i);
  return -1;
}

}  // namespace tw
