// DrawText: text laid out in a rectangle.
#include "platform/win/WinUser.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/QtStrings.h"

#include <QFontMetrics>
#include <QStringList>

#include <cstring>

using namespace platform::detail;

namespace {

// Takes out '&' prefixes: "&&" stays as one '&'.
QString StripPrefixes(const QString& S)
{
    QString R;
    R.reserve(S.size());
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'&') {
            if (I + 1 < S.size() && S[I + 1] == u'&') {
                R += u'&';
                ++I;
            }
            continue;
        }
        R += S[I];
    }
    return R;
}

QString ExpandTabs(const QString& S)
{
    QString R;
    for (QChar C : S) {
        if (C == u'\t') {
            do
                R += u' ';
            while (R.size() % 8 != 0);
        } else {
            R += C;
        }
    }
    return R;
}

// Breaks one line at blanks so that each piece fits Width; a word wider
// than Width stays whole on a line of its own.
void BreakLine(const QString& Line, const QFontMetrics& M, int Width, QStringList& Out)
{
    if (M.horizontalAdvance(Line) <= Width) {
        Out << Line;
        return;
    }
    QString Current;
    qsizetype I = 0;
    while (I < Line.size()) {
        qsizetype J = I;
        while (J < Line.size() && Line[J] != u' ')
            ++J;
        qsizetype K = J;
        while (K < Line.size() && Line[K] == u' ')
            ++K;
        const QString Word = Line.mid(I, J - I);
        const QString Candidate = Current.isEmpty() ? Word : Current + Word;
        if (!Current.isEmpty() && M.horizontalAdvance(Candidate) > Width) {
            Out << Current.trimmed();
            Current = Word;
        } else {
            Current = Candidate;
        }
        Current += Line.mid(J, K - J);
        I = K;
    }
    if (!Current.isEmpty() || Out.isEmpty()) Out << (Current.endsWith(u' ') ? Current.trimmed() : Current);
}

int DrawTextCore(HDC DC, QString Text, TRect* Rect, UINT Format)
{
    if (!DC || !Rect) return 0;
    const QFontMetrics M(DC->Font);
    if ((Format & DT_PREFIXONLY) != 0) return M.height();
    if (!(Format & DT_NOPREFIX)) Text = StripPrefixes(Text);
    if (Format & DT_EXPANDTABS) Text = ExpandTabs(Text);
    const int Width = Rect->Right - Rect->Left;
    QStringList Lines;
    if (Format & DT_SINGLELINE) {
        Text.remove(u'\r');
        Text.remove(u'\n');
        Lines << Text;
    } else {
        Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        Text.replace(u'\r', u'\n');
        for (const QString& L : Text.split(u'\n')) {
            if (Format & DT_WORDBREAK)
                BreakLine(L, M, Width, Lines);
            else
                Lines << L;
        }
    }
    if ((Format & DT_END_ELLIPSIS) && !(Format & DT_CALCRECT))
        for (QString& L : Lines)
            if (M.horizontalAdvance(L) > Width) L = M.elidedText(L, Qt::ElideRight, Width);

    const int LineHeight = M.height() + ((Format & DT_EXTERNALLEADING) ? M.leading() : 0);
    const int Height = LineHeight * int(Lines.size());
    int MaxWidth = 0;
    for (const QString& L : Lines)
        MaxWidth = std::max(MaxWidth, M.horizontalAdvance(L));
    if (Format & DT_CALCRECT) {
        Rect->Right = Rect->Left + MaxWidth;
        Rect->Bottom = Rect->Top + Height;
        return Height;
    }

    int Y = Rect->Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER)
            Y = Rect->Top + (Rect->Bottom - Rect->Top - LineHeight) / 2;
        else if (Format & DT_BOTTOM)
            Y = Rect->Bottom - LineHeight;
    }
    const QRect Box = ToQRect(*Rect);
    QRect Bounds = (Format & DT_NOCLIP) ? QRect(Rect->Left, Y, std::max(MaxWidth, Width), Height).united(Box) : Box;
    TDCPainter P(DC, Bounds);
    if (!P.Active()) return Height;
    QPainter& Painter = P.Painter();
    if (!(Format & DT_NOCLIP)) Painter.setClipRect(Box, Qt::IntersectClip);
    Painter.setFont(DC->Font);
    for (const QString& L : Lines) {
        const int W = M.horizontalAdvance(L);
        int X = Rect->Left;
        if (Format & DT_CENTER)
            X = Rect->Left + (Width - W) / 2;
        else if (Format & DT_RIGHT)
            X = Rect->Right - W;
        if (!DC->BkTransparent) Painter.fillRect(QRect(X, Y, W, LineHeight), RgbColor(DC->BkColor));
        Painter.setPen(RgbColor(DC->TextColor));
        Painter.drawText(QPoint(X, Y + M.ascent()), L);
        Y += LineHeight;
    }
    return Height;
}

} // namespace

int DrawTextA(HDC DC, const char* Text, int Count, TRect* Rect, UINT Format)
{
    if (!Text) return 0;
    const std::size_t N = Count < 0 ? std::strlen(Text) : std::size_t(Count);
    return DrawTextCore(DC, ToQString(std::string_view(Text, N)), Rect, Format);
}

int DrawTextW(HDC DC, const WideChar* Text, int Count, TRect* Rect, UINT Format)
{
    if (!Text) return 0;
    std::size_t N = 0;
    if (Count < 0)
        while (Text[N])
            ++N;
    else
        N = std::size_t(Count);
    return DrawTextCore(DC, ToQString(std::u16string_view(Text, N)), Rect, Format);
}
