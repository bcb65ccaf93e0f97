// The options dialog: its pages, creation and destruction.
#include "settings/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "settings/colour_box.h"
#include "settings/settings_store.h"
#include "settings/sound_combo.h"
#include "ui/main/global_input.h"
#include "ui/main/main_window.h"

namespace corvane {

namespace {

QSlider* Bar(Qt::Orientation o, int min, int max, const char* name) {
  auto* bar = new QSlider(o);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setRange(min, max);
  return bar;
}

QLabel* Small(const QString& text) {
  auto* label = new QLabel(text);
  label->setProperty("small", true);
  return label;
}

QGroupBox* Group(const QString& title, QLayout* layout) {
  auto* box = new QGroupBox(title);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(4);
  box->setLayout(layout);
  return box;
}

}  // namespace

TfrmOptions::TfrmOptions(SettingsStore& store, TfrmMain& main, GlobalHotKey* hotKey, GamepadCapture* gamepad)
    : QDialog(&main), store_(store), main_(main), hotKey_(hotKey), gamepad_(gamepad) {
  setObjectName(QStringLiteral("frmOptions"));
  setWindowTitle(QStringLiteral("Options"));
  setFixedSize(401, 256);
  QFont compact(QStringLiteral("Tahoma"));  // the five pages fit their size at this face and size
  compact.setPixelSize(11);
  setFont(compact);

  PageControl1 = new QTabWidget(this);
  PageControl1->setGeometry(4, 4, 393, 216);
  PageControl1->addTab(CreateSoundPage(), QStringLiteral("Sound"));
  PageControl1->addTab(CreateVolumePage(), QStringLiteral("Volume"));
  PageControl1->addTab(CreateInterfacePage(), QStringLiteral("Interface"));
  PageControl1->addTab(CreateAdvancedPage(), QStringLiteral("Advanced"));
  PageControl1->addTab(CreateSystemPage(), QStringLiteral("System"));
  btnClose = new QPushButton(QStringLiteral("Close"), this);
  btnClose->setGeometry(316, 225, 78, 25);
  btnClose->setDefault(true);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);  // Esc presses it too

  // Notes and scale ends a size smaller than the rest.
  QFont small = font();
  small.setPixelSize(10);
  for (QLabel* label : findChildren<QLabel*>())
    if (label->property("small").toBool()) label->setFont(small);

  LoadOnCreate();
  ConnectHandlers();
}

QWidget* TfrmOptions::CreateSoundPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto soundRow = [this](SoundCombo*& combo, QToolButton*& browse, const char* comboName, const char* browseName) {
    auto* row = new QHBoxLayout;
    combo = new SoundCombo;
    combo->setObjectName(QString::fromLatin1(comboName));
    browse = new QToolButton;
    browse->setObjectName(QString::fromLatin1(browseName));
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setToolTip(QStringLiteral("Browse..."));
    row->addWidget(combo, 1);
    row->addWidget(browse);
    return row;
  };
  auto* accented = new QVBoxLayout;
  accented->addLayout(soundRow(cmbDownBeatfilename, BitBtn2, "cmbDownBeatfilename", "BitBtn2"));
  chkMixWithBeat = new QCheckBox(QStringLiteral("Mix with the beat sound"));
  accented->addWidget(chkMixWithBeat);
  layout->addWidget(Group(QStringLiteral("Accented (and subbeat)"), accented));
  auto* normal = new QVBoxLayout;
  normal->addLayout(soundRow(cmbBeatfilename, BitBtn3, "cmbBeatfilename", "BitBtn3"));
  layout->addWidget(Group(QStringLiteral("Normal (and tap)"), normal));
  layout->addStretch();
  return page;
}

QWidget* TfrmOptions::CreateVolumePage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* levels = new QGridLayout;
  struct Level {
    QSlider** bar;
    QLabel** label;
    const char* caption;
    const char* name;
  };
  const Level rows[] = {{&trkbDownbeatVol, &lblDownbeatVolRatio, "Accented", "trkbDownbeatVol"},
                        {&trkbOrdBeatVol, &lblBeatVolRatio, "Normal", "trkbOrdBeatVol"},
                        {&trkbarSubbeatVol, &lblSubdivVolRatio, "Subbeat", "trkbarSubbeatVol"},
                        {&trkbarBellVol, &lblBellVolRatio, "Bell", "trkbarBellVol"}};
  for (int i = 0; i < 4; ++i) {
    QSlider* bar = *rows[i].bar = Bar(Qt::Vertical, 0, 30, rows[i].name);
    bar->setInvertedAppearance(true);  // 0 dB at the top
    bar->setTickPosition(QSlider::TicksBothSides);
    bar->setTickInterval(6);
    *rows[i].label = new QLabel;
    levels->addWidget(Small(QString::fromLatin1(rows[i].caption)), 0, i, Qt::AlignHCenter);
    levels->addWidget(bar, 1, i, Qt::AlignHCenter);
    levels->addWidget(*rows[i].label, 2, i, Qt::AlignHCenter);
  }
  layout->addWidget(Group(QStringLiteral("Volume"), levels), 5);

  auto* right = new QVBoxLayout;
  auto* pan = new QVBoxLayout;
  trkbarPan = Bar(Qt::Horizontal, -10000, 10000, "trkbarPan");
  trkbarPan->setPageStep(500);
  trkbarPan->setTickPosition(QSlider::TicksBelow);
  trkbarPan->setTickInterval(5000);
  lblPan = new QLabel;
  lblPan->setAlignment(Qt::AlignHCenter);
  pan->addWidget(trkbarPan);
  pan->addWidget(lblPan);
  right->addWidget(Group(QStringLiteral("Pan"), pan));
  chkBellOnFirst = new QCheckBox(QStringLiteral("Bell in complex meters"));
  chkAutoFadeout = new QCheckBox(QStringLiteral("Fadeout after start"));
  chkBoost6dB = new QCheckBox(QStringLiteral("+6dB boost"));
  right->addWidget(chkBellOnFirst);
  right->addWidget(chkAutoFadeout);
  auto* boost = new QHBoxLayout;
  boost->addWidget(chkBoost6dB);
  boost->addWidget(Small(QStringLiteral("(requires restart)")));
  boost->addStretch();
  right->addLayout(boost);
  right->addStretch();
  layout->addLayout(right, 4);
  return page;
}

QWidget* TfrmOptions::CreateInterfacePage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(4);
  auto* flasher = new QGridLayout;
  trkbarFadeAmount = Bar(Qt::Horizontal, 0, 1, "trkbarFadeAmount");
  trkbarFlashSpeed = Bar(Qt::Horizontal, 20, 200, "trkbarFlashSpeed");
  trkbarFlashSpeed->setTickPosition(QSlider::TicksBelow);
  trkbarFlashSpeed->setTickInterval(20);
  flasher->addWidget(Small(QStringLiteral("Fade out")), 0, 0);
  flasher->addWidget(Small(QStringLiteral("off")), 0, 1);
  flasher->addWidget(trkbarFadeAmount, 0, 2);
  flasher->addWidget(Small(QStringLiteral("on")), 0, 3);
  flasher->addWidget(Small(QStringLiteral("Flash speed")), 1, 0);
  flasher->addWidget(Small(QStringLiteral("fast")), 1, 1);
  flasher->addWidget(trkbarFlashSpeed, 1, 2);
  flasher->addWidget(Small(QStringLiteral("slow")), 1, 3);
  flasher->addWidget(Small(QStringLiteral("Colors")), 2, 0, 1, 4);
  const char* names[] = {"cbAccented", "cbNormal", "cbTap"};
  const char* captions[] = {"Downbeat", "Beat", "Tap"};
  ColourBox** boxes[] = {&cbAccented, &cbNormal, &cbTap};
  for (int i = 0; i < 3; ++i) {
    *boxes[i] = new ColourBox;
    (*boxes[i])->setObjectName(QString::fromLatin1(names[i]));
    (*boxes[i])->setMaximumWidth(120);
    flasher->addWidget(Small(QString::fromLatin1(captions[i])), 3 + i, 0);
    flasher->addWidget(*boxes[i], 3 + i, 1, 1, 3);
  }
  layout->addWidget(Group(QStringLiteral("Beat Flasher"), flasher), 0, 0, 4, 1);

  auto* key = new QHBoxLayout;
  chkCtrl = new QCheckBox(QStringLiteral("Crtl"));
  chkAlt = new QCheckBox(QStringLiteral("Alt"));
  key->addWidget(chkCtrl);
  key->addWidget(chkAlt);
  key->addWidget(new QLabel(QStringLiteral("+  Space")));
  layout->addWidget(Group(QStringLiteral("Global start key"), key), 0, 1);

  auto* range = new QHBoxLayout;
  cmbMinBPM = new QComboBox;
  cmbMinBPM->setObjectName(QStringLiteral("cmbMinBPM"));
  cmbMaxBPM = new QComboBox;
  cmbMaxBPM->setObjectName(QStringLiteral("cmbMaxBPM"));
  for (QComboBox* c : {cmbMinBPM, cmbMaxBPM}) {
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumContentsLength(3);
  }
  cmbMinBPM->addItems({QStringLiteral("40"), QStringLiteral("24"), QStringLiteral("6")});
  cmbMaxBPM->addItems({QStringLiteral("208"), QStringLiteral("376"), QStringLiteral("544")});
  range->addWidget(cmbMinBPM);
  range->addWidget(new QLabel(QStringLiteral("-")));
  range->addWidget(cmbMaxBPM);
  range->addWidget(new QLabel(QStringLiteral("bpm")));
  layout->addWidget(Group(QStringLiteral("Tempo range"), range), 1, 1);

  auto* tap = new QHBoxLayout;  // two columns
  rbTapInteger = new QRadioButton(QStringLiteral("Integer"));
  rbTapFractional = new QRadioButton(QStringLiteral("Fractional"));
  tap->addWidget(rbTapInteger);
  tap->addWidget(rbTapFractional);
  QGroupBox* tapGroup = Group(QStringLiteral("Tap Precision"), tap);
  tapGroup->setObjectName(QStringLiteral("rgrpTapPrecision"));
  layout->addWidget(tapGroup, 2, 1);
  auto* pad = new QHBoxLayout;
  rbGamepadOn = new QRadioButton(QStringLiteral("On"));
  rbGamepadOff = new QRadioButton(QStringLiteral("Off"));
  pad->addWidget(rbGamepadOn);
  pad->addWidget(rbGamepadOff);
  QGroupBox* padGroup = Group(QStringLiteral("Gamepad"), pad);
  padGroup->setObjectName(QStringLiteral("rgrpGamepad"));
  layout->addWidget(padGroup, 3, 1);
  return page;
}

QWidget* TfrmOptions::CreateAdvancedPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* mode = new QGridLayout;
  rbAnimatorModeOn = new QRadioButton(QStringLiteral("On"));
  rbAnimatorModeOff = new QRadioButton(QStringLiteral("Off"));
  edtFPS = new QLineEdit(QStringLiteral("24"));
  edtFPS->setObjectName(QStringLiteral("edtFPS"));
  edtFPS->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edtFPS));
  edtFPS->setMaximumWidth(60);
  mode->addWidget(rbAnimatorModeOn, 0, 0);
  mode->addWidget(rbAnimatorModeOff, 1, 0);
  mode->addWidget(new QLabel(QStringLiteral("Frames per second (FPS)")), 0, 1);
  mode->addWidget(edtFPS, 1, 1, Qt::AlignLeft);
  QGroupBox* group = Group(QStringLiteral("Animator's mode"), mode);
  group->setToolTip(
      QStringLiteral("When this mode is on, the metronome shows Frames Per Beat value in the main window."));
  layout->addWidget(group);
  layout->addStretch();
  return page;
}

QWidget* TfrmOptions::CreateSystemPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Output Sound Card")));
  ComboBoxEx1 = new QComboBox;
  ComboBoxEx1->setObjectName(QStringLiteral("ComboBoxEx1"));
  layout->addWidget(ComboBoxEx1);
  layout->addWidget(new QLabel(QStringLiteral("Buffer size")));
  trkbBufferSize = Bar(Qt::Horizontal, 2, 7, "trkbBufferSize");
  trkbBufferSize->setPageStep(1);
  trkbBufferSize->setTickPosition(QSlider::TicksBelow);
  trkbBufferSize->setValue(4);
  layout->addWidget(trkbBufferSize);
  auto* ends = new QHBoxLayout;
  ends->addWidget(Small(QStringLiteral("Faster interface response")));
  ends->addStretch();
  ends->addWidget(Small(QStringLiteral("Less computing power")));
  layout->addLayout(ends);
  auto* hint = new QLabel(QStringLiteral(
      "Hint: increase the buffer size if you expirience some problems with metronome sound. It may be the case "
      "for low-end computers."));
  hint->setWordWrap(true);
  layout->addWidget(hint);
  layout->addStretch();
  return page;
}

// ---- creation and destruction ------------------------------------------------

void TfrmOptions::LoadOnCreate() {
  EngineGlobals& e = Engine();
  EngineSettings& s = e.Settings;
  for (const std::string& name : e.DeviceNames) ComboBoxEx1->addItem(QString::fromStdString(name));
  ComboBoxEx1->setCurrentIndex(e.SelectedDevice);

  cmbDownBeatfilename->setEditText(QString::fromStdString(s.Sound1File.Get()));
  cmbBeatfilename->setEditText(QString::fromStdString(s.Sound2File.Get()));
  PageControl1->setCurrentIndex(Sound);

  SetTempoLimits(s, store_.ReadIntDef("MinBPM", 40), store_.ReadIntDef("MaxBPM", 208));
  cmbMinBPM->setEditText(QString::number(s.MinBPM.load()));
  cmbMaxBPM->setEditText(QString::number(s.MaxBPM.load()));
  main_.SetTempo(s.BPM, false);

  trkbarFadeAmount->setValue(store_.ReadIntDef("FadeAmount", 100));
  trkbarFlashSpeed->setValue(store_.ReadIntDef("FlashSpeed", 0));
  cbAccented->SetColour(static_cast<uint32_t>(store_.ReadIntDef("ColorAccented", 255)));
  cbNormal->SetColour(static_cast<uint32_t>(store_.ReadIntDef("ColorNormal", 65280)));
  cbTap->SetColour(static_cast<uint32_t>(store_.ReadIntDef("ColorTapped", 65535)));
  (store_.ReadIntDef("TapPrecision", 0) == 1 ? rbTapFractional : rbTapInteger)->setChecked(true);
  rbGamepadOff->setChecked(true);  // the design's state; a stored "On" starts the capture
  if (store_.ReadIntDef("Gamepad", 0) == 0) {
    rbGamepadOn->setChecked(true);
    rgrpGamepadClick();
  }

  const std::pair<QSlider*, double> levels[] = {{trkbDownbeatVol, s.VolRatioDownbeat},
                                                {trkbOrdBeatVol, s.VolRatioBeat},
                                                {trkbarSubbeatVol, s.VolRatioSubbeat},
                                                {trkbarBellVol, s.VolRatioBell}};
  for (const auto& [bar, ratio] : levels) {
    const double decibels = -std::nearbyint(20 * std::log10(ratio));
    bar->setValue(static_cast<int>(std::clamp(decibels, 0.0, 30.0)));
    LevelChanged(bar);
  }
  chkAutoFadeout->setChecked(s.AutoFadeout);
  chkMixWithBeat->setChecked(s.MixWithBeat);
  chkBellOnFirst->setChecked(s.BellOnFirst);

  trkbBufferSize->setValue(store_.ReadIntDef("BufferSizeFactor", 4));
  if (trkbBufferSize->value() != 4) trkbBufferSizeChange();
  trkbarPan->setValue(s.MasterPan);
  trkbarPanChange();
  chkBoost6dB->setChecked(s.Boost6dB);

  if (store_.ReadBoolDef("Animatormode", false)) {
    rbAnimatorModeOn->setChecked(true);
    rbAnimatorModeOnClick();
  } else {
    rbAnimatorModeOff->setChecked(true);
    rbAnimatorModeOffClick();
  }
  DontShowMesBox1Again = store_.ReadBoolDef("DontShowMesBox1Again", false);

  const int mods = store_.ReadIntDef("GlobalHotKeyMods", 1);
  chkCtrl->setChecked(mods & 2);
  chkAlt->setChecked(mods & 1);
  if (hotKey_) hotKey_->Register(mods);
}

TfrmOptions::~TfrmOptions() {
  SettingsStore::Batch batch(store_);
  store_.WriteInt("GlobalHotKeyMods", HotKeyModifiers());
  if (hotKey_) hotKey_->Unregister();
  const EngineSettings& s = Engine().Settings;
  store_.WriteInt("MinBPM", static_cast<int32_t>(s.MinBPM.load()));
  store_.WriteInt("MaxBPM", static_cast<int32_t>(s.MaxBPM.load()));
  store_.WriteInt("FadeAmount", trkbarFadeAmount->value());
  store_.WriteInt("FlashSpeed", trkbarFlashSpeed->value());
  store_.WriteInt("BufferSizeFactor", trkbBufferSize->value());
  store_.WriteInt("ColorAccented", static_cast<int32_t>(cbAccented->Colour()));
  store_.WriteInt("ColorNormal", static_cast<int32_t>(cbNormal->Colour()));
  store_.WriteInt("ColorTapped", static_cast<int32_t>(cbTap->Colour()));
  store_.WriteInt("TapPrecision", rbTapFractional->isChecked() ? 1 : 0);
  store_.WriteInt("Gamepad", rbGamepadOn->isChecked() ? 0 : 1);
  store_.WriteBool("Animatormode", rbAnimatorModeOn->isChecked());
  store_.WriteBool("DontShowMesBox1Again", DontShowMesBox1Again);
}

int TfrmOptions::HotKeyModifiers() const { return 2 * chkCtrl->isChecked() + chkAlt->isChecked(); }

TapPrecision TfrmOptions::Precision() const {
  return rbTapFractional->isChecked() ? TapPrecision::Fractional : TapPrecision::Integer;
}
uint32_t TfrmOptions::ColorAccented() const { return cbAccented->Colour(); }
uint32_t TfrmOptions::ColorNormal() const { return cbNormal->Colour(); }
uint32_t TfrmOptions::ColorTapped() const { return cbTap->Colour(); }
QString TfrmOptions::FramesPerSecondText() const { return edtFPS->text(); }

void TfrmOptions::SetSoundComboText(int slot, const QString& text) {
  (slot == 0 ? cmbDownBeatfilename : cmbBeatfilename)->setEditText(text);
}

void TfrmOptions::showEvent(QShowEvent* event) {
  move(main_.geometry().center() - rect().center());  // centred over the main window
  QDialog::showEvent(event);
}

void TfrmOptions::ShowOnPage(int page) {
  PageControl1->setCurrentIndex(page);
  show();
  raise();
  activateWindow();
}

void TfrmOptions::ShowModalOnCurrentPage() {
  if (isVisible()) hide();
  exec();
}

}  // namespace corvane
