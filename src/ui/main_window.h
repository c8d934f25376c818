#pragma once
// The main window Auction: the auction panel, the item list panel ListFrame, the tier panel
// BidFrame and the about panel AboutFrame, switched by five commands on the menu bar. The
// auction's state lives in the models below; the controls show them and feed them.

#include <wx/button.h>
#include <wx/eventfilter.h>
#include <wx/frame.h>

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "common/atomic_file.h"
#include "common/busy.h"
#include "floor/block.h"
#include "floor/floor.h"
#include "link/chat_link.h"
#include "link/message_sink.h"
#include "setup/item_list.h"
#include "setup/rules.h"
#include "setup/tier_table.h"
#include "ui/metrics.h"
#include "ui/native.h"
#include "ui/wx_services.h"

class wxButton;
class wxListBox;
class wxPanel;
class wxTextCtrl;

namespace gv::ui {

class Caption;

class AuctionFrame final : public wxFrame, public BusyHost {
public:
    enum class Panel { Auction, List, Bids, About };

    // `messages` shows the chat link's messages and the close-down's save failures.
    explicit AuctionFrame(MessageSink& messages);
    ~AuctionFrame() override;

    // Start-up, before the window is shown: centre, link settings, both setup files, keep
    // on top, start the link.
    void Form_Load();

    // The menu bar's commands.
    void AUCTIONITSELF_Click();
    void AUCTIONLIST_Click();
    void BIDRAISES_Click();
    void RECONNECT_Click();
    void ABOUTPROGRAM_Click();

    // The auction panel's buttons.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command11_Click();

    // The item list panel.
    void Command8_Click();
    void Command9_Click();
    void List2_Click();

    // The tier panel: normalisation when the focus leaves the high bound box of a row.
    void HighBid_LostFocus(int row);

    // The setup files; loaded once at start, saved once at close.
    void LOAD_BIDS();
    void LOAD_ITEMS();
    FileResult SAVE_BIDS();
    FileResult SAVE_ITEMS();

    // BusyHost.
    void EnterBusy() override;
    void LeaveBusy() override;
    bool IsBusy() const { return busyDepth_ > 0; }
    // What the title shows after "Gavelton - " when the last command that talked to the chat
    // client failed; empty when it went through.
    const std::string& LinkFailure() const { return linkFailure_; }

    Panel ShownPanel() const { return panel_; }
    const TierTable& Tiers() const { return tiers_; }
    const ItemList& Items() const { return items_; }
    const BlockState& Block() const { return block_; }
    ChatLink& Link() { return link_; }
    Floor& AuctionFloor() { return floor_; }
    const MenuCommands& Menu() const { return menu_; }
    const Metrics& Layout() const { return layout_.Scale(); }
    wxWindow* Dummy() const { return dummy_; }
    // The window that stands for the client area (background cyan, red while busy).
    wxPanel* ClientArea() const { return client_; }

private:
    struct TierBoxes {
        Caption* low = nullptr;
        wxTextCtrl* high = nullptr;
        wxTextCtrl* raise = nullptr;
    };

    void BuildMenu();
    void BuildAuctionPanel();
    void BuildListFrame();
    void BuildBidFrame();
    void BuildAboutFrame();
    wxPanel* MakeFrame(const char* name);
    wxButton* MakeButton(wxWindow* parent, const char* name, const char* caption, Twips t);
    Caption* MakeCaption(wxWindow* parent, const wxString& name, const wxString& text, Twips t,
                         int align, bool border, const wxColour& fg = wxColour(0, 0, 0),
                         bool regular = false, int valign = 0);
    wxTextCtrl* MakeTextBox(wxWindow* parent, const wxString& name, const wxString& text,
                            Twips t, std::size_t maxChars, bool centred);

    void ShowPanel(Panel panel);
    void FocusDummy();
    void KeepDummyHidden();
    void ShowBlock();
    void ShowItems();
    void ShowTiers();

    void OnTierChar(wxKeyEvent& event, TierBox box);
    void OnMinBidChar(wxKeyEvent& event);
    void OnFilteredPaste(wxClipboardTextEvent& event, KeyVerdict (*filter)(int), std::size_t maxChars);
    void OnClose(wxCloseEvent& event);
    void Form_Resize();
    // Saves both files, stops the link and ends the program. When a save fails and the close
    // can be cancelled, the host may retry, close without saving, or cancel: false then, and
    // the window stays open.
    bool Form_Unload(bool canCancel);
    // The title and the idle background say whether the last command that talked to the chat
    // client went through; `failure` is empty when it did.
    void ShowLinkStatus(const std::string& failure);
    const wxColour& IdleColour() const;
    // A command of the host; refused while busy (a command is talking to the chat client).
    bool Idle() const { return busyDepth_ == 0 && !closing_; }
#ifdef _WIN32
    WXLRESULT MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) override;
#endif

    MessageSink& messages_;
    WxEventPump pump_;
    TierTable tiers_;
    ItemList items_;
    BlockState block_;
    ChatLink link_;
    Floor floor_;

    FormLayout layout_;
    MenuCommands menu_;
    std::vector<wxWindow*> auctionControls_;  // hidden while a frame covers them

    wxPanel* client_ = nullptr;
    wxButton* dummy_ = nullptr;
    Caption* blockItem_ = nullptr;
    Caption* blockMin_ = nullptr;
    Caption* currentBid_ = nullptr;
    Caption* currentBidder_ = nullptr;
    Caption* lastBid_ = nullptr;
    Caption* lastBidder_ = nullptr;

    wxPanel* listFrame_ = nullptr;
    wxListBox* list2_ = nullptr;
    wxButton* command8_ = nullptr;
    wxTextCtrl* auctionItem_ = nullptr;
    wxTextCtrl* minBid_ = nullptr;

    wxPanel* bidFrame_ = nullptr;
    std::array<TierBoxes, kTierRows> tierBoxes_{};
    std::optional<int> highWithFocus_;  // the high bound box that holds the focus

    wxPanel* aboutFrame_ = nullptr;

    Panel panel_ = Panel::Auction;
    int busyDepth_ = 0;
    std::string linkFailure_;  // what the last command that talked to the client could not do
    bool closePending_ = false;
    bool closeCanCancel_ = true;  // the pending close came from the host, not a session's end
    bool closing_ = false;
    std::unique_ptr<wxEventFilter> inputGuard_;
};

}  // namespace gv::ui
