// wxdecode: decodes the weather fields of APRS packets read from standard input and writes one
// JSON object per line, so that a packet log can be checked or processed with any JSON tool.

#include <charconv>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "float_text.h"
#include "line_reader.h"
#include "weather/decoder.h"
#include "weather/derived.h"
#include "weather/readout.h"
#include "weather/weather_reading.h"

using wxdecode::kMaxLineBytes;
using wxdecode::Line;
using wxdecode::LineReader;

namespace {

constexpr std::string_view kUsage =
    "Usage: wxdecode [--info] < INPUT\n"
    "\n"
    "Decodes the weather fields of APRS packets, one per input line, and prints one JSON\n"
    "object per line with the values in km/h, degrees Celsius, mm, mb and percent:\n"
    "wind_direction, wind_speed, wind_gust, temperature, rain_last_hour,\n"
    "rain_since_midnight, rain_24_hours, pressure, humidity, pressure_change_4h and\n"
    "remainder (the text left once the fields are cut out); then the derived values\n"
    "wind_chill, dew_point (null when not computed) and absolute_humidity, and readout:\n"
    "the captions a freshly started monitor shows for the report (wind, temp, hum, press,\n"
    "each null when the report leaves that label unwritten; rain, rain_font_pt, comment),\n"
    "numbers written with a decimal point and comma grouping.\n"
    "\n"
    "Input lines are packets SOURCE>DESTINATION,PATH:INFORMATION; the information is the\n"
    "text after the first ':' that follows the first '>'. A line without one decodes as an\n"
    "empty information field, so output lines always match input lines.\n"
    "\n"
    "  --info   each input line is an information field on its own\n"
    "  --help   show this text\n"
    "\n"
    "A trailing carriage return is dropped. Input bytes are Latin-1; output is UTF-8.\n"
    "A line longer than 1 MiB is decoded from its first 1 MiB, with a note on standard\n"
    "error; the rest of it is skipped.\n"
    "Values that are absent keep the decoder's marks (for example a missing temperature\n"
    "prints as -5572.778).\n";

// Output is gathered and written in large pieces: a packet log of millions of lines must not
// wait on the terminal or on one write per line.
constexpr std::size_t kFlushThreshold = 1 << 16;

const pluvetta::AlarmSettings kDefaultAlarms;
const pluvetta::NumberFormat kEnglish{".", ",", "-"};

wxdecode::FloatText floatText;

// Each Append* `lead` (the separator and the quoted key with its colon) and a value.
void AppendInt(std::string& out, std::string_view lead, std::int16_t value) {
    out += lead;
    char digits[8];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// The shortest text that reads back as the same 32-bit float; whole values have no fraction.
void AppendFloat(std::string& out, std::string_view lead, float value) {
    out += lead;
    floatText.Append(out, value);
}

// Whether a Latin-1 byte can go into a JSON string as it is.
bool IsPlainJsonByte(unsigned char byte) {
    return byte >= 0x20 && byte < 0x80 && byte != '"' && byte != '\\';
}

// Whether any byte of the word is zero: only then does a borrow reach a high bit that the word
// itself does not have set.
constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;
std::uint64_t ZeroBytes(std::uint64_t word) { return (word - kEveryByte) & ~word & kHighBits; }

// How many bytes at the start of `text` go into a JSON string as they are, eight at a time
// while no byte in the eight needs a look.
std::size_t PlainRun(std::string_view text) {
    std::size_t at = 0;
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, 8);
        const std::uint64_t control = (word - kEveryByte * 0x20) & ~word & kHighBits;
        const std::uint64_t quote = ZeroBytes(word ^ (kEveryByte * '"'));
        const std::uint64_t backslash = ZeroBytes(word ^ (kEveryByte * '\\'));
        if ((control | quote | backslash | (word & kHighBits)) != 0) break;
    }
    while (at < text.size() && IsPlainJsonByte(static_cast<unsigned char>(text[at]))) ++at;
    return at;
}

void AppendString(std::string& out, std::string_view lead, std::string_view latin1) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += lead;
    out += '"';
    std::size_t i = 0;
    while (i < latin1.size()) {
        // Most text needs no escaping: copy it in runs.
        const std::size_t run = i + PlainRun(latin1.substr(i));
        out.append(latin1.data() + i, run - i);
        if (run == latin1.size()) break;
        const char c = latin1[run];
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += c;
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            // A Latin-1 byte is the code point of the same number: two bytes in UTF-8.
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
        i = run + 1;
    }
    out += '"';
}

void AppendCaption(std::string& out, std::string_view lead,
                   const std::optional<pluvetta::LabelText>& label) {
    if (label) {
        AppendString(out, lead, label->caption);
    } else {
        out += lead;
        out += "null";
    }
}

// What a freshly started monitor would show for the reading, numbers written the English way.
void AppendReadoutJson(std::string& out, const pluvetta::Readout& readout) {
    AppendFloat(out, R"(,"wind_chill":)", readout.derived.WindChill);
    if (pluvetta::IsDerivedValueShown(readout.derived.AbsoluteHumidity)) {
        AppendFloat(out, R"(,"dew_point":)", readout.derived.DewPoint);
    } else {
        out += R"(,"dew_point":null)";
    }
    AppendFloat(out, R"(,"absolute_humidity":)", readout.derived.AbsoluteHumidity);
    AppendCaption(out, R"(,"readout":{"wind":)", readout.wind);
    AppendCaption(out, R"(,"temp":)", readout.temp);
    AppendCaption(out, R"(,"hum":)", readout.hum);
    AppendCaption(out, R"(,"press":)", readout.press);
    AppendString(out, R"(,"rain":)", readout.rain.caption);
    AppendInt(out, R"(,"rain_font_pt":)", static_cast<std::int16_t>(readout.rainFontPoints));
    AppendString(out, R"(,"comment":)", readout.comment);
    out += '}';
}

void AppendReadingJson(std::string& out, const pluvetta::WeatherReading& r) {
    AppendInt(out, R"({"wind_direction":)", r.WindDirection);
    AppendFloat(out, R"(,"wind_speed":)", r.WindSpeed);
    AppendFloat(out, R"(,"wind_gust":)", r.WindGust);
    AppendFloat(out, R"(,"temperature":)", r.Temperature);
    AppendFloat(out, R"(,"rain_last_hour":)", r.RainLastHour);
    AppendFloat(out, R"(,"rain_since_midnight":)", r.RainSinceMidnight);
    AppendFloat(out, R"(,"rain_24_hours":)", r.Rain24Hours);
    AppendFloat(out, R"(,"pressure":)", r.Pressure);
    AppendInt(out, R"(,"humidity":)", r.Humidity);
    AppendInt(out, R"(,"pressure_change_4h":)", r.PressureChange4h);
    AppendString(out, R"(,"remainder":)", r.Remainder);
    AppendReadoutJson(out, pluvetta::BuildReadout(r, kDefaultAlarms, kEnglish));
    out += '}';
}

// The information field of a packet line: after the first ':' that follows the first '>'.
std::string_view InformationOf(std::string_view line) {
    const std::size_t source = line.find('>');
    if (source == std::string_view::npos) return {};
    const std::size_t colon = line.find(':', source + 1);
    if (colon == std::string_view::npos) return {};
    return line.substr(colon + 1);
}

}  // namespace

int main(int argc, char** argv) {
    bool wholeLineIsInfo = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--info") {
            wholeLineIsInfo = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else {
            std::cerr << "wxdecode: unknown option '" << arg << "'\n" << kUsage;
            return 2;
        }
    }

    std::ios::sync_with_stdio(false);

    LineReader reader(stdin);
    std::string out;
    out.reserve(kFlushThreshold + 4096);
    std::uint64_t lineNumber = 0;
    while (const std::optional<Line> line = reader.Next()) {
        ++lineNumber;
        if (line->cut) {
            std::cerr << "wxdecode: line " << lineNumber << " is longer than "
                      << (kMaxLineBytes >> 20) << " MiB; decoded from its first "
                      << (kMaxLineBytes >> 20) << " MiB\n";
        }
        std::string_view text = line->text;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        const std::string_view info = wholeLineIsInfo ? text : InformationOf(text);
        AppendReadingJson(out, pluvetta::DecodeWeatherReport(info));
        out += '\n';
        if (out.size() >= kFlushThreshold) {
            std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
            // A long line leaves a large buffer behind; give it back.
            if (out.capacity() > 2 * kFlushThreshold) {
                out = std::string();
                out.reserve(kFlushThreshold + 4096);
            }
        }
    }
    std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    std::cout.flush();
    if (reader.Failed()) {
        std::cerr << "wxdecode: standard input could not be read\n";
        return 1;
    }
    return std::cout ? 0 : 1;
}
