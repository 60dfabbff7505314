#include "ui/customize_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>
#include <map>

#include "core/datafiles.h"
#include "core/util.h"
#include "engine/ports.h"
#include "platform/gfx/colour.h"
#include "platform/gfx/draw.h"
#include "platform/gfx/picture_file.h"
#include "platform/gfx/pictures.h"
#include "platform/gfx/reslib.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"
#include "ui/bitmap_animated.h"

namespace tw {

namespace {

constexpr const char* kPrefs = "Preference";
constexpr int kHelpContext = 1019;
constexpr int kIdRole = Qt::UserRole;
constexpr int kOnRole = Qt::UserRole + 1;
const QColor kMaskColour(0, 255, 0);  // lime
const QColor kNavy(0, 0, 128);

struct SoundEvent {
  const char* caption;
  const char* preview;
  const char* key;
  CfgField field;
};
constexpr SoundEvent kSoundEvents[] = {
    {"About form", "About", "Sounds_About", cfg::Sounds_About},
    {"Autoplay move", "Autoplay", "Sounds_Autoplay", cfg::Sounds_Autoplay},
    {"Card down", "Card_down", "Sounds_CardDown", cfg::Sounds_CardDown},
    {"Card up", "Card_up", "Sounds_CardUp", cfg::Sounds_CardUp},
    {"Enter Hi-Scores", "Scores", "Sounds_NewHiScores", cfg::Sounds_NewHiScores},
    {"Face up", "Face_up", "Sounds_FaceUp", cfg::Sounds_FaceUp},
    {"Game won", "Won", "Sounds_GameWon", cfg::Sounds_GameWon},
    {"Hi-Scores form", "Hi-Scor", "Sounds_HiScores", cfg::Sounds_HiScores},
    {"New game", "New", "Sounds_NewGame", cfg::Sounds_NewGame},
    {"Pairing", "Pairing", "Sounds_Pairing", cfg::Sounds_Pairing},
    {"Play on foundation", "Foundation", "Sounds_Foundation", cfg::Sounds_Foundation},
    {"Play on tableau", "Tableau", "Sounds_Tableau", cfg::Sounds_Tableau},
    {"Redeal", "Redeal", "Sounds_Redeal", cfg::Sounds_Redeal},
    {"Redo", "Redo", "Sounds_Redo", cfg::Sounds_Redo},
    {"Restart game", "Restart", "Sounds_Restart", cfg::Sounds_Restart},
    {"Shuffle the deck", "Shuffle", "Sounds_Shuffle", cfg::Sounds_Shuffle},
    {"Stock", "Stock", "Sounds_Stock", cfg::Sounds_Stock},
    {"Undo", "Undo", "Sounds_Undo", cfg::Sounds_Undo},
};

struct CursorItem {
  const char* caption;
  int code;
  const char* picture;
};
constexpr CursorItem kCursorItems[] = {{"Arrow small", 10, "CUR_ARROW1"},
                                       {"Arrow large", 11, "CUR_ARROW2"},
                                       {"Hand 1", 12, "CUR_HAND1"},
                                       {"Hand 2", 13, "CUR_HAND2"},
                                       {"Cross", 14, "CUR_CROSS"}};

struct ColourNode {
  const char* caption;
  int id;
};
constexpr ColourNode kColourNodes[] = {{"(Custom color)", kCustomColourNode},
                                       {"Blue", 16711680},
                                       {"Green", 32768},
                                       {"Navy", 8388608},
                                       {"Olive", 32896},
                                       {"Teal", 8421376},
                                       {"White", 16777215}};

constexpr int kSpeeds[5] = {50, 25, 10, 3, 0};

// The sample pictures: card faces at their places over the background.
constexpr int kSampleWidth = 260, kSampleHeight = 213;
constexpr int kBackgroundSampleWidth = 220, kBackgroundSampleHeight = 165;

const char* YesNo(bool on) { return on ? "Y" : "N"; }

int CfgNumber(const GameContext& ctx, CfgField f) {
  return static_cast<int>(std::atoll(Trim(ctx.Cfg(f)).c_str()));
}

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const QString& caption, int id, const QIcon& icon) {
  auto* item = new QTreeWidgetItem(parent, {caption});
  item->setData(0, kIdRole, id);
  item->setIcon(0, icon);
  return item;
}

QTreeWidgetItem* FindNode(QTreeWidget* tree, int id) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if ((*it)->data(0, kIdRole).toInt() == id && (*it)->childCount() == 0) return *it;
  }
  return nullptr;
}

// Copies the corner pixels a card leaves to the picture beneath: three per
// corner, one for the smallest cards.
void CardCorners(QImage& face, const QImage& beneath, int x, int y) {
  const int w = face.width(), h = face.height();
  std::vector<QPoint> pts = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
  if (w != 25) {
    for (QPoint p : {QPoint(1, 0), QPoint(0, 1), QPoint(w - 2, 0), QPoint(w - 1, 1),
                     QPoint(1, h - 1), QPoint(0, h - 2), QPoint(w - 2, h - 1),
                     QPoint(w - 1, h - 2)})
      pts.push_back(p);
  }
  for (QPoint p : pts) {
    const QPoint at(x + p.x(), y + p.y());
    if (beneath.rect().contains(at)) face.setPixel(p, beneath.pixel(at));
  }
}

}  // namespace

int SpeedToTrackbar(int speed) {
  // The nearest of the five speeds.
  int best = 0;
  for (int i = 1; i < 5; ++i)
    if (std::abs(kSpeeds[i] - speed) < std::abs(kSpeeds[best] - speed)) best = i;
  return best + 1;
}

int TrackbarToSpeed(int position) { return kSpeeds[std::clamp(position, 1, 5) - 1]; }

// A card-type thumbnail; a click selects it, the selected one is framed.
class CardThumb : public QLabel {
 public:
  CardThumb(int type, QWidget* parent, std::function<void(int)> clicked)
      : QLabel(parent), type_(type), clicked_(std::move(clicked)) {
    setAlignment(Qt::AlignCenter);
    SetSelected(false);
  }
  void SetSelected(bool on) {
    selected_ = on;
    setStyleSheet(on ? "QLabel { border: 1px solid #000080; padding: 4px; }"
                     : "QLabel { border: 1px solid transparent; padding: 4px; }");
  }
  bool Selected() const { return selected_; }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && clicked_) clicked_(type_);
  }

 private:
  int type_;
  bool selected_ = false;
  std::function<void(int)> clicked_;
};

TfrmCustomize::TfrmCustomize(GameContext& ctx, const gfx::ResourceLibrary& library,
                             qt::Prompts& prompts, int colourCount, QWidget* parent)
    : QDialog(parent), ctx_(ctx), library_(library), prompts_(prompts) {
  setObjectName("frmCustomize");
  setWindowTitle("Customize");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  depth_ = colourCount > 256;
  pages_ = new QTabWidget(this);
  pages_->setObjectName("TabbedNotebook1");
  BuildCardsPage();
  BuildBacksPage();
  BuildBackgroundsPage();
  BuildEffectsPage();
  BuildSoundsPage();
  BuildCursorsPage();
  connect(pages_, &QTabWidget::currentChanged, this, [this] { RefreshSamples(); });

  auto button = [this](const char* caption, const char* name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* ok = button("OK", "btnOK");
  ok->setDefault(true);
  QPushButton* cancel = button("Cancel", "btnCancel");
  QPushButton* apply = button("&Apply", "btnApply");
  QPushButton* help = button("&?", "btnHelp");
  help->setFixedWidth(help->sizeHint().height() + 6);
  connect(ok, &QPushButton::clicked, this, &TfrmCustomize::btnOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(apply, &QPushButton::clicked, this, &TfrmCustomize::btnApplyClick);
  connect(help, &QPushButton::clicked, this, [this] {
    if (help_) help_(kHelpContext);
  });
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (QPushButton* b : {ok, cancel, apply, help}) row->addWidget(b);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(row);

  LoadCustomizeSettings();
  setFixedSize(sizeHint());
}

TfrmCustomize::~TfrmCustomize() = default;

QImage TfrmCustomize::LibraryPicture(const char* name) const {
  return library_.LoadBitmap(name).Image();
}

QCheckBox* TfrmCustomize::Check(const char* name) const { return findChild<QCheckBox*>(name); }
QPushButton* TfrmCustomize::Button(const char* name) const {
  return findChild<QPushButton*>(name);
}

// ---- Pages ----

void TfrmCustomize::BuildCardsPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* types = new QGroupBox("Card faces", page);
  auto* grid = new QGridLayout(types);
  grid->setSpacing(2);
  static const char* const kNames[] = {"imgCard01", "imgCard02", "imgCard03", "imgCard04",
                                       "imgCard05", "imgCard50", "imgCard60"};
  for (size_t i = 0; i < kCardTypes.size(); ++i) {
    auto* thumb = new CardThumb(static_cast<int>(i), types,
                                [this](int type) { imgCardMouseDown(type); });
    thumb->setObjectName(kNames[i]);
    QImage queen = Face(kCardTypes[i], 12);
    // The thumbnail's corners take the dialog's own colour.
    QImage face(queen.size(), QImage::Format_RGB32);
    face.fill(palette().color(QPalette::Window));
    CardCorners(queen, face, 0, 0);
    thumb->setPixmap(QPixmap::fromImage(queen));
    thumb->setFixedSize(71 + 12, 96 + 12);
    grid->addWidget(thumb, static_cast<int>(i) / 4, static_cast<int>(i) % 4);
    thumbs_.push_back(thumb);
  }
  auto* sizes = new QLabel("Five sets of big cards, then medium and small cards.", types);
  sizes->setWordWrap(true);
  grid->addWidget(sizes, 2, 0, 1, 4);
  layout->addWidget(types);
  auto* sample = new QGroupBox("Sample", page);
  auto* sl = new QVBoxLayout(sample);
  card_sample_label_ = new QLabel(sample);
  card_sample_label_->setObjectName("imgSample");
  card_sample_label_->setFixedSize(kSampleWidth, kSampleHeight);
  sl->addWidget(card_sample_label_);
  sl->addStretch();
  layout->addWidget(sample);
  pages_->addTab(page, "  &Cards  ");
}

void TfrmCustomize::BuildBacksPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  trv_card_back_ = new QTreeWidget(page);
  trv_card_back_->setObjectName("trvCardBack");
  trv_card_back_->setHeaderHidden(true);
  const QIcon folder(QPixmap::fromImage(LibraryPicture("TREE1")));
  const QIcon backIcon(QPixmap::fromImage(LibraryPicture("N_TREE3")));
  std::map<std::string, QTreeWidgetItem*> folders;
  for (const gfx::PictureInfo& b : gfx::CardBacks()) {
    // Only backs whose picture is there can be chosen.
    if (!gfx::PictureFileExists(ctx_.ProgramDir + "Images\\" + gfx::BackFileName('B', b.number) +
                                ".bmp"))
      continue;
    QTreeWidgetItem*& f = folders[b.folder];
    if (!f) {
      f = new QTreeWidgetItem(trv_card_back_, {b.folder});
      f->setData(0, kIdRole, 0);
      f->setIcon(0, folder);
    }
    AddNode(f, b.caption, b.number, backIcon);
  }
  trv_card_back_->sortItems(0, Qt::AscendingOrder);
  trv_card_back_->setMinimumSize(230, 260);
  layout->addWidget(trv_card_back_, 1);
  auto* sample = new QGroupBox(" ", page);
  sample->setObjectName("grpBackSample");
  auto* sl = new QVBoxLayout(sample);
  back_sample_label_ = new QLabel(sample);
  back_sample_label_->setObjectName("imgBackSample");
  back_sample_label_->setFixedSize(130, 150);
  sl->addWidget(back_sample_label_);
  sl->addStretch();
  layout->addWidget(sample);
  connect(trv_card_back_, &QTreeWidget::currentItemChanged, this, [this] { ShowBackSample(); });
  pages_->addTab(page, "  &Decks  ");
}

void TfrmCustomize::BuildBackgroundsPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  trv_background_ = new QTreeWidget(page);
  trv_background_->setObjectName("trvBackGround");
  trv_background_->setHeaderHidden(true);
  const QIcon folder(QPixmap::fromImage(LibraryPicture("TREE1")));
  const QIcon picture(QPixmap::fromImage(LibraryPicture("N_TREE4")));
  const QIcon colour(QPixmap::fromImage(LibraryPicture("N_TREE5")));
  auto addFolder = [&](QTreeWidgetItem* parent, const char* caption) {
    auto* f = parent ? new QTreeWidgetItem(parent, {caption})
                     : new QTreeWidgetItem(trv_background_, {caption});
    f->setData(0, kIdRole, 0);
    f->setIcon(0, folder);
    return f;
  };
  QTreeWidgetItem* colours = addFolder(nullptr, "Colors");
  for (const ColourNode& c : kColourNodes) {
    // A fixed colour shows itself as its icon.
    QPixmap swatch(16, 16);
    swatch.fill(c.id > 1000 ? QColor::fromRgb(gfx::ToQRgb(c.id)) : QColor(Qt::transparent));
    if (c.id > 1000) QPainter(&swatch).drawRect(0, 0, 15, 15);
    AddNode(colours, c.caption, c.id, c.id > 1000 ? QIcon(swatch) : colour);
  }
  // Pictures made for more colours than the display shows are not offered.
  QTreeWidgetItem* over = depth_ ? addFolder(nullptr, "Over 256 colors") : nullptr;
  QTreeWidgetItem* under = addFolder(addFolder(nullptr, "Under 256 colors"), "Geometricals");
  std::map<std::string, QTreeWidgetItem*> folders;
  for (const gfx::PictureInfo& b : gfx::Backgrounds()) {
    if (!gfx::PictureFileExists(ctx_.ProgramDir + "Images\\" +
                                gfx::BackgroundFileName(b.number) + ".bmp"))
      continue;
    QTreeWidgetItem* parent = under;
    if (b.number > 256) {
      if (!over) continue;
      QTreeWidgetItem*& f = folders[b.folder];
      if (!f) f = addFolder(over, b.folder);
      parent = f;
    }
    AddNode(parent, b.caption, b.number, picture);
  }
  trv_background_->sortItems(0, Qt::AscendingOrder);
  trv_background_->setMinimumSize(230, 260);
  layout->addWidget(trv_background_, 1);

  auto* right = new QVBoxLayout;
  background_sample_label_ = new QLabel(page);
  background_sample_label_->setObjectName("imgBackground");
  background_sample_label_->setFixedSize(kBackgroundSampleWidth, kBackgroundSampleHeight);
  background_sample_label_->setFrameShape(QFrame::Box);
  right->addWidget(background_sample_label_);
  background_caption_ = new QLabel(page);
  background_caption_->setObjectName("lblBackground");
  background_caption_->setAlignment(Qt::AlignCenter);
  right->addWidget(background_caption_);
  auto* choose = new QPushButton("&Select color...", page);
  choose->setObjectName("btnColore");
  choose->setAutoDefault(false);
  right->addWidget(choose);
  auto* fade = new QCheckBox("&Fade background", page);
  fade->setObjectName("chkFadeBackground");
  right->addWidget(fade);
  right->addStretch();
  layout->addLayout(right);
  connect(trv_background_, &QTreeWidget::currentItemChanged, this, [this] {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowBackgroundSample();
    QApplication::restoreOverrideCursor();
  });
  connect(choose, &QPushButton::clicked, this, &TfrmCustomize::btnColoreClick);
  connect(fade, &QCheckBox::toggled, this, [this] { ShowBackgroundSample(); });
  pages_->addTab(page, "&Backgrounds");
}

void TfrmCustomize::BuildEffectsPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* effects = new QGroupBox("Effects", page);
  auto* el = new QHBoxLayout(effects);
  clb_cards_ = new QListWidget(effects);
  clb_cards_->setObjectName("clbCards");
  for (const char* caption : {"Shadowed", "Animated", "Irregular piles"}) {
    auto* item = new QListWidgetItem(caption, clb_cards_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  clb_cards_->setFixedWidth(120);
  el->addWidget(clb_cards_);
  effect_preview_ = new QStackedWidget(effects);
  effect_preview_->setObjectName("nbkEffects");
  effect_preview_->setFixedSize(164, 124);
  shadow_preview_ = new QLabel(effect_preview_);
  effect_preview_->addWidget(shadow_preview_);
  auto* animated = new QWidget(effect_preview_);
  animated_no_ = new C_TBitmapAnimated(animated);
  animated_no_->setObjectName("Animated_No");
  animated_yes_ = new C_TBitmapAnimated(animated);
  animated_yes_->setObjectName("Animated_Yes");
  const QColor silver(0xC0, 0xC0, 0xC0);
  for (C_TBitmapAnimated* a : {animated_no_, animated_yes_}) {
    a->resize(160, 80);
    a->move(2, 20);
    a->SetTransparentColor(silver);
  }
  animated_no_->SetBitMap(LibraryPicture("ANIM_NO"));
  animated_no_->SetFrameCount(2);
  animated_no_->SetInterval(500);
  animated_yes_->SetBitMap(LibraryPicture("ANIM_YES"));
  animated_yes_->SetFrameCount(12);
  animated_yes_->SetFrame(11);
  animated_yes_->SetInterval(100);
  effect_preview_->addWidget(animated);
  irregular_preview_ = new QLabel(effect_preview_);
  effect_preview_->addWidget(irregular_preview_);
  el->addWidget(effect_preview_);
  grid->addWidget(effects, 0, 0, 2, 1);

  auto* speed = new QGroupBox("Card speed", page);
  auto* sl = new QGridLayout(speed);
  trb_speed_ = new QSlider(Qt::Horizontal, speed);
  trb_speed_->setObjectName("trbSpeed");
  trb_speed_->setRange(1, 5);
  trb_speed_->setPageStep(1);
  trb_speed_->setTickPosition(QSlider::TicksBelow);
  sl->addWidget(trb_speed_, 0, 0, 1, 2);
  sl->addWidget(new QLabel("Slow", speed), 1, 0, Qt::AlignLeft);
  sl->addWidget(new QLabel("Fast", speed), 1, 1, Qt::AlignRight);
  grid->addWidget(speed, 0, 1);

  auto* animations = new QGroupBox("Animations ", page);
  auto* al = new QVBoxLayout(animations);
  auto check = [](QWidget* parent, QLayout* l, const char* name, const char* caption) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    l->addWidget(c);
  };
  check(animations, al, "chkAutomaticFaceUp", "&Automatic face up tableau cards");
  check(animations, al, "chkRedealAnimation", "&Redeal animation");
  check(animations, al, "chkDealAnimation", "D&eal animation");
  grid->addWidget(animations, 1, 1);

  auto* random = new QGroupBox("Random", page);
  auto* rl = new QHBoxLayout(random);
  check(random, rl, "chkRandomCards", "Random &cards");
  check(random, rl, "chkRandomDecks", "Random &decks");
  check(random, rl, "chkRandomBackground", "Random bac&kground");
  grid->addWidget(random, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);

  connect(clb_cards_, &QListWidget::currentRowChanged, this, [this] { ShowEffectPreview(); });
  connect(clb_cards_, &QListWidget::itemChanged, this, [this] { ShowEffectPreview(); });
  pages_->addTab(page, "&True play");
}

void TfrmCustomize::BuildSoundsPage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);
  auto* disable = new QCheckBox("Disable all &sounds", page);
  disable->setObjectName("chkSoundsEnabled");
  layout->addWidget(disable, 0, 0, 1, 2);
  lsv_sounds_ = new QListWidget(page);
  lsv_sounds_->setObjectName("lsvSounds");
  lsv_sounds_->setIconSize(QSize(16, 16));
  for (const SoundEvent& e : kSoundEvents) {
    auto* item = new QListWidgetItem(e.caption, lsv_sounds_);
    item->setData(kOnRole, false);
  }
  lsv_sounds_->sortItems();
  layout->addWidget(lsv_sounds_, 1, 0, 5, 1);
  auto button = [&](const char* caption, const char* name, const char* hint, int row) {
    auto* b = new QPushButton(caption, page);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (hint) b->setToolTip(hint);
    layout->addWidget(b, row, 1);
    return b;
  };
  QPushButton* enable = button("E&nable", "btnSounds_Add", nullptr, 1);
  QPushButton* off = button("D&isable", "btnSounds_Delete", nullptr, 2);
  QPushButton* play = button("&Play", "btnSounds_Go", "Play sound", 3);
  QPushButton* stop = button("St&op", "btnSounds_Stop", "Stop sound", 4);
  layout->setRowStretch(5, 1);
  connect(disable, &QCheckBox::toggled, this, [this](bool all) {
    lsv_sounds_->setEnabled(!all);
    UpdateSoundButtons();
  });
  connect(lsv_sounds_, &QListWidget::currentRowChanged, this, [this] { UpdateSoundButtons(); });
  connect(enable, &QPushButton::clicked, this, [this] { btnSoundsEnable(true); });
  connect(off, &QPushButton::clicked, this, [this] { btnSoundsEnable(false); });
  connect(play, &QPushButton::clicked, this, &TfrmCustomize::btnSounds_GoClick);
  connect(stop, &QPushButton::clicked, this, &TfrmCustomize::btnSounds_StopClick);
  pages_->addTab(page, " &Sounds ");
}

void TfrmCustomize::BuildCursorsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  lv_cursors_ = new QListWidget(page);
  lv_cursors_->setObjectName("lvCursors");
  lv_cursors_->setViewMode(QListView::IconMode);
  lv_cursors_->setIconSize(QSize(32, 32));
  lv_cursors_->setGridSize(QSize(96, 64));
  lv_cursors_->setMovement(QListView::Static);
  for (const CursorItem& c : kCursorItems) {
    auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(LibraryPicture(c.picture))),
                                     c.caption, lv_cursors_);
    item->setData(kIdRole, c.code);
  }
  layout->addWidget(lv_cursors_);
  pages_->addTab(page, " &Cursors ");
}

// ---- Samples ----

QImage TfrmCustomize::Face(const CardType& type, int rank) const {
  const int w = type.size == 'B' ? 71 : type.size == 'M' ? 59 : 25;
  const int h = type.size == 'B' ? 96 : type.size == 'M' ? 80 : 32;
  const QImage sheet =
      library_.LoadBitmap(std::string("C") + type.size + IntToStrPad(type.set, 3) + "H").Image();
  const int cell = rank - 1;
  const int col = cell < 10 ? cell % 5 : cell - 10, row = cell < 10 ? cell / 5 : 2;
  if (sheet.isNull()) {
    QImage blank(w, h, QImage::Format_RGB32);
    blank.fill(Qt::white);
    return blank;
  }
  return sheet.copy(col * w, row * h, w, h).convertToFormat(QImage::Format_RGB32);
}

void TfrmCustomize::PaintSampleBackground(QImage& picture) const {
  const int id = SelectedBackgroundId();
  if (id == kCustomColourNode) {
    FillColourSample(picture, custom_colour_);
  } else if (id > 1000) {
    FillColourSample(picture, id);
  } else if (id >= 2) {
    const QImage tile = gfx::LoadPictureFile(ctx_.ProgramDir + "Images\\" +
                                             gfx::BackgroundFileName(id) + ".bmp")
                            .Image();
    QPainter p(&picture);
    p.fillRect(picture.rect(), QColor::fromRgb(gfx::ToQRgb(gfx::kTableGreen)));
    if (!tile.isNull()) p.drawTiledPixmap(picture.rect(), QPixmap::fromImage(tile));
  } else {
    picture.fill(QColor::fromRgb(gfx::ToQRgb(depth_ ? gfx::kTableGreen : gfx::kGreen)));
  }
}

void TfrmCustomize::FillColourSample(QImage& picture, int colour) const {
  const QColor c = QColor::fromRgb(gfx::ToQRgb(colour));
  if (Check("chkFadeBackground")->isChecked() && depth_) {
    gfx::Bitmap b(picture.width(), picture.height());
    gfx::FillGradient(b, QRect(0, 0, picture.width(), picture.height()), gfx::FromQRgb(c.rgb()),
                      gfx::kBlack);
    picture = b.Image().convertToFormat(QImage::Format_RGB32);
  } else {
    picture.fill(c);
  }
}

void TfrmCustomize::ShowCardSample() {
  for (size_t i = 0; i < thumbs_.size(); ++i) {
    if (thumbs_[i]->Selected()) pending_type_ = static_cast<int>(i);
  }
  const CardType& type = kCardTypes[static_cast<size_t>(pending_type_)];
  int x0 = 17, y0 = 8, gap = 5;
  if (type.size == 'M') {
    x0 = 37;
    y0 = 25;
    gap = 3;
  } else if (type.size == 'L') {
    x0 = 87;
    y0 = 65;
    gap = 3;
  }
  Check("chkRandomCards")->setEnabled(type.size == 'B');
  card_sample_ = QImage(kSampleWidth, kSampleHeight, QImage::Format_RGB32);
  PaintSampleBackground(card_sample_);
  for (int k = 0; k < 6; ++k) {
    QImage face = Face(type, 8 + k);
    const int x = x0 + (k % 3) * (face.width() + gap), y = y0 + (k / 3) * (face.height() + gap);
    CardCorners(face, card_sample_, x, y);
    QPainter(&card_sample_).drawImage(x, y, face);
  }
  card_sample_label_->setPixmap(QPixmap::fromImage(card_sample_));
}

void TfrmCustomize::ShowBackSample() {
  back_sample_ = QImage(back_sample_label_->size(), QImage::Format_RGB32);
  PaintSampleBackground(back_sample_);
  const int number = SelectedBackNumber();
  if (number > 0) {
    gfx::Bitmap back = gfx::LoadPictureFile(ctx_.ProgramDir + "Images\\" +
                                            gfx::BackFileName('B', number) + ".bmp");
    if (!back.Empty()) {
      QImage picture = back.Image().copy(0, 0, 71, 96).convertToFormat(QImage::Format_RGB32);
      const int x = (back_sample_.width() - 71) / 2, y = (back_sample_.height() - 96) / 2;
      CardCorners(picture, back_sample_, x, y);
      QPainter(&back_sample_).drawImage(x, y, picture);
    }
    if (auto* group = findChild<QGroupBox*>("grpBackSample"))
      group->setTitle(trv_card_back_->currentItem()->text(0));
  }
  back_sample_label_->setPixmap(QPixmap::fromImage(back_sample_));
}

void TfrmCustomize::ShowBackgroundSample() {
  background_sample_ =
      QImage(kBackgroundSampleWidth, kBackgroundSampleHeight, QImage::Format_RGB32);
  PaintSampleBackground(background_sample_);
  background_sample_label_->setPixmap(QPixmap::fromImage(background_sample_));
  const QTreeWidgetItem* item = trv_background_->currentItem();
  background_caption_->setText(item ? item->text(0) : QString());
  SetBackgroundOptions(SelectedBackgroundId());
  RefreshSamples();
}

void TfrmCustomize::SetBackgroundOptions(int id) {
  auto* colour = Button("btnColore");
  auto* fade = Check("chkFadeBackground");
  if (id == kCustomColourNode) {
    colour->setEnabled(true);
    fade->setEnabled(depth_);
  } else if (id > 1000) {
    colour->setEnabled(false);
    fade->setEnabled(depth_);
  } else {
    colour->setEnabled(false);
    fade->setEnabled(false);
  }
}

void TfrmCustomize::RefreshSamples() {
  ShowCardSample();
  ShowBackSample();
}

int TfrmCustomize::SelectedBackgroundId() const {
  const QTreeWidgetItem* item = trv_background_->currentItem();
  return item ? item->data(0, kIdRole).toInt() : 0;
}

int TfrmCustomize::SelectedBackNumber() const {
  const QTreeWidgetItem* item = trv_card_back_->currentItem();
  return item ? item->data(0, kIdRole).toInt() : 0;
}

bool TfrmCustomize::SelectBack(int number) {
  QTreeWidgetItem* node = number > 0 ? FindNode(trv_card_back_, number) : nullptr;
  if (node) trv_card_back_->setCurrentItem(node);
  return node != nullptr;
}

bool TfrmCustomize::SelectBackground(int id) {
  QTreeWidgetItem* node = FindNode(trv_background_, id);
  // A folder stands for the default background: "Colors" is the first one.
  if (!node && id == 0) node = trv_background_->topLevelItem(0);
  if (node) trv_background_->setCurrentItem(node);
  return node != nullptr;
}

// ---- Settings ----

void TfrmCustomize::LoadCustomizeSettings() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ignore_dialog_values_ = true;
  saved_ = {ctx_.Cfg(cfg::Card_Size),       ctx_.Cfg(cfg::Card),
            ctx_.Cfg(cfg::Fade_Background), ctx_.Cfg(cfg::Back_Card),
            ctx_.Cfg(cfg::Background_bmp),  ctx_.Cfg(cfg::Background_Col),
            ctx_.Cfg(cfg::Background_Fixed_Col), ctx_.Cfg(cfg::Background_def),
            ctx_.Cfg(cfg::Piles_TT)};

  Check("chkFadeBackground")->setChecked(ctx_.CfgIs(cfg::Fade_Background, "Y"));
  const int set = CfgNumber(ctx_, cfg::Card);
  const std::string size = ctx_.Cfg(cfg::Card_Size);
  int type = 0;
  for (size_t i = 0; i < kCardTypes.size(); ++i) {
    if (kCardTypes[i].size == (size.empty() ? 'B' : size[0]) && kCardTypes[i].set == set)
      type = static_cast<int>(i);
  }
  if (size == "M") type = 5;
  if (size == "L") type = 6;
  for (size_t i = 0; i < thumbs_.size(); ++i) thumbs_[i]->SetSelected(static_cast<int>(i) == type);
  pending_type_ = type;

  SelectBack(CfgNumber(ctx_, cfg::Back_Card));

  custom_colour_ = CfgNumber(ctx_, cfg::Background_Col);
  if (custom_colour_ == 0) custom_colour_ = gfx::kButtonFace;
  const int fixed = CfgNumber(ctx_, cfg::Background_Fixed_Col);
  const int picture = CfgNumber(ctx_, cfg::Background_bmp);
  if (ctx_.CfgIs(cfg::Background_def, "Y")) {
    SelectBackground(0);
  } else if (fixed != 0) {
    if (!SelectBackground(fixed)) {
      // A colour with no node of its own shows as the custom colour.
      custom_colour_ = fixed;
      SelectBackground(kCustomColourNode);
    }
  } else if (picture != 0 && SelectBackground(picture)) {
  } else {
    SelectBackground(kCustomColourNode);
  }
  ShowBackgroundSample();

  Check("chkRandomBackground")->setChecked(!ctx_.CfgIs(cfg::Random_Background, "N"));
  Check("chkRandomCards")->setChecked(!ctx_.CfgIs(cfg::Random_Card, "N"));
  Check("chkRandomDecks")->setChecked(!ctx_.CfgIs(cfg::Random_Deck, "N"));

  auto* disable = Check("chkSoundsEnabled");
  disable->setChecked(!ctx_.CfgIs(cfg::Sounds_Enabled, "Y"));
  lsv_sounds_->setEnabled(!disable->isChecked());
  const QIcon on(QPixmap::fromImage(LibraryPicture("SOUND_ENABLED")));
  for (int row = 0; row < lsv_sounds_->count(); ++row) {
    QListWidgetItem* item = lsv_sounds_->item(row);
    for (const SoundEvent& e : kSoundEvents) {
      if (item->text() != e.caption) continue;
      const bool enabled = ctx_.CfgIs(e.field, "Y");
      item->setData(kOnRole, enabled);
      item->setIcon(enabled ? on : QIcon());
    }
  }
  UpdateSoundButtons();

  const CfgField effects[3] = {cfg::Cards_Shadowed, cfg::Cards_Animate, cfg::Piles_TT};
  for (int i = 0; i < 3; ++i)
    clb_cards_->item(i)->setCheckState(ctx_.CfgIs(effects[i], "N") ? Qt::Unchecked : Qt::Checked);
  Check("chkAutomaticFaceUp")->setChecked(!ctx_.CfgIs(cfg::Automatic_FaceUp, "N"));
  Check("chkRedealAnimation")->setChecked(!ctx_.CfgIs(cfg::Redeal_Animation, "N"));
  Check("chkDealAnimation")->setChecked(!ctx_.CfgIs(cfg::Deal_Animation, "N"));
  ShowEffectPreview();
  trb_speed_->setValue(SpeedToTrackbar(CfgNumber(ctx_, cfg::Speed_Move_Card)));

  // The stored cursor is selected (0: the large arrow).
  int cursor = CfgNumber(ctx_, cfg::Cursor);
  if (cursor == 0) cursor = 11;
  for (int row = 0; row < lv_cursors_->count(); ++row) {
    if (lv_cursors_->item(row)->data(kIdRole).toInt() == cursor) lv_cursors_->setCurrentRow(row);
  }
  pages_->setCurrentIndex(0);
  RefreshSamples();
  QApplication::restoreOverrideCursor();
}

void TfrmCustomize::TakeLookChoices() {
  const CardType& type = kCardTypes[static_cast<size_t>(pending_type_)];
  ctx_.SetCfg(cfg::Card, IntToStrPad(type.set, 3));
  ctx_.SetCfg(cfg::Card_Size, std::string(1, type.size));
  ctx_.SetCfg(cfg::Fade_Background, YesNo(Check("chkFadeBackground")->isChecked()));
  if (type.size != 'B') {
    ctx_.SetCfg(cfg::Back_Card, IntToStrPad(gfx::kSmallSizeBack, 3));
  } else if (SelectedBackNumber() > 0) {
    ctx_.SetCfg(cfg::Back_Card, IntToStrPad(SelectedBackNumber(), 3));
  }
  const int id = SelectedBackgroundId();
  const bool picture = id >= 2 && id <= 1000;
  ctx_.SetCfg(cfg::Background_bmp, picture ? std::to_string(id) : "0");
  // The custom colour is kept whichever background is chosen.
  ctx_.SetCfg(cfg::Background_Col, std::to_string(custom_colour_));
  ctx_.SetCfg(cfg::Background_Fixed_Col, std::to_string(id > 1000 ? id : 0));
  ctx_.SetCfg(cfg::Background_def, id <= 0 ? "Y" : "N");
  ctx_.SetCfg(cfg::Piles_TT, YesNo(clb_cards_->item(2)->checkState() == Qt::Checked));
}

void TfrmCustomize::ApplyCustomizeSettings() {
  if (!ignore_dialog_values_) TakeLookChoices();
  if (apply_look_) apply_look_();
}

void TfrmCustomize::RestoreCustomizeSettings() {
  ctx_.SetCfg(cfg::Card_Size, saved_.size);
  ctx_.SetCfg(cfg::Card, saved_.set);
  ctx_.SetCfg(cfg::Fade_Background, saved_.fade);
  ctx_.SetCfg(cfg::Back_Card, saved_.back);
  ctx_.SetCfg(cfg::Background_bmp, saved_.picture);
  ctx_.SetCfg(cfg::Background_Col, saved_.colour);
  ctx_.SetCfg(cfg::Background_Fixed_Col, saved_.fixed);
  ctx_.SetCfg(cfg::Background_def, saved_.def);
  ctx_.SetCfg(cfg::Piles_TT, saved_.irregular);
}

// ---- Handlers ----

void TfrmCustomize::imgCardMouseDown(int type) {
  for (size_t i = 0; i < thumbs_.size(); ++i) thumbs_[i]->SetSelected(static_cast<int>(i) == type);
  RefreshSamples();
}

void TfrmCustomize::btnColoreClick() {
  QColor colour = QColor::fromRgb(gfx::ToQRgb(custom_colour_));
  const bool chosen = ask_colour_ ? ask_colour_(colour) : [&] {
    const QColor c = QColorDialog::getColor(colour, this);
    if (c.isValid()) colour = c;
    return c.isValid();
  }();
  if (!chosen) return;
  custom_colour_ = gfx::FromQRgb(colour.rgb());
  ShowBackgroundSample();
}

void TfrmCustomize::btnApplyClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ignore_dialog_values_ = false;
  ApplyCustomizeSettings();
  ignore_dialog_values_ = true;
  QApplication::restoreOverrideCursor();
}

void TfrmCustomize::btnOKClick() {
  const CardType& type = kCardTypes[static_cast<size_t>(pending_type_)];
  if (type.size == 'M' && saved_.size != "M" &&
      !prompts_.AskOkCancel("You have selected the small size cards.\rYou will play using a "
                            "predesignated deck set.")) {
    return;
  }
  ignore_dialog_values_ = false;
  sys::IniFile ini(CfgFilePath(ctx_));
  auto flag = [&](const char* key, CfgField field, bool on) {
    ini.WriteString(kPrefs, key, YesNo(on));
    ctx_.SetCfg(field, YesNo(on));
  };
  flag("Random_Background", cfg::Random_Background, Check("chkRandomBackground")->isChecked());
  flag("Random_Card", cfg::Random_Card, Check("chkRandomCards")->isChecked());
  flag("Random_Deck", cfg::Random_Deck, Check("chkRandomDecks")->isChecked());

  TakeLookChoices();
  ini.WriteInteger(kPrefs, "Card", type.set);
  ini.WriteString(kPrefs, "Card_Size", std::string(1, type.size));
  ini.WriteInteger(kPrefs, "Back_Card", CfgNumber(ctx_, cfg::Back_Card));
  ini.WriteString(kPrefs, "Background_bmp", ctx_.Cfg(cfg::Background_bmp));
  ini.WriteInteger(kPrefs, "Background_Col", custom_colour_);
  ini.WriteString(kPrefs, "Background_Fixed_Col", ctx_.Cfg(cfg::Background_Fixed_Col));
  ini.WriteString(kPrefs, "Background_Def", ctx_.Cfg(cfg::Background_def));
  ini.WriteString(kPrefs, "Fade_Background", ctx_.Cfg(cfg::Fade_Background));

  const QListWidgetItem* cursorItem = lv_cursors_->currentItem();
  const int cursor = cursorItem ? cursorItem->data(kIdRole).toInt() : 0;
  const int speed = TrackbarToSpeed(trb_speed_->value());
  ini.WriteInteger(kPrefs, "Speed_Move_Card", speed);
  ini.WriteInteger(kPrefs, "Cursor", cursor);
  ctx_.SetCfg(cfg::Speed_Move_Card, std::to_string(speed));
  ctx_.SetCfg(cfg::Cursor, std::to_string(cursor));

  flag("Cards_Animate", cfg::Cards_Animate, clb_cards_->item(1)->checkState() == Qt::Checked);
  flag("Cards_Shadowed", cfg::Cards_Shadowed, clb_cards_->item(0)->checkState() == Qt::Checked);
  ini.WriteString(kPrefs, "Piles_TT", ctx_.Cfg(cfg::Piles_TT));
  flag("Automatic_FaceUp", cfg::Automatic_FaceUp, Check("chkAutomaticFaceUp")->isChecked());
  flag("Deal_Animation", cfg::Deal_Animation, Check("chkDealAnimation")->isChecked());
  flag("Redeal_Animation", cfg::Redeal_Animation, Check("chkRedealAnimation")->isChecked());

  flag("Sounds_Enabled", cfg::Sounds_Enabled, !Check("chkSoundsEnabled")->isChecked());
  for (int row = 0; row < lsv_sounds_->count(); ++row) {
    const QListWidgetItem* item = lsv_sounds_->item(row);
    for (const SoundEvent& e : kSoundEvents) {
      if (item->text() == e.caption) flag(e.key, e.field, item->data(kOnRole).toBool());
    }
  }
  flag("Sounds_Splash", cfg::Sounds_Splash, true);
  ctx_.TfrmMain.ShadowOffset = ctx_.CfgIs(cfg::Cards_Shadowed, "Y") ? 9 : 0;
  accept();
}

void TfrmCustomize::done(int result) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  hide();
  // Cancel and the close box put back the look of the opening moment.
  if (ignore_dialog_values_) RestoreCustomizeSettings();
  ApplyCustomizeSettings();
  QApplication::restoreOverrideCursor();
  animated_no_->SetPlay(false);
  animated_yes_->SetPlay(false);
  QDialog::done(result);
}

void TfrmCustomize::ShowEffectPreview() {
  int page = clb_cards_->currentRow();
  if (page < 0) page = 0;
  effect_preview_->setCurrentIndex(page);
  const bool shadowed = clb_cards_->item(0)->checkState() == Qt::Checked;
  shadow_preview_->setPixmap(QPixmap::fromImage(
      LibraryPicture(shadowed ? "CARD_WITH_SHADOW" : "CARD_WITHOUT_SHADOW")));
  const bool animated = clb_cards_->item(1)->checkState() == Qt::Checked;
  animated_yes_->setVisible(animated);
  animated_yes_->SetPlay(animated);
  animated_no_->setVisible(!animated);
  animated_no_->SetPlay(!animated);
  const bool irregular = clb_cards_->item(2)->checkState() == Qt::Checked;
  irregular_preview_->setPixmap(QPixmap::fromImage(
      LibraryPicture(irregular ? "CARD_IRR_PILES_YES" : "CARD_IRR_PILES_NO")));
}

bool TfrmCustomize::SoundEnabled(int row) const {
  return lsv_sounds_->item(row)->data(kOnRole).toBool();
}

void TfrmCustomize::UpdateSoundButtons() {
  const bool listOn = !Check("chkSoundsEnabled")->isChecked();
  const QListWidgetItem* item = lsv_sounds_->currentItem();
  const bool selected = listOn && item;
  const bool on = item && item->data(kOnRole).toBool();
  Button("btnSounds_Add")->setEnabled(selected && !on);
  Button("btnSounds_Delete")->setEnabled(selected && on);
  Button("btnSounds_Go")->setEnabled(selected);
  Button("btnSounds_Stop")->setEnabled(selected);
}

void TfrmCustomize::btnSoundsEnable(bool enable) {
  QListWidgetItem* item = lsv_sounds_->currentItem();
  if (!item) return;
  item->setData(kOnRole, enable);
  item->setIcon(enable ? QIcon(QPixmap::fromImage(LibraryPicture("SOUND_ENABLED"))) : QIcon());
  UpdateSoundButtons();
}

void TfrmCustomize::btnSounds_GoClick() {
  const QListWidgetItem* item = lsv_sounds_->currentItem();
  SoundPort* sound = SoundOf(ctx_);
  if (!item || !sound || !ctx_.CfgIs(cfg::Sounds_Enabled, "Y")) return;
  for (const SoundEvent& e : kSoundEvents) {
    if (item->text() == e.caption) sound->PlaySound(e.preview, SoundMode::Async);
  }
}

void TfrmCustomize::btnSounds_StopClick() {
  if (SoundPort* sound = SoundOf(ctx_)) sound->StopSound();
}

}  // namespace tw
