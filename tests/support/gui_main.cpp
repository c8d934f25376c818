// The GUI tests' own main: wxWidgets is started once, with an event loop that the tests and
// the window's waits yield to.

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

    // A practice world someone runs on this machine must not answer the tests' link: give
    // the link a service folder of its own, where no world listens.
    const auto runtime =
        std::filesystem::temp_directory_path() / ("gavelton-ui-runtime-" + std::to_string(::getpid()));
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) return 2;
    wxTheApp->CallOnInit();
    int result = 0;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        result = RUN_ALL_TESTS();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::error_code ignored;
    std::filesystem::remove_all(runtime, ignored);
    return result;
}
