// demobuild: replays a demonstration source through the engine and saves the
// won deal with its whole history as the game's demonstration game. A source
// that no longer wins fails, naming the game and the move.
#include <filesystem>
#include <iostream>
#include <string>

#include "core/gamesfile.h"
#include "core/util.h"
#include "engine/demo_source.h"
#include "engine/savegame.h"
#include "platform/sys/files.h"

using namespace tw;

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: demobuild DIST_DIR SOURCE OUTPUT.GAM\n";
    return 2;
  }
  const std::string dist = argv[1], sourcePath = argv[2], outPath = argv[3];
  const std::string fail = "demobuild: " + sourcePath + ": ";
  HeadlessPlay play(dist + "/");
  if (!play.ready) {
    std::cerr << fail << "cannot read the games file: " << play.error << "\n";
    return 1;
  }
  StringList lines;
  DemoSource source;
  std::string error;
  if (!sys::ReadFileLines(sourcePath, lines)) {
    std::cerr << fail << "cannot read the file\n";
    return 1;
  }
  if (!ParseDemoSource(lines, source, error)) {
    std::cerr << fail << error << "\n";
    return 1;
  }
  const std::string expected = DemoFileName(source.game);
  if (std::filesystem::path(outPath).filename().string() != expected) {
    std::cerr << fail << "holds game " << source.game << ", which makes " << expected << "\n";
    return 1;
  }
  if (!ReplayDemo(play.ctx, source, error)) {
    std::cerr << fail << error << "\n";
    return 1;
  }
  StringList saved;
  BuildSavedGameLines(play.ctx, saved);
  SavedGame check;
  if (!ParseSavedGame(play.ctx, saved, check, error)) {
    std::cerr << fail << "the saved game would not open again: " << error << "\n";
    return 1;
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(outPath).parent_path(), ec);
  if (!sys::ReplaceFileLines(outPath, saved)) {
    std::cerr << fail << "cannot write " << outPath << "\n";
    return 1;
  }
  return 0;
}
