// The themed parts drawn with one fixed Qt style (Fusion) and a palette made of
// the system colours, so that a part looks the same on every machine.
#include "platform/win/ThemePainters.h"
#include "platform/graphics/Colors.h"
#include "platform/win/WinUser.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

namespace platform::detail {

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

static QColor Sys(int Index)
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

static void Init(QStyleOption& O, const TJob& J)
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

static void PaintIndicator(TJob& J, QStyle::PrimitiveElement Element)
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
static void PaintArrowButton(TJob& J, QStyle::PrimitiveElement Arrow)
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
static QColor CaptionBlue(int Sixths)
{
    const QColor Light = Sys(COLOR_GRADIENTACTIVECAPTION), Dark = Sys(COLOR_HIGHLIGHT);
    auto Mix = [Sixths](int L, int D) { return (L * (6 - Sixths) + D * Sixths) / 6; };
    return QColor(Mix(Light.red(), Dark.red()), Mix(Light.green(), Dark.green()), Mix(Light.blue(), Dark.blue()));
}

// Scroll-bar pieces: Fusion draws them only as part of a whole bar, so a bar
// is drawn into an image around the piece (over the groove, so that the
// piece covers its whole rectangle) and the piece is copied out.
static void PaintScrollBarPiece(TJob& J, Qt::Orientation Orientation, QStyle::SubControl Piece)
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

static void PaintSizeGrip(TJob& J, bool LeftAlign)
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

} // namespace platform::detail
