// grid/shared/GxMemo.h
// The multi-line editors: the memo column's cell editor, which takes part in
// the grid's editor contract like every other edit, and the form memo with
// side margins and the themed border.
#pragma once
#include "grid/shared/GxEdit.h"

namespace GxMemo {

using namespace GxEdit;

// A multi-line native edit whose lines do not wrap, with optional scroll bars.
class TGxMemoInplaceEdit : public TGxCustomEdit {
public:
    QM_CLASS(TGxMemoInplaceEdit, TGxCustomEdit)
    using TGxCustomEdit::TGxCustomEdit;

    TScrollStyle GetScrollBars() const { return FScrollBars; }
    // Recreates the window, keeping the text.
    void SetScrollBars(TScrollStyle Value);
    // False leaves Return and Esc to the grid's keys (OnKeyDown sees them either way).
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMGetDlgCode(TMessage& Message) override;

private:
    TScrollStyle FScrollBars = ssNone;
    bool FWantReturns = true;
};

class TGxMemo : public TCustomMemo {
public:
    QM_CLASS(TGxMemo, TCustomMemo)
    using TCustomMemo::TCustomMemo;

    void Add(const AnsiString& S);
    void Add(std::string_view Format, std::initializer_list<TVarRec> Args);
    // Pixels kept free of text at the left and (plus one) at the right.
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);

protected:
    // The text rectangle in client coordinates.
    virtual TRect GetEditRect();
    void UpdateEditRect();
    void CreateWnd() override;
    void WMNCPaint(TMessage& Message) override;

private:
    int FMargin = 0;
};

} // namespace GxMemo
