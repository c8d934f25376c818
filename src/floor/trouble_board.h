#pragma once
// The board of what is wrong now, which the main window's title shows after "Gavelton - ": a SOLD
// held until the host's next command, the settings, the hotkeys, a window's place, entries listed
// though sold, the item list's and the raise table's files, the sales record, the accounts file,
// the evening's log, what the latest undo could not do and the chat link. The link, the two setup
// files, the two records and the log turn the idle window amber; the others are named only. Each
// trouble is logged when it appears in the title and when it goes.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "books/books_events.h"
#include "books/evening_log.h"
#include "floor/floor_events.h"

namespace gv {

class TroubleBoard final : public FloorListener, public BooksListener {
public:
    // In the title's order.
    enum class Trouble {
        Held,
        Settings,
        Hotkeys,
        Place,
        ListedThoughSold,
        Items,
        Bids,
        Record,
        Accounts,
        Log,
        Undo,
        Link,
        Count
    };

    // `log` gets the "In the title: " and "Gone from the title: " events, and tells the board
    // whether it could write them; the board hears of the link and the record from the
    // floor's `events`.
    TroubleBoard(EveningLog& log, FloorEvents& events);
    ~TroubleBoard() override;
    TroubleBoard(const TroubleBoard&) = delete;
    TroubleBoard& operator=(const TroubleBoard&) = delete;

    // Shows the board whenever it changes: the whole title, and whether the window is amber.
    void SetView(std::function<void(const std::string& title, bool amber)> view) { view_ = std::move(view); }
    // The empty text: no such trouble now.
    void Set(Trouble trouble, const std::string& text);
    const std::string& Text(Trouble trouble) const { return texts_.at(Index(trouble)); }
    std::string Title() const;
    bool Amber() const;
    // Shows the board as it is (the first time, or after the view changed).
    void Show();

    // FloorListener: each command's link status, the record's; a change of the record makes
    // what an undo could not do old news.
    void LinkStatus(const std::string& failure) override { Set(Trouble::Link, failure); }
    void RecordStatus(const std::string& failure) override;
    void SoldHeld(const std::string& why) override { Set(Trouble::Held, why); }
    void SetupFileStatus(SetupFile file, const std::string& trouble) override {
        Set(file == SetupFile::Items ? Trouble::Items : Trouble::Bids, trouble);
    }
    void ListedThoughSold(const std::string& note) override { Set(Trouble::ListedThoughSold, note); }

    // The accounts file's status, from the books' `events`, from now on.
    void HearBooks(BooksEvents& events) { booksSubscription_ = events.Subscribe(*this); }
    // BooksListener
    void AccountsStatus(const std::string& failure) override { Set(Trouble::Accounts, failure); }

private:
    static std::size_t Index(Trouble trouble) { return static_cast<std::size_t>(trouble); }
    void LogChanges(const std::vector<std::string>& shown);

    EveningLog& log_;
    std::function<void(const std::string&, bool)> view_;
    std::array<std::string, static_cast<std::size_t>(Trouble::Count)> texts_;
    std::vector<std::string> logged_;  // the troubles in the title when it was last logged
    FloorEvents::Subscription subscription_;
    BooksEvents::Subscription booksSubscription_;
};

}  // namespace gv
