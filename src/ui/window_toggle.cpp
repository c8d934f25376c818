#include "ui/window_toggle.h"

#include <string>
#include <utility>

#include "ui/window_gate.h"

namespace gv::ui {

WindowToggle::WindowToggle(const CommandGate& gate, TroubleBoard& troubles, std::function<SideWindow*()> make,
                           std::function<void()> gone)
    : gate_(gate), troubles_(troubles), make_(std::move(make)), gone_(std::move(gone)) {}

WindowToggle::~WindowToggle() {
    gone_ = {};  // the owner is going as well
    Close();
}

void WindowToggle::Toggle(bool fromElsewhere) {
    if (gate_.Closing()) return;
    if (window_) {
        const FileResult kept = Close();
        troubles_.Set(
            TroubleBoard::Trouble::Place,
            kept.ok ? std::string() : std::string(kWindowStateFile) + " not written: " + kept.reason);
        return;
    }
    window_ = make_();
    window_->SetOnCloseRequest([this] { Toggle(false); });
    window_->SetOnGone([this] { Forget(); });
    if (fromElsewhere && !WindowGate::HasKeyboard()) {
        window_->ShowWithoutActivating();
    } else {
        window_->Show();
    }
}

FileResult WindowToggle::Close() {
    if (!window_) return {};
    SideWindow* window = window_;
    Forget();
    return window->Retire();
}

void WindowToggle::Forget() {
    if (!window_) return;
    window_->SetOnGone({});
    window_->SetOnCloseRequest({});
    window_ = nullptr;
    if (gone_) gone_();
}

}  // namespace gv::ui
