#include "platform/controls/HintWindow.h"
#include "platform/controls/Forms.h"
#include "platform/qt/Bridge.h"

#include <QWidget>
#include <QWindow>

THintWindowClass HintWindowClass = HintWindowClassOf<THintWindow>();

namespace {

// A hint may lie over the very spot under the pointer (a cell's whole text
// over the cell): if it caught the pointer, the window beneath would hear a
// leave, take the hint away, get the pointer back and show it again. Under
// X the window lets the pointer through only when the flag is set on it
// shown (set before, or kept from an earlier show, it catches every move),
// so it is put on afresh after every show.
void LetPointerThrough(HWND Wnd)
{
    QWidget* Widget = platform::detail::WidgetOf(Wnd);
    QWindow* Window = Widget ? Widget->windowHandle() : nullptr;
    if (!Window) return;
    Window->setFlag(Qt::WindowTransparentForInput, false);
    Window->setFlag(Qt::WindowTransparentForInput, true);
}

} // namespace

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clInfoBk);
    GetFont()->SetColor(clInfoText);
    SetVisible(false);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    // A popup is a top-level window that never takes the focus.
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint)
{
    SetCaption(AHint);
    Rect.Bottom += 4;
    const int W = Rect.Width();
    const int H = Rect.Height();
    // Kept on the screen.
    if (Rect.Top + H > Screen->GetHeight()) Rect.Top = Screen->GetHeight() - H;
    if (Rect.Left + W > Screen->GetWidth()) Rect.Left = Screen->GetWidth() - W;
    if (Rect.Left < 0) Rect.Left = 0;
    if (Rect.Top < 0) Rect.Top = 0;
    SetBounds(Rect.Left, Rect.Top, W, H);
    SetVisible(true);
    SetWindowPos(GetHandle(), HWND_TOPMOST, Rect.Left, Rect.Top, W, H, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    LetPointerThrough(GetHandle());
    Invalidate();
}

void THintWindow::ActivateHintData(const TRect& Rect, const AnsiString& AHint, void*)
{
    ActivateHint(Rect, AHint);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*)
{
    TRect Result = ::Rect(0, 0, MaxWidth, 0);
    HDC DC = GetDC(nullptr);
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    Canvas.SetFont(GetFont());
    DrawTextA(Canvas.GetHandle(), AHint.data(), int(AHint.size()), &Result,
              DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    Canvas.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    Result.Right += 6;
    Result.Bottom += 2;
    return Result;
}

void THintWindow::ReleaseHandle()
{
    SetVisible(false);
    DestroyHandle();
}

void THintWindow::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    C->GetBrush()->SetColor(GetColor());
    C->FillRect(R);
    R.Left += 2;
    R.Top += 2;
    C->SetFont(GetFont());
    C->GetBrush()->SetStyle(bsClear);
    const AnsiString Text = GetCaption();
    DrawTextA(C->GetHandle(), Text.data(), int(Text.size()), &R, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::WMNCPaint(TMessage& Message)
{
    // A one-pixel frame in the window-frame colour.
    HDC DC = GetWindowDC(GetHandle());
    TCanvas Canvas;
    Canvas.SetHandle(DC);
    Canvas.GetBrush()->SetColor(clWindowFrame);
    Canvas.FrameRect(Rect(0, 0, GetWidth(), GetHeight()));
    Canvas.SetHandle(nullptr);
    ReleaseDC(GetHandle(), DC);
    Message.Result = 0;
}

void THintWindow::WMNCHitTest(TMessage& Message)
{
    Message.Result = HTTRANSPARENT;
}
