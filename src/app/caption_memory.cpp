#include "app/caption_memory.h"

#include <cstddef>

#include "weather/readout.h"

namespace pluvetta {

namespace {

std::size_t IndexOf(Label label) { return static_cast<std::size_t>(label); }

}  // namespace

std::string StartCaption(Label label) {
    switch (label) {
        case Label::WxData:
            return kStartCaption;
        case Label::Elapsed:
            return FormatElapsed(0);
        default:
            return {};
    }
}

CaptionMemory::CaptionMemory(Screen& screen) : screen_(screen) {
    for (std::size_t i = 0; i < kLabelCount; ++i) {
        captions_[i] = StartCaption(static_cast<Label>(i));
    }
}

const std::string& CaptionMemory::Caption(Label label) const { return captions_[IndexOf(label)]; }

void CaptionMemory::SetCaption(Label label, const std::string& text) {
    captions_[IndexOf(label)] = text;
    screen_.SetCaption(label, text);
}

}  // namespace pluvetta
