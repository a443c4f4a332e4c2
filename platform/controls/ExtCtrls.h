// Panels, shapes and bevels, painted by the platform itself; Frame3D.
#pragma once
#include "platform/controls/Controls.h"

using TPanelBevel = TBevelCut;
enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// Draws Width nested frames just inside Rect, TopColor on the top and left
// edges, BottomColor on the bottom and right ones, and shrinks Rect by them.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

class TCustomPanel : public TCustomControl {
public:
    QM_CLASS(TCustomPanel, TCustomControl)
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TPanelBevel GetBevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel GetBevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    int GetBevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool GetFullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    // The children sit inside the bevels and the border width.
    void AdjustClientRect(TRect& Rect) override;
    void CMTextChanged(TMessage& Message) override;
    // Its window keeps its pixels over a resize, but the bevels and the
    // caption move with the edges: the panel paints itself afresh.
    void WMSize(TMessage& Message) override;

private:
    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    QM_CLASS(TPanel, TCustomPanel)
    using TCustomPanel::TCustomPanel;
};

class TShape : public TGraphicControl {
public:
    QM_CLASS(TShape, TGraphicControl)
    explicit TShape(TComponent* AOwner);
    ~TShape() override;

    TShapeType GetShape() const { return FShape; }
    void SetShape(TShapeType Value);
    // Changes to the brush or the pen repaint the shape.
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }

protected:
    void Paint() override;
    void StyleChanged(TObject* Sender);

private:
    TShapeType FShape = stRectangle;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TPen> FPen;
};

class TBevel : public TGraphicControl {
public:
    QM_CLASS(TBevel, TGraphicControl)
    explicit TBevel(TComponent* AOwner);

    TBevelShape GetShape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

#include "platform/controls/Timers.h"
