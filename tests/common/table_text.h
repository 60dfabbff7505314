// The whole table of a context as one text (its 53 snapshot lines), for
// comparing tables in tests.
#pragma once

#include <string>

#include "core/state.h"
#include "engine/undo.h"

namespace tw::testing {

inline std::string TableText(const GameContext& ctx) {
  StringList lines;
  SaveTableSnapshot(ctx, lines);
  std::string all;
  for (const std::string& line : lines) all += line + "|";
  return all;
}

}  // namespace tw::testing
