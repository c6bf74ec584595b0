#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "float_text.h"

namespace wxdecode {

// JSON text gathered in a fixed buffer and written to a stream in large pieces: a packet log of
// millions of lines must not wait on one write per line, and memory stays the same however
// long a line is.
class JsonOutput {
  public:
    explicit JsonOutput(std::FILE* stream) : stream_(stream) {}

    void Put(std::string_view text) {
        if (text.size() > kRoom - used_) {
            Flush();
            if (text.size() > kRoom) {
                Write(text);
                return;
            }
        }
        std::memcpy(buffer_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }
    void Put(char c) {
        if (used_ == kRoom) Flush();
        buffer_[used_++] = c;
    }
    void PutInt(std::int32_t value);
    void PutFloat(float value);
    // A JSON string of Latin-1 text, quoted, escaped and in UTF-8.
    void PutString(std::string_view latin1);

    // Writes what is gathered; false once any write has failed.
    bool Flush();

  private:
    static constexpr std::size_t kRoom = std::size_t{1} << 16;

    void Write(std::string_view text);

    std::FILE* stream_;
    std::array<char, kRoom> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    FloatText floats_;
};

}  // namespace wxdecode
