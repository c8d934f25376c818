#pragma once
// Drives the real main window: a fresh working folder per test, the window started as the
// application starts it, messages recorded instead of shown, and the host's input simulated.

#include <gtest/gtest.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "link/message_sink.h"
#include "ui/main_window.h"

namespace gv::ui::test {

struct Message {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class RecordingSink final : public MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        shown.push_back({text, title, icon});
    }
    // The host's answers to a failed save at close, in turn; Close without saving when none is left.
    SaveChoice AskAfterFailedSave(const std::string& text, const std::string& title) override {
        asked.push_back({text, title, MessageIcon::Error});
        if (answers.empty()) return SaveChoice::CloseWithoutSaving;
        const std::function<SaveChoice()> answer = answers.front();
        answers.erase(answers.begin());
        return answer();
    }
    std::vector<Message> shown;
    std::vector<Message> asked;
    std::vector<std::function<SaveChoice()>> answers;
};

// Lets pending events arrive for a while.
void Settle(int milliseconds = 120);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Form_Load, then shown, as at program start.
    void StartWindow();
    // The host closes the window; returns once it is gone.
    void CloseWindow();

    template <class T>
    T* Find(const wxString& name) const {
        auto* window = wxWindow::FindWindowByName(name, frame_);
        EXPECT_NE(window, nullptr) << name;
        return dynamic_cast<T*>(window);
    }
    wxString Text(const wxString& name) const;
    wxWindow* Focused() const { return wxWindow::FindFocus(); }

    void Click(wxWindow* window);
    void ClickAt(const wxPoint& screen);
    void ClickMenu(std::size_t index);  // 0 Auction, 1 List, 2 Bids, 3 ReConnect, 4 About
    void Type(const std::string& text);
    void Key(int keyCode, int modifiers = 0);

    std::filesystem::path folder_;
    std::filesystem::path previous_;
    RecordingSink sink_;
    AuctionFrame* frame_ = nullptr;
    wxUIActionSimulator sim_;
};

}  // namespace gv::ui::test
