#pragma once
// The tip window: one tip per start and per "Next", in turn.
#include <QDialog>

class QCheckBox;
class QLabel;
class QFrame;
class QPushButton;

namespace corvane {

class SettingsStore;

class TfrmTipOfTheDay : public QDialog {
  Q_OBJECT
 public:
  // Creation (FormCreate): changes to the program's folder and reads the tip
  // numbered TipNumber.
  TfrmTipOfTheDay(SettingsStore& store, QWidget* owner);

  void ShowTip(int n);
  void btnNextClick() { ShowTip(currentTip_); }
  // False when the tips file could not be read; the window is then not shown.
  bool TipsAvailable() const { return available_; }
  int CurrentTip() const { return currentTip_; }

  QLabel* lblTipHead = nullptr;
  QFrame* pnl1 = nullptr;
  QLabel* lblTipText = nullptr;
  QCheckBox* chkShowOnStartup = nullptr;
  QPushButton* btnNext = nullptr;
  QPushButton* btnOK = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;  // every way of closing ends here

 private:
  SettingsStore& store_;
  int currentTip_ = 1;
  bool available_ = true;
};

}  // namespace corvane
