#include "cli/cli_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace corvane::cli {

double ParseNumber(std::string_view option, std::string_view text) {
  std::string s(text);
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(s.c_str(), &end);
  if (s.empty() || end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v))
    throw UsageError("option " + std::string(option) + ": \"" + s + "\" is not a number");
  return v;
}

long long ParseInteger(std::string_view option, std::string_view text) {
  std::string s(text);
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(s.c_str(), &end, 10);
  if (s.empty() || end != s.c_str() + s.size() || errno == ERANGE)
    throw UsageError("option " + std::string(option) + ": \"" + s + "\" is not a whole number");
  return v;
}

std::vector<double> ParseNumberList(std::string_view option, std::string_view text, size_t count) {
  std::vector<double> values;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    values.push_back(ParseNumber(option, text.substr(start, comma - start)));
    start = comma + 1;
  }
  if (values.size() != count)
    throw UsageError("option " + std::string(option) + " takes " + std::to_string(count) + " numbers separated by commas");
  return values;
}

}  // namespace corvane::cli
