// TWinControl: invalidation, its device context and painting: the paint
// handler, the graphic children, the background and the border.
#include "platform/controls/ControlStateGuard.h"
#include "platform/controls/WinControl.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/ScopeExit.h"

using namespace platform::detail;

void TWinControl::Invalidate()
{
    Perform(CM_INVALIDATE, 0, 0);
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (FHandle) UpdateWindow(FHandle);
}

// ---- Device contexts ----------------------------------------------------------------------------

HDC TWinControl::GetDeviceContext(HWND& WindowHandle)
{
    WindowHandle = GetHandle();
    return GetDC(WindowHandle);
}

// ---- Painting -------------------------------------------------------------------------------------

void TWinControl::PaintWindow(HDC DC)
{
    TMessage M{WM_PAINT, WPARAM(DC), 0, 0};
    DefaultHandler(M);
}

void TWinControl::PaintHandler(TMessage& Message)
{
    HDC DC = reinterpret_cast<HDC>(Message.WParam);
    bool Own = false;
    if (!DC) DC = WindowPaintDC(FHandle, Own);
    // A paint that raises still gives back the context it made and the
    // clip it narrowed.
    TScopeExit Release([Own, DC] {
        if (Own && DC->Window)
            ReleaseDC(DC->Window, DC);
        else if (Own)
            DeleteDC(DC);
    });
    if (FControls.empty()) {
        PaintWindow(DC);
    } else {
        // Opaque graphic children paint their own area: the control leaves it.
        const HDC__ Saved = *DC;
        TScopeExit Restore([DC, &Saved] { *DC = Saved; });
        QImage* Image = DC->Target ? DC->Target->Image() : nullptr;
        QRegion Clip = DC->Clip ? *DC->Clip : QRegion(Image ? Image->rect() : QRect());
        for (TControl* C : FControls)
            if (C->FVisible && C->GetControlStyle().Contains(csOpaque))
                Clip -= QRect(DC->Origin + QPoint(C->FLeft, C->FTop), QSize(C->FWidth, C->FHeight));
        if (!Clip.isEmpty()) {
            DC->Clip = Clip;
            PaintWindow(DC);
        }
    }
    PaintControls(DC, nullptr);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    QImage* Image = DC && DC->Target ? DC->Target->Image() : nullptr;
    if (!Image) return;
    std::size_t I = 0;
    if (First) {
        auto It = std::find(FControls.begin(), FControls.end(), First);
        if (It != FControls.end()) I = std::size_t(It - FControls.begin());
    }
    const QRegion Area = DC->Clip ? *DC->Clip : QRegion(Image->rect());
    for (; I < FControls.size(); ++I) {
        TControl* C = FControls[I];
        if (!C->FVisible) continue;
        const QRect R(DC->Origin + QPoint(C->FLeft, C->FTop), QSize(C->FWidth, C->FHeight));
        const QRegion Clip = Area & R;
        if (Clip.isEmpty()) continue;
        HDC__ Child = *DC;
        Child.Origin = R.topLeft();
        Child.Clip = Clip;
        C->Perform(WM_PAINT, WPARAM(&Child), 0);
    }
}

void TWinControl::CustomPaintHandler(TMessage& Message)
{
    TControlStateGuard Painting(this, csCustomPaint);
    TWinControl::WMPaint(Message);
}

void TWinControl::WMPaint(TMessage& Message)
{
    if (!GetControlState().Contains(csCustomPaint) && GetControlCount() == 0)
        TControl::WMPaint(Message);
    else
        PaintHandler(Message);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    if (HDC DC = reinterpret_cast<HDC>(Message.WParam)) {
        TCanvas Canvas;
        Canvas.SetHandle(DC);
        Canvas.SetBrush(FBrush.get());
        Canvas.FillRect(GetClientRect());
        Canvas.SetHandle(nullptr);
    }
    Message.Result = 1;
}

void TWinControl::WMNCPaint(TMessage& Message)
{
    TControl::WMNCPaint(Message);
    if (FBorderWidth <= 0 || !FHandle) return;
    // The border width is non-client area in the control's colour.
    HDC DC = GetWindowDC(FHandle);
    const TPoint O = GetClientOffset();
    const TRect Client = GetClientRect();
    QRegion Ring(QRect(O.X - FBorderWidth, O.Y - FBorderWidth, Client.Right + 2 * FBorderWidth,
                       Client.Bottom + 2 * FBorderWidth));
    Ring -= QRect(O.X, O.Y, Client.Right, Client.Bottom);
    DC->Clip = Ring;
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    Canvas.SetBrush(FBrush.get());
    Canvas.FillRect(Rect(0, 0, FWidth, FHeight));
    Canvas.SetHandle(nullptr);
    ReleaseDC(FHandle, DC);
}
