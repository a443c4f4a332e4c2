// grid/shared/GxThemesSupport.cpp
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinScroll.h"

namespace GxThemesSupport {

void* ThemeLibrary = nullptr;
TThemeEntryPoints ThemeEntryPoints;
TColor ShemeColors[ColorSchemeCount][ColorSchemeElementCount] = {};
TColorScheme ColorScheme = csBlue;
TList* ControlsList = nullptr;

namespace {

// What stands for the library's handle while it is bound.
char LibraryHandle;

void FillSchemeColors()
{
    struct TRow {
        TColorSchemeElement Element;
        TColor Black, Blue, Silver;
    };
    static constexpr TRow Rows[] = {
        {seBackgroundGradientEnd, 0x0A0A0A, 0xCE9266, 0xA69F9B},
        {seBorder, 0x5C534C, 0xCF9365, 0x74706F},
        {seBtnFace, 0xF2F1F0, 0xFFEFE3, 0xF2F1F0},
        {seBtnFaceDark, 0xE1D6D2, 0xF0D9C2, 0xE1D6D2},
        {seDown, 0x3C8CFB, 0, 0},
        {seGroupHeader, 0xEBEBEB, 0xEEE7DD, 0xEBEBEB},
        {seHeaderFont, 0x000000, 0x8B4215, 0x8B4215},
        {seHeaderGradientEnd, 0xC9C2BD, 0xFFD2AF, 0xE7DFDA},
        {seHeaderGradientStart, 0xF2F1F0, 0xFFEFE3, 0xF8F7F6},
        {seHeaderShadow, 0xB6ADA7, 0, 0}, // blue and silver: their border, below
        {seInactiveDockCaption, 0xA0A09E, 0xE9CFB8, 0xC2B7B2},
        {seMenuHighlight, 0xA2E7FF, 0xA2E7FF, 0xC2EEFF},
        {seMenuSelectionBorder, 0x69BDFF, 0x69BDFF, 0x6FC0FF},
        {seMenuSelectionBorderDown, 0x3C8CFB, 0x3C8CFB, 0x3E80FE},
        {seSplitterGradientStart, 0xF2F1F0, 0xFFEFE3, 0xBFA7A8},
        {seSplitterGradientEnd, 0xCEC8C4, 0xFFD6B6, 0x977778},
    };
    for (auto& Scheme : ShemeColors)
        for (TColor& C : Scheme)
            C = 0;
    for (const TRow& R : Rows) {
        ShemeColors[csBlack][R.Element] = R.Black;
        ShemeColors[csBlue][R.Element] = R.Blue;
        ShemeColors[csSilver][R.Element] = R.Silver;
    }
    ShemeColors[csBlue][seHeaderShadow] = ShemeColors[csBlue][seBorder];
    ShemeColors[csSilver][seHeaderShadow] = ShemeColors[csSilver][seBorder];
}

void Initialization()
{
    FillSchemeColors();
    InitThemes();
    ControlsList = new TList;
}

void Finalization()
{
    delete ControlsList;
    ControlsList = nullptr;
}

} // namespace

// ---- The visual-styles library ------------------------------------------------------------

void InitThemes()
{
    if (ThemeLibrary || !IsThemeLibraryPresent()) return;
    ThemeLibrary = &LibraryHandle;
    ThemeEntryPoints.OpenThemeData = &::OpenThemeData;
    ThemeEntryPoints.CloseThemeData = &::CloseThemeData;
    ThemeEntryPoints.DrawThemeBackground = &::DrawThemeBackground;
    ThemeEntryPoints.DrawThemeEdge = &::DrawThemeEdge;
    ThemeEntryPoints.GetThemeSysSize = &::GetThemeSysSize;
    ThemeEntryPoints.IsThemeActive = &::IsThemeActive;
    ThemeEntryPoints.IsAppThemed = &::IsAppThemed;
}

bool IsThemed()
{
    try {
        // A missing entry point counts as "no", rather than being called.
        return ThemeLibrary && ThemeEntryPoints.IsAppThemed && ThemeEntryPoints.IsAppThemed() &&
               ThemeEntryPoints.IsThemeActive && ThemeEntryPoints.IsThemeActive();
    } catch (...) {
        throw Exception("Error in Themes");
    }
}

void ReleaseThemes()
{
    ThemeLibrary = nullptr;
    ThemeEntryPoints = TThemeEntryPoints();
}

void ThemeRect(HWND Handle, HDC DC, const TRect& Rect, const WideString& ClassName, int Part, int State)
{
    const TThemeEntryPoints& E = ThemeEntryPoints;
    if (!E.OpenThemeData || !E.DrawThemeBackground || !E.CloseThemeData) return;
    HTHEME Theme = E.OpenThemeData(Handle, ClassName.c_str());
    if (!Theme) return;
    E.DrawThemeBackground(Theme, DC, Part, State, &Rect, nullptr);
    E.CloseThemeData(Theme);
}

void ThemeEditBorder(HWND Handle)
{
    HDC DC = GetWindowDC(Handle);
    TRect R;
    GetWindowRect(Handle, &R);
    OffsetRect(R, -R.Left, -R.Top);
    ExcludeClipRect(DC, R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
    ThemeRect(Handle, DC, R, u"edit", 1, 0);
    ReleaseDC(Handle, DC);
}

// ---- Colour schemes ---------------------------------------------------------------------------

TColor SchemeColor(TColorSchemeElement Element, TColorScheme Scheme)
{
    if (Scheme == csDefault) Scheme = ColorScheme;
    return ShemeColors[Scheme][Element];
}

void SchemeNotification(TControl* Control)
{
    if (ControlsList) ControlsList->Add(Control);
}

void RemoveSchemeNotification(TControl* Control)
{
    if (ControlsList) ControlsList->Remove(Control);
}

TGxColorScheme::TGxColorScheme(TComponent* AOwner) : TComponent(AOwner), FColorScheme(GxThemesSupport::ColorScheme) {}

void TGxColorScheme::SetColorScheme(TColorScheme Value)
{
    FColorScheme = Value;
    if (Value != GxThemesSupport::ColorScheme) {
        GxThemesSupport::ColorScheme = Value;
        DoChange();
    }
    if (!ControlsList) return;
    for (int I = 0; I < ControlsList->GetCount(); ++I) {
        auto* Control = static_cast<TControl*>(ControlsList->Get(I));
        if (auto* Win = dynamic_cast<TWinControl*>(Control); Win && Win->HandleAllocated())
            RedrawWindow(Win->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        else
            Control->Invalidate();
    }
}

void TGxColorScheme::DoChange()
{
    if (OnChange) OnChange(this);
}

void RegisterUnit()
{
    AddUnitSection("GxThemesSupport", Initialization, Finalization);
}

} // namespace GxThemesSupport
