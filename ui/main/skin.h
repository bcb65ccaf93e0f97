#pragma once
// The main window's pictures, drawn in code at the sizes the layout needs.
#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <array>

namespace corvane::skin {

inline const QColor kLcdFace(192, 201, 192);   // the display's glass
inline const QColor kLcdInk(40, 46, 42);       // digits on it
inline const QColor kLcdDimInk(64, 64, 64);    // beat and time read-outs
inline constexpr QRect kLcdRect(92, 54, 156, 96);

QPixmap Background();                                  // 338 x 206
std::array<QPixmap, 2> Button(const QString& caption); // 43 x 27: up, down
std::array<QPixmap, 2> StartStop();                    // 63 x 51: stopped, running
QPixmap TempoShaft();                                  // 198 x 18
QPixmap TempoKnob();                                   // 30 x 20
QPixmap VolumeShaft();                                 // 16 x 44
QPixmap VolumeKnob();                                  // 15 x 11
QPixmap MinimizeGlyph();                               // 15 x 15
QPixmap CloseGlyph();                                  // 15 x 15
std::array<QPixmap, 7> SubbeatPictures();              // 17 x 21 each
QPixmap Logo(const QColor& ink = QColor(30, 34, 38));  // 188 x 29, transparent

}  // namespace corvane::skin
