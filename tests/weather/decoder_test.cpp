#include "weather/decoder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "weather/number_text.h"

namespace pluvetta {
namespace {

// What the decoder holds for a field that was not sent, after unit conversion.
constexpr float kGustAbsent = -16091.86f;
constexpr float kTemperatureAbsent = -5572.778f;
constexpr float kRainAbsent = -2539.776f;
constexpr float kPressureAbsent = -999.9f;

// Joins pieces; spares the tests the literal + std::string pattern that g++ 12 warns about
// wrongly at -O3.
std::string Cat(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (std::string_view piece : pieces) joined += piece;
    return joined;
}

const std::string kWorkedComplete = "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW";
const std::string kWorkedPositionless = "_10090556c220s004g005t077r000p000P000h50b09900wRSW";

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

TEST(LeadingNumber, SkipsBlanksAndStopsAtSecondPoint) {
    const std::vector<std::pair<std::string, double>> cases = {
        {"004", 4.0},   {"  -4.5x", -4.5}, {"5.", 5.0}, {".5", 0.5},
        {"1.2.3", 1.2}, {"s00", 0.0},      {"-", 0.0},  {"...", 0.0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << '"' << text << '"';
    }
}

TEST(LeadingNumberRounded, HalvesGoToEvenAndOutOfRangeIsNoField) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-0.5", 0},
        {"0.5000001", 1},
        {"2.4999", 2},
        {"5.", 5},
        {"77r", 77},
        {"32767", 32767},
        {"32767.5", kNoField},
        {"-32768.5", -32768},
        {"-32769", kNoField},
        {"99999", kNoField},
        {"0000000032767", 32767},
        {"x", 0},
        {Cat({"1", std::string(3000, '0')}), kNoField},
        {Cat({"0.5", std::string(3000, '0'), "1"}), 1},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(LeadingNumberRounded(text), expected) << '"' << text.substr(0, 20) << '"';
    }
}

struct FieldCase {
    std::string working;
    char tag;
    int width;
    int value;
    std::string left;
};

TEST(TakeWeatherField, CutsTagAndNumberOrLeavesTextAlone) {
    const std::vector<FieldCase> cases = {
        {"t077r000", 't', 3, 77, "r000"},
        {"t-05x", 't', 3, -5, "x"},
        {"xh5", 'h', 2, 5, "x"},      // at the very end, fewer digits than nominal
        {"h100b", 'h', 2, 100, "b"},  // grows past the nominal width
        {"b10132h50", 'b', 4, 10132, "h50"},
        {"g1.55.0", 'g', 3, 2, ".0"},  // a second point ends the number
        {"t+.5", 't', 3, 0, ""},
        {"h5 x", 'h', 2, 5, "x"},  // a blank inside the nominal width is taken
        {"h5 0x", 'h', 2, 5, "0x"},
        {"b10227 0.0dB", 'b', 4, 10227, " 0.0dB"},  // but the field never grows into one
        {"b123456h50", 'b', 4, kNoField, "h50"},    // out of range: cut all the same
        {"t...r000", 't', 3, kNoField, "r000"},
        {"b.....x", 'b', 4, kNoField, ".x"},  // filler is matched at nominal width only
        {"t   r000", 't', 3, kNoField, "t   r000"},
        {"t77r000", 't', 3, kNoField, "t77r000"},
        {"tempt072", 't', 3, kNoField, "tempt072"},  // only the first letter counts
        {"r000t", 't', 3, kNoField, "r000t"},
        {"r000", 'P', 3, kNoField, "r000"},  // tags are case-sensitive
        {"t..", 't', 3, kNoField, "t.."},
        {"t077", 't', 0, kNoField, "t077"},
    };
    for (const auto& c : cases) {
        std::string working = c.working;
        EXPECT_EQ(TakeWeatherField(working, c.tag, c.width), c.value) << c.working;
        EXPECT_EQ(working, c.left) << c.working;
    }
}

TEST(TakeWeatherField, ReadsFieldOfThousandsOfDigits) {
    std::string working = Cat({"t", std::string(5000, '0'), "72.5h50"});
    EXPECT_EQ(TakeWeatherField(working, 't', 3), 72);
    EXPECT_EQ(working, "h50");

    working = Cat({"x", std::string(4000, ' '), "b", std::string(4000, '9'), "y"});
    EXPECT_EQ(TakeWeatherField(working, 'b', 4), kNoField);
    EXPECT_EQ(working, Cat({"x", std::string(4000, ' '), "y"}));
}

// Only the fields a case states are checked.
struct Want {
    std::optional<int> direction = {};
    std::optional<float> speed = {};
    std::optional<float> gust = {};
    std::optional<float> temperature = {};
    std::optional<float> rainHour = {};
    std::optional<float> rainMidnight = {};
    std::optional<float> rain24 = {};
    std::optional<float> pressure = {};
    std::optional<int> humidity = {};
    std::optional<int> change = {};
    std::optional<std::string> remainder = {};
};

void ExpectReading(const WeatherReading& r, const Want& w) {
    if (w.direction) {
        EXPECT_EQ(r.WindDirection, *w.direction);
    }
    if (w.speed) {
        EXPECT_FLOAT_EQ(r.WindSpeed, *w.speed);
    }
    if (w.gust) {
        EXPECT_FLOAT_EQ(r.WindGust, *w.gust);
    }
    if (w.temperature) {
        EXPECT_FLOAT_EQ(r.Temperature, *w.temperature);
    }
    if (w.rainHour) {
        EXPECT_FLOAT_EQ(r.RainLastHour, *w.rainHour);
    }
    if (w.rainMidnight) {
        EXPECT_FLOAT_EQ(r.RainSinceMidnight, *w.rainMidnight);
    }
    if (w.rain24) {
        EXPECT_FLOAT_EQ(r.Rain24Hours, *w.rain24);
    }
    if (w.pressure) {
        EXPECT_FLOAT_EQ(r.Pressure, *w.pressure);
    }
    if (w.humidity) {
        EXPECT_EQ(r.Humidity, *w.humidity);
    }
    if (w.change) {
        EXPECT_EQ(r.PressureChange4h, *w.change);
    }
    if (w.remainder) {
        EXPECT_EQ(r.Remainder, *w.remainder);
    }
}

TEST(DecodeWeatherReport, WorkedExampleGivesSameReadingForBothReportKinds) {
    const Want worked{220,  6.437388f, 8.046735f, 25.0f,   0.0f,  0.0f,
                      0.0f, 990.0f,    50,        kAbsent, "wRSW"};
    for (const std::string& info : {kWorkedComplete, kWorkedPositionless}) {
        SCOPED_TRACE(info);
        const WeatherReading r = DecodeWeatherReport(info);
        ExpectReading(r, worked);
        EXPECT_FLOAT_EQ(r.WindSpeed, 4 * 1.609347f);
    }
}

struct ReportCase {
    std::string info;
    Want want;
};

TEST(DecodeWeatherReport, FieldRulesOnWholeReports) {
    const std::string pos = "_10090556c220s004";
    const std::vector<ReportCase> cases = {
        {pos + "h00", {.humidity = 100, .remainder = ""}},
        {pos + "t-05", {.temperature = -20.555555f}},
        {pos + "t77r000", {.temperature = kTemperatureAbsent, .rainHour = 0.0f}},
        {pos + "t-32736", {.temperature = -18204.445f}},
        {pos + "t-32737", {.temperature = kTemperatureAbsent, .remainder = ""}},
        {pos + "b0132", {.pressure = 1013.2f}},
        {pos + "b10132", {.pressure = 1013.2f}},
        {pos + "b0650", {.pressure = 965.0f}},
        {pos + "b9850", {.pressure = 985.0f}},
        {pos + "b0005", {.pressure = 1000.5f}},
        {pos + "b0000", {.pressure = kPressureAbsent}},  // no barometer
        {pos + "b00000x", {.pressure = kPressureAbsent, .remainder = "x"}},
        {pos + "b100700h01", {.pressure = kPressureAbsent, .humidity = 1, .remainder = ""}},
        {pos + "h48b10227 0.0dB", {.pressure = 1022.7f, .humidity = 48, .remainder = " 0.0dB"}},
        {pos + "v+12x", {.change = 12, .remainder = "x"}},
        {pos + "v-03", {.change = -3}},
        {pos + "v12", {.change = kAbsent, .remainder = "v12"}},
        {"_10090556c.../...g005t077",
         {.direction = kAbsent,
          .speed = 0.0f,
          .gust = 8.046735f,
          .temperature = 25.0f,
          .remainder = ".../..."}},
        {"_10090556c-99s004t077", {.direction = -99, .remainder = "-99s004"}},
        // A tag missing from the fields is looked for in the comment.
        {"_220/004t077 dir p125deg",
         {.rainHour = kRainAbsent, .rain24 = 31.750376f, .remainder = " dir deg"}},
        // A killed object has '_' after its name: the timestamp becomes the wind.
        {";LEADER   _092345z4903.50N/07201.75W>088/036",
         {.direction = 92, .speed = 72.420616f, .remainder = "4903.50N/07201.75W>088/036"}},
        // A compressed position gets no special handling.
        {"@092345z/5L!!<*e7 _7P[g005t077h50",
         {.direction = kAbsent, .speed = 8.046735f, .gust = 8.046735f, .remainder = "7P["}},
        {"",
         {kAbsent, 0.0f, kGustAbsent, kTemperatureAbsent, kRainAbsent, kRainAbsent, kRainAbsent,
          kPressureAbsent, kNoField, kAbsent, ""}},
        {"_", {.direction = kAbsent, .remainder = ""}},
        {"_220", {.direction = 220, .speed = 0.0f, .remainder = ""}},
        {Cat({"_220/004t", std::string(3000, '0'), "77h50"}),
         {.temperature = 25.0f, .humidity = 50, .remainder = ""}},
        {Cat({"_220/004", std::string(5000, 'x'), "b10132"}),
         {.pressure = 1013.2f, .remainder = std::string(5000, 'x')}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.info.substr(0, 60));
        ExpectReading(DecodeWeatherReport(c.info), c.want);
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

TEST(DecodeWeatherReport, RealTrafficSampleGivesExpectedValues) {
    const std::vector<ReportCase> sample = {
        {"/210414h4710.43N/00826.96E_152/001g002t057r000p000h48b10227 0.0dB",
         {152, 1.609347f, 3.218694f, 13.888889f, 0.0f, kRainAbsent, 0.0f, 1022.7f, 48, kAbsent,
          " 0.0dB"}},
        {"@191803z4205.86N/07127.01W_054/003g011t083r000p034P034h88b00000WX3in1 weather",
         {.pressure = kPressureAbsent, .humidity = 88, .remainder = "WX3in1 weather"}},
        {"!4637.31N/01540.37E_359/000g000t153r000p000b10170h00PIC WS Pesnica pri MB, 265m asl",
         {.temperature = 67.22222f,
          .rainMidnight = kRainAbsent,
          .pressure = 1017.0f,
          .humidity = 100,
          .remainder = "PIC WS Pesnica pri MB, 265m asl"}},
        {"@200232z3921.25N/09405.19W_191/003g003t050r000P000p000h33b9545Davis Weather Monitor II "
         "{UIV32N}",
         {.pressure = 954.5f, .humidity = 33, .remainder = "Davis Weather Monitor II {UIV32N}"}},
        {"=3438.51N/07941.15W_120/001g004t073r   p   P000h  b     KU2k",
         {.rainHour = kRainAbsent,
          .rainMidnight = 0.0f,
          .rain24 = kRainAbsent,
          .pressure = kPressureAbsent,
          .humidity = kNoField,
          .remainder = "r   p   h  b     KU2k"}},
        {"@011241z3558.58N/13629.67E_.../...g001t033r000p020P020b09860h98Oregon WMR100N Weather "
         "Station {UIV32N}",
         {kAbsent, 0.0f, 1.609347f, 0.5555556f, 0.0f, 5.08006f, 5.08006f, 986.0f, 98, kAbsent,
          ".../...Oregon WMR100N Weather Station {UIV32N}"}},
        {"!2909.55N/12100.55E_180/003g006t...r000p000h..b11386",
         {.temperature = kTemperatureAbsent,
          .pressure = 1138.6f,
          .humidity = kNoField,
          .remainder = ""}},
        {"=2503.22N/10130.90E_000/000g000t057r000p000h48b08209ESP8266 MAC 84:0d:8e:84:26:c3 RSSI: "
         "-43",
         {.rainMidnight = 2099.5889f,
          .pressure = 820.9f,
          .remainder = "ES MAC 84:0d:8e:84:26:c3 RSSI: -43"}},
        {"!5122.15N/01128.87E_.../...g...tnanr...p...P...hnanb.....Lora Tracker",
         {.direction = kAbsent,
          .temperature = kTemperatureAbsent,
          .humidity = kNoField,
          .remainder = ".../...tnanhnan.Lora Tracker"}},
        {"@191803z4122.20N/07344.47W_048/000g002t079r000P216p256h86b10116 Local Repeater 145.130 - "
         "PL 136.5",
         {.rainMidnight = 54.864647f,
          .rain24 = 65.024765f,
          .remainder = " Local Repeater 145.130 - PL 136.5"}},
        {"@191803z3305.09N/09642.90W_142/004g005t090r000P036p041h65b10128147.180MHz T107 + "
         "SKYWARN {UIV32N}",
         {.pressure = kPressureAbsent, .humidity = 65, .remainder = "MHz T107 + SKYWARN {UIV32N}"}},
        {"@291815z3404.03N/08412.70W_323/001g004t089r000p000P000b341452h63.weewx-4.3.0",
         {.pressure = kPressureAbsent, .humidity = 63, .remainder = "weewx-4.3.0"}},
        {"@212127z43.2333n/77.1w_338/002g001t025P000h65b10208.wview_5_19_0",
         {.pressure = 1020.8f, .remainder = "wview_5_19_0"}},
        {"@200231z3836.37N/09351.10W_205/000g000t045r000P000p000h55b10107v6",
         {.change = kAbsent, .remainder = "v6"}},
        {"@191755z3932.55N/08420.57W_c261s002g003t083r000P016h70b09931",
         {.direction = kAbsent, .speed = 0.0f, .humidity = 70, .remainder = "c261s002"}},
        {"/085158h4733.93N/01018.50E_231/006g009t068h55 28.0dB -13.0kHz",
         {.humidity = 55, .remainder = " 28.0dB -13.0kHz"}},
        {"=1250.85N/10137.85E_c...s...g...t085r...p...P...h100b10080Weather station Krasae Bon "
         "T=29\xC2\xB0 H=100%   P=1008",
         {.direction = kAbsent,
          .pressure = 1008.0f,
          .humidity = 100,
          .remainder = "c...s...Weather station Krasae Bon T=29\xC2\xB0 H=100%   P=1008"}},
        {"_12345678c000s000g000t000r000p000P000h00b00000Test",
         {.temperature = -17.777779f,
          .pressure = kPressureAbsent,
          .humidity = 100,
          .remainder = "Test"}},
        {"@221450z0.0/0.0_000/000g000t000r111p000P000h00b00000", {.rainHour = 28.194333f}},
        {"_01231559c...s...g...t...r123p456P789", {.rainMidnight = 200.40837f}},
        {"@011444z/:JF!T/W-_e!bg001t054r000p010P010h65b10073WS 2300 {UIV32N}", {}},
        {"@011444z/:JF!T/W-_e!bg   t054r000p010P010h65b10073WS 2300 {UIV32N}", {}},
        {"/221700h/9AmA<Ct3_ sT010/002g005t045r000p023P020h97b10148", {}},
        {"=6030.35N/02443.91E_150/002g004t039r001P002p004h00b10125L500F0123X123V128XRSW", {}},
        {"@055503z4420.57N112405.53W_287/007g020t055r007p053P019h87b10115.U21h", {}},
        {"=3153.47N/12106.86E_c...s...g...t079h99b10055Bat:4.133V, Int:10mins.", {}},
        {"@061750z3849.10N/07725.10W_.../...g...t...r008p011P011b.....h..", {}},
        {"_10090556c220s112g   t   r   h  b     wRSW", {}},
        {"_12032359c...s...g...t...r...p...P...h..b.....#...Os...L...F....X...V...", {}},
        {"@210147z4235.39N/07106.58W_359/000g000t027r000P000p000h89b10234/WX REPORT "
         "{UIV32N}<0x0d>",
         {}},
        {"!4413.60N/12125.45W_090/007g009t078OD1w", {}},
    };
    for (const auto& c : sample) {
        SCOPED_TRACE(c.info);
        const WeatherReading r = DecodeWeatherReport(c.info);
        ExpectReading(r, c.want);
        EXPECT_TRUE(IsCutFrom(r.Remainder, c.info)) << r.Remainder;
    }
}

}  // namespace
}  // namespace pluvetta
