#include "practice_world/world_frame.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

#include "common/ansi.h"
#include "practice_world/session.h"

namespace pw {
namespace {

constexpr unsigned kMaxActivityLines = 500;
// Gavelton opens centred on the screen; the world keeps this far left of the screen's middle,
// room for Gavelton's half width with its frame at up to 150 % text size.
constexpr int kGaveltonHalfRoom = 200;
constexpr int kWidth = 900;
constexpr int kHeight = 720;

wxString Shown(std::string_view ansi) { return wxString::FromUTF8(gv::FromAnsi(ansi)); }
std::string Typed(const wxString& text) { return gv::ToAnsi(text.utf8_string()); }

}  // namespace

WorldFrame::WorldFrame(Session& session)
    : wxFrame(nullptr, wxID_ANY, kWindowTitle, wxDefaultPosition, wxSize(900, 560)), session_(session) {
    auto* panel = new wxPanel(this);

    transcript_ = new wxTextCtrl(panel, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                                 wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP);
    transcript_->SetName("Transcript");

    avatar_ = new wxTextCtrl(panel, wxID_ANY, "Ann", wxDefaultPosition, wxSize(110, -1));
    avatar_->SetName("Avatar");
    message_ = new wxTextCtrl(panel, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    message_->SetName("Message");
    auto* say = new wxButton(panel, wxID_ANY, "Say");
    auto* esp = new wxButton(panel, wxID_ANY, "ESP to host");

    host_ = new wxTextCtrl(panel, wxID_ANY, Shown(session.world().HostName()), wxDefaultPosition,
                           wxSize(110, -1), wxTE_PROCESS_ENTER);
    host_->SetName("HostName");
    loggedIn_ = new wxCheckBox(panel, wxID_ANY, "Logged in");
    loggedIn_->SetValue(session.world().HostLoggedIn());

    registered_ = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(-1, 90));
    registered_->SetName("RegisteredTools");
    libraryTools_ = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(-1, 70));
    libraryTools_->SetName("LibraryTools");
    auto* sendData = new wxButton(panel, wxID_ANY, "Send data to tool");
    activity_ = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(-1, 120), 0, nullptr, wxLB_HSCROLL);
    activity_->SetName("Activity");

    auto* hostRow = new wxBoxSizer(wxHORIZONTAL);
    hostRow->Add(new wxStaticText(panel, wxID_ANY, "Host avatar:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    hostRow->Add(host_, 1, wxRIGHT, 5);
    hostRow->Add(loggedIn_, 0, wxALIGN_CENTER_VERTICAL);

    auto* side = new wxBoxSizer(wxVERTICAL);
    side->Add(hostRow, 0, wxEXPAND | wxBOTTOM, 8);
    side->Add(new wxStaticText(panel, wxID_ANY, "Registered tools:"), 0, wxBOTTOM, 2);
    side->Add(registered_, 0, wxEXPAND | wxBOTTOM, 8);
    side->Add(new wxStaticText(panel, wxID_ANY, "Tools connected through the library:"), 0, wxBOTTOM, 2);
    side->Add(libraryTools_, 0, wxEXPAND | wxBOTTOM, 4);
    side->Add(sendData, 0, wxBOTTOM, 8);
    side->Add(new wxStaticText(panel, wxID_ANY, "Activity:"), 0, wxBOTTOM, 2);
    side->Add(activity_, 1, wxEXPAND);

    // Too narrow for the chat and the side by side, the chat goes above the rest.
    const wxRect placed = BesideGavelton();
    const bool narrow = placed.width < kWidth * 3 / 4;
    auto* top = new wxBoxSizer(narrow ? wxVERTICAL : wxHORIZONTAL);
    top->Add(transcript_, 3, wxEXPAND | (narrow ? wxBOTTOM : wxRIGHT), 8);
    top->Add(side, 2, wxEXPAND);

    auto* postRow = new wxBoxSizer(wxHORIZONTAL);
    postRow->Add(new wxStaticText(panel, wxID_ANY, "Avatar:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    postRow->Add(avatar_, 0, wxRIGHT, 8);
    postRow->Add(new wxStaticText(panel, wxID_ANY, "Message:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    postRow->Add(message_, 1, wxRIGHT, 8);
    postRow->Add(say, 0, wxRIGHT, 4);
    postRow->Add(esp, 0);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(top, 1, wxEXPAND | wxALL, 8);
    all->Add(postRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    panel->SetSizer(all);

    CreateStatusBar();
    SetStatusText(wxString::FromUTF8("Serving WorldsApi at " + session.address()));
    SetSize(placed);

    say->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PostAs("%s: %s"); });
    message_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { PostAs("%s: %s"); });
    esp->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PostAs("ESP from %s: %s"); });
    sendData->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SendDataToTool(); });
    host_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { ApplyHost(); });
    loggedIn_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { ApplyHost(); });

    session.world().changed = [this] { Refresh(); };
    session.server().activity = [this](const std::string& line) { AddActivity(line); };
    session.note = [this](const std::string& line) { AddActivity(line); };
    Refresh();
    message_->SetFocus();
}

// In the left part of the screen, so that Gavelton, centred, never hides the chat it reads.
wxRect WorldFrame::BesideGavelton() {
    const wxRect area = wxDisplay(0U).GetClientArea();
    const int width = std::max(std::min(kWidth, area.width / 2 - kGaveltonHalfRoom), 320);
    return {area.x, area.y, width, std::min(kHeight, area.height)};
}

WorldFrame::~WorldFrame() {
    session_.world().changed = nullptr;
    session_.server().activity = nullptr;
    session_.note = nullptr;
}

void WorldFrame::Refresh() {
    const auto& lines = session_.world().Transcript();
    if (lines.size() < shownLines_) {
        transcript_->Clear();
        shownLines_ = 0;
    }
    wxString added;
    for (std::size_t i = shownLines_; i < lines.size(); ++i) {
        if (i > 0) added += "\n";
        added += Shown(lines[i]);
    }
    if (!added.empty()) transcript_->AppendText(added);
    shownLines_ = lines.size();

    wxArrayString names;
    for (const std::string& name : session_.world().Registered()) names.Add(Shown(name));
    if (names != registered_->GetStrings()) registered_->Set(names);

    wxArrayString tools;
    for (const std::string& tool : session_.server().LibraryTools()) tools.Add(Shown(tool));
    if (tools != libraryTools_->GetStrings()) {
        const wxString selected = libraryTools_->GetStringSelection();
        libraryTools_->Set(tools);
        if (!selected.empty()) libraryTools_->SetStringSelection(selected);
    }

    if (loggedIn_->GetValue() != session_.world().HostLoggedIn()) {
        loggedIn_->SetValue(session_.world().HostLoggedIn());
    }
    const wxString host = Shown(session_.world().HostName());
    if (!host_->HasFocus() && host_->GetValue() != host) host_->ChangeValue(host);
}

void WorldFrame::AddActivity(const std::string& line) {
    if (activity_->GetCount() >= kMaxActivityLines) activity_->Delete(0);
    activity_->Append(wxString::FromUTF8(line));
    activity_->SetFirstItem(static_cast<int>(activity_->GetCount()) - 1);
}

void WorldFrame::PostAs(const char* format) {
    const wxString avatar = avatar_->GetValue().Strip(wxString::both);
    const wxString text = message_->GetValue();
    if (avatar.empty() || text.empty()) {
        wxBell();
        return;
    }
    session_.world().Post(Typed(wxString::Format(format, avatar, text)));
    message_->Clear();
    message_->SetFocus();
}

void WorldFrame::SendDataToTool() {
    wxString tool = libraryTools_->GetStringSelection();
    if (tool.empty() && libraryTools_->GetCount() == 1) tool = libraryTools_->GetString(0);
    if (tool.empty()) {
        wxBell();
        SetStatusText(libraryTools_->GetCount() == 0 ? "No tool is connected through the library"
                                                     : "Choose the tool to send the data to");
        return;
    }
    const wxString sender = avatar_->GetValue().Strip(wxString::both);
    const int sent = session_.server().SendData(Typed(tool), Typed(sender), Typed(message_->GetValue()));
    SetStatusText(sent > 0 ? "Data sent to " + tool : "The data could not be sent to " + tool);
}

void WorldFrame::ApplyHost() {
    const std::string name = Typed(host_->GetValue().Strip(wxString::both));
    if (loggedIn_->GetValue() && !name.empty()) {
        session_.world().LogIn(name);
    } else {
        session_.world().LogOut();
    }
}

}  // namespace pw
