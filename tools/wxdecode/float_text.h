#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace wxdecode {

// Appends the shortest text that reads back as the same 32-bit float, the text std::to_chars
// writes, and remembers it. Each value of a weather report comes from a field of three or four
// digits through a fixed conversion, and the absent ones are a few marks, so a packet log
// holds few distinct values, written over and over: a remembered text is copied instead.
class FloatText {
  public:
    void Append(std::string& out, float value);

  private:
    static constexpr std::size_t kSlotBits = 12;
    // Room for any shortest float text ("-1.1754944e-38" is the longest).
    static constexpr std::size_t kTextRoom = 15;
    struct Slot {
        std::uint32_t bits = 0;
        std::uint8_t length = 0;  // 0: empty
        std::array<char, kTextRoom> text{};
    };
    std::array<Slot, std::size_t{1} << kSlotBits> slots_{};
};

}  // namespace wxdecode
