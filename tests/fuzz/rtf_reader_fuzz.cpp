// Feeds arbitrary bytes to the RTF reader: under the sanitizers it must neither crash, nor
// read past its input, nor hang or grow without bound. What the runs may hold is checked by
// the reader's random-bytes test.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "help/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pluvetta::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
