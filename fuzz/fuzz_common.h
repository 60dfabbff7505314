// What every fuzz target shares: a scratch program directory of its own,
// byte-exact file reads and writes, quiet surroundings that count messages,
// and a context for play over a fixed games file.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/state.h"
#include "engine/ports.h"
#include "engine/random_player.h"
#include "platform/sys/services.h"

namespace tw::fuzz {

// A property of the loader does not hold: report it and stop, so libFuzzer
// keeps the input.
#define FUZZ_CHECK(cond)                                                                \
  do {                                                                                  \
    if (!(cond)) {                                                                      \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                     \
    }                                                                                   \
  } while (0)

// The scratch program directory (with "/" at the end), removed at exit.
inline const std::string& ScratchDir() {
  struct Dir {
    std::string path;
    Dir() {
      // Files are written and synced for every input: memory is fastest.
      const char* tmp = std::getenv("TW_FUZZ_TMP");
      std::string pattern = std::string(tmp && *tmp ? tmp : std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") + "/tw_fuzz_XXXXXX";
      if (!mkdtemp(pattern.data())) std::abort();
      path = pattern + "/";
      std::filesystem::create_directory(path + "DATA");
    }
    ~Dir() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static Dir dir;
  return dir.path;
}

inline void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  WriteBytes(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Empty for a missing file.
inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file of the folder (not below it) by name, with its bytes.
inline std::map<std::string, std::string> FolderFiles(const std::string& folder) {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.is_regular_file()) files[e.path().filename().string()] = ReadBytes(e.path().string());
  return files;
}

inline void RemoveFolderFiles(const std::string& folder) {
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder, ec))
    if (e.is_regular_file()) std::filesystem::remove(e.path(), ec);
}

// Counts messages; answers every question with `answer`.
class QuietUi : public sys::UiHooks {
 public:
  int messages = 0;
  bool answer = true;
  std::string last;
  void ShowMessage(const std::string& text) override {
    ++messages;
    last = text;
  }
  bool AskYesNo(const std::string&) override { return answer; }
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
};

class NullFlow : public GameFlowPort {
 public:
  void GameOver(GameContext&) override {}
};

// A fixed clock (whose ticks run a second per reading, so no wait lasts)
// and a fixed chance, so a run replays exactly.
class FixedClock : public sys::Clock {
 public:
  uint64_t ticks = 0;
  uint64_t TickMs() override { return ticks += 1000; }
  sys::LocalDateTime Now() override { return {2026, 1, 2, 3, 4, 5}; }
};

class FixedRandom : public sys::RandomSource {
 public:
  uint64_t state = 1;
  int32_t Next(int32_t range) override {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return range > 0 ? static_cast<int32_t>((state >> 33) % static_cast<uint64_t>(range)) : 0;
  }
  void Seed(uint64_t seed) override { state = seed; }
};

// The seed games file that the targets over other files play on.
inline std::string SeedGamesFile() { return std::string(TW_FUZZ_DIR) + "/corpus/gamesdat/games.dat"; }

// A context on the scratch directory, set up for headless play.
struct Table {
  GameContext ctx;
  QuietUi ui;
  FixedClock clock;
  FixedRandom random;
  DirectDrop drop;
  NullFlow flow;
  EnginePorts ports;

  Table() {
    ports.Drop = &drop;
    ports.Flow = &flow;
    CreateSharedGlobals(ctx, ScratchDir());
    InitCardsAndPiles(ctx);
    ctx.Ui = &ui;
    ctx.Clock = &clock;
    ctx.Random = &random;
    ctx.Ports = &ports;
    ctx.SetCfg(cfg::ScoreKind, "01");
    ctx.SetCfg(cfg::Undo_Enabled, "0");
    ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
    ctx.SetCfg(cfg::UserDefault, "Player 1");
  }

  // Puts the seed games file in place and reads its catalogue.
  void LoadSeedGames() {
    WriteBytes(ScratchDir() + kGamesFileName, ReadBytes(SeedGamesFile()));
    std::string error;
    if (!LoadGameCatalogue(ctx, error)) std::abort();
  }

  // How many times each card lies on the table (holes count as card 0).
  std::map<int, int> Tally() const {
    std::map<int, int> tally;
    for (const StringList* list :
         {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles})
      for (const std::string& pile : *list)
        for (int k = 0; k < PileCardCount(pile); ++k) ++tally[PileCardAt(pile, k)];
    return tally;
  }
};

}  // namespace tw::fuzz
