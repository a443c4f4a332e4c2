#include "grid/shared/GxEdit.h"
#include "platform/win/WindowHook.h"
#include "tests/grid/shared/EditFixtures.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <random>

namespace {

using namespace GxEdit;
using namespace platform::test;

TEST(GxEditRoutines, OnlyKeysThatDeleteTextAreSwallowed)
{
    for (Word Key : {Word(VK_BACK), Word(VK_CLEAR), Word(VK_DELETE)}) {
        Word K = Key;
        EXPECT_FALSE(IsEditKeyAllowed(K));
        EXPECT_EQ(K, 0);
    }
    for (Word Key : {Word('A'), Word(VK_LEFT), Word(VK_INSERT), Word(0)}) {
        Word K = Key;
        EXPECT_TRUE(IsEditKeyAllowed(K));
        EXPECT_EQ(K, Key);
    }
}

TEST(GxEditRoutines, NumberTextStaysInRange)
{
    // The cleaning itself is GxClasses' (tested there); the range follows it.
    const double NoMin = -1e9;
    EXPECT_EQ(ValidateNumberText("2x50", true, true, 100, NoMin), "100");
    EXPECT_EQ(ValidateNumberText("250000", true, true, 0, NoMin), "250000"); // no Max
    EXPECT_EQ(ValidateNumberText("-7", true, true, 0, -3), "-3");
    EXPECT_EQ(ValidateNumberText("\b", true, true, 100, 1), "1");
    EXPECT_EQ(ValidateNumberText(".5", true, true, 0, NoMin), ".5"); // the text, not a new one
    EXPECT_EQ(ValidateNumberText("-1.5", false, true, 0, NoMin), "-15");

    // Whatever was typed, the result converts and nothing raises.
    std::mt19937 Random(21);
    const char Alphabet[] = "0123456789+-.,\b e";
    for (int I = 0; I < 2000; ++I) {
        AnsiString S;
        for (int N = int(Random() % 8); N > 0; --N)
            S += Alphabet[Random() % (sizeof(Alphabet) - 1)];
        const AnsiString R = ValidateNumberText(S, Random() % 2, Random() % 2, Random() % 3 * 50.0, -100);
        Extended Value;
        EXPECT_TRUE(TryStrToFloat(R, Value)) << '"' << S << "\" gave \"" << R << '"';
    }
}

} // namespace

// ---- The edit ----------------------------------------------------------------------------------

// An edit on the form that records the margins its window is sent.
class GxEditTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Edit = New<TGxEdit>(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 150, 22);
        Hook.Hook(Edit->GetHandle(), [this](TMessage& M) {
            if (M.Msg == EM_SETMARGINS) Margins = {LOWORD(M.LParam), HIWORD(M.LParam)};
            Hook.PassOn(M);
        });
        ProcessEvents();
    }
    void TearDown() override
    {
        Hook.Unhook();
        TFormTest::TearDown();
    }
    // A 16 x 16 glyph in Color on a magenta ground.
    static std::unique_ptr<TBitmap> Glyph(TColor Color = clBlue) { return SquareGlyph(16, clFuchsia, Color); }
    TGxEdit* Edit = nullptr;
    TWindowHook Hook;
    std::pair<int, int> Margins{-1, -1};
};

TEST_F(GxEditTest, TheInfoAreaAndTheMarginsFollowTheGlyphAndThePreview)
{
    struct TCase {
        bool Glyph, Preview;
        int InfoWidth, LeftMargin;
    };
    Edit->GetEditMargins()->SetLeft(3);
    Edit->GetEditMargins()->SetRight(4);
    for (const TCase& C : {TCase{false, false, 0, 3}, TCase{true, false, 20, 23}, TCase{false, true, 20, 31},
                           TCase{true, true, 40, 51}}) {
        SCOPED_TRACE(testing::Message() << "glyph " << C.Glyph << ", preview " << C.Preview);
        TBitmap Empty;
        Edit->SetGlyph(C.Glyph ? Glyph().get() : &Empty);
        Edit->SetShowPreview(C.Preview);
        ProcessEvents();
        EXPECT_EQ(Margins, std::make_pair(C.LeftMargin, 4));
        TGxEditInfo* Info = Edit->GetEditInfo();
        EXPECT_EQ(Info->GetWidth(), C.InfoWidth);
        EXPECT_EQ(Info->GetHeight(), Edit->GetClientHeight());
        EXPECT_EQ(IsWindowVisible(Info->GetHandle()) != 0, C.Glyph || C.Preview);
        EXPECT_EQ(Edit->GetEditLeft(), C.InfoWidth);
    }
    // The default margin 0: 25 for the preview and 20 for the glyph.
    Edit->GetEditMargins()->SetLeft(0);
    EXPECT_EQ(Margins.first, 45);
    const TRect Preview = Edit->GetPreviewRect();
    EXPECT_EQ(Preview.Left, 20);
    EXPECT_EQ(Preview.Right, 40);
}

TEST_F(GxEditTest, ThePreviewPaintsRightOfTheGlyphWithOrWithoutItsBorder)
{
    std::vector<TRect> Drawn;
    Edit->OnCustomPreviewDraw = [&](TObject* Sender, const TRect& R) {
        EXPECT_EQ(Sender, Edit);
        Drawn.push_back(R);
        Edit->GetEditInfo()->GetCanvas()->GetBrush()->SetColor(clLime);
        Edit->GetEditInfo()->GetCanvas()->FillRect(R);
    };
    Edit->SetGlyph(Glyph().get());
    Edit->SetShowPreview(true);
    TGxEditInfo* Info = Edit->GetEditInfo();
    const int Middle = Info->GetHeight() / 2;
    // The glyph, its magenta ground transparent, centred on the height.
    EXPECT_EQ(PixelAt(Info, 8, Middle), clBlue);
    EXPECT_EQ(PixelAt(Info, 1, Middle), Edit->GetColor() == clWindow ? ColorToRGB(clWindow) : Edit->GetColor());
    EXPECT_EQ(PixelAt(Info, 17, Middle), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(Info, 18, Middle), TColor(0x808080));
    EXPECT_EQ(PixelAt(Info, 37, Middle), TColor(0x808080));
    EXPECT_EQ(PixelAt(Info, 19, 0), TColor(0x808080));
    EXPECT_EQ(PixelAt(Info, 19, 1), clLime);
    EXPECT_EQ(PixelAt(Info, 36, Middle), clLime);
    ASSERT_FALSE(Drawn.empty());
    EXPECT_EQ(Drawn.back(), Rect(19, 1, 37, Info->GetClientHeight() - 1));

    Edit->SetPreviewBorder(false);
    EXPECT_EQ(PixelAt(Info, 18, 0), clLime);
    EXPECT_EQ(PixelAt(Info, 37, Middle), clLime);
    EXPECT_EQ(PixelAt(Info, 38, Middle), ColorToRGB(clWindow));
    EXPECT_EQ(Drawn.back(), Rect(18, 0, 38, Info->GetClientHeight()));
}

TEST_F(GxEditTest, APressOnTheGlyphClicksItOnce)
{
    int Clicks = 0;
    Edit->OnGlyphClick = [&](TObject* Sender) { Clicks += Sender == Edit; };
    Click(Edit->GetEditInfo(), 5, 5); // no glyph: no info area to click
    Edit->SetGlyph(Glyph().get());
    Edit->SetShowPreview(true);
    EXPECT_EQ(Clicks, 0);
    Click(Edit->GetEditInfo(), 15, 5);
    EXPECT_EQ(Clicks, 1);
    Click(Edit->GetEditInfo(), 16, 5);
    Click(Edit->GetEditInfo(), 25, 5);
    EXPECT_EQ(Clicks, 1);
}

TEST_F(GxEditTest, TheGlyphsBottomLeftPixelIsTransparentAndAnEmptyGlyphIsNeverRead)
{
    Edit->SetGlyph(Glyph().get());
    EXPECT_TRUE(Edit->GetGlyph()->GetTransparent());
    EXPECT_EQ(Edit->GetGlyph()->GetTransparentColor(), clFuchsia);
    // Emptied in place or assigned empty, the glyph keeps what it had: it
    // has no bottom-left pixel to take a colour from.
    Edit->GetGlyph()->SetSize(0, 0);
    EXPECT_EQ(Edit->GetGlyph()->GetTransparentColor(), clFuchsia);
    TBitmap Empty;
    Edit->SetGlyph(&Empty);
    EXPECT_FALSE(Edit->GetGlyph()->GetTransparent());
    EXPECT_EQ(Edit->GetGlyph()->GetTransparentMode(), tmAuto);
    Edit->GetGlyph()->SetHeight(5); // still 0 wide
    EXPECT_EQ(Edit->GetGlyph()->GetTransparentMode(), tmAuto);
    EXPECT_EQ(Edit->GetEditLeft(), 0);
    EXPECT_EQ(Margins.first, 0);
}

TEST_F(GxEditTest, ValuesGoInAndOutThroughTheFormatSettings)
{
    TFormatSettingsGuard Restore;
    FormatSettings = DefaultFormatSettings();
    Edit->SetAsBoolean(false);
    EXPECT_EQ(Edit->GetText(), "False");
    EXPECT_FALSE(Edit->GetAsBoolean());

    Edit->SetAsDateTime(EncodeDate(2024, 2, 29));
    EXPECT_EQ(Edit->GetText(), "2/29/2024");
    const TDateTime Moment = EncodeDate(2024, 2, 29) + EncodeTime(13, 5, 7, 0);
    Edit->SetAsDateTime(Moment);
    EXPECT_EQ(Edit->GetText(), "2/29/2024 1:05:07 PM");
    EXPECT_NEAR(Edit->GetAsDateTime(), Moment, 1e-8);

    Edit->SetAsFloat(1.0 / 3);
    EXPECT_EQ(Edit->GetText(), "0.333333333333333");
    Edit->SetAsInteger(-42);
    EXPECT_EQ(Edit->GetText(), "-42");
    EXPECT_EQ(Edit->GetAsInteger(), -42);

    FormatSettings.DecimalSeparator = ',';
    Edit->SetAsFloat(2.5);
    EXPECT_EQ(Edit->GetText(), "2,5");
    EXPECT_DOUBLE_EQ(Edit->GetAsFloat(), 2.5);
    EXPECT_EQ(ValidateNumberText("1,2,5x", true, true, 0, 0), "1,25");

    Edit->SetText("12.5");
    EXPECT_THROW(Edit->GetAsInteger(), EConvertError);
    EXPECT_THROW(Edit->GetAsFloat(), EConvertError); // the separator is ',' now
    EXPECT_THROW(Edit->GetAsBoolean(), EConvertError);
    EXPECT_THROW(Edit->GetAsDateTime(), EConvertError);
}

TEST_F(GxEditTest, TextComesBackExactlyAsItWentIn)
{
    // Invalid UTF-8 bytes travel as U+DC80...U+DCFF; the column's limit,
    // shorter than the cell, binds only what the user types.
    const WideString Cell = u"a\xDC80\xDCFF b\u00A0\U0001F600";
    Edit->SetMaxLength(4);
    Edit->SetAsString(Cell);
    EXPECT_EQ(Edit->GetAsString(), Cell);
    EXPECT_EQ(Edit->GetText(), AnsiString("a\x80\xFF b\xC2\xA0\xF0\x9F\x98\x80"));
    Edit->SetEditorUpdating(true);
    Edit->BeginEditing();
    Edit->ApplyEditing();
    Edit->SetEditorUpdating(false);
    EXPECT_EQ(Edit->GetAsString(), Cell);
}

TEST_F(GxEditTest, EditingStartsWithTheCaretAtTheEnd)
{
    Edit->SetText("Seventh");
    Edit->SelectAll();
    Edit->BeginEditing();
    EXPECT_EQ(Edit->GetSelStart(), 7);
    EXPECT_EQ(Edit->GetSelLength(), 0);
}

TEST_F(GxEditTest, APressJustRightOfTheInfoAreaSelectsEverything)
{
    Edit->SetGlyph(Glyph().get());
    Edit->SetText("some words here");
    const int Left = Edit->GetEditLeft();
    ASSERT_EQ(Left, 20);
    const int Y = Edit->GetClientHeight() / 2;

    MouseMove(Edit, Left + 2, Y);
    EXPECT_EQ(Edit->GetCursor(), crReversedArrow);
    Click(Edit, Left + 2, Y);
    ProcessEvents();
    EXPECT_EQ(Edit->GetSelStart(), 0);
    EXPECT_EQ(Edit->GetSelLength(), 15);

    MouseMove(Edit, Left + 3, Y);
    EXPECT_EQ(Edit->GetCursor(), crDefault);
    Click(Edit, Left + 3, Y);
    ProcessEvents();
    EXPECT_EQ(Edit->GetSelLength(), 0);
    EXPECT_EQ(Edit->GetSelStart(), 0);
}

TEST_F(GxEditTest, ArrowsStayAndTabStaysOnlyWhenWanted)
{
    EXPECT_TRUE(Edit->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS);
    EXPECT_FALSE(Edit->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);
    Edit->SetWantTabs(true);
    EXPECT_TRUE(Edit->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB);

    auto* Next = New<TEdit>(Form);
    Next->SetParent(Form);
    Next->SetTop(60);
    Edit->SetFocus();
    PressKey(Edit, VK_TAB);
    EXPECT_TRUE(Edit->Focused());
    Edit->SetWantTabs(false);
    PressKey(Edit, VK_TAB);
    EXPECT_TRUE(Next->Focused());
}

TEST_F(GxEditTest, AlignmentRemakesTheWindowKeepingTheText)
{
    Edit->SetText("kept");
    Edit->SetAlignment(taRightJustify);
    EXPECT_EQ(GetWindowLongA(Edit->GetHandle(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), LONG(ES_RIGHT));
    Edit->SetAlignment(taCenter);
    EXPECT_EQ(GetWindowLongA(Edit->GetHandle(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), LONG(ES_CENTER));
    EXPECT_EQ(Edit->GetText(), "kept");
    EXPECT_TRUE(GetWindowLongA(Edit->GetHandle(), GWL_STYLE) & WS_CLIPCHILDREN);
}
