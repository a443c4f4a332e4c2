// grid/shared/GxSharedCommon_Html.cpp: drawing, measuring and hit-testing
// the HTML-like cell text. The HTML column calls this for every painted cell
// and every mouse move over one, so the scan makes one pass over the text,
// measures runs in place and reuses its few buffers.
#include "grid/shared/GxClasses.h"
#include "grid/shared/GxSharedCommon.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <string_view>

namespace GxSharedCommon {

using namespace GxClasses;

namespace {

using TView = std::u16string_view;

// Tag and attribute names are ASCII words compared without regard to case.
bool IsName(TView S, std::string_view Name)
{
    if (S.size() != Name.size()) return false;
    for (std::size_t I = 0; I < S.size(); ++I) {
        char16_t C = S[I];
        if (C >= u'A' && C <= u'Z') C = char16_t(C - u'A' + u'a');
        if (C != char16_t(Name[I])) return false;
    }
    return true;
}

THtmlTag GetTagKind(TView Name)
{
    static constexpr std::pair<std::string_view, THtmlTag> Kinds[] = {{"a", htA},       {"b", htB}, {"br", htBr},
                                                                      {"font", htFont}, {"i", htI}, {"u", htU}};
    for (const auto& [Word, Kind] : Kinds)
        if (IsName(Name, Word)) return Kind;
    return htNone;
}

TTagParameter GetAttributeKind(TView Name)
{
    static constexpr std::pair<std::string_view, TTagParameter> Kinds[] = {
        {"color", tpColor}, {"name", tpName}, {"href", tpHref}, {"size", tpSize}};
    for (const auto& [Word, Kind] : Kinds)
        if (IsName(Name, Word)) return Kind;
    return tpNone;
}

TView TrimQuotes(TView S)
{
    if (!S.empty() && S.front() == u'"') S.remove_prefix(1);
    if (!S.empty() && S.back() == u'"') S.remove_suffix(1);
    return S;
}

// A cell asking for a giant font would stall every paint.
constexpr int MinFontSize = 1, MaxFontSize = 400;

// An open link: its target and where its text starts, relative to the
// rectangle's top-left corner.
struct TLink {
    WideString Target;
    TPoint Start;
};

struct TStyle {
    TFontName Name;
    int Height;
    TColor Color;
    TFontStyles Style;
};

class THtmlScan {
public:
    THtmlScan(TCanvas* Canvas, const TRect& Rect, const TPoint& Point, bool Draw)
        : FCanvas(Canvas), FFont(Canvas->GetFont()), FRect(Rect), FPoint(Point), FDraw(Draw), FX(Rect.Left + 2),
          FY(Rect.Top + 1)
    {
        FInfo.Width = FX;
    }

    THtmlInfo Run(TView Text);

private:
    TSize Extent(TView Run);
    void Flush(TView Run);
    void EndTag();
    void CloseLink();
    void ProcessTag(THtmlTag Kind, bool Closing);
    void ApplyAttribute(THtmlTag Kind, TTagParameter Parameter, TView Value);
    void PushFont();
    void PopFont();

    TCanvas* FCanvas;
    TFont* FFont;
    TRect FRect;
    TPoint FPoint;
    bool FDraw;
    int FX, FY;
    int FLineHeight = 0;
    THtmlInfo FInfo;
    WideString FTagName, FAttrName, FAttrValue;
    bool FInQuote = false, FClosing = false, FInAttrName = false, FInAttrValue = false;
    bool FTagDone = false; // the tag itself was acted on; only attributes follow
    std::vector<TLink> FLinks;
    std::size_t FHitDepth = 0; // how deep the link that gave the target lay
    std::vector<TStyle> FStack;
};

TSize THtmlScan::Extent(TView Run)
{
    TSize Size;
    if (GxWideText)
        GetTextExtentPoint32W(FCanvas->GetHandle(), Run.data(), int(Run.size()), &Size);
    else
        Size = FCanvas->TextExtent(WideToUtf8(Run));
    return Size;
}

void THtmlScan::Flush(TView Run)
{
    if (Run.empty()) return;
    if (FDraw) {
        if (GxWideText) {
            ExtTextOutW(FCanvas->GetHandle(), FX, FY, 0, nullptr, Run.data(), UINT(Run.size()), nullptr);
        } else {
            const AnsiString S = WideToUtf8(Run);
            ExtTextOutA(FCanvas->GetHandle(), FX, FY, 0, nullptr, S.data(), UINT(S.size()), nullptr);
        }
    }
    const TSize Size = Extent(Run);
    FX += Size.cx;
    FInfo.Width = std::max(FInfo.Width, FX);
    FLineHeight = std::max<int>(FLineHeight, Size.cy);
}

void THtmlScan::PushFont()
{
    FStack.push_back({FFont->GetName(), FFont->GetHeight(), FFont->GetColor(), FFont->GetStyle()});
}

void THtmlScan::PopFont()
{
    if (FStack.empty()) return;
    const TStyle& S = FStack.back();
    // The height, not the size in points, so the base font comes back exactly.
    FFont->SetColor(S.Color);
    FFont->SetName(S.Name);
    FFont->SetHeight(S.Height);
    FFont->SetStyle(S.Style);
    FStack.pop_back();
}

void THtmlScan::ProcessTag(THtmlTag Kind, bool Closing)
{
    if (Kind == htBr) {
        FY += FLineHeight;
        FLineHeight = 0;
        FX = FRect.Left + 2;
        return;
    }
    if (Closing) {
        PopFont();
        if (Kind == htA) CloseLink();
        return;
    }
    PushFont();
    switch (Kind) {
    case htA:
        FFont->SetStyle(FFont->GetStyle() + TFontStyles{fsUnderline});
        FFont->SetColor(clBlue);
        FLinks.push_back({WideString(), TPoint(FX - FRect.Left, FY - FRect.Top)});
        break;
    case htB:
        FFont->SetStyle(FFont->GetStyle() + TFontStyles{fsBold});
        break;
    case htI:
        FFont->SetStyle(FFont->GetStyle() + TFontStyles{fsItalic});
        break;
    case htU:
        FFont->SetStyle(FFont->GetStyle() + TFontStyles{fsUnderline});
        break;
    default:
        break;
    }
}

void THtmlScan::ApplyAttribute(THtmlTag Kind, TTagParameter Parameter, TView Value)
{
    Value = TrimQuotes(Value);
    if (Kind == htA) {
        // The link event wants the opening tag's href, whatever follows it.
        if (Parameter == tpHref && !FClosing && !FLinks.empty()) FLinks.back().Target.assign(Value);
        return;
    }
    if (Kind != htFont) return;
    switch (Parameter) {
    case tpColor:
        FFont->SetColor(GetColorFromHTML(WideToUtf8(Value)));
        break;
    case tpName:
        FFont->SetName(WideToUtf8(Value));
        break;
    case tpSize: {
        // Text a user typed must not raise out of a paint: a size that is
        // not a number is left out.
        int Size = 0;
        if (TryStrToInt(WideToUtf8(Value), Size)) FFont->SetSize(std::clamp(Size, MinFontSize, MaxFontSize));
        break;
    }
    default:
        break;
    }
}

// The tag or attribute read so far is acted on, at a blank or at ">"; the
// tag itself once, however many blanks follow it.
void THtmlScan::EndTag()
{
    const THtmlTag Kind = GetTagKind(FTagName);
    if (FInAttrValue) {
        ApplyAttribute(Kind, GetAttributeKind(FAttrName), FAttrValue);
    } else if (!FTagDone) {
        ProcessTag(Kind, FClosing);
        FTagDone = true;
    }
}

// The innermost open link ends here: its rectangle runs from its start to the
// pen. Links close inside out, so one nested deeper keeps its target against
// the links around it.
void THtmlScan::CloseLink()
{
    if (FLinks.empty()) return;
    const std::size_t Depth = FLinks.size();
    const TLink Link = std::move(FLinks.back());
    FLinks.pop_back();
    if (FDraw || Link.Target.empty() || Depth < FHitDepth) return;
    const TRect R(Link.Start.X, Link.Start.Y, FX - FRect.Left, FY + FLineHeight - FRect.Top);
    if (FPoint.X >= R.Left && FPoint.X < R.Right && FPoint.Y >= R.Top && FPoint.Y < R.Bottom) {
        FInfo.Link = Link.Target;
        FHitDepth = Depth;
    }
}

THtmlInfo THtmlScan::Run(TView Text)
{
    FCanvas->GetBrush()->SetStyle(bsClear);
    bool InTag = false;
    std::size_t RunStart = 0;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const char16_t C = Text[I];
        if (!InTag) {
            if (C == u'<' && !FInQuote) {
                Flush(Text.substr(RunStart, I - RunStart));
                InTag = true;
                FTagDone = false;
                FTagName.clear();
            }
            continue;
        }
        if (C == u'>') {
            EndTag();
            InTag = FInAttrName = FInAttrValue = FClosing = false;
            RunStart = I + 1;
        } else if (C == u' ' && !FInQuote) {
            EndTag();
            FAttrName.clear();
            FAttrValue.clear();
            FInAttrValue = false;
            FInAttrName = true;
        } else if (C == u'=' && !FInQuote && !FInAttrValue) {
            // Inside a value "=" is part of it, as in a link's query.
            FInAttrValue = true;
            FInAttrName = false;
            FAttrValue.clear();
        } else if (C == u'/' && !FInQuote && !FInAttrValue) {
            // In the tag name's place ("</a>", "<br/>"); inside a value, as in
            // a bare href=http://x/y, it is part of the value.
            FClosing = true;
        } else {
            if (C == u'"') FInQuote = !FInQuote;
            (FInAttrValue ? FAttrValue : FInAttrName ? FAttrName : FTagName).push_back(C);
        }
    }
    TView Last;
    if (!InTag) {
        Last = Text.substr(RunStart);
        Flush(Last);
    }
    FCanvas->GetBrush()->SetStyle(bsSolid);
    // A text that ends with a tag still gives its last line a height.
    if (Last.empty()) Last = FTagName;
    FInfo.Height = std::max<int>(FLineHeight, Extent(Last).cy) + (FY - FRect.Top);
    return std::move(FInfo);
}

} // namespace

THtmlInfo ProcessHTML(TCanvas* Canvas, const TRect& Rect, const WideString& Text, const TPoint& Point, bool Draw)
{
    return THtmlScan(Canvas, Rect, Point, Draw).Run(Text);
}

} // namespace GxSharedCommon
