#include "core/textfile.h"

#include <gtest/gtest.h>

#include "platform/sys/files.h"
#include "platform/sys/services.h"
#include "tests/platform/temp_dir.h"

namespace tw {
namespace {

using tw::testing::TempDir;

class RecordingUi : public sys::UiHooks {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return true; }
  void Beep(int) override {}
  void SetHourglass(bool on) override { hourglass += on ? 1 : -1; }
  void ProcessMessages() override {}
  std::vector<std::string> messages;
  int hourglass = 0;
};

struct WriteFailureGuard {
  explicit WriteFailureGuard(int64_t after) { sys::SetWriteFailureAfter(after); }
  ~WriteFailureGuard() { sys::SetWriteFailureAfter(-1); }
};

// Bobby stands before Bob; the last section has no final line end.
const std::string kStat =
    "[Version]\r\n"
    "Version=0300\r\n"
    "\r\n"
    "[0012]\r\n"
    "Bobby=AAAA\r\n"
    "Bob=BBBB  \r\n"
    "\r\n"
    "[0013]\r\n"
    "Bob=CCCC";

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ctx_.Ui = &ui_;
    dir_.Write("STAT.DAT", kStat);
    file_ = dir_.File("STAT.DAT");
  }
  std::string Contents() const { return dir_.Read("STAT.DAT"); }

  TempDir dir_;
  RecordingUi ui_;
  GameContext ctx_;
  std::string file_;
};

TEST_F(TextFileTest, LookupsMatchWholeKeysAndHeaders) {
  struct Case {
    const char* section;
    const char* key;
    bool found;
    const char* value;
  };
  const Case cases[] = {
      {"Version", "Version", true, "0300"},  // first body line
      {"0012", "Bob", true, "BBBB"},         // not the line of Bobby; blanks trimmed
      {"0012", "Bobby", true, "AAAA"},
      {"0012", "Bo", false, "dflt"},
      {"0013", "Bob", true, "CCCC"},  // last section, no final line end
      {"0013", "Bobby", false, "dflt"},
      {"001", "Bob", false, "dflt"},
      {"0014", "Bob", false, "dflt"},
  };
  for (const auto& c : cases) {
    std::string value;
    EXPECT_EQ(GetSectionValue(nullptr, file_, c.section, c.key, "dflt", value), c.found)
        << c.section << "/" << c.key;
    EXPECT_EQ(value, c.value) << c.section << "/" << c.key;
  }

  int64_t offset = -1;
  ASSERT_TRUE(FindSection(nullptr, file_, "[0012]", offset));
  EXPECT_EQ(offset, static_cast<int64_t>(kStat.find("[0012]")));
  EXPECT_TRUE(FindSection(nullptr, file_, "[Version]", offset));
  EXPECT_EQ(offset, 0);
  EXPECT_FALSE(FindSection(nullptr, file_, "[001]", offset));
  EXPECT_FALSE(FindSection(nullptr, dir_.File("NONE.DAT"), "[0012]", offset));

  StringList values;
  EXPECT_TRUE(GetSectionValues(file_, "0012", {"Bob", "Bobby"}, {"x", "y"}, values));
  EXPECT_EQ(values, (StringList{"BBBB  ", "AAAA"}));  // line style keeps the blanks
  EXPECT_FALSE(GetSectionValues(file_, "0012", {"Bob", "Nobody"}, {"x", "y"}, values));
  EXPECT_EQ(values, (StringList{"BBBB  ", "y"}));
  EXPECT_FALSE(GetSectionValues(dir_.File("NONE.DAT"), "0012", {"Bob"}, {"x"}, values));
  EXPECT_EQ(values, StringList{"x"});

  StringList list;
  ListSections(file_, list);
  EXPECT_EQ(list, (StringList{"Version", "0012", "0013"}));
  ReadSectionLines(file_, "0012", list);
  EXPECT_EQ(list, (StringList{"Bobby=AAAA", "Bob=BBBB  "}));
  ReadSectionLines(file_, "0099", list);
  EXPECT_TRUE(list.empty());
  ListSections(dir_.File("NONE.DAT"), list);
  EXPECT_TRUE(list.empty());
}

TEST_F(TextFileTest, SetSectionValueInPlaceOnlyForSameKeyAndWidth) {
  ASSERT_TRUE(SetSectionValue(ctx_, nullptr, file_, "0012", "Bob", "DDDDEE"));
  std::string expected = kStat;
  expected.replace(expected.find("Bob=BBBB  ") + 4, 6, "DDDDEE");
  EXPECT_EQ(Contents(), expected);  // byte for byte, Bobby untouched

  // Another width: the section is rewritten, its other lines kept.
  ASSERT_TRUE(SetSectionValue(ctx_, nullptr, file_, "0012", "Bob", "E"));
  ASSERT_TRUE(SetSectionValue(ctx_, nullptr, file_, "0012", "Carl", "FFFF"));
  ASSERT_TRUE(SetSectionValue(ctx_, nullptr, file_, "0013", "Bob", "GG"));
  ASSERT_TRUE(SetSectionValue(ctx_, nullptr, file_, "0020", "Ann", "HHHH"));
  EXPECT_EQ(Contents(),
            "[Version]\r\nVersion=0300\r\n\r\n"
            "[0012]\r\nBobby=AAAA\r\nBob=E\r\nCarl=FFFF\r\n\r\n"
            "[0013]\r\nBob=GG\r\n\r\n"
            "\r\n[0020]\r\nAnn=HHHH\r\n");
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"STAT.DAT"});
}

TEST_F(TextFileTest, CallerHandleFollowsTheRewrittenFile) {
  sys::RawFile handle;
  ASSERT_TRUE(handle.Open(file_, sys::RawFile::Mode::ReadWrite));
  ASSERT_TRUE(SetSectionValue(ctx_, &handle, file_, "0012", "Bob", "longer value"));
  ASSERT_TRUE(handle.IsOpen());
  std::string value;
  ASSERT_TRUE(GetSectionValue(&handle, file_, "0012", "Bob", "", value));
  EXPECT_EQ(value, "longer value");
  ASSERT_TRUE(SetSectionValue(ctx_, &handle, file_, "0012", "Bob", "LONGER VALUE"));
  handle.Close();
  EXPECT_NE(Contents().find("Bob=LONGER VALUE\r\n"), std::string::npos);
}

TEST_F(TextFileTest, ReplaceSectionValuesRewritesOnlyThatSection) {
  ASSERT_TRUE(ReplaceSectionValues(ctx_, nullptr, file_, "0012", {"Zed"}, {"1"}));
  ASSERT_TRUE(ReplaceSectionValues(ctx_, nullptr, file_, "0013", {"A", "B"}, {"2", "3"}));
  EXPECT_EQ(Contents(),
            "[Version]\r\nVersion=0300\r\n\r\n"
            "[0012]\r\nZed=1\r\n\r\n"
            "[0013]\r\nA=2\r\nB=3\r\n\r\n");  // last section: no tail

  const std::string before = Contents();
  EXPECT_FALSE(ReplaceSectionValues(ctx_, nullptr, file_, "0099", {"A"}, {"1"}));
  EXPECT_FALSE(ReplaceSectionValues(ctx_, nullptr, file_, "0012", {"A=B"}, {"1"}));
  EXPECT_FALSE(ReplaceSectionValues(ctx_, nullptr, file_, "[0012]", {"A"}, {"1"}));
  EXPECT_FALSE(SetSectionValue(ctx_, nullptr, file_, "0012", "Bob", "two\r\nlines"));
  EXPECT_FALSE(ReplaceSectionValues(ctx_, nullptr, dir_.File("NONE.DAT"), "0012", {"A"}, {"1"}));
  EXPECT_EQ(Contents(), before);
  EXPECT_FALSE(sys::FileExists(dir_.File("NONE.DAT")));
}

TEST_F(TextFileTest, WriteFailureMidRewriteLeavesOriginalByteIdentical) {
  const std::string big(5000, 'v');
  {
    WriteFailureGuard guard(kStat.size() / 2);
    EXPECT_FALSE(ReplaceSectionValues(ctx_, nullptr, file_, "0012", {"Bob"}, {big}));
  }
  {
    WriteFailureGuard guard(10);
    EXPECT_FALSE(SetSectionValue(ctx_, nullptr, file_, "0012", "Bob", big));
    EXPECT_FALSE(AppendSection(ctx_, nullptr, file_, "0050", {"Bob"}, {"1"}));
  }
  EXPECT_EQ(Contents(), kStat);
  EXPECT_EQ(ui_.messages, StringList(3, "Write error on file"));
  EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"STAT.DAT"});  // no "rpl" left
}

TEST_F(TextFileTest, FindsHeadersAndBodiesAcrossTheBlockBoundary) {
  // Put the header, then the next section's start, at every offset around
  // the 8192-byte boundary.
  for (int shift = -8; shift <= 8; ++shift) {
    const std::string prefix = "[0001]\r\nFill=";
    const std::string target = "\r\n[0099]\r\nBob=XYZ\r\n";
    int fill = static_cast<int>(kTextFileBlock) + shift - static_cast<int>(prefix.size()) - 2;
    std::string bytes = prefix + std::string(fill, 'f') + target + "[0100]\r\nBob=NO\r\n";
    dir_.Write("SPLIT.DAT", bytes);
    const std::string f = dir_.File("SPLIT.DAT");
    int64_t offset = -1;
    ASSERT_TRUE(FindSection(nullptr, f, "[0099]", offset)) << shift;
    EXPECT_EQ(offset, static_cast<int64_t>(bytes.find("[0099]"))) << shift;
    std::string value;
    EXPECT_TRUE(GetSectionValue(nullptr, f, "0099", "Bob", "", value)) << shift;
    EXPECT_EQ(value, "XYZ") << shift;
    EXPECT_TRUE(GetSectionValue(nullptr, f, "0100", "Bob", "", value)) << shift;
    EXPECT_EQ(value, "NO") << shift;

    // A body that crosses the boundary ends at the next section.
    std::string body = "[0007]\r\n" + std::string(8192 + shift - 12, 'x') + "\r\n[0008]\r\nq=1\r\n";
    dir_.Write("BODY.DAT", body);
    EXPECT_FALSE(GetSectionValue(nullptr, dir_.File("BODY.DAT"), "0007", "q", "", value));
    ASSERT_TRUE(SetSectionValue(ctx_, nullptr, dir_.File("BODY.DAT"), "0007", "q", "2"));
    StringList lines;
    ReadSectionLines(dir_.File("BODY.DAT"), "0008", lines);
    EXPECT_EQ(lines, StringList{"q=1"}) << shift;
  }
}

TEST_F(TextFileTest, OverwriteSectionLinesNeverWritesOverOtherKeys) {
  const std::string scores =
      "[0012]\r\n01-01=AAA\r\n01-02=BBB\r\n\r\n[0013]\r\n01-01=ZZZ\r\n";
  dir_.Write("SCR.DAT", scores);
  const std::string f = dir_.File("SCR.DAT");
  ASSERT_TRUE(OverwriteSectionLines(ctx_, f, "0012", {"01-01", "01-02"}, {"CCC", "DDD"}));
  EXPECT_EQ(dir_.Read("SCR.DAT"),
            "[0012]\r\n01-01=CCC\r\n01-02=DDD\r\n\r\n[0013]\r\n01-01=ZZZ\r\n");
  // Other keys of the same widths: the "01" table survives.
  ASSERT_TRUE(OverwriteSectionLines(ctx_, f, "0012", {"02-01", "01-02"}, {"EEE", "FFF"}));
  EXPECT_EQ(dir_.Read("SCR.DAT"),
            "[0012]\r\n01-01=CCC\r\n01-02=FFF\r\n02-01=EEE\r\n\r\n"
            "[0013]\r\n01-01=ZZZ\r\n");
  ASSERT_TRUE(OverwriteSectionLines(ctx_, f, "0014", {"01-01"}, {"NEW"}));
  std::string value;
  EXPECT_TRUE(GetSectionValue(nullptr, f, "0014", "01-01", "", value));
  EXPECT_EQ(value, "NEW");
}

TEST_F(TextFileTest, BadInputNeverConfusesTheReaders) {
  const std::string longLine(20000, 'L');
  const std::string bytes =
      "garbage \x01\x02\xff without equals\n"
      "=no key\r\n"
      "[0010]\r\n"      // empty body: the next section follows at once
      "[0011]\n"        // bare LF lines
      "x[0010]\n"       // a header inside a line is no header
      "Bob=" + longLine + "\n"
      "[0010] extra\r\n"  // nor is a header with more text
      "Bob=lost\n"
      "[0012]";
  dir_.Write("BAD.DAT", bytes);
  const std::string f = dir_.File("BAD.DAT");
  std::string value;
  EXPECT_FALSE(GetSectionValue(nullptr, f, "0010", "Bob", "d", value));
  EXPECT_EQ(value, "d");
  EXPECT_TRUE(GetSectionValue(nullptr, f, "0011", "Bob", "d", value));
  EXPECT_EQ(value, longLine);
  EXPECT_FALSE(GetSectionValue(nullptr, f, "0012", "Bob", "d", value));
  StringList list;
  ReadSectionLines(f, "0011", list);
  EXPECT_EQ(list.size(), 2u);  // the line "[0010] extra" still ends the body

  // Rewriting the empty section leaves the next one alone.
  ASSERT_TRUE(ReplaceSectionValues(ctx_, nullptr, f, "0010", {"Ann"}, {"1"}));
  ASSERT_TRUE(SetSectionValue(ctx_, nullptr, f, "0011", "Bob", std::string(20000, 'M')));
  ASSERT_TRUE(ReplaceSectionValues(ctx_, nullptr, f, "0012", {"Cy"}, {"2"}));
  EXPECT_TRUE(GetSectionValue(nullptr, f, "0010", "Ann", "", value));
  EXPECT_EQ(value, "1");
  EXPECT_TRUE(GetSectionValue(nullptr, f, "0011", "Bob", "", value));
  EXPECT_EQ(value, std::string(20000, 'M'));
  EXPECT_TRUE(GetSectionValue(nullptr, f, "0012", "Cy", "", value));
  EXPECT_EQ(value, "2");
  ListSections(f, list);
  EXPECT_EQ(list, (StringList{"0010", "0011", "0010", "0012"}));
}

TEST_F(TextFileTest, ReplaceTextInFileAndCreateFileIfMissing) {
  dir_.Write("LOG.DAT", "20260101 Bob   won\r\n20260102 Bobby won\nshort\r\n");
  const std::string f = dir_.File("LOG.DAT");
  ASSERT_TRUE(ReplaceTextInFile(ctx_, f, 10, "Bob   ", "Robert "));
  EXPECT_EQ(dir_.Read("LOG.DAT"),
            "20260101 Robert won\r\n20260102 Bobby won\r\nshort\r\n");
  EXPECT_EQ(ui_.hourglass, 0);
  EXPECT_TRUE(ReplaceTextInFile(ctx_, f, 0, "2026", "x"));
  EXPECT_TRUE(ReplaceTextInFile(ctx_, dir_.File("NONE.DAT"), 1, "a", "b"));
  EXPECT_FALSE(sys::FileExists(dir_.File("NONE.DAT")));

  EXPECT_TRUE(CreateFileIfMissing(dir_.File("NEW.DAT")));
  EXPECT_FALSE(CreateFileIfMissing(dir_.File("NEW.DAT")));
  EXPECT_EQ(dir_.Read("NEW.DAT"), "");
  ASSERT_TRUE(AppendSection(ctx_, nullptr, dir_.File("NEW.DAT"), "Version", {"Version"},
                            {"0300"}));
  EXPECT_EQ(dir_.Read("NEW.DAT"), "\r\n[Version]\r\nVersion=0300\r\n");
}

}  // namespace
}  // namespace tw
