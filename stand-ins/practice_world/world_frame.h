#pragma once
// The practice world's window, titled like the chat client's ("VZones 3.0 ...") so that a
// tool which activates the client by its title finds it. A person posts lines as other
// avatars, watches what the tools say and do, and can send data to a tool.

#include <wx/frame.h>

class wxCheckBox;
class wxListBox;
class wxTextCtrl;

namespace pw {

class Session;

inline constexpr const char* kWindowTitle = "VZones 3.0 - Practice World";

class WorldFrame final : public wxFrame {
public:
    explicit WorldFrame(Session& session);
    ~WorldFrame() override;

private:
    static wxRect BesideGavelton();
    void Refresh();
    void AddActivity(const std::string& line);
    void PostAs(const char* format);
    void SendDataToTool();
    void ApplyHost();

    Session& session_;
    wxTextCtrl* transcript_ = nullptr;
    wxTextCtrl* avatar_ = nullptr;
    wxTextCtrl* message_ = nullptr;
    wxTextCtrl* host_ = nullptr;
    wxCheckBox* loggedIn_ = nullptr;
    wxListBox* registered_ = nullptr;
    wxListBox* libraryTools_ = nullptr;
    wxListBox* activity_ = nullptr;
    std::size_t shownLines_ = 0;
};

}  // namespace pw
