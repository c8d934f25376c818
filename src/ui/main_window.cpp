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
#include "floor/close_down.h"
#include "link/link_settings.h"
#include "ui/accessibility.h"
#include "ui/colours.h"
#include "ui/gavel_icon.h"
#include "ui/host_hotkeys.h"
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
      messages_(messages),
      gate_(this, auction.gate, auction.pump),
      troubles_(auction.log, auction.floor.Events()),
      desk_(this, auction, gate_, troubles_),
      floorLog_(this, auction.floor, auction.gate, troubles_),
      accounts_(this, auction.ledger, auction.gate, troubles_) {
    troubles_.HearBooks(auction.ledger.Events());
    SetIcon(GavelIcon());
    SetBackgroundColour(kCyan);
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    client_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE,
                          "AuctionClient");
    client_->SetBackgroundColour(kCyan);
    Describe(client_, SpokenRole::Native, {}, {});  // not its window name

    SetMenuBar(new wxMenuBar);
    desk_.InstallMenu(menu_);
    ControlBuilder build(layout_);
    panels_ = std::make_unique<PanelSet>(client_, build, auction_, desk_, this);
    desk_.Attach(*panels_, floorLog_, accounts_);
    desk_.BindKeys();
    gate_.Attach(client_, *panels_, troubles_);

    FitToScreen();

    panels_->TierControls().ShowTiers();
    panels_->AuctionControls().ShowBlock();
    panels_->Show(Panel::Auction);
    troubles_.SetView([this](const std::string& title, bool) {
        SetTitle(wxString::FromUTF8(title));
        gate_.ShowIdleColour();
    });
    auction_.link.SetOnClientAnswered([this] { troubles_.Set(TroubleBoard::Trouble::Link, {}); });
    auction_.session.SetOwnWindow([this] { return gate_.ReturnHandle(); });
    // The floor log window's command does what Ctrl+Z does.
    floorLog_.SetUndoLastSale([this] { desk_.Run(Command::UndoLastSale, Origin::Window); });
    floorLog_.SetOpenAccounts([this] { desk_.Run(Command::Accounts, Origin::Window); });
    BindWindowEvents();
}

AuctionFrame::~AuctionFrame() {
    setupWatch_.Stop();
    auction_.gate.SetView(nullptr);  // the commands of a window half torn down run as they come
    live_.reset();
    hotkeys_.reset();  // no key may reach a window half torn down
    // The controls go while the panels that handle their events are still here: destroying a
    // focused box sends it a focus-out that its panel handles.
    client_->Destroy();
    troubles_.SetView({});
    auction_.link.SetOnClientAnswered({});
    auction_.session.SetOwnWindow({});
    floorLog_.Close();
    accounts_.Close();
}

void AuctionFrame::FitToScreen() {
    layout_.Fit(ScreenPixelsPerTwip(this));
    SetFont(layout_.Font());
    // The platform may need a wider window for the menu bar's captions; settle that now, so
    // that start-up centres the window at the size it will show with.
    const wxSize designed = layout_.Scale().Size(kClientWidth, kClientHeight);
    menu_.FitWidth(designed.x);
    SetClientSize(std::max(designed.x, menu_.NaturalWidth()), designed.y);
    KeepPlaced();
}

void AuctionFrame::BindWindowEvents() {
    Bind(wxEVT_CLOSE_WINDOW, &AuctionFrame::OnClose, this);
    // Moved to a monitor of another DPI (Windows, per monitor): the controls stand where the
    // twips put them at the old scale, so the whole layout is fitted again at the new one.
    Bind(wxEVT_DPI_CHANGED, [this](wxDPIChangedEvent& event) {
        event.Skip();
        CallAfter([this] { FitToScreen(); });
    });
    PassCloseWhileDisabled(this);  // a close during a command closes once it is over
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        KeepPlaced();
        event.Skip();
    });
    Bind(wxEVT_ICONIZE, [this](wxIconizeEvent& event) {
        KeepPlaced();
        event.Skip();
    });
    client_->Bind(wxEVT_CHILD_FOCUS, [this](wxChildFocusEvent& event) {
        panels_->TierControls().ChildFocused(event.GetWindow());
        // A box left is a change taken: a raise typed is on disk before anything else.
        auction_.keeper.Keep(false);
        event.Skip();
    });
    setupWatch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { auction_.keeper.Keep(auction_.gate.Idle()); });
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
    std::string refused;
    settings_ = LoadHostSettings(wxFileName(wxGetCwd(), kHostSettingsFile).GetFullPath(), refused);
    troubles_.Set(TroubleBoard::Trouble::Settings, refused);
    auction_.ledger.SetWarnOwedFrom(settings_.warnOwedFrom);
    auction_.floor.SetCheckBeforeSold(settings_.checkBeforeSold);
    if (settings_.hotkeysEnabled)
        troubles_.Set(TroubleBoard::Trouble::Hotkeys,
                      TakeHotkeys(hotkeys_, this, desk_.HotkeyBindings(settings_)));
    troubles_.Show();
    auction_.keeper.Start();
    panels_->TierControls().ShowTiers();
    panels_->ListControls().ShowItems();
    KeepOnTop(this);
    troubles_.Set(TroubleBoard::Trouble::Link,
                  LinkFailureText(auction_.session.StartLink(), "not connected"));
    live_ = std::make_unique<LiveBids>(auction_, settings_, desk_);
    setupWatch_.Start(1000);
}

void AuctionFrame::KeepPlaced() {
    KeepOnTop(this);
    if (!panels_ || !client_) return;
    // The platform may make the window wider than designed (a wide menu bar); Dummy stays
    // beyond whatever the client area is.
    const Metrics& scale = layout_.Scale();
    const wxRect designed = scale.Rect(panels_->AuctionControls().DummyTwips());
    const int width = std::max(client_->GetClientSize().x, GetClientSize().x);
    const int x = std::max(designed.x, width + designed.x - scale.Px(kClientWidth));
    if (Dummy()->GetPosition().x != x) Dummy()->Move(x, designed.y);
}

// The close button, the desktop session ending (the application closes its top window then),
// and SIGTERM/SIGHUP all come here.
void AuctionFrame::OnClose(wxCloseEvent& event) {
    if (Gate().Closing()) return;
    if (!Gate().CloseNowOrLater(event.CanVeto())) {
        if (event.CanVeto()) {
            event.Veto();
        } else {
            // The session is ending and will not wait for the command: keep the host's
            // work now; the rest of the close follows the command.
            auction_.keeper.Close();
        }
        return;
    }
    if (!CloseDown(event.CanVeto())) event.Veto();
}

bool AuctionFrame::CloseDown(bool canCancel) {
    Gate().SetClosing(true);
    setupWatch_.Stop();
    auction_.log.Add("Gavelton closed");
    panels_->TierControls().LeaveFocusedHigh();
    if (!SaveBeforeClose(auction_, messages_, canCancel)) {
        auction_.log.Add("Close cancelled: Gavelton stays open");
        Gate().SetClosing(false);
        setupWatch_.Start(1000);
        return false;
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
