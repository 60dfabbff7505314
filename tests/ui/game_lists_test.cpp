// Game-name combo and list boxes, and the advice box.
#include "ui/game_lists.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTimer>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/ini.h"
#include "tests/ui/program_dir.h"
#include "ui/msg_advice.h"

namespace tw {
namespace {

class GameListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!dir.Ready()) GTEST_SKIP() << "program directory not built";
    CreateSharedGlobals(ctx, dir.Dir());
    std::string error;
    ASSERT_TRUE(LoadGameCatalogue(ctx, error)) << error;
    std::string record = "8000" + PadRight("Gentle Klondike", 50) + "0000\r\n0010041\r\n";
    for (int i = 0; i < 28; ++i) record += "\r\n";
    dir.Write("DATA/GAM_CUST.DAT", "[R-0301]\r\n" + record);
  }
  testing::TestProgramDir dir;
  GameContext ctx;
};

TEST_F(GameListsTest, CombosShowTrimmedNamesSortedWithCustomGamesAndSelectTheGame) {
  QComboBox combo;
  FillGamesCombo(ctx, &combo, 5);
  ASSERT_EQ(combo.count(), static_cast<int>(ctx.GameList.size()) + 1);
  EXPECT_EQ(combo.currentText(), "Yukon");
  const int custom = combo.findText("Gentle Klondike");
  ASSERT_GE(custom, 1);
  EXPECT_LT(combo.itemText(custom - 1).compare("Gentle Klondike", Qt::CaseInsensitive), 0);
  EXPECT_GT(combo.itemText(custom + 1).compare("Gentle Klondike", Qt::CaseInsensitive), 0);
  // The padded name is kept for lookups.
  EXPECT_EQ(ItemGameName(&combo, combo.currentIndex()), PadRight("Yukon", 50));
  EXPECT_EQ(IndexOfTrimmedText(&combo, "Yukon   "), combo.currentIndex());
  EXPECT_EQ(IndexOfTrimmedText(&combo, "yukon"), -1);

  FillGamesCombo(ctx, &combo, -1);
  EXPECT_EQ(combo.currentIndex(), -1);
  FillGamesCombo(ctx, &combo, 8000);
  EXPECT_EQ(combo.currentText(), "Gentle Klondike");
  FillGamesCombo(ctx, &combo, 777);  // no such game
  EXPECT_EQ(combo.currentIndex(), -1);

  QListWidget list;
  FillGamesListBox(ctx, &list, 2);
  ASSERT_EQ(list.count(), combo.count());
  EXPECT_EQ(list.currentItem()->text(), "Spider");
  EXPECT_EQ(IndexOfTrimmedText(&list, "Spider"), list.currentRow());
}

TEST_F(GameListsTest, AdviceBoxTickedIsNotShownAgain) {
  int shown = 0;
  auto show = [&](bool tick, bool expectBox) {
    if (expectBox)
      QTimer::singleShot(0, [&, tick] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
          auto* box = qobject_cast<MsgAdviceDialog*>(w);
          if (!box || !box->isVisible()) continue;
          ++shown;
          EXPECT_EQ(box->windowTitle(), "Information");
          EXPECT_EQ(box->Message(), "Line one\nline two");
          EXPECT_EQ(box->Page(), MsgAdviceDialog::kScreenPage);
          box->DontShowBox()->setChecked(tick);
          box->accept();
        }
      });
    return ShowAdvice(ctx, "Line one\rline two", "Small_Screen", 1, QtAdviceDialog(nullptr));
  };
  EXPECT_TRUE(show(false, true));
  EXPECT_TRUE(show(true, true));
  EXPECT_FALSE(show(false, false));
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(sys::IniFile(dir.File("DATA/CFG.DAT")).ReadString("Show_Messages", "Small_Screen", ""),
            "N");
}

}  // namespace
}  // namespace tw
