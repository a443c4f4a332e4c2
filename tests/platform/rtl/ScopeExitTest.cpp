#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

#include <gtest/gtest.h>

TEST(ScopeExit, RunsHoweverTheScopeEndsAndKeepsTheFirstException)
{
    int Runs = 0;
    {
        TScopeExit Count([&] { ++Runs; });
    }
    EXPECT_THROW(
        {
            TScopeExit Count([&] { ++Runs; });
            throw EConvertError("Body");
        },
        EConvertError);
    {
        TScopeExit Count([&] { ++Runs; });
        Count.Dismiss();
    }
    EXPECT_EQ(Runs, 2);

    // The action's own exception leaves a scope that ends normally; while
    // the body's exception is leaving, that one wins.
    EXPECT_THROW({ TScopeExit Fail([] { throw EConvertError("Action"); }); }, EConvertError);
    try {
        TScopeExit Fail([] { throw EConvertError("Action"); });
        throw EAbort("Body");
    } catch (const EAbort& E) {
        EXPECT_EQ(E.Message, "Body");
    }

    AnsiString Mode = "idle";
    EXPECT_THROW(
        {
            TRestore Busy(Mode, AnsiString("busy"));
            EXPECT_EQ(Mode, "busy");
            throw EAbort("");
        },
        EAbort);
    EXPECT_EQ(Mode, "idle");
}
