// The tips of the day and every help topic against the program itself: each
// shortcut they name is a command's, each menu exists, a command topic sits
// in the menu it names under its key, "press K to display the X" opens X,
// and every dialog and folder they name is one the player can open.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTreeWidget>
#include <map>
#include <set>

#include "tests/ui/ui_fixture.h"
#include "ui/card_counter.h"
#include "ui/open_game.h"
#include "ui/tips.h"

namespace tw::testing {
namespace {

// A text to check and where it comes from.
struct Text {
  QString where, body, title;
  bool command = false;  // a command topic: "<Menu> menu[, <key>]: ..."
};

std::vector<Text> AllTexts() {
  std::vector<Text> out;
  for (int i = 0; i < kTipCount; ++i) {
    out.push_back({QString("tip %1").arg(i + 1, 2, 10, QChar('0')), TipText(i), {}, false});
  }
  const QDir dir(QString(TW_SOURCE_DIR) + "/data/help");
  for (const QString& name : dir.entryList({"*.md"}, QDir::Files, QDir::Name)) {
    if (name == "README.md") continue;
    QFile f(dir.filePath(name));
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QString all = QString::fromUtf8(f.readAll());
    const qsizetype split = all.indexOf("\n---\n");
    if (split < 0) continue;
    Text t{name, all.mid(split + 5), {}, name.startsWith("command-")};
    for (const QString& line : all.left(split).split('\n')) {
      if (line.startsWith("title:")) t.title = line.mid(6).trimmed();
    }
    out.push_back(t);
  }
  return out;
}

// Menu captions and command texts as the player reads them.
QString Plain(QString s) {
  s.remove('&');
  s = s.trimmed();
  if (s.endsWith("...")) s.chop(3);
  return s.trimmed();
}

// A window's caption without the game or player it names.
QString Named(const QString& title) {
  const qsizetype bracket = title.indexOf(" [");
  return (bracket < 0 ? title : title.left(bracket)).trimmed();
}

class HelpTextsTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    Deal(0, "7");
    for (QAction* top : window().menuBar()->actions()) {
      if (top->menu()) Collect(Plain(top->text()), top->menu());
    }
    // The card counter has its own menu bar.
    window().Action("mnuCardCounter")->trigger();
    QApplication::processEvents();
    counter = window().findChild<CardCounterWindow*>();
    if (counter) {
      for (QMenu* m : counter->findChildren<QMenu*>()) menus.insert(Plain(m->title()));
      window().Action("mnuCardCounter")->trigger();
    }
  }

  void Collect(const QString& menu, QMenu* m) {
    menus.insert(menu);
    for (QAction* a : m->actions()) {
      if (a->menu()) {
        Collect(Plain(a->text()), a->menu());
      } else if (!a->isSeparator()) {
        commands[menu][Plain(a->text()).toLower()] = a;
        if (!a->shortcut().isEmpty()) keys[a->shortcut()] = a;
      }
    }
  }

  // The caption of the window the command opens: a modal dialog, or a
  // window of the program that it shows.
  QString Opens(QAction* a) {
    QString title;
    std::set<QWidget*> before;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible()) before.insert(w);
    }
    EachModalDialog([a] { a->trigger(); }, [&](QDialog& d) {
      if (title.isEmpty()) title = Named(d.windowTitle());
    });
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || before.count(w)) continue;
      if (title.isEmpty()) title = Named(w->windowTitle());
      w->close();
    }
    return title;
  }

  std::set<QString> menus;
  std::map<QString, std::map<QString, QAction*>> commands;  // menu -> text -> command
  std::map<QKeySequence, QAction*> keys;
  CardCounterWindow* counter = nullptr;
};

// Keys written in the texts: F1..F12, or a letter or F-key after modifiers.
const QRegularExpression kKey(R"(\b((?:(?:Shift|Ctrl|Alt)\+)+(?:F\d{1,2}|[A-Z])|F\d{1,2})\b)");
// Keys of the text boxes themselves, not of a command.
const std::set<QString> kEditKeys = {"Ctrl+C", "Ctrl+V"};

TEST_F(HelpTextsTest, KeysMenusAndCommandsAreThoseOfTheProgram) {
  ASSERT_GT(keys.size(), 10u);
  const QRegularExpression menuName(R"((?:^|[\s(])([A-Z?][\w ]*?) menu\b)");
  const QRegularExpression commandLine(R"(^(\S+) menu(?:, ([^:]+))?:)");
  int checked = 0;
  for (const Text& t : AllTexts()) {
    for (auto m = kKey.globalMatch(t.body); m.hasNext();) {
      const QString key = m.next().captured(1);
      if (kEditKeys.count(key)) continue;
      EXPECT_TRUE(keys.count(QKeySequence::fromString(key)))
          << t.where.toStdString() << ": no command has the key " << key.toStdString();
      ++checked;
    }
    for (auto m = menuName.globalMatch(t.body); m.hasNext();) {
      QString menu = m.next().captured(1);
      // "the Tools menu", "its Options menu": the last word names it.
      menu = menu.split(' ').last();
      EXPECT_TRUE(menus.count(menu)) << t.where.toStdString() << ": no menu " << menu.toStdString();
    }
    if (!t.command) continue;
    const auto line = commandLine.match(t.body);
    if (!line.hasMatch()) continue;
    const QString menu = line.captured(1);
    const auto inMenu = commands.find(menu);
    ASSERT_NE(inMenu, commands.end()) << t.where.toStdString() << ": " << menu.toStdString();
    const auto command = inMenu->second.find(Plain(t.title).toLower());
    ASSERT_NE(command, inMenu->second.end())
        << t.where.toStdString() << ": no command " << t.title.toStdString() << " in the "
        << menu.toStdString() << " menu";
    EXPECT_EQ(command->second->shortcut(), QKeySequence::fromString(line.captured(2)))
        << t.where.toStdString();
    ++checked;
  }
  EXPECT_GT(checked, 30);
}

TEST_F(HelpTextsTest, NamedDialogsAndFoldersAreThereToOpen) {
  // Every dialog a command opens, and the windows they open in their turn.
  std::set<QString> dialogs;
  for (const auto& [menu, list] : commands) {
    for (const auto& [text, a] : list) {
      const QString name = a->objectName();
      // Commands that end the deal, the program or open the browser.
      if (name == "mnuEsci" || name == "mnuNew" || name == "mnuRestartGame" ||
          name == "mnuQuitGame" || name == "mnuSave" || name == "mnuPause" || name == "mnuWeb" ||
          name == "mnuSeeChampions" || !a->isEnabled() || a->isCheckable()) {
        continue;
      }
      const QString title = Opens(a);
      if (!title.isEmpty()) dialogs.insert(title);
    }
  }
  if (counter) dialogs.insert(Named(counter->windowTitle()));
  ASSERT_GT(dialogs.size(), 10u);

  // "press F4 to display the Statistics dialog": that key opens that window.
  const QRegularExpression display(
      R"(press(?:ing)? ((?:(?:Shift|Ctrl|Alt)\+)*(?:F\d{1,2}|[A-Z])) to display the ([A-Z][\w\- ]*?)(?: dialog(?: box)?)?\.)");
  // "the Options dialog", "Players dialog box", "in the Open a game dialog".
  const QRegularExpression dialog(R"(([A-Z][\w\-]*(?: [a-zA-Z][\w\-]*)*?) dialog\b)");
  const QRegularExpression folder(R"re(folder (?:"([^"]+)"|\*\*([^*]+)\*\*))re");
  std::set<QString> folders;
  OpenGameDialog& chooser = program->OpenGame();
  chooser.show();
  QApplication::processEvents();
  for (QTreeWidgetItemIterator it(chooser.findChild<QTreeWidget*>()); *it; ++it) {
    folders.insert((*it)->text(0));
  }
  chooser.hide();

  int checked = 0;
  for (const Text& t : AllTexts()) {
    for (auto it = display.globalMatch(t.body); it.hasNext();) {
      const auto m = it.next();
      const auto key = keys.find(QKeySequence::fromString(m.captured(1)));
      ASSERT_NE(key, keys.end()) << t.where.toStdString();
      EXPECT_EQ(Opens(key->second), m.captured(2)) << t.where.toStdString();
      ++checked;
    }
    // Bold text names controls ("**Show dialog box enter Hi-Scores**").
    QString prose = t.body;
    prose.remove(QRegularExpression(R"(\*\*[^*]+\*\*)"));
    for (auto m = dialog.globalMatch(prose); m.hasNext();) {
      // The longest tail of the words before "dialog" that names a dialog;
      // "the dialog" names none.
      const QStringList words = m.next().captured(1).split(' ');
      if (QStringList{"the", "this", "a", "its", "each"}.contains(words.last())) continue;
      bool known = false;
      for (qsizetype from = 0; from < words.size() && !known; ++from) {
        known = dialogs.count(words.mid(from).join(' ')) != 0;
      }
      EXPECT_TRUE(known) << t.where.toStdString() << ": no dialog "
                         << words.join(' ').toStdString();
      ++checked;
    }
    for (auto m = folder.globalMatch(t.body); m.hasNext();) {
      const auto f = m.next();
      const QString name = f.captured(1).isEmpty() ? f.captured(2) : f.captured(1);
      EXPECT_TRUE(folders.count(name)) << t.where.toStdString() << ": no folder "
                                       << name.toStdString();
      ++checked;
    }
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
}  // namespace tw::testing
