#include "ui/game_won.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "platform/qt/prompts.h"

namespace tw {

namespace {

const QColor kSilver(192, 192, 192);
const QColor kRed(255, 0, 0), kLime(0, 255, 0), kMaroon(128, 0, 0), kGreen(0, 128, 0);
const QColor kYellow(255, 255, 0);
constexpr int kPieWidth = 112, kPieHeight = 84;

}  // namespace

PieChoice ChoosePiePicture(int p) {
  // The picture always shows the larger share; a smaller lost share is the
  // same picture with the colours swapped.
  const int q = (p >= 0 && p < 50) ? 100 - p : p;
  PieChoice c;
  c.Swapped = p >= 0 && p < 50;
  if (q >= 100) {
    c.Step = 1000;
  } else if (q >= 50) {
    // Steps of 2.5 percent: the largest not above q.
    c.Step = 500 + (q * 10 - 500) / 25 * 25;
  } else {
    c.Step = -1;
  }
  return c;
}

QImage PieSourcePicture(int step) {
  // Drawn at twice the shown size: the swap needs pure colours, the shown
  // chart is scaled down smoothly afterwards.
  QImage image(2 * kPieWidth, 2 * kPieHeight, QImage::Format_RGB32);
  image.fill(kSilver);
  QPainter g(&image);
  g.setRenderHint(QPainter::Antialiasing, false);
  // A tilted disc: the rim drawn downwards in the edge colours, then the
  // face. Pure colours only, so the swap finds every pixel.
  const int depth = 24;
  const QRect face(8, 8, 2 * kPieWidth - 17, 2 * kPieHeight - 17 - depth);
  const int span = step < 0 ? 0 : step * 360 * 16 / 1000;
  const int start = 90 * 16;
  auto slices = [&](QRect r, const QColor& lost, const QColor& won, const QColor& pen) {
    g.setPen(pen);
    if (step < 0) {
      g.setBrush(QColor(160, 160, 160));
      g.drawEllipse(r);
      return;
    }
    if (span > 0) {
      g.setBrush(lost);
      if (span >= 360 * 16) {
        g.drawEllipse(r);
      } else {
        g.drawPie(r, start, -span);
      }
    }
    if (span < 360 * 16) {
      g.setBrush(won);
      g.drawPie(r, start - span, -(360 * 16 - span));
    }
  };
  g.setPen(Qt::NoPen);
  for (int d = depth; d > 0; --d) {
    if (step < 0) {
      g.setBrush(QColor(110, 110, 110));
      g.drawEllipse(face.translated(0, d));
      continue;
    }
    if (span > 0) {
      g.setBrush(kMaroon);
      span >= 360 * 16 ? g.drawEllipse(face.translated(0, d))
                       : g.drawPie(face.translated(0, d), start, -span);
    }
    if (span < 360 * 16) {
      g.setBrush(kGreen);
      g.drawPie(face.translated(0, d), start - span, -(360 * 16 - span));
    }
  }
  slices(face, kRed, kLime, Qt::black);
  return image;
}

QImage SwapPieColours(const QImage& picture) {
  QImage out = picture.convertToFormat(QImage::Format_RGB32);
  const QRgb red = kRed.rgb(), lime = kLime.rgb(), maroon = kMaroon.rgb(), green = kGreen.rgb();
  const QRgb yellow = kYellow.rgb();
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const QRgb c = line[x] | 0xff000000u;
      if (c == red) {
        line[x] = lime;
      } else if (c == lime || c == yellow) {
        line[x] = c == lime ? red : lime;
      } else if (c == maroon) {
        line[x] = green;
      }
    }
  }
  return out;
}

QImage DrawPiePicture(int p, QSize size, QColor background) {
  const PieChoice choice = ChoosePiePicture(p);
  QImage work = PieSourcePicture(choice.Step);
  if (choice.Swapped) work = SwapPieColours(work);
  work = work.convertToFormat(QImage::Format_ARGB32);
  const QRgb silver = kSilver.rgb();
  for (int y = 0; y < work.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
    for (int x = 0; x < work.width(); ++x) {
      if (line[x] == silver) line[x] = 0;
    }
  }
  const QImage shown =
      work.scaled(work.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QImage out(size, QImage::Format_ARGB32_Premultiplied);
  out.fill(background);
  QPainter g(&out);
  g.drawImage((size.width() - shown.width()) / 2, (size.height() - shown.height()) / 2, shown);
  return out;
}

GameTotals ComputeTotals(int64_t won, int64_t lost) {
  GameTotals t;
  t.Won = won;
  t.Lost = lost;
  if (won + lost > 0) {
    t.WonPercent = static_cast<int>(std::trunc(static_cast<double>(won) * 100.0 /
                                                   static_cast<double>(won + lost) +
                                               0.5));
    t.LostPercent = 100 - t.WonPercent;
  }
  return t;
}

int ShowTotals(GameContext& ctx, const std::string& gameName, const std::string& player,
               const TotalsLabels& labels) {
  const int game = GameNumberFromName(ctx, gameName);
  const GameStatistics stats = ReadGameStatistics(ctx, game, player);
  const GameTotals t = ComputeTotals(stats.Record.Won, stats.Record.Lost);
  auto set = [](QLabel* l, const QString& text) {
    if (l) l->setText(text);
  };
  set(labels.WonCaption, "Won:");
  set(labels.LostCaption, "Lost:");
  set(labels.TotalCaption, "Total: ");
  set(labels.Won, QString::number(t.Won));
  set(labels.Lost, QString::number(t.Lost));
  set(labels.Total, QString::number(t.Won + t.Lost));
  set(labels.WonPercent, t.Any() ? QString("(%1%)").arg(t.WonPercent) : QString());
  set(labels.LostPercent, t.Any() ? QString("(%1%)").arg(t.LostPercent) : QString());
  if (labels.Chart) {
    const QSize size = labels.Chart->size().isEmpty() ? QSize(kPieWidth + 8, kPieHeight + 8)
                                                      : labels.Chart->size();
    // The label's own background shows through (the group's face).
    const QColor face(Qt::transparent);
    labels.Chart->setPixmap(
        QPixmap::fromImage(DrawPiePicture(t.Any() ? t.LostPercent : -1, size, face)));
  }
  return t.WonPercent;
}

GameWonDialog::GameWonDialog(GameContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setWindowTitle("Game won");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setObjectName("frmGameWon");

  group_ = new QGroupBox(this);
  group_->setObjectName("GroupBox2");
  auto* chart = new QLabel(group_);
  chart->setObjectName("imgGraphTot");
  chart->setFixedSize(kPieWidth + 8, kPieHeight + 8);
  labels_.Chart = chart;
  auto label = [this](const char* name, Qt::Alignment align) {
    auto* l = new QLabel(group_);
    l->setObjectName(name);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
  };
  labels_.WonCaption = label("lblTotVin", Qt::AlignLeft);
  labels_.LostCaption = label("lblTotPer", Qt::AlignLeft);
  labels_.TotalCaption = label("lblTotNumPar", Qt::AlignLeft);
  labels_.Won = label("lblGraphTotWon", Qt::AlignRight);
  labels_.WonPercent = label("lblGraphTotPercWon", Qt::AlignRight);
  labels_.Lost = label("lblGraphTotLost", Qt::AlignRight);
  labels_.LostPercent = label("lblGraphTotPercLost", Qt::AlignRight);
  labels_.Total = label("lblGraphTotTotal", Qt::AlignRight);
  QFont bold = labels_.Total->font();
  bold.setBold(true);
  labels_.Total->setFont(bold);
  labels_.TotalCaption->setFont(bold);

  auto* values = new QGridLayout;
  values->setHorizontalSpacing(12);
  values->addWidget(labels_.WonCaption, 0, 0);
  values->addWidget(labels_.Won, 0, 1);
  values->addWidget(labels_.WonPercent, 0, 2);
  values->addWidget(labels_.LostCaption, 1, 0);
  values->addWidget(labels_.Lost, 1, 1);
  values->addWidget(labels_.LostPercent, 1, 2);
  auto* rule = new QFrame(group_);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  values->addWidget(rule, 2, 0, 1, 3);
  values->addWidget(labels_.TotalCaption, 3, 0);
  values->addWidget(labels_.Total, 3, 1);
  values->setColumnMinimumWidth(1, 40);
  values->setColumnMinimumWidth(2, 48);
  auto* groupLayout = new QHBoxLayout(group_);
  groupLayout->addWidget(chart);
  groupLayout->addSpacing(8);
  auto* valuesBox = new QVBoxLayout;
  valuesBox->addStretch();
  valuesBox->addLayout(values);
  valuesBox->addStretch();
  groupLayout->addLayout(valuesBox);

  auto button = [this](const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
  };
  btn_new_ = button("btnNuova", "&New game...");
  btn_restart_ = button("btnRipeti", "&Restart game...");
  btn_open_ = button("btnApriPartita", "&Open a game...");
  btn_select_ = button("btnSelPartita", "S&elect game...");
  btn_stats_ = button("btnStatistiche", "&Statistics...");
  btn_cancel_ = button("btnAnnulla", "Cancel");
  btn_help_ = button("btnAiuto", "&?");
  btn_new_->setDefault(true);
  btn_new_->setAutoDefault(true);

  connect(btn_new_, &QPushButton::clicked, this, [this] { Choose(GameWonChoice::NewGame); });
  connect(btn_restart_, &QPushButton::clicked, this, [this] { Choose(GameWonChoice::Restart); });
  connect(btn_open_, &QPushButton::clicked, this, [this] { Choose(GameWonChoice::Open); });
  connect(btn_select_, &QPushButton::clicked, this, [this] { Choose(GameWonChoice::Select); });
  connect(btn_cancel_, &QPushButton::clicked, this, [this] { Choose(GameWonChoice::None); });
  connect(btn_stats_, &QPushButton::clicked, this, [this] {
    if (!hooks_.Statistics) return;
    hooks_.Statistics();
    RefreshTotals();
  });
  connect(btn_help_, &QPushButton::clicked, this, [this] {
    if (hooks_.Help) hooks_.Help(1021);
  });

  auto* heading = new QLabel("<b>Congratulations, you have won this game!</b>", this);
  heading->setObjectName("lblWon");
  auto* left = new QVBoxLayout;
  left->addWidget(heading);
  left->addWidget(group_);
  left->addStretch();
  auto* right = new QVBoxLayout;
  for (QPushButton* b : {btn_new_, btn_restart_, btn_open_, btn_select_}) right->addWidget(b);
  right->addSpacing(10);
  right->addWidget(btn_stats_);
  right->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(btn_cancel_);
  btn_help_->setFixedWidth(btn_help_->sizeHint().height() + 6);
  bottom->addWidget(btn_help_);
  right->addLayout(bottom);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(14);
  layout->addLayout(left, 1);
  layout->addLayout(right);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* GameWonDialog::Button(GameWonChoice c) const {
  switch (c) {
    case GameWonChoice::NewGame: return btn_new_;
    case GameWonChoice::Restart: return btn_restart_;
    case GameWonChoice::Open: return btn_open_;
    case GameWonChoice::Select: return btn_select_;
    case GameWonChoice::None: return btn_cancel_;
  }
  return btn_cancel_;
}

QString GameWonDialog::GroupTitle() const { return group_->title(); }

void GameWonDialog::RefreshTotals() {
  const std::string name = ctx_.Cfg(cfg::Game_name);
  ShowTotals(ctx_, name, TrimRightSpaces(ctx_.Cfg(cfg::UserDefault)), labels_);
  group_->setTitle("Total [" + qt::FromLatin(TrimRightSpaces(name)) + "]");
}

void GameWonDialog::Choose(GameWonChoice c) {
  choice_ = c;
  if (c == GameWonChoice::None) {
    reject();
  } else {
    accept();
  }
}

GameWonChoice GameWonDialog::Run() {
  choice_ = GameWonChoice::None;
  btn_stats_->setEnabled(static_cast<bool>(hooks_.Statistics));
  btn_select_->setEnabled(hooks_.CanSelect && hooks_.CanSelect());
  btn_help_->setEnabled(static_cast<bool>(hooks_.Help));
  RefreshTotals();
  btn_new_->setFocus();
  exec();
  return choice_;
}

}  // namespace tw
