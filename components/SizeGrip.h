// components/SizeGrip.h
// A resize grip for any windowed control: the component hooks the target's
// window procedure, paints the grip in the target's bottom corner after
// each paint and answers the hit test there as the window's bottom corner,
// so that dragging it resizes the top-level window.
#pragma once
#include "platform/controls/Controls.h"
#include "platform/win/WindowHook.h"

#include <memory>

namespace SizeGrip {

enum TSizeGripStyle { sgsClassic, sgsWinXP };

class TSizeGrip : public TComponent {
public:
    QM_CLASS(TSizeGrip, TComponent)
    explicit TSizeGrip(TComponent* AOwner);
    ~TSizeGrip() override;
    // A grip made by code (not loaded with its owner) takes its owner, or the
    // owner's parent, as the target.
    void AfterConstruction() override;

    TWinControl* GetTargetControl() const { return FTargetControl; }
    void SetTargetControl(TWinControl* Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    TSizeGripStyle GetStyle() const { return FStyle; }
    void SetStyle(TSizeGripStyle Value);

    // The grip square for the target as it is now, in its client coordinates
    // (empty without a target).
    virtual void GetGripRect(TRect& Rect);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Draws the grip into R on DC.
    virtual void PaintIt(HDC DC, const TRect& R);
    // The target's window procedure while the grip is attached.
    virtual void NewWndProc(TMessage& Message);

    // A Width x Height square in the bottom corner of the target's client
    // area: the right corner, or the left one where the target's scroll bar
    // sits on the left.
    TRect CornerSquare(int Width, int Height);
    // Takes the grip square anew (while attached) and repaints it.
    void UpdateGrip();
    // Repaints the target under the grip square, background first.
    void InvalidateGrip();

private:
    bool Attached() const { return FHook.Hooked(); }
    void Attach();
    void Detach();

    TWinControl* FTargetControl = nullptr;
    bool FEnabled = true;
    TSizeGripStyle FStyle = sgsClassic;
    TRect FGripRect;
    TWindowHook FHook;
    // Goes with the grip: the hook sees whether a handler run by the
    // target's own procedure freed the grip meanwhile.
    std::shared_ptr<int> FLife = std::make_shared<int>(0);
};

// The same grip in the Windows XP look (dots) from the start.
class TSizeGripXP : public TSizeGrip {
public:
    QM_CLASS(TSizeGripXP, TSizeGrip)
    explicit TSizeGripXP(TComponent* AOwner);
};

} // namespace SizeGrip
