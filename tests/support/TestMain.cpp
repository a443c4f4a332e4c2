// The main of every test program: an offscreen Qt application, the unit
// start-up sections, then GoogleTest.
#include "platform/controls/Forms.h"

#include <gtest/gtest.h>

// A test program that needs the system's unit start-up sections defines this
// to add them; the others get this empty one.
__attribute__((weak)) void RegisterTestUnits() {}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    platform::StartTestApplication(argc, argv);
    RegisterTestUnits();
    Application->Initialize();
    const int Result = RUN_ALL_TESTS();
    platform::StopApplication();
    return Result;
}
