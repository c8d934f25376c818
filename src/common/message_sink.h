#pragma once
// The two message boxes the chat link shows (result codes, incoming data), the notice that
// the client's API library could not be loaded, and the question the close asks when a setup
// file could not be saved. The main window shows them with wx's message boxes; tests record
// them.

#include <string>

namespace gv {

enum class MessageIcon { None, Information, Warning, Error };

// The host's answer when saving at close failed.
enum class SaveChoice { Retry, CloseWithoutSaving, Cancel };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Modal box with a single OK button; returns when the host has pressed OK.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // Modal box with the buttons "Retry", "Close without saving" and "Cancel". Where nobody can
    // answer, the message alone is shown and the close goes on.
    virtual SaveChoice AskAfterFailedSave(const std::string& text, const std::string& title) {
        ShowMessage(text, title, MessageIcon::Error);
        return SaveChoice::CloseWithoutSaving;
    }
};

}  // namespace gv
