// DATA\GAM_CUST.DAT, the custom games: the list and the lookups, a deal of
// the first custom game, then a new variant added. A refused addition leaves
// the file as it was; an accepted one keeps every record listed before and
// lists the new one under its number.
#include <algorithm>

#include "core/customgames.h"
#include "core/util.h"
#include "fuzz/fuzz_common.h"

using namespace tw;

namespace {

struct Listing {
  StringList names, numbers, bases, rules;
};

Listing List(const GameContext& ctx) {
  Listing l;
  LoadCustomGameList(ctx, l.names, l.numbers, l.bases, l.rules);
  FUZZ_CHECK(l.numbers.size() == l.names.size() && l.bases.size() == l.names.size() &&
             l.rules.size() == l.names.size());
  return l;
}

std::vector<std::string> Records(const Listing& l) {
  std::vector<std::string> records;
  for (size_t i = 0; i < l.names.size(); ++i)
    records.push_back(l.numbers[i] + l.names[i] + l.bases[i] + l.rules[i]);
  std::sort(records.begin(), records.end());
  return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Table t;
  t.LoadSeedGames();
  const std::string path = t.ctx.DataPath(kCustomGamesFileName);
  fuzz::WriteBytes(path, data, size);

  const Listing before = List(t.ctx);
  for (size_t i = 0; i < before.numbers.size() && i < 20; ++i) {
    int64_t number = 0;
    if (!ParseInt(before.numbers[i], number)) continue;
    int base = -1;
    std::string rule;
    if (FindCustomGame(t.ctx, static_cast<int>(number), base, rule))
      FUZZ_CHECK(!CustomGameName(t.ctx, static_cast<int>(number)).empty() ||
                 TrimRightSpaces(before.names[i]).empty());
    CustomGameNumberByName(t.ctx, before.names[i]);
    bool a = false, b = false, c = false;
    GetCustomizableRules(t.ctx, static_cast<int>(number), a, b, c);
    if (i == 0) {
      t.ctx.SetCfg(cfg::Game, before.numbers[i]);
      if (StartDealForPlay(t.ctx, "42")) {
        RandomPlayer player(7);
        for (int k = 0; k < 20; ++k) player.Step(t.ctx);
      }
    }
  }
  const int next = NextFreeCustomGameNumber(t.ctx);
  FUZZ_CHECK(next >= kFirstCustomGame && next <= kLastCustomGame + 1);

  const std::string bytes = fuzz::ReadBytes(path);
  int number = 0;
  std::string error;
  if (!AddCustomGame(t.ctx, "Fuzz Variant", 1, 1, -1, 2, number, error)) {
    FUZZ_CHECK(fuzz::ReadBytes(path) == bytes);
    return 0;
  }
  const Listing after = List(t.ctx);
  std::vector<std::string> kept = Records(before), now = Records(after);
  FUZZ_CHECK(std::includes(now.begin(), now.end(), kept.begin(), kept.end()));
  FUZZ_CHECK(now.size() == kept.size() + 1);
  int base = -1;
  std::string rule;
  FUZZ_CHECK(FindCustomGame(t.ctx, number, base, rule));
  FUZZ_CHECK(base == 1);
  FUZZ_CHECK(CustomGameNumberByName(t.ctx, "Fuzz Variant") == number);
  return 0;
}
