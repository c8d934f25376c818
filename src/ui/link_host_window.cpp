#include "ui/link_host_window.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include "ui/caption.h"
#include "ui/native.h"

namespace gv::ui {

namespace {
void SetIfDifferent(wxTextCtrl* box, const wxString& value) {
    if (box->GetValue() != value) box->ChangeValue(value);
}
}  // namespace

LinkHostWindow::LinkHostWindow(ChatLink& link)
    : wxFrame(nullptr, wxID_ANY, "WA DDE COMMUNICATION", wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_NO_TASKBAR, "WA_DDE"),
      link_(link) {
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));

    // Created in the tab order: WA_Communicate, WA_Unregister, WA_Register, Text1, CommMode,
    // AvatarName, CommText, WA_GetAllText, ErrorCheck.
    auto* communicate = MakeButton("WA_Communicate", "Communicate", {1440, 1560, 1335, 375});
    auto* unregister = MakeButton("WA_Unregister", "Unregister", {4080, 1560, 1215, 375});
    auto* reg = MakeButton("WA_Register", "Register", {120, 1560, 1215, 375});
    conversation_ = MakeTextBox("Text1", {120, 2040, 5175, 375}, true);
    commMode_ = MakeTextBox("CommMode", {1560, 120, 615, 285}, false);
    avatarName_ = MakeTextBox("AvatarName", {1560, 480, 3735, 285}, false);
    commText_ = MakeTextBox("CommText", {1560, 840, 3735, 615}, true);
    auto* getAllText = MakeButton("WA_GetAllText", "GetAllText", {2880, 1560, 1095, 375});
    errorCheck_ = new wxCheckBox(this, wxID_ANY, "Error Occured", wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "ErrorCheck");
    errorCheck_->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    layout_.Place(errorCheck_, {0, 1080, 1455, 435});

    MakeLabel("Label1", "Comm Mode", {120, 120, 1335, 375}, true);
    MakeLabel("Label4", "(0 - Speak, 1 - Think, 2- ESP)", {2280, 120, 2655, 375}, false);
    MakeLabel("Label2", "Avatar Name", {120, 480, 1335, 375}, true);
    MakeLabel("Label3", "Text To Send", {120, 840, 1335, 375}, true);

    layout_.Fit(ScreenPixelsPerTwip(this));
    SetFont(layout_.Font());
    SetClientSize(layout_.Scale().Size(5430, 2520));

    communicate->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnCommunicate(); });
    unregister->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnUnregister(); });
    reg->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnRegister(); });
    getAllText->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnGetAllText(); });

    BindFields();

    // Closing the console by hand only hides it; the link owns the window.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (event.CanVeto()) {
            event.Veto();
            Hide();
        } else {
            event.Skip();
        }
    });
}

// What is typed into the fields is what the next request sends.
void LinkHostWindow::BindFields() {
    commMode_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        link_.Fields().commMode = commMode_->GetValue().utf8_string();
    });
    avatarName_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        link_.Fields().avatarName = avatarName_->GetValue().utf8_string();
    });
    commText_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        link_.Fields().commText = commText_->GetValue().utf8_string();
    });
    conversation_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        // The box holds at most its limit; typing beyond it is undone.
        wxString value = conversation_->GetValue();
        if (value.length() > kConversationMaxChars) {
            value.Truncate(kConversationMaxChars);
            conversation_->ChangeValue(value);
        }
        link_.Fields().conversation = value.utf8_string();
    });
    errorCheck_->Bind(wxEVT_CHECKBOX,
                      [this](wxCommandEvent&) { link_.Fields().errorCheck = errorCheck_->GetValue(); });
}

wxButton* LinkHostWindow::MakeButton(const char* name, const char* caption, Twips t) {
    auto* button = new wxButton(this, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT,
                                wxDefaultValidator, name);
    UseCompactStyle(button);
    layout_.Place(button, t);
    return button;
}

wxTextCtrl* LinkHostWindow::MakeTextBox(const char* name, Twips t, bool multiLine) {
    auto* box = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                               multiLine ? wxTE_MULTILINE : 0, wxDefaultValidator, name);
    UseCompactStyle(box);
    layout_.Place(box, t);
    return box;
}

void LinkHostWindow::MakeLabel(const char* name, const char* text, Twips t, bool right) {
    Caption::Style style;
    style.align = right ? Caption::Align::Right : Caption::Align::Left;
    style.foreground = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    layout_.Place(new Caption(this, name, text, style), t);
}

void LinkHostWindow::ShowFields(const DdeFields& fields) {
    SetIfDifferent(commMode_, wxString::FromUTF8(fields.commMode));
    SetIfDifferent(avatarName_, wxString::FromUTF8(fields.avatarName));
    SetIfDifferent(commText_, wxString::FromUTF8(fields.commText));
    // The box shows the start of a long chat; the link keeps the whole reply. Only that start is
    // converted: a whole 100 MB chat as wide characters would cost a 32-bit build its memory.
    constexpr std::size_t kMostBytes = kConversationMaxChars * 4;  // UTF-8 takes at most 4 bytes a character
    std::size_t end = fields.conversation.size();
    if (end > kMostBytes) {
        end = kMostBytes;
        while (end > 0 && (static_cast<unsigned char>(fields.conversation[end]) & 0xC0) == 0x80) --end;
    }
    wxString conversation = wxString::FromUTF8(fields.conversation.data(), end);
    if (conversation.length() > kConversationMaxChars) conversation.Truncate(kConversationMaxChars);
    SetIfDifferent(conversation_, conversation);
    if (errorCheck_->GetValue() != fields.errorCheck) errorCheck_->SetValue(fields.errorCheck);
}

void LinkHostWindow::RunRequest(void (ChatLink::*request)()) {
    (link_.*request)();
    ShowFields(link_.Fields());
}

void LinkHostWindow::OnRegister() { RunRequest(&ChatLink::RegisterDDE); }

void LinkHostWindow::OnUnregister() { RunRequest(&ChatLink::UnregisterDDE); }

void LinkHostWindow::OnCommunicate() { RunRequest(&ChatLink::CommunicateDDE); }

void LinkHostWindow::OnGetAllText() { RunRequest(&ChatLink::GetAllTextDDE); }

LinkHost::LinkHost(ChatLink& link) : link_(link), window_(new LinkHostWindow(link)) {
    window_->Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown() && stale_) {
            stale_ = false;
            window_->ShowFields(link_.Fields());
        }
    });
}

void LinkHost::ShowFields(const DdeFields& fields) {
    if (window_->IsShown()) {
        window_->ShowFields(fields);
    } else {
        stale_ = true;
    }
}

LinkHost::~LinkHost() { window_->Destroy(); }

}  // namespace gv::ui
