#pragma once
// The auction floor's commands, as the auction panel's buttons and the Auction menu command
// run them. What they change is told through Events(): the windows that show it subscribe
// (the floor yields right after a change of the block, so the window repaints).

#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "books/debts.h"
#include "books/evening_log.h"
#include "books/sales_record.h"
#include "common/busy.h"
#include "common/clock.h"
#include "common/event_pump.h"
#include "floor/block.h"
#include "floor/chat_lines.h"
#include "floor/first_verdicts.h"
#include "floor/floor_events.h"
#include "floor/judgement.h"
#include "link/link_port.h"
#include "setup/item_list.h"
#include "setup/tier_table.h"

namespace gv {

// Where the item list is kept on disk. SOLD has the list after the sale ready there before the
// sale's row goes to the sales record, and puts it in place right after: a crash between the
// two must not leave a sold entry on the list.
class ListStore {
public:
    virtual void StageItems() = 0;
    virtual void CommitItems() = 0;

protected:
    ~ListStore() = default;
};

// The lines each announcement speaks, computed from the block state. StateItemLines also
// performs State Item's lookup and clears the announced raise flag.
std::vector<std::string> StateItemLines(BlockState& block, const TierTable& tiers);
std::vector<std::string> CallLines(const BlockState& block, int call /* 1 to 3 */);
std::vector<std::string> SoldLines(const BlockState& block);

// Put on block: split the entry at its last "-", empty the four bid captions, arm all six
// raise flags.
void PutOnBlock(BlockState& block, std::string_view entry);

// The sales record's row for the item on the block as SOLD leaves it.
SaleRow SaleOf(const BlockState& block, const std::string& time);

// The window's title text after a command whose request to the chat client failed: what
// failed and what it cost, e.g. "chat client not answering: bids not fetched". Empty for
// LinkFault::None.
std::string LinkFailureText(LinkFault fault, std::string_view consequence);

// Where the capture file lives: "C:\TALLY.TXT" on Windows, TALLY.TXT in the working folder
// elsewhere.
std::filesystem::path DefaultCapturePath();

// What undo needs of the latest sale: the block as SOLD found it, where the entry stood, the
// list as the sale left it (to see whether it changed since), and the row it recorded.
struct SaleSnapshot {
    BlockState block;
    std::string entry;
    int index = 0;
    bool removed = false;  // the entry was taken out of the list
    std::vector<std::string> entriesAfter;
    SaleRow row;
    bool recorded = false;  // the row went to the sales record
    // The first verdicts of the sold auction, followed through the chats since: once the next
    // auction's Get Bids has replaced them, an undo puts them back, and the auction goes on
    // with them rather than starting again.
    FirstVerdicts verdicts;
    bool verdictsReplaced = false;
};

// What undo did: `note` is for the window's title, empty when there is nothing to tell.
struct UndoOutcome {
    bool undone = false;
    std::string note;
};

class Floor {
public:
    Floor(BlockState& block, const TierTable& tiers, ItemList& items, LinkPort& link, EventPump& pump,
          BusyHost& busy);

    void SetCapturePath(std::filesystem::path path) { capturePath_ = std::move(path); }
    // What the commands did, for whoever listens: the block changed, each command's link
    // status (not after an announcement whose lines the link cannot confirm, see
    // LinkPort::LinesConfirmed), the sales record's status, the judgements, sales and undos.
    FloorEvents& Events() { return events_; }
    // Where SOLD records the sale (none: no record) and the clock it takes the time from. After
    // each addition the record's status is the empty text when the row was written, else
    // "Sales.csv not written: " and the reason.
    void SetSalesRecord(SalesRecord* sales) { sales_ = sales; }
    void SetClock(std::function<std::string()> timeText) { timeText_ = std::move(timeText); }

    // Where the floor writes the lines it says, its sales and undos (none: nowhere).
    void SetEveningLog(EveningLog* log) { eveningLog_ = log; }
    // Who owes from earlier evenings (none: no one): each ESP line of such a bidder says so in
    // the floor log after its verdict, and the evening's log notes it once per auction.
    void SetDebts(Debts* debts) { debts_ = debts; }
    // The floor log: Get Bids records its judgements only while kept (the log window is open,
    // or someone writes them down), so that it costs nothing otherwise.
    void SetKeepJudgements(bool keep) { keepJudgements_ = keep; }
    // SOLD first looks at the chat as Get Bids does, in the same busy state, and holds the
    // sale when a later bid stands now or the chat could not be fetched: a bid that came after
    // the last Get Bids must not be sold over. The next SOLD sells what the captions show.
    void SetCheckBeforeSold(bool check) { checkBeforeSold_ = check; }
    void SetListStore(ListStore* store) { store_ = store; }
    bool KeepsJudgements() const { return keepJudgements_; }
    // The judgements of the last Get Bids of the item on the block; a new item starts it empty.
    // Each ESP line shows the verdict it got the first time a Get Bids judged it in this auction.
    const FloorLog& Judgements() const { return floorLog_; }

    // The auction panel's buttons, and the first step of the Auction and List menu commands.
    void StateItem();
    void Call(int call);  // call 1st, 2nd, 3rd
    void Sold();
    // Who pressed Get Bids: the host, or the live runs (which leave a held SOLD held).
    enum class By { Host, Itself };
    BidsOutcome GetBids(By by = By::Host);  // CaptureChat and the intake
    void GetNextItem();                     // no busy state; the window moves the focus
    void AuctionCommand();
    void ListCommand();  // no selection, the block item index back to 0
    // A written-off sale's item back at the end of the list, as Add to List puts it there.
    void ListAgain(const SaleRow& sale);
    void StateRules();
    // The list taken in from Items.TXT as somebody else changed it: the entry on the block
    // keeps its place where it still stands.
    void ReplaceItems(ItemList list);
    // Undoes the latest sale, once: the entry back in the list where it stood, the block as
    // SOLD found it, its row out of the sales record if it is there unchanged. Says nothing
    // into the chat. Refused, changing nothing, when the list changed other than at its end
    // since, or when the record cannot be rewritten now.
    UndoOutcome UndoLastSale();
    bool CanUndo() const { return lastSale_.has_value(); }
    // How many Get Bids fetched the chat so far, pressed or run by themselves.
    unsigned long long FetchesThrough() const { return fetchesThrough_; }

private:
    // Says the lines in order, all of them even after one failed; the first fault met.
    LinkFault Speak(const std::vector<std::string>& lines);
    // The block and the item list changed; only the block's bids changed.
    void Changed();
    void BidsChanged();
    void LinkStatus(LinkFault fault, std::string_view consequence);
    void RecordStatus(const std::string& failure);
    // Get Bids inside the busy state of its command.
    BidsOutcome FetchAndJudge();
    // A command of the host's begins: a held SOLD is no longer held, and the title says so.
    void HostCommand();
    // SOLD's look at the chat; false when it holds the sale.
    bool LookBeforeSale();
    // `why` as the title says it; `shown`: what the captions showed when SOLD was pressed.
    void HoldSale(const std::string& why, const std::string& shown);
    // LinkStatus after an announcement.
    void SpokenStatus(LinkFault fault, std::string_view consequence);
    // The first SOLD of the item on the block adds it to the sales record.
    void RecordSale(SaleSnapshot& sale);
    // Adds the event to the evening's log, if there is one.
    void Note(const std::string& event);
    // A new floor log for the item on the block; `judged` when Get Bids records into it.
    void StartFloorLog(bool judged);
    void FloorLogSale();
    void JudgementsChanged();
    // Get Bids records its judgements while the log window or the evening's log wants them.
    bool Recording() const { return keepJudgements_ || eveningLog_ != nullptr; }
    // Logs the verdict of each ESP line judged for the first time in its auction.
    void NoteVerdicts(const FirstVerdictsUpdate& update);
    // The debt of each bidder in the floor log's ESP rows; the bidders of this auction who owe.
    void MarkDebts();
    // The entry at the block item index put on the block, the sold one's auction over.
    void PutIndexOnBlock();
    // What a verdict was judged by: the item, its minimum, the raise table.
    std::string RulesText() const;
    // Finds the sale lines said since the last capture in the new chat and follows those found
    // before; gives where the reopened ones start, for the intake.
    std::vector<std::size_t> FollowSaleLines(std::string_view capture, const ChatShift& shift);

    // The sale line ("<item> is sold for ...") of a sale in the chat: how many were said since
    // the last capture, not yet found in it, and the lines found. After the sale is undone its
    // lines end nothing: the auction goes on as if it had not been sold.
    struct SaleLines {
        std::string text;
        int said = 0;
        std::vector<std::size_t> lines;  // in the numbers of the last capture
        bool reopened = false;
    };

    BlockState& block_;
    const TierTable& tiers_;
    ItemList& items_;
    LinkPort& link_;
    EventPump& pump_;
    BusyHost& busy_;
    std::filesystem::path capturePath_ = DefaultCapturePath();
    FloorEvents events_;
    SalesRecord* sales_ = nullptr;
    std::function<std::string()> timeText_ = LocalTimeText;
    EveningLog* eveningLog_ = nullptr;
    std::optional<SaleSnapshot> lastSale_;
    // What both the floor log and the evening's log show of each ESP line.
    FirstVerdicts firstVerdicts_;
    // The chat of the last Get Bids, to follow its lines through the client's scroll-back.
    ChatLines chatLines_;
    // The latest sale's lines, and those of sales undone, while they stand in the chat.
    std::vector<SaleLines> saleLines_;
    bool keepJudgements_ = false;
    FloorLog floorLog_;
    Debts* debts_ = nullptr;
    // The debts found in this auction's ESP lines so far, each noted in the evening's log once.
    std::vector<std::string> debtsNoted_;
    unsigned long long fetchesThrough_ = 0;
    bool checkBeforeSold_ = false;
    ListStore* store_ = nullptr;
    bool held_ = false;  // the last command held SOLD: the next one sells what the captions show
};

}  // namespace gv
