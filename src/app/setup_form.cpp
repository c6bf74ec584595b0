#include "app/setup_form.h"

#include <algorithm>

#include "app/decimal_number.h"

namespace pluvetta {

namespace {

constexpr std::size_t kThresholdCount = 10;
constexpr std::size_t kGroupWidth = 3;
constexpr int kHighestHumidity = 100;

// The float threshold each box holds and what it measures, by SetupField; the humidities are
// whole numbers, in percent whatever the units.
struct FloatThreshold {
    float AlarmSettings::*member;
    Quantity quantity;
};
constexpr std::array<FloatThreshold, kThresholdCount> kFloatThresholds = {{
    {&AlarmSettings::HiWind, Quantity::Wind},
    {&AlarmSettings::HiGust, Quantity::Wind},
    {&AlarmSettings::LoTemp, Quantity::Temperature},
    {&AlarmSettings::HiTemp, Quantity::Temperature},
    {nullptr, {}},
    {nullptr, {}},
    {&AlarmSettings::LoBaro, Quantity::Pressure},
    {&AlarmSettings::HiBaro, Quantity::Pressure},
    {&AlarmSettings::HiRainHour, Quantity::Rain},
    {&AlarmSettings::HiRain24, Quantity::Rain},
}};

// A threshold as its box shows it: at least one decimal, more when the unit has more.
std::string ThresholdText(float kept, const UnitScale& scale, const NumberFormat& format) {
    return FormatFixed(ToShown(kept, scale), std::max(scale.decimals, 1), format);
}

// The labels between the boxes; the wind row has always written its kilometres this way. The
// label has no room for "mmHg" and "Hi" together: the unit stays, the place tells the rest.
std::array<std::string, kThresholdRowCount> UnitLabels(const Units& units) {
    const auto symbol = [&units](Quantity quantity) {
        return std::string(ScaleOf(units, quantity).symbol);
    };
    const std::string pressure = symbol(Quantity::Pressure);
    return {units.wind == WindUnit::Kmh ? "Km/h  g" : symbol(Quantity::Wind) + "  g",
            symbol(Quantity::Temperature) + "   Hi", "%    Hi",
            units.pressure == PressureUnit::MmHg ? pressure : pressure + "  Hi",
            symbol(Quantity::Rain) + " 24h"};
}

std::int16_t AlarmSettings::*HumidityThreshold(SetupField field) {
    return field == SetupField::LoHum ? &AlarmSettings::LoHum : &AlarmSettings::HiHum;
}

// Each box as the dialog's labels name it, by SetupField.
constexpr std::array<const char*, kSetupFieldCount> kFieldNames = {
    "Wind Max", "Wind g",  "Temp Low", "Temp Hi",  "U.R. Low",   "U.R. Hi",
    "Baro Low", "Baro Hi", "Rain 1h",  "Rain 24h", "Agwpe Port", "Server Port",
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Takes `mark` off the front of `text` when it is there.
bool Take(std::string_view& text, std::string_view mark) {
    if (mark.empty() || !text.starts_with(mark)) return false;
    text.remove_prefix(mark.size());
    return true;
}

// Moves the digits at the front of `text` to the end of `out`; returns how many there were.
std::size_t TakeDigits(std::string_view& text, std::string& out) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) ++count;
    out.append(text.substr(0, count));
    text.remove_prefix(count);
    return count;
}

}  // namespace

SetupForm FillSetupForm(const StationSettings& station, const AlarmSettings& alarms,
                        const NumberFormat& format, const Units& units) {
    SetupForm form;
    form.call = station.StationCall;
    form.agwHost = station.AgwHost;
    form.serverHost = station.ServerHost;
    for (std::size_t i = 0; i < kThresholdCount; ++i) {
        const auto field = static_cast<SetupField>(i);
        const FloatThreshold& threshold = kFloatThresholds[i];
        form.numbers[i] = threshold.member != nullptr
                              ? ThresholdText(alarms.*threshold.member,
                                              ScaleOf(units, threshold.quantity), format)
                              : std::to_string(alarms.*HumidityThreshold(field));
    }
    form.Number(SetupField::AgwPort) = std::to_string(station.AgwPort);
    form.Number(SetupField::ServerPort) = std::to_string(station.ServerPort);
    form.agwEnabled = station.AgwEnabled;
    form.serverEnabled = station.ServerEnabled;
    form.focusOnData = alarms.FocusOnData;
    form.beepOnData = alarms.BeepOnData;
    form.focusOnAlarm = alarms.FocusOnAlarm;
    form.beepOnAlarm = alarms.BeepOnAlarm;
    form.saveAlarms = station.SaveAlarms;
    form.units = units;
    form.unitLabels = UnitLabels(units);
    return form;
}

std::optional<float> ReadUserNumber(std::string_view text, const NumberFormat& format) {
    text = TrimBlanks(text);
    // The number rewritten with '-' and '.', as the locale-free reader takes it.
    std::string plain;
    if (Take(text, format.minusSign) || Take(text, "-")) {
        plain += '-';
    } else {
        Take(text, "+");
    }
    std::size_t digits = TakeDigits(text, plain);
    // A group separator needs one to three digits before it and exactly three after it, so
    // that "12.5" typed under a format with a decimal comma is refused, not read as 125.
    if (format.groupSeparator != format.decimalSeparator && digits > 0 && digits <= kGroupWidth) {
        while (TakeGroupSeparator(text, format.groupSeparator)) {
            const std::size_t group = TakeDigits(text, plain);
            if (group != kGroupWidth) return std::nullopt;
            digits += group;
        }
    }
    if (Take(text, format.decimalSeparator)) {
        plain += '.';
        digits += TakeDigits(text, plain);
    }
    if (!text.empty() || digits == 0) return std::nullopt;
    return ParseDecimalNumber<float>(plain);
}

std::uint16_t ReadPortBox(std::string_view text) {
    std::string packed;
    for (const char c : text) {
        if (c != ' ') packed += c;
    }
    return ReadPortValue(packed);
}

SetupNumbers ReadSetupNumbers(const SetupForm& form, const AlarmSettings& alarms,
                              const NumberFormat& format) {
    SetupNumbers numbers{.refused = std::nullopt, .alarms = alarms};
    for (std::size_t i = 0; i < kThresholdCount && !numbers.refused; ++i) {
        const auto field = static_cast<SetupField>(i);
        const std::optional<float> value = ReadUserNumber(form.numbers[i], format);
        if (kFloatThresholds[i].member != nullptr) {
            const UnitScale scale = ScaleOf(form.units, kFloatThresholds[i].quantity);
            float& threshold = numbers.alarms.*kFloatThresholds[i].member;
            // Converted back, the rounded text would give a value a little off the one kept.
            if (form.numbers[i] == ThresholdText(threshold, scale, format)) continue;
            if (value) {
                threshold = static_cast<float>(ToKept(*value, scale));
            } else {
                numbers.refused = field;
            }
            continue;
        }
        const std::optional<std::int16_t> whole = value ? RoundToInt16(*value) : std::nullopt;
        if (whole && *whole >= 0 && *whole <= kHighestHumidity) {
            numbers.alarms.*HumidityThreshold(field) = *whole;
        } else {
            numbers.refused = field;
        }
    }
    if (numbers.refused) return numbers;

    numbers.agwPort = ReadPortBox(form.Number(SetupField::AgwPort));
    numbers.serverPort = ReadPortBox(form.Number(SetupField::ServerPort));
    if (form.agwEnabled && numbers.agwPort == 0) {
        numbers.refused = SetupField::AgwPort;
    } else if (form.serverEnabled && numbers.serverPort == 0) {
        numbers.refused = SetupField::ServerPort;
    }
    return numbers;
}

std::string SetupRefusalText(SetupField field) {
    std::string rule = "un numero";
    if (field == SetupField::LoHum || field == SetupField::HiHum) rule += " da 0 a 100";
    if (field == SetupField::AgwPort || field == SetupField::ServerPort) rule += " da 1 a 65535";
    return std::string("Valore non valido in \"") + kFieldNames[static_cast<std::size_t>(field)] +
           "\": scrivere " + rule + ".";
}

}  // namespace pluvetta
