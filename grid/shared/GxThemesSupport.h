// grid/shared/GxThemesSupport.h
// Theme support of the grid library: binds the visual-styles library when
// it is present, says whether themed drawing is possible (IsThemed), draws
// one themed part (ThemeRect), and keeps the colour schemes with the
// component that chooses one and the controls repainted when it changes.
#pragma once
#include "platform/controls/Controls.h"
#include "platform/win/UxTheme.h"

namespace GxThemesSupport {

// ---- The visual-styles library ------------------------------------------------------------

// The entry points bound from the library; any may be missing (null).
struct TThemeEntryPoints {
    HTHEME (*OpenThemeData)(HWND Wnd, const WideChar* ClassList) = nullptr;
    HRESULT (*CloseThemeData)(HTHEME Theme) = nullptr;
    HRESULT(*DrawThemeBackground)
    (HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect, const TRect* ClipRect) = nullptr;
    HRESULT(*DrawThemeEdge)
    (HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* DestRect, UINT Edge, UINT Flags,
     TRect* ContentRect) = nullptr;
    int (*GetThemeSysSize)(HTHEME Theme, int SizeId) = nullptr;
    BOOL (*IsThemeActive)() = nullptr;
    BOOL (*IsAppThemed)() = nullptr;
};

// Non-null while the library is bound.
extern void* ThemeLibrary;
extern TThemeEntryPoints ThemeEntryPoints;

// Binds the library when it is not bound yet and is present.
void InitThemes();
// True only when the library is bound and both the application and the
// theme are active; a failure inside raises Exception "Error in Themes".
bool IsThemed();
// Unbinds the library and clears the entry points.
void ReleaseThemes();
// Draws Part in State of the class (u"scrollbar", u"button" ...) over Rect
// on DC, for the window Handle. Callers test IsThemed first.
void ThemeRect(HWND Handle, HDC DC, const TRect& Rect, const WideString& ClassName, int Part, int State);
// The themed edit border over the 2-pixel client edge of the window Handle
// (its non-client area). Callers test IsThemed first.
void ThemeEditBorder(HWND Handle);

// ---- Colour schemes ---------------------------------------------------------------------------

enum TColorScheme { csDefault, csBlack, csBlue, csSilver };
enum TColorSchemeElement {
    seBackgroundGradientStart,
    seBackgroundGradientEnd,
    seBorder,
    seBtnFace,
    seBtnFaceDark,
    seDown,
    seGroupHeader,
    seHeaderFont,
    seHeaderGradientEnd,
    seHeaderGradientStart,
    seHeaderShadow,
    seHighlight,
    seHover,
    seHighlightHoverFore,
    seHighlightDownFore,
    seInactiveDockCaption,
    seMenuHighlight,
    seMenuSelectionBorder,
    seMenuSelectionBorderDown,
    seSplitterGradientStart,
    seSplitterGradientEnd
};
inline constexpr int ColorSchemeCount = csSilver + 1;
inline constexpr int ColorSchemeElementCount = seSplitterGradientEnd + 1;

// The colours of each scheme (0x00BBGGRR), filled by the unit's start-up.
extern TColor ShemeColors[ColorSchemeCount][ColorSchemeElementCount];
// The current scheme.
extern TColorScheme ColorScheme;

// The colour of Element in Scheme; csDefault stands for the current scheme.
TColor SchemeColor(TColorSchemeElement Element, TColorScheme Scheme);

// Controls repainted when the scheme changes (a TList of TControl*; null
// outside the unit's start-up and shut-down).
extern TList* ControlsList;
void SchemeNotification(TControl* Control);
void RemoveSchemeNotification(TControl* Control);

// Chooses the current scheme for every control of the program.
class TGxColorScheme : public TComponent {
public:
    QM_CLASS(TGxColorScheme, TComponent)
    explicit TGxColorScheme(TComponent* AOwner);

    TColorScheme GetColorScheme() const { return FColorScheme; }
    // Makes Value the current scheme (OnChange when it was not) and repaints
    // every registered control in any case.
    void SetColorScheme(TColorScheme Value);

    TNotifyEvent OnChange;

protected:
    virtual void DoChange();

private:
    TColorScheme FColorScheme;
};

// Adds the unit's start-up (fill the schemes, bind the library, create the
// control list) and shut-down to the program's unit sections.
void RegisterUnit();

} // namespace GxThemesSupport
