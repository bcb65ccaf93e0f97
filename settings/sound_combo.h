#pragma once
// An editable combo of sound files that refreshes its list as it opens.
#include <QComboBox>

namespace corvane {

class SoundCombo : public QComboBox {
  Q_OBJECT
 public:
  explicit SoundCombo(QWidget* parent = nullptr) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
  }
  void showPopup() override {
    emit aboutToOpen();
    QComboBox::showPopup();
  }

 signals:
  void aboutToOpen();
};

}  // namespace corvane
