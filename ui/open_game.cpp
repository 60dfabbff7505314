#include "ui/open_game.h"

#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "core/customgames.h"
#include "core/datafiles.h"
#include "core/gamelists.h"
#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"
#include "ui/game_preview.h"
#include "ui/help_viewer.h"

namespace tw {

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kPreviewWidth = 300, kPreviewHeight = 185;
constexpr const char* kPrefs = "Preference";

// Index = icon number of the tree.
// clang-format off
const char* const kIconNames[] = {
    "TREE1", "TREE2", "N_TREE3", "N_TREE4", "N_TREE5", "F_TREE1", "F_TREE2", "S_TREE1",
    "S_TREE2", "D_TREE1", "D_TREE2", "TREE5_CANFIELD_TYPE", "TREE5_FAN_TYPE",
    "TREE5_FORTYTHIEVES_TYPE", "TREE5_FREECELL_TYPE", "TREE5_KLONDIKE_TYPE",
    "TREE5_PAIRING_TYPE", "TREE5_SIMPLEGAMES_TYPE", "TREE5_SPIDER_TYPE", "TREE5_1DECK_TYPE",
    "TREE5_2DECK_TYPE", "C_TREE1", "C_TREE2", "TREE5_CUSTOMIZED_GAMES", "TREE5_FAVORITES_GAMES",
    "TREE5_BAKERSDOZEN_TYPE", "T_TREE1", "T_TREE2", "I_TREE1", "I_TREE2", "K_TREE1", "K_TREE2",
    "W_TREE1", "W_TREE2", "TREE5_ROW_TYPE",
};
// clang-format on
constexpr int kIconCount = static_cast<int>(std::size(kIconNames));

struct FamilyRow {
  const char* caption;
  int id;
  int family;
  int icon;
};
constexpr FamilyRow kFamilyFolderTable[] = {
    {"Baker's Dozen type", -202005, 12, 25}, {"Canfield type", -202010, 2, 11},
    {"Fan type", -202015, 11, 12},           {"Forty Thieves type", -202020, 3, 13},
    {"FreeCell type", -202025, 4, 14},       {"Klondike type", -202030, 5, 15},
    {"Pairing games", -202035, 6, 16},       {"Row type", -202040, 13, 34},
    {"Simple games", -202045, 7, 17},        {"Spider type", -202050, 8, 18},
    {"1 deck games", -202055, 9, 19},        {"2 decks games", -202060, 10, 20},
};

// Attribute sub-folders: the rule row they test and the value they hold.
// Three folders are captioned "Medium", so they are told apart by id only.
struct AttributeFolder {
  const char* caption;
  int id;
  int row;
  int value;
};
constexpr AttributeFolder kAttributeFolders[] = {
    {"Quick", -203010, 338, 2},    {"Medium", -203020, 338, 1},    {"Long", -203030, 338, 0},
    {"Easy", -204010, 339, 0},     {"Medium", -204020, 339, 1},    {"Hard", -204030, 339, 2},
    {"Skill", -205010, 340, 0},    {"Balanced", -205020, 340, 1},  {"Chance", -205030, 340, 2},
    {"Very low", -206010, 341, 4}, {"Low", -206020, 341, 3},       {"Medium", -206030, 341, 2},
    {"High", -206040, 341, 1},     {"Very high", -206050, 341, 0},
};

const AttributeFolder* FindAttributeFolder(int id) {
  for (const AttributeFolder& f : kAttributeFolders)
    if (f.id == id) return &f;
  return nullptr;
}

const char* const kTimeNames[] = {"Long", "Medium", "Quick"};
const char* const kDifficultyNames[] = {"Easy", "Medium", "Hard"};
const char* const kChanceNames[] = {"Very high", "High", "Medium", "Low", "Very low"};
const char* const kTimePictures[] = {"PROG_TIME_LONG", "PROG_TIME_MEDIUM", "PROG_TIME_QUICK"};
const char* const kDifficultyPictures[] = {"PROG_DIFF_EASY", "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD"};
const char* const kChancePictures[] = {"PROG_CHAN_VERYHIGH", "PROG_CHAN_HIGH", "PROG_CHAN_MEDIUM",
                                       "PROG_CHAN_LOW", "PROG_CHAN_VERYLOW"};

template <size_t N>
const char* Pick(const char* const (&names)[N], int value) {
  return value >= 0 && value < static_cast<int>(N) ? names[value] : "";
}

int NodeId(const QTreeWidgetItem* item) { return item ? item->data(0, kIdRole).toInt() : -1; }

QString ToQt(const std::string& text) { return qt::FromLatin(text); }

// Hourglass for the length of a scope.
class Hourglass {
 public:
  Hourglass(qt::Prompts& prompts, bool on) : prompts_(prompts), on_(on) {
    if (on_) prompts_.SetHourglass(true);
  }
  ~Hourglass() {
    if (on_) prompts_.SetHourglass(false);
  }

 private:
  qt::Prompts& prompts_;
  bool on_;
};

}  // namespace

void WriteGamePreference(GameContext& ctx, int game, const std::string& name, int treeNumber) {
  sys::IniFile ini(CfgFilePath(ctx));
  ini.WriteInteger(kPrefs, "Game", game);
  ini.WriteString(kPrefs, "Game_Name", TrimRightSpaces(name));
  ini.WriteInteger(kPrefs, "Game_TreeNum", treeNumber);
}

// ---- Creation ----

OpenGameDialog::OpenGameDialog(GameContext& ctx, const gfx::ResourceLibrary& library,
                               qt::Prompts& prompts, QWidget* parent)
    : QDialog(parent), ctx_(ctx), library_(library), prompts_(prompts) {
  setWindowTitle("Open a game");
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setModal(true);

  // The 35 tree icons; the red-brown ground of older pictures is see-through.
  for (int i = 0; i < kIconCount; ++i) {
    QImage image = library_.LoadBitmap(kIconNames[i]).Image();
    QPixmap pixmap;
    if (!image.isNull()) {
      pixmap = QPixmap::fromImage(image);
      if (!image.hasAlphaChannel())
        pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(qRgb(128, 0, 0))));
    }
    icons_.push_back(pixmap.isNull() ? QIcon() : QIcon(pixmap));
  }

  // The preview ground: green at the top to black at the bottom, plain green
  // on a display of 256 colours or fewer.
  background_ = QImage(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
  if (GetColorCount() <= 256) {
    background_.fill(QColor(0, 128, 0));
  } else {
    QPainter p(&background_);
    QLinearGradient g(0, 0, 0, kPreviewHeight);
    g.setColorAt(0, QColor(0, 128, 0));
    g.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(background_.rect(), g);
  }

  sys::IniFile ini(CfgFilePath(ctx_));
  const int treeNum = ini.ReadInteger(kPrefs, "Game_TreeNum", tree_id::kAllGames);
  if (treeNum < 0) initial_folder_ = treeNum;

  // Catalogue order by name: name, family and number of every game.
  for (const std::string& line : ctx_.GameList) {
    IndexEntry e;
    e.name = PadRight(line.size() > 10 ? line.substr(10) : std::string(), 50);
    e.family = CatalogueFamily(line);
    e.number = CatalogueNumber(line);
    game_index_.push_back(e);
  }
  std::stable_sort(
      game_index_.begin(), game_index_.end(),
      [](const IndexEntry& a, const IndexEntry& b) { return GameNameLess(a.name, b.name); });

  // ---- Widgets ----
  auto* selectLabel = new QLabel("Select a game:", this);
  trv_games_ = new QTreeWidget(this);
  trv_games_->setHeaderHidden(true);
  trv_games_->setColumnCount(1);
  trv_games_->setIconSize(QSize(16, 16));
  trv_games_->setUniformRowHeights(true);
  trv_games_->setMinimumWidth(250);
  trv_games_->setContextMenuPolicy(Qt::CustomContextMenu);
  trv_games_->installEventFilter(this);
  selectLabel->setBuddy(trv_games_);

  auto* playerLabel = new QLabel("Pla&yer:", this);
  cbo_players_ = new QComboBox(this);
  cbo_players_->setMinimumWidth(150);
  playerLabel->setBuddy(cbo_players_);
  btn_statistics_ = new QPushButton("Statistics", this);
  btn_rules_ = new QPushButton("Rules", this);

  // Description page (white) and logo page (silver).
  pages_ = new QStackedWidget(this);
  auto* desc = new QFrame;
  desc->setObjectName("pnlDescGame");
  desc->setFrameShape(QFrame::StyledPanel);
  desc->setAutoFillBackground(true);
  QPalette white = desc->palette();
  white.setColor(QPalette::Window, Qt::white);
  desc->setPalette(white);
  lbl_game_name_ = new QLabel(desc);
  QFont bold = lbl_game_name_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.25);
  lbl_game_name_->setFont(bold);
  chk_preview_ = new QCheckBox("&Preview", desc);
  img_game_ = new QLabel(desc);
  img_game_->setFixedSize(kPreviewWidth, kPreviewHeight);
  img_game_->setFrameShape(QFrame::NoFrame);

  auto makeRow = [&](QGridLayout* grid, int row, const char* caption, QLabel** picture,
                     QLabel** value) {
    if (picture) {
      *picture = new QLabel(desc);
      (*picture)->setFixedSize(64, 16);
      grid->addWidget(*picture, row, 0);
    }
    grid->addWidget(new QLabel(caption, desc), row, 1);
    *value = new QLabel(desc);
    QFont f = (*value)->font();
    f.setBold(true);
    (*value)->setFont(f);
    grid->addWidget(*value, row, 2);
  };
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  makeRow(grid, 0, "Game time:", &img_game_time_, &lbl_game_time_);
  makeRow(grid, 1, "Difficulty level:", &img_difficult_, &lbl_diff_rules_);
  makeRow(grid, 2, "Chance of winning:", &img_winning_, &lbl_diff_win_);
  makeRow(grid, 3, "Decks:", nullptr, &lbl_deck_);
  makeRow(grid, 4, "Redeals:", nullptr, &lbl_redeal_);
  grid->setColumnStretch(2, 1);

  auto* descLayout = new QVBoxLayout(desc);
  descLayout->setContentsMargins(12, 10, 12, 12);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(lbl_game_name_, 1);
  nameRow->addWidget(chk_preview_);
  descLayout->addLayout(nameRow);
  descLayout->addWidget(img_game_, 0, Qt::AlignHCenter);
  descLayout->addSpacing(6);
  descLayout->addLayout(grid);
  descLayout->addStretch(1);

  auto* logoPage = new QFrame;
  logoPage->setFrameShape(QFrame::StyledPanel);
  logoPage->setAutoFillBackground(true);
  QPalette silver = logoPage->palette();
  silver.setColor(QPalette::Window, QColor(192, 192, 192));
  logoPage->setPalette(silver);
  auto* logo = new QLabel(logoPage);
  logo->setAlignment(Qt::AlignCenter);
  const QImage logoImage = library_.LoadBitmap("LOGO").Image();
  if (!logoImage.isNull()) logo->setPixmap(QPixmap::fromImage(logoImage));
  auto* logoLayout = new QVBoxLayout(logoPage);
  logoLayout->addWidget(logo);
  pages_->addWidget(desc);
  pages_->addWidget(logoPage);
  pages_->setMinimumWidth(kPreviewWidth + 30);

  btn_ok_ = new QPushButton("OK", this);
  btn_ok_->setDefault(true);
  btn_open_ = new QPushButton("Open a sa&ved game...", this);
  btn_cancel_ = new QPushButton("Cancel", this);
  btn_aiuto_ = new QPushButton("&?", this);
  btn_aiuto_->setFixedWidth(36);

  auto* left = new QVBoxLayout;
  left->addWidget(selectLabel);
  left->addWidget(trv_games_, 1);
  auto* playerRow = new QHBoxLayout;
  playerRow->addWidget(playerLabel);
  playerRow->addWidget(cbo_players_, 1);
  left->addLayout(playerRow);
  auto* leftButtons = new QHBoxLayout;
  leftButtons->addWidget(btn_statistics_);
  leftButtons->addWidget(btn_rules_);
  leftButtons->addStretch(1);
  left->addLayout(leftButtons);

  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addWidget(pages_);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btn_aiuto_);
  buttons->addStretch(1);
  buttons->addWidget(btn_open_);
  buttons->addSpacing(12);
  buttons->addWidget(btn_ok_);
  buttons->addWidget(btn_cancel_);

  auto* main = new QVBoxLayout(this);
  main->setContentsMargins(12, 12, 12, 12);
  main->addLayout(top, 1);
  auto* line = new QFrame(this);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  main->addWidget(line);
  main->addLayout(buttons);
  resize(680, 480);

  // Popup of the tree, with its shortcuts live in the whole dialog.
  popup_ = new QMenu(this);
  QAction* rules = popup_->addAction("&Rules");
  QAction* stats = popup_->addAction("Statistics...");
  stats->setShortcut(QKeySequence(Qt::Key_F4));
  popup_->addSeparator();
  QAction* favourites = popup_->addAction("Favorite games...");
  favourites->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  popup_->addSeparator();
  mnu_delete_ = popup_->addAction("Delete");
  for (QAction* a : {stats, favourites}) {
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
  }
  connect(rules, &QAction::triggered, this, [this] { btnRulesClick(); });
  connect(stats, &QAction::triggered, this, [this] { btnStatisticsClick(); });
  connect(favourites, &QAction::triggered, this, [this] { Customizefavouritegames1Click(); });
  connect(mnu_delete_, &QAction::triggered, this, [this] { mnuDeleteCustomGameClick(); });
  connect(trv_games_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1Popup(pos); });

  connect(btn_ok_, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btn_open_, &QPushButton::clicked, this, [this] { btnOpenClick(); });
  connect(btn_cancel_, &QPushButton::clicked, this, [this] { reject(); });
  connect(btn_aiuto_, &QPushButton::clicked, this, [this] {
    if (hooks_.ShowHelp) hooks_.ShowHelp(kOpenGameHelpContext);
  });
  connect(btn_rules_, &QPushButton::clicked, this, [this] { btnRulesClick(); });
  connect(btn_statistics_, &QPushButton::clicked, this, [this] { btnStatisticsClick(); });
  connect(chk_preview_, &QCheckBox::clicked, this, [this] { chkPreviewClick(); });
  connect(trv_games_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) { OnCurrentChanged(current); });
  connect(trv_games_, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* item) { OnExpanded(item); });
  connect(trv_games_, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item, int) { trvGamesDblClick(item); });

  chk_preview_->setChecked(ini.ReadString(kPrefs, "Open_Preview_Game", "Y") == "Y");
  BuildTree();
  ShowPreviewBackground();
  pages_->setCurrentIndex(1);
}

OpenGameDialog::~OpenGameDialog() = default;

QTreeWidgetItem* OpenGameDialog::AddFolder(QTreeWidgetItem* parent, const QString& caption, int id,
                                           int icon, int selectedIcon, bool filled) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(trv_games_);
  item->setText(0, caption);
  item->setData(0, kIdRole, id);
  QIcon both;
  if (icon >= 0 && icon < kIconCount && !icons_[icon].isNull())
    both.addPixmap(icons_[icon].pixmap(16, 16), QIcon::Normal);
  if (selectedIcon >= 0 && selectedIcon < kIconCount && !icons_[selectedIcon].isNull())
    both.addPixmap(icons_[selectedIcon].pixmap(16, 16), QIcon::Selected);
  item->setIcon(0, both);
  if (filled) {
    auto* nil = new QTreeWidgetItem(item);
    nil->setText(0, "nil");
    nil->setData(0, kIdRole, tree_id::kPlaceholder);
  }
  return item;
}

QTreeWidgetItem* OpenGameDialog::AddNode(QTreeWidgetItem* parent, const std::string& caption,
                                         int id, int icon, int selectedIcon) {
  return AddFolder(parent, ToQt(TrimRightSpaces(caption)), id, icon, selectedIcon, false);
}

void OpenGameDialog::BuildTree() {
  using namespace tree_id;
  AddFolder(nullptr, "Favorite games", kFavourites, 7, 8, true);
  QTreeWidgetItem* folders = AddFolder(nullptr, "Folders list", kFolders, 9, 10, false);
  AddFolder(folders, "Selected games", kSelected, 5, 6, true);
  AddFolder(folders, "Customized games", kCustom, 21, 22, true);
  QTreeWidgetItem* types = AddFolder(folders, "Game Type", kGameType, 9, 10, false);
  for (const FamilyRow& row : kFamilyFolderTable) AddFolder(types, row.caption, row.id, 0, 1, true);
  const struct {
    const char* caption;
    int id, icon, selected, row;
  } kAttributeRoots[] = {{"by Game Time", kByTime, 26, 27, 338},
                         {"by Difficulty Level", kByDifficulty, 28, 29, 339},
                         {"by Skill or Chance", kBySkill, 30, 31, 340},
                         {"by Chance of Winning", kByChance, 32, 33, 341}};
  for (const auto& root : kAttributeRoots) {
    QTreeWidgetItem* r = AddFolder(folders, root.caption, root.id, root.icon, root.selected, false);
    for (const AttributeFolder& f : kAttributeFolders)
      if (f.row == root.row) AddFolder(r, f.caption, f.id, 0, 1, true);
  }
  AddFolder(nullptr, "All games (alphabetically)", kAllGames, 0, 1, true);
}

QTreeWidgetItem* OpenGameDialog::FindNode(int id) const {
  for (QTreeWidgetItemIterator it(trv_games_); *it; ++it)
    if (NodeId(*it) == id) return *it;
  return nullptr;
}

int OpenGameDialog::FamilyIcon(int family) const {
  for (const FamilyRow& row : kFamilyFolderTable)
    if (row.family == family) return row.icon;
  return -1;
}

void OpenGameDialog::SelectIf(QTreeWidgetItem* item, int id, int selectGame) {
  if (selectGame < 0 || id != selectGame) return;
  for (QTreeWidgetItem* p = item->parent(); p; p = p->parent()) p->setExpanded(true);
  trv_games_->setCurrentItem(item);
  trv_games_->scrollToItem(item);
}

void OpenGameDialog::RemoveFirstChildIf(QTreeWidgetItem* node, int a, int b) {
  if (node->childCount() == 0) return;
  const int id = NodeId(node->child(0));
  if (id == a || id == b) delete node->takeChild(0);
}

// ---- Filling ----

void OpenGameDialog::FillGameFolder(QTreeWidgetItem* node, int selectGame) {
  if (!node) return;
  const int id = NodeId(node);
  if (id >= 0 || node->childCount() == 0 || NodeId(node->child(0)) != tree_id::kPlaceholder) return;
  // Selecting a node of the folder being filled must not fill it again.
  const bool enabled = tree_enabled_;
  tree_enabled_ = false;
  if (id == tree_id::kSelected) {
    FillSelectedGames(node, selectGame);
  } else if (id == tree_id::kFavourites) {
    FillFavourites(node, selectGame);
  } else if (id == tree_id::kCustom) {
    FillCustomGames(node, selectGame);
  } else if (id == tree_id::kAllGames) {
    FillAllGames(node, selectGame);
  } else if (FindAttributeFolder(id)) {
    FillAttribute(node, selectGame);
  } else {
    FillFamily(node, selectGame);
  }
  tree_enabled_ = enabled;
}

void OpenGameDialog::FillSelectedGames(QTreeWidgetItem* node, int selectGame) {
  RemoveFirstChildIf(node, tree_id::kPlaceholder, tree_id::kPlaceholder);
  std::vector<std::pair<std::string, int>> entries;
  if (ctx_.GamesData) {
    for (int game : ctx_.GamesData->SelectedGames()) {
      const std::string name = GameNameFromNumber(ctx_, game);
      // A number naming no game would give a node without a caption.
      if (name.empty() || game >= kFirstCustomGame) continue;
      entries.emplace_back(PadRight(name, 50), game);
    }
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const auto& a, const auto& b) { return GameNameLess(a.first, b.first); });
  for (const auto& [name, game] : entries) {
    const int icon = FamilyIcon(GameFamilyFromNumber(ctx_, game));
    QTreeWidgetItem* item = AddNode(node, name, game, icon, icon);
    SelectIf(item, game, selectGame);
  }
}

void OpenGameDialog::FillFavourites(QTreeWidgetItem* node, int selectGame) {
  RefreshCustomGamesFolder();
  RemoveFirstChildIf(node, tree_id::kPlaceholder, tree_id::kFavouritesGuide);
  sys::IniFile ini(CfgFilePath(ctx_));
  bool any = false;
  for (int i = 0;; ++i) {
    const std::string key = "Game" + IntToStrPad(i, 3);
    const std::string value = ini.ReadString("Favourite Games", key, "");
    if (value.empty()) break;
    any = true;
    const int game = GameNumberFromName(ctx_, value);
    if (game < 0) continue;
    const int icon = game >= kFirstCustomGame ? 23 : 24;
    QTreeWidgetItem* item = AddNode(node, value, game, icon, icon);
    SelectIf(item, game, selectGame);
  }
  if (!any) AddNode(node, "(Double click to customize)", tree_id::kFavouritesGuide, 4, 4);
}

void OpenGameDialog::FillCustomGames(QTreeWidgetItem* node, int selectGame) {
  custom_info_.clear();
  StringList names, numbers, bases, rules;
  LoadCustomGameList(ctx_, names, numbers, bases, rules);
  RemoveFirstChildIf(node, tree_id::kPlaceholder, tree_id::kCustomGuide);
  if (names.empty()) {
    AddNode(node, "(How to customize a game)", tree_id::kCustomGuide, 4, 4);
    return;
  }
  for (size_t i = 0; i < names.size(); ++i) {
    int64_t number = -1, base = -1, deals = 0;
    if (!ParseInt(Trim(numbers[i]), number)) continue;
    ParseInt(Trim(bases[i]), base);
    const std::string rule = PadRight(rules[i], 7);
    if (!ParseInt(Trim(rule.substr(3, 3)), deals)) deals = 0;
    custom_info_[static_cast<int>(number)] = {static_cast<int>(base), static_cast<int>(deals)};
    QTreeWidgetItem* item = AddNode(node, names[i], static_cast<int>(number), 23, 23);
    SelectIf(item, static_cast<int>(number), selectGame);
  }
}

void OpenGameDialog::FillAllGames(QTreeWidgetItem* node, int selectGame) {
  RemoveFirstChildIf(node, tree_id::kPlaceholder, tree_id::kPlaceholder);
  for (const IndexEntry& e : game_index_) {
    const int icon = FamilyIcon(e.family);
    QTreeWidgetItem* item = AddNode(node, e.name, e.number, icon, icon);
    // A game of a family outside the table gets no icon and no preselection.
    if (icon >= 0) SelectIf(item, e.number, selectGame);
  }
}

void OpenGameDialog::FillFamily(QTreeWidgetItem* node, int selectGame) {
  RemoveFirstChildIf(node, tree_id::kPlaceholder, tree_id::kPlaceholder);
  int family = 0;
  for (const FamilyRow& row : kFamilyFolderTable)
    if (row.id == NodeId(node)) family = row.family;
  const int icon = FamilyIcon(family);
  for (const IndexEntry& e : game_index_) {
    if (e.family != family) continue;
    QTreeWidgetItem* item = AddNode(node, e.name, e.number, icon, icon);
    SelectIf(item, e.number, selectGame);
  }
}

void OpenGameDialog::FillAttribute(QTreeWidgetItem* node, int selectGame) {
  RemoveFirstChildIf(node, tree_id::kPlaceholder, tree_id::kPlaceholder);
  const AttributeFolder* folder = FindAttributeFolder(NodeId(node));
  for (const IndexEntry& e : game_index_) {
    const int value = ReadGamesDatValues(ctx_, e.number, {folder->row})[0];
    if (value != folder->value) continue;
    const int icon = FamilyIcon(e.family);
    QTreeWidgetItem* item = AddNode(node, e.name, e.number, icon, icon);
    SelectIf(item, e.number, selectGame);
  }
}

void OpenGameDialog::RefreshFolder(int id) {
  QTreeWidgetItem* node = FindNode(id);
  if (!node) {
    prompts_.ShowMessage("Node not found");
    return;
  }
  const bool enabled = tree_enabled_;
  tree_enabled_ = false;
  const bool expanded = node->isExpanded();
  while (node->childCount() > 0) delete node->takeChild(0);
  // The fill works only on a folder that waits for its games.
  auto* nil = new QTreeWidgetItem(node);
  nil->setText(0, "nil");
  nil->setData(0, kIdRole, tree_id::kPlaceholder);
  FillGameFolder(node, -1);
  node->setExpanded(expanded);
  tree_enabled_ = enabled;
  if (enabled) ShowGameDescription(false);
}

void OpenGameDialog::RefreshFavouriteGamesFolder() { RefreshFolder(tree_id::kFavourites); }
void OpenGameDialog::RefreshCustomGamesFolder() { RefreshFolder(tree_id::kCustom); }

// ---- Showing ----

void OpenGameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Hourglass busy(prompts_, true);
  action_ = OpenGameAction::None;
  if (initial_folder_ != -1) {
    int64_t game = -1;
    if (!ParseInt(Trim(ctx_.Cfg(cfg::Game)), game)) game = -1;
    // A custom game is in no catalogue folder: it is looked for in its own.
    if (game >= kFirstCustomGame && initial_folder_ != tree_id::kFavourites) {
      initial_folder_ = tree_id::kCustom;
    }
    QTreeWidgetItem* folder = FindNode(initial_folder_);
    if (!folder) folder = FindNode(tree_id::kAllGames);
    FillGameFolder(folder, static_cast<int>(game));
    if (!trv_games_->currentItem()) trv_games_->setCurrentItem(folder);
    initial_folder_ = -1;
  }
  tree_enabled_ = true;
  ShowGameDescription(false);
  trv_games_->setFocus();
  FillPlayers();
}

void OpenGameDialog::FillPlayers() {
  StringList users;
  LoadUserList(ctx_, users);
  cbo_players_->clear();
  for (const std::string& u : users) cbo_players_->addItem(ToQt(TrimRightSpaces(u)));
  const QString current = ToQt(TrimRightSpaces(ctx_.Cfg(cfg::UserDefault)));
  cbo_players_->setCurrentIndex(
      cbo_players_->findText(current, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

int OpenGameDialog::SelectedId() const { return NodeId(trv_games_->currentItem()); }

void OpenGameDialog::SelectNode(QTreeWidgetItem* node) {
  if (!node) return;
  trv_games_->setCurrentItem(node);
  trv_games_->scrollToItem(node);
}

void OpenGameDialog::OnCurrentChanged(QTreeWidgetItem* current) {
  if (!tree_enabled_) return;
  Hourglass busy(prompts_, true);
  FillGameFolder(current, -1);
  ShowGameDescription(true);
}

void OpenGameDialog::OnExpanded(QTreeWidgetItem* item) {
  Hourglass busy(prompts_, true);
  FillGameFolder(item, -1);
}

int OpenGameDialog::BaseGameOf(int id) const {
  if (id < kFirstCustomGame) return id;
  auto it = custom_info_.find(id);
  return it == custom_info_.end() ? -1 : it->second.base;
}

void OpenGameDialog::ShowGameDescription(bool withHourglass) {
  Hourglass busy(prompts_, withHourglass);
  const int id = SelectedId();
  const bool game = id >= 0;
  pages_->setCurrentIndex(game ? 0 : 1);
  for (QWidget* w : {static_cast<QWidget*>(chk_preview_), static_cast<QWidget*>(btn_ok_),
                     static_cast<QWidget*>(btn_rules_), static_cast<QWidget*>(btn_statistics_)})
    w->setEnabled(game);
  if (!game) return;

  lbl_game_name_->setText(trv_games_->currentItem()->text(0));
  int base = id, deals = 0;
  const bool custom = id >= kFirstCustomGame;
  if (custom) {
    auto it = custom_info_.find(id);
    base = it == custom_info_.end() ? -1 : it->second.base;
    deals = it == custom_info_.end() ? 0 : it->second.deals;
  }
  const std::vector<int16_t> v = ReadGamesDatValues(ctx_, base, {338, 339, 341, 342, 343, 263, 13});
  lbl_deck_->setText(QString::number(v[5] > 0 ? v[5] / 52 : 0));
  auto picture = [this](QLabel* label, const char* name) {
    const QImage image = library_.LoadBitmap(name).Image();
    label->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
  };
  if (custom) {
    for (QLabel* l : {img_game_time_, img_difficult_, img_winning_}) picture(l, "PROG_DISABLED");
    for (QLabel* l : {lbl_game_time_, lbl_diff_rules_, lbl_diff_win_})
      l->setText("Customized game");
  } else {
    deals = v[6];
    lbl_game_time_->setText(Pick(kTimeNames, v[0]));
    picture(img_game_time_, Pick(kTimePictures, v[0]));
    lbl_diff_rules_->setText(Pick(kDifficultyNames, v[1]));
    picture(img_difficult_, Pick(kDifficultyPictures, v[1]));
    QString chance = Pick(kChanceNames, v[2]);
    if (v[4] != 0 && v[4] != -99) chance += QString(" (about %1 in %2)").arg(v[3]).arg(v[4]);
    lbl_diff_win_->setText(chance);
    picture(img_winning_, Pick(kChancePictures, v[2]));
  }
  lbl_redeal_->setText(deals == -1 ? QString("Unlimited")
                       : deals > 0 ? QString::number(deals - 1)
                                   : QString("0"));
  ShowPreviewBackground();
  DrawGamePreview(base);
}

void OpenGameDialog::ShowPreviewBackground() {
  img_game_->setPixmap(QPixmap::fromImage(background_));
}

void OpenGameDialog::DrawGamePreview(int game) {
  if (!chk_preview_->isChecked() || game < 0) return;
  auto it = previews_.find(game);
  if (it == previews_.end())
    it = previews_
             .emplace(game,
                      RenderGamePreview(ctx_, library_, game, QSize(kPreviewWidth, kPreviewHeight)))
             .first;
  QImage box = background_.copy();
  if (!it->second.isNull()) {
    QPainter p(&box);
    p.drawImage((kPreviewWidth - it->second.width()) / 2, 0, it->second);
  }
  img_game_->setPixmap(QPixmap::fromImage(box));
}

QImage OpenGameDialog::PreviewPicture() const { return img_game_->pixmap().toImage(); }

bool OpenGameDialog::DescriptionShown() const { return pages_->currentIndex() == 0; }

std::vector<QString> OpenGameDialog::DescriptionTexts() const {
  return {lbl_game_name_->text(), lbl_game_time_->text(), lbl_diff_rules_->text(),
          lbl_diff_win_->text(),  lbl_deck_->text(),      lbl_redeal_->text()};
}

void OpenGameDialog::chkPreviewClick() {
  ShowPreviewBackground();
  if (chk_preview_->isChecked() && SelectedId() >= 0) DrawGamePreview(BaseGameOf(SelectedId()));
}

// ---- Commands ----

void OpenGameDialog::btnOKClick() {
  QTreeWidgetItem* node = trv_games_->currentItem();
  const int id = NodeId(node);
  if (!node || id < 0) {
    prompts_.ShowMessage("Open a game");
    trv_games_->setFocus();
    return;
  }
  std::string player = qt::ToLatin(cbo_players_->currentText());
  if (cbo_players_->currentIndex() < 0) player = TrimRightSpaces(ctx_.Cfg(cfg::UserDefault));
  // Results are kept per player: a game without one would be counted for nobody.
  if (Trim(player).empty()) {
    prompts_.ShowMessage("Select a player.");
    cbo_players_->setFocus();
    return;
  }
  sys::IniFile(CfgFilePath(ctx_))
      .WriteString(kPrefs, "Open_Preview_Game", chk_preview_->isChecked() ? "Y" : "N");
  chosen_game_ = id;
  chosen_name_ = qt::ToLatin(node->text(0));
  chosen_player_ = player;
  chosen_folder_ = node->parent() ? NodeId(node->parent()) : tree_id::kAllGames;
  action_ = OpenGameAction::StartGame;
  accept();
}

void OpenGameDialog::btnOpenClick() {
  action_ = OpenGameAction::OpenSavedGame;
  accept();
}

void OpenGameDialog::done(int result) {
  if (result != Accepted) action_ = OpenGameAction::None;
  QDialog::done(result);
}

void OpenGameDialog::btnRulesClick() {
  const int id = SelectedId();
  if (id < 0) {
    prompts_.ShowMessage("Select a game");
  } else if (hooks_.ShowRules) {
    hooks_.ShowRules(id, qt::ToLatin(trv_games_->currentItem()->text(0)));
  }
  trv_games_->setFocus();
}

void OpenGameDialog::btnStatisticsClick() {
  const int id = SelectedId();
  if (hooks_.ShowStatistics) hooks_.ShowStatistics(id, qt::ToLatin(cbo_players_->currentText()));
  trv_games_->setFocus();
}

void OpenGameDialog::trvGamesDblClick(QTreeWidgetItem* node) {
  const int id = NodeId(node);
  if (id >= 0) {
    btnOKClick();
  } else if (id == tree_id::kFavourites || id == tree_id::kFavouritesGuide) {
    Customizefavouritegames1Click();
  } else if (id == tree_id::kCustom || id == tree_id::kCustomGuide) {
    prompts_.ShowMessage(
        "To customize a game:\rselect the game you want to customize,\rthen from the Tools menu, "
        "choose \"Customize rules\" option (or press Ctrl+R).");
  }
}

void OpenGameDialog::Customizefavouritegames1Click() {
  if (!hooks_.EditFavourites) return;
  hooks_.EditFavourites();
  RefreshFavouriteGamesFolder();
}

void OpenGameDialog::PopupMenu1Popup(const QPoint& pos) {
  if (QTreeWidgetItem* item = trv_games_->itemAt(pos)) trv_games_->setCurrentItem(item);
  mnu_delete_->setEnabled(SelectedId() >= kFirstCustomGame);
  popup_->popup(trv_games_->viewport()->mapToGlobal(pos));
}

void OpenGameDialog::mnuDeleteCustomGameClick() {
  const int id = SelectedId();
  if (id < kFirstCustomGame) return;
  DeleteGameHooks hooks;
  hooks.EndDealAndDeselect = hooks_.NoGameSelected;
  hooks.RebuildGameTree = [this] {
    RefreshCustomGamesFolder();
    RefreshFavouriteGamesFolder();
  };
  DeleteGame(ctx_, id, 1, qt::ToLatin(trv_games_->currentItem()->text(0)), hooks);
}

bool OpenGameDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == trv_games_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    mnuDeleteCustomGameClick();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void UseHelpService(OpenGameHooks& hooks, GameContext& ctx, HelpService& help, QWidget* parent) {
  hooks.ShowRules = [&ctx, &help, parent](int game, const std::string& name) {
    ShowGameRules(ctx, help, game, name, parent);
  };
  hooks.ShowHelp = [&help](int context) { help.ShowTopic("proc", context); };
}

// ---- The opener's side ----

bool RunOpenGameDialog(OpenGameDialog& dialog, GameContext& ctx, const OpenGameOpener& opener) {
  for (;;) {
    dialog.exec();
    switch (dialog.Action()) {
      case OpenGameAction::StartGame: {
        QApplication::processEvents();
        const bool started = opener.SelectGameAndPlayer &&
                             opener.SelectGameAndPlayer(dialog.ChosenGame(), dialog.ChosenName(),
                                                        dialog.ChosenPlayer());
        // Written once the switch is made: a refused switch leaves the old game.
        if (started)
          WriteGamePreference(ctx, dialog.ChosenGame(), dialog.ChosenName(), dialog.ChosenFolder());
        return started;
      }
      case OpenGameAction::OpenSavedGame:
        if (opener.OpenSavedGame) opener.OpenSavedGame();
        if (ctx.TfrmMain.GameInProgress) return false;
        continue;
      case OpenGameAction::None:
        break;
    }
    int64_t game = -1;
    if ((!ParseInt(Trim(ctx.Cfg(cfg::Game)), game) || game < 0) && opener.NoGameChosen)
      opener.NoGameChosen();
    return false;
  }
}

}  // namespace tw
