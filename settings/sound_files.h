#pragma once
// The sound files a folder offers: names matching "*.*wav" (".wav" and
// ".mwav", in any letter case), without folders, sorted by name.
#include <string>
#include <vector>

namespace corvane {

// folderPrefix is the path part of a file name up to and including its last
// separator ("" for the current directory); each result starts with it.
std::vector<std::string> ListSoundFiles(const std::string& folderPrefix);

// The path part of fileName up to and including its last '/' ("" if none).
std::string FolderPrefixOf(const std::string& fileName);

}  // namespace corvane
