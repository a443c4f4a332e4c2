#include "platform/graphics/Resources.h"

#include <map>

namespace platform::detail {
// Resources_Cursors.cpp
void DrawReversedArrow(TBitmap* Bitmap);
extern const TPoint ReversedArrowHotSpot;
} // namespace platform::detail

namespace {

struct TResource {
    TResourceDrawProc Draw;
    TPoint HotSpot;
};

// Windows compares resource names without regard to (ASCII) case.
AnsiString ResourceKey(const AnsiString& Name)
{
    AnsiString Key = Name;
    for (char& C : Key)
        if (C >= 'a' && C <= 'z') C = char(C - 'a' + 'A');
    return Key;
}

std::map<AnsiString, TResource>& Bitmaps()
{
    static std::map<AnsiString, TResource> Map;
    return Map;
}

std::map<AnsiString, TResource>& Cursors()
{
    // The platform's own pictures are there from the first look on.
    static std::map<AnsiString, TResource> Map{
        {"REVERSEDARROW", TResource{platform::detail::DrawReversedArrow, platform::detail::ReversedArrowHotSpot}}};
    return Map;
}

bool Load(const std::map<AnsiString, TResource>& Map, const AnsiString& Name, TBitmap* Bitmap, TPoint* HotSpot)
{
    const auto It = Map.find(ResourceKey(Name));
    if (It == Map.end() || !Bitmap || !It->second.Draw) return false;
    TBitmap Fresh;
    It->second.Draw(&Fresh);
    Bitmap->Assign(&Fresh);
    if (HotSpot) *HotSpot = It->second.HotSpot;
    return true;
}

} // namespace

void RegisterBitmapResource(const AnsiString& Name, TResourceDrawProc Draw)
{
    Bitmaps()[ResourceKey(Name)] = TResource{std::move(Draw), TPoint()};
}

bool LoadBitmapResource(const AnsiString& Name, TBitmap* Bitmap)
{
    return Load(Bitmaps(), Name, Bitmap, nullptr);
}

void RegisterCursorResource(const AnsiString& Name, TResourceDrawProc Draw, TPoint HotSpot)
{
    Cursors()[ResourceKey(Name)] = TResource{std::move(Draw), HotSpot};
}

bool LoadCursorResource(const AnsiString& Name, TBitmap* Bitmap, TPoint& HotSpot)
{
    return Load(Cursors(), Name, Bitmap, &HotSpot);
}

void TBitmap::LoadFromResourceName(HINSTANCE, const AnsiString& ResName)
{
    if (!LoadBitmapResource(ResName, this)) throw EResNotFound("Resource " + ResName + " not found");
}
