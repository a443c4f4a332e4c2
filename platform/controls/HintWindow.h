// The hint window: a small painted top-level window that shows a hint text
// over the screen without taking the focus (a Qt::ToolTip window, which
// keeps the focus where it is on every platform) and lets the pointer
// through to the windows beneath.
#pragma once
#include "platform/controls/Controls.h"

class THintWindow : public TCustomControl {
public:
    QM_CLASS(THintWindow, TCustomControl)
    explicit THintWindow(TComponent* AOwner);

    // Shows the window with Hint as its caption over Rect (screen
    // coordinates; the bottom grows by 4 pixels), kept on the screen, on top
    // and without activating it.
    virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
    virtual void ActivateHintData(const TRect& Rect, const AnsiString& AHint, void* AData);
    // The window rectangle the hint needs: (0, 0, width, height), the text
    // broken at words to fit MaxWidth, plus the window's margins.
    virtual TRect CalcHintRect(int MaxWidth, const AnsiString& AHint, void* AData);
    // Takes the window away (it comes back with the next ActivateHint).
    void ReleaseHandle();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WMNCPaint(TMessage& Message) override;
    void WMNCHitTest(TMessage& Message) override;
};

// A class reference to a hint window class: its meta object and a maker.
struct THintWindowClass {
    TClass Class;
    THintWindow* (*Create)(TComponent* AOwner);
};
template <typename T> THintWindowClass HintWindowClassOf()
{
    return {T::StaticClassType(), [](TComponent* AOwner) -> THintWindow* { return New<T>(AOwner); }};
}
// The class the program's hint windows are made of (THintWindow unless the
// program chooses another).
extern THintWindowClass HintWindowClass;
