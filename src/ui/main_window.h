#pragma once
// The main window Auction: the auction panel, the item list panel ListFrame, the tier panel
// BidFrame and the about panel AboutFrame, switched by five commands on the menu bar. The
// auction's state lives in the Auction it is given; the panels show it and feed it.

#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/busy.h"
#include "common/message_sink.h"
#include "floor/auction.h"
#include "setup/host_settings.h"
#include "ui/about_panel.h"
#include "ui/auction_panel.h"
#include "ui/hotkeys.h"
#include "ui/list_panel.h"
#include "ui/metrics.h"
#include "ui/native.h"
#include "ui/panel_host.h"
#include "ui/return_window.h"
#include "ui/tier_panel.h"

class wxEventFilter;

namespace gv::ui {
class FloorLogWindow;
}
class wxPanel;

namespace gv::ui {

class LiveBids;

class AuctionFrame final : public wxFrame, public BusyHost, public PanelHost {
public:
    enum class Panel { Auction, List, Bids, About };

    // `auction` must outlive the window. `messages` shows the close-down's save failures.
    AuctionFrame(Auction& auction, MessageSink& messages);
    ~AuctionFrame() override;

    // Start-up, before the window is shown: centre, link settings, the host's settings, both
    // setup files, keep on top, start the link.
    void Start();

    // The menu bar's commands.
    void OnAuctionMenu();
    void OnListMenu();
    void OnBidsMenu();
    void OnReconnectMenu();
    void OnAboutMenu();
    void OnLogMenu();

    // Opens the floor log window, or closes it when it is open (the Log command, Ctrl+L).
    // Opened from elsewhere (its hotkey), it takes the keyboard only when Gavelton had it.
    void ToggleFloorLog(bool fromElsewhere = false);
    // The open floor log window; null while it is closed.
    FloorLogWindow* FloorLogView() const { return floorLog_; }
    // What the floor log's "Undo last sale" runs; the command is hidden while this is empty.
    void SetUndoLastSale(std::function<void()> undo);

    // The setup files; loaded once at start, saved once at close.
    void LoadTierTable();
    void LoadItemList();
    FileResult SaveTierTable();
    FileResult SaveItemList();

    // BusyHost.
    void EnterBusy() override;
    void LeaveBusy() override;
    bool IsBusy() const { return busyDepth_ > 0; }
    // Runs a command that the host did not start (a live Get Bids) in a quiet busy state: the
    // window refuses input as ever, but turns red and shows the hourglass only once the
    // command has taken kQuietBusyMilliseconds, and the focus stays where it was.
    void RunQuietly(const std::function<void()>& command);
    static constexpr int kQuietBusyMilliseconds = 300;

    // PanelHost.
    bool Idle() const override { return busyDepth_ == 0 && !closing_ && !held_; }
    bool HoldUntilIdle(std::function<void()> command) override;
    // A host's command waits for the end of a live run.
    bool CommandHeld() const { return static_cast<bool>(held_); }
    void FocusDummy() override;
    void KeepKeyboardWhereItIs(bool keep) override;

    Panel ShownPanel() const { return panel_; }
    const TierTable& Tiers() const { return auction_.tiers; }
    const ItemList& Items() const { return auction_.items; }
    const BlockState& Block() const { return auction_.block; }
    AuctionPanel& AuctionControls() { return *auctionPanel_; }
    ListPanel& ListControls() { return *listPanel_; }
    TierPanel& TierControls() { return *tierPanel_; }
    const MenuCommands& Menu() const { return menu_; }
    const Metrics& DesignScale() const { return layout_.Scale(); }
    wxWindow* Dummy() const;
    // The button of a command of the auction or the item list panel.
    wxButton* Button(Command command) const;
    // The window that stands for the client area (background cyan, red while busy).
    wxPanel* ClientArea() const { return client_; }
    // What the title shows after "Gavelton - " when the last command that talked to the chat
    // client failed; empty when it went through.
    const std::string& LinkFailure() const { return linkFailure_; }
    // Undoes the latest sale (Ctrl+Z) while no command runs; what it could not do shows in the
    // title.
    void UndoLastSale();
    // Gavelton.ini as read at start.
    const HostSettings& Settings() const { return settings_; }
    // What the title says of the floor log's place that could not be kept; empty when it was.
    const std::string& PlaceFailure() const { return placeFailure_; }
    // What the title says of the hotkeys that could not be had; empty when all were.
    const std::string& HotkeyFailure() const { return hotkeyFailure_; }
    // Get Bids by itself; none before Start.
    const LiveBids* Live() const { return live_.get(); }

private:
    void BuildMenu();
    void BindFloorLogKey();  // Ctrl+L
    // Lets go of the log window without closing it (the window itself is going).
    void ForgetFloorLog();
    // Keeps the log window's size and place and closes it; whether the place could be kept.
    FileResult CloseFloorLog();
    // Shows, once the busy state is over, what the command in it judged.
    void CatchUpFloorLog();
    void BindWindowEvents();
    void ShowPanel(Panel panel);
    void KeepDummyHidden();
    void StartHotkeys();  // when Gavelton.ini turns them on
    // One of Gavelton's windows has the keyboard now.
    bool HasKeyboard();
    void OnClose(wxCloseEvent& event);
    void KeepPlaced();  // after a resize or minimise: on top, Dummy out of sight
    // Saves both files, stops the link and ends the program. When a save fails and the close
    // can be cancelled, the host may retry, close without saving, or cancel: false then, and
    // the window stays open.
    bool CloseDown(bool canCancel);
    // Saves what is not saved yet; the failures, one line each, empty when all went well.
    wxString SaveSetup(bool& bidsSaved, bool& itemsSaved);
    // The title and the idle background say whether the last command that talked to the chat
    // client went through; `failure` is empty when it did.
    void ShowLinkStatus(const std::string& failure);
    void ShowRecordStatus(const std::string& failure);
    // "Gavelton", and what failed after " - ".
    void ShowTrouble();
    // The evening's log: its status in the title, Ctrl+Z, and each failure that appears in the
    // title logged once.
    void BindJournal();
    void ShowLogStatus(const std::string& failure);
    void LogTitleFailures(const std::vector<std::string>& failures);
    const wxColour& IdleColour() const;
    void ShowBusyLook();  // red, and the hourglass
    void RefuseInput();   // the window disabled, and the input aimed at it dropped
    void RunHeld();
    // Idle now, or the handler held to run as soon as the window is.
    bool IdleOrHeld(void (AuctionFrame::*handler)());
#ifdef _WIN32
    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;
#endif

    Auction& auction_;
    MessageSink& messages_;

    FormLayout layout_;
    MenuCommands menu_;
    wxPanel* client_ = nullptr;
    std::unique_ptr<AuctionPanel> auctionPanel_;
    std::unique_ptr<ListPanel> listPanel_;
    std::unique_ptr<TierPanel> tierPanel_;
    std::unique_ptr<AboutPanel> aboutPanel_;

    Panel panel_ = Panel::Auction;
    int busyDepth_ = 0;
    bool quiet_ = false;     // the command running is not the host's
    bool busyLook_ = false;  // red and the hourglass are showing
    wxTimer busyLookDelay_;  // shows them when a quiet command takes long
    wxWeakRef<wxWindow> focusBefore_;
    // The command running came from elsewhere (a hotkey, a live run) while another program had
    // the keyboard: the busy state's end leaves the focus alone.
    bool keyboardElsewhere_ = false;
    std::function<void()> held_;  // the host's command that came during a quiet run
    std::unique_ptr<LiveBids> live_;
    std::string linkFailure_;
    std::string recordFailure_;  // what the sales record could not do
    // What the evening's log could not write; what the latest undo could not do (not amber);
    // the failures in the title when it was last logged.
    std::string logFailure_;
    std::string undoNote_;
    std::vector<std::string> titleLogged_;
    HostSettings settings_;
    std::string settingsFailure_;  // the keys of Gavelton.ini whose values were refused
    std::string placeFailure_;     // the floor log's place could not be kept (not amber)
    std::unique_ptr<SystemHotkeys> hotkeys_;
    std::string hotkeyFailure_;        // the hotkeys another program holds
    ReturnWindow returnWindow_{this};  // what the link brings forward after a request
    bool closePending_ = false;
    bool closeCanCancel_ = true;  // the pending close came from the host, not a session's end
    bool closing_ = false;
    std::unique_ptr<wxEventFilter> inputGuard_;
    FloorLogWindow* floorLog_ = nullptr;
    bool keptJudgementsBefore_ = false;  // the floor's own choice, restored when the log closes
    bool logBehind_ = false;             // a busy command judged rows the log does not show yet
    std::function<void()> undoLastSale_;
};

}  // namespace gv::ui
