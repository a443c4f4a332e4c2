// bench/grid_search_bench.cpp
// Searching the main window's grid: a TGxGrid offscreen with 1,000,000 rows
// of five scan-like text columns, searched in the match column by each rule
// of Locate, by FindText, SearchNext and a typed incremental search, for a
// text found nowhere and one found near the end. Beside each, a plain loop
// applies the same rule to the same texts in a std::vector<std::u16string>;
// the grid must take at most 3 times as long. Each time is the median of 5
// runs. For scale, the rule ignoring case done with copies (each text
// lowered through its UTF-8 form, then Pos) is timed too.
#include "grid/GxColumnClasses.h"
#include "grid/GxGrid.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace GxGrid;
using namespace GxColumnClasses;

namespace {

constexpr int Rows = 1000000, Near = Rows - 10, Match = 2;
using TTexts = std::vector<std::u16string>;

double Median(const std::function<void()>& Run)
{
    std::vector<double> Times;
    for (int I = 0; I < 5; ++I) {
        const auto Start = std::chrono::steady_clock::now();
        Run();
        Times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count());
    }
    std::nth_element(Times.begin(), Times.begin() + 2, Times.end());
    return Times[2];
}

// The match column as a scan fills it: mostly ASCII addresses in mixed
// case, every seventh with letters beyond ASCII.
WideString MatchText(int Row)
{
    if (Row == Near) return u"Needle.Found@near-end.example";
    const AnsiString Number = IntToStr(std::int64_t(Row) * 104729 % 999983);
    return Utf8ToWide(Row % 7 ? "User" + Number + "@Example.org"
                              : "J\xC3\xBCrgen." + Number +
                                    "@Stra\xC3\x9F"
                                    "e.de");
}

TGxGrid* MakeGrid(TForm* Form, TTexts& Texts)
{
    auto* Grid = New<TGxGrid>(Form);
    Grid->SetParent(Form);
    Grid->SetBounds(8, 8, 577, 424);
    Grid->SetOptions({goHeader, goSelectFullRow});
    for (const char* Caption : {"File:", "Line#:", "Match:", "Found By:", "Rejected By:"})
        Grid->GetColumns()->Add(ColumnClass<TGxTextColumn>, Utf8ToWide(Caption));
    Grid->GetColumns()->GetItem(Match)->SetOptions(Grid->GetColumns()->GetItem(Match)->GetOptions() +
                                                   TColumnOptions{coSearchColumn});
    Grid->ReserveRows(Rows);
    Texts.reserve(Rows);
    for (int R = 0; R < Rows; ++R) {
        Texts.push_back(MatchText(R));
        Grid->GetCell(0, R).SetAsString(u"/home/user/corpus/part-07.txt");
        Grid->GetCell(1, R).SetAsString(Utf8ToWide(IntToStr(R % 5000 + 1)));
        Grid->GetCell(Match, R).SetAsString(Texts.back());
        Grid->GetCell(3, R).SetAsString(u"E-mail");
        Grid->GetCell(4, R).SetAsString(R % 5 ? u"" : u"Duplicate");
    }
    Application->ProcessMessages();
    return Grid;
}

// The first text from From that Rule takes, -1 when none.
template <typename TRule> int Scan(const TTexts& Texts, int From, const TRule& Rule)
{
    for (int R = std::max(From, 0); R < int(Texts.size()); ++R)
        if (Rule(Texts[R])) return R;
    return -1;
}

bool StartsWith(std::u16string_view S, std::u16string_view Text)
{
    return WideCompareText(S.substr(0, std::min(S.size(), Text.size())), Text) == 0;
}

// The plain loop of SearchNext from below Selected, round to it.
int PlainNext(const TTexts& Texts, int Selected, const WideString& Text)
{
    const auto Rule = [&](const std::u16string& S) { return StartsWith(S, Text); };
    const int Row = Scan(Texts, Selected + 1, Rule);
    if (Row >= 0) return Row;
    for (int R = 0; R <= Selected; ++R)
        if (Rule(Texts[R])) return R;
    return -1;
}

struct TCase {
    const char* Name;
    std::function<void(const WideString&Text)> Grid, Plain;
};

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    platform::StartTestApplication(argc, argv);
    TForm* Form = New<TForm>(nullptr);
    Form->SetBounds(0, 0, 600, 450);
    Form->Show();
    TTexts Texts;
    TGxGrid* Grid = MakeGrid(Form, Texts);

    int Sink = 0;
    const auto LocateCase = [&](const char* Name, TSearchOptions Options, auto Rule) {
        return TCase{
            Name,
            [=](const WideString& Text) {
                Grid->SetSelectedRow(0);
                Grid->Locate(Match, 0, Rows - 1, Text, Options);
            },
            [&, Rule](const WideString& Text) { Sink += Scan(Texts, 0, [&](auto& S) { return Rule(S, Text); }); }};
    };
    const std::vector<TCase> Cases = {
        LocateCase("Locate exact", {soExactMatch},
                   [](std::u16string_view S, const WideString& T) { return WideCompareStr(S, T) == 0; }),
        LocateCase("Locate part", {}, [](std::u16string_view S, const WideString& T) { return Pos(T, S) > 0; }),
        LocateCase("Locate exact, any case", {soExactMatch, soCaseInsensitive},
                   [](std::u16string_view S, const WideString& T) { return WideCompareText(S, T) == 0; }),
        TCase{"Locate part, any case",
              [&](const WideString& Text) {
                  Grid->SetSelectedRow(0);
                  Grid->Locate(Match, 0, Rows - 1, Text, {soCaseInsensitive});
              },
              [&](const WideString& Text) {
                  const WideString Lower = WideLowerCase(Text);
                  Sink += Scan(Texts, 0, [&](const std::u16string& S) { return WideLowerCasePos(Lower, S) > 0; });
              }},
        TCase{"FindText part, any case",
              [&](const WideString& Text) {
                  Grid->SetSelectedRow(0);
                  Grid->FindText(Match, Text, {soCaseInsensitive, soFromSelected, soContinueFromTop});
              },
              [&](const WideString& Text) {
                  const WideString Lower = WideLowerCase(Text);
                  const auto Rule = [&](const std::u16string& S) { return WideLowerCasePos(Lower, S) > 0; };
                  const int Row = Scan(Texts, 1, Rule);
                  Sink += Row >= 0 ? Row : Rule(Texts[0]) ? 0 : -1;
              }},
        TCase{"SearchNext",
              [&](const WideString& Text) {
                  Grid->SetSelectedRow(0);
                  Grid->SearchNext(Match, Text, false);
              },
              [&](const WideString& Text) { Sink += PlainNext(Texts, 0, Text); }},
        TCase{"typed search",
              [&](const WideString& Text) {
                  Grid->SetSelectedRow(0);
                  Grid->GetSearchTimer()->GetOnTimer()(Grid->GetSearchTimer());
                  for (WideChar Key : Text)
                      Grid->SearchKeyPress(Key);
              },
              [&](const WideString& Text) {
                  int Selected = 0;
                  for (std::size_t N = 1; N <= Text.size(); ++N) {
                      const WideString Prefix = Text.substr(0, N);
                      if (N > 1 && Selected >= 0 && StartsWith(Texts[Selected], Prefix)) continue;
                      const int Row = PlainNext(Texts, Selected, Prefix);
                      if (Row >= 0) Selected = Row;
                  }
                  Sink += Selected;
              }},
    };
    // Texts found nowhere, and found near the end only.
    const std::vector<std::pair<WideString, WideString>> Needles = {
        {u"nobody@nowhere.invalid", Texts[Near]},
        {u"nowhere.invalid", u"near-end"},
        {u"NOBODY@NOWHERE.INVALID", u"NEEDLE.FOUND@NEAR-END.EXAMPLE"},
        {u"NOWHERE.INVALID", u"NEAR-END"},
        {u"NOWHERE.INVALID", u"NEAR-END"},
        {u"Nobody", u"NEEDLE.F"},
        {u"xyz", u"needle"}};

    double Worst = 0;
    std::printf("grid_search_bench: %d rows x 5 text columns, median of 5 runs\n", Rows);
    std::printf("%-26s %-8s %10s %10s %7s\n", "search", "text", "grid", "plain", "ratio");
    for (std::size_t C = 0; C < Cases.size(); ++C)
        for (int Found = 0; Found < 2; ++Found) {
            const WideString& Text = Found ? Needles[C].second : Needles[C].first;
            const double GridTime = Median([&] { Cases[C].Grid(Text); });
            const int Row = Grid->GetSelectedRow();
            const double PlainTime = Median([&] { Cases[C].Plain(Text); });
            const double Ratio = GridTime / PlainTime;
            Worst = std::max(Worst, Ratio);
            std::printf("%-26s %-8s %8.4f s %8.4f s %6.2fx%s\n", Cases[C].Name, Found ? "near end" : "nowhere",
                        GridTime, PlainTime, Ratio, (Row == Near) == bool(Found) ? "" : "  (wrong row)");
        }
    // The same rule with a copy of every text lowered through UTF-8.
    const WideString Needle = u"NOWHERE.INVALID";
    const double Copies = Median([&] {
        const WideString Lower = Utf8ToWide(AnsiLowerCase(WideToUtf8(Needle)));
        Sink += Scan(Texts, 0,
                     [&](const std::u16string& S) { return Pos(Lower, Utf8ToWide(AnsiLowerCase(WideToUtf8(S)))) > 0; });
    });
    std::printf("part, any case, with copies through UTF-8: %.4f s (nowhere)\n", Copies);
    std::printf("largest ratio %.2f (at most 3 required)%s\n", Worst, Sink == 42 ? " " : "");
    Free(Grid);
    Free(Form);
    platform::StopApplication();
    return Worst <= 3 ? 0 : 1;
}
