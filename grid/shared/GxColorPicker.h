// grid/shared/GxColorPicker.h
// The colour edit: a colour written as text, in the class library's "$"
// notation or the web's "#RRGGBB", optionally as a colour name, shown in
// the preview box and picked from the colour popup.
#pragma once
#include "grid/shared/GxButtonEdit.h"
#include "grid/shared/GxPopupColor.h"

namespace GxColorPicker {

using namespace GxButtonEdit;
using GxPopupControl::TColorOverEvent;
using GxPopupControl::TDialogCloseEvent;

enum TGxColorPickerOption { coAllowColorNames, coColorsButton, coNoneButton };
using TGxColorPickerOptions = Set<TGxColorPickerOption>;

// Typing takes only what the notation can hold, and each change of the text
// reads the colour anew; an empty text is no colour (clNone), and a text
// that is no colour keeps the colour before it. Short texts read as padded
// on the right: "#FF" is red, "$FF" is $FF000000.
class TGxColorPicker : public TGxPopupEdit {
public:
    QM_CLASS(TGxColorPicker, TGxPopupEdit)
    explicit TGxColorPicker(TComponent* AOwner);

    // The colour as text in the current notation; clNone gives "".
    AnsiString GetColorAsString(TColor Color) const;
    // The colour of a text in the current notation; false when it is none.
    bool GetColorFromText(const AnsiString& S, TColor& Color) const;
    // Whether S names a colour of the current notation, case ignored.
    bool IsValidColorName(const AnsiString& S) const;
    // S with only what the notation holds; with AddPrefix, its prefix in front.
    AnsiString GetValidText(const AnsiString& S, bool AddPrefix) const;
    // S padded on the right with '0' or cut to the notation's length.
    void CorrectLenght(AnsiString& S) const;
    // The colour of S becomes the selected one; the text stays as it is.
    void SetTextToColor(const AnsiString& S);

    TColorDialog* GetColorDialog() const;
    TGxColorPickerOptions GetOptions() const { return FOptions; }
    void SetOptions(TGxColorPickerOptions Value) { FOptions = Value; }
    TColor GetSelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    bool GetWebColorFormat() const { return FWebColorFormat; }
    void SetWebColorFormat(bool Value);

    TColorOverEvent OnColorOver;
    TDialogCloseEvent OnDialogClose;

protected:
    TGxPopupControlClass GetPopupControlClass() override;
    void CreatePopupControl() override;
    void BeforeDrop(TPoint& Point) override;
    void DoDropDownInput(TObject* Sender, const AnsiString& Value) override;
    void DoTextChange() override;
    void Change() override;
    virtual void DoColorOver(TColor Value);
    virtual void DoDialogClose(bool Executed);
    void PaintPreview(TCanvas* ACanvas, const TRect& Rect) override;
    void KeyPress(WideChar& Key) override;
    void WMKillFocus(TMessage& Message) override;
    void WMPaste(TMessage& Message) override;

private:
    std::size_t TextLength() const { return FWebColorFormat ? 7 : 9; }
    char Prefix() const { return FWebColorFormat ? '#' : '$'; }

    TGxColorPickerOptions FOptions{coColorsButton, coNoneButton};
    TColor FSelectedColor = 0xFFFFFF;
    bool FWebColorFormat = false;
};

} // namespace GxColorPicker
