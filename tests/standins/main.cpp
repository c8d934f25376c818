// The stand-in library needs wx set up, as it is inside Gavelton.
#include <gtest/gtest.h>
#include <wx/init.h>

int main(int argc, char** argv) {
    wxInitializer wx;
    if (!wx.IsOk()) return 1;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
