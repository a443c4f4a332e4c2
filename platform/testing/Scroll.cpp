#include "platform/testing/Scroll.h"
#include "platform/controls/ControlWindows.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/win/WinScroll.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

using namespace platform::detail;

namespace platform::test {

namespace {

QScrollBar* BarWidget(TWinControl* Control, int Bar)
{
    QWidget* W = WindowWidget(Control);
    const Qt::Orientation Want = Bar == SB_VERT ? Qt::Vertical : Qt::Horizontal;
    for (QScrollBar* S : W->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
        if (S->orientation() == Want) return S;
    return nullptr;
}

QScrollBar* ShownBar(TWinControl* Control, int Bar)
{
    QScrollBar* S = BarWidget(Control, Bar);
    if (!S || S->isHidden()) throw EInvalidOperation("The window shows no such scroll bar");
    return S;
}

QRect PartRect(QScrollBar* S, TScrollBarPart Part)
{
    QStyleOptionSlider Option;
    Option.initFrom(S);
    Option.subControls = QStyle::SC_All;
    Option.orientation = S->orientation();
    Option.minimum = S->minimum();
    Option.maximum = S->maximum();
    Option.sliderPosition = S->sliderPosition();
    Option.sliderValue = S->value();
    Option.singleStep = S->singleStep();
    Option.pageStep = S->pageStep();
    if (S->orientation() == Qt::Horizontal) Option.state |= QStyle::State_Horizontal;
    const QStyle::SubControl Sub[] = {QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
                                      QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage,
                                      QStyle::SC_ScrollBarSlider};
    return S->style()->subControlRect(QStyle::CC_ScrollBar, &Option, Sub[Part], S);
}

ulong Clock = 5000;

void SendButton(QScrollBar* S, QEvent::Type Type, QPoint Local, Qt::MouseButtons Buttons)
{
    QMouseEvent E(Type, QPointF(Local), QPointF(S->mapToGlobal(Local)),
                  Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons, Qt::NoModifier);
    E.setTimestamp(Clock += 10);
    QApplication::sendEvent(S, &E);
}

} // namespace

bool ScrollBarShown(TWinControl* Control, int Bar)
{
    QScrollBar* S = BarWidget(Control, Bar);
    return S && !S->isHidden();
}

bool ScrollBarEnabled(TWinControl* Control, int Bar)
{
    QScrollBar* S = BarWidget(Control, Bar);
    return S && !S->isHidden() && S->isEnabled();
}

TRect ScrollBarRect(TWinControl* Control, int Bar)
{
    QScrollBar* S = BarWidget(Control, Bar);
    if (!S || S->isHidden()) return TRect();
    auto* W = static_cast<TBridgeWidget*>(WindowWidget(Control));
    return FromQRect(S->geometry().translated(-W->ClientOffset()));
}

TRect ScrollBarPartRect(TWinControl* Control, int Bar, TScrollBarPart Part)
{
    QScrollBar* S = ShownBar(Control, Bar);
    auto* W = static_cast<TBridgeWidget*>(WindowWidget(Control));
    return FromQRect(PartRect(S, Part).translated(S->pos() - W->ClientOffset()));
}

void ClickScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part)
{
    QPointer<QScrollBar> Guard(ShownBar(Control, Bar));
    PressScrollBar(Control, Bar, Part);
    if (Guard) ReleaseScrollBar(Control, Bar, Part);
}

void PressScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part)
{
    QScrollBar* S = ShownBar(Control, Bar);
    SendButton(S, QEvent::MouseButtonPress, PartRect(S, Part).center(), Qt::LeftButton);
}

void ReleaseScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part)
{
    QScrollBar* S = ShownBar(Control, Bar);
    SendButton(S, QEvent::MouseButtonRelease, PartRect(S, Part).center(), Qt::NoButton);
}

void HoverScrollBar(TWinControl* Control, int Bar, TScrollBarPart Part)
{
    QScrollBar* S = ShownBar(Control, Bar);
    SendButton(S, QEvent::MouseMove, PartRect(S, Part).center(), Qt::NoButton);
}

void LeaveScrollBar(TWinControl* Control, int Bar)
{
    QScrollBar* S = ShownBar(Control, Bar);
    const QPointF Outside(-1, -1);
    QHoverEvent Hover(QEvent::HoverLeave, Outside, S->mapToGlobal(Outside), Outside);
    QApplication::sendEvent(S, &Hover);
    QEvent Leave(QEvent::Leave);
    QApplication::sendEvent(S, &Leave);
}

TColor ShownPixelAt(TWinControl* Control, int X, int Y)
{
    PaintNow(Control);
    auto* W = static_cast<TBridgeWidget*>(WindowWidget(Control));
    const QPoint At = QPoint(X, Y) + W->ClientOffset();
    if (!W->rect().contains(At)) return CLR_INVALID;
    // Rendered at one image pixel per window pixel, whatever the screen's pixel ratio.
    QImage Shown(W->size(), QImage::Format_RGB32);
    W->render(&Shown);
    return FromQColor(Shown.pixelColor(At));
}

void DragScrollThumb(TWinControl* Control, int Bar, int Pixels, int Steps, bool Release)
{
    QScrollBar* S = ShownBar(Control, Bar);
    QPointer<QScrollBar> Guard(S);
    const QPoint Start = PartRect(S, sbpThumb).center();
    const QPoint Along = S->orientation() == Qt::Vertical ? QPoint(0, 1) : QPoint(1, 0);
    SendButton(S, QEvent::MouseButtonPress, Start, Qt::LeftButton);
    Steps = std::max(Steps, 1);
    for (int I = 1; I <= Steps && Guard; ++I)
        SendButton(S, QEvent::MouseMove, Start + Along * (Pixels * I / Steps), Qt::LeftButton);
    if (Release && Guard) SendButton(S, QEvent::MouseButtonRelease, Start + Along * Pixels, Qt::NoButton);
}

void WheelOnScrollBar(TWinControl* Control, int Bar, int Delta)
{
    QScrollBar* S = ShownBar(Control, Bar);
    const QPoint Local = S->rect().center();
    QWheelEvent E(QPointF(Local), QPointF(S->mapToGlobal(Local)), QPoint(), QPoint(0, Delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(S, &E);
}

bool WindowShapeContains(TWinControl* Control, int X, int Y)
{
    QWidget* W = WindowWidget(Control);
    const QPoint P(X, Y);
    if (!W->rect().contains(P)) return false;
    return W->mask().isEmpty() || W->mask().contains(P);
}

bool IsFloatingToolWindow(TWinControl* Control)
{
    QWidget* W = WindowWidget(Control);
    return W->isWindow() && W->windowType() == Qt::ToolTip && (W->windowFlags() & Qt::WindowStaysOnTopHint) &&
           W->focusPolicy() == Qt::NoFocus;
}

} // namespace platform::test
