#include "ui/main_window.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>

#include "common/program_title.h"
#include "floor/log_events.h"
#include "link/link_settings.h"
#include "setup/setup_files.h"
#include "ui/accessibility.h"
#include "ui/colours.h"
#include "ui/gavel_icon.h"
#include "ui/live_bids.h"
#include "ui/settings_file.h"

#ifdef _WIN32
#include "common/windows_api.h"
#endif

namespace gv::ui {

namespace {

// The window's designed client size; Dummy lies beyond its right edge.
constexpr int kClientWidth = 3450;
constexpr int kClientHeight = 2640;

}  // namespace

AuctionFrame::AuctionFrame(Auction& auction, MessageSink& messages)
    : wxFrame(nullptr, wxID_ANY, kProgramTitle, wxDefaultPosition, wxDefaultSize,
              (wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX)) | wxSTAY_ON_TOP, "Auction"),
      auction_(auction),
      messages_(messages) {
    SetIcon(GavelIcon());
    SetBackgroundColour(kCyan);
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    client_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE,
                          "AuctionClient");
    client_->SetBackgroundColour(kCyan);
    Describe(client_, SpokenRole::Native, {}, {});  // not its window name

    BuildMenu();
    // Created in the tab order: the auction panel's controls, then the three frames.
    ControlBuilder build(layout_);
    auctionPanel_ = std::make_unique<AuctionPanel>(client_, build, auction_, *this);
    listPanel_ = std::make_unique<ListPanel>(client_, build, auction_, *this);
    tierPanel_ = std::make_unique<TierPanel>(client_, build, auction_, this);
    aboutPanel_ = std::make_unique<AboutPanel>(client_, build);

    layout_.Fit(ScreenPixelsPerTwip(this));
    SetFont(layout_.Font());
    // The platform may need a wider window for the menu bar's captions; settle that now, so
    // that start-up centres the window at the size it will show with.
    const wxSize designed = layout_.Scale().Size(kClientWidth, kClientHeight);
    menu_.FitWidth(designed.x);
    SetClientSize(std::max(designed.x, menu_.NaturalWidth()), designed.y);
    KeepDummyHidden();

    tierPanel_->ShowTiers();
    auctionPanel_->ShowBlock();
    ShowPanel(Panel::Auction);
    auction_.busy.SetHost(this);
    auction_.floor.SetOnChange([this] {
        auctionPanel_->ShowBlock();
        listPanel_->ShowItems();
    });
    auction_.floor.SetOnLinkStatus([this](const std::string& failure) { ShowLinkStatus(failure); });
    auction_.floor.SetOnRecordStatus([this](const std::string& failure) { ShowRecordStatus(failure); });
    auction_.link.SetOnClientAnswered([this] { ShowLinkStatus({}); });
    auction_.session.SetOwnWindow([this] { return returnWindow_.Handle(); });
    BindWindowEvents();
    BindJournal();
}

AuctionFrame::~AuctionFrame() {
    live_.reset();
    hotkeys_.reset();  // no key may reach a window half torn down
    if (inputGuard_) wxEvtHandler::RemoveFilter(inputGuard_.get());
    // The controls go while the panels that handle their events are still here: destroying a
    // focused box sends it a focus-out that its panel handles.
    client_->Destroy();
    auction_.busy.SetHost(nullptr);
    auction_.floor.SetOnChange({});
    auction_.floor.SetOnLinkStatus({});
    auction_.floor.SetOnRecordStatus({});
    auction_.log.SetOnStatus({});
    auction_.link.SetOnClientAnswered({});
    auction_.session.SetOwnWindow({});
    CloseFloorLog();
}

void AuctionFrame::BuildMenu() {
    SetMenuBar(new wxMenuBar);
    // The command runs after the menu bar has finished with the click or key.
    const auto command = [this](void (AuctionFrame::*handler)()) {
        return [this, handler] { CallAfter([this, handler] { (this->*handler)(); }); };
    };
    menu_.Install(this, {
                            {"AUCTIONITSELF", "&Auction", command(&AuctionFrame::OnAuctionMenu)},
                            {"AUCTIONLIST", "&List", command(&AuctionFrame::OnListMenu)},
                            {"BIDRAISES", "&Bids", command(&AuctionFrame::OnBidsMenu)},
                            {"Reconnect", "&ReConnect", command(&AuctionFrame::OnReconnectMenu)},
                            {"ABOUTPROGRAM", "Ab&out", command(&AuctionFrame::OnAboutMenu)},
                            {"FLOORLOG", "Lo&g", command(&AuctionFrame::OnLogMenu)},
                        });
    BindFloorLogKey();
}

void AuctionFrame::BindWindowEvents() {
    Bind(wxEVT_CLOSE_WINDOW, &AuctionFrame::OnClose, this);
    PassCloseWhileDisabled(this);  // a close during a command closes once it is over
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        KeepPlaced();
        event.Skip();
    });
    Bind(wxEVT_ICONIZE, [this](wxIconizeEvent& event) {
        KeepPlaced();
        event.Skip();
    });
    busyLookDelay_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { ShowBusyLook(); });
    client_->Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        tierPanel_->ChildFocused(event.GetWindow());
        event.Skip();
    });
}

// ---------------------------------------------------------------------------------------
// Start-up, resize, close

void AuctionFrame::Start() {
    // Centred: half the free room on each side, the fraction dropped.
    const wxRect screen = wxDisplay(static_cast<const wxWindow*>(this)).GetGeometry();
    const wxSize outer = GetSize();
    Move(screen.x + (screen.width - outer.x) / 2, screen.y + (screen.height - outer.y) / 2);
    auction_.log.Add("Gavelton started in " + wxGetCwd().utf8_string());
    auction_.session.LoadLinkSettings(kSettingsFile);
    settings_ = LoadHostSettings(wxFileName(wxGetCwd(), kHostSettingsFile).GetFullPath(), settingsFailure_);
    StartHotkeys();
    ShowTrouble();
    LoadTierTable();
    LoadItemList();
    KeepOnTop(this);
    ShowLinkStatus(LinkFailureText(auction_.session.StartLink(), "not connected"));
    live_ = std::make_unique<LiveBids>(*this, auction_, settings_);
}

void AuctionFrame::KeepPlaced() {
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
            SaveTierTable();
            SaveItemList();
        }
        return;
    }
    if (!CloseDown(event.CanVeto())) event.Veto();
}

wxString AuctionFrame::SaveSetup(bool& bidsSaved, bool& itemsSaved) {
    wxString failures;
    const auto save = [&failures](bool& saved, const char* file, const FileResult& result) {
        saved = result.ok;
        if (!saved)
            failures +=
                wxString::Format("%s could not be saved: %s\n", file, wxString::FromUTF8(result.reason));
    };
    if (!bidsSaved) save(bidsSaved, kBidsFile, SaveTierTable());
    if (!itemsSaved) save(itemsSaved, kItemsFile, SaveItemList());
    // Sales the record could not take yet go now, or the host hears of them.
    if (auction_.sales.Pending() > 0) {
        bool salesSaved = false;
        save(salesSaved, kSalesFile, auction_.sales.Flush());
    }
    if (auction_.log.Pending() > 0) {
        bool logSaved = false;
        save(logSaved, "Gavelton log", auction_.log.Flush());
    }
    return failures;
}

bool AuctionFrame::CloseDown(bool canCancel) {
    closing_ = true;
    auction_.log.Add("Gavelton closed");
    tierPanel_->LeaveFocusedHigh();
    bool bidsSaved = false;
    bool itemsSaved = false;
    for (wxString failures; !(failures = SaveSetup(bidsSaved, itemsSaved)).empty();) {
        failures += "The earlier file, if any, was left as it was.";
        if (!canCancel) {
            // The session is ending and will not wait for an answer.
            messages_.ShowMessage(failures.utf8_string(), kProgramTitle, MessageIcon::Error);
            break;
        }
        failures +=
            "\n\nRetry the save, close without saving (the changes since Gavelton started are lost), "
            "or cancel and keep Gavelton open.";
        const SaveChoice choice = messages_.AskAfterFailedSave(failures.utf8_string(), kProgramTitle);
        if (choice == SaveChoice::CloseWithoutSaving) break;
        if (choice == SaveChoice::Cancel) {
            auction_.log.Add("Close cancelled: Gavelton stays open");
            closing_ = false;
            return false;
        }
    }
    auction_.session.StopLink();
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

void AuctionFrame::LoadTierTable() {
    LoadBids(kBidsFile, auction_.tiers);
    tierPanel_->ShowTiers();
}

void AuctionFrame::LoadItemList() {
    LoadItems(kItemsFile, auction_.items);
    listPanel_->ShowItems();
}

FileResult AuctionFrame::SaveTierTable() { return SaveBids(kBidsFile, auction_.tiers); }

FileResult AuctionFrame::SaveItemList() { return SaveItems(kItemsFile, auction_.items); }

// ---------------------------------------------------------------------------------------
// Menu commands

void AuctionFrame::OnAuctionMenu() {
    if (!IdleOrHeld(&AuctionFrame::OnAuctionMenu)) return;
    auction_.log.Add(CommandEvent("Auction"));
    auction_.floor.AuctionCommand();
    auctionPanel_->ShowBlock();
    ShowPanel(Panel::Auction);
    FocusDummy();
}

void AuctionFrame::OnListMenu() {
    if (!IdleOrHeld(&AuctionFrame::OnListMenu)) return;
    listPanel_->HideDelete();
    auction_.log.Add(CommandEvent("List"));
    auction_.floor.ListCommand();
    ShowPanel(Panel::List);
    FocusDummy();
}

void AuctionFrame::OnBidsMenu() {
    if (!IdleOrHeld(&AuctionFrame::OnBidsMenu)) return;
    ShowPanel(Panel::Bids);
    FocusDummy();
}

void AuctionFrame::OnAboutMenu() {
    if (!IdleOrHeld(&AuctionFrame::OnAboutMenu)) return;
    ShowPanel(Panel::About);
    FocusDummy();
}

void AuctionFrame::OnReconnectMenu() {
    if (!IdleOrHeld(&AuctionFrame::OnReconnectMenu)) return;
    auction_.log.Add(CommandEvent("ReConnect"));
    BusyScope busy(*this);
    auction_.session.StopLink();
    // A registration the link cannot confirm is no news: the client's answer clears a failure.
    const LinkFault fault = auction_.session.StartLink();
    if (fault != LinkFault::None || auction_.link.LinesConfirmed())
        ShowLinkStatus(LinkFailureText(fault, "not connected"));
}

// ---------------------------------------------------------------------------------------
// Panels and focus

void AuctionFrame::ShowPanel(Panel panel) {
    panel_ = panel;
    // A frame covers the auction panel; its controls are hidden under it, so neither the
    // mouse nor Tab can reach them.
    listPanel_->Frame()->Show(panel == Panel::List);
    tierPanel_->Frame()->Show(panel == Panel::Bids);
    aboutPanel_->Frame()->Show(panel == Panel::About);
    auctionPanel_->Show(panel == Panel::Auction);
}

wxWindow* AuctionFrame::Dummy() const { return auctionPanel_->Dummy(); }

wxButton* AuctionFrame::Button(Command command) const {
    wxButton* button = auctionPanel_->Button(command);
    return button ? button : listPanel_->Button(command);
}

void AuctionFrame::FocusDummy() {
    tierPanel_->LeaveFocusedHigh();
    Dummy()->SetFocus();
}

void AuctionFrame::KeepDummyHidden() {
    if (!auctionPanel_ || !client_) return;
    // The platform may make the window wider than designed (a wide menu bar); Dummy stays
    // beyond whatever the client area is.
    const Metrics& scale = layout_.Scale();
    const wxRect designed = scale.Rect(auctionPanel_->DummyTwips());
    const int width = std::max(client_->GetClientSize().x, GetClientSize().x);
    const int x = std::max(designed.x, width + designed.x - scale.Px(kClientWidth));
    if (Dummy()->GetPosition().x != x) Dummy()->Move(x, designed.y);
}

#ifdef _WIN32
WXLRESULT AuctionFrame::MSWWindowProc(WXUINT message, WXWPARAM wParam, WXLPARAM lParam) {
    // The bare menu-bar commands come as WM_COMMAND from a menu (high word 0).
    if (message == WM_COMMAND && HIWORD(wParam) == 0 && lParam == 0 && menu_.HandleCommand(LOWORD(wParam))) {
        return 0;
    }
    // The drawn menu-bar items: wx would take their data for its own menu items.
    std::intptr_t answer = 0;
    if (menu_.HandleMessage(message, wParam, lParam, answer)) return answer;
    return wxFrame::MSWWindowProc(message, wParam, lParam);
}
#endif

}  // namespace gv::ui
