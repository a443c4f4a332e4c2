#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/Timers.h"
#include "platform/testing/Menus.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/platform/controls/PlaceControl.h"
#include "tests/support/PumpUntil.h"

#include <gtest/gtest.h>

using namespace platform::test;

using MenuTest = TFormTest;

namespace {

TMenuItem* AddItem(TComponent* Owner, TMenuItem* Parent, const char* Caption, bool Checked = false)
{
    TMenuItem* Item = New<TMenuItem>(Owner);
    Item->SetCaption(Caption);
    Item->SetChecked(Checked);
    Parent->Add(Item);
    return Item;
}

// File: Save, -, Exit; Options: Auto (checked).
struct TTestMenu {
    TMainMenu* Menu;
    TMenuItem *File, *Save, *Line, *Exit, *Options, *Auto;
};

TTestMenu MakeMenu(TForm* Form)
{
    TTestMenu M{};
    M.Menu = New<TMainMenu>(Form);
    M.File = AddItem(Form, M.Menu->GetItems(), "File");
    M.Save = AddItem(Form, M.File, "Save");
    M.Line = AddItem(Form, M.File, "-");
    M.Exit = AddItem(Form, M.File, "Exit");
    M.Options = AddItem(Form, M.Menu->GetItems(), "Options");
    M.Auto = AddItem(Form, M.Options, "Auto", true);
    Form->SetMenu(M.Menu);
    return M;
}

} // namespace

TEST_F(MenuTest, APickRunsOnClickOnceAndLeavesTheCheckMarkToTheHandler)
{
    const int ClientHeight = Form->GetClientHeight();
    TTestMenu M = MakeMenu(Form);
    EXPECT_EQ(Form->GetClientHeight(), ClientHeight);
    EXPECT_GT(Form->GetHeight(), ClientHeight);

    int Saves = 0;
    M.Save->OnClick = [&](TObject* Sender) {
        EXPECT_EQ(Sender, M.Save);
        ++Saves;
    };
    ASSERT_TRUE(ClickMenuItem(M.Save));
    EXPECT_EQ(Saves, 1);

    // A handler that does nothing leaves the mark; one that toggles it, toggles it.
    int Autos = 0;
    M.Auto->OnClick = [&](TObject*) { ++Autos; };
    ASSERT_TRUE(ClickMenuItem(M.Auto));
    EXPECT_EQ(Autos, 1);
    EXPECT_TRUE(M.Auto->GetChecked());
    M.Auto->OnClick = [&](TObject*) { M.Auto->SetChecked(!M.Auto->GetChecked()); };
    ASSERT_TRUE(ClickMenuItem(M.Auto));
    EXPECT_FALSE(M.Auto->GetChecked());
    ASSERT_TRUE(ClickMenuItem(M.Auto));
    EXPECT_TRUE(M.Auto->GetChecked());

    // Separators show a line only, and they and disabled items take no picks.
    EXPECT_TRUE(M.Line->IsLine());
    EXPECT_EQ(ShownMenuText(M.Line), "");
    EXPECT_EQ(ShownMenuText(M.Save), "Save");
    EXPECT_FALSE(ClickMenuItem(M.Line));
    M.Save->SetEnabled(false);
    EXPECT_FALSE(ClickMenuItem(M.Save));
    M.Save->Click();
    EXPECT_EQ(Saves, 1);
}

TEST_F(MenuTest, PicksWorkWhileAHandlerPumpsMessagesInABusyLoop)
{
    TTestMenu M = MakeMenu(Form);
    bool Stop = false;
    M.Exit->OnClick = [&](TObject*) { Stop = true; };
    TTimer* Timer = New<TTimer>(Form);
    Timer->SetInterval(20);
    Timer->SetOnTimer([&](TObject*) {
        Timer->SetEnabled(false);
        ClickMenuItem(M.Exit);
    });
    // The busy loop of a long job that keeps the window alive.
    const Int64 Deadline = MonotonicMilliseconds() + 5000;
    while (!Stop && MonotonicMilliseconds() < Deadline)
        Application->ProcessMessages();
    EXPECT_TRUE(Stop);
}

TEST_F(MenuTest, TheTreeChangesWhileShownAndFreesItsItems)
{
    TTestMenu M = MakeMenu(Form);
    EXPECT_EQ(M.File->GetCount(), 3);
    EXPECT_EQ(M.File->GetItem(2), M.Exit);
    EXPECT_EQ(M.Exit->GetParentMenu(), M.Menu);
    EXPECT_THROW(M.Options->Add(M.Save), EMenuError);
    EXPECT_THROW(M.File->GetItem(3), EListError);

    // An item added while the bar is up can be picked at once.
    TMenuItem* Open = New<TMenuItem>(Form);
    Open->SetCaption("Open");
    M.File->Insert(0, Open);
    EXPECT_EQ(Open->GetMenuIndex(), 0);
    int Opens = 0;
    Open->OnClick = [&](TObject*) { ++Opens; };
    ASSERT_TRUE(ClickMenuItem(Open));
    EXPECT_EQ(Opens, 1);

    M.File->Delete(0);
    EXPECT_EQ(Open->GetParent(), nullptr);
    EXPECT_FALSE(ClickMenuItem(Open));
    Free(Open);

    // Freeing an item takes it out of its parent and frees its sub-items.
    const int Components = Form->GetComponentCount();
    Free(M.File);
    EXPECT_EQ(M.Menu->GetItems()->GetCount(), 1);
    EXPECT_EQ(Form->GetComponentCount(), Components - 4);
    ASSERT_TRUE(ClickMenuItem(M.Auto));

    // A form without a menu has no bar.
    const int ClientHeight = Form->GetClientHeight();
    Form->SetMenu(nullptr);
    EXPECT_FALSE(ClickMenuItem(M.Auto));
    EXPECT_EQ(Form->GetClientHeight(), ClientHeight);
    EXPECT_EQ(Form->GetHeight(), ClientHeight);
}
