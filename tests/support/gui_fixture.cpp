#include "gui_fixture.h"

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <chrono>

namespace gv::ui::test {

void Settle(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
        wxMilliSleep(5);
    } while (std::chrono::steady_clock::now() < end);
}

void GuiTest::SetUp() {
    fakeAuction_.floor.SetSalesRecord(&fakeAuction_.sales);  // as the program has it
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
}

void GuiTest::TearDown() {
    if (frame_) CloseWindow();
    std::filesystem::current_path(previous_);
}

void GuiTest::StartWindow() {
    frame_ = new AuctionFrame(AuctionForWindow(), sink_);
    frame_->Start();
    frame_->Show();
    frame_->Dummy()->SetFocus();  // as the application does
    frame_->Raise();
    Settle(300);
    // Where the pointer rests decides which window takes the keys when no window manager runs.
    sim_.MouseMove(frame_->GetScreenRect().GetPosition() + wxPoint(4, frame_->GetSize().y - 4));
    Settle(100);
}

void GuiTest::CloseWindow() {
    wxWeakRef<wxFrame> window(frame_);
    frame_->Close();
    // The window goes at the next idle time; the auction under it must outlive it.
    WaitUntil([&] { return !window; });
    frame_ = nullptr;
}

bool GuiTest::WaitUntil(const std::function<bool()>& done, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) return done();
        Settle(10);
    }
    return true;
}

wxString GuiTest::Text(const wxString& name) const {
    wxWindow* window = wxWindow::FindWindowByName(name, frame_);
    if (auto* box = dynamic_cast<wxTextCtrl*>(window)) return box->GetValue();
    return window ? window->GetLabel() : wxString("<missing " + name + ">");
}

void GuiTest::ClickAt(const wxPoint& screen) {
    sim_.MouseMove(screen);
    Settle(60);
    sim_.MouseClick();
    Settle();
}

void GuiTest::Click(wxWindow* window) {
    ASSERT_NE(window, nullptr);
    const wxRect rect = window->GetScreenRect();
    ClickAt(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
}

void GuiTest::ClickMenu(std::size_t index) {
    const wxRect rect = frame_->Menu().ItemScreenRect(index);
    ASSERT_GT(rect.width, 0);
    ClickAt(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
}

void GuiTest::Type(const std::string& text) {
    sim_.Text(text.c_str());
    Settle(60 + 10 * static_cast<int>(text.size()));
}

void GuiTest::PasteInto(wxTextCtrl* box, const wxString& text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    Click(box);
    box->SelectAll();
    box->Paste();
    Settle();
}

wxString GuiTest::ClipboardText() {
    wxTextDataObject data;
    if (!wxTheClipboard->Open()) return "(clipboard not open)";
    wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
    return data.GetText();
}

void GuiTest::Key(int keyCode, int modifiers) {
    sim_.Char(keyCode, modifiers);
    Settle();
}

}  // namespace gv::ui::test
