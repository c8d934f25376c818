#include "common/lines.h"

#include <cstring>

namespace gv {
namespace {

std::size_t FindByte(std::string_view text, std::size_t from, char c) {
    if (from >= text.size()) return std::string_view::npos;
    const void* hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
               : std::string_view::npos;
}

}  // namespace

bool LineReader::Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;

    if (!scanned_ || (nextCr_ != std::string_view::npos && nextCr_ < pos_)) {
        nextCr_ = FindByte(text_, pos_, '\r');
    }
    if (ends_ == LineEnds::CrLfCrOrLf &&
        (!scanned_ || (nextLf_ != std::string_view::npos && nextLf_ < pos_))) {
        nextLf_ = FindByte(text_, pos_, '\n');
    }
    scanned_ = true;

    std::size_t end = nextCr_;
    if (ends_ == LineEnds::CrLfCrOrLf && nextLf_ < end) end = nextLf_;

    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
        return true;
    }
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    // CR LF is one line end in both modes.
    if (text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return true;
}

}  // namespace gv
