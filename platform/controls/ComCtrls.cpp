#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/controls/ControlWindows.h"
#include "platform/controls/ImageLists.h"
#include "platform/rtl/QtStrings.h"
#include "platform/rtl/ScopeExit.h"

#include <QApplication>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>

#include <algorithm>

using namespace platform::detail;

namespace {

// The sheets lie this far inside the page control's edges, as the system's
// page area does.
constexpr int PageMargin = 4;
// The tab row starts this far from the left edge.
constexpr int TabIndent = 2;

// Tabs as high as the page control says, whatever the style would make them.
class TTabRow : public QTabBar {
public:
    explicit TTabRow(QWidget* Parent) : QTabBar(Parent) {}
    int Height = 0;

protected:
    QSize tabSizeHint(int Index) const override
    {
        QSize S = QTabBar::tabSizeHint(Index);
        S.setHeight(Height);
        return S;
    }
    QSize minimumTabSizeHint(int Index) const override
    {
        QSize S = QTabBar::minimumTabSizeHint(Index);
        S.setHeight(Height);
        return S;
    }
};

} // namespace

// ---- TTabSheet ----------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle({csAcceptsControls, csNoDesignVisible});
    SetAlign(alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    if (Value != FPageControl) SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    auto* New = dynamic_cast<TPageControl*>(AParent);
    if (FPageControl && FPageControl != New) FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (New && FPageControl != New) New->InsertPage(this);
}

int TTabSheet::GetPageIndex() const
{
    if (!FPageControl) return -1;
    const auto& Pages = FPageControl->FPages;
    return static_cast<int>(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetPageIndex(int Value)
{
    if (FPageControl) FPageControl->MovePage(this, Value);
}

int TTabSheet::GetTabIndex() const
{
    if (!FPageControl || !FTabVisible) return -1;
    int Index = 0;
    for (TTabSheet* Page : FPageControl->FPages) {
        if (Page == this) return Index;
        if (Page->FTabVisible) ++Index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (Value == FTabVisible) return;
    FTabVisible = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::SetImageIndex(int Value)
{
    if (Value == FImageIndex) return;
    FImageIndex = Value;
    if (FPageControl) FPageControl->UpdateTabs();
}

void TTabSheet::CMTextChanged(TMessage& Message)
{
    TWinControl::CMTextChanged(Message);
    if (FPageControl) FPageControl->UpdateTabText(this);
}

// ---- TPageControl ------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner), FImageChangeLink(std::make_unique<TChangeLink>())
{
    SetControlStyle({csDoubleClicks, csOpaque});
    SetBounds(GetLeft(), GetTop(), 289, 193);
    SetTabStop(true);
    FImageChangeLink->OnChange = [this](TObject*) {
        UpdateTabs();
        Realign();
    };
}

TPageControl::~TPageControl()
{
    // The sheets may go after this object (their parent frees them): they
    // must not come back to it.
    for (TTabSheet* Page : FPages)
        Page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::GetPages(int Index) const
{
    if (Index < 0 || Index >= GetPageCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FPages[Index];
}

int TPageControl::GetActivePageIndex() const
{
    return FActivePage ? FActivePage->GetPageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value)
{
    SetActivePage(Value >= 0 && Value < GetPageCount() ? FPages[Value] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page && Page->FPageControl != this) return;
    ChangeActivePage(Page);
}

void TPageControl::ShowControl(TControl* AControl)
{
    auto* Page = dynamic_cast<TTabSheet*>(AControl);
    if (Page && Page->FPageControl == this) SetActivePage(Page);
    TWinControl::ShowControl(AControl);
}

void TPageControl::ChangeActivePage(TTabSheet* Page)
{
    if (Page != FActivePage) {
        // The focus leaves a page that goes out of sight.
        TCustomForm* Form = GetParentForm(this);
        if (Form && FActivePage && FActivePage->ContainsControl(Form->GetActiveControl()) && CanFocus()) SetFocus();
        TTabSheet* Old = FActivePage;
        FActivePage = Page;
        if (Page) {
            Page->BringToFront();
            Page->SetVisible(true);
        }
        if (Old) Old->SetVisible(false);
    }
    if (auto* Row = InnerWidgetAs<QTabBar>()) {
        TRestore Updating(FUpdatingTabs, true);
        Row->setCurrentIndex(Page ? Page->GetTabIndex() : -1);
    }
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    // The page area at once, even while alignment waits (a form being
    // built places the sheet's children against it).
    if (Page->GetAlign() == alClient) Page->SetBoundsRect(GetDisplayRect());
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    const auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end()) return;
    TTabSheet* Next = Page == FActivePage ? FindNextPage(Page, true, true) : FActivePage;
    if (Next == Page) Next = nullptr;
    FPages.erase(It);
    Page->FPageControl = nullptr;
    if (Page == FActivePage) FActivePage = nullptr;
    if (GetComponentState().Contains(csDestroying)) return;
    UpdateTabs();
    ChangeActivePage(Next);
}

void TPageControl::MovePage(TTabSheet* Page, int NewIndex)
{
    const auto It = std::find(FPages.begin(), FPages.end(), Page);
    if (It == FPages.end()) return;
    FPages.erase(It);
    NewIndex = std::clamp(NewIndex, 0, GetPageCount());
    FPages.insert(FPages.begin() + NewIndex, Page);
    UpdateTabs();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible)
{
    const int Count = GetPageCount();
    if (Count == 0) return nullptr;
    const auto It = std::find(FPages.begin(), FPages.end(), CurPage);
    int Start = It == FPages.end() ? (GoForward ? Count - 1 : 0) : static_cast<int>(It - FPages.begin());
    int I = Start;
    do {
        I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
        if (!CheckTabVisible || FPages[I]->FTabVisible) return FPages[I];
    } while (I != Start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* Page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (Page && Page != FActivePage && CanChange()) {
        ChangeActivePage(Page);
        Change();
    }
}

TTabSheet* TPageControl::PageOfTab(int TabIndex) const
{
    if (TabIndex < 0) return nullptr;
    for (TTabSheet* Page : FPages)
        if (Page->FTabVisible && TabIndex-- == 0) return Page;
    return nullptr;
}

void TPageControl::SetImages(TCustomImageList* Value)
{
    if (Value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    FImageChangeLink->SetSender(Value);
    if (Value) Value->FreeNotification(this);
    UpdateTabs();
    Realign();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        UpdateTabs();
        Realign();
    }
}

bool TPageControl::CanChange()
{
    bool Allow = true;
    if (OnChanging) OnChanging(this, Allow);
    return Allow;
}

void TPageControl::Change()
{
    if (OnChange) OnChange(this);
}

int TPageControl::TabHeight() const
{
    const int TextHeight = QFontMetrics(ToQFont(GetFont())).height();
    const int ImageHeight = FImages ? FImages->GetHeight() : 0;
    return std::max(TextHeight, ImageHeight) + 6;
}

TRect TPageControl::GetDisplayRect()
{
    const TRect R = GetClientRect();
    return TRect(R.Left + PageMargin, R.Top + TabHeight() + PageMargin,
                 std::max(R.Left + PageMargin, R.Right - PageMargin),
                 std::max(R.Top + TabHeight() + PageMargin, R.Bottom - PageMargin));
}

void TPageControl::AdjustClientRect(TRect& Rect)
{
    TWinControl::AdjustClientRect(Rect);
    Rect = GetDisplayRect();
}

TRect TPageControl::GetInnerWidgetRect()
{
    const TPoint Offset = GetClientOffset();
    const TRect R = GetClientRect();
    return Bounds(Offset.X + TabIndent, Offset.Y, std::max(0, int(R.Width()) - 2 * TabIndent), TabHeight());
}

void TPageControl::CreateInnerWidget()
{
    QWidget* Window = WindowWidget(this);
    auto* Row = new TTabRow(Window);
    Row->setDrawBase(false);
    Row->setExpanding(false);
    Row->setElideMode(Qt::ElideNone);
    SetInnerWidget(GetHandle(), Row);
    FillTabs();
    QObject::connect(Row, &QTabBar::currentChanged, Row,
                     ForControl(this, Window, [this, Row] { TabPicked(Row->currentIndex()); }));
}

void TPageControl::UpdateTabs()
{
    if (!InnerWidgetAs<QTabBar>()) return;
    FillTabs();
    UpdateInnerWidget();
    Invalidate();
}

// A caption that changes often (a count in it) renames its tab in place
// rather than rebuilding the row.
void TPageControl::UpdateTabText(TTabSheet* Page)
{
    auto* Row = static_cast<TTabRow*>(InnerWidgetAs<QTabBar>());
    const int Tab = Page->GetTabIndex();
    if (!Row || Tab < 0 || Tab >= Row->count()) {
        UpdateTabs();
        return;
    }
    const QString Text = ToQString(Page->GetCaption());
    if (Row->tabText(Tab) != Text) Row->setTabText(Tab, Text);
}

void TPageControl::FillTabs()
{
    auto* Row = static_cast<TTabRow*>(InnerWidgetAs<QTabBar>());
    TRestore Updating(FUpdatingTabs, true);
    const QSignalBlocker Quiet(Row);
    Row->Height = TabHeight();
    Row->setFont(ToQFont(GetFont()));
    if (FImages) Row->setIconSize(QSize(FImages->GetWidth(), FImages->GetHeight()));
    while (Row->count() > 0)
        Row->removeTab(Row->count() - 1);
    for (TTabSheet* Page : FPages) {
        if (!Page->FTabVisible) continue;
        Row->addTab(ImageListIcon(FImages, Page->FImageIndex), ToQString(Page->GetCaption()));
    }
    Row->setCurrentIndex(FActivePage ? FActivePage->GetTabIndex() : -1);
}

void TPageControl::TabPicked(int TabIndex)
{
    if (FUpdatingTabs) return;
    TTabSheet* Page = PageOfTab(TabIndex);
    if (Page == FActivePage) return;
    if (!CanChange()) {
        // Refused: the tab of the page that stays comes back.
        ChangeActivePage(FActivePage);
        return;
    }
    ChangeActivePage(Page);
    Change();
}

int TPageControl::IndexOfTabAt(int X, int Y)
{
    HandleNeeded();
    auto* Row = InnerWidgetAs<QTabBar>();
    if (!Row) return -1;
    const TRect Inner = GetInnerWidgetRect();
    const TPoint Offset = GetClientOffset();
    return Row->tabAt(QPoint(X + Offset.X - Inner.Left, Y + Offset.Y - Inner.Top));
}

TRect TPageControl::TabRect(int TabIndex)
{
    HandleNeeded();
    auto* Row = InnerWidgetAs<QTabBar>();
    if (!Row || TabIndex < 0 || TabIndex >= Row->count()) return TRect();
    const TRect Inner = GetInnerWidgetRect();
    const TPoint Offset = GetClientOffset();
    const QRect R = Row->tabRect(TabIndex).translated(Inner.Left - Offset.X, Inner.Top - Offset.Y);
    return FromQRect(R);
}

void TPageControl::PaintWindow(HDC DC)
{
    TWinControl::PaintWindow(DC);
    const TRect Client = GetClientRect();
    const QRect Pane(Client.Left, Client.Top + TabHeight() - 1, Client.Width(), Client.Height() - TabHeight() + 1);
    TDCPainter Painter(DC, Pane);
    if (!Painter.Active()) return;
    QStyleOptionTabWidgetFrame Option;
    Option.rect = Pane;
    Option.shape = QTabBar::RoundedNorth;
    Option.palette = QApplication::palette();
    Option.palette.setColor(QPalette::Window, ToQColor(GetColor()));
    Option.lineWidth = QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    QApplication::style()->drawPrimitive(QStyle::PE_FrameTabWidget, &Option, &Painter.Painter());
}

void TPageControl::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS;
}

void TPageControl::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    UpdateTabs();
    Realign();
}

// ---- TProgressBar ---------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 150, 16);
}

void TProgressBar::CreateInnerWidget()
{
    auto* Bar = new QProgressBar(WindowWidget(this));
    Bar->setTextVisible(false);
    SetInnerWidget(GetHandle(), Bar);
    UpdateBar();
}

void TProgressBar::UpdateBar()
{
    auto* Bar = InnerWidgetAs<QProgressBar>();
    if (!Bar) return;
    Bar->setOrientation(FOrientation == pbVertical ? Qt::Vertical : Qt::Horizontal);
    // Qt shows a busy bar for an empty range; the system shows an empty one.
    if (FMin == FMax) {
        Bar->setRange(0, 1);
        Bar->setValue(0);
    } else {
        Bar->setRange(FMin, FMax);
        Bar->setValue(FPosition);
    }
}

void TProgressBar::SetParams(int AMin, int AMax)
{
    if (AMax < AMin) throw EInvalidOperation(ClassName() + " property out of range");
    FMin = AMin;
    FMax = AMax;
    FPosition = std::clamp(FPosition, FMin, FMax);
    UpdateBar();
}

void TProgressBar::SetMin(int Value)
{
    SetParams(Value, FMax);
}

void TProgressBar::SetMax(int Value)
{
    SetParams(FMin, Value);
}

void TProgressBar::SetPosition(int Value)
{
    FPosition = std::clamp(Value, FMin, FMax);
    UpdateBar();
}

void TProgressBar::StepIt()
{
    const Int64 Next = Int64(FPosition) + FStep;
    SetPosition(Next > FMax ? FMin : static_cast<int>(std::max<Int64>(Next, FMin)));
}

void TProgressBar::StepBy(int Delta)
{
    SetPosition(static_cast<int>(std::clamp<Int64>(Int64(FPosition) + Delta, FMin, FMax)));
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value)
{
    FOrientation = Value;
    UpdateBar();
}
