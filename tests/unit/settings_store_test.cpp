#include <gtest/gtest.h>

#include <fstream>

#include "settings/atomic_file.h"
#include "settings/settings_store.h"
#include "test_support.h"

namespace corvane {
namespace {

using testing::EngineTest;

class Settings : public EngineTest {
 protected:
  std::filesystem::path File() const { return SettingsStore::DefaultPath(); }
  void WriteText(const std::string& text) {
    std::filesystem::create_directories(File().parent_path());
    std::ofstream(File()) << text;
  }
  std::string ReadText() {
    std::string text;
    ReadWholeFile(File(), text);
    return text;
  }
};

TEST_F(Settings, PathFollowsXdgConfigHome) {
  EXPECT_EQ(File(), dir / "config" / "Corvane Software" / "Metronome.reg");
}

TEST_F(Settings, ValuesKeepTheirTypes) {
  {
    SettingsStore store(File());
    store.WriteInt("MasterVol", -1000);
    store.WriteBool("Flag", true);
    store.WriteFloat("BPM", 99.5);
    store.WriteStr("Path", "C:\\sounds\\\"quoted\".wav");
    store.WriteStr("Lines", "one\ntwo \xC3\xA9");
  }
  SettingsStore store(File());
  EXPECT_EQ(store.ReadIntDef("MasterVol", 0), -1000);
  EXPECT_EQ(store.ReadIntDef("mastervol", 0), -1000);  // names ignore case
  EXPECT_TRUE(store.ReadBoolDef("Flag", false));
  EXPECT_EQ(store.ReadFloatDef("BPM", 0), 99.5);
  EXPECT_EQ(store.ReadStrDef("Path", ""), "C:\\sounds\\\"quoted\".wav");
  EXPECT_EQ(store.ReadStrDef("Lines", ""), "one\ntwo \xC3\xA9");
  // Another type than asked for gives the default, silently.
  EXPECT_EQ(store.ReadIntDef("Path", 7), 7);
  EXPECT_EQ(store.ReadStrDef("MasterVol", "d"), "d");
  EXPECT_EQ(store.ReadFloatDef("MasterVol", 120), 120);
  EXPECT_EQ(store.ReadIntDef("Missing", 3), 3);
  EXPECT_TRUE(diagnostics.empty());

  const std::string text = ReadText();
  EXPECT_NE(text.find("\"MasterVol\"=dword:fffffc18\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"BPM\"=hex:00,00,00,00,00,e0,58,40\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Path\"=\"C:\\\\sounds\\\\\\\"quoted\\\".wav\"\n"), std::string::npos) << text;
}

TEST_F(Settings, ReadsRegistryExportText) {
  WriteText(
      "Windows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane Software\\Metronome]\r\n"
      "\"BeatDivisor\"=dword:00000002\r\n"
      "\"On\"=dword:00000002\r\n"
      "\"BPM\"=hex:00,00,00,00,00,00,\\\r\n  5e,40\r\n"
      "\"Expand\"=hex(2):25,00,00,00\r\n"
      "; a comment\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      "\"BeatDivisor\"=dword:00000009\r\n");
  SettingsStore store(File());
  EXPECT_EQ(store.ReadIntDef("BeatDivisor", 1), 2);
  EXPECT_TRUE(store.ReadBoolDef("On", false));
  EXPECT_EQ(store.ReadFloatDef("BPM", 0), 120);
  EXPECT_EQ(store.ReadStrDef("Expand", "def"), "def");
  EXPECT_TRUE(diagnostics.empty());
}

TEST_F(Settings, BinaryOfAnotherLengthGivesTheDefaultWithOneLine) {
  WriteText(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\Software\\Corvane Software\\Metronome]\n"
      "\"BPM\"=hex:00,00,5e,40\n");
  SettingsStore store(File());
  EXPECT_EQ(store.ReadFloatDef("BPM", 120), 120);
  EXPECT_EQ(diagnostics.size(), 1u);
}

TEST_F(Settings, UnreadableFileIsKeptAsideAndDefaultsAreUsed) {
  for (const char* text : {"garbage\n", "Windows Registry Editor Version 5.00\n[x]\n\"A\"=dword:zz\n",
                           "Windows Registry Editor Version 5.00\n\"A\"=nonsense\n"}) {
    diagnostics.clear();
    std::filesystem::remove(File().string() + ".bad");
    WriteText(text);
    SettingsStore store(File());
    EXPECT_EQ(store.ReadIntDef("A", 5), 5);
    EXPECT_FALSE(std::filesystem::exists(File()));
    std::string aside;
    ASSERT_TRUE(ReadWholeFile(File().string() + ".bad", aside));
    EXPECT_EQ(aside, text);
    EXPECT_EQ(diagnostics.size(), 1u);
  }
}

TEST_F(Settings, WritesReplaceTheFileWhole) {
  SettingsStore store(File());
  {
    SettingsStore::Batch batch(store);
    store.WriteInt("A", 1);
    EXPECT_FALSE(std::filesystem::exists(File()));  // saved once, at the batch's end
    store.WriteInt("B", 2);
  }
  EXPECT_EQ(SettingsStore(File()).ReadIntDef("B", 0), 2);
  // Nothing but the file itself is left in the folder.
  size_t entries = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(File().parent_path())) ++entries;
  EXPECT_EQ(entries, 1u);
}

TEST_F(Settings, AFailedSaveKeepsTheOldFileAndSaysSo) {
  SettingsStore store(File());
  store.WriteInt("A", 1);
  const std::string before = ReadText();
  // A folder where the temporary file would go makes the write fail.
  std::filesystem::create_directories(File().string() + ".tmp" + std::to_string(::getpid()));
  store.WriteInt("A", 2);
  EXPECT_EQ(ReadText(), before);
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_NE(diagnostics[0].find("[HR=80CF0010]"), std::string::npos) << diagnostics[0];
}

TEST_F(Settings, AppDataPathIsCreatedUnderXdgDataHome) {
  const std::string path = AppDataPath();
  EXPECT_EQ(path, (dir / "data" / "Corvane Metronome").string() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(path));
  setenv("XDG_DATA_HOME", "/proc/forbidden", 1);
  EXPECT_EQ(AppDataPath(), path);  // kept for the rest of the run
  ForgetAppDataPath();
  EXPECT_THROW(
      {
        try {
          AppDataPath();
        } catch (const std::runtime_error& e) {
          EXPECT_STREQ(e.what(), "Error: cannot get Application Data folder path.");
          throw;
        }
      },
      std::runtime_error);
}

}  // namespace
}  // namespace corvane
