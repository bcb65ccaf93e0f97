#include "settings/colour_box.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace corvane {

namespace {
constexpr int kCustomRole = Qt::UserRole + 1;

struct Named {
  const char* name;
  uint32_t colour;  // 0x00BBGGRR
};
constexpr Named kColours[] = {
    {"Black", 0x000000},   {"Maroon", 0x000080},      {"Green", 0x008000},     {"Olive", 0x008080},
    {"Navy", 0x800000},    {"Purple", 0x800080},      {"Teal", 0x808000},      {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},  {"Red", 0x0000FF},         {"Lime", 0x00FF00},      {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},    {"Fuchsia", 0xFF00FF},     {"Aqua", 0xFFFF00},      {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xF0CAA6}, {"Cream", 0xF0FBFF},    {"Medium Gray", 0xA4A0A0},
};

QIcon Swatch(uint32_t colour) {
  QPixmap pix(14, 14);
  pix.fill(ToQColor(colour));
  QPainter(&pix).drawRect(0, 0, 13, 13);
  return QIcon(pix);
}
}  // namespace

QColor ToQColor(uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

uint32_t ToPlatformColour(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

ColourBox::ColourBox(QWidget* parent) : QComboBox(parent) {
  for (const Named& n : kColours) AddEntry(QString::fromLatin1(n.name), n.colour);
  addItem(QStringLiteral("Custom..."));
  setItemData(count() - 1, true, kCustomRole);
  connect(this, &QComboBox::activated, this, &ColourBox::Picked);
}

int ColourBox::AddEntry(const QString& name, uint32_t colour) {
  const int at = findData(true, kCustomRole) >= 0 ? count() - 1 : count();
  insertItem(at, Swatch(colour), name, QVariant::fromValue(colour));
  return at;
}

int ColourBox::IndexOf(uint32_t colour) const {
  for (int i = 0; i < count(); ++i)
    if (!itemData(i, kCustomRole).toBool() && itemData(i).toUInt() == colour) return i;
  return -1;
}

void ColourBox::SetColour(uint32_t colour) {
  colour &= 0xFFFFFF;
  int index = IndexOf(colour);
  if (index < 0) index = AddEntry(QStringLiteral("#%1").arg(ToQColor(colour).name().mid(1).toUpper()), colour);
  colour_ = colour;
  lastIndex_ = index;
  setCurrentIndex(index);
}

void ColourBox::Picked(int index) {
  if (itemData(index, kCustomRole).toBool()) {
    const QColor chosen = QColorDialog::getColor(ToQColor(colour_), this);
    if (!chosen.isValid()) {
      setCurrentIndex(lastIndex_);
      return;
    }
    SetColour(ToPlatformColour(chosen));
  } else {
    colour_ = itemData(index).toUInt();
    lastIndex_ = index;
  }
  emit colourChanged(colour_);
}

}  // namespace corvane
