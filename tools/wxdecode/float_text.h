#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace wxdecode {

// The shortest text that reads back as the same 32-bit float, the text std::to_chars writes,
// remembered once made. Each value of a weather report comes from a field of three or four
// digits through a fixed conversion, and the absent ones are a few marks, so a packet log holds
// few distinct values, written over and over: a remembered text is handed out instead.
class FloatText {
  public:
    // Room for any shortest float text: a sign, nine digits, a point and an exponent such as
    // "-1.24794135e-33" make 15 characters at most.
    static constexpr std::size_t kTextRoom = 16;

    // The text, valid until the next call; kTextRoom bytes can be read from its data(), so a
    // caller may copy that many and keep only size() of them.
    std::string_view Text(float value);

  private:
    static constexpr std::size_t kSlotBits = 12;
    struct Slot {
        std::uint32_t bits = 0;
        std::uint8_t length = 0;  // 0: empty
        std::array<char, kTextRoom> text{};
    };
    std::array<Slot, std::size_t{1} << kSlotBits> slots_{};
};

}  // namespace wxdecode
