// Keys, wheel, background clicks and the menus of the main window.
#include <QAction>
#include <QCursor>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QTabWidget>
#include <QWheelEvent>
#include <QWindow>

#include "engine/engine.h"
#include "flasher/flash_window.h"
#include "settings/app_paths.h"
#include "settings/options_dialog.h"
#include "ui/auxiliary/about_box.h"
#include "ui/main/main_window.h"
#include "ui/main/press_label.h"
#include "ui/main/user_prompts.h"

namespace corvane {

namespace {

// Keys by position on a US keyboard's main block: a shifted digit reports
// its symbol, so the symbols map back to their digits.
Key KeyOf(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return: case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_0: case Qt::Key_ParenRight: return Key::Digit0;
    case Qt::Key_1: case Qt::Key_Exclam: return Key::Digit1;
    case Qt::Key_2: case Qt::Key_At: return Key::Digit2;
    case Qt::Key_3: case Qt::Key_NumberSign: return Key::Digit3;
    case Qt::Key_4: case Qt::Key_Dollar: return Key::Digit4;
    case Qt::Key_5: case Qt::Key_Percent: return Key::Digit5;
    case Qt::Key_6: case Qt::Key_AsciiCircum: return Key::Digit6;
    case Qt::Key_7: case Qt::Key_Ampersand: return Key::Digit7;
    case Qt::Key_8: case Qt::Key_Asterisk: return Key::Digit8;
    case Qt::Key_9: case Qt::Key_ParenLeft: return Key::Digit9;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return Key::Grave;
    case Qt::Key_Minus: case Qt::Key_Underscore: return Key::Minus;
    case Qt::Key_Equal: case Qt::Key_Plus: return Key::Equals;
    case Qt::Key_D: return Key::D;
    case Qt::Key_E: return Key::E;
    case Qt::Key_M: return Key::M;
    case Qt::Key_O: return Key::O;
    case Qt::Key_T: return Key::T;
    default: return Key::Other;
  }
}

}  // namespace

void TfrmMain::Translate(const QKeyEvent* event, Key* key, Modifiers* mods) {
  const Qt::KeyboardModifiers m = event->modifiers();
  // Digits and signs count on the main block only, not on the keypad.
  const bool keypad = m & Qt::KeypadModifier;
  *key = KeyOf(event->key());
  if (keypad && *key != Key::Enter && *key != Key::PageUp && *key != Key::PageDown && *key != Key::Left &&
      *key != Key::Right && *key != Key::Up && *key != Key::Down)
    *key = Key::Other;
  *mods = {m.testFlag(Qt::ShiftModifier), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier)};
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
  Key key;
  Modifiers mods;
  Translate(event, &key, &mods);
  if (!HandleKey(key, mods)) QWidget::keyPressEvent(event);
}

void TfrmMain::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat()) return;
  const Key key = KeyOf(event->key());
  if (key == Key::Enter || key == Key::T) TapRelease();
}

bool TfrmMain::HandleKey(Key key, Modifiers mods) {
  const KeyResult result = KeyCommandFor(key, mods);
  if (const auto* rhythm = std::get_if<RhythmCommand>(&result)) {
    actions_.at(*rhythm)->trigger();
    return true;
  }
  const auto* command = std::get_if<KeyCommand>(&result);
  if (!command) return false;
  EngineSettings& s = Engine().Settings;
  switch (command->action) {
    case KeyAction::TapPress: TapPress(); break;
    case KeyAction::StartStop: StartStop(); break;
    case KeyAction::TempoStep: SetTempo(s.BPM + command->step, command->checkLimits); break;
    case KeyAction::VolumeStep: SetVolume(s.MasterVol + static_cast<int>(command->step)); break;
    case KeyAction::DoubleTempo: SetTempo(DoubledTempo(s.BPM), false); break;
    case KeyAction::HalfTempo: SetTempo(HalvedTempo(s.BPM), false); break;
    case KeyAction::Options:
      if (options_) options_->ShowOnPage(options_->PageControl1->currentIndex());
      break;
    // Diary, export and the meter constructor arrive with their windows.
    case KeyAction::Diary:
    case KeyAction::Export:
    case KeyAction::MeterEditor: break;
  }
  return true;
}

void TfrmMain::wheelEvent(QWheelEvent* event) {
  if (IsTapping()) StopTapping();
  const int delta = event->angleDelta().y();
  EngineSettings& s = Engine().Settings;
  if (event->modifiers() & Qt::ControlModifier)
    SetVolume(s.MasterVol + delta);
  else
    SetTempo(s.BPM + delta / 120, false);  // truncates toward zero: a small turn does nothing
  event->accept();
}

void TfrmMain::mousePressEvent(QMouseEvent* event) {
  CommitTypedTempo();  // a click on the background closes typed entry
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton && p.y() < 50 && p.x() < imgMinimize->x()) {
    if (QWindow* w = windowHandle()) w->startSystemMove();  // dragged by the top band
  }
  setFocus();
}

// ---- menus ------------------------------------------------------------------

void TfrmMain::PopupFrom(PressLabel* button, QMenu* menu) {
  button->ShowImage(1);
  menu->popup(QCursor::pos());
}

void TfrmMain::CreateMenus() {
  for (const RhythmCommandInfo& info : RhythmCommands()) {
    auto* action = new QAction(QString::fromUtf8(info.menuCaption.data(), qsizetype(info.menuCaption.size())), this);
    action->setObjectName(QString::fromLatin1(info.name.data(), qsizetype(info.name.size())));
    action->setCheckable(!info.menuCaption.empty() &&
                         (info.group == RhythmGroup::Beats || info.group == RhythmGroup::Subdivisions));
    const RhythmCommand command = info.command;
    connect(action, &QAction::triggered, this, [this, command] { RunRhythmCommand(command); });
    actions_[command] = action;
  }

  rhythmMenu_ = new QMenu(this);
  rhythmMenu_->setObjectName(QStringLiteral("RhythmMenu"));
  QAction* edit = rhythmMenu_->addAction(QStringLiteral("Edit..."));
  edit->setEnabled(false);  // the meter constructor arrives later
  rhythmMenu_->addSeparator();
  auto submenu = [this](const QString& title, RhythmGroup group) {
    QMenu* menu = rhythmMenu_->addMenu(title);
    for (const RhythmCommandInfo& info : RhythmCommands()) {
      if (info.group != group || info.menuCaption.empty()) continue;
      if (info.command == RhythmCommand::actSetSubsShuffle) menu->addSeparator();
      menu->addAction(actions_[info.command]);
    }
  };
  submenu(QStringLiteral("Beats"), RhythmGroup::Beats);
  submenu(QStringLiteral("Subdivisions"), RhythmGroup::Subdivisions);
  rhythmMenu_->addSeparator();
  submenu(QStringLiteral("Latin styles"), RhythmGroup::LatinStyles);
  submenu(QStringLiteral("Flamenco styles"), RhythmGroup::FlamencoStyles);
  connect(rhythmMenu_, &QMenu::aboutToHide, this, [this] { imgBtnMeter->ShowImage(0); });

  mainMenu_ = new QMenu(this);
  mainMenu_->setObjectName(QStringLiteral("MainMenu"));
  // The diary and the export arrive with their own windows; their items are
  // shown but not yet enabled. The options' items wait for the dialog.
  const char* optionCaptions[] = {"Sound Options...", "Volume Options...", "Interface Options..."};
  for (int page = 0; page < 3; ++page) {
    QAction* item = mainMenu_->addAction(QString::fromLatin1(optionCaptions[page]));
    item->setEnabled(false);
    connect(item, &QAction::triggered, this, [this, page] {
      if (options_) options_->ShowOnPage(page);
    });
    optionItems_ << item;
  }
  mainMenu_->addSeparator();
  flasherItem_ = mainMenu_->addAction(QStringLiteral("Beat Flasher window"));
  flasherItem_->setCheckable(true);
  flasherItem_->setChecked(true);
  flasherItem_->setEnabled(false);  // until the flasher exists
  connect(flasherItem_, &QAction::toggled, this, [this](bool shown) {
    if (flasher_) flasher_->setVisible(shown);
  });
  mainMenu_->addAction(QStringLiteral("Diary..."))->setEnabled(false);
  mainMenu_->addAction(QStringLiteral("Export into WAV/MP3..."))->setEnabled(false);
  mainMenu_->addSeparator();
  connect(mainMenu_->addAction(QStringLiteral("User Manual (PDF)")), &QAction::triggered, this,
          [this] { OpenManual(); });
  connect(mainMenu_->addAction(QStringLiteral("About...")), &QAction::triggered, this, [this] { OpenAbout(); });
  connect(mainMenu_, &QMenu::aboutToHide, this, [this] { imgBtnMenu->ShowImage(0); });
}

void TfrmMain::OpenManual() {
  const QString folder = QString::fromStdString(ProgramDataDir().string());
  QDir::setCurrent(folder);
  OpenWithShell(QUrl::fromLocalFile(QDir(folder).absoluteFilePath(QStringLiteral("ZKHelp.pdf"))));
}

void TfrmMain::OpenAbout() {
  TfrmAbout about(this);
  about.exec();
}

}  // namespace corvane
