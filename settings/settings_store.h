#pragma once
// Named, typed settings kept in one text file in the format of registry
// exports, so that every value keeps the type it was written with.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

enum class ValueKind { Dword, Binary, String, Other };

class SettingsStore {
 public:
  static constexpr std::string_view kKeyPath =
      "HKEY_CURRENT_USER\\Software\\Corvane Software\\Metronome";

  // Loads the file when it exists; an empty path keeps values in memory only.
  // Otherwise: A file that cannot be parsed is renamed
  // with a ".bad" suffix and the store starts empty (all defaults).
  explicit SettingsStore(std::filesystem::path file);

  // $XDG_CONFIG_HOME/Corvane Software/Metronome.reg (default ~/.config/...).
  static std::filesystem::path DefaultPath();

  const std::filesystem::path& Path() const { return path_; }

  int32_t ReadIntDef(std::string_view name, int32_t def) const;
  bool ReadBoolDef(std::string_view name, bool def) const;
  double ReadFloatDef(std::string_view name, double def) const;
  std::string ReadStrDef(std::string_view name, const std::string& def) const;

  // Each write is saved at once unless a Batch is open.
  void WriteInt(std::string_view name, int32_t value);
  void WriteBool(std::string_view name, bool value);
  void WriteFloat(std::string_view name, double value);
  void WriteStr(std::string_view name, std::string_view value);

  // Saves now (atomically). False, with a diagnostic line, when it failed.
  bool Flush();

  // Groups many writes into one save at its end.
  class Batch {
   public:
    explicit Batch(SettingsStore& store) : store_(store) { ++store_.batchDepth_; }
    ~Batch() {
      if (--store_.batchDepth_ == 0 && store_.dirty_) store_.Flush();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    SettingsStore& store_;
  };

  // The file's text for the current values (what Flush writes).
  std::string Serialize() const;
  // Parses text into values; false when the text is not a settings file.
  static bool Parse(std::string_view text, SettingsStore& into);

 private:
  struct Value {
    std::string name;
    ValueKind kind = ValueKind::Other;
    uint32_t dword = 0;
    std::vector<uint8_t> bytes;
    std::string text;
    std::string raw;  // right-hand side as read, for kinds we do not interpret
  };
  const Value* Find(std::string_view name) const;
  Value& Slot(std::string_view name);
  void Changed();

  std::filesystem::path path_;
  std::vector<Value> values_;  // in file order
  int batchDepth_ = 0;
  bool dirty_ = false;
};

}  // namespace corvane
