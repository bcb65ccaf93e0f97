#pragma once
#include "cli/cli_args.h"

namespace corvane::cli {
int Devices(ArgReader& args);
int Play(ArgReader& args);
}  // namespace corvane::cli
