#include "ControlFixtures.h"
#include "platform/controls/ExtCtrls.h"

namespace {

using FormsTest = TFormTest;

// The main window's resize limit: 525 x 480 at least, a too-small side
// clamped only while the other is above its limit.
void LimitSize(TObject*, int& W, int& H, bool& Resize)
{
    if (W < 525 && H < 480) {
        Resize = false;
    } else if (W < 525 && H > 480) {
        W = 525;
    } else if (W > 525 && H < 480) {
        H = 480;
    }
    if (W < 525 || H < 480) Resize = false;
}

TEST_F(FormsTest, OuterSizeIsTheClientSizePlusTheMenuBar)
{
    Form->SetClientWidth(601);
    Form->SetClientHeight(507);
    EXPECT_EQ(Form->GetWidth(), 601);
    EXPECT_EQ(Form->GetHeight(), 507);
    auto* Panel = New<TPanel>(Form);
    Panel->SetParent(Form);
    Panel->SetAlign(alBottom);

    platform::test::AttachMenuBar(Form, "File");
    const int Bar = platform::test::MenuBarHeight(Form);
    ASSERT_GT(Bar, 0);
    EXPECT_EQ(Form->GetClientHeight(), 507);
    EXPECT_EQ(Form->GetClientWidth(), 601);
    EXPECT_EQ(Form->GetHeight(), 507 + Bar);
    EXPECT_EQ(Form->GetWidth(), 601);
    // The client area starts below the bar: the bottom panel still ends at the bottom.
    EXPECT_EQ(Panel->GetTop() + Panel->GetHeight(), 507);
    TRect Window;
    GetWindowRect(Form->GetHandle(), &Window);
    EXPECT_EQ(Form->ClientToScreen(TPoint(0, 0)).Y - Window.Top, Bar);
    EXPECT_EQ(Panel->ClientToScreen(TPoint(0, 0)).Y - Form->ClientToScreen(TPoint(0, 0)).Y, Panel->GetTop());

    // Setting the outer size leaves the bar's height to the client area.
    Form->SetHeight(400);
    EXPECT_EQ(Form->GetClientHeight(), 400 - Bar);

    platform::test::DetachMenuBar(Form);
    EXPECT_EQ(Form->GetHeight(), 400 - Bar);
    EXPECT_EQ(Form->GetClientHeight(), 400 - Bar);
}

TEST_F(FormsTest, OnCanResizeRefusesOrClampsEverySizeTheProgramSets)
{
    Form->SetBounds(10, 20, 700, 600);
    Form->OnCanResize = LimitSize;

    Form->SetBounds(30, 40, 500, 400); // both too small: refused, position too
    EXPECT_EQ(Form->GetBoundsRect(), Bounds(10, 20, 700, 600));
    Form->SetWidth(400); // the height is above its limit: width clamped
    EXPECT_EQ(Form->GetWidth(), 525);
    Form->SetBounds(10, 20, 700, 300); // height clamped
    EXPECT_EQ(Form->GetHeight(), 480);
    Form->SetBounds(10, 20, 500, 480); // height at its limit: refused, not clamped
    EXPECT_EQ(Form->GetBoundsRect(), Bounds(10, 20, 700, 480));
    Form->SetClientWidth(520); // at height 480 the width is refused too
    EXPECT_EQ(Form->GetWidth(), 700);

    // Constraints apply after the handler.
    Form->GetConstraints()->SetMaxWidth(800);
    Form->SetWidth(900);
    EXPECT_EQ(Form->GetWidth(), 800);
}

TEST_F(FormsTest, TheWindowManagersResizeIsCorrectedAfterwards)
{
    Form->SetBounds(0, 0, 700, 600);
    Form->OnCanResize = LimitSize;
    int Resizes = 0;
    Form->OnResize = [&](TObject*) { ++Resizes; };

    platform::test::ResizeWindow(Form, 650, 550);
    EXPECT_EQ(Form->GetWidth(), 650);
    EXPECT_EQ(Form->GetHeight(), 550);
    EXPECT_EQ(Resizes, 1);

    // Narrower than the limit while tall enough: held at 525.
    platform::test::ResizeWindow(Form, 300, 550);
    EXPECT_EQ(Form->GetWidth(), 525);
    EXPECT_EQ(Form->GetHeight(), 550);
    // Both too small: never below the limit, whatever the manager tried.
    platform::test::ResizeWindow(Form, 100, 100);
    EXPECT_GE(Form->GetWidth(), 525);
    EXPECT_GE(Form->GetHeight(), 480);
    EXPECT_EQ(Form->GetWidth(), Form->GetBoundsRect().Width());
}

TEST_F(FormsTest, CloseAsksOnCloseQueryAndThenOnClose)
{
    std::vector<std::string> Log;
    bool Allow = false;
    TCloseAction Action = caNone;
    Form->OnCloseQuery = [&](TObject*, bool& CanClose) {
        Log.push_back("query");
        CanClose = Allow;
    };
    Form->OnClose = [&](TObject*, TCloseAction& A) {
        Log.push_back("close");
        A = Action;
    };
    Form->Close();
    EXPECT_EQ(Log, (std::vector<std::string>{"query"}));
    EXPECT_TRUE(Form->GetVisible());

    Allow = true;
    Form->Close(); // caNone: stays
    EXPECT_TRUE(Form->GetVisible());
    Action = caHide;
    platform::test::CloseWindow(Form); // the window manager's close button
    EXPECT_EQ(Log, (std::vector<std::string>{"query", "query", "close", "query", "close"}));
    EXPECT_FALSE(Form->GetVisible());
    EXPECT_FALSE(Form->GetShowing());
}

TEST_F(FormsTest, ReleaseFreesTheFormOnceItsEventsAreDone)
{
    struct TWatch : TComponent {
        using TComponent::TComponent;
        bool Gone = false;
        void Notification(TComponent* C, TOperation Op) override
        {
            TComponent::Notification(C, Op);
            if (Op == opRemove) Gone = true;
        }
    } Watch(nullptr);
    TForm* Other = New<TForm>(Application);
    Other->FreeNotification(&Watch);
    Other->OnClose = [](TObject*, TCloseAction& A) { A = caFree; };
    Other->Show();
    Other->Close();
    EXPECT_FALSE(Watch.Gone);
    platform::test::ProcessEvents();
    EXPECT_TRUE(Watch.Gone);
}

TEST(Application, CreateFormRunAndTerminate)
{
    // A private application object, so that terminating it ends nothing else.
    TApplication* Saved = Application;
    Application = New<TApplication>(nullptr);
    struct TMainForm : TForm {
        using TForm::TForm;
        TMainForm** Reference = nullptr;
        bool SawReference = false;
    };
    static TMainForm* MainForm = nullptr;
    std::vector<std::string> Log;
    {
        struct TProbeForm : TMainForm {
            explicit TProbeForm(TComponent* AOwner) : TMainForm(AOwner)
            {
                OnCreate = [this](TObject*) { SawReference = MainForm == this; };
            }
        };
        TProbeForm* F = nullptr;
        Application->CreateForm(F);
        MainForm = F;
        EXPECT_EQ(Application->GetMainForm(), F);
        EXPECT_TRUE(F->HandleAllocated());
        F->OnCloseQuery = [&](TObject*, bool&) { Log.push_back("query"); };
        F->OnShow = [&](TObject*) { Log.push_back("show"); };
        // The window manager closes the main form once the loop runs.
        PostMessageA(F->GetHandle(), WM_CLOSE, 0, 0);
        Application->Run();
        EXPECT_TRUE(Application->GetTerminated());
        EXPECT_EQ(Log, (std::vector<std::string>{"show", "query"}));
    }
    // The reference was set before OnCreate ran.
    TApplication* Mine = Application;
    Application = Saved;
    Free(Mine);
    platform::test::ProcessEvents();
}

TEST(Application, TerminateDoesNotAskTheForms)
{
    TApplication* Saved = Application;
    Application = New<TApplication>(nullptr);
    TForm* F = nullptr;
    Application->CreateForm(F);
    bool Asked = false;
    F->OnCloseQuery = [&](TObject*, bool&) { Asked = true; };
    PostMessageA(F->GetHandle(), WM_USER, 0, 0);
    F->SetWindowProc([F, Old = F->GetWindowProc()](TMessage& M) {
        if (M.Msg == WM_USER) Application->Terminate();
        Old(M);
    });
    Application->Run();
    EXPECT_TRUE(Application->GetTerminated());
    EXPECT_FALSE(Asked);
    TApplication* Mine = Application;
    Application = Saved;
    Free(Mine);
    platform::test::ProcessEvents();
}

TEST_F(FormsTest, ScreenCenterPlacesTheFormWhenFirstShown)
{
    TForm* F = New<TForm>(Application);
    F->SetBounds(0, 0, 200, 100);
    F->SetPosition(poScreenCenter);
    F->Show();
    EXPECT_EQ(F->GetLeft(), (Screen->GetWidth() - 200) / 2);
    EXPECT_EQ(F->GetTop(), (Screen->GetHeight() - 100) / 2);
    Free(F);
}

TEST_F(FormsTest, TheFormBackgroundIsItsColour)
{
    EXPECT_EQ(platform::test::PixelAt(Form, 5, 5), ColorToRGB(clBtnFace));
    Form->SetColor(clTeal);
    EXPECT_EQ(platform::test::PixelAt(Form, 5, 5), clTeal);
}

} // namespace

namespace {

TEST(Screen, FontsAreTheFamiliesSortedAndReadOnce)
{
    TStrings* Fonts = Screen->GetFonts();
    ASSERT_GT(Fonts->GetCount(), 0);
    EXPECT_EQ(Screen->GetFonts(), Fonts);
    EXPECT_GE(Fonts->IndexOf("DejaVu Sans"), 0);
    for (int I = 1; I < Fonts->GetCount(); ++I)
        EXPECT_LE(AnsiCompareText(Fonts->Get(I - 1), Fonts->Get(I)), 0) << Fonts->Get(I);
}

} // namespace
