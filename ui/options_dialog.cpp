#include "ui/options_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/datafiles.h"
#include "core/overall.h"
#include "core/util.h"
#include "platform/sys/ini.h"

namespace tw {

namespace {

constexpr const char* kPrefs = "Preference";
constexpr int kHelpContext = 1004;

const char* YesNo(bool on) { return on ? "Y" : "N"; }

QCheckBox* AddCheck(QWidget* parent, QLayout* layout, const char* name, const char* caption) {
  auto* c = new QCheckBox(caption, parent);
  c->setObjectName(name);
  layout->addWidget(c);
  return c;
}

}  // namespace

TfrmOpzioni::TfrmOpzioni(GameContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
  setObjectName("frmOpzioni");
  setWindowTitle("Options");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  pages_ = new QTabWidget(this);
  pages_->setObjectName("TabbedNotebook1");

  auto* general = new QWidget;
  auto* gl = new QVBoxLayout(general);
  auto* dialogs = new QGroupBox("Dialog box ", general);
  auto* dl = new QVBoxLayout(dialogs);
  AddCheck(dialogs, dl, "chkConfermaUscita", "Confirm on e&xit");
  AddCheck(dialogs, dl, "chkConfirmQuitGame", "C&onfirm quit game");
  AddCheck(dialogs, dl, "chkConfirmEnterHiScores", "Show dialog box enter &Hi-Scores");
  gl->addWidget(dialogs);
  AddCheck(general, gl, "chkWinningAnimation", "&Winning animation");
  AddCheck(general, gl, "chkVertScrollBar", "Ver&tical Scroll bar");
  gl->addStretch();
  pages_->addTab(general, " &General ");

  auto* toolbar = new QWidget;
  auto* tl = new QVBoxLayout(toolbar);
  auto* buttons = new QGroupBox("Buttons ", toolbar);
  auto* bl = new QVBoxLayout(buttons);
  AddCheck(buttons, bl, "chkTBLargeIcons", "&Large buttons");
  AddCheck(buttons, bl, "chkTBFlatBtn", "&Flat buttons");
  tl->addWidget(buttons);
  auto* panels = new QGroupBox("Time / Scores options", toolbar);
  auto* pl = new QVBoxLayout(panels);
  AddCheck(panels, pl, "chkTempo", "Show &time");
  AddCheck(panels, pl, "chkShowScore", "Show sco&re");
  tl->addWidget(panels);
  AddCheck(toolbar, tl, "chkShowToolTips", "&Show ToolTips");
  tl->addStretch();
  pages_->addTab(toolbar, " T&oolbar ");

  auto* undo = new QWidget;
  auto* ul = new QVBoxLayout(undo);
  auto* group = new QGroupBox("Undo/Redo options ", undo);
  group->setObjectName("rgUndoOptions");
  auto* rl = new QVBoxLayout(group);
  const char* items[3] = {"U&nlimited levels", "Only &one undo/redo", "Di&sable"};
  for (int i = 0; i < 3; ++i) {
    undo_[i] = new QRadioButton(items[i], group);
    undo_[i]->setObjectName(QString("rgUndoOptions%1").arg(i));
    rl->addWidget(undo_[i]);
  }
  ul->addWidget(group);
  ul->addStretch();
  pages_->addTab(undo, "&Undo/Redo");

  auto* clear = new QWidget;
  auto* cl = new QVBoxLayout(clear);
  auto clearGroup = [&](const char* title, const char* label, const char* name,
                        const char* caption) {
    auto* g = new QGroupBox(title, clear);
    auto* l = new QHBoxLayout(g);
    auto* text = new QLabel(label, g);
    text->setWordWrap(true);
    auto* b = new QPushButton(caption, g);
    b->setObjectName(name);
    b->setAutoDefault(false);
    text->setBuddy(b);
    l->addWidget(text, 1);
    l->addWidget(b);
    cl->addWidget(g);
    return b;
  };
  QPushButton* scores = clearGroup("Clear Hi-Scores ",
                                   "Clic&k this button to clear Hi-Scores and Overall score:",
                                   "btnClearScores", "Clear ");
  QPushButton* stats = clearGroup("Clear statistics ", "Click this button to clear &statistics:",
                                  "btnClearStatistics", "Clear...");
  cl->addStretch();
  pages_->addTab(clear, "Clear &values");

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnAnnulla");
  cancel->setAutoDefault(false);
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnAiuto");
  help->setAutoDefault(false);
  help->setFixedWidth(help->sizeHint().height() + 6);
  connect(ok, &QPushButton::clicked, this, &TfrmOpzioni::btnOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (help_) help_(kHelpContext);
  });
  connect(scores, &QPushButton::clicked, this, &TfrmOpzioni::btnClearScoresClick);
  connect(stats, &QPushButton::clicked, this, [this] {
    if (clear_statistics_) clear_statistics_();
  });

  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  row->addWidget(help);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addLayout(row);
  FormShow();
  setFixedSize(sizeHint().expandedTo(QSize(360, 280)));
}

QCheckBox* TfrmOpzioni::Check(const char* name) const { return findChild<QCheckBox*>(name); }
QRadioButton* TfrmOpzioni::UndoItem(int index) const { return undo_[index]; }
QPushButton* TfrmOpzioni::Button(const char* name) const { return findChild<QPushButton*>(name); }
bool TfrmOpzioni::ToolbarLarge() const { return Check("chkTBLargeIcons")->isChecked(); }
bool TfrmOpzioni::ToolbarFlat() const { return Check("chkTBFlatBtn")->isChecked(); }

void TfrmOpzioni::FormShow() {
  const sys::IniFile ini(CfgFilePath(ctx_));
  auto ini_is = [&](const char* key, const char* def, const char* value) {
    return ini.ReadString(kPrefs, key, def) == value;
  };
  Check("chkConfermaUscita")->setChecked(!ini_is("ConfirmQuit", "N", "N"));
  Check("chkConfirmQuitGame")->setChecked(!ini_is("ConfirmQuitGame", "Y", "N"));
  Check("chkConfirmEnterHiScores")->setChecked(!ini_is("ConfirmEnterHiScores", "Y", "N"));
  Check("chkWinningAnimation")->setChecked(ctx_.CfgIs(cfg::Winning_Animation, "Y"));
  Check("chkVertScrollBar")->setChecked(ctx_.CfgIs(cfg::VertScrollBar, "Y"));
  Check("chkTBLargeIcons")->setChecked(ini_is("ToolBar_Large", "N", "Y"));
  Check("chkTBFlatBtn")->setChecked(ini_is("ToolBar_Flat", "Y", "Y"));
  Check("chkTempo")->setChecked(!ctx_.CfgIs(cfg::Show_Time, "N"));
  Check("chkShowScore")->setChecked(!ctx_.CfgIs(cfg::Show_Score, "N"));
  Check("chkShowToolTips")->setChecked(ini_is("Show_ToolTips", "Y", "Y"));
  const std::string undo = ctx_.Cfg(cfg::Undo_Enabled);
  undo_[undo == "2" ? 2 : undo == "1" ? 1 : 0]->setChecked(true);
}

void TfrmOpzioni::btnOKClick() {
  auto on = [this](const char* name) { return Check(name)->isChecked(); };
  const bool time = on("chkTempo"), score = on("chkShowScore");
  const bool quit = on("chkConfermaUscita"), quitGame = on("chkConfirmQuitGame");
  const bool hiScores = on("chkConfirmEnterHiScores"), scroll = on("chkVertScrollBar");
  const bool winning = on("chkWinningAnimation"), tips = on("chkShowToolTips");
  const int undo = undo_[2]->isChecked() ? 2 : undo_[1]->isChecked() ? 1 : 0;
  scroll_changed_ = scroll != ctx_.CfgIs(cfg::VertScrollBar, "Y");

  sys::IniFile ini(CfgFilePath(ctx_));
  ini.WriteString(kPrefs, "Show_Time", YesNo(time));
  ini.WriteString(kPrefs, "Show_Score", YesNo(score));
  // There is no language choice: the English texts.
  ini.WriteInteger(kPrefs, "Language", 20000);
  ini.WriteString(kPrefs, "ConfirmQuit", YesNo(quit));
  ini.WriteString(kPrefs, "ConfirmQuitGame", YesNo(quitGame));
  ini.WriteString(kPrefs, "ConfirmEnterHiScores", YesNo(hiScores));
  ini.WriteString(kPrefs, "VertScrollBar", YesNo(scroll));
  ini.WriteInteger(kPrefs, "Undo_Enabled", undo);
  ini.WriteString(kPrefs, "Winning_Animation", YesNo(winning));
  ini.WriteString(kPrefs, "ToolBar_Large", YesNo(ToolbarLarge()));
  ini.WriteString(kPrefs, "ToolBar_Flat", YesNo(ToolbarFlat()));
  ini.WriteString(kPrefs, "Show_ToolTips", YesNo(tips));

  ctx_.SetCfg(cfg::Show_Time, YesNo(time));
  ctx_.SetCfg(cfg::Show_Score, YesNo(score));
  ctx_.SetCfg(cfg::Language, "20000");
  ctx_.SetCfg(cfg::Undo_Enabled, std::to_string(undo));
  ctx_.SetCfg(cfg::Winning_Animation, YesNo(winning));
  ctx_.SetCfg(cfg::VertScrollBar, YesNo(scroll));
  ctx_.SetCfg(cfg::ConfirmQuitGame, YesNo(quitGame));
  ctx_.SetCfg(cfg::ConfirmEnterHiScores, YesNo(hiScores));
  ctx_.SetCfg(cfg::Show_ToolTips, YesNo(tips));
  accept();
}

void TfrmOpzioni::btnClearScoresClick() {
  if (ClearAllHiScores(ctx_)) ShowMsg(ctx_, "Hi-Scores cleared.");
}

}  // namespace tw
