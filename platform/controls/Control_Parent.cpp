// TControl among its parent's children: the parent, visibility and the
// z-order.
#include "platform/controls/WinControl.h"
#include "platform/qt/Bridge.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <vector>

using namespace platform::detail;

namespace {

// Moves Item to the top (the end) or the bottom of its z-ordered list;
// false when the list does not hold it.
template <typename T> bool Restack(std::vector<T*>& List, T* Item, bool TopMost)
{
    auto It = std::find(List.begin(), List.end(), Item);
    if (It == List.end()) return false;
    List.erase(It);
    if (TopMost)
        List.push_back(Item);
    else
        List.insert(List.begin(), Item);
    return true;
}

} // namespace

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) {
        AParent->InsertControl(this);
        UpdateAnchorRules();
    }
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value, 0);
    RequestAlign();
}

void TControl::Show()
{
    if (FParent) FParent->ShowControl(this);
    SetVisible(true);
}

void TControl::Hide()
{
    SetVisible(false);
}

// ---- Z order ----------------------------------------------------------------------------------------------

void TControl::BringToFront()
{
    SetZOrder(true);
}

void TControl::SendToBack()
{
    SetZOrder(false);
}

void TControl::SetZOrder(bool TopMost)
{
    if (FParent && Restack(FParent->FControls, this, TopMost)) InvalidateControl(FVisible, true);
}

void TWinControl::SetZOrder(bool TopMost)
{
    if (FParent) Restack(FParent->FWinControls, this, TopMost);
    // Offscreen windows cannot be stacked (Qt only warns).
    QWidget* Window = WidgetOf(FHandle);
    if (Window && !(Window->isWindow() && QGuiApplication::platformName() == QStringLiteral("offscreen"))) {
        if (TopMost)
            Window->raise();
        else
            Window->lower();
    }
}
