// Painting: invalidation, the paint handler, graphic children, control
// canvases and the self-painted control classes.
#include "platform/controls/ControlStateGuard.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/ScopeExit.h"

using namespace platform::detail;

// ---- Invalidation ------------------------------------------------------------------------

void TControl::Invalidate()
{
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
    const TRect R = GetBoundsRect();
    InvalidateRect(FParent->GetHandle(), &R, !(IsOpaque || FParent->GetControlStyle().Contains(csOpaque)));
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

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

HDC TControl::GetDeviceContext(HWND& WindowHandle)
{
    if (!FParent) throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    HDC DC = FParent->GetDeviceContext(WindowHandle);
    // Drawing on a graphic control is drawing on its parent, moved and clipped.
    DC->Origin += QPoint(FLeft, FTop);
    QRegion Clip(QRect(DC->Origin, QSize(FWidth, FHeight)));
    DC->Clip = DC->Clip ? (*DC->Clip & Clip) : Clip;
    return DC;
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle)
{
    WindowHandle = GetHandle();
    return GetDC(WindowHandle);
}

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value)
{
    if (FControl == Value) return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::CreateHandle()
{
    if (!FControl) {
        TCanvas::CreateHandle();
        return;
    }
    if (FDeviceContext && !IsWindow(FWindowHandle)) FreeHandle();
    if (!FDeviceContext) FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle()
{
    if (!FDeviceContext) return;
    SetHandle(nullptr);
    ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
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

// ---- Self-painted controls ---------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
    FCanvas->FreeHandle();
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomControl::WMPaint(TMessage& Message)
{
    CustomPaintHandler(Message);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl()
{
    FCanvas->FreeHandle();
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    if (Message.WParam == 0 || GetComponentState().Contains(csDestroying)) return;
    FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}
