// TButton and TCustomCheckBox over Qt's push button and check box.
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/ControlWindows.h"
#include "platform/rtl/QtStrings.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>

using namespace platform::detail;

// ---- TButton ---------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner)
{
    // Clicks come from the Qt button (mouse, Space) and from Return/Escape.
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 75, 25);
    SetTabStop(true);
}

void TButton::CreateInnerWidget()
{
    QWidget* Window = WindowWidget(this);
    auto* Button = new QPushButton(Window);
    Button->setAutoDefault(false);
    SetInnerWidget(GetHandle(), Button);
    UpdateButton();
    QObject::connect(Button, &QPushButton::clicked, Button, ForControl(this, Window, [this] { Click(); }));
}

void TButton::UpdateButton()
{
    auto* Button = InnerWidgetAs<QPushButton>();
    if (!Button) return;
    Button->setText(ToQString(GetCaption()));
    Button->setFont(ToQFont(GetFont()));
    Button->setEnabled(GetEnabled());
    Button->setDefault(FActive);
}

void TButton::ButtonChanged()
{
    UpdateButton();
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    UpdateActive();
}

void TButton::UpdateActive()
{
    // The focused button is the active one; with no button focused, the default one.
    TCustomForm* Form = GetParentForm(this);
    TWinControl* Focused = Form ? Form->GetActiveControl() : nullptr;
    const bool Active = dynamic_cast<TButton*>(Focused) ? Focused == this : FDefault;
    if (Active == FActive) return;
    FActive = Active;
    ButtonChanged();
}

void TButton::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void TButton::CMDialogKey(TMessage& Message)
{
    UpdateActive();
    const TWMKey Key(Message);
    if (((Key.CharCode == VK_RETURN && FActive) || (Key.CharCode == VK_ESCAPE && FCancel)) &&
        KeyDataToShiftState(Key.KeyData).Empty() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TWinControl::CMDialogKey(Message);
}

void TButton::CMFocusChanged(TMessage& Message)
{
    UpdateActive();
    TWinControl::CMFocusChanged(Message);
}

void TButton::CMEnter(TMessage& Message)
{
    TWinControl::CMEnter(Message);
    UpdateActive();
}

void TButton::CMExit(TMessage& Message)
{
    TWinControl::CMExit(Message);
    UpdateActive();
}

void TButton::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    ButtonChanged();
}

void TButton::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    ButtonChanged();
}

void TButton::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    ButtonChanged();
}

// ---- TCustomCheckBox --------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle({csSetCaption, csDoubleClicks});
    SetBounds(GetLeft(), GetTop(), 97, 17);
    SetTabStop(true);
}

namespace {
Qt::CheckState QtCheckState(TCheckBoxState State)
{
    return State == cbChecked ? Qt::Checked : State == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
}
} // namespace

void TCustomCheckBox::CreateInnerWidget()
{
    QWidget* Window = WindowWidget(this);
    auto* Box = new QCheckBox(ToQString(GetCaption()), Window);
    Box->setFont(ToQFont(GetFont()));
    Box->setTristate(FAllowGrayed);
    Box->setCheckState(QtCheckState(FState));
    Box->setEnabled(GetEnabled());
    QObject::connect(Box, &QCheckBox::clicked, Box, ForControl(this, Window, [this, Box] {
                         const Qt::CheckState S = Box->checkState();
                         FState = S == Qt::Checked ? cbChecked : S == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
                         Click();
                     }));
    SetInnerWidget(GetHandle(), Box);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (Value == FState) return;
    FState = Value;
    if (auto* Box = InnerWidgetAs<QCheckBox>()) {
        const QSignalBlocker Quiet(Box);
        Box->setCheckState(QtCheckState(Value));
    }
    if (!GetComponentState().Contains(csLoading)) Click();
}

void TCustomCheckBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    if (auto* Box = InnerWidgetAs<QCheckBox>()) Box->setTristate(Value);
}

void TCustomCheckBox::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_BUTTON;
}

void TCustomCheckBox::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    if (auto* Box = InnerWidgetAs<QCheckBox>()) Box->setText(ToQString(GetCaption()));
}

void TCustomCheckBox::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    if (auto* Box = InnerWidgetAs<QCheckBox>()) Box->setFont(ToQFont(GetFont()));
}

void TCustomCheckBox::CMEnabledChanged(TMessage& Message)
{
    TWinControl::CMEnabledChanged(Message);
    if (auto* Box = InnerWidgetAs<QCheckBox>()) Box->setEnabled(GetEnabled());
}
