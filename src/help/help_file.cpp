#include "help/help_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "help/rtf_reader.h"

namespace pluvetta {

namespace {

// Closes the descriptor however the read ends.
struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

std::optional<std::string> ReadHelpFileBytes(const std::filesystem::path& path) {
    // Opened once, and what was opened is what is checked and read: a name checked first and
    // opened after could meanwhile name a pipe, whose open would wait for a writer for ever.
    const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uintmax_t>(status.st_size) > kMaxHelpFileBytes) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

std::optional<RtfDocument> LoadHelpFile(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = ReadHelpFileBytes(path);
    if (!bytes) return std::nullopt;
    return ReadRtf(*bytes);
}

}  // namespace pluvetta
