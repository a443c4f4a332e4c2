#include "platform/controls/Menus.h"
#include "platform/controls/Forms.h"
#include "platform/controls/MenuWidgets.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/Guarded.h"
#include "platform/rtl/QtStrings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>

using namespace platform::detail;

// The Qt side of one item in the menu shown now: its action (a sub-menu's
// own action for an item with sub-items) and its sub-menu.
struct TMenuItem::TQtItem {
    QPointer<QAction> Action;
    QPointer<QMenu> Menu;
    QMetaObject::Connection Triggered;

    void Forget()
    {
        QObject::disconnect(Triggered);
        Action = nullptr;
        Menu = nullptr;
    }
};

struct TMainMenu::TBar {
    QPointer<QMenuBar> Bar;
};

struct TPopupMenu::TPopup {
    QPointer<QMenu> Menu;
};

// Builds the Qt menus of an item tree and keeps them in step with it.
struct TMenuBuilder {
    static QAction* ActionOf(TMenuItem* Item) { return Item->FQt->Action; }
    static QMenu* MenuOf(TMenuItem* Item) { return Item->FQt->Menu; }
    static void Attach(TMainMenu* Menu, TCustomForm* Form) { Menu->Attach(Form); }
    static void Detach(TMainMenu* Menu) { Menu->Detach(); }

    // The item's look on its action: text, separator, check mark, state.
    static void Apply(TMenuItem* Item)
    {
        QAction* A = Item->FQt->Action;
        if (!A) return;
        // Qt shows a separator's text as a heading: a line shows none.
        A->setText(Item->IsLine() ? QString() : ToQString(Item->FCaption));
        A->setSeparator(Item->IsLine());
        // Only a checked item shows a mark (and the room for one).
        A->setCheckable(Item->FChecked);
        A->setChecked(Item->FChecked);
        A->setEnabled(Item->FEnabled);
        A->setVisible(Item->FVisible);
    }

    // A user's pick: Qt has toggled a checkable action by itself; the mark
    // goes back to what the item says before the handler runs.
    static void Picked(TMenuItem* Item)
    {
        if (QAction* A = Item->FQt->Action) A->setChecked(Item->FChecked);
        Guarded(nullptr, [Item] { Item->Click(); });
    }

    // The action for Item in a menu (or the bar) Container.
    static QAction* Make(TMenuItem* Item, QWidget* Container)
    {
        TMenuItem::TQtItem& Q = *Item->FQt;
        Q.Forget();
        if (Item->GetCount() > 0) {
            auto* Menu = new QMenu(Container);
            for (TMenuItem* Sub : Item->FItems)
                Menu->addAction(Make(Sub, Menu));
            Q.Menu = Menu;
            Q.Action = Menu->menuAction();
        } else {
            auto* A = new QAction(Container);
            Q.Action = A;
            Q.Triggered = QObject::connect(A, &QAction::triggered, A, [Item] { Picked(Item); });
        }
        Apply(Item);
        return Q.Action;
    }

    // Forgets the Qt side of Item and its sub-items.
    static void Forget(TMenuItem* Item)
    {
        Item->FQt->Forget();
        for (TMenuItem* Sub : Item->FItems)
            Forget(Sub);
    }

    // Fills Container (a bar or a menu) with the top-level items of Root.
    static void Fill(TMenuItem* Root, QWidget* Container)
    {
        for (TMenuItem* Item : Root->FItems)
            Container->addAction(Make(Item, Container));
    }

    // Takes the old top-level menus and actions out of Container and frees
    // them once Qt is done with them (a pick may be running in one).
    static void Empty(TMenuItem* Root, QWidget* Container)
    {
        std::vector<QObject*> Old;
        for (TMenuItem* Item : Root->FItems) {
            if (Item->FQt->Menu)
                Old.push_back(Item->FQt->Menu);
            else if (Item->FQt->Action)
                Old.push_back(Item->FQt->Action);
        }
        Forget(Root);
        for (QAction* A : Container->actions())
            Container->removeAction(A);
        for (QObject* O : Old)
            O->deleteLater();
    }
};

// ---- TMenuItem ------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FQt(std::make_unique<TQtItem>()) {}

TMenuItem::~TMenuItem()
{
    if (FParent) FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* Sub = FItems.back();
        FItems.pop_back();
        Sub->FParent = nullptr;
        Free(Sub);
    }
    FQt->Forget();
}

void TMenuItem::SetCaption(const AnsiString& Value)
{
    if (Value == FCaption) return;
    FCaption = Value;
    Changed(false);
}

void TMenuItem::SetChecked(bool Value)
{
    if (Value == FChecked) return;
    FChecked = Value;
    Changed(false);
}

void TMenuItem::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    Changed(false);
}

void TMenuItem::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    Changed(false);
}

TMenuItem* TMenuItem::GetItem(int Index) const
{
    if (Index < 0 || Index >= GetCount()) throw EListError(Format("List index out of bounds (%d)", {Index}));
    return FItems[Index];
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(GetCount(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item) return;
    if (Item->FParent) throw EMenuError("Menu inserted twice");
    if (Index < 0 || Index > GetCount()) throw EMenuError("Menu index out of range");
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed(true);
}

void TMenuItem::Delete(int Index)
{
    TMenuItem* Item = GetItem(Index);
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    TMenuBuilder::Forget(Item);
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const int Index = IndexOf(Item);
    if (Index < 0) throw EMenuError("Sub-menu is not in menu");
    Delete(Index);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        Free(FItems.back()); // each takes itself out
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    const auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMenuItem::SetMenuIndex(int Value)
{
    if (!FParent) return;
    TMenuItem* Parent = FParent;
    Value = std::clamp(Value, 0, Parent->GetCount() - 1);
    if (Value == GetMenuIndex()) return;
    Parent->Delete(GetMenuIndex());
    Parent->Insert(Value, this);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* Item = this;
    while (Item->FParent)
        Item = Item->FParent;
    return Item->FMenu;
}

void TMenuItem::Click()
{
    if (FEnabled && OnClick) OnClick(this);
}

void TMenuItem::Changed(bool Rebuild)
{
    if (!Rebuild) TMenuBuilder::Apply(this);
    if (TMenu* Menu = GetParentMenu()) Menu->MenuChanged(this, Rebuild);
}

// ---- TMenu --------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(New<TMenuItem>(this))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    // The root goes with the menu's components; it must not call back.
    if (FItems) FItems->FMenu = nullptr;
}

// ---- TMainMenu -----------------------------------------------------------------------------

namespace {

void FormMenuChangedHook(TCustomForm* Form, TMainMenu* OldMenu, TMainMenu* NewMenu);

} // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner), FBar(std::make_unique<TBar>())
{
    // A form learns of its menu through this hook; no menu, no hook needed.
    platform::detail::FormMenuChanged = FormMenuChangedHook;
}

TMainMenu::~TMainMenu()
{
    Detach();
}

void TMainMenu::BeforeDestruction()
{
    // A form that shows this menu shows none from now on.
    if (FForm && !FForm->GetComponentState().Contains(csDestroying) && FForm->GetMenu() == this)
        FForm->SetMenu(nullptr);
    TMenu::BeforeDestruction();
}

void TMainMenu::Attach(TCustomForm* Form)
{
    if (Form == FForm) return;
    Detach();
    FForm = Form;
    if (!Form) return;
    Form->FreeNotification(this);
    BuildBar();
}

void TMainMenu::Detach()
{
    if (!FForm) return;
    TCustomForm* Form = FForm;
    FForm = nullptr;
    Form->RemoveFreeNotification(this);
    QMenuBar* Bar = FBar->Bar;
    TMenuBuilder::Forget(GetItems());
    if (FormMenuBar(Form) == Bar) SetFormMenuBar(Form, nullptr);
    if (Bar) Bar->deleteLater();
    FBar->Bar = nullptr;
}

void TMainMenu::BuildBar()
{
    auto* Bar = new QMenuBar;
    TMenuBuilder::Fill(GetItems(), Bar);
    FBar->Bar = Bar;
    SetFormMenuBar(FForm, Bar);
}

void TMainMenu::MenuChanged(TMenuItem*, bool Rebuild)
{
    QMenuBar* Bar = FBar->Bar;
    if (!Rebuild || !Bar || !FForm) return;
    TMenuBuilder::Empty(GetItems(), Bar);
    TMenuBuilder::Fill(GetItems(), Bar);
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FForm) {
        // The form is going, its window and bar with it.
        FForm = nullptr;
        TMenuBuilder::Forget(GetItems());
        FBar->Bar = nullptr;
    }
}

namespace {

void FormMenuChangedHook(TCustomForm* Form, TMainMenu* OldMenu, TMainMenu* NewMenu)
{
    if (OldMenu && OldMenu->GetForm() == Form) TMenuBuilder::Detach(OldMenu);
    if (NewMenu) TMenuBuilder::Attach(NewMenu, Form);
}

} // namespace

// ---- TPopupMenu ------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner), FPopup(std::make_unique<TPopup>()) {}

TPopupMenu::~TPopupMenu()
{
    TMenuBuilder::Forget(GetItems());
    if (FPopup->Menu) FPopup->Menu->deleteLater();
}

void TPopupMenu::DoPopup()
{
    if (OnPopup) OnPopup(this);
}

void TPopupMenu::Popup(int X, int Y)
{
    DoPopup();
    if (FPopup->Menu) FPopup->Menu->deleteLater();
    auto* Menu = new QMenu;
    Menu->setAttribute(Qt::WA_DeleteOnClose);
    TMenuBuilder::Fill(GetItems(), Menu);
    FPopup->Menu = Menu;
    Menu->popup(QPoint(X, Y));
}

void TPopupMenu::MenuChanged(TMenuItem*, bool Rebuild)
{
    // A shape change while the menu is up takes effect at the next Popup.
    if (Rebuild && FPopup->Menu) FPopup->Menu->close();
}

// ---- The Qt menus behind the items, for the platform's own drivers ---------------------------------

namespace platform::detail {

QAction* MenuItemAction(TMenuItem* Item)
{
    return TMenuBuilder::ActionOf(Item);
}

QMenu* MenuItemSubMenu(TMenuItem* Item)
{
    return TMenuBuilder::MenuOf(Item);
}

} // namespace platform::detail
