#include "settings/quiet_setters.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace corvane {

void SetEditTextQuiet(QLineEdit* edit, const QString& text) {
  const QSignalBlocker block(edit);
  edit->setText(text);
}

void SetUpDownPositionQuiet(QSpinBox* upDown, int position) {
  const QSignalBlocker block(upDown);
  upDown->setValue(position);
}

}  // namespace corvane
