#pragma once
// Shared pieces of the window tests: a fresh engine with a virtual device,
// private folders, the display font, and message boxes answered by script.
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <memory>

#include "engine/engine.h"
#include "engine/virtual_audio.h"
#include "settings/app_paths.h"
#include "settings/diagnostics.h"
#include "settings/settings_store.h"
#include "settings/options_dialog.h"
#include "ui/main/main_window.h"
#include "ui/main/user_prompts.h"

// A data column's value inside an expression (QFETCH declares a variable).
#define DATA(type, name) (*static_cast<type*>(QTest::qData(#name, ::qMetaTypeId<type>())))

namespace corvane::testing {

// Per test: a temporary folder as current directory, XDG folders and program
// folder inside it, and every message box recorded and answered from a queue.
class GuiSandbox {
 public:
  GuiSandbox() {
    dir = std::filesystem::temp_directory_path() /
          ("corvane-gui-" + std::to_string(QCoreApplication::applicationPid()) + "-" + std::to_string(++serial_));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
    qputenv("CORVANE_DATA_DIR", QByteArray::fromStdString(dir.string()));
    ForgetAppDataPath();
    ResetEngine();
    SetDiagnosticSink([](std::string_view) {});
    SetMessageResponder([this](const MessageRequest& r) {
      messages.push_back(r.text);
      if (r.checked) *r.checked = checkBoxAnswer;
      if (answers.empty()) return r.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
      MsgAnswer a = answers.front();
      answers.pop_front();
      return a;
    });
    SetShellOpener([this](const QUrl& url) { opened.push_back(url); });
  }
  ~GuiSandbox() {
    SetMessageResponder({});
    SetShellOpener({});
    SetDiagnosticSink({});
    ResetEngine();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(dir);
  }

  // Copies a shipped sound into the current directory.
  void CopySound(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(CORVANE_DATA_DIR) / name, dir / name,
                               std::filesystem::copy_options::overwrite_existing);
  }

  std::filesystem::path dir;
  std::deque<MsgAnswer> answers;
  bool checkBoxAnswer = false;  // what the user ticks in a box's check box
  QStringList messages;
  QList<QUrl> opened;

 private:
  static inline int serial_ = 0;
};

// The windows as the program creates them at start: the main window (which
// starts the engine on a virtual device), then the options dialog.
struct ProgramWindows {
  ProgramWindows(GuiSandbox& sandbox, bool withDevice = true,
                 const std::function<void(SettingsStore&)>& stored = {}) {
    if (stored) stored(store);
    sandbox.CopySound("Click 02b.mwav");
    sandbox.CopySound("Clave 01 Hi.mwav");
    if (!withDevice) backend.failEnumerate = rc::NoAudioDevice;
    main = std::make_unique<TfrmMain>(store, &backend);
    options = std::make_unique<TfrmOptions>(store, *main, nullptr, nullptr);
    main->SetOptions(options.get());
  }
  ~ProgramWindows() {
    options.reset();  // destroyed after the main window has closed, before it goes
    main.reset();
  }
  SettingsStore store{std::filesystem::path()};
  VirtualAudioBackend backend;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmOptions> options;
};

inline void LoadDisplayFont() {
  static const int id = QFontDatabase::addApplicationFont(QStringLiteral(CORVANE_DATA_DIR "/zk3.ttf"));
  Q_UNUSED(id);
}

// Mouse events in a window's client coordinates, delivered to one control.
inline void SendMouse(QWidget* control, QEvent::Type type, QPoint client, Qt::MouseButtons held) {
  const QPointF local = control->mapFrom(control->window(), client);
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, control->mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(control, &event);
}

inline void PressAt(QWidget* control, QPoint client) {
  SendMouse(control, QEvent::MouseButtonPress, client, Qt::LeftButton);
}
inline void ReleaseAt(QWidget* control, QPoint client) {
  SendMouse(control, QEvent::MouseButtonRelease, client, Qt::NoButton);
}

}  // namespace corvane::testing
