// The setup dialog's number boxes as the user may fill them: the first byte picks the user's
// number format, the rest is the text of every box.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/setup_form.h"
#include "fuzz_check.h"

const pluvetta::NumberFormat kFormats[] = {
    {".", ",", "-"}, {",", ".", "-"}, {",", "\xA0", "-"}, {".", "'", "\xAD"}};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pluvetta;
    if (size == 0) return 0;
    const NumberFormat& format = kFormats[data[0] % std::size(kFormats)];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    // A number the dialog read, it shows again with one decimal, and that reads again.
    if (const std::optional<float> value = ReadUserNumber(text, format)) {
        FUZZ_REQUIRE(std::isfinite(*value));
        FUZZ_REQUIRE(ReadUserNumber(FormatFixed(*value, 1, format), format).has_value());
    }
    SetupForm form;
    form.numbers.fill(text);
    form.agwEnabled = true;
    const SetupNumbers numbers = ReadSetupNumbers(form, AlarmSettings{}, format);
    if (!numbers.refused) {
        FUZZ_REQUIRE(numbers.alarms.HiHum >= 0 && numbers.alarms.HiHum <= 100);
        FUZZ_REQUIRE(numbers.agwPort == ReadPortBox(std::to_string(numbers.agwPort)));
    }
    return 0;
}
