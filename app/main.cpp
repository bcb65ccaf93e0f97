// Corvane Metronome: start-up and the message loop.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include "engine/engine.h"
#include "engine/random.h"
#include "engine/sdl_audio.h"
#include "settings/app_paths.h"
#include "settings/options_dialog.h"
#include "settings/settings_store.h"
#include "ui/auxiliary/tip_of_the_day.h"
#include "ui/main/main_window.h"
#include "ui/main/user_prompts.h"

using namespace corvane;

int main(int argc, char* argv[]) {
  // The skin is drawn pixel for pixel: the window keeps its size whatever the
  // screen's density, unless the user asks for scaling.
  if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING") && !qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("corvane-metronome"));
  QApplication::setApplicationDisplayName(kAppTitle);
  QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));

  // Like a shortcut's start folder: bare sound names resolve in the program's folder.
  const QString programFolder = QString::fromStdString(ProgramDataDir().string());
  QDir::setCurrent(programFolder);
  // The display font ships with the program and is installed for this run only.
  QFontDatabase::addApplicationFont(QDir(programFolder).absoluteFilePath(QStringLiteral("zk3.ttf")));

  SettingsStore store(SettingsStore::DefaultPath());
  RandomizeFromClock();
  SdlAudioBackend backend;

  TfrmMain main(store, &backend);
  // The system-wide start key and the gamepad have no platform layer yet.
  TfrmOptions options(store, main, nullptr, nullptr);
  main.SetOptions(&options);
  TfrmTipOfTheDay tips(store, &main);
  main.SetTipWindow(&tips);

  main.show();
  return app.exec();
}
