#pragma once
// Line-by-line reading of text held in memory, as the files are read.
//
// A text "a\r\nb\r\n" holds the lines "a" and "b"; "a\r\nb" holds "a" and "b" too; the
// empty text holds no line; "\r\n" holds one empty line. NUL bytes are ordinary
// characters.

#include <string_view>

namespace gv {

enum class LineEnds {
    CrLfCrOrLf,  // setup and settings files: CR LF, CR alone and LF alone each end a line
    CrLfOrCr,    // the chat capture: CR LF or CR alone; a lone LF stays part of the line
};

class LineReader {
public:
    LineReader(std::string_view text, LineEnds ends) : text_(text), ends_(ends) {}
    // Gives the next line (without its line end); false at the end of the text.
    bool Next(std::string_view& line);
    // Bytes not yet read.
    std::size_t Remaining() const { return text_.size() - pos_; }

private:
    std::string_view text_;
    LineEnds ends_;
    std::size_t pos_ = 0;
    // Where the next CR and LF stand at or after pos_ (npos: none left). Kept between calls so
    // that a text with only one kind of line end is still read in one pass.
    std::size_t nextCr_ = 0;
    std::size_t nextLf_ = 0;
    bool scanned_ = false;
};

}  // namespace gv
