// The hidden link host window WA_DDE: created hidden by the DDE start, its console buttons
// run the DDE requests, and its fields follow the request fields.

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include "gui_fixture.h"
#include "ui/link_host_window.h"

namespace gv::ui::test {
namespace {

// The real chat link, with nobody answering its requests.
class LinkHostTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        chatLink_.SetHostFactory(
            [this]() -> std::unique_ptr<LinkHostView> { return std::make_unique<LinkHost>(chatLink_); });
        chatLink_.LoadLinkSettings(folder_ / "SCONTROL.TXT");  // none: the DDE transport
        chatLink_.StartLink();
        host_ = dynamic_cast<LinkHostWindow*>(wxWindow::FindWindowByName("WA_DDE"));
        ASSERT_NE(host_, nullptr);
    }
    void TearDown() override {
        chatLink_.StopLink();
        GuiTest::TearDown();
    }
    template <class T>
    T* Field(const char* name) {
        auto* window = dynamic_cast<T*>(wxWindow::FindWindowByName(name, host_));
        EXPECT_NE(window, nullptr) << name;
        return window;
    }
    ChatLink chatLink_{pump_, sink_};
    LinkHostWindow* host_ = nullptr;
};

TEST_F(LinkHostTest, ExistsHiddenWithItsConsole) {
    EXPECT_FALSE(host_->IsShown());
    EXPECT_EQ(host_->GetTitle(), "WA DDE COMMUNICATION");
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "Comm Mode"},         {"Label2", "Avatar Name"},
        {"Label3", "Text To Send"},      {"Label4", "(0 - Speak, 1 - Think, 2- ESP)"},
        {"WA_Register", "Register"},     {"WA_Communicate", "Communicate"},
        {"WA_GetAllText", "GetAllText"}, {"WA_Unregister", "Unregister"},
        {"ErrorCheck", "Error Occured"},
    };
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(Field<wxWindow>(name)->GetLabel(), caption) << name;
    }
    // The controls that take the focus, in the designed tab order.
    std::vector<wxString> order;
    for (wxWindow* child : host_->GetChildren()) {
        if (child->AcceptsFocusFromKeyboard()) order.push_back(child->GetName());
    }
    EXPECT_EQ(order,
              (std::vector<wxString>{"WA_Communicate", "WA_Unregister", "WA_Register", "Text1", "CommMode",
                                     "AvatarName", "CommText", "WA_GetAllText", "ErrorCheck"}));
}

TEST_F(LinkHostTest, FieldsAndRecordFollowEachOther) {
    DdeFields fields;
    fields.commMode = "2";
    fields.avatarName = "Bidder";
    fields.commText = "hello";
    fields.conversation = std::string(40000, 'x');
    fields.errorCheck = true;
    host_->ShowFields(fields);
    EXPECT_EQ(Field<wxTextCtrl>("CommMode")->GetValue(), "2");
    EXPECT_EQ(Field<wxTextCtrl>("AvatarName")->GetValue(), "Bidder");
    EXPECT_EQ(Field<wxTextCtrl>("CommText")->GetValue(), "hello");
    EXPECT_EQ(Field<wxTextCtrl>("Text1")->GetValue().length(), LinkHostWindow::kConversationMaxChars);
    EXPECT_TRUE(Field<wxCheckBox>("ErrorCheck")->GetValue());

    // Only the start of a long chat is shown, cut between characters, not inside one.
    std::string chat(32000, 'x');
    chat += "\xE2\x82\xAC";  // the euro sign, three bytes
    for (int i = 0; i < 60000; ++i) chat += "\xC3\xA9";
    fields.conversation = chat;
    host_->ShowFields(fields);
    EXPECT_EQ(Field<wxTextCtrl>("Text1")->GetValue(), wxString(32000, 'x'));

    // Typing into the console's fields is what the next request sends.
    Field<wxTextCtrl>("AvatarName")->SetValue("Another");
    EXPECT_EQ(chatLink_.Fields().avatarName, "Another");
}

TEST_F(LinkHostTest, RegisterWithNoChatClientSetsTheErrorIndicator) {
    Field<wxCheckBox>("ErrorCheck")->SetValue(false);
    chatLink_.Fields().errorCheck = false;
    host_->OnRegister();
    EXPECT_TRUE(chatLink_.Fields().errorCheck);
    EXPECT_TRUE(Field<wxCheckBox>("ErrorCheck")->GetValue());
}

// What the transport holds: a console nobody shows learns the fields when it is shown.
TEST_F(LinkHostTest, AHiddenConsoleShowsTheLatestFieldsOnceShown) {
    Field<wxCheckBox>("ErrorCheck")->SetValue(false);
    chatLink_.Fields().errorCheck = false;
    chatLink_.Fields().avatarName = "Bidder";
    chatLink_.RegisterDDE();  // nobody answers: the request sets the error indicator
    ASSERT_TRUE(chatLink_.Fields().errorCheck);
    EXPECT_FALSE(Field<wxCheckBox>("ErrorCheck")->GetValue()) << "not shown each step while hidden";

    host_->Show();
    EXPECT_TRUE(Field<wxCheckBox>("ErrorCheck")->GetValue());
    EXPECT_EQ(Field<wxTextCtrl>("AvatarName")->GetValue(), "Bidder");
    EXPECT_EQ(Field<wxTextCtrl>("Text1")->GetValue().utf8_string(), chatLink_.Fields().conversation);

    // Shown, it follows each change at once.
    chatLink_.Fields().errorCheck = false;
    chatLink_.RegisterDDE();
    EXPECT_TRUE(Field<wxCheckBox>("ErrorCheck")->GetValue());
    host_->Hide();
}

}  // namespace
}  // namespace gv::ui::test
