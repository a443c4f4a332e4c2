// The label: a windowless control that paints its caption.
#pragma once
#include "platform/controls/Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    QM_CLASS(TCustomLabel, TGraphicControl)
    explicit TCustomLabel(TComponent* AOwner);
    void Loaded() override;

    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // With AutoSize the label takes the size of its text (keeping its right
    // edge when right-justified).
    void SetAutoSize(bool Value) override;
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // A transparent label paints only its text.
    bool GetTransparent() const { return !GetControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    // '&' marks an accelerator ("&&" is '&') unless this is off.
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

protected:
    virtual AnsiString GetLabelText() { return GetCaption(); }
    // Draws (or with DT_CALCRECT measures) the text in Rect.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    void AdjustBounds();
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    QM_CLASS(TLabel, TCustomLabel)
    using TCustomLabel::TCustomLabel;
};
