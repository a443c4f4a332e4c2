// Shared pieces of the control tests: a shown form that goes with the test,
// and a self-painted control that records what reaches it.
#pragma once
#include "platform/testing/TestDriving.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A form on screen (offscreen) for one test, freed with it.
class TFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = New<TForm>(Application);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        Form->Show();
        platform::test::ProcessEvents();
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        platform::test::ProcessEvents();
    }
    TForm* Form = nullptr;
};

// A self-painted control that fills itself with a colour and logs the
// messages, handlers and events that reach it.
class TProbeControl : public TCustomControl {
public:
    explicit TProbeControl(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetBounds(0, 0, 100, 50);
        SetTabStop(true);
    }
    TColor Fill = clWhite;
    LRESULT DlgCode = 0;
    std::vector<std::string> Log;
    std::vector<UINT> Messages;
    using TCustomControl::Perform;

    void WndProc(TMessage& Message) override
    {
        Messages.push_back(Message.Msg);
        if (Message.Msg == WM_TIMER) Log.push_back("WndProc");
        TCustomControl::WndProc(Message);
    }
    void DefaultHandler(TMessage& Message) override
    {
        if (Message.Msg == WM_TIMER) Log.push_back("DefaultHandler");
        TCustomControl::DefaultHandler(Message);
    }

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(Fill);
        GetCanvas()->FillRect(GetClientRect());
    }
    void WMTimer(TMessage& Message) override
    {
        Log.push_back("WMTimer");
        TCustomControl::WMTimer(Message);
    }
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DlgCode; }
    void KeyDown(Word& Key, TShiftState Shift) override
    {
        Log.push_back("KeyDown " + std::to_string(Key) + (Shift.Contains(ssShift) ? " shift" : ""));
        TCustomControl::KeyDown(Key, Shift);
    }
    void KeyPress(WideChar& Key) override
    {
        Log.push_back("KeyPress " + std::to_string(int(Key)));
        TCustomControl::KeyPress(Key);
    }
    void KeyUp(Word& Key, TShiftState Shift) override
    {
        Log.push_back("KeyUp " + std::to_string(Key));
        TCustomControl::KeyUp(Key, Shift);
    }
    void DoEnter() override
    {
        Log.push_back("Enter");
        TCustomControl::DoEnter();
    }
    void DoExit() override
    {
        Log.push_back("Exit");
        TCustomControl::DoExit();
    }
};

// A windowless control that logs its mouse events.
class TProbeGraphic : public TGraphicControl {
public:
    explicit TProbeGraphic(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 20, 20); }
    std::vector<std::string> Log;

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(clRed);
        GetCanvas()->FillRect(GetClientRect());
    }
    void MouseDown(TMouseButton, TShiftState, int X, int Y) override
    {
        Log.push_back("Down " + std::to_string(X) + "," + std::to_string(Y));
    }
    void Click() override { Log.push_back("Click"); }
    void CMMouseEnter(TMessage& Message) override
    {
        Log.push_back("Enter");
        TGraphicControl::CMMouseEnter(Message);
    }
    void CMMouseLeave(TMessage& Message) override
    {
        Log.push_back("Leave");
        TGraphicControl::CMMouseLeave(Message);
    }
};
