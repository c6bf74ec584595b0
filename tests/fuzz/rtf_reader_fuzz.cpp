// Any bytes: the reader neither crashes, overreads nor hangs (under the sanitizers), and its
// runs hold no control character but tab and line break.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "help/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto doc = pluvetta::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!doc) return 0;
    for (const pluvetta::RtfParagraph& paragraph : doc->paragraphs) {
        for (const pluvetta::RtfRun& run : paragraph.runs) {
            for (const char c : run.text) {
                FUZZ_REQUIRE(static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n');
            }
        }
    }
    return 0;
}
