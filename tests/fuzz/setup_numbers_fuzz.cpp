// The setup dialog's number boxes, read as the user typed them. The first byte picks the
// user's number format, the rest is the text of every box.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/setup_form.h"

namespace {

using namespace pluvetta;

const NumberFormat kFormats[] = {
    {".", ",", "-"},
    {",", ".", "-"},
    {",", "\xA0", "-"},
    {".", "'", "\xAD"},
};

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const NumberFormat& format = kFormats[data[0] % std::size(kFormats)];
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

    // What the dialog read, it shows again with one decimal, and that reads again.
    if (const std::optional<float> value = ReadUserNumber(text, format)) {
        Require(std::isfinite(*value));
        Require(ReadUserNumber(FormatFixed(*value, 1, format), format).has_value());
    }
    if (const std::uint16_t port = ReadPortBox(text); port != 0) {
        Require(ReadPortBox(std::to_string(port)) == port);
    }

    SetupForm form;
    form.numbers.fill(text);
    form.agwEnabled = form.serverEnabled = true;
    const SetupNumbers numbers = ReadSetupNumbers(form, AlarmSettings{}, format);
    if (!numbers.refused) {
        Require(numbers.alarms.LoHum >= 0 && numbers.alarms.LoHum <= 100);
        Require(numbers.agwPort != 0 && numbers.agwPort == numbers.serverPort);
    }
    return 0;
}
