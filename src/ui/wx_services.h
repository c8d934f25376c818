#pragma once
// The event pump and the message boxes, over wxWidgets.

#include <wx/window.h>

#include "common/event_pump.h"
#include "common/message_sink.h"

namespace gv::ui {

class WxEventPump final : public EventPump {
public:
    // `passEvery`: how long after a real pass the loop's yields are passed over.
    explicit WxEventPump(std::chrono::milliseconds passEvery = std::chrono::milliseconds(4))
        : passEvery_(passEvery) {}
    void Yield() override;
    void WaitForEvent(std::chrono::milliseconds limit) override;
    std::string TimeOfDayText() override;
    // A pass of the GTK loop costs 5 to 16 microseconds even with nothing waiting, which per
    // line of a 1 MB chat is most of a Get Bids; a pass every few milliseconds repaints the
    // window just as often as the host can see.
    void YieldInLoop() override;
    bool PassDue() override;

private:
    std::chrono::milliseconds passEvery_;
    std::chrono::steady_clock::time_point lastPass_{};
};

// Modal message box with one OK button, over the main window when there is one.
class WxMessageSink final : public MessageSink {
public:
    void SetParent(wxWindow* parent) { parent_ = parent; }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    SaveChoice AskAfterFailedSave(const std::string& text, const std::string& title) override;

private:
    wxWindow* parent_ = nullptr;
};

}  // namespace gv::ui
