// A number box as the user may fill it, the first byte picking the number format: a number it
// reads shows again with one decimal, and that reads again.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/setup_form.h"
#include "fuzz_check.h"

const pluvetta::NumberFormat kFormats[] = {
    {".", ",", "-"}, {",", ".", "-"}, {",", "\xA0", "-"}, {".", "'", "\xAD"}};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pluvetta;
    if (size == 0) return 0;
    const NumberFormat& format = kFormats[data[0] % std::size(kFormats)];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (const std::optional<float> value = ReadUserNumber(text, format)) {
        FUZZ_REQUIRE(ReadUserNumber(FormatFixed(*value, 1, format), format).has_value());
    }
    return 0;
}
