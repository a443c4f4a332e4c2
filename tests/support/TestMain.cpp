// The main of every test program: an offscreen Qt application, the unit
// start-up sections, then GoogleTest.
#include "platform/controls/Forms.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    platform::StartTestApplication(argc, argv);
    Application->Initialize();
    const int Result = RUN_ALL_TESTS();
    platform::StopApplication();
    return Result;
}
