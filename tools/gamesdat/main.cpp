// gamesdat --out GAMES.DAT [--listing FILE] SOURCE...
// Encodes the games source as the games file; refuses a faulty source with
// one message per fault and writes nothing then.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/gamesdat/gamesdat.h"

namespace {

bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.flush();
    if (!out) return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  return !ec;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outPath, listingPath;
  std::vector<tw::gamesdat::SourceText> sources;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if ((a == "--out" || a == "--listing") && i + 1 < argc) {
      (a == "--out" ? outPath : listingPath) = argv[++i];
      continue;
    }
    std::ifstream in(a, std::ios::binary);
    if (!in) {
      std::cerr << "gamesdat: cannot read " << a << "\n";
      return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    sources.push_back({a, text.str()});
  }
  if (outPath.empty() || sources.empty()) {
    std::cerr << "usage: gamesdat --out GAMES.DAT [--listing FILE] SOURCE...\n";
    return 2;
  }
  std::vector<tw::gamesdat::Game> games;
  std::vector<std::string> errors;
  if (!tw::gamesdat::BuildCatalogue(sources, games, errors)) {
    for (const std::string& e : errors) std::cerr << e << "\n";
    std::cerr << "gamesdat: " << errors.size() << " fault(s); GAMES.DAT not written\n";
    return 1;
  }
  std::string bytes;
  for (const std::string& line : tw::gamesdat::EncodeGamesDat(games)) bytes += line + "\r\n";
  if (!WriteWhole(outPath, bytes)) {
    std::cerr << "gamesdat: cannot write " << outPath << "\n";
    return 1;
  }
  if (!listingPath.empty() && !WriteWhole(listingPath, tw::gamesdat::ListingText(games))) {
    std::cerr << "gamesdat: cannot write " << listingPath << "\n";
    return 1;
  }
  return 0;
}
