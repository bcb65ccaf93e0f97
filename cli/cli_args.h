#pragma once
// Small helpers for the command-line tool: strict number parsing and a
// usage error that ends the program with exit code 2.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::cli {

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

double ParseNumber(std::string_view option, std::string_view text);
long long ParseInteger(std::string_view option, std::string_view text);
std::vector<double> ParseNumberList(std::string_view option, std::string_view text, size_t count);

// Walks argv, handing out options and their values.
class ArgReader {
 public:
  ArgReader(int argc, char** argv, int first) : args_(argv + first, argv + argc) {}
  bool Done() const { return next_ >= args_.size(); }
  std::string Next() { return args_[next_++]; }
  std::string Value(std::string_view option) {
    if (Done()) throw UsageError("option " + std::string(option) + " needs a value");
    return Next();
  }

 private:
  std::vector<std::string> args_;
  size_t next_ = 0;
};

}  // namespace corvane::cli
