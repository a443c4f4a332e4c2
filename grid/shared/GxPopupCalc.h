// grid/shared/GxPopupCalc.h
// The calculator pad that the calculator edit drops down.
#pragma once
#include "grid/shared/GxPopupControl.h"

#include <array>

namespace GxPopupControl {

// The arithmetic the pad's keys drive, which the calculator edit implements.
class IGxCalculator {
public:
    virtual void Backspace() = 0;
    virtual void Erase() = 0;
    virtual void ClearValue() = 0;
    virtual void ClearMemory() = 0;
    virtual void AddNumber(int Digit) = 0;
    virtual void AddDot() = 0;
    virtual void Divide() = 0;
    virtual void Multiply() = 0;
    virtual void Minus() = 0;
    virtual void Plus() = 0;
    virtual void Equal() = 0;
    virtual void Sqrt() = 0;
    virtual void Ratio() = 0;
    virtual void Sign() = 0;
    // The memory := the shown value.
    virtual void Memory() = 0;
    // The memory += the shown value.
    virtual void MemoryAdd() = 0;
    virtual void RestoreMemory() = 0;
    virtual bool IsMemoryEmpty() const = 0;

protected:
    ~IGxCalculator() = default;
};

enum TCalcButtonKind {
    ckBackspace,
    ckCe,
    ckC,
    ckMC,
    ck7,
    ck8,
    ck9,
    ckDiv,
    ckSqrt,
    ckMR,
    ck4,
    ck5,
    ck6,
    ckMultiply,
    ckPercent,
    ckMS,
    ck1,
    ck2,
    ck3,
    ckMinus,
    ckRatio,
    ckM,
    ck0,
    ckSign,
    ckDot,
    ckPlus,
    ckEqual
};
inline constexpr int CalcButtonCount = ckEqual + 1;

// One key of the pad.
class TGxCalcButton : public TGxMiniButton {
public:
    QM_CLASS(TGxCalcButton, TGxMiniButton)
    using TGxMiniButton::TGxMiniButton;

    TCalcButtonKind GetButtonKind() const { return FButtonKind; }
    void SetButtonKind(TCalcButtonKind Value) { FButtonKind = Value; }

private:
    TCalcButtonKind FButtonKind = ckBackspace;
};

enum TOperationButtonKind { obDivide, obMultiply, obMinus, obPlus };
enum TMemoryButtonKind { mbClear, mbRestore, mbSave, mbAdd };
enum TMainButtonKind { nbBackspace, nbCe, nbC };
enum TFunctionButtonKind { fkSqrt, fkPercent, fkRatio };

// Key families by what they do; the pad itself makes TGxCalcButton keys.
class TGxOperationButton : public TGxMiniButton {
public:
    QM_CLASS(TGxOperationButton, TGxMiniButton)
    using TGxMiniButton::TGxMiniButton;
};
class TGxMemoryButton : public TGxMiniButton {
public:
    QM_CLASS(TGxMemoryButton, TGxMiniButton)
    using TGxMiniButton::TGxMiniButton;
};
class TGxMainButton : public TGxMiniButton {
public:
    QM_CLASS(TGxMainButton, TGxMiniButton)
    using TGxMiniButton::TGxMiniButton;
};
class TGxFunctionButton : public TGxMiniButton {
public:
    QM_CLASS(TGxFunctionButton, TGxMiniButton)
    using TGxMiniButton::TGxMiniButton;
};

// A 27-key pocket calculator: the clearing keys in a row at the top, then
// four rows of memory keys, digits, operators and functions, and a small
// box that shows "M" while the memory holds a value. The keys call the
// owning edit's arithmetic (IGxCalculator); with any other owner they do
// nothing. Clicks beside the keys do nothing.
class TGxCalcPopup : public TGxPopupControl {
public:
    QM_CLASS(TGxCalcPopup, TGxPopupControl)
    explicit TGxCalcPopup(TComponent* AOwner);

    static AnsiString GetButtonCaption(TCalcButtonKind Kind);
    static TColor GetButtonFontColor(TCalcButtonKind Kind);
    TGxCalcButton* GetButton(TCalcButtonKind Kind) const { return FButtons[Kind]; }
    TRect GetMemoryRect() const { return TRect(6, 6, 28, 28); }
    void RefreshMemoryRect();

protected:
    virtual void CreateButtons();
    virtual void DoButtonClick(TObject* Sender);
    void AcquireValue(int X, int Y) override { (void)X, (void)Y; }
    void Paint() override;

private:
    IGxCalculator* Calculator() const;

    std::array<TGxCalcButton*, CalcButtonCount> FButtons{};
};

} // namespace GxPopupControl
