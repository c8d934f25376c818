#pragma once
// What the books tell of what happened, to any number of listeners: the accounts window and
// the title each subscribe for themselves, and leave when they go.

#include <string>

#include "common/events.h"

namespace gv {

// Each event has an empty default, so that a listener takes only those it wants.
class BooksListener {
public:
    virtual ~BooksListener() = default;
    // Who owes what may read otherwise now: a sale, an undo, an accounts entry recorded or
    // taken back.
    virtual void AccountsChanged() {}
    // The accounts file after a change: the empty text when it holds every entry.
    virtual void AccountsStatus(const std::string& /*failure*/) {}
};

using BooksEvents = Events<BooksListener>;

}  // namespace gv
