// The favourite-games dialog.
#include "ui/favourites.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/ini.h"
#include "ui/game_lists.h"

namespace tw {

namespace {

const char* const kSection = "Favourite Games";

std::string KeyOf(int i) { return "Game" + IntToStrPad(i, 3); }

// A list box that takes drops from the other list box only; the drop runs
// the matching button instead of Qt's own item move.
class GameListBox : public QListWidget {
 public:
  GameListBox(QWidget* parent, std::function<void()> onDrop)
      : QListWidget(parent), on_drop_(std::move(onDrop)) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
  }

 protected:
  bool FromOtherList(const QDropEvent* e) const {
    const auto* source = qobject_cast<const QListWidget*>(e->source());
    return source && source != this;
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (FromOtherList(e)) {
      e->setDropAction(Qt::CopyAction);
      e->accept();
    } else {
      e->ignore();
    }
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (FromOtherList(e)) {
      e->setDropAction(Qt::CopyAction);
      e->accept();
    } else {
      e->ignore();
    }
  }
  void dropEvent(QDropEvent* e) override {
    if (!FromOtherList(e)) {
      e->ignore();
      return;
    }
    // Copy: the source keeps its items; the handler has moved them already.
    e->setDropAction(Qt::CopyAction);
    e->accept();
    if (on_drop_) on_drop_();
  }

 private:
  std::function<void()> on_drop_;
};

// Sorted by name without regard to case (Qt's own sort heeds it).
void SortGameList(QListWidget* list) {
  std::vector<QListWidgetItem*> items;
  while (list->count() > 0) items.push_back(list->takeItem(0));
  std::stable_sort(items.begin(), items.end(), [](QListWidgetItem* a, QListWidgetItem* b) {
    return a->text().compare(b->text(), Qt::CaseInsensitive) < 0;
  });
  for (QListWidgetItem* item : items) list->addItem(item);
}

}  // namespace

std::vector<std::string> ReadFavouriteGames(const GameContext& ctx) {
  std::vector<std::string> names;
  const sys::IniFile ini(CfgFilePath(ctx));
  for (int i = 0; i < 1000; ++i) {
    const std::string value = ini.ReadString(kSection, KeyOf(i), "");
    if (value.empty()) break;
    names.push_back(value);
  }
  return names;
}

void WriteFavouriteGames(GameContext& ctx, const std::vector<std::string>& names) {
  sys::IniFile ini(CfgFilePath(ctx));
  // Keys are overwritten in place and the rest removed from the end of the
  // new list on, so the file holds a whole list after every single write.
  const int n = static_cast<int>(std::min<size_t>(names.size(), 1000));
  for (int i = 0; i < n; ++i) ini.WriteString(kSection, KeyOf(i), Trim(names[size_t(i)]));
  for (int i = n; i < 1000 && ini.KeyExists(kSection, KeyOf(i)); ++i) {
    ini.DeleteKey(kSection, KeyOf(i));
  }
  if (n == 0) ini.EraseSection(kSection);
}

FavouritesDialog::FavouritesDialog(GameContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx) {
  setObjectName("frmFavorite");
  setWindowTitle("Favorite games");
  setProperty("helpContext", kFavouritesHelpContext);
  lb_all_ = new GameListBox(this, [this] { btnRemoveClick(); });
  lb_selected_ = new GameListBox(this, [this] { btnAddClick(); });
  lb_all_->setObjectName("lbAll");
  lb_selected_->setObjectName("lbSelected");
  for (QListWidget* l : {lb_all_, lb_selected_}) l->setMinimumSize(200, 260);
  auto* label1 = new QLabel("&Games list:", this);
  auto* label2 = new QLabel("&Favorite games:", this);
  label1->setBuddy(lb_all_);
  label2->setBuddy(lb_selected_);

  auto button = [this](const char* text, const char* name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    return b;
  };
  QPushButton* add = button(">", "btnAdd");
  QPushButton* remove = button("<", "btnRemove");
  QPushButton* removeAll = button("<<", "btnRemoveAll");
  QPushButton* ok = button("OK", "btnOK");
  QPushButton* cancel = button("Cancel", "btnCancel");
  QPushButton* help = button("&?", "btnAiuto");
  for (QPushButton* b : {add, remove, removeAll}) b->setFixedWidth(40);
  ok->setDefault(true);

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(12, 12, 12, 12);
  grid->addWidget(label1, 0, 0);
  grid->addWidget(label2, 0, 2);
  grid->addWidget(lb_all_, 1, 0);
  auto* middle = new QVBoxLayout;
  middle->addStretch();
  middle->addWidget(add);
  middle->addWidget(remove);
  middle->addSpacing(12);
  middle->addWidget(removeAll);
  middle->addStretch();
  grid->addLayout(middle, 1, 1);
  grid->addWidget(lb_selected_, 1, 2);
  auto* right = new QVBoxLayout;
  right->addWidget(ok);
  right->addWidget(cancel);
  right->addWidget(help);
  right->addStretch();
  grid->addLayout(right, 1, 3);

  connect(add, &QPushButton::clicked, this, [this] { btnAddClick(); });
  connect(remove, &QPushButton::clicked, this, [this] { btnRemoveClick(); });
  connect(removeAll, &QPushButton::clicked, this, [this] { btnRemoveAllClick(); });
  connect(ok, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kFavouritesHelpContext);
  });
  connect(lb_all_, &QListWidget::itemDoubleClicked, this, [this] { btnAddClick(); });
  connect(lb_selected_, &QListWidget::itemDoubleClicked, this, [this] { btnRemoveClick(); });

  // Stored names of games that are gone are left out (and so dropped on OK).
  FillGamesListBox(ctx_, lb_all_, -1);
  for (const std::string& name : ReadFavouriteGames(ctx_)) {
    if (GameNumberFromName(ctx_, name) < 0) continue;
    const int index = IndexOfTrimmedText(lb_all_, TrimRightSpaces(name));
    if (index >= 0) lb_selected_->addItem(lb_all_->takeItem(index));
  }
  SortGameList(lb_all_);
  SortGameList(lb_selected_);
}

void FavouritesDialog::MoveSelected(QListWidget* from, QListWidget* to) {
  for (QListWidgetItem* item : from->selectedItems()) {
    to->addItem(from->takeItem(from->row(item)));
  }
  from->clearSelection();
  to->clearSelection();
  SortGameList(to);
}

void FavouritesDialog::btnAddClick() { MoveSelected(lb_all_, lb_selected_); }

void FavouritesDialog::btnRemoveClick() { MoveSelected(lb_selected_, lb_all_); }

void FavouritesDialog::btnRemoveAllClick() {
  lb_selected_->selectAll();
  btnRemoveClick();
}

void FavouritesDialog::btnOKClick() {
  std::vector<std::string> names;
  for (int i = 0; i < lb_selected_->count(); ++i) names.push_back(ItemGameName(lb_selected_, i));
  WriteFavouriteGames(ctx_, names);
  accept();
}

}  // namespace tw
