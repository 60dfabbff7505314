#include "engine/demo_source.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/autoplay.h"

namespace tw {

namespace {

constexpr const char* kRanks = "A23456789TJQK";
constexpr const char* kSuits = "HDCS";

bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.rfind(prefix, 0) == 0;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool ValidTarget(const std::string& target) {
  if (target == "Waste") return true;
  for (const char* prefix : {"Dest", "Fila", "Appogg"}) {
    if (StartsWith(target, prefix)) {
      const std::string digits = target.substr(std::string(prefix).size());
      return !digits.empty() && digits.size() <= 2 && IsAllDigits(digits) && std::stoi(digits) > 0;
    }
  }
  return false;
}

bool SameDrop(const PlayerMove& a, const PlayerMove& b) {
  return a.card == b.card && a.target == b.target && a.lifted == b.lifted;
}

}  // namespace

std::string DemoCardName(int code) {
  if (code < 1 || code > 104) return "";
  std::string name{kRanks[CardRank(code) - 1], kSuits[CardSuit(code)]};
  if (code > 52) name += '2';
  return name;
}

int DemoCardCode(const std::string& name) {
  if (name.size() != 2 && !(name.size() == 3 && name[2] == '2')) return 0;
  const char* rank = std::strchr(kRanks, name[0]);
  const char* suit = std::strchr(kSuits, name[1]);
  if (!rank || !suit || name[0] == '\0' || name[1] == '\0') return 0;
  const int code = static_cast<int>(suit - kSuits) * 13 + static_cast<int>(rank - kRanks) + 1;
  return name.size() == 3 ? code + 52 : code;
}

std::string FormatDemoMove(const DemoMove& move) {
  switch (move.kind) {
    case DemoMove::Kind::Stock:
      return "stock";
    case DemoMove::Kind::Select: {
      std::string text = "select";
      for (int c : move.cards) text += " " + DemoCardName(c);
      return text;
    }
    case DemoMove::Kind::Drop:
      break;
  }
  std::string text = DemoCardName(move.drop.card) + " " + move.drop.target;
  if (move.drop.lifted > 1) text += " x" + std::to_string(move.drop.lifted);
  return text;
}

bool ParseDemoMove(const std::string& text, DemoMove& move) {
  const std::vector<std::string> words = Words(text);
  move = DemoMove{};
  if (words.empty()) return false;
  if (words[0] == "stock") return words.size() == 1;
  if (words[0] == "select") {
    move.kind = DemoMove::Kind::Select;
    for (size_t k = 1; k < words.size(); ++k) {
      const int code = DemoCardCode(words[k]);
      if (code == 0) return false;
      move.cards.push_back(code);
    }
    return !move.cards.empty();
  }
  if (words.size() < 2 || words.size() > 3) return false;
  move.kind = DemoMove::Kind::Drop;
  move.drop.card = DemoCardCode(words[0]);
  move.drop.target = words[1];
  if (move.drop.card == 0 || !ValidTarget(move.drop.target)) return false;
  if (words.size() == 3) {
    const std::string& run = words[2];
    if (run.size() < 2 || run.size() > 4 || run[0] != 'x' || !IsAllDigits(run.substr(1))) {
      return false;
    }
    move.drop.lifted = std::stoi(run.substr(1));
    if (move.drop.lifted < 2) return false;
  }
  return true;
}

StringList FormatDemoSource(const DemoSource& source) {
  StringList lines;
  for (const std::string& note : source.notes) lines.push_back("# " + note);
  lines.push_back("game " + std::to_string(source.game));
  lines.push_back("deal " + source.deal);
  for (const DemoMove& move : source.moves) lines.push_back(FormatDemoMove(move));
  return lines;
}

bool ParseDemoSource(const StringList& lines, DemoSource& source, std::string& error) {
  source = DemoSource{};
  error.clear();
  for (size_t n = 0; n < lines.size(); ++n) {
    std::string line = lines[n];
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
    const std::string where = "line " + std::to_string(n + 1) + " (" + line + ")";
    if (line.empty()) continue;
    if (line[0] == '#') {
      source.notes.push_back(line.size() > 2 && line[1] == ' ' ? line.substr(2) : line.substr(1));
      continue;
    }
    const std::vector<std::string> words = Words(line);
    if (source.game < 0) {
      if (words.size() != 2 || words[0] != "game" || !IsAllDigits(words[1]) ||
          words[1].size() > 4) {
        error = where + ": \"game\" and the game number expected";
        return false;
      }
      source.game = std::stoi(words[1]);
      continue;
    }
    if (source.deal.empty()) {
      if (words.size() != 2 || words[0] != "deal" || !IsAllDigits(words[1]) ||
          words[1].size() > 13) {
        error = where + ": \"deal\" and a deal number of up to 13 digits expected";
        return false;
      }
      source.deal = words[1];
      continue;
    }
    DemoMove move;
    if (!ParseDemoMove(line, move)) {
      error = where + ": not a move";
      return false;
    }
    source.moves.push_back(move);
  }
  if (source.game < 0 || source.deal.empty()) {
    error = "the game or the deal number is missing";
    return false;
  }
  return true;
}

HeadlessPlay::HeadlessPlay(const std::string& programDir) {
  ports_.Drop = &drop_;
  ports_.Flow = &flow_;
  CreateSharedGlobals(ctx, programDir);
  InitCardsAndPiles(ctx);
  ctx.Ports = &ports_;
  ctx.SetCfg(cfg::ScoreKind, "01");
  ctx.SetCfg(cfg::Undo_Enabled, "0");
  ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
  ctx.SetCfg(cfg::UserDefault, "Demo");
  ctx.TfrmMain.AutoPlayOn = 0;
  ready = LoadGameCatalogue(ctx, error);
}

std::vector<DemoMove> DemoCandidates(GameContext& ctx) {
  std::vector<DemoMove> moves;
  if (IsSelectionGame(ctx)) {
    for (std::vector<int>& cards : CompleteSelections(ctx)) {
      DemoMove m;
      m.kind = DemoMove::Kind::Select;
      m.cards = std::move(cards);
      moves.push_back(std::move(m));
    }
  } else {
    for (PlayerMove& drop : LegalDrops(ctx)) {
      DemoMove m;
      m.kind = DemoMove::Kind::Drop;
      m.drop = std::move(drop);
      moves.push_back(std::move(m));
    }
  }
  moves.push_back(DemoMove{});
  return moves;
}

bool ApplyDemoMove(GameContext& ctx, const DemoMove& move) {
  switch (move.kind) {
    case DemoMove::Kind::Stock:
      return ClickStock(ctx);
    case DemoMove::Kind::Select: {
      if (!IsSelectionGame(ctx)) return false;
      // The cards must be ones the player may take together, and their
      // clicks in the recorded order must make the move.
      std::vector<int> cards = move.cards;
      std::sort(cards.begin(), cards.end());
      const bool offered = std::ranges::any_of(CompleteSelections(ctx), [&](std::vector<int> s) {
        std::sort(s.begin(), s.end());
        return s == cards;
      });
      return offered && MakeSelection(ctx, move.cards);
    }
    case DemoMove::Kind::Drop:
      break;
  }
  if (IsSelectionGame(ctx)) return false;
  const std::vector<PlayerMove> legal = LegalDrops(ctx);
  const bool allowed = std::any_of(legal.begin(), legal.end(),
                                   [&](const PlayerMove& m) { return SameDrop(m, move.drop); });
  return allowed && MakeDrop(ctx, move.drop);
}

bool ReplayDemo(GameContext& ctx, const DemoSource& source, std::string& error) {
  error.clear();
  const std::string game = "game " + std::to_string(source.game);
  if (GameNameFromNumber(ctx, source.game).empty()) {
    error = game + ": no such game in the games file";
    return false;
  }
  ctx.SetCfg(cfg::Game, std::to_string(source.game));
  if (!StartDealForPlay(ctx, source.deal)) {
    error = game + ": deal " + source.deal + " cannot be dealt";
    return false;
  }
  for (size_t k = 0; k < source.moves.size(); ++k) {
    const std::string where =
        game + ", move " + std::to_string(k + 1) + " (" + FormatDemoMove(source.moves[k]) + ")";
    if (IsGameWon(ctx)) {
      error = where + ": the game is already won";
      return false;
    }
    if (!ApplyDemoMove(ctx, source.moves[k])) {
      error = where + ": not allowed";
      return false;
    }
  }
  if (!IsGameWon(ctx)) {
    error = game + ": the moves of deal " + source.deal + " do not win it";
    return false;
  }
  return true;
}

std::string DemoFileName(int game) { return "G" + IntToStrPad(game, 4) + ".GAM"; }

}  // namespace tw
