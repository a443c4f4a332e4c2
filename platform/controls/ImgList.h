// Image lists: pictures of one size, kept in order and shown by index in tab
// captions, buttons and (later) cells. The pictures are drawn in code: the
// platform's stock images are named ("files", "patterns", "grid", "matches",
// "add", "copy", "save", "start", "stop").
#pragma once
#include "platform/classes/Classes.h"

#include <memory>
#include <vector>

class TCustomImageList;
class QImage; // only platform sources see Qt

namespace platform::detail {
QImage ImageListImage(const TCustomImageList* List, int Index);
}

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

    // The size of every picture; changing it empties the list.
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    int GetCount() const;

    // Appends the stock image Name, drawn at the list's size, and answers its
    // index. An unknown name raises EInvalidOperation.
    int AddStockImage(const AnsiString& Name);
    void Delete(int Index);
    void Clear();

    void RegisterChanges(TChangeLink* Link);
    void UnRegisterChanges(TChangeLink* Link);

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    friend QImage platform::detail::ImageListImage(const TCustomImageList* List, int Index);
    void SetSize(int AWidth, int AHeight);

    int FWidth = 16;
    int FHeight = 16;
    struct TImages;
    std::unique_ptr<TImages> FImages;
    std::vector<TChangeLink*> FLinks;
};

class TImageList : public TCustomImageList {
public:
    QM_CLASS(TImageList, TCustomImageList)
    using TCustomImageList::TCustomImageList;
};
