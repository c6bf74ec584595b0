#include "help/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <unordered_map>
#include <utility>
#include <vector>

#include "help/rtf_text.h"
#include "help/rtf_words.h"

namespace pluvetta {

namespace {

// Groups deeper than this share the state of the deepest one kept, so a file of braces alone
// cannot make the stack grow with it. Real documents nest a few dozen deep.
constexpr std::size_t kMaxGroupDepth = 1 << 18;
// Numeric parameters stop growing here; RTF's own are 16 or 32 bits.
constexpr int kParameterLimit = 1'000'000'000;
// Control words longer than this are not RTF words and are ignored.
constexpr std::size_t kMaxWordLength = 32;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMinHalfPoints = 2;
constexpr int kMaxHalfPoints = 3276;
constexpr int kMaxIndent = 31680;  // 22 inches in twips, for spaces too
constexpr int kNoFontNumber = -1;

enum class Destination : std::uint8_t { Text, Skip, FontTable, ColorTable };

// Everything a group saves and its closing brace restores.
struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = kDefaultHalfPoints;
    int fontNumber = kNoFontNumber;
    int colorNumber = 0;
    int unicodeSkip = 1;
    RtfAlignment alignment = RtfAlignment::Left;
    int leftIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
};

int Clamp(long value, int low, int high) {
    return static_cast<int>(std::clamp<long>(value, low, high));
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// How many paragraph ends the text could hold: an upper bound, as some may lie in groups that
// are not shown.
std::size_t CountParagraphMarks(std::string_view in) {
    std::size_t count = 0;
    for (std::size_t at = in.find("\\par"); at != std::string_view::npos;
         at = in.find("\\par", at + 4)) {
        ++count;
    }
    return count;
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Reader {
  public:
    explicit Reader(std::string_view in) : in_(in) {
        // Growing the list a paragraph at a time would move every paragraph read so far
        // again and again; a guide of many short paragraphs spends most of its reading there.
        doc_.paragraphs.reserve(CountParagraphMarks(in) + 1);
    }

    RtfDocument Read() {
        while (pos_ < in_.size() && !finished_) {
            const char c = in_[pos_++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                ReadControl();
            } else if (c == '\t') {
                if (!Fallback()) TextBreak('\t');
            } else if (static_cast<unsigned char>(c) >= 0x20) {
                if (!Fallback()) Character(ByteToCodePoint(c));
            }
            // Other control bytes, line ends among them, are layout of the file itself.
        }
        FinishParagraph(false);
        return std::move(doc_);
    }

  private:
    void OpenGroup() {
        pendingSkip_ = 0;
        if (stack_.size() >= kMaxGroupDepth) {
            ++excessDepth_;
            return;
        }
        stack_.push_back(state_);
    }

    void CloseGroup() {
        pendingSkip_ = 0;
        if (excessDepth_ > 0) {
            --excessDepth_;
            return;
        }
        if (stack_.empty()) return;
        if (state_.destination == Destination::FontTable && !fontName_.empty()) FinishFont();
        // The last paragraph may lack its \par; it keeps the format of the document's group.
        if (stack_.size() == 1) FinishParagraph(false);
        state_ = stack_.back();
        stack_.pop_back();
        // The document's own group has closed: what follows is not part of it.
        finished_ = stack_.empty();
    }

    // True when the token in hand is a fallback character of a \u and is to be dropped.
    bool Fallback() {
        if (pendingSkip_ == 0) return false;
        --pendingSkip_;
        return true;
    }

    void ReadControl() {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        if (IsLetter(c)) {
            ReadWord();
            return;
        }
        ++pos_;
        if (c == '\'') {
            ReadHexByte();
            return;
        }
        if (c == '*') {
            // Marks a destination this reader may not know: none of those is shown.
            state_.destination = Destination::Skip;
            return;
        }
        if (Fallback()) return;
        switch (c) {
            case '\\':
            case '{':
            case '}':
                Character(static_cast<unsigned char>(c));
                break;
            case '~':
                Character(U'\u00A0');
                break;
            case '_':
                Character(U'\u2011');
                break;
            case '\r':
            case '\n':
                FinishParagraph(true);
                break;
            default:
                break;  // \- (optional hyphen) and the rest show nothing
        }
    }

    void ReadHexByte() {
        if (in_.size() - pos_ < 2) {
            pos_ = in_.size();
            return;
        }
        const int high = HexValue(in_[pos_]);
        const int low = HexValue(in_[pos_ + 1]);
        if (high < 0 || low < 0) return;
        pos_ += 2;
        if (Fallback()) return;
        Character(ByteToCodePoint(static_cast<char>(high * 16 + low)));
    }

    void ReadWord() {
        const std::size_t start = pos_;
        while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;
        const std::string_view name = in_.substr(start, pos_ - start);
        bool negative = false;
        if (pos_ + 1 < in_.size() && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        bool hasParameter = false;
        long parameter = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParameter = true;
            parameter = std::min<long>(parameter * 10 + (in_[pos_++] - '0'), kParameterLimit);
        }
        if (negative) parameter = -parameter;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;

        const RtfWord* word = name.size() <= kMaxWordLength ? FindRtfWord(name) : nullptr;
        // Binary data is skipped whatever else happens: its bytes are never read as RTF.
        if (word != nullptr && word->action == RtfAction::Bin) {
            const auto count = static_cast<std::size_t>(std::max(parameter, 0L));
            pos_ += std::min(count, in_.size() - pos_);
        }
        if (Fallback() || word == nullptr) return;
        Apply(*word, hasParameter, parameter);
    }

    void Apply(const RtfWord& word, bool hasParameter, long parameter) {
        const bool on = !hasParameter || parameter != 0;
        switch (word.action) {
            case RtfAction::Par:
                FinishParagraph(true);
                break;
            case RtfAction::Line:
                TextBreak('\n');
                break;
            case RtfAction::Tab:
                TextBreak('\t');
                break;
            case RtfAction::Pard:
                state_.alignment = RtfAlignment::Left;
                state_.leftIndent = 0;
                state_.firstIndent = 0;
                state_.spaceBefore = 0;
                state_.spaceAfter = 0;
                break;
            case RtfAction::Plain:
                state_.bold = state_.italic = state_.underline = false;
                state_.halfPoints = kDefaultHalfPoints;
                state_.fontNumber = kNoFontNumber;
                state_.colorNumber = 0;
                break;
            case RtfAction::Bold:
                state_.bold = on;
                break;
            case RtfAction::Italic:
                state_.italic = on;
                break;
            case RtfAction::Underline:
                state_.underline = on;
                break;
            case RtfAction::UnderlineNone:
                state_.underline = false;
                break;
            case RtfAction::FontSize:
                state_.halfPoints = hasParameter ? Clamp(parameter, kMinHalfPoints, kMaxHalfPoints)
                                                 : kDefaultHalfPoints;
                break;
            case RtfAction::Font:
                // In the font table \f numbers the entry; elsewhere it picks one.
                if (state_.destination == Destination::FontTable) {
                    fontEntry_ = Clamp(parameter, 0, kParameterLimit);
                } else {
                    state_.fontNumber = Clamp(parameter, 0, kParameterLimit);
                }
                break;
            case RtfAction::DefaultFont:
                defaultFont_ = Clamp(parameter, 0, kParameterLimit);
                break;
            case RtfAction::ForeColor:
                state_.colorNumber = Clamp(parameter, 0, kParameterLimit);
                break;
            case RtfAction::Align:
                state_.alignment = static_cast<RtfAlignment>(word.value);
                break;
            case RtfAction::LeftIndent:
                state_.leftIndent = Clamp(parameter, -kMaxIndent, kMaxIndent);
                break;
            case RtfAction::FirstIndent:
                state_.firstIndent = Clamp(parameter, -kMaxIndent, kMaxIndent);
                break;
            case RtfAction::SpaceBefore:
                state_.spaceBefore = Clamp(parameter, 0, kMaxIndent);
                break;
            case RtfAction::SpaceAfter:
                state_.spaceAfter = Clamp(parameter, 0, kMaxIndent);
                break;
            case RtfAction::Unicode:
                if (!hasParameter) break;
                Character(UnicodeEscapeToCodePoint(parameter));
                pendingSkip_ = state_.unicodeSkip;
                break;
            case RtfAction::UnicodeSkip:
                state_.unicodeSkip = Clamp(parameter, 0, kParameterLimit);
                break;
            case RtfAction::AnsiCodePage:
                codePage_ = parameter == 1252 ? CodePage::Windows1252 : CodePage::Unknown;
                break;
            case RtfAction::OtherCharset:
                codePage_ = CodePage::Unknown;
                break;
            case RtfAction::FontTable:
                state_.destination = Destination::FontTable;
                break;
            case RtfAction::ColorTable:
                state_.destination = Destination::ColorTable;
                break;
            case RtfAction::ColorPart:
                ColorChannel(word.value) = static_cast<std::uint8_t>(Clamp(parameter, 0, 255));
                colorEntrySet_ = true;
                break;
            case RtfAction::SkipGroup:
                state_.destination = Destination::Skip;
                break;
            case RtfAction::Symbol:
                Character(static_cast<char32_t>(word.value));
                break;
            case RtfAction::Bin:
                break;
        }
    }

    char32_t ByteToCodePoint(char byte) const { return CodePageToCodePoint(codePage_, byte); }

    // One character of text, in whichever destination is current.
    void Character(char32_t codePoint) {
        switch (state_.destination) {
            case Destination::Text:
                for (const char32_t c : surrogates_.Take(codePoint)) {
                    if (c != 0) AppendUtf8(Run(), c);
                }
                break;
            case Destination::FontTable:
                if (codePoint == ';') {
                    FinishFont();
                } else if (codePoint >= 0x20) {
                    AppendUtf8(fontName_, codePoint);
                }
                break;
            case Destination::ColorTable:
                if (codePoint == ';') FinishColor();
                break;
            case Destination::Skip:
                break;
        }
    }

    // A tab or a line break, which Character() keeps out of the text.
    void TextBreak(char mark) {
        if (state_.destination != Destination::Text) return;
        FlushSurrogate();
        Run() += mark;
    }

    void FlushSurrogate() {
        if (const char32_t alone = surrogates_.Flush(); alone != 0) AppendUtf8(Run(), alone);
    }

    // The text of the run that takes the next character, opened when the format changed.
    std::string& Run() {
        RtfCharFormat format;
        format.bold = state_.bold;
        format.italic = state_.italic;
        format.underline = state_.underline;
        format.halfPoints = state_.halfPoints;
        const int number = state_.fontNumber == kNoFontNumber ? defaultFont_ : state_.fontNumber;
        if (const auto font = fontIndex_.find(number); font != fontIndex_.end()) {
            format.font = font->second;
        }
        const auto color = static_cast<std::size_t>(state_.colorNumber);
        if (color < colors_.size()) format.color = colors_[color];
        if (paragraph_.runs.empty() || paragraph_.runs.back().format != format) {
            paragraph_.runs.push_back({format, {}});
        }
        return paragraph_.runs.back().text;
    }

    // Ends the paragraph in hand with the paragraph format now in force. At the end of the
    // document an empty last paragraph is not kept: the writer's closing \par made it.
    void FinishParagraph(bool explicitEnd) {
        if (explicitEnd && state_.destination != Destination::Text) return;
        if (state_.destination == Destination::Text) FlushSurrogate();
        if (!explicitEnd && paragraph_.runs.empty()) return;
        paragraph_.alignment = state_.alignment;
        paragraph_.leftIndent = state_.leftIndent;
        paragraph_.firstIndent = state_.firstIndent;
        paragraph_.spaceBefore = state_.spaceBefore;
        paragraph_.spaceAfter = state_.spaceAfter;
        doc_.paragraphs.push_back(std::move(paragraph_));
        paragraph_ = RtfParagraph{};
    }

    void FinishFont() {
        const std::size_t first = fontName_.find_first_not_of(' ');
        const std::size_t last = fontName_.find_last_not_of(' ');
        std::string name =
            first == std::string::npos ? std::string() : fontName_.substr(first, last - first + 1);
        fontIndex_[fontEntry_] = static_cast<int>(doc_.fonts.size());
        doc_.fonts.push_back(std::move(name));
        fontName_.clear();
    }

    std::uint8_t& ColorChannel(int channel) {
        switch (channel) {
            case 0:
                return colorEntry_.red;
            case 1:
                return colorEntry_.green;
            default:
                return colorEntry_.blue;
        }
    }

    void FinishColor() {
        colors_.push_back(colorEntrySet_ ? std::optional<RtfColor>(colorEntry_) : std::nullopt);
        colorEntry_ = RtfColor{};
        colorEntrySet_ = false;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    bool finished_ = false;

    std::vector<GroupState> stack_;
    GroupState state_;
    std::size_t excessDepth_ = 0;
    // Fallback characters of the last \u still to drop.
    long pendingSkip_ = 0;
    SurrogatePairs surrogates_;
    CodePage codePage_ = CodePage::Windows1252;

    int defaultFont_ = 0;
    int fontEntry_ = 0;
    std::string fontName_;
    std::unordered_map<int, int> fontIndex_;
    std::vector<std::optional<RtfColor>> colors_;
    RtfColor colorEntry_;
    bool colorEntrySet_ = false;

    RtfDocument doc_;
    RtfParagraph paragraph_;
};

}  // namespace

std::optional<RtfDocument> ReadRtf(std::string_view bytes) {
    if (!bytes.starts_with("{\\rtf")) return std::nullopt;
    return Reader(bytes).Read();
}

}  // namespace pluvetta
