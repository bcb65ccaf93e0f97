#pragma once
// Setting a control's value without running its change handler, so that a
// refresh of one control does not recompute the others.
#include <QString>

class QLineEdit;
class QSpinBox;

namespace corvane {

void SetEditTextQuiet(QLineEdit* edit, const QString& text);
// The up-down's own edit shows the new position; neither signals.
void SetUpDownPositionQuiet(QSpinBox* upDown, int position);

}  // namespace corvane
