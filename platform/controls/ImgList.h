// Image lists: pictures of one size, kept in order and shown by index in tab
// captions, buttons and cells. The pictures come from bitmaps or are drawn
// in code: the platform's stock images are named ("files", "patterns",
// "grid", "matches", "add", "copy", "save", "start", "stop").
#pragma once
#include "platform/classes/Classes.h"
#include "platform/graphics/Graphics.h"

#include <memory>
#include <vector>

class TCustomImageList;

// One client of an image list, told of every change to it.
class TChangeLink : public TObject {
public:
    ~TChangeLink() override;
    TCustomImageList* GetSender() const { return FSender; }
    // Registers with Value (and leaves the list it was registered with).
    void SetSender(TCustomImageList* Value);

    TNotifyEvent OnChange;

protected:
    friend class TCustomImageList;
    virtual void Change();

private:
    TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
public:
    QM_CLASS(TCustomImageList, TComponent)
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;
    // The pictures, which only the platform's sources see (ImageLists.h).
    struct TImages;

    // The size of every picture; changing it empties the list.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    int GetCount() const;

    // Appends the stock image Name, drawn at the list's size, and answers its
    // index. An unknown name raises EInvalidOperation.
    int AddStockImage(const AnsiString& Name);
    // Appends the pictures in Image, cut from the left into pieces of the
    // list's width (a narrower image adds none: -1); Mask, when given, is
    // monochrome with 1 (white) where the picture is transparent. Without a
    // mask a pf32bit image's alpha says it (an image whose alpha is all 0 is
    // opaque); other images are opaque. Answers the index of the first one.
    int Add(TBitmap* Image, TBitmap* Mask);
    // The same with the pixels of MaskColor transparent.
    int AddMasked(TBitmap* Image, TColor MaskColor);
    // Draws picture Index with its top-left corner at (X, Y), blended by its
    // transparency; a disabled picture is its embossed outline in the button
    // highlight and shadow colours. An index out of range draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true);
    // Copies picture Index into Image as a pf32bit bitmap with its alpha.
    void GetBitmap(int Index, TBitmap* Image);
    void Delete(int Index);
    void Clear();

    void RegisterChanges(TChangeLink* Link);
    void UnRegisterChanges(TChangeLink* Link);

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    void SetSize(int AWidth, int AHeight);

    int FWidth = 16;
    int FHeight = 16;
    std::unique_ptr<TImages> FImages;
    std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
public:
    QM_CLASS(TImageList, TCustomImageList)
    using TCustomImageList::TCustomImageList;
};
