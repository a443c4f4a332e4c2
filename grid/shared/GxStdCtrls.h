// grid/shared/GxStdCtrls.h
// A palette-style tab control (text tabs over a strip of image buttons, one
// strip a page) and the glyph holders for controls that show a normal and a
// hover bitmap.
#pragma once
#include "platform/controls/Controls.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/ImgList.h"
#include "platform/controls/Timers.h"

#include <memory>
#include <vector>

namespace GxStdCtrls {

// ---- Glyph settings -------------------------------------------------------------------------------

class TGxGlyphSettings : public TPersistent {
public:
    QM_CLASS(TGxGlyphSettings, TPersistent)
    TGxGlyphSettings();
    ~TGxGlyphSettings() override;

    TBitmap* GetNormalGlyph() const { return FNormalGlyph.get(); }
    // Keeps a copy of Value.
    void SetNormalGlyph(TBitmap* Value);
    TColor GetTransparentColor() const { return FTransparentColor; }
    virtual void SetTransparentColor(TColor Value);
    bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    TNotifyEvent OnChange;

protected:
    // Every bitmap change of the holder ends here.
    virtual void DoChange();
    std::unique_ptr<TBitmap> NewGlyph();

private:
    std::unique_ptr<TBitmap> FNormalGlyph;
    TColor FTransparentColor = clNone;
    bool FTransparent = false;
};

class TGxActiveGlyphSettings : public TGxGlyphSettings {
public:
    QM_CLASS(TGxActiveGlyphSettings, TGxGlyphSettings)
    TGxActiveGlyphSettings();
    ~TGxActiveGlyphSettings() override;

    TBitmap* GetHoverGlyph() const { return FHoverGlyph.get(); }
    void SetHoverGlyph(TBitmap* Value);
    void SetTransparentColor(TColor Value) override;
    void SetTransparent(bool Value) override;

private:
    std::unique_ptr<TBitmap> FHoverGlyph;
};

// ---- Tab control ----------------------------------------------------------------------------------

class TGxTabButtons;

class TGxPalleteButton : public TObject {
public:
    QM_CLASS(TGxPalleteButton, TObject)
    TGxPalleteButton(TGxTabButtons* Owner, TClass ClassRef, int ImageIndex);

    TGxTabButtons* GetOwner() const { return FOwner; }
    const AnsiString& GetHint() const { return FHint; }
    void SetHint(const AnsiString& Value) { FHint = Value; }
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { FImageIndex = Value; }
    TClass GetClassRef() const { return FClassRef; }
    bool GetShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    // Its position in the owning page.
    int GetIndex() const;
    // Hints on and a text to show.
    bool HasHint() const { return FShowHint && !FHint.empty(); }

private:
    TGxTabButtons* FOwner;
    AnsiString FHint;
    int FImageIndex;
    TClass FClassRef;
    bool FShowHint = false;
};

// One page: a tab's caption and its buttons.
class TGxTabButtons : public TObject {
public:
    QM_CLASS(TGxTabButtons, TObject)
    explicit TGxTabButtons(const AnsiString& Caption) : FCaption(Caption) {}

    TGxPalleteButton* AddButton(TClass ClassRef, int ImageIndex);
    TGxPalleteButton* GetButton(int Index) const { return FButtons.at(Index).get(); }
    int GetCount() const { return int(FButtons.size()); }
    int IndexOf(const TGxPalleteButton* Button) const;
    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value) { FCaption = Value; }

private:
    std::vector<TOwned<TGxPalleteButton>> FButtons;
    AnsiString FCaption;
};

class TGxButtonHint : public THintWindow {
public:
    QM_CLASS(TGxButtonHint, THintWindow)
    explicit TGxButtonHint(TComponent* AOwner);
    // The button whose hint shows (or last showed); null after hiding.
    TGxPalleteButton* Button = nullptr;
};

enum TTabsBackgroundStyle { tbsSolid, tbsVertGradient };
using TButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TGxTabControl : public TCustomControl {
public:
    QM_CLASS(TGxTabControl, TCustomControl)
    explicit TGxTabControl(TComponent* AOwner);
    ~TGxTabControl() override;

    TGxTabButtons* Add(const AnsiString& Caption);
    // Adds to the page of that caption, made when there is none.
    TGxPalleteButton* AddButton(const AnsiString& PageCaption, TClass ClassRef, int ImageIndex);
    // The first page of exactly that caption, case counting; null when none.
    TGxTabButtons* GetPaletteByName(const AnsiString& Caption) const;
    int GetCount() const { return int(FPages.size()); }
    TGxTabButtons* GetTabButtons(int Index) const { return FPages.at(Index).get(); }
    // A button of the active page.
    TGxPalleteButton* GetButton(int Index) const;
    bool TabExist(int Index) const { return Index >= 0 && Index < GetCount(); }
    bool ButtonExist(int Index) const;

    TRect GetTabsRect();
    TRect GetButtonsRect();
    TRect GetButtonRect(int Index) const;
    // -1 with no width to divide by.
    int GetButtonAtPos(int X, int Y) const;
    int GetTabAtPos(int X, int Y);

    // Changing the page forgets the pressed and hovered button and hides the hint; no repaint.
    int GetActiveIndex() const { return FActiveIndex; }
    void SetActiveIndex(int Value);
    int GetButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value) { FButtonWidth = Value; }
    int GetButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int GetLeftIndent() const { return FLeftIndent; }
    void SetLeftIndent(int Value);
    int GetMargin() const { return FMargin; }
    void SetMargin(int Value);
    int GetTopIndent() const { return FTopIndent; }
    void SetTopIndent(int Value);
    int GetTabHeight() const { return FTabHeight; }
    void SetTabHeight(int Value);
    TTabsBackgroundStyle GetBackgroundStyle() const { return FBackgroundStyle; }
    void SetBackgroundStyle(TTabsBackgroundStyle Value);
    int GetHoverIndex() const { return FHoverIndex; }
    int GetPressedIndex() const { return FPressedIndex; }
    TGxButtonHint* GetHintWindow() const { return FHint; }

    TButtonClickEvent OnButtonClick;

protected:
    virtual void DoButtonClick(int Index);
    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseLeave(TMessage& Message) override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    enum TButtonMark { bmHover, bmDown };
    TRect TabRect(int Left, int Index);
    void PaintTab(int Index, TRect R);
    void PaintTabBorder(TRect R, bool Active);
    void PaintButtons();
    void PaintButton(TRect R, int ImageIndex, Set<TButtonMark> State);
    void RefreshButton(int Index);
    void ShowButtonHint(TGxPalleteButton* Button);
    void HideButtonHint();
    bool HintShowing() const;

    int FActiveIndex = 0;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    int FPressedIndex = -1;
    TOwned<TTimer> FHideTimer, FShowTimer;
    TGxButtonHint* FHint; // owned as a component
    int FHoverIndex = -1;
    TCustomImageList* FImages = nullptr;
    int FLeftIndent = 2;
    int FMargin = 2;
    std::vector<TOwned<TGxTabButtons>> FPages;
    int FTopIndent = 2;
    int FTabHeight = 21;
    TTabsBackgroundStyle FBackgroundStyle = tbsSolid;
};

} // namespace GxStdCtrls
