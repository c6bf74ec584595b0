#include "app/caption_memory.h"

#include <cstddef>

namespace pluvetta {

namespace {

std::size_t IndexOf(Label label) { return static_cast<std::size_t>(label); }

}  // namespace

CaptionMemory::CaptionMemory(Screen& screen) : screen_(screen) {
    // What the window shows before any link or report has written these labels.
    captions_[IndexOf(Label::WxData)] = kStartCaption;
    captions_[IndexOf(Label::Elapsed)] = "00";
}

const std::string& CaptionMemory::Caption(Label label) const { return captions_[IndexOf(label)]; }

void CaptionMemory::SetCaption(Label label, const std::string& text) {
    captions_[IndexOf(label)] = text;
    screen_.SetCaption(label, text);
}

}  // namespace pluvetta
