// Private to the platform: how the visual-styles library pictures each part
// with the one fixed Qt style, and what a part's state number means.
#pragma once
#include "platform/win/ThemeParts.h"

#include <QPainter>
#include <QPalette>
#include <QStyle>

namespace platform::detail {

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

struct TJob {
    QPainter& P;
    QStyle& Style;
    QRect R;
    TLook Look;
    int Part;
    int State; // as given
};

QStyle& ThemeStyle();
const QPalette& ThemePalette();
TLook Decode4(int S);
TLook DecodePush(int S);
TLook DecodeChecked(int S);
TLook DecodeEdit(int S);
TLook DecodeArrow(int S);
TLook DecodeToolButton(int S);
TLook DecodeTab(int S);
TLook DecodeItem(int S);
TLook DecodeOpen(int S);
TLook DecodeNone(int);
void PaintPushButton(TJob& J);
void PaintRadioButton(TJob& J);
void PaintCheckBox(TJob& J);
void PaintEditBox(TJob& J);
void PaintSpinButton(TJob& J);
void PaintDropDownButton(TJob& J);
void PaintScrollArrow(TJob& J);
void PaintScrollThumb(TJob& J);
void PaintScrollTrack(TJob& J);
void PaintScrollGripper(TJob& J);
void PaintScrollSizeBox(TJob& J);
void PaintToolButton(TJob& J);
void PaintTabItem(TJob& J);
void PaintTabPane(TJob& J);
void PaintTabBody(TJob& J);
void PaintHeaderItem(TJob& J);
void PaintSortArrow(TJob& J);
void PaintItem(TJob& J);
void PaintListItem(TJob& J);
void PaintTreeGlyph(TJob& J);
void PaintStatusPane(TJob& J);
void PaintStatusGripper(TJob& J);

} // namespace platform::detail
