// Pictures of dealt tables for the README. Written only when
// TW_SCREENSHOT_DIR names a folder; otherwise the tables are drawn and
// checked for being drawn at all.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "tests/view/view_fixture.h"

namespace tw {
namespace {

using testing::ViewTest;

TEST_F(ViewTest, DealtTablesAtEachCardSize) {
  const char* out = std::getenv("TW_SCREENSHOT_DIR");
  for (int game : {testing::kFreeCell, testing::kKlondike}) {
    for (char size : {'B', 'M', 'L'}) {
      Deal(game, size, "7");
      DrawDealt();
      view.RefreshScreen();
      const QImage& shot = view.WindowCanvas().Image();
      ASSERT_FALSE(shot.isNull());
      if (!out) continue;
      const QString name = QString("%1/table-%2-%3.png")
                               .arg(QString::fromLocal8Bit(out))
                               .arg(game == testing::kFreeCell ? "freecell" : "klondike")
                               .arg(QChar(size));
      EXPECT_TRUE(shot.convertToFormat(QImage::Format_RGB888).save(name)) << name.toStdString();
    }
  }
}

}  // namespace
}  // namespace tw
