#include "ui/wx_services.h"

#include <wx/datetime.h>
#include <wx/evtloop.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <thread>

namespace gv::ui {

void WxEventPump::YieldInLoop() {
    if (PassDue()) Yield();
}

bool WxEventPump::PassDue() { return std::chrono::steady_clock::now() - lastPass_ >= passEvery_; }

void WxEventPump::Yield() {
    lastPass_ = std::chrono::steady_clock::now();
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) {
        loop->YieldFor(wxEVT_CATEGORY_ALL);
        return;
    }
    // Start-up runs before the main loop: lend it a loop of its own for the pass.
    wxGUIEventLoop loop;
    wxEventLoopActivator active(&loop);
    loop.YieldFor(wxEVT_CATEGORY_ALL);
}

void WxEventPump::WaitForEvent(std::chrono::milliseconds limit) {
    // A short nap between looks at the clock keeps a wait from spinning a core, and is short
    // enough that the window still feels immediate.
    std::this_thread::sleep_for(std::min(limit, std::chrono::milliseconds(5)));
}

std::string WxEventPump::TimeOfDayText() { return wxDateTime::Now().Format("%H:%M:%S").ToStdString(); }

void WxMessageSink::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    static constexpr long kIcons[] = {wxICON_NONE, wxICON_INFORMATION, wxICON_WARNING, wxICON_ERROR};
    const long style = wxOK | kIcons[static_cast<int>(icon)];
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(title), style, parent_);
}

SaveChoice WxMessageSink::AskAfterFailedSave(const std::string& text, const std::string& title) {
    wxMessageDialog box(parent_, wxString::FromUTF8(text), wxString::FromUTF8(title),
                        wxYES_NO | wxCANCEL | wxYES_DEFAULT | wxICON_ERROR);
    box.SetYesNoCancelLabels("&Retry", "Close &without saving", "Cancel");
    switch (box.ShowModal()) {
        case wxID_YES:
            return SaveChoice::Retry;
        case wxID_NO:
            return SaveChoice::CloseWithoutSaving;
        default:
            return SaveChoice::Cancel;
    }
}

}  // namespace gv::ui
