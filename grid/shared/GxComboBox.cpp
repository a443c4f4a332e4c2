// grid/shared/GxComboBox.cpp
// The combo box: its text from the selected item, the list it fills before
// each opening, the keys, the wheel and the initial-letter search.
#include "grid/shared/GxComboBox.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"

#include <algorithm>

namespace GxComboBox {

using namespace GxSharedCommon;

namespace {

// The first whole character of Text, decoded (0 for an empty text).
char32_t FirstCharacter(const AnsiString& Text)
{
    if (Text.empty()) return 0;
    const WideString W = Utf8ToWide(Text);
    const char16_t First = W[0];
    if (First >= 0xD800 && First < 0xDC00 && W.size() > 1 && W[1] >= 0xDC00 && W[1] < 0xE000)
        return 0x10000 + ((char32_t(First) - 0xD800) << 10) + (W[1] - 0xDC00);
    return First;
}

} // namespace

bool ItemBeginsWith(const AnsiString& Item, WideChar Key)
{
    if (Item.empty()) return false;
    const char32_t First = FirstCharacter(Item);
    if (First > 0xFFFF) return false;
    return WideCompareText(WideString(1, char16_t(First)), WideString(1, Key)) == 0;
}

TGxComboBox::TGxComboBox(TComponent* AOwner) : TGxPopupEdit(AOwner), FItems(std::make_unique<TStringList>()) {}

TGxComboBox::~TGxComboBox()
{
    SetImages(nullptr);
    FItems->Clear();
}

TGxPopupControlClass TGxComboBox::GetPopupControlClass()
{
    return PopupControlClass<TGxPopupList>;
}

TGxPopupList* TGxComboBox::GetPopupList() const
{
    return static_cast<TGxPopupList*>(GetPopupControl());
}

void TGxComboBox::SetImages(TCustomImageList* Value)
{
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TGxComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TGxPopupEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (GetPopupList()) GetPopupList()->SetImages(nullptr);
    }
}

void TGxComboBox::SetItems(TStrings* Value)
{
    FItems->Assign(Value);
}

void TGxComboBox::SetItemIndex(int Value)
{
    FItemIndex = Value;
    if (!GetComponentState().Contains(csLoading)) SetTextFromItemIndex();
    if (GetPopupList()) GetPopupList()->SetItemIndex(Value);
    if (GetShowPreview()) RefreshPreview();
}

void TGxComboBox::SetTextFromItemIndex()
{
    if (!IndexInRange(FItemIndex)) {
        SetText("");
        return;
    }
    switch (FDisplayMode) {
    case dmDefault:
        SetText(FItems->Get(FItemIndex));
        break;
    case dmNameList:
        SetText(FItems->GetNames(FItemIndex));
        break;
    case dmValueList:
    case dmIndentList:
        SetText(GetValueFromIndex(FItemIndex));
        break;
    }
}

void TGxComboBox::SetStyle(TDropDownStyle Value)
{
    TGxPopupEdit::SetStyle(Value);
    if (Value == dsDropDownList) SetItemIndex(FItemIndex);
}

void TGxComboBox::Loaded()
{
    TGxPopupEdit::Loaded();
    SetTextFromItemIndex();
}

bool TGxComboBox::IndexInRange(int Index) const
{
    return FItems->GetCount() > 0 && Index >= 0 && Index <= FItems->GetCount() - 1;
}

AnsiString TGxComboBox::GetValueFromIndex(int Index) const
{
    // The list's own rule: an item without "=" has no value (it is not the
    // item less its first character).
    if (Index < 0 || Index >= FItems->GetCount()) return AnsiString();
    return FItems->GetValueFromIndex(Index);
}

AnsiString TGxComboBox::GetItemName() const
{
    return IndexInRange(FItemIndex) ? FItems->GetNames(FItemIndex) : AnsiString();
}

AnsiString TGxComboBox::GetItemValue() const
{
    return IndexInRange(FItemIndex) ? GetValueFromIndex(FItemIndex) : AnsiString();
}

int TGxComboBox::LocateKey(WideChar Key) const
{
    const int Count = FItems->GetCount();
    int Start = 0;
    if (IndexInRange(FItemIndex) && ItemBeginsWith(FItems->Get(FItemIndex), Key)) Start = FItemIndex + 1;
    for (int I = Start; I < Count; ++I)
        if (ItemBeginsWith(FItems->Get(I), Key)) return I;
    return -1;
}

int TGxComboBox::SearchFor(const AnsiString& S) const
{
    int Best = -1;
    std::size_t BestLength = 0;
    for (int I = 0; I < FItems->GetCount(); ++I) {
        const AnsiString& Item = FItems->Get(I);
        const auto Mismatch = std::mismatch(S.begin(), S.end(), Item.begin(), Item.end());
        const auto Length = std::size_t(Mismatch.first - S.begin());
        if (Length > BestLength) {
            BestLength = Length;
            Best = I;
        }
    }
    return Best;
}

void TGxComboBox::BeforeDrop(TPoint& Point)
{
    TGxPopupEdit::BeforeDrop(Point);
    TGxPopupList* List = GetPopupList();
    List->SetDropDownColor(FDropDownColor);
    List->SetHighlightTextColor(FHighlightTextColor);
    List->SetDisplayMode(FDisplayMode);
    List->SetItems(FItems.get());
    List->SetImages(FImages);
    List->SetItemHeight(FItemHeight);
    List->SetItemIndex(FItemIndex);
    List->SetShowImages(FImages != nullptr);
    List->SetSelectionColor(FSelectionColor);
    List->SetWidth(std::max(FListWidth >= 1 ? FListWidth : GetWidth(), GetWidth()));
    const int Rows = std::min(FItems->GetCount(), FDropDownCount);
    List->SetClientHeight(Rows * List->GetItemHeight() + 4);
}

void TGxComboBox::DoDropDownInput(TObject* Sender, const AnsiString& Value)
{
    SetItemIndex(GetPopupList()->GetItemIndex());
    TGxPopupEdit::DoDropDownInput(Sender, Value);
}

void TGxComboBox::DoTextChange()
{
    TGxPopupEdit::DoTextChange();
    ForgetUnlistedText();
}

// Typing changes the text without CM_TEXTCHANGED; it must forget the item too.
void TGxComboBox::Change()
{
    TGxPopupEdit::Change();
    ForgetUnlistedText();
}

void TGxComboBox::ForgetUnlistedText()
{
    // A text that is no item leaves nothing selected; one that is an item
    // does not select it.
    if (FDisplayMode == dmDefault && FItems->IndexOf(GetText()) < 0) FItemIndex = -1;
}

void TGxComboBox::PaintPreview(TCanvas* ACanvas, const TRect& Rect)
{
    ACanvas->GetBrush()->SetColor(GetFillColor());
    ACanvas->FillRect(Rect);
    if (FImages && FItemIndex >= 0 && FItemIndex < FImages->GetCount())
        FImages->Draw(ACanvas, Rect.Left + 1, GetClientHeight() / 2 - FImages->GetHeight() / 2, FItemIndex);
}

void TGxComboBox::StepItem(int Delta)
{
    const int Current = GetDroppedDown() ? GetPopupList()->GetItemIndex() : FItemIndex;
    const int Next = Current + Delta;
    if (Next >= 0 && Next < FItems->GetCount()) SetItemIndex(Next);
}

bool TGxComboBox::DoMouseWheelDown(TShiftState, TPoint)
{
    if (GetInplaceEditor()) return true;
    if (GetDroppedDown())
        GetPopupList()->GetVertScrollBar()->MoveBy(1);
    else if (FItemIndex < FItems->GetCount() - 1)
        SetItemIndex(FItemIndex + 1);
    return true;
}

bool TGxComboBox::DoMouseWheelUp(TShiftState, TPoint)
{
    if (GetInplaceEditor()) return true;
    if (GetDroppedDown())
        GetPopupList()->GetVertScrollBar()->MoveBy(-1);
    else if (FItemIndex > 0)
        SetItemIndex(FItemIndex - 1);
    return true;
}

void TGxComboBox::KeyDown(Word& Key, TShiftState Shift)
{
    TGxPopupEdit::KeyDown(Key, Shift);
    if (Shift.Contains(ssAlt)) return;
    if (Key == VK_UP)
        StepItem(-1);
    else if (Key == VK_DOWN)
        StepItem(1);
}

void TGxComboBox::KeyPress(WideChar& Key)
{
    TGxPopupEdit::KeyPress(Key);
    if (GetStyle() != dsDropDownList || Key == 0) return;
    const int I = LocateKey(Key);
    if (IndexInRange(I)) SetItemIndex(I);
}

// ---- TGxFontComboBox -------------------------------------------------------------------------

TGxFontComboBox::TGxFontComboBox(TComponent* AOwner) : TGxComboBox(AOwner)
{
    GetItems()->Assign(Screen->GetFonts());
}

TGxPopupControlClass TGxFontComboBox::GetPopupControlClass()
{
    return PopupControlClass<TFontPopup>;
}

void TGxFontComboBox::BeforeDrop(TPoint& Point)
{
    TGxComboBox::BeforeDrop(Point);
    GetPopupList()->SetItems(GetItems());
}

void TGxFontComboBox::PaintPreview(TCanvas* ACanvas, const TRect& Rect)
{
    TDisplayProvider::DrawFontPreview(ACanvas, Rect, GetText());
    ACanvas->GetFont()->Assign(GetFont());
}

} // namespace GxComboBox
