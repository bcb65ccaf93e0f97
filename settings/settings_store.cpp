#include "settings/settings_store.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <system_error>

#include "settings/atomic_file.h"
#include "settings/diagnostics.h"

namespace corvane {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}

bool StartsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Reads a quoted string at the start of s, undoing \\ and \" escapes.
std::optional<std::string> ReadQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string out;
  for (size_t i = 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size()) {
      out += s[++i];
    } else if (c == '"') {
      s.remove_prefix(i + 1);
      return out;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

std::string Quote(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::vector<uint8_t>> ParseHexBytes(std::string_view s) {
  std::vector<uint8_t> bytes;
  s = Trim(s);
  while (!s.empty()) {
    if (s.size() < 2) return std::nullopt;
    int hi = HexDigit(s[0]), lo = HexDigit(s[1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
    s.remove_prefix(2);
    s = Trim(s);
    if (!s.empty()) {
      if (s.front() != ',') return std::nullopt;
      s.remove_prefix(1);
      s = Trim(s);
    }
  }
  return bytes;
}

// Line breaks cannot stand inside a quoted value of this format, so strings
// holding them are written as UTF-16 bytes (hex(1)), as registry exports do.
bool NeedsHexString(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

std::vector<uint8_t> Utf8ToUtf16Bytes(std::string_view s) {
  std::vector<uint8_t> out;
  auto put = [&](uint32_t u) {
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>(u >> 8));
  };
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    uint32_t cp = b;
    int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
    if (extra) cp = b & (0x3F >> extra);
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i)
      cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      put(0xD800 + (cp >> 10));
      put(0xDC00 + (cp & 0x3FF));
    } else {
      put(cp);
    }
  }
  put(0);
  return out;
}

std::string Utf16BytesToUtf8(const std::vector<uint8_t>& bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t cp = bytes[i] | (bytes[i + 1] << 8);
    if (cp == 0) break;
    if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size()) {
      uint32_t low = bytes[i + 2] | (bytes[i + 3] << 8);
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

std::string HexList(const std::vector<uint8_t>& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ',';
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

// Joins lines continued with a trailing backslash (long hex values).
std::vector<std::string> LogicalLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string current;
  bool continuing = false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view piece = continuing ? Trim(line) : line;
    bool continues = !piece.empty() && piece.back() == '\\';
    if (continues) piece.remove_suffix(1);
    current += piece;
    continuing = continues;
    if (!continuing) {
      lines.push_back(std::move(current));
      current.clear();
    }
    start = end + 1;
  }
  if (continuing) lines.push_back(std::move(current));
  return lines;
}

}  // namespace

SettingsStore::SettingsStore(fs::path file) : path_(std::move(file)) {
  if (path_.empty()) return;
  std::error_code ec;
  if (!fs::exists(path_, ec)) return;
  std::string text;
  if (ReadWholeFile(path_, text) && Parse(text, *this)) return;
  values_.clear();
  fs::path aside = path_;
  aside += ".bad";
  fs::rename(path_, aside, ec);
  DebugStr("Settings file " + path_.string() + " could not be read; it was kept as " +
           aside.string() + " and the defaults are used.");
}

fs::path SettingsStore::DefaultPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  fs::path base;
  if (xdg && *xdg && fs::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = fs::path(home && *home ? home : ".") / ".config";
  }
  return base / "Corvane Software" / "Metronome.reg";
}

bool SettingsStore::Parse(std::string_view text, SettingsStore& into) {
  if (StartsWith(text, "\xEF\xBB\xBF")) text.remove_prefix(3);
  bool sawHeader = false;
  bool inOurKey = false;
  for (const std::string& full : LogicalLines(text)) {
    std::string_view line = Trim(full);
    if (line.empty() || line.front() == ';') continue;
    if (!sawHeader) {
      if (line != kHeader && line != "REGEDIT4") return false;
      sawHeader = true;
      continue;
    }
    if (line.front() == '[') {
      if (line.back() != ']') return false;
      std::string_view key = line.substr(1, line.size() - 2);
      while (!key.empty() && key.back() == '\\') key.remove_suffix(1);
      inOurKey = EqualsNoCase(key, kKeyPath);
      continue;
    }
    std::string name;
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      auto quoted = ReadQuoted(line);
      if (!quoted) return false;
      name = *quoted;
    }
    line = Trim(line);
    if (line.empty() || line.front() != '=') return false;
    line = Trim(line.substr(1));
    if (line.empty()) return false;
    if (line == "-") continue;

    Value v;
    v.name = name;
    if (line.front() == '"') {
      std::string_view rest = line;
      auto s = ReadQuoted(rest);
      if (!s || !Trim(rest).empty()) return false;
      v.kind = ValueKind::String;
      v.text = *s;
    } else if (StartsWith(line, "dword:")) {
      std::string_view digits = line.substr(6);
      if (digits.empty() || digits.size() > 8) return false;
      uint32_t d = 0;
      for (char c : digits) {
        int h = HexDigit(c);
        if (h < 0) return false;
        d = d * 16 + static_cast<uint32_t>(h);
      }
      v.kind = ValueKind::Dword;
      v.dword = d;
    } else if (StartsWith(line, "hex:")) {
      auto bytes = ParseHexBytes(line.substr(4));
      if (!bytes) return false;
      v.kind = ValueKind::Binary;
      v.bytes = std::move(*bytes);
    } else if (StartsWith(line, "hex(1):")) {
      auto bytes = ParseHexBytes(line.substr(7));
      if (!bytes) return false;
      v.kind = ValueKind::String;
      v.text = Utf16BytesToUtf8(*bytes);
    } else if (StartsWith(line, "hex(")) {
      size_t close = line.find("):");
      if (close == std::string_view::npos || !ParseHexBytes(line.substr(close + 2))) return false;
      v.kind = ValueKind::Other;
      v.raw = line;
    } else {
      return false;
    }
    if (inOurKey) into.Slot(v.name) = std::move(v);
  }
  return sawHeader;
}

std::string SettingsStore::Serialize() const {
  std::string out;
  out += kHeader;
  out += "\n\n[";
  out += kKeyPath;
  out += "]\n";
  for (const Value& v : values_) {
    out += Quote(v.name);
    out += '=';
    switch (v.kind) {
      case ValueKind::String:
        if (NeedsHexString(v.text)) {
          out += "hex(1):" + HexList(Utf8ToUtf16Bytes(v.text));
        } else {
          out += Quote(v.text);
        }
        break;
      case ValueKind::Dword: {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", v.dword);
        out += buf;
        break;
      }
      case ValueKind::Binary:
        out += "hex:" + HexList(v.bytes);
        break;
      case ValueKind::Other:
        out += v.raw;
        break;
    }
    out += '\n';
  }
  return out;
}

const SettingsStore::Value* SettingsStore::Find(std::string_view name) const {
  for (const Value& v : values_)
    if (EqualsNoCase(v.name, name)) return &v;
  return nullptr;
}

SettingsStore::Value& SettingsStore::Slot(std::string_view name) {
  for (Value& v : values_)
    if (EqualsNoCase(v.name, name)) return v;
  values_.push_back(Value{});
  values_.back().name = std::string(name);
  return values_.back();
}

int32_t SettingsStore::ReadIntDef(std::string_view name, int32_t def) const {
  const Value* v = Find(name);
  return v && v->kind == ValueKind::Dword ? static_cast<int32_t>(v->dword) : def;
}

bool SettingsStore::ReadBoolDef(std::string_view name, bool def) const {
  const Value* v = Find(name);
  return v && v->kind == ValueKind::Dword ? v->dword != 0 : def;
}

double SettingsStore::ReadFloatDef(std::string_view name, double def) const {
  const Value* v = Find(name);
  if (!v || v->kind != ValueKind::Binary) return def;
  if (v->bytes.size() != sizeof(double)) {
    // A binary of another length is no double; start with the default
    // instead of failing in the middle of start-up.
    DebugStr("Setting \"" + std::string(name) + "\" is not an 8-byte number; the default is used.");
    return def;
  }
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | v->bytes[static_cast<size_t>(i)];
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

std::string SettingsStore::ReadStrDef(std::string_view name, const std::string& def) const {
  const Value* v = Find(name);
  return v && v->kind == ValueKind::String ? v->text : def;
}

void SettingsStore::WriteInt(std::string_view name, int32_t value) {
  Value& v = Slot(name);
  v.kind = ValueKind::Dword;
  v.dword = static_cast<uint32_t>(value);
  Changed();
}

void SettingsStore::WriteBool(std::string_view name, bool value) { WriteInt(name, value ? 1 : 0); }

void SettingsStore::WriteFloat(std::string_view name, double value) {
  Value& v = Slot(name);
  v.kind = ValueKind::Binary;
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  v.bytes.resize(8);
  for (size_t i = 0; i < 8; ++i) v.bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
  Changed();
}

void SettingsStore::WriteStr(std::string_view name, std::string_view value) {
  Value& v = Slot(name);
  v.kind = ValueKind::String;
  v.text = std::string(value);
  Changed();
}

void SettingsStore::Changed() {
  dirty_ = true;
  if (batchDepth_ == 0) Flush();
}

bool SettingsStore::Flush() {
  if (path_.empty()) {
    dirty_ = false;
    return true;
  }
  std::string error;
  if (!WriteFileAtomically(path_, Serialize(), &error)) {
    CheckHR(rc::FileWriteFailed, "Cannot save the settings to " + path_.string() + " (" + error + ")");
    return false;
  }
  dirty_ = false;
  return true;
}

}  // namespace corvane
