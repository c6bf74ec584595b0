// Feeds arbitrary bytes to the RTF reader: it must neither crash, nor read past its input,
// nor hand out a run with a control character other than tab and line break.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "help/rtf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<pluvetta::RtfDocument> doc = pluvetta::ReadRtf(bytes);
    if (!doc) return 0;
    for (const pluvetta::RtfParagraph& paragraph : doc->paragraphs) {
        for (const pluvetta::RtfRun& run : paragraph.runs) {
            for (const char c : run.text) {
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') std::abort();
            }
            if (run.format.font >= static_cast<int>(doc->fonts.size())) std::abort();
        }
    }
    return 0;
}
