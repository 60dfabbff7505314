// tw_seal IN OUT: checks a binary resource file written by rcc (uncompressed)
// and writes it to OUT with its seal; refuses, writing nothing, a file the
// program would refuse.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/gfx/resource_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tw_seal IN OUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string problem =
      in.is_open() ? tw::gfx::CheckResourceStructure(data) : std::string("cannot be read");
  if (!problem.empty()) {
    std::fprintf(stderr, "tw_seal: %s: %s\n", argv[1], problem.c_str());
    return 1;
  }
  const std::string temp = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << tw::gfx::SealResource(data);
    if (!out.flush()) {
      std::fprintf(stderr, "tw_seal: %s cannot be written\n", temp.c_str());
      return 1;
    }
  }
  return std::rename(temp.c_str(), argv[2]) == 0 ? 0 : 1;
}
