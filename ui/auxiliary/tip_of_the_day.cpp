#include "ui/auxiliary/tip_of_the_day.h"

#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <fstream>

#include "settings/app_paths.h"
#include "settings/diagnostics.h"
#include "settings/settings_store.h"
#include "ui/auxiliary/tips.h"

namespace corvane {

namespace {

void Paint(QWidget* w, QPalette::ColorRole role, Rgb c) {
  QPalette p = w->palette();
  p.setColor(role, QColor(c.r, c.g, c.b));
  w->setPalette(p);
}

QFont Sized(const char* family, int pixels, bool bold = false) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

}  // namespace

TfrmTipOfTheDay::TfrmTipOfTheDay(SettingsStore& store, QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), store_(store) {
  setObjectName(QStringLiteral("frmTipOfTheDay"));
  setWindowTitle(QStringLiteral("Corvane Metronome - Tip Of The Day"));
  setFixedSize(284, 135);
  setFont(Sized("Tahoma", 12));
  setAutoFillBackground(true);

  lblTipHead = new QLabel(this);
  lblTipHead->setFont(Sized("Times New Roman", 19, true));
  lblTipHead->setGeometry(10, 6, 70, 24);
  pnl1 = new QFrame(this);
  pnl1->setGeometry(70, 17, 207, 5);
  pnl1->setAutoFillBackground(true);
  lblTipText = new QLabel(this);
  lblTipText->setGeometry(10, 36, 265, 49);
  lblTipText->setWordWrap(true);
  lblTipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblTipText->setFont(Sized("Tahoma", 12));
  chkShowOnStartup = new QCheckBox(QStringLiteral("Show On Startup"), this);
  chkShowOnStartup->setGeometry(10, 102, 120, 22);
  chkShowOnStartup->setChecked(true);
  btnNext = new QPushButton(QStringLiteral("Next"), this);
  btnNext->setGeometry(134, 100, 68, 25);
  btnOK = new QPushButton(QStringLiteral("Close"), this);
  btnOK->setGeometry(208, 100, 68, 25);
  btnOK->setDefault(true);
  connect(btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
  connect(btnOK, &QPushButton::clicked, this, &QDialog::reject);  // "Close", as Esc

  QDir::setCurrent(QString::fromStdString(ProgramDataDir().string()));
  ShowTip(store_.ReadIntDef("TipNumber", 1));
}

void TfrmTipOfTheDay::ShowTip(int n) {
  TipColours colours;
  if (TipColoursFor(n, colours)) {
    Paint(this, QPalette::Window, colours.background);
    Paint(pnl1, QPalette::Window, colours.bar);
    Paint(lblTipHead, QPalette::WindowText, colours.heading);
  }
  std::ifstream file("tips.txt");
  if (!file) {
    // Said once per start; the window then stays away rather than show nothing.
    DebugStr("Cannot read the tips file tips.txt; no tips are shown.");
    available_ = false;
    return;
  }
  const TipRead tip = ReadTip(file, n);
  currentTip_ = tip.next;
  lblTipHead->setText(QStringLiteral("Tip %1").arg(n));
  lblTipHead->adjustSize();
  pnl1->move(lblTipHead->geometry().right() + 8, pnl1->y());
  lblTipText->setText(QString::fromStdString(tip.text));
}

void TfrmTipOfTheDay::showEvent(QShowEvent* event) {
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  QDialog::showEvent(event);
}

void TfrmTipOfTheDay::done(int result) {
  SettingsStore::Batch batch(store_);
  store_.WriteBool("ShowTipsOnStartup", chkShowOnStartup->isChecked());
  store_.WriteInt("TipNumber", currentTip_);
  QDialog::done(result);
}

}  // namespace corvane
