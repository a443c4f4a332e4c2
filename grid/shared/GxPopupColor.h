// grid/shared/GxPopupColor.h
// The colour matrix that the colour picker drops down, and the colour texts it hands on.
#pragma once
#include "grid/shared/GxPopupControl.h"
#include "platform/controls/Dialogs.h"

#include <array>

namespace GxPopupControl {

// UseNames: the class library's colour text (a "cl" name, else "$" and
// hexadecimal digits); otherwise always "$" and eight hexadecimal digits.
AnsiString DelphiColorToString(TColor Color, bool UseNames);
// "#RRGGBB" of the resolved colour; UseNames gives the first web colour
// name with that value instead.
AnsiString WebColorToString(TColor Color, bool UseNames);

// Registers "MORECOLORSBUTTON" and "NONECOLOR" (the unit's start-up runs it).
void RegisterColorPopupBitmaps();

using TColorOverEvent = std::function<void(TObject* Sender, TColor Value)>;
using TDialogCloseEvent = std::function<void(TObject* Sender, bool Executed)>;

// A 21 x 12 matrix of colour swatches under an info box that shows the
// colour under the pointer (else the selected one) and its text, with More
// Colours (the colour dialog) and None beside it. A click on a swatch hands
// on the colour's text, None an empty text.
class TGxColorPopup : public TGxPopupControl {
public:
    QM_CLASS(TGxColorPopup, TGxPopupControl)
    static constexpr int MatrixColumns = 21, MatrixRows = 12;

    explicit TGxColorPopup(TComponent* AOwner);

    TColor GetSelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    bool GetUseColorNames() const { return FUseColorNames; }
    void SetUseColorNames(bool Value) { FUseColorNames = Value; }
    bool GetWebColorFormat() const { return FWebColorFormat; }
    void SetWebColorFormat(bool Value) { FWebColorFormat = Value; }
    TColorDialog* GetColorDialog() const { return FColorDialog; }
    TGxMiniButton* GetColorsButton() const { return FColorsButton; }
    TGxMiniButton* GetNoneButton() const { return FNoneButton; }
    TColor GetMatrixColor(int Col, int Row) const { return FColorMatrix[Col][Row]; }

    // The colour as text in the popup's notation.
    AnsiString GetValueText(TColor Color) const;

    TColorOverEvent OnColorOver;
    TDialogCloseEvent OnDialogClose;

protected:
    virtual void DoColorOver(TColor Value);
    virtual void DoDialogClose(bool Executed);
    virtual void DoColorsButtonClick(TObject* Sender);
    virtual void DoNoneButtonClick(TObject* Sender);
    void DrawColorInfo(TColor Color);
    void AcquireValue(int X, int Y) override;
    void Paint() override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CreateWnd() override;

private:
    void GenerateColorMatrix();
    // The swatch under a client point; false on none.
    static bool SwatchAt(int X, int Y, int& Col, int& Row);

    TColorDialog* FColorDialog;
    std::array<std::array<TColor, MatrixRows>, MatrixColumns> FColorMatrix{};
    TGxMiniButton* FColorsButton;
    TGxMiniButton* FNoneButton;
    TColor FSelectedColor = clNone;
    bool FUseColorNames = false;
    bool FWebColorFormat = false;
};

} // namespace GxPopupControl
