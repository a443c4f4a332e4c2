#include "platform/controls/Timers.h"
#include "platform/win/UserInteraction.h"
#include "platform/win/WinTimers.h"
#include "tests/support/PumpUntil.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

TEST(Timer, FiresEveryIntervalWhileEnabledAndStopsWhenDisabled)
{
    TOwned<TTimer> Timer(New<TTimer>(nullptr));
    EXPECT_EQ(Timer->GetInterval(), 1000u);
    EXPECT_TRUE(Timer->GetEnabled());

    int Ticks = 0;
    Timer->SetInterval(10);
    Timer->SetOnTimer([&](TObject* Sender) {
        EXPECT_EQ(Sender, Timer.get());
        ++Ticks;
    });
    ASSERT_TRUE(PumpUntil([&] { return Ticks >= 3; }));

    Timer->SetEnabled(false);
    const int Stopped = Ticks;
    PumpFor(60);
    EXPECT_EQ(Ticks, Stopped);

    Timer->SetEnabled(true);
    ASSERT_TRUE(PumpUntil([&] { return Ticks > Stopped; }));
}

TEST(Timer, RunsOnlyWithAHandlerAndAnIntervalAboveZero)
{
    TOwned<TTimer> Timer(New<TTimer>(nullptr));
    int Ticks = 0;
    Timer->SetInterval(0);
    Timer->SetOnTimer([&](TObject*) { ++Ticks; });
    PumpFor(50);
    EXPECT_EQ(Ticks, 0);

    // Assigning the handler after the interval starts it too.
    TOwned<TTimer> Late(New<TTimer>(nullptr));
    Late->SetInterval(10);
    PumpFor(30);
    Late->SetOnTimer([&](TObject*) { ++Ticks; });
    ASSERT_TRUE(PumpUntil([&] { return Ticks >= 1; }));
}

TEST(Timer, AHandlerMayFreeItsOwnTimer)
{
    TTimer* Timer = New<TTimer>(nullptr);
    bool Freed = false;
    Timer->SetInterval(5);
    Timer->SetOnTimer([&](TObject*) {
        FreeAndNil(Timer);
        Freed = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return Freed; }));
    PumpFor(20); // the Qt side goes once the tick has unwound
    EXPECT_EQ(Timer, nullptr);
}

TEST(Timer, AnExceptionInTheHandlerIsShownByTheApplication)
{
    TScriptedInteraction Script;
    SetUserInteraction(&Script);
    TOwned<TTimer> Timer(New<TTimer>(nullptr));
    Timer->SetInterval(5);
    Timer->SetOnTimer([&](TObject*) {
        Timer->SetEnabled(false);
        throw Exception("Tick failed");
    });
    const bool Shown = PumpUntil([&] { return !Script.Messages.empty(); });
    SetUserInteraction(nullptr);
    ASSERT_TRUE(Shown);
    EXPECT_EQ(Script.Messages.size(), 1u);
    EXPECT_EQ(Script.Messages[0].Text, "Tick failed.");
}

TEST(Timer, NoTimerOfEitherKindTicksMoreOftenThanEveryTenMilliseconds)
{
    // A TTimer and a window timer of 1 ms and of 9 ms each, through one second of event loop.
    static std::map<UINT_PTR, int> WindowTimerTicks;
    const TIMERPROC Count = [](HWND, UINT, UINT_PTR Id, DWORD) { ++WindowTimerTicks[Id]; };
    const UINT Elapses[2] = {1, 9};
    int TimerTicks[2] = {};
    UINT_PTR Ids[2];
    std::vector<TOwned<TTimer>> Timers;
    for (int I = 0; I < 2; ++I) {
        auto& Timer = Timers.emplace_back(MakeOwned<TTimer>(nullptr));
        Timer->SetInterval(Elapses[I]);
        Timer->SetOnTimer([&TimerTicks, I](TObject*) { ++TimerTicks[I]; });
        Ids[I] = SetTimer(nullptr, 0, Elapses[I], Count);
    }
    PumpFor(1000);
    for (int I = 0; I < 2; ++I) {
        EXPECT_TRUE(KillTimer(nullptr, Ids[I]));
        EXPECT_LE(TimerTicks[I], 105) << "TTimer of " << Elapses[I] << " ms";
        EXPECT_LE(WindowTimerTicks[Ids[I]], 105) << "window timer of " << Elapses[I] << " ms";
    }
}
