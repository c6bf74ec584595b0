#include "float_text.h"

#include <bit>
#include <charconv>

namespace wxdecode {

void FloatText::Append(std::string& out, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    // Fibonacci hashing: the top bits of the product depend on every bit of the value.
    Slot& slot = slots_[(bits * 2654435769u) >> (32 - kSlotBits)];
    if (slot.length == 0 || slot.bits != bits) {
        char text[32];
        const char* end = std::to_chars(text, text + sizeof text, value).ptr;
        const auto length = static_cast<std::size_t>(end - text);
        if (length > kTextRoom) {
            out.append(text, length);
            return;
        }
        slot.bits = bits;
        slot.length = static_cast<std::uint8_t>(length);
        std::copy(text, text + length, slot.text.begin());
    }
    out.append(slot.text.data(), slot.length);
}

}  // namespace wxdecode
