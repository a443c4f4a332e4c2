// grid/shared/GxEdit.cpp
// The edit base: margins, the value interface, the window it makes, and the
// two routines the number editors share.
#include "grid/shared/GxEdit.h"
#include "grid/shared/GxClasses.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinResources.h"

namespace GxEdit {

using namespace GxClasses;

// ---- Margins
// -------------------------------------------------------------------------------

void TGxEditMargins::SetLeft(int Value)
{
    FLeft = Value;
    FEdit->RecreateWnd();
}

void TGxEditMargins::SetRight(int Value)
{
    FRight = Value;
    FEdit->RecreateWnd();
}

void TGxMargins::Store(int& Field, int Value)
{
    Field = Value;
    FEdit->RecreateWnd();
}

void TGxMargins::SetTop(int Value)
{
    Store(FTop, Value);
}

void TGxMargins::SetBottom(int Value)
{
    Store(FBottom, Value);
}

void TGxMargins::SetRight(int Value)
{
    Store(FRight, Value);
}

void TGxMargins::SetLeft(int Value)
{
    Store(FLeft, Value);
}

// ---- The edit base
// ---------------------------------------------------------------------------

TGxCustomEdit::TGxCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    FEditInfo = New<TGxEditInfo>(this);
    FEditInfo->OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        DoEditInfoMouseDown(Sender, Button, Shift, X, Y);
    };
    FEditMargins.reset(New<TGxEditMargins>(this));
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->OnChange = [this](TObject*) { UpdateGlyph(); };
    SetAutoSize(true);
    SetBorderStyle(bsSingle);
    SetColor(clWindow);
    SetParentColor(false);
    SetBounds(GetLeft(), GetTop(), 121, 20);
    SetTabStop(true);
    if (Screen) Screen->SetCursors(crReversedArrow, LoadCursor(HInstance, "REVERSEDARROW"));
}

TGxCustomEdit::~TGxCustomEdit() = default;

bool TGxCustomEdit::GetAsBoolean()
{
    return StrToBool(GetText());
}

TDateTime TGxCustomEdit::GetAsDateTime()
{
    return StrToDateTime(GetText());
}

double TGxCustomEdit::GetAsFloat()
{
    return StrToFloat(GetText());
}

int TGxCustomEdit::GetAsInteger()
{
    return StrToInt(GetText());
}

WideString TGxCustomEdit::GetAsString()
{
    return Utf8ToWide(GetText());
}

void TGxCustomEdit::SetAsBoolean(bool Value)
{
    SetText(BoolToStr(Value, true));
}

void TGxCustomEdit::SetAsDateTime(TDateTime Value)
{
    SetText(FormatDateTime("", Value));
}

void TGxCustomEdit::SetAsFloat(double Value)
{
    SetText(FloatToStr(Value));
}

void TGxCustomEdit::SetAsInteger(int Value)
{
    SetText(IntToStr(Value));
}

void TGxCustomEdit::SetAsString(const WideString& Value)
{
    SetText(WideToUtf8(Value));
}

TRect TGxCustomEdit::GetPreviewRect()
{
    TRect R = GetClientRect();
    if (GlyphShown()) R.Left += FGlyph->GetWidth() + 4;
    R.Right = R.Left + 20;
    return R;
}

void TGxCustomEdit::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    RecreateWnd();
}

void TGxCustomEdit::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    UpdateGlyph();
}

void TGxCustomEdit::SetPreviewBorder(bool Value)
{
    FPreviewBorder = Value;
    RefreshPreview();
}

void TGxCustomEdit::SetShowPreview(bool Value)
{
    FShowPreview = Value;
    UpdateEditRect();
    // Placed here too: the window's size need not change, and the text
    // would make room for a preview that never shows.
    UpdateInfoRect();
    Invalidate();
}

int TGxCustomEdit::GetEditLeft()
{
    return FEditInfo->GetVisible() ? FEditInfo->GetLeft() + FEditInfo->GetWidth() : 0;
}

void TGxCustomEdit::PressKey(WideChar Key)
{
    SendMessageA(GetHandle(), WM_CHAR, WPARAM(Key), 0);
}

void TGxCustomEdit::UpdateEditRect()
{
    int Left = FEditMargins->GetLeft();
    int Right = FEditMargins->GetRight();
    UpdateEditMargins(Left, Right);
    if (HandleAllocated())
        SendMessageA(GetHandle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, LPARAM(MAKELONG(Left, Right)));
}

void TGxCustomEdit::UpdateEditMargins(int& Left, int& Right)
{
    (void)Right;
    if (FShowPreview) Left = 2 * Left + 25;
    if (GlyphShown()) Left += FGlyph->GetWidth() + 4;
}

void TGxCustomEdit::DoEditInfoMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    if (GlyphShown() && PtInRect(Rect(0, 0, FGlyph->GetWidth(), GetHeight()), TPoint(X, Y))) DoGlyphClick();
}

void TGxCustomEdit::PaintPreview(TCanvas*, const TRect& Rect)
{
    DoCustomPreviewDraw(Rect);
}

void TGxCustomEdit::DoCustomPreviewDraw(const TRect& Rect)
{
    if (OnCustomPreviewDraw) OnCustomPreviewDraw(this, Rect);
}

void TGxCustomEdit::DoGlyphClick()
{
    if (OnGlyphClick) OnGlyphClick(this);
}

void TGxCustomEdit::RedrawBorder()
{
    if (IsThemed() && GetBorderStyle() == bsSingle && HandleAllocated()) ThemeEditBorder(GetHandle());
}

void TGxCustomEdit::RefreshPreview()
{
    FEditInfo->Invalidate();
}

void TGxCustomEdit::UpdateGlyph()
{
    // Setting the transparent colour changes the glyph again.
    TRestore<TNotifyEvent> Quiet(FGlyph->OnChange, nullptr);
    // An empty glyph has no pixel to take the colour from.
    if (GlyphShown()) {
        FGlyph->SetTransparentColor(FGlyph->GetCanvas()->GetPixels(0, FGlyph->GetHeight() - 1));
        FGlyph->SetTransparent(true);
    }
    UpdateEditRect();
    RecreateWnd();
}

void TGxCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    static constexpr DWORD AlignmentStyles[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= WS_CLIPCHILDREN | ES_AUTOHSCROLL | ES_AUTOVSCROLL | AlignmentStyles[FAlignment];
}

void TGxCustomEdit::CreateWnd()
{
    TCustomEdit::CreateWnd();
    UpdateEditRect();
    UpdateInfoRect();
}

// The window is remade in place here, so what its creation applies is
// applied again.
void TGxCustomEdit::CMRecreateWnd(TMessage& Message)
{
    TCustomEdit::CMRecreateWnd(Message);
    UpdateEditRect();
    UpdateInfoRect();
}

void TGxCustomEdit::CMEnabledChanged(TMessage& Message)
{
    TCustomEdit::CMEnabledChanged(Message);
    for (int I = 0; I < GetComponentCount(); ++I)
        if (auto* Control = dynamic_cast<TControl*>(GetComponents(I))) Control->Invalidate();
}

void TGxCustomEdit::WMEraseBkgnd(TMessage& Message)
{
    TCustomEdit::WMEraseBkgnd(Message);
    Message.Result = GetDefaultDrawing() ? 0 : 1;
}

void TGxCustomEdit::WMGetDlgCode(TMessage& Message)
{
    TCustomEdit::WMGetDlgCode(Message);
    Message.Result |= DLGC_WANTARROWS;
    if (FWantTabs)
        Message.Result |= DLGC_WANTTAB;
    else
        Message.Result &= ~DLGC_WANTTAB;
}

void TGxCustomEdit::WMKillFocus(TMessage& Message)
{
    TCustomEdit::WMKillFocus(Message);
    if (FEditInfo->GetVisible()) FEditInfo->Invalidate();
}

void TGxCustomEdit::WMSetFocus(TMessage& Message)
{
    TCustomEdit::WMSetFocus(Message);
    if (FEditInfo->GetVisible()) FEditInfo->Invalidate();
}

void TGxCustomEdit::WMSize(TMessage& Message)
{
    TCustomEdit::WMSize(Message);
    UpdateInfoRect();
}

void TGxCustomEdit::WMWindowPosChanged(TMessage& Message)
{
    TCustomEdit::WMWindowPosChanged(Message);
    if (GetComponentState().Contains(csDestroying)) return;
    Invalidate();
    FEditInfo->Invalidate();
    UpdateInfoRect();
}

// ---- Shared routines
// -----------------------------------------------------------------------

bool IsEditKeyAllowed(Word& Key)
{
    if (Key != VK_BACK && Key != VK_CLEAR && Key != VK_DELETE) return true;
    Key = 0;
    return false;
}

AnsiString ValidateNumberText(const AnsiString& S, bool AllowFloat, bool AllowSigns, double Max, double Min)
{
    // The cleaning keeps a leading sign, the digits and the first separator,
    // drops the backspace character, and turns what would still not convert
    // (".", "-." ...) into "0", so the range steps below never raise.
    AnsiString Result = CleanNumberText(S, AllowFloat, AllowSigns);
    // Bounds are written as plain decimals: "1E-7" would not read back as a
    // number through the same cleaning.
    if (Max > 0 && StrToFloat(Result) > Max) Result = FloatToPlainStr(Max);
    if (StrToFloat(Result) < Min) Result = FloatToPlainStr(Min);
    return Result;
}

} // namespace GxEdit
