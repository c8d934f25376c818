#pragma once
// Drives the real main window: a fresh working folder per test, the window started as the
// application starts it, messages recorded instead of shown, and the host's input simulated.

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fakes.h"
#include "files.h"
#include "floor/auction.h"
#include "patience.h"
#include "recording_sink.h"
#include "scratch_folder.h"
#include "ui/main_window.h"
#include "ui/wx_services.h"

namespace gv::ui::test {

using testing::Message;
using testing::RecordingSink;

// Lets pending events arrive for a while.
void Settle(int milliseconds = 120);

using testing::ReadFile;
using testing::WriteFile;

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The auction the window is built on. Here over a fake link that answers at once and
    // never waits on the clock; the end-to-end tests give it the real link.
    virtual Auction& AuctionForWindow() { return fakeAuction_; }

    // Started, then shown, as at program start.
    void StartWindow();
    // The host closes the window; returns once it is gone.
    void CloseWindow();
    // Lets events arrive until `done` holds, for at most `milliseconds`.
    bool WaitUntil(const std::function<bool()>& done, int milliseconds = testing::kPatienceMs);

    template <class T>
    T* Find(const wxString& name) const {
        auto* window = wxWindow::FindWindowByName(name, frame_);
        EXPECT_NE(window, nullptr) << name;
        return dynamic_cast<T*>(window);
    }
    wxString Text(const wxString& name) const;
    // The button of a command, as the host finds it on the window.
    wxButton* Button(Command command) const {
        wxButton* button = frame_->Button(command);
        EXPECT_NE(button, nullptr);
        return button;
    }
    wxWindow* Focused() const { return wxWindow::FindFocus(); }

    void Click(wxWindow* window);
    void ClickAt(const wxPoint& screen);
    void ClickMenu(std::size_t index);  // 0 Auction, 1 List, 2 Bids, 3 ReConnect, 4 About
    void Type(const std::string& text);
    // Puts `text` on the clipboard and pastes it over the box's whole text.
    void PasteInto(wxTextCtrl* box, const wxString& text);
    // What the clipboard holds as text now.
    wxString ClipboardText();
    void Key(int keyCode, int modifiers = 0);

    testing::ScratchFolder scratch_{"gavelton-ui"};  // the working folder while the test runs
    std::filesystem::path folder_ = scratch_.path();
    std::filesystem::path previous_;
    RecordingSink sink_;
    testing::Calls calls_;  // what the fake link was asked to do
    testing::FakeLink link_{calls_};
    WxEventPump pump_;
    Auction fakeAuction_{link_, link_, pump_};
    AuctionFrame* frame_ = nullptr;
    wxUIActionSimulator sim_;
};

}  // namespace gv::ui::test
