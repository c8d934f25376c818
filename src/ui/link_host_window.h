#pragma once
// The hidden link host window WA_DDE: its fields are what the DDE requests read and write, and
// its buttons issue each request by hand (a console nobody normally sees).

#include <wx/frame.h>

#include "link/chat_link.h"
#include "ui/metrics.h"

class wxButton;
class wxCheckBox;
class wxTextCtrl;

namespace gv::ui {

class LinkHostWindow final : public wxFrame {
public:
    // The Text1 box shows at most this many characters of the conversation.
    static constexpr std::size_t kConversationMaxChars = 32000;

    explicit LinkHostWindow(ChatLink& link);

    void ShowFields(const DdeFields& fields);

    void OnRegister();
    void OnUnregister();
    void OnCommunicate();
    void OnGetAllText();

private:
    void BindFields();
    void RunRequest(void (ChatLink::*request)());
    wxButton* MakeButton(const char* name, const char* caption, Twips t);
    wxTextCtrl* MakeTextBox(const char* name, Twips t, bool multiLine);
    void MakeLabel(const char* name, const char* text, Twips t, bool right);

    ChatLink& link_;
    FormLayout layout_;
    wxTextCtrl* commMode_ = nullptr;
    wxTextCtrl* avatarName_ = nullptr;
    wxTextCtrl* commText_ = nullptr;
    wxTextCtrl* conversation_ = nullptr;
    wxCheckBox* errorCheck_ = nullptr;
};

// What the chat link holds while the DDE transport is started: the window, destroyed with
// the handle.
class LinkHost final : public LinkHostView {
public:
    explicit LinkHost(ChatLink& link);
    ~LinkHost() override;
    LinkHost(const LinkHost&) = delete;
    LinkHost& operator=(const LinkHost&) = delete;

    // Nothing shows the window in an evening: while it is hidden the fields reach it when it is
    // shown, not at each step of each request (its box laid out again for every Get Bids cost
    // the main window a fifth of the command on GTK).
    void ShowFields(const DdeFields& fields) override;

private:
    ChatLink& link_;
    LinkHostWindow* window_;
    bool stale_ = false;  // the fields changed while the window was hidden
};

}  // namespace gv::ui
