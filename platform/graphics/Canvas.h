// The canvas: drawing through a device context (HDC) into an image, a
// control's backing image (see Controls.h) or a bitmap's. GDI's pixel rules
// hold: a rectangle covers Left..Right-1 and Top..Bottom-1, LineTo leaves its
// end point unpainted, raster operations (TPen::Mode) act on the pixels.
// The drawing primitives beyond this core (polygons, text in rectangles,
// bitmaps, regions ...) live in sources of their own on the private
// device-context header platform/graphics/DeviceContext.h.
#pragma once
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Types.h"

#include <memory>
#include <vector>

class TGraphic; // platform/graphics/Bitmaps.h

class TCanvas : public TPersistent {
public:
    QM_CLASS(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;

    // Fills Left..Right-1 x Top..Bottom-1 with the brush (raster operations do not apply).
    void FillRect(const TRect& Rect);
    // A one-pixel frame in the brush's colour just inside Rect.
    void FrameRect(const TRect& Rect);
    // Outline with the pen, inside filled with the brush, right and bottom edges excluded.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    // The ellipse inscribed in X1..X2-1 x Y1..Y2-1.
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void MoveTo(int X, int Y);
    // A line from the pen position to (X, Y) without (X, Y) itself; the pen moves there.
    void LineTo(int X, int Y);
    // Lines through the points; the last point is not painted and the pen does not move.
    void Polyline(const std::vector<TPoint>& Points);
    // The polygon's inside (odd and even crossings, right and bottom edges
    // excluded) filled with the brush, then its closed outline with the pen.
    void Polygon(const std::vector<TPoint>& Points);
    // Text with its top-left corner at (X, Y), on the brush unless the brush
    // is clear; the pen moves to the end of the text.
    void TextOut(int X, int Y, const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);
    int TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
    int TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }
    // Text at (X, Y) kept inside Rect; a solid brush fills Rect first.
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);

    // A picture with its top-left corner at (X, Y), at its own size.
    void Draw(int X, int Y, TGraphic* Graphic);
    // A picture scaled to fill Rect.
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source of Canvas (scaled when the sizes differ) to Dest of this
    // canvas with the raster operation CopyMode (a GdiTypes.h ROP, SRCCOPY at first).
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    DWORD GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD Value) { FCopyMode = Value; }

    // A pixel's colour as 0x00BBGGRR, or -1 (CLR_INVALID) outside the drawable area.
    TColor GetPixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    TPoint GetPenPos();
    void SetPenPos(const TPoint& Value);
    // The part of the canvas that drawing can reach, in canvas coordinates.
    TRect GetClipRect();

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    // The device context drawn through; asking for it creates it.
    HDC GetHandle();
    // Attaches a device context owned by someone else (0 detaches).
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    void Lock() { ++FLockCount; }
    void Unlock() { --FLockCount; }
    int GetLockCount() const { return FLockCount; }
    // Forgets what was selected into the device context; the next drawing selects it again.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Called when a drawing needs a device context and none is attached; the
    // base class has none to give and raises EInvalidOperation.
    virtual void CreateHandle();
    virtual void Changing();
    virtual void Changed();

    enum TStateItem { csHandleValid, csFontValid, csPenValid, csBrushValid };
    using TState = Set<TStateItem>;
    // Makes sure the device context exists and holds the canvas's current objects.
    void RequiredState(TState ReqState);

private:
    template <typename TDraw> void DrawShape(int X1, int Y1, int X2, int Y2, TDraw Draw);
    void FontChanged(TObject*);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);

    HDC FHandle = nullptr;
    TState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    int FLockCount = 0;
    DWORD FCopyMode = 0x00CC0020; // SRCCOPY
};
