// Gavelton's application object: the auction over the real chat link, and one main window
// started as AuctionFrame::Start describes.

#include <wx/app.h>
#include <wx/filefn.h>

#include <csignal>
#include <memory>

#include "ui/desktop.h"
#include "ui/main_window.h"
#include "ui/one_per_folder.h"
#include "ui/wx_services.h"

namespace {

class GaveltonApp final : public wxApp {
public:
    bool OnInit() override {
        // No command-line arguments are used, so wxApp's own parsing is skipped.
        SetAppName("Gavelton");
        onePerFolder_ = std::make_unique<gv::ui::OnePerFolder>(wxGetCwd());
        // The folder's Gavelton comes to the front instead, and this one ends quietly.
        if (onePerFolder_->AnotherRuns()) return true;
        onePerFolder_->Listen();
        auction_ = std::make_unique<gv::ui::DesktopAuction>(messages_);
        auto* frame = new gv::ui::AuctionFrame(auction_->Get(), messages_);
        messages_.SetParent(frame);
        SetTopWindow(frame);
        frame->Start();
        frame->Show();
        frame->Dummy()->SetFocus();
        onePerFolder_->Serve(frame, [frame, this] {
            auction_->Get().log.Add("Started again in this folder: this window brought to the front instead");
            frame->Iconize(false);
            frame->Show();
            frame->Raise();
        });
#ifndef _WIN32
        // The desktop ending the session (or a plain kill) closes the window normally, so the
        // host's list and tier table are saved.
        SetSignalHandler(SIGTERM, &GaveltonApp::OnTerminate);
        SetSignalHandler(SIGHUP, &GaveltonApp::OnTerminate);
#endif
        return true;
    }

    int OnRun() override {
        if (auction_ == nullptr) return 0;  // a second start in the folder
        return wxApp::OnRun();
    }

    int OnExit() override {
        // The windows are gone by now; the link goes after them.
        onePerFolder_.reset();
        auction_.reset();
        return wxApp::OnExit();
    }

private:
#ifndef _WIN32
    static void OnTerminate(int) {
        // Like a session's end, a signal will not wait for the host to answer a question.
        if (wxWindow* top = wxTheApp->GetTopWindow()) top->Close(true);
    }
#endif

    std::unique_ptr<gv::ui::OnePerFolder> onePerFolder_;
    gv::ui::WxMessageSink messages_;
    std::unique_ptr<gv::ui::DesktopAuction> auction_;
};

}  // namespace

// wx defines wxGetApp() here for programs that want it; this one does not.
#ifdef __clang__
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wunused-function"
#endif
wxIMPLEMENT_APP(GaveltonApp);
#ifdef __clang__
#pragma clang diagnostic pop
#endif
