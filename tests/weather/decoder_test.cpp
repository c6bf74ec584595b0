#include "weather/decoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "weather/number_text.h"

namespace pluvetta {
namespace {

// What the decoder holds for a field that was not sent, after unit conversion.
constexpr float kGustAbsent = -16091.86f;
constexpr float kTemperatureAbsent = -5572.778f;
constexpr float kRainAbsent = -2539.776f;
constexpr float kPressureAbsent = -999.9f;

TEST(ReadsAsNumber, SignedDigitsWithOnePointBetweenBlanks) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"077", true},  {"5.", true},   {".5", true},   {"+.5", true},   {" -7 ", true},
        {"5 ", true},   {"", false},    {".", false},   {"+", false},    {"   ", false},
        {"1e3", false}, {"1,5", false}, {"0x1", false}, {"1.2.", false}, {"- 5", false},
        {"7 7", false}, {"77r", false}, {"...", false}, {"+-1", false},  {"\t5", false},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReadsAsNumber(text), expected) << '"' << text << '"';
    }
}

TEST(LeadingNumber, SkipsBlanksStopsAtSecondPointAndRoundsHalvesToEven) {
    // Text, leading number, the same rounded to 16 bits.
    const std::tuple<std::string, double, int> cases[] = {
        {"004", 4, 4},         {"  -4.5x", -4.5, -4},   {"5.", 5, 5},       {".5", 0.5, 0},
        {"1.2.3", 1.2, 1},     {"s00", 0, 0},           {"-", 0, 0},        {"...", 0, 0},
        {"2.5", 2.5, 2},       {"3.5", 3.5, 4},         {"-2.5", -2.5, -2}, {"-0.5", -0.5, 0},
        {"2.4999", 2.4999, 2}, {"32767", 32767, 32767},
    };
    for (const auto& [text, leading, rounded] : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(text), leading) << '"' << text << '"';
        EXPECT_EQ(LeadingNumberRounded(text), rounded) << '"' << text << '"';
    }
}

TEST(LeadingNumberRounded, ReadsEveryDigitAndOutOfRangeIsNoField) {
    const std::string zeros(3000, '0');  // far more digits than a double holds
    const std::string huge = "1" + zeros, overHalf = "0.5" + zeros + "1";
    const std::pair<std::string, int> cases[] = {
        {"0.5000001", 1},       {"32767.5", kNoField}, {"-32768.5", -32768}, {"-32769", kNoField},
        {"00000032767", 32767}, {huge, kNoField},      {overHalf, 1},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LeadingNumberRounded(text), expected) << '"' << text.substr(0, 20) << '"';
    }
}

TEST(TakeWeatherField, CutsTagAndNumberOrLeavesTextAlone) {
    // Working text, tag, nominal width, value returned, text left.
    const std::vector<std::tuple<std::string, char, int, int, std::string>> cases = {
        {"t077r000", 't', 3, 77, "r000"},
        {"xh5", 'h', 2, 5, "x"},       // at the very end, fewer digits than nominal
        {"h100b", 'h', 2, 100, "b"},   // grows past the nominal width
        {"g1.55.0", 'g', 3, 2, ".0"},  // a second point ends the number
        {"h5 0x", 'h', 2, 5, "0x"},    // a blank inside the nominal width is taken, but
        {"b10227 0.0dB", 'b', 4, 10227, " 0.0dB"},  // the field never grows into one
        {"b123456h50", 'b', 4, kNoField, "h50"},    // out of range: cut all the same
        {"t" + std::string(5000, '0') + "72.5h50", 't', 3, 72, "h50"},
        {"b" + std::string(4000, '9') + "y", 'b', 4, kNoField, "y"},
        {"t...r000", 't', 3, kNoField, "r000"},
        {"b.....x", 'b', 4, kNoField, ".x"},  // filler is matched at nominal width only
        {"t..", 't', 3, kNoField, "t.."},
        {"t   r000", 't', 3, kNoField, "t   r000"},
        {"t77r000", 't', 3, kNoField, "t77r000"},
        {"tempt072", 't', 3, kNoField, "tempt072"},  // only the first letter counts
        {"r000t", 't', 3, kNoField, "r000t"},
        {"r000", 'P', 3, kNoField, "r000"},  // tags are case-sensitive
        {"t077", 't', 0, kNoField, "t077"},
    };
    for (const auto& [text, tag, width, value, left] : cases) {
        std::string working = text;
        EXPECT_EQ(TakeWeatherField(working, tag, width), value) << text.substr(0, 20);
        EXPECT_EQ(working, left) << text.substr(0, 20);
    }
}

// Only the fields a case states are checked.
struct Want {
    std::optional<int> direction = {};
    std::optional<float> speed = {}, gust = {}, temperature = {}, rainHour = {}, rainMidnight = {},
                         rain24 = {}, pressure = {};
    std::optional<int> humidity = {}, change = {};
    std::optional<std::string> remainder = {};
};

void ExpectReading(const WeatherReading& r, const Want& w) {
    const auto exact = [](const char* name, int got, std::optional<int> want) {
        if (!want) return;
        EXPECT_EQ(got, *want) << name;
    };
    const auto near = [](const char* name, float got, std::optional<float> want) {
        if (!want) return;
        EXPECT_FLOAT_EQ(got, *want) << name;
    };
    exact("direction", r.WindDirection, w.direction);
    near("speed", r.WindSpeed, w.speed);
    near("gust", r.WindGust, w.gust);
    near("temperature", r.Temperature, w.temperature);
    near("rain last hour", r.RainLastHour, w.rainHour);
    near("rain since midnight", r.RainSinceMidnight, w.rainMidnight);
    near("rain 24 hours", r.Rain24Hours, w.rain24);
    near("pressure", r.Pressure, w.pressure);
    exact("humidity", r.Humidity, w.humidity);
    exact("pressure change", r.PressureChange4h, w.change);
    if (w.remainder) {
        EXPECT_EQ(r.Remainder, *w.remainder);
    }
}

TEST(DecodeWeatherReport, WorkedExampleGivesSameReadingForBothReportKinds) {
    for (const char* info : {"!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW",
                             "_10090556c220s004g005t077r000p000P000h50b09900wRSW"}) {
        SCOPED_TRACE(info);
        ExpectReading(DecodeWeatherReport(info), {220, 6.437388f, 8.046735f, 25.0f, 0.0f, 0.0f,
                                                  0.0f, 990.0f, 50, kAbsent, "wRSW"});
    }
}

// True when `part` is `whole` with characters taken out: the decoder only ever cuts.
bool IsCutFrom(const std::string& part, const std::string& whole) {
    std::size_t at = 0;
    for (char c : whole) {
        if (at < part.size() && part[at] == c) ++at;
    }
    return at == part.size();
}

// Made-up reports first, then lines from real traffic.
TEST(DecodeWeatherReport, FieldRulesHoldOnWholeReports) {
    const std::string pos = "_10090556c220s004";
    const struct {
        std::string info;
        Want want;
    } cases[] = {
        {pos + "h00", {.humidity = 100, .remainder = ""}},
        {pos + "t-05", {.temperature = -20.555555f}},
        {pos + "t77r000", {.temperature = kTemperatureAbsent, .rainHour = 0.0f}},
        {pos + "t-32736", {.temperature = -18204.445f}},
        {pos + "t-32737", {.temperature = kTemperatureAbsent, .remainder = ""}},
        {pos + "b0132", {.pressure = 1013.2f}},
        {pos + "b0650", {.pressure = 965.0f}},
        {pos + "b0005", {.pressure = 1000.5f}},
        {pos + "b0000", {.pressure = kPressureAbsent}},  // no barometer
        {pos + "v+12x", {.change = 12, .remainder = "x"}},
        {pos + "v-03", {.change = -3}},
        {pos + "v12", {.change = kAbsent, .remainder = "v12"}},
        {"_10090556c-99s004t077", {.direction = -99, .remainder = "-99s004"}},
        // A killed object has '_' after its name: the timestamp becomes the wind.
        {";LEADER   _092345z4903.50N/07201.75W>088/036",
         {.direction = 92, .speed = 72.420616f, .remainder = "4903.50N/07201.75W>088/036"}},
        // A compressed position gets no special handling.
        {"@092345z/5L!!<*e7 _7P[g005t077h50",
         {.direction = kAbsent, .speed = 8.046735f, .gust = 8.046735f, .remainder = "7P["}},
        {"",
         {kAbsent, 0.0f, kGustAbsent, kTemperatureAbsent, kRainAbsent, kRainAbsent, kRainAbsent,
          kPressureAbsent, kNoField, kAbsent, ""}},
        {"_220", {.direction = 220, .speed = 0.0f, .remainder = ""}},
        {"@011241z3558.58N/13629.67E_.../...g001t033r000p020P020b09860h98Oregon WMR100N",
         {kAbsent, 0.0f, 1.609347f, 0.5555556f, 0.0f, 5.08006f, 5.08006f, 986.0f, 98, kAbsent,
          ".../...Oregon WMR100N"}},
        {"@191803z4205.86N/07127.01W_054/003g011t083r000p034P034h88b00000WX3in1 weather",
         {.pressure = kPressureAbsent, .humidity = 88, .remainder = "WX3in1 weather"}},
        // A tag missing from the fields is looked for in the comment.
        {"=2503.22N/10130.90E_000/000g000t057r000p000h48b08209ESP8266 MAC 84:0d:8e",
         {.rainMidnight = 2099.5889f, .pressure = 820.9f, .remainder = "ES MAC 84:0d:8e"}},
        {"@191803z4122.20N/07344.47W_048/000g002t079r000P216p256h86b10116 Local Repeater",
         {.rainMidnight = 54.864647f, .rain24 = 65.024765f, .remainder = " Local Repeater"}},
        // Only that nothing faults and nothing is added.
        {"@011444z/:JF!T/W-_e!bg   t054r000p010P010h65b10073WS 2300 {UIV32N}", {}},
        {"/221700h/9AmA<Ct3_ sT010/002g005t045r000p023P020h97b10148", {}},
        {"@061750z3849.10N/07725.10W_.../...g...t...r008p011P011b.....h..", {}},
        {"_12032359c...s...g...t...r...p...P...h..b.....#...Os...L...F....X...V...", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.info);
        const WeatherReading r = DecodeWeatherReport(c.info);
        ExpectReading(r, c.want);
        EXPECT_TRUE(IsCutFrom(r.Remainder, c.info)) << r.Remainder;
    }
}

}  // namespace
}  // namespace pluvetta
