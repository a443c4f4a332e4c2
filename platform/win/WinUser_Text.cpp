// DrawText and the text extent: text laid out in a rectangle as user32 lays it out.
#include "platform/win/WinUser.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/QtStrings.h"

#include <QFontMetrics>
#include <QStringList>

#include <cstring>

using namespace platform::detail;

namespace {

const QString Ellipsis = QStringLiteral("...");

// Takes out '&' prefixes: "&&" stays as one '&'. Marked receives where the
// character after the last single '&' lands (-1 for none): user32 underlines
// that one.
QString StripPrefixes(const QString& S, qsizetype& Marked)
{
    QString R;
    R.reserve(S.size());
    Marked = -1;
    for (qsizetype I = 0; I < S.size(); ++I) {
        if (S[I] == u'&') {
            if (I + 1 < S.size() && S[I + 1] == u'&') {
                R += u'&';
                ++I;
            } else if (I + 1 < S.size()) {
                Marked = R.size();
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

// A cut never falls between the two halves of a surrogate pair.
qsizetype CutPoint(const QString& S, qsizetype N)
{
    if (N > 0 && N < S.size() && S[N].isLowSurrogate() && S[N - 1].isHighSurrogate()) --N;
    return N;
}

qsizetype NextCut(const QString& S, qsizetype N)
{
    return N + (N + 1 < S.size() && S[N].isHighSurrogate() && S[N + 1].isLowSurrogate() ? 2 : 1);
}

qsizetype PreviousCut(const QString& S, qsizetype N)
{
    return N - (N > 1 && S[N - 1].isLowSurrogate() && S[N - 2].isHighSurrogate() ? 2 : 1);
}

// What a line of DrawText needs to know: the font, the width to fit and the reading order.
struct TLineFit {
    const QFont& Font;
    const QFontMetrics& M;
    int Width;
    Qt::LayoutDirection Direction;
    // Tabs that are not expanded show as blanks.
    TTextLine Shape(const QString& Text) const { return TTextLine(Text, Font, Direction, true); }
    bool Fits(const QString& Text) const { return M.horizontalAdvance(Text) <= Width; }
};

// The longest start of S (already shaped) that fits together with Tail
// after it, shaped. The glyphs of S tell where the cut should fall; the text
// itself then confirms it (the tail changes the kerning at the cut): that
// start fits and one character more does not. Where the glyphs misled (a
// right-to-left text), the cut is searched for among the starts themselves.
TTextLine FitStart(const TTextLine& S, const QString& Tail, const TLineFit& Fit)
{
    const QString& Text = S.Text();
    auto Fits = [&](qsizetype N) { return Fit.Fits(Text.left(N) + Tail); };
    const QFontMetricsF MF(Fit.Font);
    qreal TailWidth = 0;
    for (QChar C : Tail)
        TailWidth += MF.horizontalAdvance(C);
    qsizetype Low = 0, High = Text.size();
    while (Low < High) {
        const qsizetype Mid = (Low + High + 1) / 2;
        if (S.CursorX(Mid) + TailWidth <= Fit.Width)
            Low = Mid;
        else
            High = Mid - 1;
    }
    const qsizetype Guess = CutPoint(Text, Low);
    TTextLine Best = Fit.Shape(Text.left(Guess) + Tail);
    if (Best.Width() <= Fit.Width) {
        if (Guess == Text.size() || !Fits(NextCut(Text, Guess))) return Best;
        Low = NextCut(Text, Guess);
        High = Text.size();
    } else {
        Low = 0;
        High = Guess > 0 ? PreviousCut(Text, Guess) : 0;
    }
    while (Low < High) {
        qsizetype Mid = CutPoint(Text, (Low + High + 1) / 2);
        if (Mid <= Low) Mid = NextCut(Text, Low);
        if (Fits(Mid))
            Low = Mid;
        else
            High = PreviousCut(Text, Mid);
    }
    return Fit.Shape(Text.left(Low) + Tail);
}

// The middle replaced by "...", keeping as much as possible of what follows
// the last path delimiter ('/' or '\'). L does not fit.
TTextLine PathEllipsis(const TTextLine& L, const TLineFit& Fit)
{
    const QString& Text = L.Text();
    const qsizetype Slash = std::max(Text.lastIndexOf(u'/'), Text.lastIndexOf(u'\\'));
    if (Slash < 0) {
        // No path: keep the start and the end.
        const qsizetype Half = CutPoint(Text, Text.size() / 2);
        QString Start = Text.left(Half), End = Text.mid(Half);
        while (!Start.isEmpty() || !End.isEmpty()) {
            if (Fit.Fits(Start + Ellipsis + End)) return Fit.Shape(Start + Ellipsis + End);
            if (Start.size() >= End.size())
                Start.truncate(PreviousCut(Start, Start.size()));
            else
                End.remove(0, NextCut(End, 0));
        }
        return Fit.Shape(Ellipsis);
    }
    const QString Tail = Text.mid(Slash);
    if (Fit.Fits(Ellipsis + Tail)) return FitStart(Fit.Shape(Text.left(Slash)), Ellipsis + Tail, Fit);
    // Not even the last part fits: it loses its end as well.
    return FitStart(Fit.Shape(Ellipsis + Tail), Ellipsis, Fit);
}

struct TLayout {
    std::vector<TTextLine> Lines;
    // Per line: the index of the prefixed character to underline, or -1.
    std::vector<qsizetype> Marks;
    int LineHeight = 0;
    int Width = 0;
    int Height = 0;
};

QString JoinLineBreaks(QString Text)
{
    Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text.replace(u'\r', u'\n');
    return Text;
}

TLayout LayOut(QString Text, const TLineFit& Fit, UINT Format)
{
    TLayout L;
    qsizetype Mark = -1;
    if (!(Format & DT_NOPREFIX)) Text = StripPrefixes(Text, Mark);
    if (Format & (DT_HIDEPREFIX | DT_RTLREADING)) Mark = -1;
    if (Format & DT_EXPANDTABS) {
        if (Mark >= 0) Mark = ExpandTabs(Text.left(Mark)).size();
        Text = ExpandTabs(Text);
    }
    if (Text.isEmpty()) return L;
    if (Mark >= 0 && (Text[Mark] == u'\r' || Text[Mark] == u'\n')) Mark = -1;
    QStringList Lines;
    if (Format & DT_SINGLELINE) {
        if (Mark >= 0) Mark -= Text.left(Mark).count(u'\r') + Text.left(Mark).count(u'\n');
        Text.remove(u'\r');
        Text.remove(u'\n');
        Lines << Text;
        L.Marks.push_back(Mark);
    } else {
        if (Mark >= 0) Mark = JoinLineBreaks(Text.left(Mark)).size();
        qsizetype Offset = 0;
        for (const QString& Line : JoinLineBreaks(Text).split(u'\n')) {
            const qsizetype Own = Mark >= Offset && Mark < Offset + Line.size() ? Mark - Offset : -1;
            Offset += Line.size() + 1;
            const qsizetype First = Lines.size();
            if (Format & DT_WORDBREAK)
                BreakLine(Line, Fit.M, Fit.Width, Lines);
            else
                Lines << Line;
            // A line broken into pieces loses its mark.
            const bool Whole = Lines.size() == First + 1 && Lines.back() == Line;
            for (qsizetype I = First; I < Lines.size(); ++I)
                L.Marks.push_back(Whole ? Own : -1);
        }
    }
    L.Lines.reserve(std::size_t(Lines.size()));
    for (qsizetype I = 0; I < Lines.size(); ++I) {
        TTextLine Line = Fit.Shape(Lines[I]);
        if (Line.Width() > Fit.Width) {
            if (Format & DT_PATH_ELLIPSIS)
                Line = PathEllipsis(Line, Fit);
            else if (Format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
                Line = FitStart(Line, Ellipsis, Fit);
        }
        // An end ellipsis keeps the start of the line, and a mark inside it.
        qsizetype& Own = L.Marks[std::size_t(I)];
        if (Line.Text() != Lines[I] &&
            !(Own >= 0 && !(Format & DT_PATH_ELLIPSIS) && Own < Line.Text().size() - Ellipsis.size()))
            Own = -1;
        L.Width = std::max(L.Width, Line.Width());
        L.Lines.push_back(std::move(Line));
    }
    L.LineHeight = Fit.M.height() + ((Format & DT_EXTERNALLEADING) ? std::max(0, Fit.M.leading()) : 0);
    L.Height = L.LineHeight * int(L.Lines.size());
    return L;
}

int DrawTextCore(HDC DC, const QString& Text, TRect* Rect, UINT Format)
{
    if (!DC || !Rect) return 0;
    const QFontMetrics M(DC->Font);
    if ((Format & DT_PREFIXONLY) != 0) return M.height();
    const int Width = Rect->Right - Rect->Left;
    // Right-to-left reading order changes where neutral characters go, not the alignment.
    const TLineFit Fit{DC->Font, M, Width, (Format & DT_RTLREADING) ? Qt::RightToLeft : Qt::LeftToRight};
    const TLayout L = LayOut(Text, Fit, Format);
    if (Format & DT_CALCRECT) {
        Rect->Right = Rect->Left + L.Width;
        Rect->Bottom = Rect->Top + L.Height;
        return L.Height;
    }
    if (L.Lines.empty()) return 0;

    int Y = Rect->Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER)
            Y = Rect->Top + (Rect->Bottom - Rect->Top - L.LineHeight) / 2;
        else if (Format & DT_BOTTOM)
            Y = Rect->Bottom - L.LineHeight;
    }
    const QRect Box = ToQRect(*Rect);
    const QRect Bounds = (Format & DT_NOCLIP) ? QRect(Rect->Left, Y, std::max(L.Width, Width), L.Height)
                                                    .united(QRect(Rect->Right - L.Width, Y, L.Width, L.Height))
                                                    .united(Box)
                                              : Box;
    TDCPainter P(DC, Bounds, (Format & DT_NOCLIP) ? nullptr : &Box);
    if (!P.Active()) return L.Height;
    QPainter& Painter = P.Painter();
    Painter.setPen(RgbColor(DC->TextColor));
    for (std::size_t I = 0; I < L.Lines.size(); ++I) {
        const TTextLine& Line = L.Lines[I];
        const int W = Line.Width();
        int X = Rect->Left;
        if (Format & DT_CENTER)
            X = Rect->Left + (Width - W) / 2;
        else if (Format & DT_RIGHT)
            X = Rect->Right - W;
        if (!DC->BkTransparent) Painter.fillRect(QRect(X, Y, W, L.LineHeight), RgbColor(DC->BkColor));
        Line.Draw(Painter, QPointF(X, Y));
        if (const qsizetype Mark = L.Marks[I]; Mark >= 0) {
            const QString& S = Line.Text();
            const qsizetype Length = S[Mark].isHighSurrogate() && Mark + 1 < S.size() ? 2 : 1;
            const int Left = X + M.horizontalAdvance(S.left(Mark));
            const int Under = Y + M.ascent() + std::max(1, M.underlinePos());
            Painter.fillRect(QRect(Left, Under, M.horizontalAdvance(S.mid(Mark, Length)), std::max(1, M.lineWidth())),
                             RgbColor(DC->TextColor));
        }
        Y += L.LineHeight;
    }
    return L.Height;
}

BOOL TextExtent(HDC DC, const QString& Text, TSize* Size)
{
    if (!DC || !Size) return 0;
    const QFontMetrics M(DC->Font);
    *Size = TSize(M.horizontalAdvance(Text), M.height());
    return 1;
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

BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TSize* Size)
{
    if (!Text || Count < 0) return 0;
    return TextExtent(DC, ToQString(std::string_view(Text, std::size_t(Count))), Size);
}

BOOL GetTextExtentPoint32W(HDC DC, const WideChar* Text, int Count, TSize* Size)
{
    if (!Text || Count < 0) return 0;
    return TextExtent(DC, ToQString(std::u16string_view(Text, std::size_t(Count))), Size);
}
