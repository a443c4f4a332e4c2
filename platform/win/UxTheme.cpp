// The visual-styles library over QStyle: one table from (class, part) to the
// Qt style element that pictures it, drawn through the device context.
#include "platform/win/UxTheme.h"
#include "platform/win/ThemePainters.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/HandleTable.h"
#include "platform/qt/Bridge.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <QApplication>
#include <QStyleOption>

#include <algorithm>
#include <cstdlib>

using namespace platform::detail;

namespace {

enum TThemeClass {
    tcButton,
    tcEdit,
    tcSpin,
    tcComboBox,
    tcScrollBar,
    tcToolBar,
    tcTab,
    tcHeader,
    tcListView,
    tcTreeView,
    tcStatus
};

struct TClassName {
    std::u16string_view Name;
    TThemeClass Class;
};

constexpr TClassName ClassNames[] = {
    {u"button", tcButton},       {u"edit", tcEdit},         {u"spin", tcSpin},     {u"combobox", tcComboBox},
    {u"scrollbar", tcScrollBar}, {u"toolbar", tcToolBar},   {u"tab", tcTab},       {u"header", tcHeader},
    {u"listview", tcListView},   {u"treeview", tcTreeView}, {u"status", tcStatus},
};

bool ThemesOff()
{
    static const bool Off = std::getenv("QUILLMOTE_NO_THEME") != nullptr;
    return Off;
}

} // namespace

namespace {

// What an open theme handle stands for.
struct TThemeData {
    TThemeClass Class;
    HWND Window;
};

// The data of a theme handle that is still open, or null.
const TThemeData* ThemeOf(HTHEME Theme)
{
    return static_cast<const TThemeData*>(HandleObject(Theme, hkTheme));
}

// ---- The table ---------------------------------------------------------------------------------

enum TSizeKind { skNone, skBox, skScrollButton, skGripper, skGlyph, skSortArrow };

struct TPartEntry {
    TThemeClass Class;
    int Part;
    int StateCount; // states 1..StateCount; others draw as 1
    TLook (*Decode)(int State);
    void (*Paint)(TJob& J);
    TSizeKind Size;
    QPalette::ColorRole Text; // DrawThemeText's colour
};

constexpr TPartEntry Parts[] = {
    {tcButton, BP_PUSHBUTTON, 5, DecodePush, PaintPushButton, skNone, QPalette::ButtonText},
    {tcButton, BP_RADIOBUTTON, 8, DecodeChecked, PaintRadioButton, skBox, QPalette::WindowText},
    {tcButton, BP_CHECKBOX, 12, DecodeChecked, PaintCheckBox, skBox, QPalette::WindowText},
    {tcEdit, EP_EDITTEXT, 7, DecodeEdit, PaintEditBox, skNone, QPalette::Text},
    {tcSpin, SPNP_UP, 4, Decode4, PaintSpinButton, skNone, QPalette::ButtonText},
    {tcSpin, SPNP_DOWN, 4, Decode4, PaintSpinButton, skNone, QPalette::ButtonText},
    {tcSpin, SPNP_UPHORZ, 4, Decode4, PaintSpinButton, skNone, QPalette::ButtonText},
    {tcSpin, SPNP_DOWNHORZ, 4, Decode4, PaintSpinButton, skNone, QPalette::ButtonText},
    {tcComboBox, CP_DROPDOWNBUTTON, 4, Decode4, PaintDropDownButton, skScrollButton, QPalette::ButtonText},
    {tcScrollBar, SBP_ARROWBTN, 16, DecodeArrow, PaintScrollArrow, skScrollButton, QPalette::ButtonText},
    {tcScrollBar, SBP_THUMBBTNHORZ, 4, Decode4, PaintScrollThumb, skScrollButton, QPalette::ButtonText},
    {tcScrollBar, SBP_THUMBBTNVERT, 4, Decode4, PaintScrollThumb, skScrollButton, QPalette::ButtonText},
    {tcScrollBar, SBP_LOWERTRACKHORZ, 4, Decode4, PaintScrollTrack, skNone, QPalette::ButtonText},
    {tcScrollBar, SBP_UPPERTRACKHORZ, 4, Decode4, PaintScrollTrack, skNone, QPalette::ButtonText},
    {tcScrollBar, SBP_LOWERTRACKVERT, 4, Decode4, PaintScrollTrack, skNone, QPalette::ButtonText},
    {tcScrollBar, SBP_UPPERTRACKVERT, 4, Decode4, PaintScrollTrack, skNone, QPalette::ButtonText},
    {tcScrollBar, SBP_GRIPPERHORZ, 4, Decode4, PaintScrollGripper, skGripper, QPalette::ButtonText},
    {tcScrollBar, SBP_GRIPPERVERT, 4, Decode4, PaintScrollGripper, skGripper, QPalette::ButtonText},
    {tcScrollBar, SBP_SIZEBOX, 2, DecodeNone, PaintScrollSizeBox, skScrollButton, QPalette::ButtonText},
    {tcToolBar, TP_BUTTON, 6, DecodeToolButton, PaintToolButton, skNone, QPalette::ButtonText},
    {tcTab, TABP_TABITEM, 5, DecodeTab, PaintTabItem, skNone, QPalette::ButtonText},
    {tcTab, TABP_TABITEMLEFTEDGE, 5, DecodeTab, PaintTabItem, skNone, QPalette::ButtonText},
    {tcTab, TABP_TABITEMRIGHTEDGE, 5, DecodeTab, PaintTabItem, skNone, QPalette::ButtonText},
    {tcTab, TABP_TABITEMBOTHEDGES, 5, DecodeTab, PaintTabItem, skNone, QPalette::ButtonText},
    {tcTab, TABP_PANE, 1, DecodeNone, PaintTabPane, skNone, QPalette::WindowText},
    {tcTab, TABP_BODY, 1, DecodeNone, PaintTabBody, skNone, QPalette::WindowText},
    {tcHeader, HP_HEADERITEM, 3, Decode4, PaintHeaderItem, skNone, QPalette::ButtonText},
    {tcHeader, HP_HEADERITEMLEFT, 3, Decode4, PaintHeaderItem, skNone, QPalette::ButtonText},
    {tcHeader, HP_HEADERITEMRIGHT, 3, Decode4, PaintHeaderItem, skNone, QPalette::ButtonText},
    {tcHeader, HP_HEADERSORTARROW, 2, DecodeOpen, PaintSortArrow, skSortArrow, QPalette::ButtonText},
    {tcListView, LVP_LISTITEM, 5, DecodeItem, PaintListItem, skNone, QPalette::Text},
    {tcTreeView, TVP_TREEITEM, 5, DecodeItem, PaintItem, skNone, QPalette::Text},
    {tcTreeView, TVP_GLYPH, 2, DecodeOpen, PaintTreeGlyph, skGlyph, QPalette::Text},
    {tcStatus, SP_PANE, 1, DecodeNone, PaintStatusPane, skNone, QPalette::WindowText},
    {tcStatus, SP_GRIPPERPANE, 1, DecodeNone, PaintStatusPane, skNone, QPalette::WindowText},
    {tcStatus, SP_GRIPPER, 1, DecodeNone, PaintStatusGripper, skGripper, QPalette::WindowText},
};

const TPartEntry* FindPart(const TThemeData* Theme, int Part)
{
    for (const TPartEntry& E : Parts)
        if (E.Class == Theme->Class && E.Part == Part) return &E;
    return nullptr;
}

int NormalState(const TPartEntry& E, int State)
{
    return State >= 1 && State <= E.StateCount ? State : 1;
}

std::u16string_view Trimmed(std::u16string_view S)
{
    while (!S.empty() && S.front() == u' ')
        S.remove_prefix(1);
    while (!S.empty() && S.back() == u' ')
        S.remove_suffix(1);
    return S;
}

bool SameName(std::u16string_view A, std::u16string_view B)
{
    if (A.size() != B.size()) return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        char16_t C = A[I];
        if (C >= u'A' && C <= u'Z') C = char16_t(C - u'A' + u'a');
        if (C != B[I]) return false;
    }
    return true;
}

} // namespace

// ---- The library ---------------------------------------------------------------------------------

BOOL IsThemeLibraryPresent()
{
    return !ThemesOff();
}

BOOL IsThemeActive()
{
    return !ThemesOff();
}

BOOL IsAppThemed()
{
    return !ThemesOff();
}

HTHEME OpenThemeData(HWND Wnd, const WideChar* ClassList)
{
    if (ThemesOff() || !ClassList) return nullptr;
    std::u16string_view List(ClassList);
    while (true) {
        const std::size_t Semicolon = List.find(u';');
        const std::u16string_view Name = Trimmed(List.substr(0, Semicolon));
        for (const TClassName& C : ClassNames)
            if (SameName(Name, C.Name)) return static_cast<HTHEME>(AddHandle(hkTheme, new TThemeData{C.Class, Wnd}));
        if (Semicolon == std::u16string_view::npos) return nullptr;
        List.remove_prefix(Semicolon + 1);
    }
}

HRESULT CloseThemeData(HTHEME Theme)
{
    // A handle closed twice, or never opened, is refused rather than freed again.
    const TThemeData* Data = ThemeOf(Theme);
    if (!Data) return E_HANDLE;
    RemoveHandle(Theme);
    delete Data;
    return S_OK;
}

namespace {

// A part far longer than any screen (a header 32,767 pixels tall) is drawn
// only around what can be seen of it: Qt's styles paint some parts through a
// picture of the whole part, which at that size takes gigabytes. Its edges
// then lie outside the clip, so nothing visible changes but a gradient's
// spread along that length.
QRect SeenPart(HDC DC, QRect Part, const QRect& Bounds)
{
    constexpr int Longest = 8192, Margin = 16;
    if (Part.width() <= Longest && Part.height() <= Longest) return Part;
    TRect Box;
    const int Kind = GetClipBox(DC, &Box);
    const QRect Seen = Kind == ERROR || Kind == NULLREGION ? Bounds : Bounds & ToQRect(Box);
    const QRect Around = Seen.adjusted(-Margin, -Margin, Margin, Margin);
    if (Part.width() > Longest) {
        Part.setLeft(std::max(Part.left(), Around.left()));
        Part.setRight(std::min(Part.right(), Around.right()));
    }
    if (Part.height() > Longest) {
        Part.setTop(std::max(Part.top(), Around.top()));
        Part.setBottom(std::min(Part.bottom(), Around.bottom()));
    }
    return Part;
}

} // namespace

HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect, const TRect* ClipRect)
{
    const TThemeData* Data = ThemeOf(Theme);
    if (!Data) return E_HANDLE;
    const TPartEntry* Entry = FindPart(Data, PartId);
    if (!DC || !Rect || !Entry) return E_INVALIDARG;
    QRect Bounds = ToQRect(*Rect);
    if (ClipRect) Bounds &= ToQRect(*ClipRect);
    if (Bounds.isEmpty()) return S_OK;
    // Some Qt pictures reach beyond their rectangle (a selected tab joins its pane); a part stays inside.
    TDCPainter P(DC, Bounds, &Bounds);
    if (!P.Active()) return S_OK;
    TJob Job{
        P.Painter(), ThemeStyle(), SeenPart(DC, ToQRect(*Rect), Bounds), Entry->Decode(NormalState(*Entry, StateId)),
        PartId,      StateId};
    Entry->Paint(Job);
    return S_OK;
}

HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, const WideChar* Text, int CharCount,
                      DWORD TextFlags, DWORD TextFlags2, const TRect* Rect)
{
    const TThemeData* Data = ThemeOf(Theme);
    if (!Data) return E_HANDLE;
    const TPartEntry* Entry = FindPart(Data, PartId);
    if (!DC || !Rect || !Text || !Entry) return E_INVALIDARG;
    const TLook Look = Entry->Decode(NormalState(*Entry, StateId));
    const bool Grayed = !Look.Enabled || (TextFlags2 & DTT_GRAYED);
    const QPalette::ColorGroup Group = Grayed          ? QPalette::Disabled
                                       : Look.Inactive ? QPalette::Inactive
                                                       : QPalette::Active;
    const QPalette::ColorRole Role =
        Look.Checked && Entry->Text == QPalette::Text ? QPalette::HighlightedText : Entry->Text;
    const TColor OldColor = DC->TextColor;
    const bool OldTransparent = DC->BkTransparent;
    DC->TextColor = FromQColor(ThemePalette().color(Group, Role));
    DC->BkTransparent = true;
    TRect R = *Rect;
    DrawTextW(DC, Text, CharCount, &R, TextFlags & ~DT_CALCRECT);
    DC->TextColor = OldColor;
    DC->BkTransparent = OldTransparent;
    return S_OK;
}

HRESULT GetThemePartSize(HTHEME Theme, HDC, int PartId, int StateId, const TRect* Rect, THEMESIZE ESize, TSize* Size)
{
    (void)StateId;
    const TThemeData* Data = ThemeOf(Theme);
    if (!Data) return E_HANDLE;
    const TPartEntry* Entry = FindPart(Data, PartId);
    if (!Entry || !Size) return E_INVALIDARG;
    // The sizes of the classic look, which the system's layouts assume.
    switch (Entry->Size) {
    case skBox:
        *Size = TSize(13, 13);
        return S_OK;
    case skScrollButton:
        *Size = TSize(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
        return S_OK;
    case skGripper:
        *Size = Entry->Class == tcStatus ? TSize(ThemeStyle().pixelMetric(QStyle::PM_SizeGripSize),
                                                 ThemeStyle().pixelMetric(QStyle::PM_SizeGripSize))
                                         : TSize(8, 8);
        return S_OK;
    case skGlyph:
        *Size = TSize(9, 9);
        return S_OK;
    case skSortArrow:
        *Size = TSize(9, 5);
        return S_OK;
    case skNone:
        break;
    }
    *Size = (ESize == TS_DRAW && Rect) ? TSize(Rect->Width(), Rect->Height()) : TSize(0, 0);
    return S_OK;
}

HRESULT DrawThemeEdge(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* DestRect, UINT Edge, UINT Flags,
                      TRect* ContentRect)
{
    (void)PartId;
    (void)StateId;
    if (!ThemeOf(Theme)) return E_HANDLE;
    if (!DC || !DestRect) return E_INVALIDARG;
    TRect R = *DestRect;
    if (!DrawEdge(DC, &R, Edge, Flags)) return E_FAIL;
    if (ContentRect) *ContentRect = (Flags & BF_ADJUST) ? R : *DestRect;
    return S_OK;
}

int GetThemeSysSize(HTHEME, int SizeId)
{
    return GetSystemMetrics(SizeId);
}
