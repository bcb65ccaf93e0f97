#pragma once
// The options dialog: sounds, levels, balance, flasher colours, tempo
// limits, start key, tap precision, gamepad, animator's mode, output device
// and buffer size. Every change takes effect at once; there is no OK/Cancel.
#include <QDialog>
#include <cstdint>

#include "ui/main/tap_tempo.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QToolButton;

namespace corvane {

class ColourBox;
class GamepadCapture;
class GlobalHotKey;
class SettingsStore;
class SoundCombo;
class TfrmMain;

inline const QString kSelectSound = QStringLiteral("Please, select sound...");

class TfrmOptions : public QDialog {
  Q_OBJECT
 public:
  // Creation (FormCreate) at program start, after the main window.
  TfrmOptions(SettingsStore& store, TfrmMain& main, GlobalHotKey* hotKey, GamepadCapture* gamepad);
  // Destruction (FormDestroy) at program end: writes the dialog's values.
  ~TfrmOptions() override;

  enum Page { Sound = 0, Volume = 1, Interface = 2, Advanced = 3, System = 4 };
  void ShowOnPage(int page);        // modeless
  void ShowModalOnCurrentPage();    // the start-up check's call

  // What other windows read of the dialog.
  TapPrecision Precision() const;
  uint32_t ColorAccented() const;
  uint32_t ColorNormal() const;
  uint32_t ColorTapped() const;
  QString FramesPerSecondText() const;
  void SetSoundComboText(int slot, const QString& text);  // slot 0 accented, 1 normal
  bool DontShowMesBox1Again = false;

  // Controls, by the names the handlers use.
  QTabWidget* PageControl1 = nullptr;
  SoundCombo* cmbDownBeatfilename = nullptr;
  QToolButton* BitBtn2 = nullptr;
  QCheckBox* chkMixWithBeat = nullptr;
  SoundCombo* cmbBeatfilename = nullptr;
  QToolButton* BitBtn3 = nullptr;
  QSlider* trkbDownbeatVol = nullptr;
  QSlider* trkbOrdBeatVol = nullptr;
  QSlider* trkbarSubbeatVol = nullptr;
  QSlider* trkbarBellVol = nullptr;
  QLabel* lblDownbeatVolRatio = nullptr;
  QLabel* lblBeatVolRatio = nullptr;
  QLabel* lblSubdivVolRatio = nullptr;
  QLabel* lblBellVolRatio = nullptr;
  QSlider* trkbarPan = nullptr;
  QLabel* lblPan = nullptr;
  QCheckBox* chkBellOnFirst = nullptr;
  QCheckBox* chkAutoFadeout = nullptr;
  QCheckBox* chkBoost6dB = nullptr;
  QSlider* trkbarFadeAmount = nullptr;
  QSlider* trkbarFlashSpeed = nullptr;
  ColourBox* cbAccented = nullptr;
  ColourBox* cbNormal = nullptr;
  ColourBox* cbTap = nullptr;
  QCheckBox* chkCtrl = nullptr;
  QCheckBox* chkAlt = nullptr;
  QComboBox* cmbMinBPM = nullptr;
  QComboBox* cmbMaxBPM = nullptr;
  QRadioButton* rbTapInteger = nullptr;
  QRadioButton* rbTapFractional = nullptr;
  QRadioButton* rbGamepadOn = nullptr;
  QRadioButton* rbGamepadOff = nullptr;
  QRadioButton* rbAnimatorModeOn = nullptr;
  QRadioButton* rbAnimatorModeOff = nullptr;
  QLineEdit* edtFPS = nullptr;
  QComboBox* ComboBoxEx1 = nullptr;
  QSlider* trkbBufferSize = nullptr;
  QPushButton* btnClose = nullptr;

  // Handlers.
  void LevelChanged(QSlider* bar);
  void trkbarPanChange();
  void cmbMinBPMChange();
  void cmbMaxBPMChange();
  void SoundComboOpened(SoundCombo* combo);
  void cmbDownBeatfilenamePicked(const QString& path);
  void cmbBeatfilenamePicked(const QString& path);
  void Browse(int slot, const QString& chosen);  // chosen empty: ask with a file dialog
  void ComboBoxEx1Picked(int index);
  void trkbBufferSizeChange();
  void HotKeyBoxClicked();
  void rgrpGamepadClick();
  void rbAnimatorModeOnClick();
  void rbAnimatorModeOffClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateSoundPage();
  QWidget* CreateVolumePage();
  QWidget* CreateInterfacePage();
  QWidget* CreateAdvancedPage();
  QWidget* CreateSystemPage();
  void ConnectHandlers();
  void LoadOnCreate();
  int HotKeyModifiers() const;
  void ApplyLimitText(QComboBox* combo, bool minimum);

  SettingsStore& store_;
  TfrmMain& main_;
  GlobalHotKey* hotKey_;
  GamepadCapture* gamepad_;
};

}  // namespace corvane
