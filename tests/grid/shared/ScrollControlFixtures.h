// A small scroll control for the tests of GxScrollControl and
// GxFlyoutControl: rows ten pixels high in colours that tell their number,
// scrolled a row per step of the vertical bar and a pixel per step of the
// horizontal one, the wheel scrolling as the grid does.
#pragma once
#include "grid/shared/GxScrollControl.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <utility>

class TRowsControl : public GxScrollControl::TGxScrollControl {
public:
    explicit TRowsControl(TComponent* AOwner) : TGxScrollControl(AOwner)
    {
        SetBounds(0, 0, 200, 150);
        SetTabStop(true);
    }
    using TGxScrollControl::GetRollDirection;
    using TGxScrollControl::GetRollPoint;
    using TGxScrollControl::GetRollShadow;
    using TGxScrollControl::GetRollTimer;
    using TGxScrollControl::GetVertScrollRect;
    using TGxScrollControl::Perform;
    using TGxScrollControl::SetVertScrollRect;

    static TColor RowColor(int Row) { return TColor(RGB(Byte(Row * 7), Byte(255 - Row * 3), Byte(Row * 13))); }

    int FirstRow = 0;
    std::vector<std::pair<int, int>> VertOffsets; // (from, to) asked
    std::vector<int> Codes;                       // SB_* of WM_VSCROLL, in order
    std::vector<TRect> Paints;
    std::vector<TRect> ScrollsBefore;

protected:
    void Paint() override
    {
        TCanvas* C = GetCanvas();
        Paints.push_back(C->GetClipRect());
        const int Left = -GetHorzScrollBar()->GetPosition();
        for (int Y = 0; Y < GetClientHeight(); Y += 10) {
            C->GetBrush()->SetColor(RowColor(FirstRow + Y / 10));
            C->FillRect(Rect(Left, Y, GetClientWidth(), Y + 10));
        }
        // A black column at the content's x = 100 shows horizontal scrolling.
        C->GetBrush()->SetColor(clBlack);
        C->FillRect(Rect(Left + 100, 0, Left + 101, GetClientHeight()));
    }
    int GetVertOffset(int FromPos, int ToPos) override
    {
        VertOffsets.push_back({FromPos, ToPos});
        FirstRow = ToPos;
        return (FromPos - ToPos) * 10;
    }
    int GetHorzOffset(int FromPos, int ToPos) override { return FromPos - ToPos; }
    void BeforeScroll(GxScrollControl::TScrollBarKind) override { ScrollsBefore.push_back(GetVertScrollRect()); }
    void Resize() override
    {
        TGxScrollControl::Resize();
        SetVertScrollRect(GetClientRect());
        SetHorzScrollRect(GetClientRect());
    }
    void WMVScroll(TMessage& Message) override
    {
        Codes.push_back(TWMScroll(Message).ScrollCode);
        TGxScrollControl::WMVScroll(Message);
    }
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override
    {
        if (!TGxScrollControl::DoMouseWheelDown(Shift, MousePos)) return false;
        GetVertScrollBar()->Next();
        return true;
    }
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override
    {
        if (!TGxScrollControl::DoMouseWheelUp(Shift, MousePos)) return false;
        GetVertScrollBar()->Prior();
        return true;
    }
};

// A shown form holding a rows control with a vertical range of 50 rows.
class TScrollControlTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Rows = New<TRowsControl>(Form);
        Rows->SetParent(Form);
        Rows->GetVertScrollBar()->SetMax(50);
        platform::test::PaintNow(Rows);
        Rows->Paints.clear();
        Rows->VertOffsets.clear();
    }
    TRowsControl* Rows = nullptr;
};
