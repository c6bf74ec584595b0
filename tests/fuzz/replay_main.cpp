// Runs a fuzz target without libFuzzer over every file in the folders named on the command
// line. Each file's name is written before it runs, so a broken rule's abort follows the name
// of the input that broke it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!entry.is_regular_file()) continue;
            std::fprintf(stderr, "%s\n", entry.path().c_str());
            std::ifstream in(entry.path(), std::ios::binary);
            if (!in) return 1;
            // A buffer of the input's own size, so that the sanitizer sees a read past the end.
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    return replayed == 0 ? 1 : 0;
}
