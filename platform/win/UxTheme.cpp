// The visual-styles library over QStyle: one table from (class, part) to the
// Qt style element that pictures it, drawn through the device context.
#include "platform/win/UxTheme.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/HandleTable.h"
#include "platform/qt/Bridge.h"
#include "platform/win/WinUser.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

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

// ---- The style and its palette ---------------------------------------------------------

// One fixed style, whatever the application's own, living as long as the
// application object.
QStyle& ThemeStyle()
{
    static QPointer<QStyle> Style;
    if (!Style) {
        Style = QStyleFactory::create(QStringLiteral("Fusion"));
        Style->setParent(qApp);
    }
    return *Style;
}

QColor Sys(int Index)
{
    const COLORREF C = GetSysColor(Index);
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

// The system colours as a palette, so that themed parts match the classic ones around them.
const QPalette& ThemePalette()
{
    static const QPalette Palette = [] {
        QPalette P;
        for (auto Group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            P.setColor(Group, QPalette::Window, Sys(COLOR_BTNFACE));
            P.setColor(Group, QPalette::Button, Sys(COLOR_BTNFACE));
            P.setColor(Group, QPalette::Base, Sys(COLOR_WINDOW));
            P.setColor(Group, QPalette::AlternateBase, Sys(COLOR_BTNFACE));
            P.setColor(Group, QPalette::Light, Sys(COLOR_BTNHIGHLIGHT));
            P.setColor(Group, QPalette::Midlight, Sys(COLOR_3DLIGHT));
            P.setColor(Group, QPalette::Mid, Sys(COLOR_GRAYTEXT));
            P.setColor(Group, QPalette::Dark, Sys(COLOR_BTNSHADOW));
            P.setColor(Group, QPalette::Shadow, Sys(COLOR_3DDKSHADOW));
            P.setColor(Group, QPalette::Highlight, Sys(COLOR_HIGHLIGHT));
            P.setColor(Group, QPalette::HighlightedText, Sys(COLOR_HIGHLIGHTTEXT));
            P.setColor(Group, QPalette::ToolTipBase, Sys(COLOR_INFOBK));
            P.setColor(Group, QPalette::ToolTipText, Sys(COLOR_INFOTEXT));
            const bool Disabled = Group == QPalette::Disabled;
            P.setColor(Group, QPalette::WindowText, Sys(Disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            P.setColor(Group, QPalette::Text, Sys(Disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
            P.setColor(Group, QPalette::ButtonText, Sys(Disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        }
        // A selection without the focus is shown in the face colour.
        P.setColor(QPalette::Inactive, QPalette::Highlight, Sys(COLOR_BTNFACE));
        P.setColor(QPalette::Inactive, QPalette::HighlightedText, Sys(COLOR_BTNTEXT));
        return P;
    }();
    return Palette;
}

// ---- What a state number means -----------------------------------------------------------

struct TLook {
    bool Enabled = true;
    bool Hot = false;
    bool Pressed = false;
    bool Checked = false; // checked, selected tab, open glyph, checked tool button
    bool Mixed = false;
    bool Focused = false;
    bool Default = false;
    bool ReadOnly = false;
    bool Inactive = false; // selected without the focus
    int Direction = 0;     // arrow buttons: 0 up, 1 down, 2 left, 3 right
};

// Normal 1, hot 2, pressed 3, disabled 4: the pattern most parts follow.
TLook Decode4(int S)
{
    TLook L;
    L.Hot = S == 2;
    L.Pressed = S == 3;
    L.Enabled = S != 4;
    return L;
}

TLook DecodePush(int S)
{
    TLook L = Decode4(S);
    L.Default = S == PBS_DEFAULTED;
    return L;
}

// Radio buttons and check boxes: groups of four (unchecked, checked, mixed).
TLook DecodeChecked(int S)
{
    TLook L = Decode4((S - 1) % 4 + 1);
    L.Checked = (S - 1) / 4 == 1;
    L.Mixed = (S - 1) / 4 == 2;
    return L;
}

TLook DecodeEdit(int S)
{
    TLook L;
    L.Hot = S == ETS_HOT;
    L.Enabled = S != ETS_DISABLED;
    L.Focused = S == ETS_SELECTED || S == ETS_FOCUSED;
    L.ReadOnly = S == ETS_READONLY;
    return L;
}

TLook DecodeArrow(int S)
{
    TLook L = Decode4((S - 1) % 4 + 1);
    L.Direction = (S - 1) / 4;
    return L;
}

TLook DecodeToolButton(int S)
{
    TLook L = Decode4(S);
    L.Checked = S == TS_CHECKED || S == TS_HOTCHECKED;
    L.Hot = S == TS_HOT || S == TS_HOTCHECKED;
    return L;
}

TLook DecodeTab(int S)
{
    TLook L;
    L.Hot = S == TIS_HOT;
    L.Checked = S == TIS_SELECTED;
    L.Enabled = S != TIS_DISABLED;
    L.Focused = S == TIS_FOCUSED;
    return L;
}

TLook DecodeItem(int S)
{
    TLook L;
    L.Hot = S == LISS_HOT;
    L.Checked = S == LISS_SELECTED || S == LISS_SELECTEDNOTFOCUS;
    L.Enabled = S != LISS_DISABLED;
    L.Inactive = S == LISS_SELECTEDNOTFOCUS;
    return L;
}

TLook DecodeOpen(int S)
{
    TLook L;
    L.Checked = S == GLPS_OPENED; // also HSAS_SORTEDDOWN
    return L;
}

TLook DecodeNone(int)
{
    return TLook();
}

// ---- Drawing a part -------------------------------------------------------------------------

struct TJob {
    QPainter& P;
    QStyle& Style;
    QRect R;
    TLook Look;
    int Part;
    int State; // as given
};

void Init(QStyleOption& O, const TJob& J)
{
    O.rect = J.R;
    O.palette = ThemePalette();
    O.direction = Qt::LeftToRight;
    O.state = QStyle::State_None;
    if (J.Look.Enabled)
        O.state |= QStyle::State_Enabled;
    else
        O.palette.setCurrentColorGroup(QPalette::Disabled);
    if (J.Look.Inactive)
        O.palette.setCurrentColorGroup(QPalette::Inactive);
    else
        O.state |= QStyle::State_Active;
    if (J.Look.Hot) O.state |= QStyle::State_MouseOver;
    if (J.Look.Pressed) O.state |= QStyle::State_Sunken;
    if (J.Look.Focused) O.state |= QStyle::State_HasFocus;
    if (J.Look.ReadOnly) O.state |= QStyle::State_ReadOnly;
}

void PaintPushButton(TJob& J)
{
    QStyleOptionButton O;
    Init(O, J);
    if (!J.Look.Pressed) O.state |= QStyle::State_Raised;
    if (J.Look.Default) O.features |= QStyleOptionButton::DefaultButton;
    J.Style.drawControl(QStyle::CE_PushButtonBevel, &O, &J.P);
}

void PaintIndicator(TJob& J, QStyle::PrimitiveElement Element)
{
    QStyleOptionButton O;
    Init(O, J);
    O.state |= J.Look.Mixed ? QStyle::State_NoChange : J.Look.Checked ? QStyle::State_On : QStyle::State_Off;
    J.Style.drawPrimitive(Element, &O, &J.P);
}

void PaintRadioButton(TJob& J)
{
    PaintIndicator(J, QStyle::PE_IndicatorRadioButton);
}

void PaintCheckBox(TJob& J)
{
    PaintIndicator(J, QStyle::PE_IndicatorCheckBox);
}

void PaintEditBox(TJob& J)
{
    QStyleOptionFrame O;
    Init(O, J);
    O.lineWidth = 1;
    J.Style.drawPrimitive(QStyle::PE_PanelLineEdit, &O, &J.P);
}

// A button face with an arrow in it: spin buttons and the combo-box button.
void PaintArrowButton(TJob& J, QStyle::PrimitiveElement Arrow)
{
    PaintPushButton(J);
    QStyleOption O;
    Init(O, J);
    const int Side = std::max(1, std::min({J.R.width(), J.R.height(), 12}) - 2);
    O.rect = QRect(0, 0, Side, Side);
    O.rect.moveCenter(J.R.center());
    if (J.Look.Pressed) O.rect.translate(1, 1);
    J.Style.drawPrimitive(Arrow, &O, &J.P);
}

void PaintSpinButton(TJob& J)
{
    static constexpr QStyle::PrimitiveElement Arrows[] = {QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown,
                                                          QStyle::PE_IndicatorArrowRight,
                                                          QStyle::PE_IndicatorArrowLeft};
    PaintArrowButton(J, Arrows[J.Part - SPNP_UP]);
}

void PaintDropDownButton(TJob& J)
{
    PaintArrowButton(J, QStyle::PE_IndicatorArrowDown);
}

// The faces of a hot and of a pressed scroll-bar piece: Fusion shows both
// only faintly, the system's themes clearly. Both are the light caption blue
// taken towards the selection colour, a sixth of the way when hot, a third
// when pressed.
QColor CaptionBlue(int Sixths)
{
    const QColor Light = Sys(COLOR_GRADIENTACTIVECAPTION), Dark = Sys(COLOR_HIGHLIGHT);
    auto Mix = [Sixths](int L, int D) { return (L * (6 - Sixths) + D * Sixths) / 6; };
    return QColor(Mix(Light.red(), Dark.red()), Mix(Light.green(), Dark.green()), Mix(Light.blue(), Dark.blue()));
}

// Scroll-bar pieces: Fusion draws them only as part of a whole bar, so a bar
// is drawn into an image around the piece (over the groove, so that the
// piece covers its whole rectangle) and the piece is copied out.
void PaintScrollBarPiece(TJob& J, Qt::Orientation Orientation, QStyle::SubControl Piece)
{
    const bool Vertical = Orientation == Qt::Vertical;
    const int Thickness = Vertical ? J.R.width() : J.R.height();
    const int Length = Vertical ? J.R.height() : J.R.width();
    const int Extent = J.Style.pixelMetric(QStyle::PM_ScrollBarExtent);
    const int HostLength = std::max(Length, Extent) + 4 * Extent;
    QStyleOptionSlider O;
    Init(O, J);
    O.rect = Vertical ? QRect(0, 0, Thickness, HostLength) : QRect(0, 0, HostLength, Thickness);
    O.orientation = Orientation;
    if (!Vertical) O.state |= QStyle::State_Horizontal;
    O.minimum = 0;
    O.maximum = 0; // the thumb fills the track
    O.pageStep = 1;
    O.subControls = Piece | QStyle::SC_ScrollBarGroove;
    O.activeSubControls = (J.Look.Hot || J.Look.Pressed) ? Piece : QStyle::SC_None;
    if (J.Look.Pressed)
        O.palette.setColor(QPalette::Button, CaptionBlue(2));
    else if (J.Look.Hot)
        O.palette.setColor(QPalette::Button, CaptionBlue(1));
    QImage Host(O.rect.size(), QImage::Format_ARGB32_Premultiplied);
    Host.fill(Qt::transparent);
    {
        QPainter HostPainter(&Host);
        J.Style.drawComplexControl(QStyle::CC_ScrollBar, &O, &HostPainter);
    }
    const QRect Source = J.Style.subControlRect(QStyle::CC_ScrollBar, &O, Piece, nullptr);
    if (Source.isEmpty()) return;
    J.P.setRenderHint(QPainter::SmoothPixmapTransform, true);
    J.P.drawImage(J.R, Host, Source);
}

void PaintScrollArrow(TJob& J)
{
    const bool Vertical = J.Look.Direction < 2;
    const QStyle::SubControl Piece =
        (J.Look.Direction % 2 == 0) ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine;
    PaintScrollBarPiece(J, Vertical ? Qt::Vertical : Qt::Horizontal, Piece);
}

void PaintScrollThumb(TJob& J)
{
    PaintScrollBarPiece(J, J.Part == SBP_THUMBBTNVERT ? Qt::Vertical : Qt::Horizontal, QStyle::SC_ScrollBarSlider);
}

void PaintScrollTrack(TJob& J)
{
    J.Look.Hot = false; // a track shows no hover, only a press
    const bool Vertical = J.Part == SBP_LOWERTRACKVERT || J.Part == SBP_UPPERTRACKVERT;
    PaintScrollBarPiece(J, Vertical ? Qt::Vertical : Qt::Horizontal, QStyle::SC_ScrollBarGroove);
}

// The thumb's grip lines, drawn over a thumb.
void PaintScrollGripper(TJob& J)
{
    const bool Vertical = J.Part == SBP_GRIPPERVERT;
    const QPalette& Pal = ThemePalette();
    const QPoint C = J.R.center();
    for (int I = -2; I <= 2; I += 2) {
        const QRect Line = Vertical ? QRect(C.x() - 3, C.y() + I, 7, 1) : QRect(C.x() + I, C.y() - 3, 1, 7);
        J.P.fillRect(Line.intersected(J.R), Pal.color(QPalette::Dark));
    }
}

void PaintSizeGrip(TJob& J, bool LeftAlign)
{
    QStyleOptionSizeGrip O;
    Init(O, J);
    O.corner = LeftAlign ? Qt::BottomLeftCorner : Qt::BottomRightCorner;
    J.Style.drawControl(QStyle::CE_SizeGrip, &O, &J.P);
}

void PaintScrollSizeBox(TJob& J)
{
    J.P.fillRect(J.R, ThemePalette().color(QPalette::Window));
    PaintSizeGrip(J, J.State == SZB_LEFTALIGN);
}

void PaintToolButton(TJob& J)
{
    // A tool button is flat until it is hot, pressed or checked.
    if (!J.Look.Hot && !J.Look.Pressed && !J.Look.Checked) return;
    QStyleOptionToolButton O;
    Init(O, J);
    O.state |= QStyle::State_AutoRaise;
    if (J.Look.Hot || J.Look.Checked) O.state |= QStyle::State_Raised;
    if (J.Look.Checked) O.state |= QStyle::State_On | QStyle::State_Sunken;
    J.Style.drawPrimitive(QStyle::PE_PanelButtonTool, &O, &J.P);
}

void PaintTabItem(TJob& J)
{
    static constexpr QStyleOptionTab::TabPosition Positions[] = {QStyleOptionTab::Middle, QStyleOptionTab::Beginning,
                                                                 QStyleOptionTab::End, QStyleOptionTab::OnlyOneTab};
    QStyleOptionTab O;
    Init(O, J);
    O.shape = QTabBar::RoundedNorth;
    O.position = Positions[J.Part - TABP_TABITEM];
    if (J.Look.Checked) O.state |= QStyle::State_Selected;
    // Fusion clips a tab to a rectangle of its own, a pixel wider than the
    // tab, in place of the part's clip: the tab is drawn apart and copied in.
    QImage Tab(J.R.size(), QImage::Format_ARGB32_Premultiplied);
    Tab.fill(Qt::transparent);
    O.rect = Tab.rect();
    {
        QPainter TabPainter(&Tab);
        J.Style.drawControl(QStyle::CE_TabBarTabShape, &O, &TabPainter);
    }
    J.P.drawImage(J.R.topLeft(), Tab);
}

void PaintTabPane(TJob& J)
{
    QStyleOptionTabWidgetFrame O;
    Init(O, J);
    O.lineWidth = 1;
    O.shape = QTabBar::RoundedNorth;
    J.Style.drawPrimitive(QStyle::PE_FrameTabWidget, &O, &J.P);
}

void PaintTabBody(TJob& J)
{
    J.P.fillRect(J.R, ThemePalette().color(QPalette::Window));
}

void PaintHeaderItem(TJob& J)
{
    static constexpr QStyleOptionHeader::SectionPosition Positions[] = {
        QStyleOptionHeader::Middle, QStyleOptionHeader::Beginning, QStyleOptionHeader::End};
    QStyleOptionHeader O;
    Init(O, J);
    O.state |= QStyle::State_Horizontal | QStyle::State_Raised;
    O.orientation = Qt::Horizontal;
    O.position = Positions[J.Part - HP_HEADERITEM];
    O.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    J.Style.drawControl(QStyle::CE_HeaderSection, &O, &J.P);
    // Fusion draws a hot or pressed header section as a normal one; the
    // system's themes light it, as the scroll-bar pieces above.
    if (J.Look.Hot || J.Look.Pressed) J.P.fillRect(J.R.adjusted(1, 1, -1, -1), CaptionBlue(J.Look.Pressed ? 2 : 1));
}

void PaintSortArrow(TJob& J)
{
    QStyleOptionHeader O;
    Init(O, J);
    O.state |= QStyle::State_Horizontal;
    O.orientation = Qt::Horizontal;
    O.sortIndicator = J.Look.Checked ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
    J.Style.drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &O, &J.P);
}

void PaintItem(TJob& J)
{
    QStyleOptionViewItem O;
    Init(O, J);
    if (J.Look.Checked) O.state |= QStyle::State_Selected;
    O.showDecorationSelected = true;
    J.Style.drawPrimitive(QStyle::PE_PanelItemViewItem, &O, &J.P);
}

// State 0 of a list item is the list's own border box.
void PaintListItem(TJob& J)
{
    if (J.State != 0) return PaintItem(J);
    J.P.fillRect(J.R, ThemePalette().color(QPalette::Base));
    QStyleOptionFrame O;
    Init(O, J);
    O.lineWidth = 1;
    O.state |= QStyle::State_Sunken;
    O.frameShape = QFrame::StyledPanel;
    J.Style.drawPrimitive(QStyle::PE_Frame, &O, &J.P);
}

void PaintTreeGlyph(TJob& J)
{
    QStyleOption O;
    Init(O, J);
    O.state |= QStyle::State_Children | QStyle::State_Item;
    if (J.Look.Checked) O.state |= QStyle::State_Open;
    J.Style.drawPrimitive(QStyle::PE_IndicatorBranch, &O, &J.P);
}

void PaintStatusPane(TJob& J)
{
    QStyleOption O;
    Init(O, J);
    J.P.fillRect(J.R, ThemePalette().color(QPalette::Window));
    J.Style.drawPrimitive(QStyle::PE_FrameStatusBarItem, &O, &J.P);
}

void PaintStatusGripper(TJob& J)
{
    PaintSizeGrip(J, false);
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
    TJob Job{P.Painter(), ThemeStyle(), ToQRect(*Rect), Entry->Decode(NormalState(*Entry, StateId)), PartId, StateId};
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
