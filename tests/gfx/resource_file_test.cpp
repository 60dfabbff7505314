#include "platform/gfx/resource_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/gfx/reslib.h"
#include "platform/sys/files.h"
#include "tests/platform/temp_dir.h"

namespace tw::gfx {
namespace {

uint32_t Be32(const std::string& d, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(d[at]) << 24 | static_cast<uint8_t>(d[at + 1]) << 16 |
                               static_cast<uint8_t>(d[at + 2]) << 8 | static_cast<uint8_t>(d[at + 3]));
}

void PutBe32(std::string& d, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) d[at + static_cast<size_t>(i)] = static_cast<char>(v >> (24 - 8 * i));
}

// The shipped library without its seal, and where its tree starts.
class ResourceFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string file;
    if (!sys::ReadFileBytes(std::string(TW_DIST_DIR) + "/QEX.RGF", file)) GTEST_SKIP();
    data = file.substr(0, file.size() - kResourceSealSize);
    ASSERT_EQ(SealResource(data), file);
    tree = Be32(data, 8);
  }
  // Index of the first file (not folder) node.
  size_t FirstFileNode() const {
    size_t i = 1;
    while (data[tree + i * 22 + 5] & 0x02) ++i;
    return i;
  }
  bool Opens(const std::string& bytes) {
    dir.Write("QEX.RGF", bytes);
    ResourceLibrary library;
    const bool open = library.Open(dir.File("QEX.RGF"));
    EXPECT_EQ(open, library.IsOpen());
    if (open) {
      // Whatever opens holds pictures that load.
      for (const std::string& name : library.Names()) library.LoadBitmap(name);
    } else {
      EXPECT_TRUE(library.LoadBitmap("WB004").Empty());
    }
    return open;
  }

  std::string data;
  size_t tree = 0;
  testing::TempDir dir;
};

TEST_F(ResourceFileTest, DamagedLibrariesAreRefusedBeforeQtSeesThem) {
  ASSERT_TRUE(Opens(SealResource(data)));
  const std::string sealed = SealResource(data);
  using Edit = std::function<void(std::string&)>;
  const struct {
    const char* fault;
    bool reseal;  // the seal made right again: only the structure check can tell
    Edit edit;
  } cases[] = {
      {"empty file", false, [](std::string& d) { d.clear(); }},
      {"cut short", false, [](std::string& d) { d.resize(d.size() / 2); }},
      {"no seal", false, [&](std::string& d) { d = data; }},
      {"four bytes changed in the tree", false,
       [&](std::string& d) { PutBe32(d, tree + 30, Be32(d, tree + 30) ^ 0x01020304); }},
      {"tree beyond the end", true, [](std::string& d) { PutBe32(d, 8, 0xfffffff0); }},
      {"root folder lists itself", true, [&](std::string& d) { PutBe32(d, tree + 10, 0); }},
      {"child count far too large", true, [&](std::string& d) { PutBe32(d, tree + 6, 0x7fffffff); }},
      {"name hash wrong", true,
       [&](std::string& d) {
         const size_t name = Be32(d, 16) + Be32(d, tree + 22);
         PutBe32(d, name + 2, Be32(d, name + 2) ^ 1);
       }},
      {"compressed entry", true,
       [&](std::string& d) { d[tree + FirstFileNode() * 22 + 5] = 0x01; }},
      {"data longer than the file", true,
       [&](std::string& d) {
         const size_t block = Be32(d, 12) + Be32(d, tree + FirstFileNode() * 22 + 10);
         PutBe32(d, block, 0x7ffffff0);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    std::string bytes = c.reseal ? data : sealed;
    c.edit(bytes);
    if (c.reseal) {
      EXPECT_FALSE(CheckResourceStructure(bytes).empty());
      bytes = SealResource(bytes);
    }
    std::string_view inner;
    EXPECT_FALSE(CheckSealedResource(bytes, inner).empty());
    EXPECT_FALSE(Opens(bytes));
  }
}

// Damage in the tree, sealed again so that the checksum does not catch it:
// each library either is refused or opens and loads every picture it names.
TEST_F(ResourceFileTest, RandomDamageInTheTreeNeverReachesQtUnchecked) {
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u; };
  int refused = 0;
  for (int trial = 0; trial < 40; ++trial) {
    std::string bytes = data;
    for (int k = 0; k < 4; ++k) bytes[tree + next() % (bytes.size() - tree)] ^= static_cast<char>(next() | 1);
    refused += !Opens(SealResource(bytes));
  }
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace tw::gfx
