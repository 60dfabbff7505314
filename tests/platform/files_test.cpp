#include "platform/sys/files.h"

#include <gtest/gtest.h>

#include "tests/platform/temp_dir.h"

namespace tw::sys {
namespace {

using tw::testing::TempDir;

// Turns the write-failure hook off again whatever the test does.
struct WriteFailureGuard {
  explicit WriteFailureGuard(int64_t after) { SetWriteFailureAfter(after); }
  ~WriteFailureGuard() { SetWriteFailureAfter(-1); }
};

TEST(FilesTest, ReadFileLinesSplitsCrLfAndBareLf) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\n\r\nb\n", {"a", "", "b"}},
      {"\r\n", {""}},
      {"x\ry\r\n", {"x\ry"}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    dir.Write("f.txt", c.bytes);
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadFileLines(dir.File("f.txt"), lines));
    EXPECT_EQ(lines, c.lines) << "bytes: " << c.bytes;
  }
  std::vector<std::string> lines{"stale"};
  EXPECT_FALSE(ReadFileLines(dir.File("missing.txt"), lines));
  EXPECT_TRUE(lines.empty());
}

TEST(FilesTest, NamesResolveBackslashesAndLetterCase) {
  TempDir dir;
  ASSERT_TRUE(MakeDirectory(dir.File("data")));
  dir.Write("data/cfg.dat", "x");
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(dir.Dir() + "DATA\\CFG.DAT", bytes));
  EXPECT_EQ(bytes, "x");
  EXPECT_TRUE(FileExists(dir.Dir() + "Data\\Cfg.Dat"));
  EXPECT_TRUE(DirectoryExists(dir.Dir() + "DATA"));
  EXPECT_FALSE(FileExists(dir.Dir() + "DATA"));
}

TEST(FilesTest, ReplaceFileLinesWritesCrLfAndLeavesNoTemporary) {
  TempDir dir;
  dir.Write("f.dat", "old contents");
  ASSERT_TRUE(ReplaceFileLines(dir.File("f.dat"), {"one", "", "two"}));
  EXPECT_EQ(dir.Read("f.dat"), "one\r\n\r\ntwo\r\n");
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f.dat"});
  // A new file is created too.
  ASSERT_TRUE(ReplaceFileBytes(dir.File("new.dat"), "n"));
  EXPECT_EQ(dir.Read("new.dat"), "n");
}

TEST(FilesTest, FailedReplaceKeepsOriginalAndRemovesTemporary) {
  TempDir dir;
  const std::string original(20000, 'o');
  dir.Write("f.dat", original);
  {
    WriteFailureGuard guard(100);
    ReplaceOutcome outcome;
    EXPECT_FALSE(ReplaceFileBytes(dir.File("f.dat"), std::string(30000, 'n'), "rpl", outcome));
    EXPECT_EQ(outcome.step, ReplaceOutcome::Step::Write);
    EXPECT_EQ(outcome.tempName.rfind(dir.Dir() + "rpl", 0), 0u) << outcome.tempName;
  }
  EXPECT_EQ(dir.Read("f.dat"), original);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f.dat"});

  // A rename that fails (a folder stands under the name) removes the temporary.
  ASSERT_TRUE(MakeDirectory(dir.File("sub")));
  dir.Write("sub/keep", "k");
  ReplaceOutcome outcome;
  EXPECT_FALSE(ReplaceFileBytes(dir.File("sub"), "x", "rpl", outcome));
  EXPECT_EQ(outcome.step, ReplaceOutcome::Step::Rename);
  EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"f.dat", "sub"}));
  EXPECT_EQ(dir.Read("sub/keep"), "k");

  // The folder is not created.
  EXPECT_FALSE(ReplaceFileBytes(dir.File("nodir/f.dat"), "x", "", outcome));
  EXPECT_EQ(outcome.step, ReplaceOutcome::Step::TempFile);
  EXPECT_FALSE(DirectoryExists(dir.File("nodir")));
}

TEST(FilesTest, SmallFileOperationsReportRealResults) {
  TempDir dir;
  const std::string f = dir.File("a.dat");
  EXPECT_FALSE(DeleteFile(f));
  EXPECT_TRUE(CreateEmptyFile(f));
  EXPECT_FALSE(CreateEmptyFile(f));
  EXPECT_TRUE(AppendLine(f, "one"));
  EXPECT_TRUE(AppendLine(dir.File("b.dat"), "two"));
  EXPECT_EQ(dir.Read("a.dat"), "one\r\n");
  EXPECT_EQ(dir.Read("b.dat"), "two\r\n");
  EXPECT_TRUE(RenameFile(f, dir.File("c.dat")));
  EXPECT_FALSE(FileExists(f));
  EXPECT_TRUE(DeleteFile(dir.File("c.dat")));
  EXPECT_TRUE(MakeDirectory(dir.File("sub")));
  EXPECT_TRUE(MakeDirectory(dir.File("sub")));

  std::string t1 = MakeTempFile(dir.Dir(), "rpl");
  std::string t2 = MakeTempFile(dir.Dir().substr(0, dir.Dir().size() - 1), "rpl");
  EXPECT_NE(t1, t2);
  EXPECT_EQ(t1.rfind(dir.Dir() + "rpl", 0), 0u);
  EXPECT_EQ(t2.rfind(dir.Dir() + "rpl", 0), 0u);
  EXPECT_TRUE(FileExists(t1));
  EXPECT_EQ(MakeTempFile(dir.File("nodir"), "rpl"), "");
}

TEST(FilesTest, RawFileReadsAndWritesAtOffsets) {
  TempDir dir;
  RawFile f;
  EXPECT_FALSE(f.Open(dir.File("x.dat"), RawFile::Mode::Read));
  ASSERT_TRUE(f.Create(dir.File("x.dat")));
  ASSERT_TRUE(f.Write("0123456789"));
  ASSERT_TRUE(f.Seek(3));
  ASSERT_TRUE(f.Write("abc"));
  EXPECT_EQ(f.Size(), 10);
  char buf[16] = {};
  ASSERT_TRUE(f.Seek(2));
  EXPECT_EQ(f.Read(buf, 16), 8);
  EXPECT_EQ(std::string(buf, 8), "2abc6789");
  f.Close();
  EXPECT_FALSE(f.IsOpen());

  RawFile r;
  ASSERT_TRUE(r.Open(dir.File("x.dat"), RawFile::Mode::Read));
  EXPECT_FALSE(r.Write("z"));
  RawFile moved(std::move(r));
  EXPECT_FALSE(r.IsOpen());
  EXPECT_TRUE(moved.IsOpen());

  ASSERT_TRUE(f.Open(dir.File("x.dat"), RawFile::Mode::ReadWrite));
  {
    WriteFailureGuard guard(4);
    EXPECT_TRUE(f.Write("ab"));
    EXPECT_FALSE(f.Write("cdef"));  // only "cd" gets through
    EXPECT_FALSE(f.Write("g"));
  }
  EXPECT_TRUE(f.Write("h"));
  f.Close();
  EXPECT_EQ(dir.Read("x.dat"), "abcdhc6789");
}

}  // namespace
}  // namespace tw::sys
