#include "ui/main/skin.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace corvane::skin {

namespace {

QPixmap Blank(int w, int h) {
  QPixmap p(w, h);
  p.fill(Qt::transparent);
  return p;
}

QFont CaptionFont(int pixels, bool bold = true) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
  return f;
}

void EngravedText(QPainter& p, const QRect& r, int flags, const QString& text, const QColor& ink) {
  p.setPen(QColor(0, 0, 0, 160));
  p.drawText(r.translated(0, 1), flags, text);
  p.setPen(ink);
  p.drawText(r, flags, text);
}

// A rounded key cap, raised (up) or pushed in (down).
void KeyCap(QPainter& p, const QRectF& r, bool down, const QColor& base) {
  QPainterPath outline;
  outline.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
  p.fillPath(outline, QColor(8, 9, 10));
  QRectF face = r.adjusted(1.5, 1.5, -1.5, -1.5);
  QLinearGradient g(face.topLeft(), face.bottomLeft());
  if (down) {
    g.setColorAt(0, base.darker(190));
    g.setColorAt(1, base.darker(130));
  } else {
    g.setColorAt(0, base.lighter(135));
    g.setColorAt(0.5, base);
    g.setColorAt(1, base.darker(135));
  }
  QPainterPath facePath;
  facePath.addRoundedRect(face, 3, 3);
  p.fillPath(facePath, g);
  p.setPen(QPen(down ? QColor(0, 0, 0, 120) : QColor(255, 255, 255, 60), 1));
  p.drawLine(face.topLeft() + QPointF(3, 0.5), face.topRight() + QPointF(-3, 0.5));
}

void Groove(QPainter& p, const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(6, 7, 8));
  g.setColorAt(1, QColor(40, 44, 48));
  p.fillPath(path, g);
  p.setPen(QPen(QColor(255, 255, 255, 35), 1));
  p.drawLine(QPointF(r.left() + radius, r.bottom() + 0.5), QPointF(r.right() - radius, r.bottom() + 0.5));
}

void MetalCap(QPainter& p, const QRectF& r, bool vertical) {
  QPainterPath path;
  path.addRoundedRect(r, 3, 3);
  p.fillPath(path, QColor(10, 10, 12));
  QRectF face = r.adjusted(1, 1, -1, -1);
  QLinearGradient g(face.topLeft(), vertical ? face.topRight() : face.bottomLeft());
  g.setColorAt(0, QColor(236, 238, 240));
  g.setColorAt(0.45, QColor(188, 192, 198));
  g.setColorAt(1, QColor(120, 124, 130));
  QPainterPath facePath;
  facePath.addRoundedRect(face, 2, 2);
  p.fillPath(facePath, g);
  p.setPen(QPen(QColor(200, 60, 30), 2));  // the pointer line
  if (vertical)
    p.drawLine(QPointF(face.left() + 2, face.center().y()), QPointF(face.right() - 2, face.center().y()));
  else
    p.drawLine(QPointF(face.center().x(), face.top() + 2), QPointF(face.center().x(), face.bottom() - 2));
}

// Notes for a subdivision: stems with heads, beamed, a silent note as a rest.
void Notes(QPainter& p, const QString& pattern, int beams, const QString& tuplet) {
  p.setRenderHint(QPainter::Antialiasing);
  const int n = pattern.size();
  const qreal left = n == 1 ? 9.5 : 3.5, right = 14.5;
  const qreal step = n > 1 ? (right - left) / (n - 1) : 0;
  const qreal top = tuplet.isEmpty() ? 4.5 : 7.5, headY = 17.5;
  p.setPen(QPen(kLcdDimInk, 1.2));
  for (int i = 0; i < n; ++i) {
    const qreal x = left + i * step;
    if (pattern[i] == QLatin1Char('s')) {
      p.drawLine(QPointF(x, top), QPointF(x, headY - 0.5));
      p.setBrush(kLcdDimInk);
      p.drawEllipse(QPointF(x - 1.6, headY), 2.0, 1.5);
    } else {
      p.drawLine(QPointF(x - 1, headY - 6), QPointF(x + 1, headY - 3));  // a small rest
      p.drawLine(QPointF(x + 1, headY - 3), QPointF(x - 1, headY));
    }
  }
  if (n > 1) {
    p.setPen(QPen(kLcdDimInk, 1.6, Qt::SolidLine, Qt::FlatCap));
    for (int b = 0; b < beams; ++b) p.drawLine(QPointF(left, top + b * 3), QPointF(right, top + b * 3));
  }
  if (!tuplet.isEmpty()) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kLcdDimInk);
    p.drawText(QRect(0, -1, 17, 8), Qt::AlignHCenter | Qt::AlignTop, tuplet);
  }
}

}  // namespace

QPixmap Background() {
  QPixmap pix(338, 206);
  pix.fill(QColor(20, 22, 25));
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  // body: graphite with a soft top light
  QLinearGradient body(0, 0, 0, 206);
  body.setColorAt(0, QColor(58, 63, 69));
  body.setColorAt(0.25, QColor(42, 46, 51));
  body.setColorAt(1, QColor(24, 26, 29));
  QPainterPath shape;
  shape.addRoundedRect(QRectF(0.5, 0.5, 337, 205), 13, 13);
  p.fillPath(shape, body);
  p.setPen(QPen(QColor(255, 255, 255, 40), 1));
  p.drawPath(shape);
  // fine brushed lines
  for (int y = 3; y < 203; y += 2) {
    p.setPen(QColor(255, 255, 255, (y * 7) % 5 + 3));
    p.drawLine(12, y, 326, y);
  }
  // top band: the name plate
  p.setPen(QPen(QColor(0, 0, 0, 120), 1));
  p.drawLine(14, 48, 324, 48);
  p.setPen(QPen(QColor(255, 255, 255, 30), 1));
  p.drawLine(14, 49, 324, 49);
  p.drawPixmap(16, 11, Logo(QColor(214, 218, 222)));

  // display: a dark bezel around the glass
  const QRectF bezel = QRectF(kLcdRect).adjusted(-6, -5, 6, 5);
  QPainterPath bezelPath;
  bezelPath.addRoundedRect(bezel, 7, 7);
  p.fillPath(bezelPath, QColor(10, 11, 12));
  p.setPen(QPen(QColor(255, 255, 255, 45), 1));
  p.drawPath(bezelPath);
  QPainterPath glass;
  glass.addRoundedRect(QRectF(kLcdRect), 3, 3);
  p.fillPath(glass, kLcdFace);
  p.setPen(QPen(QColor(0, 0, 0, 70), 1));
  p.drawLine(QPointF(kLcdRect.left() + 3, kLcdRect.top() + 0.5), QPointF(kLcdRect.right() - 3, kLcdRect.top() + 0.5));

  // captions under the controls
  p.setFont(CaptionFont(8));
  const QColor caption(150, 156, 162);
  EngravedText(p, QRect(10, 186, 40, 12), Qt::AlignLeft, QStringLiteral("VOL"), caption);
  EngravedText(p, QRect(63, 186, 198, 12), Qt::AlignHCenter, QStringLiteral("TEMPO"), caption);
  // tempo scale marks
  p.setPen(QPen(QColor(150, 156, 162, 140), 1));
  for (int i = 0; i <= 12; ++i) {
    const qreal x = 63 + 15 + i * 14.0;
    p.drawLine(QPointF(x + 0.5, 163), QPointF(x + 0.5, i % 3 == 0 ? 159 : 161));
  }
  // volume scale marks
  for (int i = 0; i <= 4; ++i) {
    const qreal y = 141 + 5.5 + i * 8.25;
    p.drawLine(QPointF(40, y), QPointF(i % 2 == 0 ? 45 : 43, y));
  }
  return pix;
}

std::array<QPixmap, 2> Button(const QString& caption) {
  std::array<QPixmap, 2> images{Blank(43, 27), Blank(43, 27)};
  for (int state = 0; state < 2; ++state) {
    QPainter p(&images[state]);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = state == 1;
    KeyCap(p, QRectF(0, 0, 43, 27), down, QColor(66, 72, 79));
    p.setFont(CaptionFont(caption.size() > 5 ? 7 : 8));
    const QRect text = QRect(0, 0, 43, 27).translated(down ? 1 : 0, down ? 1 : 0);
    EngravedText(p, text, Qt::AlignCenter, caption, down ? QColor(255, 196, 92) : QColor(226, 230, 234));
  }
  return images;
}

std::array<QPixmap, 2> StartStop() {
  std::array<QPixmap, 2> images{Blank(63, 51), Blank(63, 51)};
  for (int state = 0; state < 2; ++state) {
    QPainter p(&images[state]);
    p.setRenderHint(QPainter::Antialiasing);
    const bool running = state == 1;
    KeyCap(p, QRectF(0, 0, 63, 51), running, QColor(72, 78, 86));
    const QPointF c(31.5 + (running ? 1 : 0), 22.5 + (running ? 1 : 0));
    // the lamp above the symbol
    QRadialGradient lamp(QPointF(c.x(), 8), 5);
    lamp.setColorAt(0, running ? QColor(140, 255, 140) : QColor(70, 80, 72));
    lamp.setColorAt(1, running ? QColor(30, 160, 50, 0) : QColor(30, 36, 32, 0));
    p.setBrush(lamp);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(c.x(), 8), 5, 4);
    p.setBrush(running ? QColor(255, 196, 92) : QColor(226, 230, 234));
    if (running) {
      p.drawRoundedRect(QRectF(c.x() - 8, c.y() - 6, 16, 16), 1.5, 1.5);
    } else {
      QPolygonF play;
      play << QPointF(c.x() - 6, c.y() - 7) << QPointF(c.x() + 10, c.y() + 2) << QPointF(c.x() - 6, c.y() + 11);
      p.drawPolygon(play);
    }
    p.setFont(CaptionFont(7));
    EngravedText(p, QRect(0, 37 + (running ? 1 : 0), 63 + (running ? 2 : 0), 10), Qt::AlignHCenter,
                 running ? QStringLiteral("STOP") : QStringLiteral("START"),
                 running ? QColor(255, 196, 92) : QColor(190, 196, 202));
  }
  return images;
}

namespace {
// A transparent picture of the given size, drawn by draw with antialiasing.
template <class Draw>
QPixmap Drawn(int w, int h, Draw draw) {
  QPixmap pix = Blank(w, h);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return pix;
}
}  // namespace

QPixmap TempoShaft() {
  return Drawn(198, 18, [](QPainter& p) { Groove(p, QRectF(13, 6, 172, 6), 3); });
}
QPixmap TempoKnob() {
  return Drawn(30, 20, [](QPainter& p) { MetalCap(p, QRectF(0, 0, 30, 20), false); });
}
QPixmap VolumeShaft() {
  return Drawn(16, 44, [](QPainter& p) { Groove(p, QRectF(6, 4, 6, 36), 3); });
}
QPixmap VolumeKnob() {
  return Drawn(15, 11, [](QPainter& p) { MetalCap(p, QRectF(0, 0, 15, 11), true); });
}

namespace {
QPixmap WindowGlyph(bool close) {
  QPixmap pix = Blank(15, 15);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(18, 20, 22));
  p.setPen(QPen(QColor(255, 255, 255, 50), 1));
  p.drawEllipse(QRectF(0.5, 0.5, 14, 14));
  p.setPen(QPen(close ? QColor(230, 120, 100) : QColor(200, 206, 212), 1.6, Qt::SolidLine, Qt::RoundCap));
  if (close) {
    p.drawLine(QPointF(5, 5), QPointF(10, 10));
    p.drawLine(QPointF(10, 5), QPointF(5, 10));
  } else {
    p.drawLine(QPointF(4.5, 9.5), QPointF(10.5, 9.5));
  }
  return pix;
}
}  // namespace

QPixmap MinimizeGlyph() { return WindowGlyph(false); }
QPixmap CloseGlyph() { return WindowGlyph(true); }

std::array<QPixmap, 7> SubbeatPictures() {
  std::array<QPixmap, 7> pictures;
  struct Look {
    const char* pattern;
    int beams;
    const char* tuplet;
  };
  static constexpr Look kLooks[7] = {{"", 0, ""},      {"s", 0, ""},     {"ss", 1, ""},  {"sss", 1, "3"},
                                     {"ssss", 2, ""}, {"s_s", 1, "3"}, {"s__s", 2, ""}};
  for (int i = 0; i < 7; ++i) {
    pictures[i] = QPixmap(17, 21);
    pictures[i].fill(kLcdFace);
    if (i == 0) continue;
    QPainter p(&pictures[i]);
    Notes(p, QString::fromLatin1(kLooks[i].pattern), kLooks[i].beams, QString::fromLatin1(kLooks[i].tuplet));
  }
  return pictures;
}

QPixmap Logo(const QColor& ink) {
  QPixmap pix = Blank(188, 29);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  // a small pendulum metronome
  QPolygonF body;
  body << QPointF(4, 27) << QPointF(10, 3) << QPointF(16, 3) << QPointF(22, 27);
  p.setPen(QPen(ink, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(body);
  p.setPen(QPen(QColor(232, 110, 60), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(13, 24), QPointF(19, 7));
  QFont name(QStringLiteral("Arial"));
  name.setPixelSize(17);
  name.setBold(true);
  name.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(name);
  p.setPen(ink);
  p.drawText(QRect(30, 0, 158, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CORVANE"));
  QFont sub(QStringLiteral("Arial"));
  sub.setPixelSize(9);
  sub.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
  p.setFont(sub);
  p.drawText(QRect(31, 18, 157, 11), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("METRONOME"));
  return pix;
}

}  // namespace corvane::skin
