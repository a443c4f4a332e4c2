// A window's own scroll bars (platform/win/WinScroll.h): the Win32 state of
// each bar, shown by a QScrollBar child of the window at the place Windows
// gives it. The QScrollBar never moves by itself: every action on it becomes
// a WM_HSCROLL / WM_VSCROLL, and the bar shows the position the window sets.
// It looks as the system draws a bar, hot and pressed parts included.
#include "platform/win/WinScroll.h"
#include "platform/graphics/BitmapImages.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/qt/Guarded.h"
#include "platform/win/UxTheme.h"
#include "platform/win/WinUser.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionSlider>

#include <algorithm>
#include <climits>

namespace platform::detail {

namespace {

struct TBarState {
    int Min = 0;
    int Max = 100; // a new window's bars have the range 0..100, as on Windows
    UINT Page = 0;
    int Pos = 0;
    UINT Arrows = ESB_ENABLE_BOTH; // the ESB_DISABLE_* arrows
    bool Tracking = false;
    int TrackPos = 0;
    QPointer<QScrollBar> Widget;

    // The highest position: Max - Page + 1 (Max when Page is 0).
    int Highest() const
    {
        const std::int64_t H = std::int64_t(Max) - std::max<std::int64_t>(std::int64_t(Page) - 1, 0);
        return int(std::max<std::int64_t>(H, Min));
    }
    bool Scrollable() const { return std::int64_t(Max) - std::max<std::int64_t>(std::int64_t(Page) - 1, 0) > Min; }
};

// ---- How the bars look ------------------------------------------------------------------

// A window's scroll bars keep Windows' geometry (arrow buttons as long as the
// bar is thick) and show each part as the system draws it: the theme's part
// in its state, or the classic frame controls, edges and track pattern, so
// that they match what the program draws itself. Qt's own scroll-bar style
// still decides where the mouse is and what it presses.
class TWindowBarStyle : public QProxyStyle {
public:
    TWindowBarStyle() : QProxyStyle(QStringLiteral("Fusion")), FTheme(OpenThemeData(nullptr, u"scrollbar")) {}
    ~TWindowBarStyle() override
    {
        if (FTheme) CloseThemeData(FTheme);
    }

    int pixelMetric(PixelMetric Metric, const QStyleOption* Option, const QWidget* Widget) const override
    {
        if (Metric == PM_ScrollBarExtent) return GetSystemMetrics(SM_CXVSCROLL);
        return QProxyStyle::pixelMetric(Metric, Option, Widget);
    }
    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* Painter,
                            const QWidget* Widget) const override;

private:
    void DrawArrow(HDC DC, const TRect& R, int Direction, int State) const;
    void DrawThumb(HDC DC, const TRect& R, bool Vertical, int State) const;
    void DrawTrack(TCanvas* Canvas, const TRect& R, bool Vertical, bool Lower, int State) const;

    HTHEME FTheme; // null: the classic look
    // Where a horizontal [0] and a vertical [1] bar is drawn before it is shown.
    TOwned<TBitmap> FBuffers[2] = {MakeOwned<TBitmap>(), MakeOwned<TBitmap>()};
};

// A part's state as the theme numbers it (the classic look reads the same):
// normal 1, hot 2, pressed 3, disabled 4.
int PartState(const QStyleOptionSlider& O, QStyle::SubControl Part)
{
    if (!(O.state & QStyle::State_Enabled)) return SCRBS_DISABLED;
    if (!(O.activeSubControls & Part)) return SCRBS_NORMAL;
    return (O.state & QStyle::State_Sunken) ? SCRBS_PRESSED : SCRBS_HOT;
}

// Direction: 0 up, 1 down, 2 left, 3 right, as the theme orders its arrows.
void TWindowBarStyle::DrawArrow(HDC DC, const TRect& R, int Direction, int State) const
{
    if (FTheme) {
        DrawThemeBackground(FTheme, DC, SBP_ARROWBTN, ABS_UPNORMAL + 4 * Direction + State - 1, &R, nullptr);
        return;
    }
    static constexpr UINT Kinds[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
    UINT Look = Kinds[Direction];
    if (State == SCRBS_PRESSED) Look |= DFCS_PUSHED | DFCS_FLAT;
    if (State == SCRBS_DISABLED) Look |= DFCS_INACTIVE;
    TRect Box = R;
    DrawFrameControl(DC, &Box, DFC_SCROLL, Look);
}

void TWindowBarStyle::DrawThumb(HDC DC, const TRect& R, bool Vertical, int State) const
{
    if (!FTheme) {
        TRect Box = R;
        DrawEdge(DC, &Box, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        return;
    }
    DrawThemeBackground(FTheme, DC, Vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, State, &R, nullptr);
    // The grip lines only where the thumb has room for them.
    if ((Vertical ? R.Height() : R.Width()) > 16)
        DrawThemeBackground(FTheme, DC, Vertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, State, &R, nullptr);
}

// Lower: the track before the thumb (page up or left).
void TWindowBarStyle::DrawTrack(TCanvas* Canvas, const TRect& R, bool Vertical, bool Lower, int State) const
{
    if (FTheme) {
        static constexpr int Parts[2][2] = {{SBP_UPPERTRACKHORZ, SBP_LOWERTRACKHORZ},
                                            {SBP_UPPERTRACKVERT, SBP_LOWERTRACKVERT}};
        DrawThemeBackground(FTheme, Canvas->GetHandle(), Parts[Vertical][Lower], State, &R, nullptr);
        return;
    }
    // A pressed page is dark; otherwise the checkered track shows. The
    // buffer's brush holds no other bitmap, so it keeps the pattern from one
    // paint to the next instead of copying it in for every track.
    TBrush* Brush = Canvas->GetBrush();
    if (State == SCRBS_PRESSED) {
        Brush->SetBitmap(nullptr);
        Brush->SetColor(cl3DDkShadow);
    } else if (!Brush->GetBitmap()) {
        Brush->SetBitmap(AllocPatternBitmap(clScrollBar, clBtnHighlight));
    }
    Canvas->FillRect(R);
}

void TWindowBarStyle::drawComplexControl(ComplexControl Control, const QStyleOptionComplex* Option, QPainter* Painter,
                                         const QWidget* Widget) const
{
    const auto* O = qstyleoption_cast<const QStyleOptionSlider*>(Option);
    if (Control != CC_ScrollBar || !O) return QProxyStyle::drawComplexControl(Control, Option, Painter, Widget);
    const bool Vertical = O->orientation == Qt::Vertical;
    TBitmap* Buffer = FBuffers[Vertical].get();
    if (Buffer->GetWidth() != O->rect.width() || Buffer->GetHeight() != O->rect.height())
        Buffer->SetSize(O->rect.width(), O->rect.height());
    TCanvas* Canvas = Buffer->GetCanvas();
    HDC DC = Canvas->GetHandle();
    auto Place = [&](SubControl Part) {
        return FromQRect(subControlRect(CC_ScrollBar, O, Part, Widget).translated(-O->rect.topLeft()));
    };
    // A disabled bar has no thumb: the track runs from arrow to arrow.
    if (!(O->state & State_Enabled)) {
        DrawTrack(Canvas, Place(SC_ScrollBarGroove), Vertical, true, SCRBS_DISABLED);
    } else {
        DrawTrack(Canvas, Place(SC_ScrollBarSubPage), Vertical, true, PartState(*O, SC_ScrollBarSubPage));
        DrawTrack(Canvas, Place(SC_ScrollBarAddPage), Vertical, false, PartState(*O, SC_ScrollBarAddPage));
        DrawThumb(DC, Place(SC_ScrollBarSlider), Vertical, PartState(*O, SC_ScrollBarSlider));
    }
    // Right to left, a horizontal bar's first arrow is at its right and points right.
    const bool Mirrored = !Vertical && O->direction == Qt::RightToLeft;
    DrawArrow(DC, Place(SC_ScrollBarSubLine), Vertical ? 0 : Mirrored ? 3 : 2, PartState(*O, SC_ScrollBarSubLine));
    DrawArrow(DC, Place(SC_ScrollBarAddLine), Vertical ? 1 : Mirrored ? 2 : 3, PartState(*O, SC_ScrollBarAddLine));
    Painter->drawImage(O->rect.topLeft(), DataOf(Buffer).Colors());
}

// One style for the bars of every window, living as long as the application object.
QStyle* WindowBarStyle()
{
    static QPointer<QStyle> Style;
    if (!Style) {
        Style = new TWindowBarStyle;
        Style->setParent(qApp);
    }
    return Style;
}

// ---- The bars of a window ----------------------------------------------------------------

// The scroll bars of one window; a child object of the window, so it goes with it.
class TWindowScrollBars : public QObject {
public:
    explicit TWindowScrollBars(TBridgeWidget* Window) : QObject(Window), FWindow(Window) {}

    TBarState& State(int Bar) { return FBars[Bar == SB_VERT ? 1 : 0]; }
    void Sync();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void SyncBar(int Bar, const QRect& Place);
    QScrollBar* MakeWidget(int Bar);
    void Action(int Bar, int QtAction);
    void ThumbMoved(int Bar, int Position);
    void ThumbReleased(int Bar);
    // Sends a scroll message to the window through its chain.
    void Notify(int Bar, WORD Code, int Position);

    TBridgeWidget* FWindow;
    TBarState FBars[2];
};

TWindowScrollBars* FindBars(TBridgeWidget* Window)
{
    for (QObject* Child : Window->children())
        if (auto* B = dynamic_cast<TWindowScrollBars*>(Child)) return B;
    return nullptr;
}

TWindowScrollBars* BarsOf(HWND Wnd)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W) return nullptr;
    TWindowScrollBars* B = FindBars(W);
    return B ? B : new TWindowScrollBars(W);
}

void TWindowScrollBars::Sync()
{
    if (!FWindow->Live()) return;
    const TScrollBarRects R = ScrollBarRects(FWindow->Shape());
    SyncBar(SB_HORZ, R.Horz);
    SyncBar(SB_VERT, R.Vert);
}

void TWindowScrollBars::SyncBar(int Bar, const QRect& Place)
{
    TBarState& S = State(Bar);
    if (Place.isEmpty()) {
        if (S.Widget) S.Widget->hide();
        return;
    }
    QScrollBar* W = S.Widget ? S.Widget.data() : MakeWidget(Bar);
    const QSignalBlocker Blocker(W);
    // Dragging, the thumb stays under the mouse whatever position the window sets.
    const bool Down = W->isSliderDown();
    const int DragPos = W->sliderPosition();
    W->setRange(S.Min, S.Highest());
    W->setPageStep(int(std::min<UINT>(S.Page, INT_MAX)));
    W->setValue(S.Pos);
    if (Down) W->setSliderPosition(DragPos);
    W->setEnabled((S.Arrows & ESB_DISABLE_BOTH) != ESB_DISABLE_BOTH);
    W->setGeometry(Place);
    W->show();
}

QScrollBar* TWindowScrollBars::MakeWidget(int Bar)
{
    auto* W = new QScrollBar(Bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, FWindow);
    W->setStyle(WindowBarStyle());
    W->setAttribute(Qt::WA_Hover); // the part under the mouse shows hot
    W->setTracking(false);
    W->setFocusPolicy(Qt::NoFocus);
    W->setCursor(Qt::ArrowCursor);
    W->setSingleStep(1);
    W->installEventFilter(this);
    connect(W, &QAbstractSlider::actionTriggered, this, [this, Bar](int A) { Action(Bar, A); });
    connect(W, &QAbstractSlider::sliderMoved, this, [this, Bar](int P) { ThumbMoved(Bar, P); });
    connect(W, &QAbstractSlider::sliderReleased, this, [this, Bar] { ThumbReleased(Bar); });
    State(Bar).Widget = W;
    return W;
}

bool TWindowScrollBars::eventFilter(QObject*, QEvent* Event)
{
    // The wheel over a bar turns the window's contents, as on Windows: the
    // window takes the event as its own.
    if (Event->type() != QEvent::Wheel || !FWindow->Live()) return false;
    QCoreApplication::sendEvent(FWindow, Event);
    return true;
}

void TWindowScrollBars::Notify(int Bar, WORD Code, int Position)
{
    if (!FWindow->Live()) return;
    Guarded(FWindow->Handle(),
            [&] { FWindow->Send(Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKELONG(Code, WORD(Position)), 0); });
}

void TWindowScrollBars::Action(int Bar, int QtAction)
{
    WORD Code = 0;
    switch (QtAction) {
    case QAbstractSlider::SliderSingleStepSub:
        Code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        Code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        Code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        Code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderToMinimum:
        Code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        Code = SB_BOTTOM;
        break;
    default:
        // The end of a thumb drag (the messages went with the release): the
        // bar goes back to the window's position.
        if (QScrollBar* W = State(Bar).Widget) W->setSliderPosition(State(Bar).Pos);
        return;
    }
    QPointer<QScrollBar> W = State(Bar).Widget;
    Notify(Bar, Code, 0);
    // Qt moves the bar after this signal; it shows the window's position instead.
    if (W) W->setSliderPosition(State(Bar).Pos);
    Notify(Bar, SB_ENDSCROLL, 0);
}

void TWindowScrollBars::ThumbMoved(int Bar, int Position)
{
    TBarState& S = State(Bar);
    S.Tracking = true;
    S.TrackPos = Position;
    Notify(Bar, SB_THUMBTRACK, Position);
}

void TWindowScrollBars::ThumbReleased(int Bar)
{
    TBarState& S = State(Bar);
    if (S.Widget) S.TrackPos = S.Widget->sliderPosition();
    S.Tracking = true;
    Notify(Bar, SB_THUMBPOSITION, S.TrackPos);
    State(Bar).Tracking = false;
    Notify(Bar, SB_ENDSCROLL, 0);
}

// Shows or hides a bar through the window's style; the client area follows.
bool SetBarShown(TBridgeWidget* W, int Bar, bool Show)
{
    DWORD& Style = W->Style;
    const DWORD Bits = Bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : Bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    const DWORD Old = Style;
    Style = Show ? (Style | Bits) : (Style & ~Bits);
    if (Style == Old) return false;
    SetWindowPos(W->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    return true;
}

bool IsWindowBar(int Bar)
{
    return Bar == SB_HORZ || Bar == SB_VERT;
}

} // namespace

void SyncScrollBars(TBridgeWidget* Window)
{
    if (TWindowScrollBars* B = FindBars(Window)) {
        B->Sync();
    } else if (Window->Live() && (Window->Style & (WS_HSCROLL | WS_VSCROLL))) {
        (new TWindowScrollBars(Window))->Sync();
    }
}

} // namespace platform::detail

using namespace platform::detail;

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL)
{
    TWindowScrollBars* B = IsWindowBar(Bar) && Info ? BarsOf(Wnd) : nullptr;
    if (!B) return 0;
    TBarState& S = B->State(Bar);
    const UINT Mask = Info->fMask;
    if (Mask & SIF_PAGE) S.Page = Info->nPage;
    if (Mask & SIF_RANGE) {
        // A reversed range or one wider than 31 bits is no range.
        if (Info->nMin > Info->nMax || std::int64_t(Info->nMax) - Info->nMin >= 0x80000000LL) {
            S.Min = 0;
            S.Max = 0;
        } else {
            S.Min = Info->nMin;
            S.Max = Info->nMax;
        }
    }
    S.Page = UINT(std::min<std::int64_t>(S.Page, std::int64_t(S.Max) - S.Min + 1));
    if (Mask & SIF_POS) S.Pos = Info->nPos;
    S.Pos = std::clamp(S.Pos, S.Min, S.Highest());

    // A range with nothing to scroll hides the bar or, asked to, disables it;
    // a range with something to scroll shows and enables it again.
    TBridgeWidget* W = BridgeOf(Wnd);
    if (Mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        if (!S.Scrollable()) {
            if (Mask & SIF_DISABLENOSCROLL)
                S.Arrows = ESB_DISABLE_BOTH;
            else if (Mask & (SIF_RANGE | SIF_PAGE))
                SetBarShown(W, Bar, false);
        } else if (Mask != SIF_PAGE) {
            S.Arrows = ESB_ENABLE_BOTH;
            if (Mask & (SIF_RANGE | SIF_PAGE)) SetBarShown(W, Bar, true);
        }
    }
    const int Pos = S.Pos;
    if (BridgeOf(Wnd)) SyncScrollBars(W);
    return Pos;
}

BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info)
{
    TWindowScrollBars* B = IsWindowBar(Bar) && Info ? BarsOf(Wnd) : nullptr;
    if (!B) return 0;
    const TBarState& S = B->State(Bar);
    if (Info->fMask & SIF_RANGE) {
        Info->nMin = S.Min;
        Info->nMax = S.Max;
    }
    if (Info->fMask & SIF_PAGE) Info->nPage = S.Page;
    if (Info->fMask & SIF_POS) Info->nPos = S.Pos;
    if (Info->fMask & SIF_TRACKPOS) Info->nTrackPos = S.Tracking ? S.TrackPos : S.Pos;
    return 1;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw)
{
    const int Old = GetScrollPos(Wnd, Bar);
    SCROLLINFO Info;
    Info.fMask = SIF_POS;
    Info.nPos = Pos;
    SetScrollInfo(Wnd, Bar, &Info, Redraw);
    return Old;
}

int GetScrollPos(HWND Wnd, int Bar)
{
    SCROLLINFO Info;
    Info.fMask = SIF_POS;
    return GetScrollInfo(Wnd, Bar, &Info) ? Info.nPos : 0;
}

BOOL GetScrollRange(HWND Wnd, int Bar, int* MinPos, int* MaxPos)
{
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE;
    if (!GetScrollInfo(Wnd, Bar, &Info)) return 0;
    if (MinPos) *MinPos = Info.nMin;
    if (MaxPos) *MaxPos = Info.nMax;
    return 1;
}

BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show)
{
    TBridgeWidget* W = BridgeOf(Wnd);
    if (!W || (!IsWindowBar(Bar) && Bar != SB_BOTH)) return 0;
    BarsOf(Wnd);
    if (!SetBarShown(W, Bar, Show != 0) && BridgeOf(Wnd)) SyncScrollBars(W);
    return 1;
}

BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows)
{
    TWindowScrollBars* B = (int(Bar) == SB_BOTH || IsWindowBar(int(Bar))) ? BarsOf(Wnd) : nullptr;
    if (!B) return 0;
    bool Changed = false;
    for (int Which : {SB_HORZ, SB_VERT}) {
        if (int(Bar) != SB_BOTH && int(Bar) != Which) continue;
        TBarState& S = B->State(Which);
        Changed = Changed || S.Arrows != (Arrows & ESB_DISABLE_BOTH);
        S.Arrows = Arrows & ESB_DISABLE_BOTH;
    }
    B->Sync();
    return Changed;
}
