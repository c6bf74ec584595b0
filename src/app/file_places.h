#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace pluvetta {

// True when a file can be made in `folder`, found by making one and removing it: a folder on
// a read-only mount refuses it even to root, whose permission checks always say yes.
bool FolderTakesFiles(const std::filesystem::path& folder);

// Where WxAlarms.ini lives: beside the executable, as it always has, when that folder takes
// files; otherwise (an installed copy in /usr/bin) the user's configuration folder, made
// when missing. An empty `configFolder` keeps the executable's folder.
std::filesystem::path AlarmsFolder(const std::filesystem::path& executableFolder,
                                   const std::filesystem::path& configFolder);

// The first of `folders / name` that is a file, in the order given; `name` itself when none
// is, so that what reports it missing names the file as it always did.
std::filesystem::path FindFile(const std::filesystem::path& name,
                               const std::vector<std::filesystem::path>& folders);

}  // namespace pluvetta
