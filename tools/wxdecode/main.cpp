// wxdecode: decodes the weather fields of APRS packets read from standard input and writes one
// JSON object per line, so that a packet log can be checked or processed with any JSON tool.

#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include "json_output.h"
#include "line_reader.h"
#include "weather/decoder.h"
#include "weather/derived.h"
#include "weather/readout.h"
#include "weather/units.h"
#include "weather/weather_reading.h"

using wxdecode::JsonOutput;
using wxdecode::kMaxLineBytes;
using wxdecode::Line;
using wxdecode::LineReader;

namespace {

constexpr std::string_view kUsage =
    "Usage: wxdecode [--info] [--units PRESET] < INPUT\n"
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
    "  --units PRESET\n"
    "           the readout's captions in the units of PRESET: metric (the default: km/h,\n"
    "           degrees Celsius, mb, mm), us (mph, degrees Fahrenheit, inHg, inches) or uk\n"
    "           (mph, degrees Celsius, mb, mm); the values stay in the units above\n"
    "  --help   show this text\n"
    "\n"
    "A trailing carriage return is dropped. Input bytes are Latin-1; output is UTF-8.\n"
    "A line longer than 1 MiB is decoded from its first 1 MiB, with a note on standard\n"
    "error; the rest of it is skipped.\n"
    "Values that are absent keep the decoder's marks (for example a missing temperature\n"
    "prints as -5572.778).\n";

const pluvetta::AlarmSettings kDefaultAlarms;
const pluvetta::NumberFormat kEnglish{".", ",", "-"};

void PutCaption(JsonOutput& out, std::string_view key,
                const std::optional<pluvetta::LabelText>& label) {
    out.Put(key);
    if (label) {
        out.PutString(label->caption);
    } else {
        out.Put("null");
    }
}

// What a freshly started monitor would show for the reading, numbers written the English way.
void PutReadout(JsonOutput& out, const pluvetta::Readout& readout) {
    out.Put(R"(,"wind_chill":)");
    out.PutFloat(readout.derived.WindChill);
    out.Put(R"(,"dew_point":)");
    if (pluvetta::IsDerivedValueShown(readout.derived.AbsoluteHumidity)) {
        out.PutFloat(readout.derived.DewPoint);
    } else {
        out.Put("null");
    }
    out.Put(R"(,"absolute_humidity":)");
    out.PutFloat(readout.derived.AbsoluteHumidity);
    PutCaption(out, R"(,"readout":{"wind":)", readout.wind);
    PutCaption(out, R"(,"temp":)", readout.temp);
    PutCaption(out, R"(,"hum":)", readout.hum);
    PutCaption(out, R"(,"press":)", readout.press);
    out.Put(R"(,"rain":)");
    out.PutString(readout.rain.caption);
    out.Put(R"(,"rain_font_pt":)");
    out.PutInt(readout.rainFontPoints);
    out.Put(R"(,"comment":)");
    out.PutString(readout.comment);
    out.Put('}');
}

void PutReading(JsonOutput& out, const pluvetta::WeatherReading& r, const pluvetta::Units& units) {
    out.Put(R"({"wind_direction":)");
    out.PutInt(r.WindDirection);
    const std::pair<std::string_view, float> floats[] = {
        {R"(,"wind_speed":)", r.WindSpeed},
        {R"(,"wind_gust":)", r.WindGust},
        {R"(,"temperature":)", r.Temperature},
        {R"(,"rain_last_hour":)", r.RainLastHour},
        {R"(,"rain_since_midnight":)", r.RainSinceMidnight},
        {R"(,"rain_24_hours":)", r.Rain24Hours},
        {R"(,"pressure":)", r.Pressure},
    };
    for (const auto& [key, value] : floats) {
        out.Put(key);
        out.PutFloat(value);
    }
    out.Put(R"(,"humidity":)");
    out.PutInt(r.Humidity);
    out.Put(R"(,"pressure_change_4h":)");
    out.PutInt(r.PressureChange4h);
    out.Put(R"(,"remainder":)");
    out.PutString(r.Remainder);
    PutReadout(out, pluvetta::BuildReadout(r, kDefaultAlarms, kEnglish, units));
    out.Put('}');
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
    pluvetta::Units units;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--info") {
            wholeLineIsInfo = true;
        } else if (arg == "--units") {
            const auto preset = i + 1 < argc ? pluvetta::PresetUnits(argv[++i]) : std::nullopt;
            if (!preset) {
                std::cerr << "wxdecode: --units takes metric, us or uk\n" << kUsage;
                return 2;
            }
            units = *preset;
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
    // Large: its buffer and remembered numbers.
    const auto out = std::make_unique<JsonOutput>(stdout);
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
        PutReading(*out, pluvetta::DecodeWeatherReport(info), units);
        out->Put('\n');
    }
    const bool written = out->Flush();
    if (reader.Failed()) {
        std::cerr << "wxdecode: standard input could not be read\n";
        return 1;
    }
    return written ? 0 : 1;
}
