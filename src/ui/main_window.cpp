#include "ui/main_window.h"

#include <wx/button.h>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/display.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

#include "link/desktop_platform.h"
#include "setup/setup_files.h"
#include "ui/caption.h"
#include "ui/gavel_icon.h"
#include "ui/link_host_window.h"

#ifdef _WIN32
#include <wx/msw/wrapwin.h>  // <windows.h> without its macros that clash with wx names (Yield)
#endif

namespace gv::ui {

namespace {

const wxColour kCyan(0, 255, 255);
const wxColour kRed(255, 0, 0);
// After a command that could not reach the chat client: neither the idle cyan nor the busy red.
const wxColour kAmber(255, 191, 0);
const wxColour kBlue(0, 0, 255);

enum Align { kLeft, kCentre, kRight };

wxString FromUtf8(const std::string& text) { return wxString::FromUTF8(text); }
std::string ToUtf8(const wxString& text) { return text.utf8_string(); }

// The character a key event types, as the key filters see it; -1 for keys that type no
// character (arrows, Delete, Tab), which the boxes handle themselves.
int CharCode(const wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER: return 13;
        case WXK_BACK: return 8;
        case WXK_ESCAPE: return 27;
        case WXK_TAB:
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE: return -1;
        default: break;
    }
    const wxChar unicode = event.GetUnicodeKey();
    if (unicode == WXK_NONE) return -1;
    return static_cast<int>(unicode);
}

void SetIfDifferent(wxTextCtrl* box, const std::string& text) {
    const wxString value = FromUtf8(text);
    if (box->GetValue() != value) box->ChangeValue(value);
}

// While busy the window takes none of the host's input, whatever the platform lets through
// a disabled window.
class InputGuard final : public wxEventFilter {
public:
    explicit InputGuard(wxWindow* top) : top_(top) {}
    int FilterEvent(wxEvent& event) override {
        const wxEventType type = event.GetEventType();
        const bool input = event.GetEventCategory() == wxEVT_CATEGORY_USER_INPUT ||
                           type == wxEVT_MENU || type == wxEVT_BUTTON || type == wxEVT_LISTBOX ||
                           type == wxEVT_LISTBOX_DCLICK || type == wxEVT_CHECKBOX ||
                           type == wxEVT_TEXT_ENTER || type == wxEVT_TEXT_PASTE ||
                           type == wxEVT_TEXT_CUT || type == wxEVT_NAVIGATION_KEY ||
                           type == wxEVT_CONTEXT_MENU;
        if (!input) return Event_Skip;
        auto* window = wxDynamicCast(event.GetEventObject(), wxWindow);
        if (window && wxGetTopLevelParent(window) == top_) return Event_Processed;
        return Event_Skip;
    }

private:
    wxWindow* top_;
};

}  // namespace

AuctionFrame::AuctionFrame(MessageSink& messages)
    : wxFrame(nullptr, wxID_ANY, kProgramTitle, wxDefaultPosition, wxDefaultSize,
              (wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)) | wxSTAY_ON_TOP,
              "Auction"),
      messages_(messages),
      link_(pump_, messages_),
      floor_(block_, tiers_, items_, link_, pump_, *this) {
    SetIcon(GavelIcon());
    SetBackgroundColour(kCyan);
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));

    client_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                          wxTAB_TRAVERSAL | wxBORDER_NONE, "AuctionClient");
    client_->SetBackgroundColour(kCyan);

    BuildMenu();
    BuildAuctionPanel();
    BuildListFrame();
    BuildBidFrame();
    BuildAboutFrame();

    layout_.Fit(ScreenPixelsPerTwip(this));
    SetFont(layout_.Font());
    // The platform may need a wider window for the menu bar's captions; settle that now, so
    // that start-up centres the window at the size it will show with.
    const wxSize designed = layout_.Scale().Size(3450, 2640);
    SetClientSize(std::max(designed.x, menu_.NaturalWidth()), designed.y);
    KeepDummyHidden();

    ShowTiers();
    ShowBlock();
    ShowPanel(Panel::Auction);

    floor_.SetOnChange([this] {
        ShowBlock();
        ShowItems();
    });
    floor_.SetOnLinkStatus([this](const std::string& failure) { ShowLinkStatus(failure); });
    UseDesktopPlatform(link_);
    link_.SetHostFactory([this]() -> std::unique_ptr<LinkHostView> {
        return std::make_unique<LinkHost>(link_);
    });

    Bind(wxEVT_CLOSE_WINDOW, &AuctionFrame::OnClose, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        Form_Resize();
        event.Skip();
    });
    Bind(wxEVT_ICONIZE, [this](wxIconizeEvent& event) {
        Form_Resize();
        event.Skip();
    });
    // Leaving a high bound box for any other control of the window normalises its row, also
    // when the toolkit does not say where the focus went.
    client_->Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        if (highWithFocus_ && event.GetWindow() != tierBoxes_[*highWithFocus_].high) {
            const int row = *highWithFocus_;
            highWithFocus_.reset();
            HighBid_LostFocus(row);
        }
        event.Skip();
    });
}

AuctionFrame::~AuctionFrame() {
    if (inputGuard_) wxEvtHandler::RemoveFilter(inputGuard_.get());
}

// ---------------------------------------------------------------------------------------
// Building the window

void AuctionFrame::BuildMenu() {
    SetMenuBar(new wxMenuBar);
    // The command runs after the menu bar has finished with the click or key.
    const auto command = [this](void (AuctionFrame::*handler)()) {
        return [this, handler] { CallAfter([this, handler] { (this->*handler)(); }); };
    };
    menu_.Install(this, {
                            {"AUCTIONITSELF", "&Auction", command(&AuctionFrame::AUCTIONITSELF_Click)},
                            {"AUCTIONLIST", "&List", command(&AuctionFrame::AUCTIONLIST_Click)},
                            {"BIDRAISES", "&Bids", command(&AuctionFrame::BIDRAISES_Click)},
                            {"Reconnect", "&ReConnect", command(&AuctionFrame::RECONNECT_Click)},
                            {"ABOUTPROGRAM", "Ab&out", command(&AuctionFrame::ABOUTPROGRAM_Click)},
                        });
}

wxButton* AuctionFrame::MakeButton(wxWindow* parent, const char* name, const char* caption, Twips t) {
    auto* button = new wxButton(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT,
                                wxDefaultValidator, name);
    UseCompactStyle(button);
    layout_.Place(button, t, false, std::string_view(name) != "Dummy");
    return button;
}

Caption* AuctionFrame::MakeCaption(wxWindow* parent, const wxString& name, const wxString& text,
                                   Twips t, int align, bool border, const wxColour& fg,
                                   bool regular, int valign) {
    Caption::Style style;
    style.align = align == kCentre ? Caption::Align::Centre
                  : align == kRight ? Caption::Align::Right
                                    : Caption::Align::Left;
    style.valign = static_cast<Caption::VAlign>(valign);
    style.border = border;
    // Bordered labels are value displays: they carry the window colour; the others let the
    // panel's cyan show through.
    if (border) style.background = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    style.foreground = fg;
    auto* caption = new Caption(parent, name, text, style);
    layout_.Place(caption, t, regular);
    return caption;
}

wxTextCtrl* AuctionFrame::MakeTextBox(wxWindow* parent, const wxString& name, const wxString& text,
                                      Twips t, std::size_t maxChars, bool centred) {
    long style = centred ? wxTE_CENTRE | wxTE_PROCESS_ENTER : 0;
    auto* box = new wxTextCtrl(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, style,
                               wxDefaultValidator, name);
    if (maxChars > 0) box->SetMaxLength(static_cast<unsigned long>(maxChars));
    UseCompactStyle(box);
    layout_.Place(box, t);
    return box;
}

wxPanel* AuctionFrame::MakeFrame(const char* name) {
    auto* frame = new wxPanel(client_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxTAB_TRAVERSAL | wxBORDER_NONE, name);
    frame->SetBackgroundColour(kCyan);
    frame->Hide();
    layout_.Place(frame, {120, 0, 3255, 2535}, false, false);
    return frame;
}

void AuctionFrame::BuildAuctionPanel() {
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    // Dummy first: it is first in the tab order and holds the focus when the window opens.
    dummy_ = MakeButton(client_, "Dummy", "Dummy Button", {3600, 120, 1935, 495});
    auto* c7 = MakeButton(client_, "Command7", "State Rules", {120, 120, 1575, 375});
    auto* c5 = MakeButton(client_, "Command5", "State Item", {1800, 120, 1575, 375});
    auto* c6 = MakeButton(client_, "Command6", "Get Bids", {120, 600, 1575, 375});
    auto* c11 = MakeButton(client_, "Command11", "Get Next Item", {2040, 600, 1335, 375});
    blockMin_ = MakeCaption(client_, "BlockMin", "Min Bid", {120, 1080, 855, 255}, kCentre, true, text);
    blockItem_ = MakeCaption(client_, "BlockItem", "Item on the block", {960, 1080, 2415, 255}, kCentre, true, text);
    currentBidder_ = MakeCaption(client_, "CurrentBidder", "Current Bidder", {120, 1440, 2415, 255}, kCentre, true, text);
    currentBid_ = MakeCaption(client_, "CurrentBid", "Current Bid", {2520, 1440, 855, 255}, kCentre, true, text);
    lastBidder_ = MakeCaption(client_, "LastBidder", "Last Bidder", {120, 1800, 2415, 255}, kCentre, true, text);
    lastBid_ = MakeCaption(client_, "LastBid", "Last Bid", {2520, 1800, 855, 255}, kCentre, true, text);
    auto* c1 = MakeButton(client_, "Command1", "call 1st", {120, 2160, 855, 375});
    auto* c2 = MakeButton(client_, "Command2", "call 2nd", {960, 2160, 855, 375});
    auto* c3 = MakeButton(client_, "Command3", "call 3rd", {1800, 2160, 855, 375});
    auto* c4 = MakeButton(client_, "Command4", "SOLD", {2640, 2160, 735, 375});

    auctionControls_ = {c7, c5, c6, c11, blockMin_, blockItem_, currentBidder_, currentBid_,
                        lastBidder_, lastBid_, c1, c2, c3, c4};

    const auto bind = [this](wxButton* button, void (AuctionFrame::*handler)()) {
        button->Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) { (this->*handler)(); });
    };
    bind(c7, &AuctionFrame::Command7_Click);
    bind(c5, &AuctionFrame::Command5_Click);
    bind(c6, &AuctionFrame::Command6_Click);
    bind(c11, &AuctionFrame::Command11_Click);
    bind(c1, &AuctionFrame::Command1_Click);
    bind(c2, &AuctionFrame::Command2_Click);
    bind(c3, &AuctionFrame::Command3_Click);
    bind(c4, &AuctionFrame::Command4_Click);
}

void AuctionFrame::BuildListFrame() {
    listFrame_ = MakeFrame("ListFrame");
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    MakeCaption(listFrame_, "Label11", "Auction Items", {120, 120, 3015, 255}, kCentre, false, text);
    list2_ = new wxListBox(listFrame_, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                           wxLB_SINGLE, wxDefaultValidator, "List2");
    layout_.Place(list2_, {120, 360, 3015, 1200}, false, false);
    MakeCaption(listFrame_, "Label12", "Item", {0, 1680, 495, 255}, kRight, false, text);
    auctionItem_ = MakeTextBox(listFrame_, "AuctionItem", "", {600, 1680, 2535, 285}, 0, false);
    MakeCaption(listFrame_, "Label13", "Min Bid", {0, 2040, 735, 255}, kRight, false, text);
    minBid_ = MakeTextBox(listFrame_, "MinBid", "", {840, 2040, 735, 285}, kMinBidMaxChars, false);
    auto* c9 = MakeButton(listFrame_, "Command9", "Add to List", {1680, 2040, 1455, 375});
    // Last in the tab order, and created after the list box so that it is drawn above it.
    command8_ = MakeButton(listFrame_, "Command8", "Delete", {2280, 1200, 735, 375});
    command8_->Hide();

    list2_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { List2_Click(); });
    c9->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Command9_Click(); });
    command8_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Command8_Click(); });
    minBid_->Bind(wxEVT_CHAR, &AuctionFrame::OnMinBidChar, this);
    minBid_->Bind(wxEVT_TEXT_PASTE, [this](wxClipboardTextEvent& event) {
        OnFilteredPaste(event, &MinBid_KeyPress, kMinBidMaxChars);
    });
}

void AuctionFrame::BuildBidFrame() {
    bidFrame_ = MakeFrame("BidFrame");
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    MakeCaption(bidFrame_, "Label6", "Low", {120, 120, 855, 255}, kCentre, false, text);
    MakeCaption(bidFrame_, "Label9", "Last", {960, 120, 735, 255}, kCentre, false, text);
    MakeCaption(bidFrame_, "Label8", "High", {1680, 120, 855, 255}, kCentre, false, text);
    MakeCaption(bidFrame_, "Label10", "Raise", {2520, 120, 735, 255}, kCentre, false, text);
    for (int r = 0; r < kTierRows; ++r) {
        const int top = 360 + 360 * r;
        const wxString index = wxString::Format("(%d)", r);
        TierBoxes& boxes = tierBoxes_[static_cast<std::size_t>(r)];
        boxes.low = MakeCaption(bidFrame_, "LowBid" + index, "", {120, top, 855, 255}, kCentre, true, text);
        MakeCaption(bidFrame_, "Label7" + index, r == 0 ? "< bid >" : "<      >", {960, top, 735, 255},
                    kCentre, false, text);
        boxes.high = MakeTextBox(bidFrame_, "HighBid" + index, "", {1680, top, 855, 285}, kHighBidMaxChars, true);
        boxes.raise = MakeTextBox(bidFrame_, "RaiseAmount" + index, "", {2640, top, 495, 285}, kRaiseMaxChars, true);

        wxTextCtrl* high = boxes.high;
        wxTextCtrl* raise = boxes.raise;
        high->Bind(wxEVT_CHAR, [this, r](wxKeyEvent& e) { OnTierChar(e, {TierBox::High, r}); });
        raise->Bind(wxEVT_CHAR, [this, r](wxKeyEvent& e) { OnTierChar(e, {TierBox::Raise, r}); });
        high->Bind(wxEVT_TEXT_PASTE, [this](wxClipboardTextEvent& e) {
            OnFilteredPaste(e, &HighBid_KeyPress, kHighBidMaxChars);
        });
        raise->Bind(wxEVT_TEXT_PASTE, [this](wxClipboardTextEvent& e) {
            OnFilteredPaste(e, &RaiseAmount_KeyPress, kRaiseMaxChars);
        });
        // The table always equals what the host sees.
        high->Bind(wxEVT_TEXT, [this, r, high](wxCommandEvent&) { tiers_.Row(r).high = ToUtf8(high->GetValue()); });
        raise->Bind(wxEVT_TEXT, [this, r, raise](wxCommandEvent&) { tiers_.Row(r).raise = ToUtf8(raise->GetValue()); });
        // Enter is handled by the key filter; nothing else may act on it.
        high->Bind(wxEVT_TEXT_ENTER, [](wxCommandEvent&) {});
        raise->Bind(wxEVT_TEXT_ENTER, [](wxCommandEvent&) {});
        high->Bind(wxEVT_SET_FOCUS, [this, r](wxFocusEvent& e) {
            highWithFocus_ = r;
            e.Skip();
        });
        high->Bind(wxEVT_KILL_FOCUS, [this, r, high](wxFocusEvent& e) {
            // Focus going to another of our controls normalises now; focus leaving for another
            // application does not (the next control of ours to take it will).
            wxWindow* to = e.GetWindow();
            if (highWithFocus_ == r && to && to != high && wxGetTopLevelParent(to) == this) {
                highWithFocus_.reset();
                HighBid_LostFocus(r);
            }
            e.Skip();
        });
    }
}

void AuctionFrame::BuildAboutFrame() {
    aboutFrame_ = MakeFrame("AboutFrame");
    const wxColour text = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    MakeCaption(aboutFrame_, "Label3",
                "Gavelton was designed for running a quick and organised auction. Try out the "
                "whole tool before you use it in a real auction.",
                {0, 120, 3255, 975}, kCentre, false, text);
    MakeCaption(aboutFrame_, "Label4",
                "Use the Pacer Program to configure your system if having problems like "
                "freezing or repeating.",
                {0, 1080, 3255, 735}, kCentre, false, text, true);
    // The credit rows' boxes overlap by design: the first row keeps to the top of its boxes
    // and lies above the second, which keeps to the bottom of its box.
    const int top = static_cast<int>(Caption::VAlign::Top);
    const int bottom = static_cast<int>(Caption::VAlign::Bottom);
    MakeCaption(aboutFrame_, "Label2", "Written by the Gavelton team", {120, 1800, 3015, 255}, kCentre, false, kBlue, false, bottom);
    MakeCaption(aboutFrame_, "Label5", "Gavelton 1.0", {120, 1680, 1455, 255}, kCentre, false, kBlue, false, top);
    MakeCaption(aboutFrame_, "Label1", "for auction hosts", {1560, 1680, 1695, 195}, kCentre, false, kBlue, false, top);
    MakeCaption(aboutFrame_, "Label7(6)", "Free to use and to pass on, unchanged and free of charge.",
                {0, 2040, 3255, 495}, kCentre, false, *wxBLACK);
}

// ---------------------------------------------------------------------------------------
// Start-up, resize, close

void AuctionFrame::Form_Load() {
    // Centred: half the free room on each side, the fraction dropped.
    const wxRect screen = wxDisplay(static_cast<const wxWindow*>(this)).GetGeometry();
    const wxSize outer = GetSize();
    Move(screen.x + (screen.width - outer.x) / 2, screen.y + (screen.height - outer.y) / 2);
    link_.LoadLinkSettings();
    LOAD_BIDS();
    LOAD_ITEMS();
    KeepOnTop(this);
    ShowLinkStatus(LinkFailureText(link_.StartLink(), "not connected"));
}

void AuctionFrame::Form_Resize() {
    KeepOnTop(this);
    KeepDummyHidden();
}

// The close button, the desktop session ending (the application closes its top window then),
// and SIGTERM/SIGHUP all come here.
void AuctionFrame::OnClose(wxCloseEvent& event) {
    if (closing_) return;
    if (IsBusy()) {
        // Never tear the window down under a command that is talking to the chat client:
        // close as soon as it has finished.
        closePending_ = true;
        closeCanCancel_ = event.CanVeto();
        if (event.CanVeto()) {
            event.Veto();
        } else {
            // The session is ending and will not wait for the command: keep the host's
            // work now; the rest of the close follows the command.
            SAVE_BIDS();
            SAVE_ITEMS();
        }
        return;
    }
    if (!Form_Unload(event.CanVeto())) event.Veto();
}

bool AuctionFrame::Form_Unload(bool canCancel) {
    closing_ = true;
    if (highWithFocus_) {
        const int row = *highWithFocus_;
        highWithFocus_.reset();
        HighBid_LostFocus(row);
    }
    bool bidsSaved = false;
    bool itemsSaved = false;
    for (;;) {
        wxString failures;
        const auto save = [&failures](bool& saved, const char* file, const FileResult& result) {
            saved = result.ok;
            if (!saved) failures += wxString::Format("%s could not be saved: %s\n", file, FromUtf8(result.reason));
        };
        if (!bidsSaved) save(bidsSaved, kBidsFile, SAVE_BIDS());
        if (!itemsSaved) save(itemsSaved, kItemsFile, SAVE_ITEMS());
        if (failures.empty()) break;
        failures += "The earlier file, if any, was left as it was.";
        if (!canCancel) {
            // The session is ending and will not wait for an answer.
            messages_.ShowMessage(ToUtf8(failures), kProgramTitle, MessageIcon::Error);
            break;
        }
        failures += "\n\nRetry the save, close without saving (the changes since Gavelton started are lost), "
                    "or cancel and keep Gavelton open.";
        const SaveChoice choice = messages_.AskAfterFailedSave(ToUtf8(failures), kProgramTitle);
        if (choice == SaveChoice::Retry) continue;
        if (choice == SaveChoice::CloseWithoutSaving) break;
        closing_ = false;
        return false;
    }
    link_.StopLink();
    // Every window of the program goes with the main window.
    const wxWindowList others = wxTopLevelWindows;
    for (wxWindow* window : others) {
        if (window != this) window->Destroy();
    }
    Destroy();
    // The windows go at the next idle time; make sure there is one, also when the close came
    // from a signal rather than from input.
    wxWakeUpIdle();
    return true;
}

// ---------------------------------------------------------------------------------------
// Setup files

void AuctionFrame::LOAD_BIDS() {
    LoadBids(kBidsFile, tiers_);
    ShowTiers();
}

void AuctionFrame::LOAD_ITEMS() {
    LoadItems(kItemsFile, items_);
    ShowItems();
}

FileResult AuctionFrame::SAVE_BIDS() { return SaveBids(kBidsFile, tiers_); }

FileResult AuctionFrame::SAVE_ITEMS() { return SaveItems(kItemsFile, items_); }

// ---------------------------------------------------------------------------------------
// Menu commands

void AuctionFrame::AUCTIONITSELF_Click() {
    if (!Idle()) return;
    floor_.AuctionCommand();
    ShowBlock();
    ShowPanel(Panel::Auction);
    FocusDummy();
}

void AuctionFrame::AUCTIONLIST_Click() {
    if (!Idle()) return;
    command8_->Hide();
    floor_.ListCommand();
    ShowPanel(Panel::List);
    FocusDummy();
}

void AuctionFrame::BIDRAISES_Click() {
    if (!Idle()) return;
    ShowPanel(Panel::Bids);
    FocusDummy();
}

void AuctionFrame::ABOUTPROGRAM_Click() {
    if (!Idle()) return;
    ShowPanel(Panel::About);
    FocusDummy();
}

void AuctionFrame::RECONNECT_Click() {
    if (!Idle()) return;
    BusyScope busy(*this);
    link_.StopLink();
    ShowLinkStatus(LinkFailureText(link_.StartLink(), "not connected"));
}

// ---------------------------------------------------------------------------------------
// Auction panel

void AuctionFrame::Command1_Click() {
    if (!Idle()) return;
    floor_.Call(1);
    FocusDummy();
}

void AuctionFrame::Command2_Click() {
    if (!Idle()) return;
    floor_.Call(2);
    FocusDummy();
}

void AuctionFrame::Command3_Click() {
    if (!Idle()) return;
    floor_.Call(3);
    FocusDummy();
}

void AuctionFrame::Command4_Click() {
    if (!Idle()) return;
    floor_.Sold();
    FocusDummy();
}

void AuctionFrame::Command5_Click() {
    if (!Idle()) return;
    floor_.StateItem();
    FocusDummy();
}

void AuctionFrame::Command6_Click() {
    if (!Idle()) return;
    floor_.GetBids();
    FocusDummy();
}

void AuctionFrame::Command7_Click() {
    if (!Idle()) return;
    floor_.StateRules();
    FocusDummy();
}

void AuctionFrame::Command11_Click() {
    if (!Idle()) return;
    floor_.GetNextItem();
    ShowBlock();
    FocusDummy();
}

// ---------------------------------------------------------------------------------------
// Item list panel

void AuctionFrame::Command9_Click() {
    if (!Idle()) return;
    std::string item = ToUtf8(auctionItem_->GetValue());
    std::string minBid = ToUtf8(minBid_->GetValue());
    const bool added = AddToList(items_, item, minBid);
    SetIfDifferent(auctionItem_, item);
    SetIfDifferent(minBid_, minBid);
    if (!added) return;
    ShowItems();
    FocusDummy();
}

void AuctionFrame::Command8_Click() {
    if (!Idle()) return;
    DeleteSelected(items_);
    ShowItems();
    FocusDummy();
}

void AuctionFrame::List2_Click() {
    const int selection = list2_->GetSelection();
    items_.Select(selection == wxNOT_FOUND ? std::nullopt
                                           : std::optional<std::size_t>(static_cast<std::size_t>(selection)));
    command8_->Hide();
    if (items_.Selection()) {
        command8_->Show();
        command8_->Raise();
    }
}

void AuctionFrame::OnMinBidChar(wxKeyEvent& event) {
    const int code = CharCode(event);
    if (code < 0 || MinBid_KeyPress(code) == KeyVerdict::Pass) event.Skip();
}

// ---------------------------------------------------------------------------------------
// Tier panel

void AuctionFrame::OnTierChar(wxKeyEvent& event, TierBox box) {
    const int code = CharCode(event);
    if (code < 0) {
        event.Skip();
        return;
    }
    const KeyVerdict verdict =
        box.kind == TierBox::High ? HighBid_KeyPress(code) : RaiseAmount_KeyPress(code);
    if (verdict == KeyVerdict::Pass) {
        event.Skip();
        return;
    }
    if (verdict == KeyVerdict::Enter) {
        if (box.kind == TierBox::High) {
            highWithFocus_.reset();
            HighBid_LostFocus(box.row);
        }
        const TierBox next = EnterWalkFrom(box);
        const TierBoxes& boxes = tierBoxes_[static_cast<std::size_t>(next.row)];
        (next.kind == TierBox::High ? boxes.high : boxes.raise)->SetFocus();
    }
}

void AuctionFrame::HighBid_LostFocus(int row) {
    tiers_.NormaliseHigh(row);
    ShowTiers();
}

// A paste goes through the same filter as typing, up to the box's limit.
void AuctionFrame::OnFilteredPaste(wxClipboardTextEvent& event, KeyVerdict (*filter)(int),
                                   std::size_t maxChars) {
    auto* box = wxDynamicCast(event.GetEventObject(), wxTextCtrl);
    if (!box) return;
    wxString pasted;
    if (wxTheClipboard->Open()) {
        wxTextDataObject data;
        if (wxTheClipboard->GetData(data)) pasted = data.GetText();
        wxTheClipboard->Close();
    }
    wxString kept;
    for (const wxUniChar ch : pasted) {
        const int code = static_cast<int>(ch.GetValue());
        if (code != 8 && filter(code) == KeyVerdict::Pass) kept += ch;
    }
    long from = 0, to = 0;
    box->GetSelection(&from, &to);
    const std::size_t remaining = box->GetValue().length() - static_cast<std::size_t>(to - from);
    const std::size_t room = maxChars > remaining ? maxChars - remaining : 0;
    if (kept.length() > room) kept.Truncate(room);
    box->Replace(from, to, kept);
}

// ---------------------------------------------------------------------------------------
// Showing the models

void AuctionFrame::ShowPanel(Panel panel) {
    panel_ = panel;
    // A frame covers the auction panel; its controls are hidden under it, so neither the
    // mouse nor Tab can reach them.
    listFrame_->Show(panel == Panel::List);
    bidFrame_->Show(panel == Panel::Bids);
    aboutFrame_->Show(panel == Panel::About);
    for (wxWindow* control : auctionControls_) control->Show(panel == Panel::Auction);
}

void AuctionFrame::FocusDummy() {
    if (highWithFocus_) {
        const int row = *highWithFocus_;
        highWithFocus_.reset();
        HighBid_LostFocus(row);
    }
    dummy_->SetFocus();
}

void AuctionFrame::KeepDummyHidden() {
    if (!dummy_ || !client_) return;
    // The platform may make the window wider than designed (a wide menu bar); Dummy stays
    // beyond whatever the client area is.
    const wxRect designed = layout_.Scale().Rect({3600, 120, 1935, 495});
    const int width = std::max(client_->GetClientSize().x, GetClientSize().x);
    const int x = std::max(designed.x, width + designed.x - layout_.Scale().Px(3450));
    if (dummy_->GetPosition().x != x) dummy_->Move(x, designed.y);
}

void AuctionFrame::ShowBlock() {
    blockItem_->SetLabel(FromUtf8(block_.blockItem));
    blockMin_->SetLabel(FromUtf8(block_.blockMin));
    currentBid_->SetLabel(FromUtf8(block_.currentBid));
    currentBidder_->SetLabel(FromUtf8(block_.currentBidder));
    lastBid_->SetLabel(FromUtf8(block_.lastBid));
    lastBidder_->SetLabel(FromUtf8(block_.lastBidder));
}

void AuctionFrame::ShowItems() {
    const auto& entries = items_.Entries();
    bool same = list2_->GetCount() == entries.size();
    for (unsigned i = 0; same && i < entries.size(); ++i) {
        same = list2_->GetString(i) == FromUtf8(entries[i]);
    }
    if (!same) {
        wxArrayString rows;
        for (const std::string& entry : entries) rows.Add(FromUtf8(entry));
        list2_->Set(rows);
    }
    const auto selection = items_.Selection();
    list2_->SetSelection(selection ? static_cast<int>(*selection) : wxNOT_FOUND);
    command8_->Show(selection.has_value());
    if (selection) command8_->Raise();
}

void AuctionFrame::ShowTiers() {
    for (int r = 0; r < kTierRows; ++r) {
        const TierRow& row = tiers_.Row(r);
        const TierBoxes& boxes = tierBoxes_[static_cast<std::size_t>(r)];
        boxes.low->SetLabel(FromUtf8(row.low));
        SetIfDifferent(boxes.high, row.high);
        SetIfDifferent(boxes.raise, row.raise);
    }
}

// ---------------------------------------------------------------------------------------
// Busy state

void AuctionFrame::EnterBusy() {
    if (busyDepth_++ > 0) return;
    wxBeginBusyCursor();
    inputGuard_ = std::make_unique<InputGuard>(this);
    wxEvtHandler::AddFilter(inputGuard_.get());
    Disable();  // the whole window, its menu bar included
    client_->SetBackgroundColour(kRed);
    client_->Refresh();
    client_->Update();
}

void AuctionFrame::LeaveBusy() {
    if (busyDepth_ == 0 || --busyDepth_ > 0) return;
    Enable();
    client_->SetBackgroundColour(IdleColour());
    client_->Refresh();
    wxEndBusyCursor();
    // Input already queued while busy is dropped before the window takes input again.
    pump_.Yield();
    wxEvtHandler::RemoveFilter(inputGuard_.get());
    inputGuard_.reset();
    FocusDummy();
    if (closePending_) {
        closePending_ = false;
        CallAfter([this] { Close(!closeCanCancel_); });
    }
}

void AuctionFrame::ShowLinkStatus(const std::string& failure) {
    if (failure == linkFailure_) return;
    linkFailure_ = failure;
    SetTitle(failure.empty() ? wxString(kProgramTitle) : wxString(kProgramTitle) + " - " + FromUtf8(failure));
    if (!IsBusy()) {
        client_->SetBackgroundColour(IdleColour());
        client_->Refresh();
    }
}

const wxColour& AuctionFrame::IdleColour() const { return linkFailure_.empty() ? kCyan : kAmber; }

#ifdef _WIN32
WXLRESULT AuctionFrame::MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) {
    // The bare menu-bar commands come as WM_COMMAND from a menu (high word 0).
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && lParam == 0 &&
        menu_.HandleCommand(LOWORD(wParam))) {
        return 0;
    }
    return wxFrame::MSWWindowProc(message, wParam, lParam);
}
#endif

}  // namespace gv::ui
