// Small hand-made games files for the games-file and custom-games tests.
#pragma once

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/state.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "tests/platform/temp_dir.h"

namespace tw::testing {

struct FixtureGame {
  int number;
  int family;
  std::string name;
  char edition = '0';
};

// param -> (game -> value text as it stands before shifting).
using FixtureRules = std::map<int, std::map<int, std::string>>;

inline std::string CatalogueLine(const FixtureGame& g) {
  char head[16];
  std::snprintf(head, sizeof head, "%-3d %03d%c  ", g.family, g.number, g.edition);
  return ShiftText(head + PadRight(g.name, 50));
}

// A rule line: number, label, then a 10-character shifted field per game
// 0..columns-1 (blank where none is given).
inline std::string RuleLine(int param, const std::map<int, std::string>& values, int columns) {
  char num[8];
  std::snprintf(num, sizeof num, "%04d", param);
  std::string line = std::string(num) + PadRight(" label", 12);
  for (int g = 0; g < columns; ++g) {
    if (g > 0) line += ' ';
    auto it = values.find(g);
    line += ShiftText(PadRight(it == values.end() ? "" : it->second, 10));
  }
  return line;
}

inline std::vector<std::string> GamesFileLines(const std::vector<FixtureGame>& games,
                                               const FixtureRules& rules,
                                               const std::vector<int>& selected = {}) {
  int columns = 0;
  for (const FixtureGame& g : games) columns = std::max(columns, g.number + 1);
  std::vector<std::string> lines{"[Sect1]"};
  for (const FixtureGame& g : games) lines.push_back(CatalogueLine(g));
  lines.push_back("[Sect2]");
  for (const auto& [param, values] : rules) lines.push_back(RuleLine(param, values, columns));
  lines.push_back("[SectS]");
  for (int n : selected) lines.push_back(ShiftText(std::to_string(n)));
  return lines;
}

inline void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& l : lines) bytes += l + "\r\n";
  sys::RawFile f;
  if (f.Create(path)) f.Write(bytes);
}

}  // namespace tw::testing
