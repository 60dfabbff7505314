#include "platform/gfx/reslib.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/gfx/draw.h"
#include "platform/gfx/picture_file.h"
#include "platform/gfx/pictures.h"
#include "platform/sys/files.h"
#include "tests/platform/temp_dir.h"

namespace tw::gfx {
namespace {

const std::string kLibrary = std::string(TW_DIST_DIR) + "/QEX.RGF";
const std::string kImages = std::string(TW_DIST_DIR) + "/Images/";

std::string Pad3(int n) {
  std::string s = std::to_string(n);
  return std::string(3 - s.size(), '0') + s;
}

// Every picture name the program asks the library for.
std::vector<std::string> NamesTheProgramUses() {
  std::vector<std::string> names;
  for (const char* s : {"B", "M", "L"}) {
    for (int code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22})
      names.push_back(std::string("W") + s + Pad3(code));
    for (const char* strip : {"SHADOW_", "3D_BORDER_"})
      for (const char* n : {"1", "2"}) names.push_back(strip + std::string(s) + n);
  }
  for (int set = 1; set <= 5; ++set)
    for (const char* suit : {"H", "D", "C", "S"}) names.push_back("CB" + Pad3(set) + suit);
  for (const char* suit : {"H", "D", "C", "S"}) {
    names.push_back(std::string("CM003") + suit);
    names.push_back(std::string("CL003") + suit);
  }
  for (const char* n : {"Panel_pk",
                        "BMP_PAUSE_1",
                        "BMP_PAUSE_2",
                        "card_hearts",
                        "card_diamonds",
                        "card_clubs",
                        "card_spades",
                        "Card_None",
                        "TB_AUTOPLAY",
                        "TB_AUTOPLAY_DIS",
                        "TB_UNDO",
                        "TB_UNDO_DIS",
                        "TB_REDO",
                        "TB_REDO_DIS",
                        "CUR_ARROW1A",
                        "CUR_ARROW1B",
                        "CUR_ARROW2A",
                        "CUR_ARROW2B",
                        "CUR_HAND1A",
                        "CUR_HAND1B",
                        "CUR_HAND2A",
                        "CUR_HAND2B",
                        "CUR_CROSS1A",
                        "CUR_CROSS1B",
                        "TREE1",
                        "TREE2",
                        "N_TREE3",
                        "N_TREE4",
                        "N_TREE5",
                        "F_TREE1",
                        "F_TREE2",
                        "S_TREE1",
                        "S_TREE2",
                        "D_TREE1",
                        "D_TREE2",
                        "TREE5_CANFIELD_TYPE",
                        "TREE5_FAN_TYPE",
                        "TREE5_FORTYTHIEVES_TYPE",
                        "TREE5_FREECELL_TYPE",
                        "TREE5_KLONDIKE_TYPE",
                        "TREE5_PAIRING_TYPE",
                        "TREE5_SIMPLEGAMES_TYPE",
                        "TREE5_SPIDER_TYPE",
                        "TREE5_1DECK_TYPE",
                        "TREE5_2DECK_TYPE",
                        "C_TREE1",
                        "C_TREE2",
                        "TREE5_CUSTOMIZED_GAMES",
                        "TREE5_FAVORITES_GAMES",
                        "TREE5_BAKERSDOZEN_TYPE",
                        "T_TREE1",
                        "T_TREE2",
                        "I_TREE1",
                        "I_TREE2",
                        "K_TREE1",
                        "K_TREE2",
                        "W_TREE1",
                        "W_TREE2",
                        "TREE5_ROW_TYPE",
                        "PROG_TIME_LONG",
                        "PROG_TIME_MEDIUM",
                        "PROG_TIME_QUICK",
                        "PROG_DIFF_EASY",
                        "PROG_DIFF_MEDIUM",
                        "PROG_DIFF_HARD",
                        "PROG_CHAN_VERYHIGH",
                        "PROG_CHAN_HIGH",
                        "PROG_CHAN_MEDIUM",
                        "PROG_CHAN_LOW",
                        "PROG_CHAN_VERYLOW",
                        "PROG_DISABLED",
                        "SOUND_ENABLED",
                        "CUR_ARROW1",
                        "CUR_ARROW2",
                        "CUR_CROSS",
                        "CUR_HAND1",
                        "CUR_HAND2",
                        "CARD_WITH_SHADOW",
                        "CARD_WITHOUT_SHADOW",
                        "CARD_IRR_PILES_YES",
                        "CARD_IRR_PILES_NO"})
    names.push_back(n);
  for (int rank = 1; rank <= 13; ++rank)
    for (const char* state : {"_Up", "_Down"})
      names.push_back("Card_" + std::to_string(rank) + state);
  return names;
}

class Library : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(lib_.Open(kLibrary)) << kLibrary; }
  ResourceLibrary lib_;
};

TEST_F(Library, HoldsEveryNameTheProgramUses) {
  const std::vector<std::string> held = lib_.Names();
  const std::set<std::string> all(held.begin(), held.end());
  for (std::string name : NamesTheProgramUses()) {
    std::transform(name.begin(), name.end(), name.begin(), ::toupper);
    EXPECT_TRUE(all.count(name)) << name;
    EXPECT_FALSE(lib_.LoadBitmap(name).Empty()) << name;
  }
}

TEST_F(Library, PicturesHaveTheSizesTheTableCodeCutsFrom) {
  struct Case {
    const char* name;
    int w, h;
  } cases[] = {
      {"CB001H", 355, 288},     {"CB005S", 355, 288},      {"CM003D", 295, 240},
      {"CL003C", 125, 96},      {"WB004", 71, 96},         {"WM021", 59, 80},
      {"WL010", 25, 32},        {"3D_BORDER_B1", 16, 109}, {"3D_BORDER_B2", 82, 16},
      {"3D_BORDER_L2", 36, 16}, {"SHADOW_B1", 7, 90},      {"SHADOW_B2", 70, 7},
      {"Card_None", 13, 16},    {"Card_13_Up", 13, 16},
  };
  for (const Case& c : cases) {
    const Bitmap b = lib_.LoadBitmap(c.name);
    EXPECT_EQ(b.Width(), c.w) << c.name;
    EXPECT_EQ(b.Height(), c.h) << c.name;
  }
}

TEST_F(Library, NamesMatchWithoutRegardToCaseAndMissingOnesAreEmpty) {
  EXPECT_EQ(lib_.LoadBitmap("panel_PK").Width(), lib_.LoadBitmap("Panel_pk").Width());
  EXPECT_TRUE(lib_.LoadBitmap("WB099").Empty());
  EXPECT_TRUE(lib_.LoadBitmap("").Empty());
  EXPECT_TRUE(lib_.LoadCursor("NO_SUCH_CURSOR").Empty());
  EXPECT_FALSE(lib_.Contains("GAME0001"));
}

TEST_F(Library, TransparentColoursAreThePlatformValues) {
  // Stock edge strips are keyed on $FF0000 (blue), shadows on white, the
  // pause pictures on $008000.
  const Bitmap border = lib_.LoadBitmap("3D_BORDER_B1");
  EXPECT_EQ(GetPixel(border, 15, 0), kBlue);
  EXPECT_NE(GetPixel(border, 15, 50), kBlue);  // the bottom card's own right edge
  const Bitmap shadow = lib_.LoadBitmap("SHADOW_M1");
  EXPECT_EQ(GetPixel(shadow, 0, 0), kBlack);
  EXPECT_EQ(GetPixel(shadow, 1, 0), kWhite);
  EXPECT_EQ(GetPixel(lib_.LoadBitmap("BMP_PAUSE_1"), 0, 0), kGreen);
}

TEST_F(Library, CardFacesLeaveTheirCornerPixelsOutside) {
  // The table code rewrites three pixels per corner on every draw, so the
  // face must not depend on them: they share one colour, unlike the border.
  const Bitmap sheet = lib_.LoadBitmap("CB001S");
  const int w = 71, h = 96;
  const Colour outside = GetPixel(sheet, 0, 0);
  for (int cell = 0; cell < 13; ++cell) {
    const int x = (cell < 10 ? cell % 5 : cell - 10) * w, y = (cell < 10 ? cell / 5 : 2) * h;
    for (auto [dx, dy] : {std::pair{0, 0},
                          {1, 0},
                          {0, 1},
                          {w - 1, 0},
                          {w - 2, 0},
                          {w - 1, 1},
                          {0, h - 1},
                          {w - 1, h - 1},
                          {w - 2, h - 1},
                          {w - 1, h - 2}})
      EXPECT_EQ(GetPixel(sheet, x + dx, y + dy), outside) << cell;
    EXPECT_NE(GetPixel(sheet, x + 1, y + 1), outside);
    EXPECT_EQ(GetPixel(sheet, x + w / 2, y), GetPixel(sheet, x + 1, y + 1));  // border
  }
}

TEST_F(Library, CursorsCarryHotSpots) {
  for (const char* name :
       {"CUR_ARROW1A", "CUR_ARROW2B", "CUR_HAND1A", "CUR_HAND2B", "CUR_CROSS1A"}) {
    const CursorImage c = lib_.LoadCursor(name);
    ASSERT_FALSE(c.Empty()) << name;
    EXPECT_EQ(c.image.size(), QSize(32, 32));
    EXPECT_EQ(ToQCursor(c).hotSpot(), c.hot_spot);
    EXPECT_TRUE(c.image.rect().contains(c.hot_spot)) << name;
    EXPECT_GT(qAlpha(c.image.pixel(c.hot_spot)) + qAlpha(c.image.pixel(c.hot_spot + QPoint(1, 1))),
              0)
        << name;
  }
  EXPECT_EQ(lib_.LoadCursor("CUR_CROSS1A").hot_spot, QPoint(15, 15));
}

TEST(LibraryFile, MissingOrBrokenFilesDoNotOpen) {
  ResourceLibrary lib;
  EXPECT_FALSE(lib.Open(std::string(TW_DIST_DIR) + "/NO_SUCH.RGF"));
  EXPECT_FALSE(lib.Open(kImages + "B101.bmp"));
  EXPECT_FALSE(lib.IsOpen());
  EXPECT_TRUE(lib.LoadBitmap("WB004").Empty());
  EXPECT_TRUE(lib.Names().empty());
}

TEST(LibraryFile, TwoLibrariesOpenAtOnce) {
  ResourceLibrary a, b;
  ASSERT_TRUE(a.Open(kLibrary));
  ASSERT_TRUE(b.Open(kLibrary));
  b.Close();
  EXPECT_FALSE(a.LoadBitmap("WB004").Empty());
  EXPECT_TRUE(b.LoadBitmap("WB004").Empty());
}

TEST(ImagesFolder, HoldsEveryBackAndBackground) {
  for (const PictureInfo& back : CardBacks()) {
    const QImage img(QString::fromStdString(kImages + BackFileName('B', back.number) + ".bmp"));
    EXPECT_EQ(img.size(), QSize(71, 96)) << back.number;
  }
  EXPECT_EQ(QImage(QString::fromStdString(kImages + "DM006.bmp")).size(), QSize(59, 80));
  EXPECT_EQ(QImage(QString::fromStdString(kImages + "DL006.bmp")).size(), QSize(25, 32));
  for (const PictureInfo& b : Backgrounds())
    EXPECT_FALSE(
        QImage(QString::fromStdString(kImages + BackgroundFileName(b.number) + ".bmp")).isNull())
        << b.number;
  EXPECT_FALSE(QImage(QString::fromStdString(kImages + "Y001.bmp")).isNull());
  EXPECT_EQ(Backgrounds().size(), 5u + 68u);
  EXPECT_EQ(BackFileName('B', kDefaultBack), "DB011");
  EXPECT_EQ(BackgroundFileName(257), "B257");
}

}  // namespace
}  // namespace tw::gfx

namespace tw::gfx {
namespace {

TEST(PictureFiles, AreFoundWithoutRegardToCase) {
  const std::string dir = std::string(TW_DIST_DIR) + "/";
  EXPECT_EQ(LoadPictureFile(dir + "IMAGES\\db011.BMP").Width(), 71);
  EXPECT_TRUE(PictureFileExists(dir + "images/b101.bmp"));
  EXPECT_FALSE(PictureFileExists(dir + "Images/DB999.bmp"));
  EXPECT_TRUE(LoadPictureFile(dir + "Images/DB999.bmp").Empty());

  const std::vector<std::string> backs = ListPictureFiles(dir + "images", "db*.bmp");
  ASSERT_EQ(backs.size(), CardBacks().size());
  EXPECT_EQ(backs.front(), "DB001.bmp");
  EXPECT_EQ(backs.back(), "DB027.bmp");
  EXPECT_EQ(ListPictureFiles(dir + "Images", "b1??.bmp").size(), 5u);
  EXPECT_EQ(ListPictureFiles(dir + "Images", "cb*.bmp").size(), 0u);
  EXPECT_TRUE(ListPictureFiles(dir + "NoSuchFolder", "*").empty());
}

// A damaged picture file is refused before it is decoded, and told apart
// from a missing one.
TEST(PictureFiles, DamagedOnesAreRefusedBeforeDecoding) {
  testing::TempDir dir;
  std::string good;
  ASSERT_TRUE(sys::ReadFileBytes(kImages + "DB011.bmp", good));
  auto put32 = [](std::string& d, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
  };
  const struct {
    const char* fault;
    std::function<void(std::string&)> edit;
  } cases[] = {
      {"not a bitmap", [](std::string& d) { d[0] = 'P'; }},
      {"pixel data cut short", [](std::string& d) { d.resize(d.size() - 100); }},
      {"header cut short", [](std::string& d) { d.resize(30); }},
      {"huge width", [&](std::string& d) { put32(d, 18, 100000); }},
      {"huge height upside down", [&](std::string& d) { put32(d, 22, 0x80000000u); }},
      {"zero width", [&](std::string& d) { put32(d, 18, 0); }},
      {"unknown bit depth", [](std::string& d) { d[28] = 7; }},
      {"unknown compression", [&](std::string& d) { put32(d, 30, 9); }},
      {"pixel data beyond the end", [&](std::string& d) { put32(d, 10, 0x7fffffff); }},
      {"unknown header size", [&](std::string& d) { put32(d, 14, 2000); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    std::string bytes = good;
    c.edit(bytes);
    EXPECT_FALSE(CheckPictureBytes(bytes).empty());
    dir.Write("DB011.bmp", bytes);
    PictureStatus status = PictureStatus::Ok;
    EXPECT_TRUE(LoadPictureFile(dir.File("DB011.bmp"), &status).Empty());
    EXPECT_EQ(status, PictureStatus::Damaged);
  }
  PictureStatus status = PictureStatus::Ok;
  EXPECT_TRUE(LoadPictureFile(dir.File("DB099.bmp"), &status).Empty());
  EXPECT_EQ(status, PictureStatus::Missing);
  dir.Write("DB011.bmp", good);
  EXPECT_EQ(LoadPictureFile(dir.File("DB011.bmp"), &status).Width(), 71);
  EXPECT_EQ(status, PictureStatus::Ok);
}

}  // namespace
}  // namespace tw::gfx

