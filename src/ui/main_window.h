#pragma once
// The main window Auction: builds the window and composes its parts. The panels show the
// auction and feed it, the command desk runs the commands of the buttons, the menu bar, the
// keys and the hotkeys, the gate keeps one command at a time, the trouble board names in the
// title what failed, the floor log and accounts docks open their windows, and the live runs run Get Bids by
// themselves. The auction's state lives in the Auction it is given.

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>

#include "common/message_sink.h"
#include "floor/auction.h"
#include "floor/trouble_board.h"
#include "setup/host_settings.h"
#include "ui/accounts_dock.h"
#include "ui/command_desk.h"
#include "ui/floor_log_dock.h"
#include "ui/hotkeys.h"
#include "ui/metrics.h"
#include "ui/native.h"
#include "ui/panel_set.h"
#include "ui/window_gate.h"

class wxPanel;

namespace gv::ui {

class LiveBids;

class AuctionFrame final : public wxFrame {
public:
    using Panel = PanelSet::Panel;

    // `auction` must outlive the window. `messages` shows the close-down's save failures.
    AuctionFrame(Auction& auction, MessageSink& messages);
    ~AuctionFrame() override;

    // Start-up, before the window is shown: centre, link settings, the host's settings, both
    // setup files, keep on top, start the link.
    void Start();

    Panel ShownPanel() const { return panels_->Shown(); }
    AuctionPanel& AuctionControls() { return panels_->AuctionControls(); }
    wxWindow* Dummy() const { return panels_->Dummy(); }
    wxButton* Button(Command command) const { return panels_->Button(command); }
    const MenuCommands& Menu() const { return menu_; }
    const Metrics& DesignScale() const { return layout_.Scale(); }
    // The window that stands for the client area (background cyan, red while busy).
    wxPanel* ClientArea() const { return client_; }

    // Runs the window's commands, as a click, a key or a hotkey would.
    CommandDesk& Commands() { return desk_; }
    // One command at a time: busy, quiet runs, the held command.
    CommandGate& Gate() { return auction_.gate; }
    // What the title names after "Gavelton - ".
    TroubleBoard& Troubles() { return troubles_; }
    FloorLogDock& FloorLog() { return floorLog_; }
    FloorLogWindow* FloorLogView() const { return floorLog_.View(); }
    AccountsDock& Accounts() { return accounts_; }
    AccountsWindow* AccountsView() const { return accounts_.View(); }
    // Gavelton.ini as read at start.
    const HostSettings& Settings() const { return settings_; }
    // Get Bids by itself; none before Start.
    const LiveBids* Live() const { return live_.get(); }
    const TierTable& Tiers() const { return auction_.tiers; }
    const ItemList& Items() const { return auction_.items; }
    const BlockState& Block() const { return auction_.block; }

private:
    void BindWindowEvents();
    void OnClose(wxCloseEvent& event);
    // Saves both files, stops the link and ends the program; false when the host chose to
    // keep Gavelton open after a save failed.
    bool CloseDown(bool canCancel);
    void KeepPlaced();  // after a resize or minimise: on top, Dummy out of sight
    // The layout fitted to the screen's scale and fonts, the window sized to it.
    void FitToScreen();
#ifdef _WIN32
    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;
#endif

    Auction& auction_;
    MessageSink& messages_;
    FormLayout layout_;
    MenuCommands menu_;
    wxPanel* client_ = nullptr;
    WindowGate gate_;
    TroubleBoard troubles_;
    CommandDesk desk_;
    FloorLogDock floorLog_;
    AccountsDock accounts_;
    std::unique_ptr<PanelSet> panels_;
    HostSettings settings_;
    std::unique_ptr<SystemHotkeys> hotkeys_;
    std::unique_ptr<LiveBids> live_;
    // Looks at Items.TXT and BIDS.TXT every second, to take in what the host edited elsewhere
    // before the next command needs it.
    wxTimer setupWatch_;
};

}  // namespace gv::ui
