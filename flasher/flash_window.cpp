#include "flasher/flash_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QWindow>

#include "engine/engine.h"
#include "engine/streaming.h"
#include "flasher/wu_circle.h"
#include "settings/options_dialog.h"
#include "ui/main/main_window.h"
#include "ui/main/user_prompts.h"

namespace corvane {

namespace {
constexpr int kSize = 250;
constexpr int kEdge = 6;  // pixels at the border that resize instead of drag
}  // namespace

// The fade asks for a paint from the timer's thread and goes on; the queued
// request is dropped with the window if it is gone by then.
TfrmFlash::TfrmFlash(TfrmMain& main, TfrmOptions* options)
    : QWidget(&main, Qt::Window | Qt::FramelessWindowHint),
      main_(main),
      options_(options),
      back_(kSize, kSize, QImage::Format_RGB32),
      fade_([this] { QMetaObject::invokeMethod(this, [this] { update(); }, Qt::QueuedConnection); }) {
  setObjectName(QStringLiteral("frmFlash"));
  setWindowTitle(QStringLiteral("Beat Flasher"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(40, 40);
  resize(main.width(), kSize);
  back_.fill(Qt::black);

  PopupMenu1 = new QMenu(this);
  Flashinglight1 = PopupMenu1->addAction(QStringLiteral("Light"));
  Flashinglight1->setCheckable(true);
  Flashinglight1->setChecked(true);
  Beatnumber1 = PopupMenu1->addAction(QStringLiteral("Beat number"));
  Beatnumber1->setCheckable(true);
  Beatnumber1->setChecked(true);
  PopupMenu1->addSeparator();
  Resetwindow1 = PopupMenu1->addAction(QStringLiteral("Reset window"));
  Close1 = PopupMenu1->addAction(QStringLiteral("Close window"));
  connect(Resetwindow1, &QAction::triggered, this, [this] { Resetwindow1Click(); });
  connect(Close1, &QAction::triggered, this, [this] { close(); });
}

TfrmFlash::~TfrmFlash() { fade_.Stop(); }

void TfrmFlash::Update() { fade_.Update(Engine().ShownBeatKind.load()); }

void TfrmFlash::UpdateTap() { Update(); }

void TfrmFlash::Resetwindow1Click() {
  const QRect m = main_.geometry();
  const int w = m.width();
  setGeometry(m.left() + (m.width() - w) / 2, m.top() + m.height(), w, 258);
  Update();
}

uint32_t TfrmFlash::CurrentColour() const {
  const uint32_t accented = options_ ? options_->ColorAccented() : 0x0000FF;
  const uint32_t normal = options_ ? options_->ColorNormal() : 0x00FF00;
  const uint32_t tap = options_ ? options_->ColorTapped() : 0x00FFFF;
  return FlashColour(Flashinglight1->isChecked(), Engine().ShownBeatKind.load(), main_.IsTapping(), accented, normal,
                     tap, fade_.Brightness());
}

void TfrmFlash::RenderBackBuffer() {
  const uint32_t colour = CurrentColour();
  DrawWuCircle({back_.bits(), static_cast<int32_t>(back_.bytesPerLine()), 32}, 125, 125, colour, 115);
  QPainter p(&back_);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setPen(QColor(0xC0, 0xC0, 0xC0));
  // The text's background stays transparent: on the disc it would be the
  // disc's own colour, and beside it a coloured box around wide numbers.
  if (IsPlaying() && Beatnumber1->isChecked() && Engine().Settings.Meter.Get() != "x") {
    QFont font(QStringLiteral("zk3"));
    font.setPixelSize(160);
    p.setFont(font);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter | Qt::TextDontClip,
               QString::number(Engine().ShownBeat.load()));
  } else {
    p.drawText(QPoint(73, 125 + p.fontMetrics().ascent()), QStringLiteral("Corvane Metronome"));
  }
}

void TfrmFlash::paintEvent(QPaintEvent*) {
  RenderBackBuffer();
  QPainter p(this);
  p.fillRect(rect(), Qt::black);  // the margins beside the square
  const SquareArea square = LargestCentredSquare(width(), height());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRect(square.left, square.top, square.side, square.side), back_);
}

void TfrmFlash::closeEvent(QCloseEvent* event) {
  if (options_ && !options_->DontShowMesBox1Again) {
    bool dontShow = false;
    ShowMessage({this, QStringLiteral("Information"),
                 QStringLiteral("You can re-open this window by using Menu->Beat Flasher."), MsgIcon::Information,
                 MsgButtons::Ok, QStringLiteral("Don't show me again"), &dontShow});
    options_->DontShowMesBox1Again = dontShow;
  }
  emit hiddenByUser();
  hide();
  event->ignore();  // hidden, not destroyed
}

void TfrmFlash::keyPressEvent(QKeyEvent* event) { main_.ForwardKeyPress(event); }

void TfrmFlash::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  QWindow* w = windowHandle();
  if (!w) return;
  const QPoint p = event->position().toPoint();
  Qt::Edges edges;
  if (p.x() < kEdge) edges |= Qt::LeftEdge;
  if (p.x() >= width() - kEdge) edges |= Qt::RightEdge;
  if (p.y() < kEdge) edges |= Qt::TopEdge;
  if (p.y() >= height() - kEdge) edges |= Qt::BottomEdge;
  if (edges)
    w->startSystemResize(edges);
  else
    w->startSystemMove();  // dragged by any point
}

void TfrmFlash::contextMenuEvent(QContextMenuEvent* event) { PopupMenu1->popup(event->globalPos()); }

}  // namespace corvane
