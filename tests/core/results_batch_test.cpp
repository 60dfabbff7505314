// Several results files rewritten as one, and the log append that a failed
// write takes back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <filesystem>

#include "core/stats.h"
#include "core/textfile.h"
#include "tests/core/results_fixture.h"

namespace tw {
namespace {

using ResultsBatchTest = testing::ResultsTest;

size_t DataEntries(const testing::TempDir& dir) {
  std::filesystem::directory_iterator data(dir.File("DATA"));
  return static_cast<size_t>(std::distance(begin(data), end(data)));
}

TEST_F(ResultsBatchTest, NothingIsReplacedUnlessEveryFileWasWrittenWhole) {
  Write("A.DAT", "old a\r\n");
  Write("B.DAT", "old b\r\n");
  std::filesystem::permissions(dir.File("DATA/A.DAT"), std::filesystem::perms(0640));
  {
    sys::FileBatch batch;
    EXPECT_TRUE(batch.Stage(dir.File("DATA/A.DAT"), {"new a"}));
    sys::SetWriteFailureAfter(3);
    EXPECT_FALSE(batch.Stage(dir.File("DATA/B.DAT"), {"new b"}));
    sys::SetWriteFailureAfter(-1);
    EXPECT_TRUE(batch.Failed());
    EXPECT_EQ(batch.FailedPath(), dir.File("DATA/B.DAT"));
    EXPECT_FALSE(batch.Commit());
  }
  EXPECT_EQ(Read("A.DAT"), "old a\r\n");
  EXPECT_EQ(Read("B.DAT"), "old b\r\n");
  EXPECT_EQ(DataEntries(dir), 2u);

  {
    sys::FileBatch batch;
    EXPECT_TRUE(batch.Stage(dir.File("DATA/A.DAT"), {"first"}));
    EXPECT_TRUE(batch.Stage(dir.File("DATA/B.DAT"), {"new b", ""}));
    EXPECT_TRUE(batch.Stage(dir.File("DATA/A.DAT"), {"new a"}));  // the later one wins
    EXPECT_EQ(Read("A.DAT"), "old a\r\n");
    EXPECT_TRUE(batch.Commit());
  }
  EXPECT_EQ(Read("A.DAT"), "new a\r\n");
  EXPECT_EQ(Read("B.DAT"), "new b\r\n\r\n");
  EXPECT_EQ(std::filesystem::status(dir.File("DATA/A.DAT")).permissions(),
            std::filesystem::perms(0640));
  EXPECT_EQ(DataEntries(dir), 2u);

  {
    sys::FileBatch dropped;  // never committed: its temporary files go
    EXPECT_TRUE(dropped.Stage(dir.File("DATA/A.DAT"), {"lost"}));
  }
  EXPECT_EQ(Read("A.DAT"), "new a\r\n");
  EXPECT_EQ(DataEntries(dir), 2u);
}

// A rename that fails at the commit puts back every file already replaced
// or deleted, and takes away a new one.
TEST_F(ResultsBatchTest, AFailedRenamePutsBackWhatWasReplaced) {
  Write("A.DAT", "old a\r\n");
  Write("C.DAT", "old c\r\n");
  for (int renames : {0, 1}) {
    sys::FileBatch batch;
    ASSERT_TRUE(batch.Stage(dir.File("DATA/A.DAT"), {"new a"}));
    batch.StageDelete(dir.File("DATA/C.DAT"));
    ASSERT_TRUE(batch.Stage(dir.File("DATA/D.DAT"), {"new d"}));
    sys::SetFailurePoints({-1, -1, renames});
    EXPECT_FALSE(batch.Commit()) << renames;
    sys::SetFailurePoints({});
    EXPECT_EQ(Read("A.DAT"), "old a\r\n") << renames;
    EXPECT_EQ(Read("C.DAT"), "old c\r\n") << renames;
    EXPECT_FALSE(Exists("D.DAT")) << renames;
    EXPECT_EQ(DataEntries(dir), 2u) << renames;
  }
  sys::FileBatch batch;
  batch.StageDelete(dir.File("DATA/C.DAT"));
  EXPECT_TRUE(batch.Commit());
  EXPECT_FALSE(Exists("C.DAT"));
}

// A commit whose second rename fails puts the first file back; killed at
// any step of that, too, the next start leaves all before or all after.
TEST_F(ResultsBatchTest, AKillWhileAFailedCommitPutsFilesBackIsUndoneAtTheNextStart) {
  auto files = [&] {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir.File("DATA"))) {
      out.push_back(e.path().filename().string() + "=" +
                    (Exists(e.path().filename().string()) ? Read(e.path().filename().string())
                                                          : std::string()));
    }
    std::sort(out.begin(), out.end());
    return out;
  };
  auto change = [&](int killAt) {
    sys::FileBatch batch;
    batch.Stage(dir.File("DATA/A.DAT"), {"new a"});
    batch.StageAppend(dir.File("DATA/LOG.DAT"), "line 2\r\n");
    batch.Stage(dir.File("DATA/B.DAT"), {"new b"});
    sys::SetFailurePoints({-1, -1, 1, killAt});
    batch.Commit();
    sys::SetFailurePoints({});
  };
  auto reset = [&] {
    for (const auto& e : std::filesystem::directory_iterator(dir.File("DATA"))) {
      std::filesystem::remove(e.path());
    }
    Write("A.DAT", "old a\r\n");
    Write("B.DAT", "old b\r\n");
    Write("LOG.DAT", "line 1\r\n");
  };
  reset();
  const std::vector<std::string> before = files();
  change(-1);
  EXPECT_EQ(files(), before) << "the failed commit put everything back";
  const std::vector<std::string> after = {"A.DAT=new a\r\n", "B.DAT=new b\r\n",
                                          "LOG.DAT=line 1\r\nline 2\r\n"};
  // Killed before the rename fails, the complete record is finished; killed
  // while the files are put back, the change is undone.
  int finished = 0, undone = 0;
  for (int n = 0; n < 40; ++n) {
    reset();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      change(n);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const bool killed = WIFSIGNALED(status);
    EXPECT_FALSE(sys::RecoverFileBatches(dir.File("DATA")).failed) << n;
    const std::vector<std::string> now = files();
    if (now == after) {
      ++finished;
    } else {
      EXPECT_EQ(now, before) << "killed at step " << n;
      ++undone;
    }
    if (!killed) break;
  }
  EXPECT_GT(finished, 0);
  EXPECT_GT(undone, 1);
}

TEST_F(ResultsBatchTest, AFailedLogAppendIsTakenBack) {
  ASSERT_TRUE(AppendStatLog(ctx, true, 61, "20261210", "09:05:07"));
  const std::string before = Read("STAT_LOG.DAT");
  for (int64_t budget : {0, 1, 100, 148}) {
    sys::SetWriteFailureAfter(budget);
    EXPECT_FALSE(AppendStatLog(ctx, false, 62, "20261210", "09:06:07"));
    sys::SetWriteFailureAfter(-1);
    EXPECT_EQ(Read("STAT_LOG.DAT"), before) << budget;
  }
  // A log that did not exist is not left behind empty.
  std::filesystem::remove(dir.File("DATA/STAT_LOG.DAT"));
  sys::SetWriteFailureAfter(50);
  EXPECT_FALSE(AppendStatLog(ctx, false, 62, "20261210", "09:06:07"));
  sys::SetWriteFailureAfter(-1);
  EXPECT_FALSE(Exists("STAT_LOG.DAT"));
  EXPECT_FALSE(ui.messages.empty());
}

}  // namespace
}  // namespace tw
