// grid/shared/GxButtonEdit.cpp
// The buttons inside edits, the button edit base, the button edit and the
// picture-file edit; the drop-down edit lives in GxButtonEdit_Popup.cpp.
#include "grid/shared/GxButtonEdit.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"

namespace GxButtonEdit {

using namespace GxSharedCommon;

namespace {

// The themed state of a button inside an edit: disabled with its edit,
// else pressed, hot or normal.
int ButtonState(TGxSmallButton* Button)
{
    if (Button->GetEdit() && !Button->GetEdit()->GetEnabled()) return PBS_DISABLED;
    if (Button->GetDown()) return PBS_PRESSED;
    return Button->GetHover() ? PBS_HOT : PBS_NORMAL;
}

bool OwnerDisabled(TGxSmallButton* Button)
{
    return Button->GetEdit() && !Button->GetEdit()->GetEnabled();
}

} // namespace

// ---- The buttons -----------------------------------------------------------------------------

TGxExecuteButton::TGxExecuteButton(TComponent* AOwner) : TGxSmallButton(AOwner)
{
    SetWidth(21);
}

void TGxExecuteButton::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    if (IsThemed()) {
        C->GetBrush()->SetColor(GetColor());
        C->FillRect(R);
        TRect Face = R;
        InflateRect(Face, 1, 1);
        ThemeRect(GetHandle(), C->GetHandle(), Face, u"button", BP_PUSHBUTTON, ButtonState(this));
    } else if (GetDown()) {
        C->GetBrush()->SetColor(clBtnFace);
        C->GetPen()->SetColor(clBtnShadow);
        C->Rectangle(R);
    } else {
        TRect Face = R;
        DrawFrameControl(C->GetHandle(), &Face, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (OwnerDisabled(this) ? DFCS_INACTIVE : 0));
    }
    if (FGlyph && !FGlyph->GetEmpty())
        TDrawProvider::ApplyBitmap(C, GetWidth() / 2 - FGlyph->GetWidth() / 2,
                                   GetHeight() / 2 - FGlyph->GetHeight() / 2, FGlyph);
    if (!GetCaption().empty()) {
        C->GetFont()->Assign(GetFont());
        C->GetBrush()->SetStyle(bsClear);
        TGraphicsProvider::DrawTextRect(C, R, taCenter, GetCaption(), bdLeftToRight);
        C->GetBrush()->SetStyle(bsSolid);
    }
}

TDropDownButton::TDropDownButton(TComponent* AOwner) : TGxSmallButton(AOwner)
{
    SetWidth(16);
}

void TDropDownButton::Paint()
{
    TCanvas* C = GetCanvas();
    TRect R = GetClientRect();
    if (IsThemed()) {
        static_assert(CBXS_PRESSED == PBS_PRESSED && CBXS_HOT == PBS_HOT && CBXS_DISABLED == PBS_DISABLED);
        ThemeRect(GetHandle(), C->GetHandle(), R, u"combobox", CP_DROPDOWNBUTTON, ButtonState(this));
        return;
    }
    UINT State = DFCS_SCROLLCOMBOBOX | DFCS_ADJUSTRECT;
    if (GetDown()) State |= DFCS_PUSHED;
    if (OwnerDisabled(this)) State |= DFCS_INACTIVE;
    DrawFrameControl(C->GetHandle(), &R, DFC_SCROLL, State);
}

// ---- TGxCustomButtonEdit --------------------------------------------------------------------

TGxCustomButtonEdit::TGxCustomButtonEdit(TComponent* AOwner) : TGxEdit(AOwner) {}

TGxCustomButtonEdit::~TGxCustomButtonEdit()
{
    // The popup is a window of its own: it goes with the edit, before the
    // edit's parts it reaches.
    if (FPopupControl) {
        TGxPopupControl* Popup = FPopupControl;
        FPopupControl = nullptr;
        Free(Popup);
    }
}

void TGxCustomButtonEdit::AfterConstruction()
{
    TGxEdit::AfterConstruction();
    FButton = GetButtonClass()(this);
    FButton->SetEdit(this);
    FOptions = {};
    FButton->SetParent(this);
    FButton->SetVisible(false);
    FButton->OnButtonDown = [this](TObject*) { DoButtonDown(); };
    FButton->OnButtonClick = [this](TObject*) { DoButtonClick(); };
    CreatePopupControl();
    UpdateEditRect();
    UpdateButton();
}

TGxSmallButtonClass TGxCustomButtonEdit::GetButtonClass()
{
    return SmallButtonClass<TGxExecuteButton>;
}

TGxPopupControlClass TGxCustomButtonEdit::GetPopupControlClass()
{
    return PopupControlClass<TGxPopupControl>;
}

void TGxCustomButtonEdit::ApplyInput(const AnsiString& Value)
{
    SetText(Value);
}

void TGxCustomButtonEdit::DoDropDownInput(TObject*, const AnsiString& Value)
{
    ApplyInput(Value);
    if (FPopupControl) FPopupControl->ClosePopup();
    if (!FButton) return;
    FButton->SetHover(false);
    FButton->SetDown(false);
}

void TGxCustomButtonEdit::DoButtonClick()
{
    if (OnButtonClick) OnButtonClick(this);
}

void TGxCustomButtonEdit::DoDropDownDeactivate(TObject*)
{
    if (FButton) FButton->SetDown(false);
}

void TGxCustomButtonEdit::BeginEditing()
{
    TGxEdit::BeginEditing();
    if (FButton) FButton->Invalidate();
}

void TGxCustomButtonEdit::UpdateButton()
{
    if (!FButton || !HandleAllocated()) return;
    Invalidate();
    FButton->SetVisible(true);
    SetWindowPos(FButton->GetHandle(), nullptr, GetClientWidth() - FButton->GetWidth(), 0, FButton->GetWidth(),
                 GetClientHeight(), SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOACTIVATE);
    FButton->Invalidate();
}

void TGxCustomButtonEdit::UpdateEditMargins(int& Left, int& Right)
{
    TGxEdit::UpdateEditMargins(Left, Right);
    if (FButton) Right = FButton->GetWidth();
}

void TGxCustomButtonEdit::CreateWnd()
{
    TGxEdit::CreateWnd();
    UpdateEditRect();
    // The window may come with its final size, and no WM_SIZE after it.
    UpdateButton();
}

void TGxCustomButtonEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TGxEdit::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FButton) FButton = nullptr;
    if (AComponent == FPopupControl) FPopupControl = nullptr;
}

void TGxCustomButtonEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (FOptions.Contains(epDisableTyping) && !IsEditKeyAllowed(Key)) return;
    TGxEdit::KeyDown(Key, Shift);
}

void TGxCustomButtonEdit::KeyPress(WideChar& Key)
{
    if (FOptions.Contains(epDisableTyping)) {
        Key = 0;
        return;
    }
    TGxEdit::KeyPress(Key);
}

void TGxCustomButtonEdit::WMPaste(TMessage& Message)
{
    if (FOptions.Contains(epDisablePaste)) return;
    TGxEdit::WMPaste(Message);
}

void TGxCustomButtonEdit::WMSize(TMessage& Message)
{
    TGxEdit::WMSize(Message);
    UpdateButton();
}

void TGxCustomButtonEdit::WMWindowPosChanged(TMessage& Message)
{
    TGxEdit::WMWindowPosChanged(Message);
    if (GetComponentState().Contains(csDestroying) || !FButton) return;
    FButton->Invalidate();
    Invalidate();
}

void TGxCustomButtonEdit::CMMouseEnter(TMessage& Message)
{
    TGxEdit::CMMouseEnter(Message);
    if (FButton && !GetComponentState().Contains(csDesigning)) FButton->SetHover(true);
}

void TGxCustomButtonEdit::CMMouseLeave(TMessage& Message)
{
    TGxEdit::CMMouseLeave(Message);
    if (FButton) FButton->SetHover(false);
}

// ---- TGxButtonEdit ----------------------------------------------------------------------------

TGxButtonEdit::TGxButtonEdit(TComponent* AOwner)
    : TGxCustomButtonEdit(AOwner), FButtonGlyph(std::make_unique<TBitmap>())
{
}

TGxButtonEdit::~TGxButtonEdit() = default;

void TGxButtonEdit::AfterConstruction()
{
    TGxCustomButtonEdit::AfterConstruction();
    if (auto* Button = dynamic_cast<TGxExecuteButton*>(GetButton())) Button->SetGlyph(FButtonGlyph.get());
    FButtonWidth = GetButton()->GetWidth();
    UpdateEditRect();
}

void TGxButtonEdit::SetButtonGlyph(TBitmap* Value)
{
    FButtonGlyph->Assign(Value);
    ApplyTransparency();
}

void TGxButtonEdit::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    ApplyTransparency();
}

void TGxButtonEdit::ApplyTransparency()
{
    if (FButtonGlyph->GetEmpty()) return;
    FButtonGlyph->SetTransparentColor(FTransparentColor);
    FButtonGlyph->SetTransparent(true);
    GetButton()->Invalidate();
}

void TGxButtonEdit::SetButtonCaption(const WideString& Value)
{
    FButtonCaption = Value;
    GetButton()->SetCaption(Value);
    GetButton()->Invalidate();
}

void TGxButtonEdit::SetButtonWidth(int Value)
{
    FButtonWidth = Value;
    GetButton()->SetWidth(Value);
    UpdateEditRect();
    UpdateButton();
}

void TGxButtonEdit::UpdateEditMargins(int& Left, int& Right)
{
    TGxCustomButtonEdit::UpdateEditMargins(Left, Right);
    if (GetButton()) Right += GetButton()->GetWidth();
}

// ---- TGxImagePathEdit -------------------------------------------------------------------------

TGxImagePathEdit::TGxImagePathEdit(TComponent* AOwner) : TGxButtonEdit(AOwner), FDialog(New<TOpenPictureDialog>(this))
{
}

void TGxImagePathEdit::DoButtonClick()
{
    TGxButtonEdit::DoButtonClick();
    if (FDialog->Execute()) SetText(FDialog->GetFileName());
}

} // namespace GxButtonEdit
