// Bitmaps in every pixel format, transparency, masks, resources, files,
// bit-block transfers, pattern brushes and image lists.
#include "platform/controls/ImgList.h"
#include "platform/graphics/Resources.h"
#include "platform/win/WinGdi.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/FileAccess.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

TColor At(TBitmap& B, int X, int Y)
{
    return B.GetCanvas()->GetPixels(X, Y);
}

void FillBitmap(TBitmap& B, TColor Color)
{
    B.GetCanvas()->GetBrush()->SetColor(Color);
    B.GetCanvas()->FillRect(TRect(0, 0, B.GetWidth(), B.GetHeight()));
}

TBitmap* NewBitmap(TPixelFormat Format, int W, int H, TColor Color = clWhite)
{
    auto* B = new TBitmap;
    B->SetPixelFormat(Format);
    B->SetSize(W, H);
    FillBitmap(*B, Color);
    return B;
}

TEST(Bitmaps, ScanLinesAreTopDownRowsInTheFormatsLayout)
{
    TBitmap B;
    EXPECT_TRUE(B.GetEmpty());
    EXPECT_EQ(B.GetPixelFormat(), pfDevice);
    EXPECT_THROW(B.GetScanLine(0), EInvalidGraphicOperation);
    B.SetPixelFormat(pf24bit);
    B.SetSize(4, 3);
    Byte* Row0 = B.GetScanLine(0);
    EXPECT_EQ(Row0[0], 255); // new pixels are white
    EXPECT_EQ(Row0[11], 255);
    B.GetCanvas()->SetPixels(1, 0, clRed);
    Row0 = B.GetScanLine(0);
    EXPECT_EQ(Row0[3], 0); // B, G, R
    EXPECT_EQ(Row0[4], 0);
    EXPECT_EQ(Row0[5], 255);
    Byte* Row2 = B.GetScanLine(2);
    Row2[0] = 0x11;
    Row2[1] = 0x22;
    Row2[2] = 0x33;
    EXPECT_EQ(At(B, 0, 2), TColor(0x112233));
    EXPECT_THROW(B.GetScanLine(3), EInvalidGraphicOperation);
    EXPECT_THROW(B.GetScanLine(-1), EInvalidGraphicOperation);

    B.SetPixelFormat(pf32bit);
    Byte* Quad = B.GetScanLine(2);
    EXPECT_EQ(Quad[0], 0x11);
    EXPECT_EQ(Quad[3], 255); // converted pixels are opaque
    Quad[3] = 0x80;
    B.GetCanvas()->SetPixels(3, 0, clBlue);
    EXPECT_EQ(B.GetScanLine(2)[3], 0x80);
    EXPECT_EQ(B.GetScanLine(0)[12], 255);
    EXPECT_EQ(B.GetScanLine(0)[14], 0);

    // Growing keeps what fits; new pixels are white.
    B.SetSize(6, 4);
    EXPECT_EQ(B.GetScanLine(2)[3], 0x80);
    EXPECT_EQ(At(B, 1, 0), clRed);
    EXPECT_EQ(At(B, 5, 3), clWhite);
    B.SetSize(-3, 2);
    EXPECT_TRUE(B.GetEmpty());
    EXPECT_EQ(B.GetWidth(), 0);
}

TEST(Bitmaps, PaletteAndPackedFormatsConvertBothWays)
{
    std::unique_ptr<TBitmap> B(NewBitmap(pf24bit, 9, 2));
    B->GetCanvas()->SetPixels(0, 0, clRed);
    B->GetCanvas()->SetPixels(2, 0, clBlack);
    B->GetCanvas()->SetPixels(0, 1, TColor(0x3399FF));

    B->SetPixelFormat(pf8bit);
    EXPECT_EQ(B->GetScanLine(0)[0], 9); // red in the standard colours
    EXPECT_EQ(B->GetScanLine(0)[1], 15);
    EXPECT_EQ(At(*B, 0, 1), TColor(0x3399FF)); // on the colour cube

    B->SetPixelFormat(pf4bit);
    EXPECT_EQ(B->GetScanLine(0)[0], 0x9F); // two pixels a byte, the left one high
    EXPECT_EQ(B->GetScanLine(0)[1], 0x0F);
    B->GetScanLine(0)[4] = 0xC0; // pixels 8 and 9 (9 lies in the padding)
    EXPECT_EQ(At(*B, 8, 0), clBlue);

    B->SetPixelFormat(pf1bit);
    EXPECT_TRUE(B->GetMonochrome());
    EXPECT_EQ(B->GetScanLine(0)[0], 0x5F); // red and blue are nearer black than white
    EXPECT_EQ(At(*B, 1, 0), clWhite);

    B->SetPixelFormat(pf24bit);
    EXPECT_EQ(At(*B, 0, 0), clBlack);
    EXPECT_EQ(At(*B, 1, 0), clWhite);

    std::unique_ptr<TBitmap> W(NewBitmap(pf16bit, 2, 1, clRed));
    const auto* Words = reinterpret_cast<const std::uint16_t*>(W->GetScanLine(0));
    EXPECT_EQ(Words[0], 0xF800);
    W->SetPixelFormat(pf15bit);
    EXPECT_EQ(reinterpret_cast<const std::uint16_t*>(W->GetScanLine(0))[1], 0x7C00);
    W->SetPixelFormat(pf24bit);
    EXPECT_EQ(At(*W, 0, 0), clRed);
}

TEST(Bitmaps, DrawingKeepsOutTheTransparentColour)
{
    std::unique_ptr<TBitmap> Picture(NewBitmap(pf24bit, 4, 4, clGreen));
    Picture->GetCanvas()->SetPixels(1, 1, clRed);
    EXPECT_EQ(Picture->GetTransparentMode(), tmAuto);
    EXPECT_EQ(Picture->GetTransparentColor(), clGreen); // the bottom-left pixel
    std::unique_ptr<TBitmap> Ground(NewBitmap(pf24bit, 10, 10));

    Ground->GetCanvas()->Draw(2, 2, Picture.get());
    EXPECT_EQ(At(*Ground, 2, 2), clGreen);
    Picture->SetTransparent(true);
    FillBitmap(*Ground, clWhite);
    Ground->GetCanvas()->Draw(2, 2, Picture.get());
    EXPECT_EQ(At(*Ground, 2, 2), clWhite);
    EXPECT_EQ(At(*Ground, 3, 3), clRed);

    Picture->SetTransparentColor(clRed);
    EXPECT_EQ(Picture->GetTransparentMode(), tmFixed);
    FillBitmap(*Ground, clWhite);
    Ground->GetCanvas()->Draw(2, 2, Picture.get());
    EXPECT_EQ(At(*Ground, 2, 2), clGreen);
    EXPECT_EQ(At(*Ground, 3, 3), clWhite);
    Picture->SetTransparentColor(clDefault);
    EXPECT_EQ(Picture->GetTransparentMode(), tmAuto);

    // Scaled: every source pixel becomes a 2 x 2 block; a negative width mirrors.
    Picture->SetTransparent(false);
    FillBitmap(*Ground, clWhite);
    Ground->GetCanvas()->StretchDraw(TRect(0, 0, 8, 8), Picture.get());
    EXPECT_EQ(At(*Ground, 2, 2), clRed);
    EXPECT_EQ(At(*Ground, 3, 3), clRed);
    EXPECT_EQ(At(*Ground, 4, 4), clGreen);
    FillBitmap(*Ground, clWhite);
    Ground->GetCanvas()->StretchDraw(TRect(4, 0, 0, 4), Picture.get());
    EXPECT_EQ(At(*Ground, 2, 1), clRed);
    EXPECT_EQ(At(*Ground, 1, 1), clGreen);

    TBitmap Empty;
    EXPECT_EQ(Empty.GetTransparentColor(), clNone);
    Ground->GetCanvas()->Draw(0, 0, &Empty); // nothing to draw
    Ground->GetCanvas()->Draw(0, 0, nullptr);
    EXPECT_EQ(At(*Ground, 2, 1), clRed);
}

TEST(Bitmaps, MaskAndAssignCopy)
{
    std::unique_ptr<TBitmap> Picture(NewBitmap(pf24bit, 3, 1, clGreen));
    Picture->GetCanvas()->SetPixels(1, 0, clRed);
    TBitmap Copy;
    Copy.Assign(Picture.get());
    Picture->Mask(clGreen);
    EXPECT_EQ(Picture->GetPixelFormat(), pf1bit);
    EXPECT_EQ(Picture->GetScanLine(0)[0] & 0xE0, 0xA0); // white, black, white
    EXPECT_EQ(At(Copy, 1, 0), clRed);                   // the copy kept its own pixels
    EXPECT_EQ(Copy.GetPixelFormat(), pf24bit);
    Copy.GetScanLine(0)[0] = 7;
    TBitmap Other;
    Other.Assign(&Copy);
    Copy.GetScanLine(0)[0] = 9; // writing detaches the shared pixels
    EXPECT_EQ(Other.GetScanLine(0)[0], 7);
}

TEST(Bitmaps, ResourcesLoadByNameWithCaseIgnored)
{
    RegisterBitmapResource("TESTPICTURE", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(5, 3);
        B->GetCanvas()->SetPixels(4, 2, clFuchsia);
    });
    TBitmap B;
    B.LoadFromResourceName(HInstance, "TestPicture");
    EXPECT_EQ(B.GetWidth(), 5);
    EXPECT_EQ(At(B, 4, 2), clFuchsia);
    try {
        B.LoadFromResourceName(HInstance, "NOSUCHPICTURE");
        FAIL() << "no exception";
    } catch (const EResNotFound& E) {
        EXPECT_EQ(E.Message, "Resource NOSUCHPICTURE not found");
    }
    EXPECT_EQ(B.GetWidth(), 5);
}

TEST(Bitmaps, FilesKeepEveryFormatAndBadFilesAreRefused)
{
    TTempDir Dir;
    for (TPixelFormat Format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        std::unique_ptr<TBitmap> B(NewBitmap(pf24bit, 7, 3));
        B->GetCanvas()->SetPixels(6, 0, clBlack);
        B->GetCanvas()->SetPixels(0, 2, Format == pf1bit ? clBlack : clRed);
        B->SetPixelFormat(Format);
        if (Format == pf32bit) B->GetScanLine(1)[3] = 0x40;
        const AnsiString Name = Dir.Path() + "b" + IntToStr(int(Format)) + ".bmp";
        B->SaveToFile(Name);
        const AnsiString Bytes = ReadWholeFile(Name);
        ASSERT_GE(Bytes.size(), 54u);
        EXPECT_EQ(Bytes.substr(0, 2), "BM");
        TBitmap Loaded;
        Loaded.LoadFromFile(Name);
        EXPECT_EQ(Loaded.GetPixelFormat(), Format) << Format;
        EXPECT_EQ(Loaded.GetWidth(), 7);
        EXPECT_EQ(Loaded.GetHeight(), 3);
        EXPECT_EQ(At(Loaded, 6, 0), clBlack) << Format;
        EXPECT_EQ(At(Loaded, 0, 2), Format == pf1bit ? clBlack : clRed) << Format;
        EXPECT_EQ(At(Loaded, 3, 1), clWhite) << Format;
        if (Format == pf32bit) {
            EXPECT_EQ(Loaded.GetScanLine(1)[3], 0x40);
        }
    }
    TBitmap Empty;
    Empty.SaveToFile(Dir.Path() + "empty.bmp");
    TBitmap Loaded;
    Loaded.LoadFromFile(Dir.Path() + "empty.bmp");
    EXPECT_TRUE(Loaded.GetEmpty());

    const AnsiString Good = ReadWholeFile(Dir.Path() + "b6.bmp");
    for (std::size_t Cut : {std::size_t(2), std::size_t(40), Good.size() - 1}) {
        TFileStream(Dir.Path() + "cut.bmp", fmCreate).Write(Good.data(), Int64(Cut));
        EXPECT_THROW(Loaded.LoadFromFile(Dir.Path() + "cut.bmp"), EInvalidGraphic) << Cut;
    }
    AnsiString Huge = Good;
    Huge[18] = '\xFF'; // a width far beyond the data
    Huge[19] = '\xFF';
    TFileStream(Dir.Path() + "huge.bmp", fmCreate).Write(Huge.data(), Int64(Huge.size()));
    EXPECT_THROW(Loaded.LoadFromFile(Dir.Path() + "huge.bmp"), EInvalidGraphic);
    EXPECT_THROW(Loaded.LoadFromFile(Dir.Path() + "none.bmp"), EFOpenError);
}

TEST(Bitmaps, AFileThatCannotBeWrittenRaisesNamingItAndWhy)
{
    TTempDir Dir;
    const AnsiString Plain = Dir.WriteFile("plain.txt", "kept");
    std::unique_ptr<TBitmap> B(NewBitmap(pf24bit, 5, 5, clRed));
    // Below a regular file: no folder to write in, whoever runs the test.
    const AnsiString Name = Plain + "/picture.bmp";
    try {
        B->SaveToFile(Name);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& E) {
        EXPECT_EQ(E.Message, "Cannot create file \"" + Name + "\". " + FileErrorText(ENOTDIR));
    }
    EXPECT_EQ(ReadWholeFile(Plain), "kept");

    // A write cut short (here by the process's file-size limit) is an error
    // too, and the picture saved before stays whole.
    const AnsiString Saved = Dir.Path() + "saved.bmp";
    std::unique_ptr<TBitmap>(NewBitmap(pf24bit, 2, 2, clBlue))->SaveToFile(Saved);
    const AnsiString Before = ReadWholeFile(Saved);
    std::unique_ptr<TBitmap> Large(NewBitmap(pf24bit, 100, 100, clRed));
    rlimit Old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &Old), 0);
    rlimit Low = Old;
    Low.rlim_cur = 1000;
    const auto OldSignal = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &Low), 0);
    bool Raised = false;
    try {
        Large->SaveToFile(Saved);
    } catch (const EFCreateError& E) {
        Raised = E.Message.rfind("Cannot create file \"" + Saved + "\". ", 0) == 0;
    }
    ::setrlimit(RLIMIT_FSIZE, &Old);
    std::signal(SIGXFSZ, OldSignal);
    EXPECT_TRUE(Raised);
    EXPECT_TRUE(ReadWholeFile(Saved) == Before) << "the picture saved before changed";
}

TEST(BitBlt, RasterOperationsOnEveryPixel)
{
    std::unique_ptr<TBitmap> Src(NewBitmap(pf24bit, 4, 4, TColor(0x0F0F0F)));
    std::unique_ptr<TBitmap> Dst(NewBitmap(pf24bit, 8, 8, TColor(0x336699)));
    HDC D = Dst->GetCanvas()->GetHandle();
    HDC S = Src->GetCanvas()->GetHandle();
    ASSERT_TRUE(BitBlt(D, 1, 1, 2, 2, S, 0, 0, SRCCOPY));
    EXPECT_EQ(At(*Dst, 1, 1), TColor(0x0F0F0F));
    EXPECT_EQ(At(*Dst, 3, 3), TColor(0x336699));
    BitBlt(D, 4, 4, 2, 2, S, 0, 0, SRCINVERT);
    EXPECT_EQ(At(*Dst, 4, 4), TColor(0x336699 ^ 0x0F0F0F));
    BitBlt(D, 4, 4, 2, 2, S, 0, 0, SRCINVERT);
    EXPECT_EQ(At(*Dst, 5, 5), TColor(0x336699));
    BitBlt(D, 6, 4, 2, 2, S, 0, 0, NOTSRCCOPY); // through the truth table
    EXPECT_EQ(At(*Dst, 7, 5), TColor(0xF0F0F0));
    BitBlt(D, 6, 4, 2, 2, S, 0, 0, MERGEPAINT); // NOT source OR destination
    EXPECT_EQ(At(*Dst, 6, 4), TColor(0xF0F0F0));
    BitBlt(D, 0, 6, 2, 2, nullptr, 0, 0, DSTINVERT);
    EXPECT_EQ(At(*Dst, 0, 6), TColor(~0x336699 & 0xFFFFFF));
    Dst->GetCanvas()->GetBrush()->SetColor(clRed);
    PatBlt(Dst->GetCanvas()->GetHandle(), 6, 0, 2, 2, PATCOPY);
    EXPECT_EQ(At(*Dst, 7, 1), clRed);
    EXPECT_FALSE(BitBlt(D, 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY)); // a source is needed
    EXPECT_FALSE(PatBlt(D, 0, 0, 2, 2, SRCCOPY));
    // Overlapping copies within one picture read the source first.
    Dst->GetCanvas()->SetPixels(0, 0, clBlue);
    BitBlt(D, 1, 0, 3, 1, D, 0, 0, SRCCOPY);
    EXPECT_EQ(At(*Dst, 1, 0), clBlue);
    EXPECT_EQ(At(*Dst, 2, 0), TColor(0x336699));
}

TEST(BitBlt, ThirtyTwoBitCopiesAgreeWithEveryOtherFormat)
{
    // 32-bit pictures are copied line by line, others through the general
    // path: under one origin and a clip of two pieces both give the same pixels.
    std::unique_ptr<TBitmap> Src(NewBitmap(pfDevice, 6, 6));
    for (int Y = 0; Y < 6; ++Y)
        for (int X = 0; X < 6; ++X)
            Src->GetCanvas()->SetPixels(X, Y, TColor(RGB(X * 40, Y * 40, 100)));
    for (DWORD Rop : {SRCCOPY, NOTSRCCOPY, PATCOPY, BLACKNESS, WHITENESS, SRCINVERT}) {
        std::unique_ptr<TBitmap> Direct(NewBitmap(pfDevice, 10, 10, clSilver));
        std::unique_ptr<TBitmap> General(NewBitmap(pf24bit, 10, 10, clSilver));
        for (TBitmap* B : {Direct.get(), General.get()}) {
            B->GetCanvas()->GetBrush()->SetColor(clRed);
            HDC D = B->GetCanvas()->GetHandle();
            SetWindowOrgEx(D, -1, -2, nullptr); // logical (0, 0) lands on (1, 2)
            HRGN Clip = CreateRectRgn(0, 0, 4, 10);
            HRGN Right = CreateRectRgn(6, 0, 10, 10);
            CombineRgn(Clip, Clip, Right, RGN_OR);
            SelectClipRgn(D, Clip);
            DeleteObject(Clip);
            DeleteObject(Right);
            BitBlt(D, 0, 0, 5, 5, Src->GetCanvas()->GetHandle(), 1, 1, Rop);
            BitBlt(D, 1, 1, 5, 5, D, 0, 0, Rop == SRCCOPY ? SRCCOPY : DSTINVERT); // overlapping, within itself
        }
        for (int Y = 0; Y < 10; ++Y)
            for (int X = 0; X < 10; ++X)
                ASSERT_EQ(At(*Direct, X, Y), At(*General, X, Y)) << std::hex << Rop << std::dec << " " << X << "," << Y;
    }
    std::unique_ptr<TBitmap> Dst(NewBitmap(pfDevice, 10, 10, clSilver));
    HDC D = Dst->GetCanvas()->GetHandle();
    SetWindowOrgEx(D, -1, -2, nullptr);
    IntersectClipRect(D, 0, 0, 3, 10);
    BitBlt(D, 0, 0, 5, 5, Src->GetCanvas()->GetHandle(), 1, 1, NOTSRCCOPY);
    SelectClipRgn(D, nullptr);
    SetWindowOrgEx(D, 0, 0, nullptr);
    EXPECT_EQ(At(*Dst, 1, 2), TColor(~RGB(40, 40, 100) & 0xFFFFFF));
    EXPECT_EQ(At(*Dst, 3, 6), TColor(~RGB(120, 200, 100) & 0xFFFFFF));
    EXPECT_EQ(At(*Dst, 0, 2), clSilver);
    EXPECT_EQ(At(*Dst, 4, 2), clSilver); // clipped

    // A 32-bit picture takes the source's alpha with a copy and keeps its own otherwise.
    std::unique_ptr<TBitmap> Alpha(NewBitmap(pf32bit, 2, 1, clBlue));
    Alpha->GetScanLine(0)[3] = 0x40;
    std::unique_ptr<TBitmap> Out(NewBitmap(pf32bit, 2, 1, clWhite));
    Out->GetScanLine(0)[4 + 3] = 0x80;
    BitBlt(Out->GetCanvas()->GetHandle(), 0, 0, 1, 1, Alpha->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    BitBlt(Out->GetCanvas()->GetHandle(), 1, 0, 1, 1, Alpha->GetCanvas()->GetHandle(), 1, 0, NOTSRCCOPY);
    EXPECT_EQ(Out->GetScanLine(0)[3], 0x40);
    EXPECT_EQ(Out->GetScanLine(0)[4 + 3], 0x80);
    EXPECT_EQ(At(*Out, 1, 0), clYellow);
}

TEST(BitBlt, MonochromeMasksMapToTheTextAndBackgroundColours)
{
    // A mask: black where the picture is, white around it.
    std::unique_ptr<TBitmap> Mask(NewBitmap(pf24bit, 4, 1, clWhite));
    Mask->GetCanvas()->SetPixels(1, 0, clBlack);
    Mask->GetCanvas()->SetPixels(2, 0, clBlack);
    Mask->SetPixelFormat(pf1bit);
    std::unique_ptr<TBitmap> Dst(NewBitmap(pf24bit, 4, 2, clSilver));
    HDC D = Dst->GetCanvas()->GetHandle();
    SetTextColor(D, RGB(0, 0, 0));
    SetBkColor(D, RGB(255, 255, 255));
    // 0xE20746 paints the brush where the source is 1 (white) and keeps the rest.
    Dst->GetCanvas()->GetBrush()->SetColor(clRed);
    D = Dst->GetCanvas()->GetHandle();
    SetTextColor(D, RGB(0, 0, 0));
    SetBkColor(D, RGB(255, 255, 255));
    BitBlt(D, 0, 0, 4, 1, Mask->GetCanvas()->GetHandle(), 0, 0, 0x00E20746);
    EXPECT_EQ(At(*Dst, 0, 0), clRed);
    EXPECT_EQ(At(*Dst, 1, 0), clSilver);
    EXPECT_EQ(At(*Dst, 3, 0), clRed);
    // A plain copy of the mask takes the destination's text and background colours.
    SetTextColor(D, RGB(0, 0, 255));
    SetBkColor(D, RGB(0, 255, 0));
    BitBlt(D, 0, 1, 4, 1, Mask->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    EXPECT_EQ(At(*Dst, 0, 1), clLime);
    EXPECT_EQ(At(*Dst, 1, 1), clBlue);
    // Colour into monochrome: the source's background colour becomes 1.
    std::unique_ptr<TBitmap> Colour(NewBitmap(pf24bit, 2, 1, clYellow));
    Colour->GetCanvas()->SetPixels(1, 0, clNavy);
    std::unique_ptr<TBitmap> Mono(NewBitmap(pf1bit, 2, 1, clBlack));
    SetBkColor(Colour->GetCanvas()->GetHandle(), RGB(255, 255, 0));
    BitBlt(Mono->GetCanvas()->GetHandle(), 0, 0, 2, 1, Colour->GetCanvas()->GetHandle(), 0, 0, SRCCOPY);
    EXPECT_EQ(Mono->GetScanLine(0)[0] & 0xC0, 0x80);
}

TEST(Canvas, CopyRectPolygonAndPatternBrushes)
{
    std::unique_ptr<TBitmap> Src(NewBitmap(pf24bit, 4, 4, clBlue));
    std::unique_ptr<TBitmap> Dst(NewBitmap(pf24bit, 20, 20));
    Dst->GetCanvas()->CopyRect(TRect(10, 10, 18, 18), Src->GetCanvas(), TRect(0, 0, 4, 4));
    EXPECT_EQ(At(*Dst, 17, 17), clBlue);
    EXPECT_EQ(At(*Dst, 18, 17), clWhite);
    Dst->GetCanvas()->SetCopyMode(SRCINVERT);
    Dst->GetCanvas()->CopyRect(TRect(10, 10, 14, 14), Src->GetCanvas(), TRect(0, 0, 4, 4));
    EXPECT_EQ(At(*Dst, 10, 10), clBlack);
    Dst->GetCanvas()->SetCopyMode(SRCCOPY);

    TCanvas* C = Dst->GetCanvas();
    FillBitmap(*Dst, clWhite);
    C->GetBrush()->SetColor(clLime);
    C->GetPen()->SetStyle(psClear);
    C->Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(At(*Dst, 0, 0), clLime);
    EXPECT_EQ(At(*Dst, 9, 9), clLime);
    EXPECT_EQ(At(*Dst, 10, 5), clWhite); // right and bottom edges left out
    EXPECT_EQ(At(*Dst, 5, 10), clWhite);
    C->GetPen()->SetStyle(psSolid);
    C->GetPen()->SetColor(clBlack);
    C->Polygon({{12, 2}, {18, 2}, {12, 8}});
    EXPECT_EQ(At(*Dst, 18, 2), clBlack); // every corner, the closing edge too
    EXPECT_EQ(At(*Dst, 12, 8), clBlack);
    EXPECT_EQ(At(*Dst, 12, 5), clBlack);
    EXPECT_EQ(At(*Dst, 13, 3), clLime);

    // A pattern brush tiles its picture from the canvas origin.
    std::unique_ptr<TBitmap> Checker(NewBitmap(pf24bit, 2, 2, clRed));
    Checker->GetCanvas()->SetPixels(1, 0, clBlue);
    Checker->GetCanvas()->SetPixels(0, 1, clBlue);
    FillBitmap(*Dst, clWhite);
    C->GetBrush()->SetBitmap(Checker.get());
    Checker.reset(); // the brush keeps its own copy
    C->FillRect(TRect(1, 1, 6, 6));
    EXPECT_EQ(At(*Dst, 2, 2), clRed);
    EXPECT_EQ(At(*Dst, 3, 2), clBlue);
    EXPECT_EQ(At(*Dst, 1, 1), clRed);
    EXPECT_EQ(At(*Dst, 6, 6), clWhite);
    // A monochrome pattern: 0 in the font colour, 1 in the brush colour.
    std::unique_ptr<TBitmap> Dots(NewBitmap(pf1bit, 2, 1, clWhite));
    Dots->GetCanvas()->SetPixels(0, 0, clBlack);
    C->GetFont()->SetColor(clNavy);
    C->GetBrush()->SetBitmap(nullptr);
    C->GetBrush()->SetColor(clYellow);
    C->GetBrush()->SetBitmap(Dots.get());
    C->GetHandle(); // the font's colour selected as the text colour
    C->FillRect(TRect(10, 0, 14, 1));
    EXPECT_EQ(At(*Dst, 10, 0), clNavy);
    EXPECT_EQ(At(*Dst, 11, 0), clYellow);
    C->GetBrush()->SetBitmap(nullptr);
    EXPECT_EQ(C->GetBrush()->GetBitmap(), nullptr);
    C->FillRect(TRect(10, 0, 14, 1));
    EXPECT_EQ(At(*Dst, 10, 0), clYellow);

    // The classic checkered pattern, one bitmap for each pair of colours.
    TBitmap* Pattern = AllocPatternBitmap(clBtnFace, clBtnHighlight);
    EXPECT_EQ(AllocPatternBitmap(clBtnFace, clBtnHighlight), Pattern);
    EXPECT_NE(AllocPatternBitmap(clBtnHighlight, clBtnFace), Pattern);
    C->GetBrush()->SetBitmap(Pattern);
    C->FillRect(TRect(0, 0, 20, 20));
    EXPECT_EQ(At(*Dst, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(*Dst, 1, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*Dst, 9, 10), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(*Dst, 19, 19), ColorToRGB(clBtnHighlight));
}

TEST(ImageLists, PicturesFromBitmapsDrawEnabledAndDisabled)
{
    TImageList List(nullptr);
    List.SetWidth(4);
    List.SetHeight(4);
    std::unique_ptr<TBitmap> Strip(NewBitmap(pf24bit, 9, 4, clFuchsia));
    Strip->GetCanvas()->GetBrush()->SetColor(clGreen);
    Strip->GetCanvas()->FillRect(TRect(1, 1, 3, 3));
    Strip->GetCanvas()->FillRect(TRect(4, 0, 8, 4));
    EXPECT_EQ(List.AddMasked(Strip.get(), clFuchsia), 0);
    EXPECT_EQ(List.GetCount(), 2); // the ninth column is left over
    std::unique_ptr<TBitmap> Narrow(NewBitmap(pf24bit, 3, 4));
    EXPECT_EQ(List.Add(Narrow.get(), nullptr), -1);

    std::unique_ptr<TBitmap> Ground(NewBitmap(pf24bit, 12, 12));
    List.Draw(Ground->GetCanvas(), 2, 2, 0);
    EXPECT_EQ(At(*Ground, 2, 2), clWhite); // transparent
    EXPECT_EQ(At(*Ground, 3, 3), clGreen);
    List.Draw(Ground->GetCanvas(), 0, 0, 5); // out of range: nothing
    List.Draw(Ground->GetCanvas(), 0, 0, -1);
    EXPECT_EQ(At(*Ground, 0, 0), clWhite);

    FillBitmap(*Ground, clWhite);
    List.Draw(Ground->GetCanvas(), 2, 2, 0, false);
    EXPECT_EQ(At(*Ground, 3, 3), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(*Ground, 5, 5), ColorToRGB(clBtnHighlight)); // one right and down
    EXPECT_EQ(At(*Ground, 2, 2), clWhite);

    TBitmap Out;
    List.GetBitmap(0, &Out);
    EXPECT_EQ(Out.GetPixelFormat(), pf32bit);
    EXPECT_EQ(Out.GetScanLine(0)[3], 0);
    EXPECT_EQ(Out.GetScanLine(1)[4 + 3], 255);

    // A 32-bit picture brings its alpha; one with no alpha at all is opaque.
    std::unique_ptr<TBitmap> Alpha(NewBitmap(pf32bit, 4, 4, clRed));
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X)
            Alpha->GetScanLine(Y)[X * 4 + 3] = X < 2 ? 255 : 0;
    const int First = List.Add(Alpha.get(), nullptr);
    FillBitmap(*Ground, clWhite);
    List.Draw(Ground->GetCanvas(), 0, 0, First);
    EXPECT_EQ(At(*Ground, 1, 1), clRed);
    EXPECT_EQ(At(*Ground, 3, 1), clWhite);
    for (int Y = 0; Y < 4; ++Y)
        for (int X = 0; X < 4; ++X)
            Alpha->GetScanLine(Y)[X * 4 + 3] = 0;
    List.Draw(Ground->GetCanvas(), 0, 0, List.Add(Alpha.get(), nullptr));
    EXPECT_EQ(At(*Ground, 3, 1), clRed);
}

} // namespace
