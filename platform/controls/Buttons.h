// The button with a glyph: a push button that shows a small picture beside
// its caption. The glyph is one of the platform's stock images, named
// (see ImgList.h), or a picture of an image list.
#pragma once
#include "platform/controls/ImgList.h"
#include "platform/controls/StdCtrls.h"

class TBitBtn : public TButton {
public:
    QM_CLASS(TBitBtn, TButton)
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    // A stock image by name ("" shows none); unknown names raise EInvalidOperation.
    const AnsiString& GetGlyphName() const { return FGlyphName; }
    void SetGlyphName(const AnsiString& Value);
    // The picture at Index of Images (Index -1 or no list: none). Setting one
    // glyph source clears the other.
    TCustomImageList* GetImages() const { return FImages; }
    int GetImageIndex() const { return FImageIndex; }
    void SetGlyphFromImages(TCustomImageList* Images, int Index);

protected:
    void UpdateButton() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    AnsiString FGlyphName;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    std::unique_ptr<TChangeLink> FImageChangeLink;
};
