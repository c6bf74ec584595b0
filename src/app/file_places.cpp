#include "app/file_places.h"

#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace pluvetta {

namespace fs = std::filesystem;

bool FolderTakesFiles(const fs::path& folder) {
    const fs::path probe = folder / (".WxAlarms.ini.probe-" + std::to_string(::getpid()));
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

fs::path AlarmsFolder(const fs::path& executableFolder, const fs::path& configFolder) {
    if (configFolder.empty() || FolderTakesFiles(executableFolder)) return executableFolder;
    // A folder that cannot be made shows later, as the save's own warning.
    std::error_code ignored;
    fs::create_directories(configFolder, ignored);
    return configFolder;
}

fs::path FindFile(const fs::path& name, const std::vector<fs::path>& folders) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, error)) return candidate;
    }
    return name;
}

}  // namespace pluvetta
