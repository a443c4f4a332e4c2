// TCustomComboBox: the combo box over a QComboBox and its items.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/ControlWindows.h"
#include "platform/rtl/QtStrings.h"
#include "platform/controls/TextControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QStandardItemModel>

#include <algorithm>

using namespace platform::detail;

// ---- TCustomComboBox ---------------------------------------------------------------------

struct TCustomComboBox::TModel {
    QStandardItemModel Model;
    QPointer<QComboBox> Combo;
};

namespace {

constexpr int ObjectRole = Qt::UserRole + 1;

// The drop-down list takes the mouse when it opens, as a Windows combo box's
// list takes the capture: the window that held it (the combo box itself,
// from the press that opened the list) lets it go. Qt gives the release and
// the pick to the list, so that window would otherwise keep the capture and
// swallow the next click made anywhere.
class TComboBoxWidget : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override
    {
        ReleaseCapture();
        QComboBox::showPopup();
    }
};

} // namespace

// The items of a combo box over its model, item by item.
class TComboBoxStrings : public TStrings {
public:
    explicit TComboBoxStrings(TCustomComboBox* Box) : FBox(Box) {}

    int GetCount() const override { return Model().rowCount(); }

    AnsiString Get(int Index) const override { return ToAnsi(Item(Index)->text()); }

    void Put(int Index, const AnsiString& S) override { Item(Index)->setText(ToQString(S)); }

    TObject* GetObject(int Index) const override
    {
        return reinterpret_cast<TObject*>(Item(Index)->data(ObjectRole).value<quintptr>());
    }

    void PutObject(int Index, TObject* Obj) override
    {
        Item(Index)->setData(QVariant::fromValue(reinterpret_cast<quintptr>(Obj)), ObjectRole);
    }

    int Add(const AnsiString& S) override
    {
        if (!FBox->FSorted) return TStrings::Add(S);
        // After the last item that does not sort behind S.
        int Index = GetCount();
        while (Index > 0 && AnsiCompareText(Get(Index - 1), S) > 0)
            --Index;
        InsertAt(Index, S);
        return Index;
    }

    void Insert(int Index, const AnsiString& S) override
    {
        if (FBox->FSorted) Error("Operation not allowed on sorted list", 0);
        if (Index < 0 || Index > GetCount()) Error("List index out of bounds (%d)", Index);
        InsertAt(Index, S);
    }

    void Delete(int Index) override
    {
        Item(Index);
        Model().removeRow(Index);
        int& Picked = FBox->FItemIndex;
        if (Picked == Index)
            Picked = -1;
        else if (Picked > Index)
            --Picked;
    }

    void Clear() override
    {
        Model().removeRows(0, Model().rowCount());
        FBox->FItemIndex = -1;
    }

    // Puts the items in sorted order, the picked one staying picked.
    void Sort()
    {
        const int Picked = FBox->GetItemIndex();
        std::vector<std::pair<AnsiString, quintptr>> Items;
        for (int I = 0; I < GetCount(); ++I)
            Items.emplace_back(Get(I), Item(I)->data(ObjectRole).value<quintptr>());
        const auto PickedItem = Picked >= 0 ? Items[Picked] : std::pair<AnsiString, quintptr>();
        std::stable_sort(Items.begin(), Items.end(),
                         [](const auto& A, const auto& B) { return AnsiCompareText(A.first, B.first) < 0; });
        for (int I = 0; I < GetCount(); ++I) {
            Item(I)->setText(ToQString(Items[I].first));
            Item(I)->setData(QVariant::fromValue(Items[I].second), ObjectRole);
        }
        if (Picked >= 0)
            FBox->SetItemIndex(static_cast<int>(std::find(Items.begin(), Items.end(), PickedItem) - Items.begin()));
    }

protected:
    void SetUpdateState(bool Updating) override
    {
        if (QComboBox* C = FBox->FModel->Combo) C->setUpdatesEnabled(!Updating);
    }

private:
    QStandardItemModel& Model() const { return FBox->FModel->Model; }

    QStandardItem* Item(int Index) const
    {
        if (Index < 0 || Index >= GetCount()) Error("List index out of bounds (%d)", Index);
        return Model().item(Index);
    }

    void InsertAt(int Index, const AnsiString& S)
    {
        QComboBox* C = FBox->FModel->Combo;
        const int Picked = C ? C->currentIndex() : -1;
        Model().insertRow(Index, new QStandardItem(ToQString(S)));
        // Qt picks the first item put into an empty box; the system picks none.
        if (C && Picked < 0) C->setCurrentIndex(-1);
        if (FBox->FItemIndex >= Index) ++FBox->FItemIndex;
    }

    TCustomComboBox* FBox;
};

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FModel(std::make_unique<TModel>()), FItems(std::make_unique<TComboBoxStrings>(this))
{
    SetControlStyle({csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight});
    SetBounds(GetLeft(), GetTop(), 145, 21);
    SetTabStop(true);
    SetParentColor(false); // clWindow
}

TCustomComboBox::~TCustomComboBox()
{
    ReleaseCombo();
}

void TCustomComboBox::ReleaseCombo()
{
    // The picked item and the text stay with the control; the model too,
    // while the window that goes lets go of it.
    QComboBox* Combo = FModel->Combo;
    if (!Combo) return;
    FItemIndex = Combo->currentIndex();
    if (HasEdit()) TWinControl::RealSetText(ToAnsi(Combo->currentText()));
    FModel->Combo = nullptr;
    Combo->setModel(new QStandardItemModel(Combo));
}

void TCustomComboBox::DestroyWnd()
{
    ReleaseCombo();
    TWinControl::DestroyWnd();
}

void TCustomComboBox::CreateInnerWidget()
{
    QWidget* Window = WindowWidget(this);
    auto* Combo = new TComboBoxWidget(Window);
    Combo->setInsertPolicy(QComboBox::NoInsert);
    Combo->setModel(&FModel->Model);
    FModel->Combo = Combo;
    const AnsiString Text = TWinControl::RealGetText();
    ApplyComboSettings();
    Combo->setCurrentIndex(FItemIndex);
    if (HasEdit()) Combo->setEditText(ToQString(Text));
    QObject::connect(Combo, &QComboBox::activated, Combo, ForControl(this, Window, [this] {
                         Click();
                         Select();
                     }));
    SetInnerWidget(GetHandle(), Combo);
}

void TCustomComboBox::ApplyComboSettings()
{
    QComboBox* Combo = FModel->Combo;
    if (!Combo) return;
    if (Combo->isEditable() != HasEdit()) {
        if (HasEdit())
            Combo->setLineEdit(new TLimitedLineEdit(Combo));
        else
            Combo->setEditable(false);
        if (QLineEdit* Edit = Combo->lineEdit()) {
            RouteWidgetEvents(GetHandle(), Edit);
            QObject::connect(Edit, &QLineEdit::textEdited, Combo,
                             ForControl(this, Combo->parentWidget(), [this] { Change(); }));
        }
    }
    if (auto* Edit = dynamic_cast<TLimitedLineEdit*>(Combo->lineEdit())) Edit->SetInputLimit(FMaxLength);
    Combo->setMaxVisibleItems(std::max(1, FDropDownCount));
    ApplyLook();
}

void TCustomComboBox::ApplyLook()
{
    if (QComboBox* Combo = FModel->Combo) {
        ApplyFontAndColors(Combo, this);
        Combo->setEnabled(GetEnabled());
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == FStyle) return;
    FStyle = Value;
    ApplyComboSettings();
}

void TCustomComboBox::SetDropDownCount(int Value)
{
    FDropDownCount = Value;
    ApplyComboSettings();
}

void TCustomComboBox::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    ApplyComboSettings();
}

void TCustomComboBox::SetSorted(bool Value)
{
    if (Value == FSorted) return;
    FSorted = Value;
    if (Value) static_cast<TComboBoxStrings*>(FItems.get())->Sort();
}

int TCustomComboBox::GetItemIndex() const
{
    if (QComboBox* Combo = FModel->Combo) return Combo->currentIndex();
    return FItemIndex < FItems->GetCount() ? FItemIndex : -1;
}

void TCustomComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= FItems->GetCount()) Value = -1;
    FItemIndex = Value;
    if (QComboBox* Combo = FModel->Combo)
        Combo->setCurrentIndex(Value);
    else if (HasEdit()) // the edit shows the picked item (or nothing)
        TWinControl::RealSetText(Value >= 0 ? FItems->Get(Value) : AnsiString());
}

void TCustomComboBox::Clear()
{
    FItems->Clear();
    SetText("");
}

AnsiString TCustomComboBox::RealGetText() const
{
    if (QComboBox* Combo = FModel->Combo) return ToAnsi(Combo->currentText());
    if (HasEdit()) return TWinControl::RealGetText();
    const int Index = GetItemIndex();
    return Index >= 0 ? FItems->Get(Index) : AnsiString();
}

void TCustomComboBox::RealSetText(const AnsiString& Value)
{
    if (HasEdit()) {
        if (QComboBox* Combo = FModel->Combo)
            Combo->setEditText(ToQString(Value));
        else
            TWinControl::RealSetText(Value);
        return;
    }
    // A pick-only list shows one of its items or nothing.
    if (Value.empty()) {
        SetItemIndex(-1);
        return;
    }
    const int Index = FItems->IndexOf(Value);
    if (Index >= 0) SetItemIndex(Index);
}

void TCustomComboBox::Change()
{
    if (GetComponentState().Contains(csLoading)) return;
    if (OnChange) OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TCustomComboBox::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    ApplyLook();
}

void TCustomComboBox::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    ApplyLook();
}

void TCustomComboBox::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    ApplyLook();
}
