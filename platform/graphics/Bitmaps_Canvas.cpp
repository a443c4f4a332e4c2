// The canvas of a bitmap, bitmaps drawn on a canvas and pattern brushes.
#include "platform/graphics/BitmapImages.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/QtGraphics.h"

using namespace platform::detail;

namespace {

class TBitmapTarget : public TDrawTarget {
public:
    explicit TBitmapTarget(std::weak_ptr<TBitmapData> Data) : FData(std::move(Data)) {}
    QImage* Image() override
    {
        const auto Data = FData.lock();
        if (!Data || Data->Width <= 0 || Data->Height <= 0) return nullptr;
        return &Data->Surface();
    }
    bool Monochrome() override
    {
        const auto Data = FData.lock();
        return Data && Data->Format == pf1bit;
    }

private:
    std::weak_ptr<TBitmapData> FData;
};

class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(std::weak_ptr<TBitmapData> Data) : FData(std::move(Data)) {}
    ~TBitmapCanvas() override
    {
        HDC DC = HandleAllocated() ? GetHandle() : nullptr;
        SetHandle(nullptr);
        DeleteDC(DC);
    }

protected:
    void CreateHandle() override
    {
        SetHandle(CreateDC(std::make_shared<TBitmapTarget>(FData), QPoint(), std::nullopt));
    }

private:
    std::weak_ptr<TBitmapData> FData;
};

class TBitmapPattern : public TBrushPattern {
public:
    explicit TBitmapPattern(std::shared_ptr<const TBitmap> Bitmap) : FBitmap(std::move(Bitmap)) {}
    QImage Image() const override { return BrushPatternImage(FBitmap.get()); }

private:
    std::shared_ptr<const TBitmap> FBitmap;
};

} // namespace

TCanvas* TBitmap::GetCanvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TBitmapCanvas>(FData);
        FCanvas->OnChange = [this](TObject*) { Changed(this); };
    }
    return FCanvas.get();
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (GetEmpty() || !ACanvas) return;
    HDC DC = ACanvas->GetHandle();
    if (!GetTransparent()) {
        DrawImage(DC, ToQRect(Rect), FData->Colors(), true);
        return;
    }
    QImage Keyed = OpaqueImage(this).convertToFormat(QImage::Format_ARGB32);
    const TColor Color = GetTransparentColor();
    if (Color != clNone) {
        const QRgb Key = RgbColor(ColorToRGB(Color)).rgb() & 0xFFFFFF;
        for (int Y = 0; Y < Keyed.height(); ++Y) {
            auto* Row = reinterpret_cast<QRgb*>(Keyed.scanLine(Y));
            for (int X = 0; X < Keyed.width(); ++X)
                if ((Row[X] & 0xFFFFFF) == Key) Row[X] = 0;
        }
    }
    DrawImage(DC, ToQRect(Rect), Keyed, false);
}

void TBrush::SetBitmap(TBitmap* Value)
{
    if (Value && !Value->GetEmpty()) {
        auto Copy = std::make_shared<TBitmap>();
        Copy->Assign(Value);
        FPattern = std::make_shared<TBitmapPattern>(Copy);
        FBitmap = std::move(Copy);
    } else {
        if (!FBitmap) return;
        FBitmap.reset();
        FPattern.reset();
    }
    Changed();
}
