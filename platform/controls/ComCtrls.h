// Common controls: the rich edit (as plain text), the page control with its
// tab sheets, and the progress bar.
#pragma once
#include "platform/controls/ImgList.h"
#include "platform/controls/StdCtrls.h"

// ---- Rich edit ----------------------------------------------------------------------

// A memo whose text the system may also treat as rich text; only plain
// text is kept here (PlainText is stored for the code that sets it).
class TCustomRichEdit : public TCustomMemo {
public:
    QM_CLASS(TCustomRichEdit, TCustomMemo)
    using TCustomMemo::TCustomMemo;

    bool GetPlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }

private:
    bool FPlainText = false;
};

class TRichEdit : public TCustomRichEdit {
public:
    QM_CLASS(TRichEdit, TCustomRichEdit)
    using TCustomRichEdit::TCustomRichEdit;
};

// ---- Page control ------------------------------------------------------------------------

class TPageControl;

// One page: a windowed control filling the page control's page area while it
// is the active page (hidden otherwise). Its caption is the tab's text.
class TTabSheet : public TWinControl {
public:
    QM_CLASS(TTabSheet, TWinControl)
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* GetPageControl() const { return FPageControl; }
    // Puts the sheet (as a child) on the page control, as its last page.
    void SetPageControl(TPageControl* Value);
    // Parenting a sheet on a page control makes it one of its pages too.
    void SetParent(TWinControl* AParent) override;
    // The position among the page control's pages.
    int GetPageIndex() const;
    void SetPageIndex(int Value);
    // The position among the tabs shown; -1 while the tab is hidden.
    int GetTabIndex() const;
    bool GetTabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    // The tab's picture in the page control's Images; -1 for none.
    int GetImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

protected:
    void CMTextChanged(TMessage& Message) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    int FImageIndex = -1;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Tabs along the top and the active sheet below them. A tab picked by the
// user asks OnChanging first (which may refuse) and fires OnChange after the
// page changed; pages changed by the program fire neither.
class TPageControl : public TWinControl {
public:
    QM_CLASS(TPageControl, TWinControl)
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int GetPageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* GetPages(int Index) const;
    TTabSheet* GetActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Page);
    // -1: no page is active.
    int GetActivePageIndex() const;
    void SetActivePageIndex(int Value);
    TCustomImageList* GetImages() const { return FImages; }
    void SetImages(TCustomImageList* Value);

    // The area the sheets fill, in client coordinates.
    TRect GetDisplayRect();
    // The shown tab at a client point (-1 for none), and a shown tab's rectangle.
    int IndexOfTabAt(int X, int Y);
    TRect TabRect(int TabIndex);
    // The page after (or before) CurPage, going round; null when there is none.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible);
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

protected:
    // Asks OnChanging; true lets the user's pick go ahead.
    virtual bool CanChange();
    virtual void Change();
    void CreateInnerWidget() override;
    TRect GetInnerWidgetRect() override;
    void AdjustClientRect(TRect& Rect) override;
    void PaintWindow(HDC DC) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Showing one of the pages makes it the active page.
    void ShowControl(TControl* AControl) override;
    void WMGetDlgCode(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void MovePage(TTabSheet* Page, int NewIndex);
    // Shows the active page and hides the one before; no events.
    void ChangeActivePage(TTabSheet* Page);
    // Rebuilds the Qt tab bar from the pages (captions, pictures, visibility).
    void UpdateTabs();
    void UpdateTabText(TTabSheet* Page);
    void FillTabs();
    void TabPicked(int TabIndex);
    // The height of the tab row, from the font and the pictures.
    int TabHeight() const;
    TTabSheet* PageOfTab(int TabIndex) const;

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    bool FUpdatingTabs = false;
};

// ---- Progress bar -------------------------------------------------------------------------

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
public:
    QM_CLASS(TProgressBar, TWinControl)
    explicit TProgressBar(TComponent* AOwner);

    // Min above Max raises EInvalidOperation "<class> property out of range".
    int GetMin() const { return FMin; }
    void SetMin(int Value);
    int GetMax() const { return FMax; }
    void SetMax(int Value);
    // Always within Min..Max: a value outside is clamped.
    int GetPosition() const { return FPosition; }
    void SetPosition(int Value);
    int GetStep() const { return FStep; }
    void SetStep(int Value) { FStep = Value; }
    // Position + Step; past Max the bar starts again from Min.
    void StepIt();
    // Position + Delta, clamped.
    void StepBy(int Delta);
    bool GetSmooth() const { return FSmooth; }
    void SetSmooth(bool Value) { FSmooth = Value; }
    TProgressBarOrientation GetOrientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation Value);

protected:
    void CreateInnerWidget() override;

private:
    void SetParams(int AMin, int AMax);
    void UpdateBar();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    bool FSmooth = false;
    TProgressBarOrientation FOrientation = pbHorizontal;
};
