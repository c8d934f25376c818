#include "floor/trouble_board.h"

#include <algorithm>
#include <utility>

#include "common/program_title.h"

namespace gv {

namespace {

bool Holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

}  // namespace

TroubleBoard::TroubleBoard(EveningLog& log, FloorEvents& events)
    : log_(log), subscription_(events.Subscribe(*this)) {
    log_.SetOnStatus([this](const std::string& failure) { Set(Trouble::Log, failure); });
}

TroubleBoard::~TroubleBoard() { log_.SetOnStatus({}); }

void TroubleBoard::Set(Trouble trouble, const std::string& text) {
    std::string& now = texts_.at(Index(trouble));
    if (now == text) return;
    now = text;
    Show();
}

void TroubleBoard::RecordStatus(const std::string& failure) {
    Set(Trouble::Undo, {});
    Set(Trouble::Record, failure);
}

std::string TroubleBoard::Title() const {
    std::string title = kProgramTitle;
    bool first = true;
    for (const std::string& text : texts_) {
        if (text.empty()) continue;
        title += first ? " - " : "; ";
        title += text;
        first = false;
    }
    return title;
}

// A refused setting stays named in the title but does not turn the window amber: amber going
// back to cyan is how the host sees the chat client answer again.
bool TroubleBoard::Amber() const {
    for (const Trouble trouble :
         {Trouble::Link, Trouble::Items, Trouble::Bids, Trouble::Record, Trouble::Accounts, Trouble::Log})
        if (!Text(trouble).empty()) return true;
    return false;
}

void TroubleBoard::Show() {
    std::vector<std::string> shown;
    for (const std::string& text : texts_)
        if (!text.empty()) shown.push_back(text);
    if (view_) view_(Title(), Amber());
    LogChanges(shown);
}

void TroubleBoard::LogChanges(const std::vector<std::string>& shown) {
    // Taken over first: logging may fail and show that on the board, which comes back here.
    const std::vector<std::string> before = std::exchange(logged_, shown);
    std::vector<std::string> events;
    for (const std::string& text : shown)
        if (!Holds(before, text)) events.push_back("In the title: " + text);
    for (const std::string& text : before)
        if (!Holds(shown, text)) events.push_back("Gone from the title: " + text);
    if (!events.empty()) log_.Add(events);
}

}  // namespace gv
