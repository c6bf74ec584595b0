#include "float_text.h"

#include <algorithm>
#include <bit>
#include <charconv>

namespace wxdecode {

std::string_view FloatText::Text(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    // Fibonacci hashing: the top bits of the product depend on every bit of the value.
    Slot& slot = slots_[(bits * 2654435769u) >> (32 - kSlotBits)];
    if (slot.length == 0 || slot.bits != bits) {
        const char* end = std::to_chars(slot.text.data(), slot.text.data() + kTextRoom, value).ptr;
        slot.bits = bits;
        slot.length = static_cast<std::uint8_t>(end - slot.text.data());
    }
    return {slot.text.data(), slot.length};
}

}  // namespace wxdecode
