#pragma once
// What the floor tells of what happened, to any number of listeners: the windows that show the
// block, the title, the live runs and the floor log each subscribe for themselves, and leave
// when they go.

#include <cstddef>
#include <string>
#include <vector>

namespace gv {

struct SaleRow;

// The two files of the auction's setup.
enum class SetupFile { Items, Bids };

// What one Get Bids did, for whoever runs it or listens.
struct BidsOutcome {
    bool fetched = false;  // the chat text came
    bool newBid = false;   // it left a current bid other than the one before
};

// Each event has an empty default, so that a listener takes only those it wants.
class FloorListener {
public:
    virtual ~FloorListener() = default;
    // The block's captions changed; the item list (its entries or its selection) changed.
    virtual void BlockChanged() {}
    virtual void ItemsChanged() {}
    // A command that talked to the chat client ended: the empty text when it went through,
    // else what failed and what it cost ("chat client not answering: bids not fetched").
    virtual void LinkStatus(const std::string& /*failure*/) {}
    // The sales record after a change: the empty text when it holds every sale.
    virtual void RecordStatus(const std::string& /*failure*/) {}
    // The floor's judgements (Floor::Judgements) changed.
    virtual void JudgementsChanged() {}
    // SOLD sold the item on the block; undo took the latest sale back.
    virtual void SaleMade(const SaleRow& /*row*/) {}
    virtual void SaleUndone(const SaleRow& /*row*/) {}
    // SOLD held the sale, and why, as the title says it ("SOLD held: bids not fetched"); the
    // empty text once the host's next command ended the hold.
    virtual void SoldHeld(const std::string& /*why*/) {}
    // A Get Bids ended, run by the host or by itself.
    virtual void BidsTaken(const BidsOutcome& /*outcome*/) {}
    // Who owes what may read otherwise now: a sale, an undo, an accounts entry recorded or
    // taken back.
    virtual void AccountsChanged() {}
    // The accounts file after a change: the empty text when it holds every entry.
    virtual void AccountsStatus(const std::string& /*failure*/) {}
    // Items.TXT or BIDS.TXT after it was kept: the empty text when it holds what the host
    // sees, else what went wrong and where Gavelton's text is.
    virtual void SetupFileStatus(SetupFile /*file*/, const std::string& /*trouble*/) {}
    // Entries the list still holds though the sales record sold them since Items.TXT was
    // written; the empty text once none of them is listed.
    virtual void ListedThoughSold(const std::string& /*note*/) {}
    // The raise table changed other than through its boxes (taken in from BIDS.TXT).
    virtual void TiersChanged() {}
};

class FloorEvents {
public:
    // Keeps a listener subscribed while it lives: the listener leaves with it.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(FloorEvents& events, FloorListener& listener);
        ~Subscription();
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

    private:
        void Leave();
        FloorEvents* events_ = nullptr;
        FloorListener* listener_ = nullptr;
    };

    FloorEvents() = default;
    FloorEvents(const FloorEvents&) = delete;
    FloorEvents& operator=(const FloorEvents&) = delete;

    [[nodiscard]] Subscription Subscribe(FloorListener& listener) { return {*this, listener}; }

    // Tells every listener, in the order they came. One that leaves while it is told is told
    // nothing more; one that comes is told from the next event on.
    template <class Event>
    void Tell(Event&& event) {
        ++telling_;
        const std::size_t count = listeners_.size();
        for (std::size_t i = 0; i < count; ++i)
            if (listeners_[i] != nullptr) event(*listeners_[i]);
        if (--telling_ == 0) std::erase(listeners_, nullptr);
    }
    std::size_t Listeners() const;

private:
    void Add(FloorListener& listener) { listeners_.push_back(&listener); }
    void Remove(FloorListener& listener);

    std::vector<FloorListener*> listeners_;
    int telling_ = 0;
};

}  // namespace gv
