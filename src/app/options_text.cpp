#include "app/options_text.h"

namespace pluvetta {

namespace {

// `value` up to a ';' outside double quotes, which starts a comment.
std::string_view WithoutComment(std::string_view value) {
    bool quoted = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"') quoted = !quoted;
        if (value[i] == ';' && !quoted) return Trimmed(value.substr(0, i));
    }
    return value;
}

// `value` without a pair of double quotes that wraps it whole.
std::string_view Unwrapped(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"' &&
        value.substr(1, value.size() - 2).find('"') == std::string_view::npos) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

std::vector<OptionEntry> OptionEntriesOf(std::string_view text) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    std::vector<OptionEntry> entries;
    std::string section;
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        std::string_view name;
        if (SectionName(line, name)) {
            section = std::string(name) + "/";
            continue;
        }
        const std::string_view key = LineKey(line);
        if (key.empty()) continue;
        std::string path = section + std::string(key);
        const std::string_view value = Trimmed(line.substr(line.find('=') + 1));
        entries.emplace_back(path, Unwrapped(path == kCommandKey ? value : WithoutComment(value)));
    }
    return entries;
}

std::string_view TakeLine(std::string_view& text) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return line;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool SectionName(std::string_view line, std::string_view& name) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return false;
    name = Trimmed(line.substr(1, line.size() - 2));
    return true;
}

std::string_view LineKey(std::string_view line) {
    line = Trimmed(line);
    const auto equals = line.find('=');
    if (line.empty() || line.front() == ';' || line.front() == '#' ||
        equals == std::string_view::npos) {
        return {};
    }
    return Trimmed(line.substr(0, equals));
}

}  // namespace pluvetta
