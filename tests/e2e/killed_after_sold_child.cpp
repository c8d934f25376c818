// The child of E2eKilledAfterSold: sells a Lamp through the real window and is killed with
// SIGKILL as soon as SOLD has returned, before anything else can run; or, the second time,
// records the winner's payment in the accounts window and is killed as soon as that returned.
// It says where its files are, since nothing of it is left to clean up after itself.

#include <unistd.h>
#include <wx/button.h>
#include <wx/textctrl.h>

#include <csignal>
#include <cstdio>

#include "auction_fixture.h"
#include "ui/accounts_window.h"
#include "ui/caption.h"
#include "ui/list_view.h"

namespace gv::e2e {
namespace {

class E2eKilledAfterSold : public AuctionTest {
protected:
    void SellTheLamp() {
        WriteItems({"Vase - 5", "Lamp - 10"});
        StartAuction();
        Press(Command::GetNextItem);  // right after start: the Lamp
        Press(Command::StateItem);
        Post({"ESP from Ann: 50"});
        GetBids();
        std::printf("FOLDER %s\nSERVICE %s\nPID %d\n", folder_.c_str(), service_->Path().c_str(), ::getpid());
        std::fflush(stdout);
    }
};

TEST_F(E2eKilledAfterSold, AfterPayment) {
    SellTheLamp();
    Press(Command::Sold);
    Key('k', wxMOD_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return frame_->AccountsView() != nullptr; }));
    ui::AccountsWindow& window = *frame_->AccountsView();
    ASSERT_TRUE(WaitUntil([&] { return window.Accounts().RowCount() == 1; }));
    window.Choose("Ann");
    window.Amount()->ChangeValue("50");
    const std::size_t before = window.History().RowCount();
    Click(Find<wxButton>("RecordPayment"));
    ASSERT_TRUE(WaitUntil([&] { return window.History().RowCount() > before; })) << window.Note().GetLabel();
    std::raise(SIGKILL);
}

TEST_F(E2eKilledAfterSold, Child) {
    SellTheLamp();
    const std::size_t before = world_->Said().size();
    Click(Button(Command::Sold));
    ASSERT_TRUE(WaitUntil([&] { return world_->Said().size() >= before + 2 && !frame_->Gate().IsBusy(); }));
    std::raise(SIGKILL);
}

}  // namespace
}  // namespace gv::e2e
