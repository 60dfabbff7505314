#include "table/random_look.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/util.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

int Random(GameContext& ctx, int range) { return ctx.Random ? ctx.Random->Next(range) : 0; }

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// The picture number of "B123.bmp"; 0 when the name holds none.
int BackgroundNumber(const std::string& name) {
  if (name.size() < 4) return 0;
  int n = 0;
  for (size_t i = 1; i < 4; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    n = n * 10 + (name[i] - '0');
  }
  return n;
}

}  // namespace

void MakeJitterPattern(GameContext& ctx, int k) {
  if (k < 1 || k > static_cast<int>(ctx.JitterPatterns.size())) return;
  auto& pattern = ctx.JitterPatterns[static_cast<size_t>(k - 1)];
  pattern[0] = 0;
  int prev = Random(ctx, 4);
  int sum = 0;
  for (size_t i = 1; i < pattern.size(); ++i) {
    int r = Random(ctx, 4);
    if (prev > 2 && r > 2) r = 0;
    if ((r == 1 || r == 2) && prev <= 2) r = 0;
    prev = r;
    int step = r == 3 ? -1 : r;
    sum += step;
    if (sum > 2) {
      step -= 2;
      sum -= 2;
    }
    if (sum < -2) {
      step += 2;
      sum += 2;
    }
    pattern[i] = static_cast<int16_t>(step);
  }
}

void MakeJitterPatterns(GameContext& ctx) {
  for (int k = 1; k <= static_cast<int>(ctx.JitterPatterns.size()); ++k) MakeJitterPattern(ctx, k);
}

TableLookChange RandomizeTableLook(GameContext& ctx, const TableLookChoices& choices) {
  TableLookChange change;
  if (ctx.CfgIs(cfg::Random_Background, "Y")) {
    // Only names that carry a picture number can be stored.
    std::vector<std::string> pictures;
    for (const std::string& name : choices.Backgrounds) {
      if (BackgroundNumber(name) > 0) pictures.push_back(name);
    }
    int last = static_cast<int>(pictures.size()) - 1;
    if (choices.ColourCount <= 256) {
      // Pictures made for more colours than the display shows are left out.
      last = -1;
      for (size_t i = 0; i < pictures.size() && Lower(pictures[i]) <= "b256.bmp"; ++i)
        last = static_cast<int>(i);
    }
    ctx.SetCfg(cfg::Background_def, "N");
    ctx.SetCfg(cfg::Background_bmp, "0");
    ctx.SetCfg(cfg::Background_Fixed_Col, "0");
    const int r = Random(ctx, last + 7);
    if (r > last) {
      ctx.SetCfg(cfg::Background_Fixed_Col,
                 std::to_string(kRandomBackgroundColours[std::min(r - last - 1, 5)]));
    } else {
      ctx.SetCfg(cfg::Background_bmp,
                 IntToStrPad(BackgroundNumber(pictures[static_cast<size_t>(r)]), 3));
    }
  }
  if (ctx.Cfg(cfg::Card_Size) != "B") return change;
  auto pick = [&](const std::vector<int>& from, CfgField field, bool& changed) {
    if (from.empty()) return;
    const int n = from[static_cast<size_t>(Random(ctx, static_cast<int>(from.size())))];
    if (n == std::atoi(ctx.Cfg(field).c_str())) return;
    ctx.SetCfg(field, IntToStrPad(n, 3));
    changed = true;
  };
  if (ctx.CfgIs(cfg::Random_Card, "Y")) pick(choices.FaceSets, cfg::Card, change.Faces);
  if (ctx.CfgIs(cfg::Random_Deck, "Y")) pick(choices.Backs, cfg::Back_Card, change.Back);
  return change;
}

}  // namespace tw
