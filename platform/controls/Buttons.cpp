#include "platform/controls/Buttons.h"
#include "platform/controls/ControlWindows.h"
#include "platform/controls/ImageLists.h"

#include <QPushButton>

using namespace platform::detail;

namespace {
constexpr int GlyphSize = 16;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FImageChangeLink(std::make_unique<TChangeLink>())
{
    FImageChangeLink->OnChange = [this](TObject*) { ButtonChanged(); };
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyphName(const AnsiString& Value)
{
    if (!Value.empty() && StockImage(Value, GlyphSize, GlyphSize).isNull())
        throw EInvalidOperation("Image \"" + Value + "\" not found");
    FGlyphName = Value;
    if (!Value.empty()) SetGlyphFromImages(nullptr, -1);
    ButtonChanged();
}

void TBitBtn::SetGlyphFromImages(TCustomImageList* Images, int Index)
{
    if (FImages != Images) {
        if (FImages) FImages->RemoveFreeNotification(this);
        FImages = Images;
        FImageChangeLink->SetSender(Images);
        if (Images) Images->FreeNotification(this);
    }
    FImageIndex = Index;
    if (Images) FGlyphName.clear();
    ButtonChanged();
}

void TBitBtn::UpdateButton()
{
    TButton::UpdateButton();
    auto* Button = InnerWidgetAs<QPushButton>();
    if (!Button) return;
    const QImage Glyph = FImages ? ImageListImage(FImages, FImageIndex) : StockImage(FGlyphName, GlyphSize, GlyphSize);
    Button->setIcon(Glyph.isNull() ? QIcon() : QIcon(QPixmap::fromImage(Glyph)));
    if (!Glyph.isNull()) Button->setIconSize(Glyph.size());
}

void TBitBtn::Notification(TComponent* AComponent, TOperation Operation)
{
    TButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        ButtonChanged();
    }
}
