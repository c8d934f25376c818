#pragma once
// The two message boxes the chat link shows (result codes, incoming data), and the notice
// that the client's API library could not be loaded. The main window shows them with
// wxMessageBox; tests record them.

#include <string>

namespace gv {

enum class MessageIcon { None, Information, Warning, Error };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Modal box with a single OK button; returns when the host has pressed OK.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

}  // namespace gv
