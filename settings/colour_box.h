#pragma once
// A colour picker: the standard and extended colours by name, plus any
// other colour chosen through "Custom...". Colours are platform colour
// values 0x00BBGGRR.
#include <QComboBox>
#include <cstdint>

namespace corvane {

class ColourBox : public QComboBox {
  Q_OBJECT
 public:
  explicit ColourBox(QWidget* parent = nullptr);
  uint32_t Colour() const { return colour_; }
  void SetColour(uint32_t colour);  // adds a custom entry when not listed

 signals:
  void colourChanged(uint32_t colour);

 private:
  void Picked(int index);
  int IndexOf(uint32_t colour) const;
  int AddEntry(const QString& name, uint32_t colour);
  uint32_t colour_ = 0;
  int lastIndex_ = 0;
};

QColor ToQColor(uint32_t platformColour);
uint32_t ToPlatformColour(const QColor& colour);

}  // namespace corvane
