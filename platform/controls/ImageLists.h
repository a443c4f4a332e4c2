// Private: the pictures behind image lists and the platform's stock images,
// for the controls that show them.
#pragma once
#include "platform/controls/ImgList.h"

#include <QIcon>
#include <QImage>

namespace platform::detail {

// The picture at Index of List; a null image when List is null or Index is
// out of range.
QImage ImageListImage(const TCustomImageList* List, int Index);
QIcon ImageListIcon(const TCustomImageList* List, int Index);
// A stock image drawn at Width x Height on a transparent ground; a null image
// for a name the platform does not know.
QImage StockImage(const AnsiString& Name, int Width, int Height);

} // namespace platform::detail
