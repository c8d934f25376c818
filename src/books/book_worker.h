#pragma once
// Computes account books on a thread of its own, kept for as long as a window shows them, so
// that a long history is read without the host's next command waiting for it. It is handed the
// records' text (Ledger::Texts) and tells `done`, on its own thread, when a book is ready.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "books/ledger.h"

namespace gv {

class BookWorker {
public:
    explicit BookWorker(std::function<void()> done);
    // Waits for the book being computed, if any.
    ~BookWorker();
    BookWorker(const BookWorker&) = delete;
    BookWorker& operator=(const BookWorker&) = delete;

    // Computes the book of `texts`, after the one under way, letting go of `old` first; a
    // request not started yet is replaced.
    void Compute(BookTexts texts, std::optional<AccountBook> old = std::nullopt);
    // A book asked for is not taken yet.
    bool Busy() const;
    // The book computed, with the ledger's change count it was computed for; none before
    // `done` was told.
    struct Computed {
        AccountBook book;
        unsigned long long change = 0;
    };
    std::optional<Computed> Take();

private:
    void Run(const std::stop_token& stop);

    std::function<void()> done_;
    mutable std::mutex mutex_;
    std::condition_variable_any wake_;
    std::optional<BookTexts> asked_;
    std::optional<AccountBook> old_;
    std::optional<Computed> computed_;
    bool busy_ = false;
    std::jthread thread_;  // last: it starts once everything it uses is there
};

}  // namespace gv
