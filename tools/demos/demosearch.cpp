// demosearch: finds a won deal of a game by searching through the engine's
// own moves and writes it as a demonstration source, or reports how many of
// a run of deals the search wins. See data/demos/README.md.
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/demo_source.h"
#include "platform/sys/files.h"
#include "tools/demos/search.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

// Deal numbers of 13 digits, as the program draws them: the low numbers
// deal decks in a visible order.
constexpr uint64_t kFirstDeal = 2026121000001;

struct Options {
  std::string dist;
  std::string out = std::string(TW_SOURCE_DIR) + "/data/demos";
  std::vector<std::string> games;  // numbers or "all"
  bool missingOnly = false;
  std::string deal;               // one deal, picked by hand
  uint64_t first = kFirstDeal;    // first deal number tried
  int deals = 500;                // deal numbers tried per game
  int rate = 0;                   // win rate over this many deals; nothing written
  double seconds = 120;           // per game
  demos::SearchLimits limits;
  std::string note;
  bool verbose = false;
};

void Usage() {
  std::cerr
      << "usage: demosearch --game N[,N...]|all [options]\n"
         "  --deal D        try this deal only (a deal picked by hand)\n"
         "  --first D       first deal number tried (2026121000001)\n"
         "  --deals K       deal numbers tried per game (500)\n"
         "  --seconds S     time budget per game (120)\n"
         "  --nodes N       moves tried per deal (200000)\n"
         "  --max-moves M   longest move list (300)\n"
         "  --rounds R      searches sharing a deal's budget, each ordering moves anew (4)\n"
         "  --rate K        report the share of K deals won from --first; writes nothing\n"
         "  --missing       with --game all: only games without a source\n"
         "  --note TEXT     a note for the source (why this deal was chosen)\n"
         "  --out DIR       where sources go (data/demos)\n"
         "  --dist DIR      the program directory with GAMES.DAT (build/dist)\n"
         "  -v              one line per deal\n";
}

std::string DefaultDist() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return (exe.parent_path().parent_path() / "dist").string();
}

bool ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::runtime_error(a + " needs a value");
      return argv[++i];
    };
    if (a == "--game") {
      std::string list = value();
      size_t at = 0;
      while (at <= list.size()) {
        const size_t comma = list.find(',', at);
        o.games.push_back(list.substr(at, comma == std::string::npos ? comma : comma - at));
        if (comma == std::string::npos) break;
        at = comma + 1;
      }
    } else if (a == "--deal") {
      o.deal = value();
    } else if (a == "--first") {
      o.first = std::stoull(value());
    } else if (a == "--deals") {
      o.deals = std::stoi(value());
    } else if (a == "--seconds") {
      o.seconds = std::stod(value());
    } else if (a == "--nodes") {
      o.limits.nodes = std::stoll(value());
    } else if (a == "--rounds") {
      o.limits.rounds = std::stoi(value());
    } else if (a == "--max-moves") {
      o.limits.maxMoves = std::stoi(value());
    } else if (a == "--rate") {
      o.rate = std::stoi(value());
    } else if (a == "--missing") {
      o.missingOnly = true;
    } else if (a == "--note") {
      o.note = value();
    } else if (a == "--out") {
      o.out = value();
    } else if (a == "--dist") {
      o.dist = value();
    } else if (a == "-v") {
      o.verbose = true;
    } else {
      std::cerr << "demosearch: unknown option " << a << "\n";
      return false;
    }
  }
  if (o.dist.empty()) o.dist = DefaultDist();
  return !o.games.empty();
}

std::string Slug(const std::string& name) {
  std::string slug;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (std::isalnum(u)) {
      slug += static_cast<char>(std::tolower(u));
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

// Sources of the game already in dir ("0042-....demo").
std::vector<fs::path> SourcesOf(const std::string& dir, int game) {
  std::vector<fs::path> found;
  std::error_code ec;
  const std::string prefix = IntToStrPad(game, 4) + "-";
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".demo") {
      found.push_back(entry.path());
    }
  }
  return found;
}

bool WriteSource(const Options& o, const DemoSource& source, const std::string& name) {
  for (const fs::path& old : SourcesOf(o.out, source.game)) fs::remove(old);
  const std::string path =
      o.out + "/" + IntToStrPad(source.game, 4) + "-" + Slug(name) + ".demo";
  StringList lines = FormatDemoSource(source);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  if (!sys::ReplaceFileBytes(path, text)) {
    std::cerr << "demosearch: cannot write " << path << "\n";
    return false;
  }
  std::cout << "  wrote " << path << "\n";
  return true;
}

// Searches deals until one is won; writes its source. False when none was.
bool FindDemo(HeadlessPlay& play, const Options& o, int game, const std::string& name) {
  using Clock = std::chrono::steady_clock;
  demos::SearchLimits limits = o.limits;
  limits.deadline = Clock::now() + std::chrono::milliseconds(static_cast<int64_t>(o.seconds * 1000));
  const bool byHand = !o.deal.empty();
  const int tries = byHand ? 1 : o.deals;
  int64_t nodes = 0;
  for (int k = 0; k < tries && Clock::now() < limits.deadline; ++k) {
    const std::string deal = byHand ? o.deal : std::to_string(o.first + static_cast<uint64_t>(k));
    const demos::SearchResult r = demos::SearchDeal(play.ctx, deal, limits);
    nodes += r.nodes;
    if (o.verbose) {
      std::cout << "  deal " << deal << ": " << (r.won ? "won" : "not won") << ", " << r.nodes
                << " nodes\n";
    }
    if (!r.won) continue;
    DemoSource source;
    source.game = game;
    source.deal = deal;
    source.moves = r.moves;
    source.notes.push_back(name + ": deal " + deal + " won in " + std::to_string(r.moves.size()) +
                           " moves, found by tools/demos/demosearch (" + std::to_string(r.nodes) +
                           " moves tried).");
    if (byHand) source.notes.push_back("The deal was picked by hand.");
    if (!o.note.empty()) source.notes.push_back(o.note);
    std::cout << "game " << game << " " << name << ": deal " << deal << " won in "
              << r.moves.size() << " moves\n";
    return WriteSource(o, source, name);
  }
  std::cout << "game " << game << " " << name << ": no deal won (" << nodes
            << " moves tried)\n";
  return false;
}

void WinRate(HeadlessPlay& play, const Options& o, int game, const std::string& name) {
  int won = 0;
  int64_t nodes = 0, moves = 0;
  for (int k = 0; k < o.rate; ++k) {
    const std::string deal = std::to_string(o.first + static_cast<uint64_t>(k));
    demos::SearchLimits limits = o.limits;
    const demos::SearchResult r = demos::SearchDeal(play.ctx, deal, limits);
    nodes += r.nodes;
    if (r.won) {
      ++won;
      moves += static_cast<int64_t>(r.moves.size());
    }
    if (o.verbose) {
      std::cout << "  deal " << deal << ": " << (r.won ? "won" : "not won") << ", " << r.nodes
                << " nodes\n";
    }
  }
  char line[256];
  std::snprintf(line, sizeof line, "game %d %s: %d of %d deals won (%.0f%%), %lld nodes per deal",
                game, name.c_str(), won, o.rate, o.rate ? 100.0 * won / o.rate : 0.0,
                static_cast<long long>(o.rate ? nodes / o.rate : 0));
  std::cout << line;
  if (won) std::cout << ", " << moves / won << " moves per win";
  std::cout << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::cout << std::unitbuf;  // progress shows as it is made
  Options o;
  try {
    if (!ParseArgs(argc, argv, o)) {
      Usage();
      return 2;
    }
  } catch (const std::exception& e) {
    std::cerr << "demosearch: " << e.what() << "\n";
    Usage();
    return 2;
  }
  HeadlessPlay play(o.dist + "/");
  if (!play.ready) {
    std::cerr << "demosearch: cannot read " << o.dist << "/" << kGamesFileName << ": "
              << play.error << "\n";
    return 1;
  }
  std::vector<int> games;
  for (const std::string& g : o.games) {
    if (g == "all") {
      for (const std::string& line : play.ctx.GameList) games.push_back(CatalogueNumber(line));
    } else if (!g.empty() && IsAllDigits(g)) {
      games.push_back(std::stoi(g));
    } else {
      std::cerr << "demosearch: not a game number: " << g << "\n";
      return 2;
    }
  }
  int failed = 0;
  for (int game : games) {
    const std::string name = GameNameFromNumber(play.ctx, game);
    if (name.empty()) {
      std::cerr << "demosearch: no game " << game << " in the games file\n";
      ++failed;
      continue;
    }
    play.ctx.SetCfg(cfg::Game, std::to_string(game));
    if (o.rate > 0) {
      WinRate(play, o, game, name);
    } else if (!(o.missingOnly && !SourcesOf(o.out, game).empty())) {
      if (!FindDemo(play, o, game, name)) ++failed;
    }
  }
  return failed ? 1 : 0;
}
