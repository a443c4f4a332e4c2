// Menus: a tree of items, the main menu shown as its form's menu bar, and
// the pop-up menu. A command the user picks reaches the item's OnClick
// through Click(); the check mark changes only when the program sets
// Checked (a handler that wants a toggle sets it), never by itself.
#pragma once
#include "platform/classes/Classes.h"

#include <memory>
#include <vector>

class TCustomForm;
class TMenu;

QM_DECLARE_EXCEPTION(EMenuError, Exception);

class TMenuItem : public TComponent {
public:
    QM_CLASS(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    // A caption of "-" makes the item a separator line.
    bool IsLine() const { return FCaption == "-"; }
    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value);
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool GetVisible() const { return FVisible; }
    void SetVisible(bool Value);

    // The sub-items. An item belongs to one parent at a time; freeing an
    // item frees its sub-items.
    int GetCount() const { return static_cast<int>(FItems.size()); }
    TMenuItem* GetItem(int Index) const;
    TMenuItem* GetParent() const { return FParent; }
    void Add(TMenuItem* Item);
    // Raises EMenuError "Menu inserted twice" for an item that has a parent.
    void Insert(int Index, TMenuItem* Item);
    // Takes the sub-item out without freeing it.
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    int GetMenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void SetMenuIndex(int Value);
    // The menu whose tree holds this item, or null.
    TMenu* GetParentMenu() const;

    // Runs OnClick when the item is enabled, as a pick by the user does.
    virtual void Click();

    TNotifyEvent OnClick;

private:
    friend class TMenu;
    friend struct TMenuBuilder;
    // A caption or state changed (Rebuild: the tree's shape changed).
    void Changed(bool Rebuild);

    AnsiString FCaption;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
    TMenu* FMenu = nullptr; // set on a menu's root item
    struct TQtItem;
    std::unique_ptr<TQtItem> FQt;
};

class TMenu : public TComponent {
public:
    QM_CLASS(TMenu, TComponent)
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root; its sub-items are the menu's top-level items.
    TMenuItem* GetItems() const { return FItems; }

protected:
    friend class TMenuItem;
    // An item's caption or state changed (Rebuild: the shape changed).
    virtual void MenuChanged(TMenuItem* /*Item*/, bool /*Rebuild*/) {}

private:
    TMenuItem* FItems;
};

// The menu bar of the form whose Menu it is (TCustomForm::SetMenu).
class TMainMenu : public TMenu {
public:
    QM_CLASS(TMainMenu, TMenu)
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;
    void BeforeDestruction() override;

    // The form showing this menu, or null.
    TCustomForm* GetForm() const { return FForm; }

protected:
    void MenuChanged(TMenuItem* Item, bool Rebuild) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend struct TMenuBuilder;
    void Attach(TCustomForm* Form);
    void Detach();
    void BuildBar();

    TCustomForm* FForm = nullptr;
    struct TBar;
    std::unique_ptr<TBar> FBar;
};

class TPopupMenu : public TMenu {
public:
    QM_CLASS(TPopupMenu, TMenu)
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // Shows the menu at a screen point and returns at once; a pick arrives
    // later through the item's Click.
    virtual void Popup(int X, int Y);
    bool GetAutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    // The control the menu was last shown for.
    TComponent* GetPopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup();
    void MenuChanged(TMenuItem* Item, bool Rebuild) override;

private:
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    struct TPopup;
    std::unique_ptr<TPopup> FPopup;
};
