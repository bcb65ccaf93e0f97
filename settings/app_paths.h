#pragma once
#include <filesystem>
#include <string>

namespace corvane {

// The user's data folder, "$XDG_DATA_HOME/Corvane Metronome/" (default
// ~/.local/share/...), with a trailing separator. Created on the first
// successful call and kept for the rest of the run. Throws std::runtime_error
// "Error: cannot get Application Data folder path." when it cannot be had.
std::string AppDataPath();
void ForgetAppDataPath();  // tests: the next call looks again

// Folder of the running program's data files (sounds, tips, manual):
// $CORVANE_DATA_DIR when set, else "data" beside the executable, else the
// installed share folder, else the current directory.
std::filesystem::path ProgramDataDir();

}  // namespace corvane
