#include "books/book_worker.h"

#include <utility>

namespace gv {

BookWorker::BookWorker(std::function<void()> done)
    : done_(std::move(done)), thread_([this](const std::stop_token& stop) { Run(stop); }) {}

BookWorker::~BookWorker() {
    thread_.request_stop();
    thread_.join();
}

void BookWorker::Compute(BookTexts texts, std::optional<AccountBook> old) {
    {
        const std::lock_guard lock(mutex_);
        asked_ = std::move(texts);
        if (old) old_ = std::move(old);
        busy_ = true;
    }
    wake_.notify_one();
}

bool BookWorker::Busy() const {
    const std::lock_guard lock(mutex_);
    return busy_;
}

std::optional<BookWorker::Computed> BookWorker::Take() {
    const std::lock_guard lock(mutex_);
    if (!computed_) return std::nullopt;
    busy_ = asked_.has_value();
    return std::exchange(computed_, std::nullopt);
}

void BookWorker::Run(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    while (wake_.wait(lock, stop, [this] { return asked_.has_value(); })) {
        const BookTexts texts = std::move(*asked_);
        asked_.reset();
        std::optional<AccountBook> old = std::exchange(old_, std::nullopt);
        lock.unlock();
        old.reset();
        AccountBook book = BookOf(texts);
        lock.lock();
        computed_ = Computed{std::move(book), texts.change};
        lock.unlock();
        done_();
        lock.lock();
    }
}

}  // namespace gv
