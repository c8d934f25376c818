// The main window's part in the evening's log and in undoing a sale: Ctrl+Z, the commands the
// host ran and the title's failures, each logged once.

#include <wx/listbox.h>
#include <wx/panel.h>

#include <filesystem>
#include <string>

#include "floor/floor.h"
#include "gui_fixture.h"
#include "setup/setup_files.h"

namespace gv::ui::test {
namespace {

class EveningLogWindow : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WriteFile(kItemsFile, "Oak chest - 500\r\nHalf-plate armour - 1200\r\n");
        StartWindow();
    }
    // Today's log: the window's clock is the real one.
    std::string LogText() const { return ReadFile(folder_ / LogFileName(LocalTimeText().substr(0, 10))); }
};

TEST_F(EveningLogWindow, CtrlZUndoesTheLatestSaleOnce) {
    Click(Button(Command::GetNextItem));
    Click(Button(Command::Sold));
    ASSERT_EQ(frame_->Items().Count(), 1u);
    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(frame_->Items().Entries(),
              (std::vector<std::string>{"Oak chest - 500", "Half-plate armour - 1200"}));
    EXPECT_EQ(Find<wxListBox>("List2")->GetCount(), 2u);
    EXPECT_EQ(Text("BlockItem"), "Half-plate armour");
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
    EXPECT_EQ(Focused(), frame_->Dummy());

    Key('Z', wxMOD_CONTROL);
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - undo refused: no sale to undo");
    EXPECT_EQ(frame_->Items().Count(), 2u);
}

TEST_F(EveningLogWindow, TheLogHoldsTheHostsCommandsAndEachTitleFailureOnce) {
    link_.speakFault = LinkFault::NotAnswering;
    Click(Button(Command::StateItem));
    Click(Button(Command::StateItem));
    link_.speakFault = LinkFault::None;
    ClickMenu(0);  // Auction
    Click(Button(Command::StateItem));
    const std::string text = LogText();
    std::size_t at = 0;
    for (const char* event : {" Gavelton started in ", " Host: State Item\r\n",
                              " Said \"Item on the Block currently is Item on the block\": "
                              "the chat client did not answer\r\n",
                              " In the title: chat client not answering: item not stated\r\n",
                              " Host: State Item\r\n", " Host: Auction\r\n", " Host: State Item\r\n",
                              " Gone from the title: chat client not answering: item not stated\r\n"}) {
        const std::size_t found = text.find(event, at);
        ASSERT_NE(found, std::string::npos) << event << " after " << at << " in\n" << text;
        at = found + 1;
    }
    const std::string shown = "In the title: chat client not answering";
    EXPECT_EQ(text.find(shown), text.rfind(shown)) << text;
}

// A log that cannot be written shows like any failure, and its events go once it can be.
TEST_F(EveningLogWindow, ALogThatCannotBeWrittenIsShownAndWrittenAtClose) {
    const std::filesystem::path file = folder_ / LogFileName(LocalTimeText().substr(0, 10));
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    Click(Button(Command::GetNextItem));
    const std::string title = frame_->GetTitle().utf8_string();
    EXPECT_EQ(title.rfind("Gavelton - " + file.filename().string() + " not written: ", 0), 0u) << title;
    EXPECT_EQ(frame_->ClientArea()->GetBackgroundColour(), wxColour(255, 191, 0));

    std::filesystem::remove(file);
    CloseWindow();
    const std::string text = ReadFile(file);
    const std::size_t next = text.find(" Host: Get Next Item\r\n");
    const std::size_t shown = text.find(" In the title: " + file.filename().string() + " not written: ");
    const std::size_t closed = text.find(" Gavelton closed\r\n");
    EXPECT_NE(next, std::string::npos) << text;
    EXPECT_LT(next, shown) << text;
    EXPECT_LT(shown, closed) << text;
    EXPECT_NE(closed, std::string::npos) << text;
}

}  // namespace
}  // namespace gv::ui::test
