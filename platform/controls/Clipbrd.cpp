#include "platform/controls/Clipbrd.h"
#include "platform/rtl/QtStrings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using platform::detail::ToAnsi;
using platform::detail::ToQString;

AnsiString TClipboard::GetAsText() const
{
    return ToAnsi(QGuiApplication::clipboard()->text());
}

void TClipboard::SetAsText(const AnsiString& Value)
{
    QGuiApplication::clipboard()->setText(ToQString(Value));
}

void TClipboard::Clear()
{
    QGuiApplication::clipboard()->clear();
}

bool TClipboard::HasFormat(Word Format) const
{
    const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
    if (!Data) return false;
    switch (Format) {
    case CF_TEXT:
    case CF_UNICODETEXT:
        return Data->hasText();
    case CF_BITMAP:
        return Data->hasImage();
    case CF_HDROP:
        return Data->hasUrls();
    default:
        return false;
    }
}

TClipboard* Clipboard()
{
    static TClipboard Instance;
    return &Instance;
}
