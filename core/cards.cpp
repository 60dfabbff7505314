#include "core/cards.h"

#include <charconv>

#include "core/table_port.h"

namespace tw {

namespace {

constexpr int kStockLocation = -99;
constexpr int kWasteLocation = -98;

bool ValidCard(int card) { return card >= 1 && card <= kCardCodes; }

// Value of the three digits at 0-based offset i; -1 when they are not digits.
int CodeAt(const std::string& s, size_t i) {
  int v = 0;
  for (size_t k = i; k < i + 3; ++k) {
    if (k >= s.size() || s[k] < '0' || s[k] > '9') return -1;
    v = v * 10 + (s[k] - '0');
  }
  return v;
}

// 0-based offset of the card's code in a pile string, npos when absent.
// Card -1 finds the first code that is not three digits.
size_t FindCode(const std::string& pile, int card) {
  if (card < 0 || card > 999) {
    for (size_t i = 0; i + 3 <= pile.size(); i += 3) {
      if (CodeAt(pile, i) == card) return i;
    }
    return std::string::npos;
  }
  // The engine's hottest search: compare the three digits directly.
  const char d0 = static_cast<char>('0' + card / 100);
  const char d1 = static_cast<char>('0' + card / 10 % 10);
  const char d2 = static_cast<char>('0' + card % 10);
  const char* c = pile.data();
  for (size_t i = 0; i + 3 <= pile.size(); i += 3) {
    if (c[i] == d0 && c[i + 1] == d1 && c[i + 2] == d2) return i;
  }
  return std::string::npos;
}

bool InRange(const StringList& list, int index) {
  return index >= 0 && static_cast<size_t>(index) < list.size();
}

// Pile number after a prefix: 1..maxDigits digits, value 1..count; 0 otherwise.
int PileNumber(const std::string& name, size_t prefix, size_t maxDigits, int count) {
  size_t digits = name.size() - prefix;
  if (digits < 1 || digits > maxDigits) return 0;
  int n = 0;
  const char* first = name.data() + prefix;
  auto [ptr, ec] = std::from_chars(first, name.data() + name.size(), n);
  if (ec != std::errc() || ptr != name.data() + name.size()) return 0;
  return n >= 1 && n <= count ? n : 0;
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string* Entry(StringList& list, int index) {
  return InRange(list, index) ? &list[static_cast<size_t>(index)] : nullptr;
}

int ClampCount(int n, int max) { return n < 0 ? 0 : (n > max ? max : n); }

bool Used(int x, int y) { return x >= kUnusedBelow && y >= kUnusedBelow; }

}  // namespace


bool IsRedCard(int code) { return code < 27 || (code >= 53 && code <= 78); }

bool IsFaceCard(int code) { return ValidCard(code) && CardRank(code) >= 11; }

int PrevRank(int rank) { return rank == 1 ? 13 : rank - 1; }

int NextRank(int rank) { return rank == 13 ? 1 : rank + 1; }

std::string RankText(int rank) {
  switch (rank) {
    case 1: return "A";
    case 11: return "J";
    case 12: return "Q";
    case 13: return "K";
    default: return std::to_string(rank);
  }
}

std::string CardCodeText(int code) {
  std::string t = std::to_string(code < 0 ? -code : code);
  if (t.size() < 3) t.insert(0, 3 - t.size(), '0');
  return code < 0 ? "-" + t : t;
}

bool NoDuplicateRanks(const std::string& codes) {
  bool seen[14] = {};
  for (size_t i = 0; i + 3 <= codes.size(); i += 3) {
    int code = CodeAt(codes, i);
    if (code < 0) continue;
    int rank = CardRank(code);
    if (rank <= 0) continue;
    if (seen[rank]) return false;
    seen[rank] = true;
  }
  return true;
}

bool CodeInCodeString(const std::string& codeText, const std::string& codes) {
  size_t b = codeText.find_first_not_of(' ');
  if (b == std::string::npos) return false;
  size_t e = codeText.find_last_not_of(' ') + 1;
  int value = 0;
  auto [ptr, ec] = std::from_chars(codeText.data() + b, codeText.data() + e, value);
  if (ec != std::errc() || ptr != codeText.data() + e) return false;
  return FindCode(codes, value) != std::string::npos;
}

void StripLastGroup(std::string& s) {
  if (s.size() < 2) {
    s.clear();
    return;
  }
  size_t p = s.rfind(',', s.size() - 2);
  if (p == std::string::npos) {
    s.clear();
  } else {
    s.resize(p + 1);
  }
}

std::string LastGroup(const std::string& s) {
  if (s.empty()) return s;
  size_t p = s.size() >= 2 ? s.rfind(',', s.size() - 2) : std::string::npos;
  if (p != std::string::npos) return s.substr(p + 1, s.size() - 2 - p);
  if (s.back() == ',') return s.substr(0, s.size() - 1);
  return s;
}

void RemovePrevGroup(std::string& s) {
  std::string kept = LastGroup(s);
  StripLastGroup(s);
  StripLastGroup(s);
  // An empty log (or an empty last group) adds no empty group.
  if (!kept.empty()) s += kept + ",";
}

void ReplaceLastUndoGroup(GameContext& ctx, int code) {
  StripLastGroup(ctx.UndoLog);
  ctx.UndoLog += CardCodeText(code) + ",";
}

int CountCodeInGroups(const std::string& s, int code) {
  int count = 0;
  size_t start = 0;
  for (size_t comma = s.find(','); comma != std::string::npos; comma = s.find(',', start)) {
    for (size_t i = start; i + 3 <= comma; i += 3) {
      if (CodeAt(s, i) == code) ++count;
    }
    start = comma + 1;
  }
  return count;
}

bool CodeInLastGroup(const std::string& s, int code) {
  return FindCode(LastGroup(s), code) != std::string::npos;
}

bool AppendCardToList(GameContext& ctx, StringList& list, int index, int card,
                      const std::string& flag) {
  std::string* pile = Entry(list, index);
  if (!pile) return false;
  *pile += CardCodeText(card);
  if (card != 0 && !flag.empty()) SetCardFace(ctx, card, flag);
  return true;
}

std::string* PileByName(GameContext& ctx, const std::string& name) {
  if (name == "Mazzo") return Entry(ctx.MazzoPiles, 0);
  if (name == "Mazzo_Vis") return Entry(ctx.MazzoPiles, 1);
  if (name == "Mazzo_Waste" || name == "Waste") return Entry(ctx.MazzoPiles, 2);
  if (StartsWith(name, "Fila")) {
    return Entry(ctx.FilaPiles, PileNumber(name, 4, 2, kMaxTableaus) - 1);
  }
  if (StartsWith(name, "Dest")) {
    return Entry(ctx.DestPiles, PileNumber(name, 4, 2, kMaxFoundations) - 1);
  }
  if (StartsWith(name, "Appogg")) {
    return Entry(ctx.AppoggPiles, PileNumber(name, 6, 1, kMaxReserves) - 1);
  }
  return nullptr;
}

bool AppendCardToPile(GameContext& ctx, const std::string& pileName, int card,
                      const std::string& flag) {
  // The stock and the third slot are never filled by name.
  if (pileName == "Mazzo") {
    if (!flag.empty()) SetCardFace(ctx, card, flag);
    return false;
  }
  if (pileName == "Mazzo_Waste" || pileName == "Waste") return false;
  std::string* pile = PileByName(ctx, pileName);
  if (!pile) return false;
  *pile += CardCodeText(card);
  if (!flag.empty()) SetCardFace(ctx, card, flag);
  return true;
}

void SetCardFace(GameContext& ctx, int card, const std::string& flag) {
  if (!ValidCard(card) || flag.empty() || !InRange(ctx.CardRecords, card - 1)) return;
  std::string& record = ctx.CardRecords[static_cast<size_t>(card - 1)];
  record.resize(19, ' ');
  record += flag[0];
}

void SetPileFaces(GameContext& ctx, const std::string& pile, int mode, const std::string& flag) {
  if (mode == 0 || mode < -3) return;
  int count = PileCardCount(pile);
  for (int i = 0; i < count; ++i) {
    int card = PileCardAt(pile, i);
    if (mode >= 1) {
      if (i >= count - mode) SetCardFace(ctx, card, flag);
    } else if (mode == -1) {
      SetCardFace(ctx, card, i % 2 == 0 ? "1" : "0");
    } else if (mode == -2) {
      SetCardFace(ctx, card, i % 2 == 0 ? "0" : "1");
    } else {
      SetCardFace(ctx, card, i == 0 ? "1" : "0");
    }
  }
}

bool FindCardInList(StringList& list, int index, int card, int mode) {
  std::string* pile = Entry(list, index);
  if (!pile) return false;
  size_t at = FindCode(*pile, card);
  if (at == std::string::npos) return false;
  if (mode == 1) {
    pile->erase(at, 3);
  } else if (mode == 2) {
    pile->replace(at, 3, "000");
  }
  return true;
}

int FindCardInPiles(GameContext& ctx, int card, int mode) {
  if (FindCardInList(ctx.MazzoPiles, 1, card, mode)) return 2;
  int tableaus = ClampCount(ctx.GameRules.TableauCount(), kMaxTableaus);
  for (int i = 0; i < tableaus; ++i) {
    if (FindCardInList(ctx.FilaPiles, i, card, mode)) return 4;
  }
  for (int i = 0; i < kMaxFoundations; ++i) {
    if (FindCardInList(ctx.DestPiles, i, card, mode)) return 5;
  }
  if (FindCardInList(ctx.MazzoPiles, 0, card, mode)) return 1;
  if (FindCardInList(ctx.MazzoPiles, 2, card, mode)) return 3;
  for (int i = 0; i < kMaxReserves; ++i) {
    if (FindCardInList(ctx.AppoggPiles, i, card, mode)) return 6;
  }
  return -1;
}

int TakeCard(GameContext& ctx, int card) { return FindCardInPiles(ctx, card, 1); }

int BlankCard(GameContext& ctx, int card) { return FindCardInPiles(ctx, card, 2); }

namespace {

// Every code's location in one pass over the piles.
void FillCardLocations(const GameContext& ctx, CardLocationIndex& index) {
  index.locations.fill(0);
  index.filled = true;
  // The piles in LocateCard's order; the first pile that holds a code wins.
  auto note = [&at = index.locations](const StringList& list, int i, int location) {
    if (!InRange(list, i)) return;
    const std::string& pile = list[static_cast<size_t>(i)];
    for (size_t k = 0; k + 3 <= pile.size(); k += 3) {
      const int card = CodeAt(pile, k);
      if (ValidCard(card) && at[static_cast<size_t>(card)] == 0) {
        at[static_cast<size_t>(card)] = static_cast<int16_t>(location);
      }
    }
  };
  note(ctx.MazzoPiles, 0, kStockLocation);
  note(ctx.MazzoPiles, 1, kWasteLocation);
  for (int i = 0; i < kMaxFoundations; ++i) note(ctx.DestPiles, i, -(i + 1));
  const int tableaus = ClampCount(ctx.GameRules.TableauCount(), kMaxTableaus);
  for (int i = 0; i < tableaus; ++i) note(ctx.FilaPiles, i, i + 1);
  const int reserves = ClampCount(ctx.GameRules.ReserveCount(), kMaxReserves);
  for (int i = 0; i < reserves; ++i) note(ctx.AppoggPiles, i, -(i + 21));
}

}  // namespace

int LocateCard(const GameContext& ctx, int card) {
  if (ctx.CardLocations && ValidCard(card)) {
    if (!ctx.CardLocations->filled) FillCardLocations(ctx, *ctx.CardLocations);
    return ctx.CardLocations->locations[static_cast<size_t>(card)];
  }
  auto holds = [card](const StringList& list, int index) {
    return InRange(list, index) && FindCode(list[static_cast<size_t>(index)], card) !=
                                       std::string::npos;
  };
  if (holds(ctx.MazzoPiles, 0)) return kStockLocation;
  if (holds(ctx.MazzoPiles, 1)) return kWasteLocation;
  for (int i = 0; i < kMaxFoundations; ++i) {
    if (holds(ctx.DestPiles, i)) return -(i + 1);
  }
  int tableaus = ClampCount(ctx.GameRules.TableauCount(), kMaxTableaus);
  for (int i = 0; i < tableaus; ++i) {
    if (holds(ctx.FilaPiles, i)) return i + 1;
  }
  int reserves = ClampCount(ctx.GameRules.ReserveCount(), kMaxReserves);
  for (int i = 0; i < reserves; ++i) {
    if (holds(ctx.AppoggPiles, i)) return -(i + 21);
  }
  return 0;
}

void BackupPiles(GameContext& ctx) {
  ctx.MazzoPilesBackup = ctx.MazzoPiles;
  ctx.DestPilesBackup = ctx.DestPiles;
  ctx.FilaPilesBackup = ctx.FilaPiles;
  ctx.AppoggPilesBackup = ctx.AppoggPiles;
}

void RestorePiles(GameContext& ctx) {
  ctx.MazzoPiles = ctx.MazzoPilesBackup;
  ctx.DestPiles = ctx.DestPilesBackup;
  ctx.FilaPiles = ctx.FilaPilesBackup;
  ctx.AppoggPiles = ctx.AppoggPilesBackup;
}

std::string* PileAtLocation(GameContext& ctx, int location) {
  const GameContext& c = ctx;
  return const_cast<std::string*>(PileAtLocation(c, location));
}

const std::string* PileAtLocation(const GameContext& ctx, int location) {
  auto entry = [](const StringList& list, int index) -> const std::string* {
    return InRange(list, index) ? &list[static_cast<size_t>(index)] : nullptr;
  };
  if (location == kStockLocation) return entry(ctx.MazzoPiles, 0);
  if (location == kWasteLocation) return entry(ctx.MazzoPiles, 1);
  if (location >= 1 && location <= kMaxTableaus) return entry(ctx.FilaPiles, location - 1);
  if (location <= -1 && location >= -kMaxFoundations) {
    return entry(ctx.DestPiles, -location - 1);
  }
  if (location <= -21 && location >= -20 - kMaxReserves) {
    return entry(ctx.AppoggPiles, -location - 21);
  }
  return nullptr;
}

namespace {

bool IsTableauLocation(int loc) { return loc >= 1 && loc <= kMaxTableaus; }
bool IsReserveLocation(int loc) { return loc <= -21 && loc >= -20 - kMaxReserves; }

// First tableau pile (1-based) whose left edge lies within [left, left +
// width) and whose top lies above top, searching from `from` down to 1 or
// up from 1; 0 when none.
int OverlappingTableau(const GameContext& ctx, int left, int top, int from, bool downward) {
  int tableaus = ClampCount(ctx.GameRules.TableauCount(), kMaxTableaus);
  auto fits = [&](int n) {
    int x = ctx.TableauX[static_cast<size_t>(n - 1)];
    int y = ctx.TableauY[static_cast<size_t>(n - 1)];
    return Used(x, y) && x >= left && x < left + ctx.CardWidth && y < top;
  };
  if (downward) {
    for (int n = from; n >= 1; --n) {
      if (n <= tableaus && fits(n)) return n;
    }
  } else {
    for (int n = 1; n <= tableaus; ++n) {
      if (fits(n)) return n;
    }
  }
  return 0;
}

void RedrawAfterRemoval(GameContext& ctx, TablePort& port, int loc, const std::string& before) {
  const GameRulesRecord& rules = ctx.GameRules;
  const std::string* now = PileAtLocation(ctx, loc);
  const std::string after = now ? *now : std::string();
  if (loc == kStockLocation || loc == kWasteLocation || (loc <= -1 && loc >= -kMaxFoundations)) {
    port.DrawTopCard(loc);
    return;
  }
  if (IsReserveLocation(loc)) {
    port.EraseUncovered(loc, before, after);
    if (rules.SingleCardPick() == -11) {
      port.RedrawPile(loc);
      port.PresentTable();
      return;
    }
    port.DrawTopCard(loc);
    if (rules.ReserveLayout() == 3) {
      size_t r = static_cast<size_t>(-loc - 21);
      int above = OverlappingTableau(ctx, ctx.ReserveX[r], ctx.ReserveY[r], 0, false);
      if (above != 0) port.RedrawPile(above);
    }
    return;
  }
  if (!IsTableauLocation(loc)) return;
  int layout = rules.TableauLayout();
  if (layout == 4) {
    port.RepaintTable();
    return;
  }
  if (layout == 8) {
    // The last card of the row leaves the empty pile's place to draw.
    if (after.empty()) port.RedrawPile(loc);
    return;
  }
  port.EraseUncovered(loc, before, after);
  port.DrawTopCard(loc);
  size_t t = static_cast<size_t>(loc - 1);
  if (layout == 1) {
    int above = OverlappingTableau(ctx, ctx.TableauX[t], ctx.TableauY[t], loc - 1, true);
    if (above != 0) port.RedrawPile(above);
  } else if ((layout == 2 || layout == 6) && loc > 1) {
    port.RedrawPile(loc - 1);
    port.PresentTable();
  }
  if (ctx.Cfg(cfg::Piles_TT) != "N") port.InvalidatePileEdges(loc);
}

}  // namespace

void RemoveCardAndRedraw(GameContext& ctx, int card, bool remove) {
  const int loc = LocateCard(ctx, card);
  const std::string* source = PileAtLocation(ctx, loc);
  const std::string before = source ? *source : std::string();
  const int layout = ctx.GameRules.TableauLayout();
  if (remove) {
    if (layout == 8 && loc != 0 && ctx.Table) ctx.Table->RestoreCardCell(loc, card);
    if (layout == 4 && loc != kStockLocation && loc != kWasteLocation) {
      BlankCard(ctx, card);
    } else {
      TakeCard(ctx, card);
    }
  } else {
    // Lifting a run is defined for tableau piles and reserves only.
    if (!IsTableauLocation(loc) && !IsReserveLocation(loc)) return;
    std::string* pile = PileAtLocation(ctx, loc);
    size_t at = pile ? FindCode(*pile, card) : std::string::npos;
    if (at == std::string::npos) return;
    pile->resize(at);
  }
  if (ctx.Table && loc != 0) RedrawAfterRemoval(ctx, *ctx.Table, loc, before);
}

void RedrawWithoutCard(GameContext& ctx, int card, bool remove) {
  BackupPiles(ctx);
  RemoveCardAndRedraw(ctx, card, remove);
  RestorePiles(ctx);
}

}  // namespace tw
