// The display panel of the main window: tempo, meter, subdivision picture,
// beat and elapsed time, and the animator's frames-per-beat figure.
#include <QAction>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <cstdio>

#include "engine/engine.h"
#include "engine/meter.h"
#include "ui/main/display_text.h"
#include "ui/main/main_window.h"
#include "ui/main/press_label.h"
#include "ui/main/skin.h"
#include "ui/main/user_prompts.h"

namespace corvane {

namespace {

QFont DisplayFont(int pixels) {
  QFont f(QStringLiteral("zk3"));
  f.setPixelSize(pixels);
  return f;
}

QFont TitleFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(11);
  return f;
}

void SetInk(QLabel* label, const QColor& colour) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, colour);
  label->setPalette(p);
}

// Titles keep the corner the layout gives: left-aligned ones their left edge,
// right-aligned ones the right edge of their design width.
PressLabel* Title(QWidget* parent, const char* name, int x, int y, const QString& text) {
  auto* label = new PressLabel(parent, QString::fromLatin1(name), {x, y, 10, 10});
  label->setFont(TitleFont());
  SetInk(label, skin::kLcdDimInk);
  label->setText(text);
  label->adjustSize();
  return label;
}

}  // namespace

void TfrmMain::CreateDisplay() {
  lblMeterTitle = Title(this, "lblMeterTitle", 105, 67, QStringLiteral("METER"));
  lblBPMTitle = Title(this, "lblBPMTitle", 105, 99, QStringLiteral("BPM"));
  lblTimeTitle = Title(this, "lblTimeTitle", 105, 133, QStringLiteral("TIME"));
  lblBeatTitle = Title(this, "lblBeatTitle", 192, 133, QStringLiteral("BEAT"));

  lblTempo = new PressLabel(this, QStringLiteral("lblTempo"), {132, 84, 76, 46});
  lblTempo->setAlignment(Qt::AlignCenter);
  SetInk(lblTempo, skin::kLcdInk);

  lblMeter = new PressLabel(this, QStringLiteral("lblMeter"), {200, 64, 36, 20});
  lblMeter->setFont(DisplayFont(16));
  lblMeter->setAlignment(Qt::AlignRight | Qt::AlignTop);
  SetInk(lblMeter, skin::kLcdInk);

  imgSubbeats = new PressLabel(this, QStringLiteral("imgSubbeats"), {218, 81, 17, 21});

  lblBeat = new PressLabel(this, QStringLiteral("lblBeat"), {207, 126, 29, 20});
  lblBeat->setAlignment(Qt::AlignRight | Qt::AlignBottom);
  lblTime = new PressLabel(this, QStringLiteral("lblTime"), {135, 132, 60, 16});
  lblTime->setFont(DisplayFont(13));
  SetInk(lblTime, skin::kLcdDimInk);
  lblTime->setText(QStringLiteral("0:00:00"));

  lblTap = new PressLabel(this, QStringLiteral("lblTap"), {214, 108, 10, 10});
  lblTap->setFont(TitleFont());
  SetInk(lblTap, QColor(170, 40, 30));
  lblTap->setText(QStringLiteral("TAP"));
  lblTap->adjustSize();
  lblTap->hide();

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(139, 92, 62, 31);
  Edit1->setFont(DisplayFont(24));
  Edit1->setAlignment(Qt::AlignCenter);
  // Typed over the digits, on the display's own glass.
  Edit1->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid %2; }")
                           .arg(skin::kLcdFace.name(), skin::kLcdInk.name()));
  Edit1->hide();

  SetAnimatorMode(false);
}

void TfrmMain::SetAnimatorMode(bool on) {
  animatorMode_ = on;
  lblTimeTitle->setText(on ? QStringLiteral("FRAMES PER BEAT") : QStringLiteral("TIME"));
  lblTimeTitle->adjustSize();
  lblBeatTitle->setVisible(!on);
  lblTime->setVisible(!on);
  imgSubbeats->setVisible(!on);
  QFont beatFont(QStringLiteral("zk3"));
  beatFont.setPointSize(on ? 13 : 10);
  lblBeat->setFont(beatFont);
  SetInk(lblBeat, on ? QColor(Qt::black) : skin::kLcdDimInk);
  if (on)
    DisplayFPB();
  else
    lblBeat->setText(QStringLiteral("-"));
}

void TfrmMain::UpdateLabels() {
  EngineSettings& s = Engine().Settings;
  const QString tempo = locale().toString(s.BPM.load(), 'g', 15);
  QFont font(QStringLiteral("zk3"));
  int size = 3264 / std::max(1, logicalDpiY());
  font.setPointSize(size);
  while (size > 1 && QFontMetrics(font, this).horizontalAdvance(tempo) > lblTempo->width()) {
    font.setPointSize(--size);
  }
  lblTempo->setFont(font);
  lblTempo->setText(tempo);

  const std::string meter = s.Meter.Get();
  const std::string subbeats = s.Subbeats.Get();
  const int divisor = s.BeatDivisor;
  lblMeter->setText(QString::fromStdString(MeterFormula(meter, divisor)));
  lblMeter->adjustSize();
  lblMeter->move(236 - lblMeter->width(), 64);

  SetSubbeatPicture(subbeats);
  for (const auto& [command, action] : actions_)
    if (action->isCheckable()) action->setChecked(IsChecked(command, meter, divisor, subbeats));
}

void TfrmMain::SetSubbeatPicture(const std::string& subbeats) {
  const int index = SubbeatPictureIndex(subbeats);
  if (index >= 0) {
    imgSubbeats->setPixmap(subbeatPictures_[index]);
    return;
  }
  QPixmap count(17, 21);
  count.fill(skin::kLcdFace);
  QPainter p(&count);
  QFont f(QStringLiteral("zk3"));
  f.setPointSize(9);
  p.setFont(f);
  p.setPen(skin::kLcdDimInk);
  p.drawText(QRect(0, 5, 17, 16), Qt::AlignRight | Qt::AlignTop, QString::number(subbeats.size()));
  p.end();
  imgSubbeats->setPixmap(count);
}

void TfrmMain::DisplayFPB() {
  bool ok = false;
  const qlonglong fps = fpsText_.toLongLong(&ok);
  if (!ok) {
    // What a failed conversion reports; the tempo has already changed.
    ShowSimpleMessage(QStringLiteral("'%1' is not a valid integer value").arg(fpsText_), this);
    return;
  }
  lblBeat->setText(QString::number(FramesPerBeat(fps, Engine().Settings.BPM)));
}

void TfrmMain::BeatAndTimeUpdate() {
  EngineGlobals& e = Engine();
  if (!animatorMode_) {
    const int beat = e.ShownBeat.load();
    lblBeat->setText(e.Settings.Meter.Get().size() == 1 ? QStringLiteral("-") : QString::number(beat));
    QFont f = lblBeat->font();
    f.setBold(e.ShownBeatKind.load() == 1);
    lblBeat->setFont(f);
  }
  lblTime->setText(QString::fromStdString(ElapsedText(std::chrono::steady_clock::now() - e.PlayStartTime())));
  if (traceBeats_) std::fprintf(stderr, "beat %s %s\n", qPrintable(lblBeat->text()), qPrintable(lblTime->text()));
}

}  // namespace corvane
