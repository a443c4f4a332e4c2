// tests/grid/ColumnFixtures.h
// A small grid for the columns to live in, a column kind with a display and
// a play, and a log of everything the columns report.
#pragma once
#include "grid/GxColumns.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ColumnFixtures {

using namespace GxColumns;

// The grid as its columns see it, with geometry the test sets.
class TFakeGrid : public TComponent, public IGridHost {
public:
    QM_CLASS(TFakeGrid, TComponent)
    using TComponent::TComponent;
    // Frees the columns while the grid is whole, as the grid control does.
    ~TFakeGrid() override { FreeAndNil(FColumns); }
    void AfterConstruction() override
    {
        TComponent::AfterConstruction();
        FColumns = New<TGxColumns>(this);
        HookLog();
    }

    TFont* GetFont() const override { return FFont.get(); }
    TColor GetColor() const override { return Color; }
    TCursor GetCursor() const override { return Cursor; }
    TComponent* GetOwner() const override { return TComponent::GetOwner(); }
    TGxColumns* GetColumns() const override { return FColumns; }
    bool IsLoading() const override { return GetComponentState().Contains(csLoading); }
    TRect GetBodyRect() override { return TRect(BodyLeft, 20, BodyLeft + InnerWidth, 100); }
    int GetInnerWidth() override { return InnerWidth; }
    int GetClientHeight() override { return ClientHeight; }
    TRect GetHeaderRect() override { return HeaderRect; }
    TRect GetInputRect() override { return InputRect; }
    TRect GetFooterRect() override { return FooterRect; }
    int GetHorzScrollPos() override { return HorzScrollPos; }
    bool HasIndicator() const override { return Indicator; }
    TGxCustomColumn* GetHeaderDownColumn() const override { return HeaderDownColumn; }
    TGxCustomColumn* GetHoverColumn() const override { return HoverColumn; }
    int GetSelectedColumn() const override { return SelectedColumn; }
    void RefreshColumn(TGxCustomColumn* Column, TGridArea Area) override;
    TColor GetActualCellColor(int ACol, int ARow) override { return ACol * 1000 + ARow; }
    TColor GetActualCellFontColor(int ACol, int ARow) override { return -(ACol * 1000 + ARow); }
    bool IsCellHighlighted(int ACol, int ARow) override { return ACol == ARow; }
    void SetOnUpdateColumns(const TNotifyEvent& Handler) override { OnUpdateColumns = Handler; }

    TColor Color = clWindow;
    TCursor Cursor = crDefault;
    int BodyLeft = 0;
    int InnerWidth = 800;
    int ClientHeight = 200;
    TRect HeaderRect{0, 0, 800, 18};
    TRect InputRect{0, 18, 800, 40};
    TRect FooterRect{0, 180, 800, 200};
    int HorzScrollPos = 0;
    bool Indicator = false;
    TGxCustomColumn* HeaderDownColumn = nullptr;
    TGxCustomColumn* HoverColumn = nullptr;
    int SelectedColumn = 0;
    TNotifyEvent OnUpdateColumns;

    // Everything the columns report, in order, as readable lines:
    // "ccWidth A 20" (column changes), "change opAdd -1 -1" and
    // "repaint opAdd -1 -1" (collection events), "notify A cnColorChange"
    // (of columns that Listen), "refresh A gaBody" (repaints asked for).
    std::vector<std::string> Log;
    // The lines since the last call.
    std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }
    void Listen(TGxCustomColumn* Column);
    void OnNotify(TGxCustomColumn* Sender, TColumnNotifyOperation Operation);

private:
    void HookLog();

    std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
    TGxColumns* FColumns = nullptr;
};

class TTestDisplay : public TColumnDisplay {
public:
    QM_CLASS(TTestDisplay, TColumnDisplay)
    using TColumnDisplay::TColumnDisplay;
    void Paint() override { ++Paints; }
    int Paints = 0;
};

// A column kind with a display, a play and a style the test chooses.
class TTestColumn : public TGxCustomColumn {
public:
    QM_CLASS(TTestColumn, TGxCustomColumn)
    using TGxCustomColumn::TGxCustomColumn;
    TColumnDisplayClass GetColumnDisplayClass() const override { return DisplayClass<TTestDisplay>; }
    TColumnPlayClass GetColumnPlayClass() const override { return PlayClass<TColumnPlay>; }
    TColumnStyle GetColumnStyle() override { return Style; }
    TColumnStyle Style;
};

// A grid on a form, freed at the end of the test.
struct TGridFixture : ::testing::Test {
    TOwned<TComponent> Form{New<TComponent>(nullptr)};
    TFakeGrid* Grid = New<TFakeGrid>(Form.get());
    TGxColumns* Columns = Grid->GetColumns();

    // A test column added to the grid and named.
    TTestColumn* AddColumn(const AnsiString& Name, int Width = 80);
};

} // namespace ColumnFixtures
