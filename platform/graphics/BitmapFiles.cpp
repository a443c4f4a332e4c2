// Bitmap files (.bmp): a file header, an information header, the palette
// of a palette format and the rows from the bottom up, each padded to four
// bytes.
#include "platform/graphics/BitmapImages.h"
#include "platform/rtl/FileAccess.h"

#include <cstring>

using namespace platform::detail;

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
constexpr int FileHeaderSize = 14, InfoHeaderSize = 40;

void Put16(std::string& Out, std::uint16_t V)
{
    Out += char(V & 0xFF);
    Out += char(V >> 8);
}

void Put32(std::string& Out, std::uint32_t V)
{
    for (int I = 0; I < 4; ++I)
        Out += char((V >> (8 * I)) & 0xFF);
}

std::uint32_t Get(const std::string& In, std::size_t At, int Bytes)
{
    std::uint32_t V = 0;
    for (int I = 0; I < Bytes; ++I)
        V |= std::uint32_t(Byte(In[At + std::size_t(I)])) << (8 * I);
    return V;
}

[[noreturn]] void Invalid()
{
    throw EInvalidGraphic("Bitmap image is not valid");
}

} // namespace

void TBitmap::SaveToFile(const AnsiString& FileName)
{
    TBitmapData& Data = DataOf(this);
    const int Bits = BitCount(Data.Format);
    const int Width = GetEmpty() ? 0 : Data.Width;
    const int Height = GetEmpty() ? 0 : Data.Height;
    const std::uint32_t RowBytes = std::uint32_t(((Width * Bits + 31) / 32) * 4);
    const bool Masks = Data.Format == pf16bit;
    const std::uint32_t Colors = Data.Indexed() ? std::uint32_t(Data.Palette.size()) : 0;
    const std::uint32_t Offset = FileHeaderSize + InfoHeaderSize + (Masks ? 12 : 0) + Colors * 4;
    const std::uint32_t ImageBytes = RowBytes * std::uint32_t(Height);

    std::string Out;
    Out.reserve(Offset + ImageBytes);
    Out += "BM";
    Put32(Out, Offset + ImageBytes);
    Put32(Out, 0);
    Put32(Out, Offset);
    Put32(Out, InfoHeaderSize);
    Put32(Out, std::uint32_t(Width));
    Put32(Out, std::uint32_t(Height));
    Put16(Out, 1);
    Put16(Out, std::uint16_t(Bits));
    Put32(Out, Masks ? BI_BITFIELDS : BI_RGB);
    Put32(Out, ImageBytes);
    Put32(Out, 3780); // 96 dots per inch
    Put32(Out, 3780);
    Put32(Out, Colors);
    Put32(Out, 0);
    if (Masks) {
        Put32(Out, 0xF800);
        Put32(Out, 0x07E0);
        Put32(Out, 0x001F);
    }
    for (std::uint32_t I = 0; I < Colors; ++I) {
        const QRgb C = Data.Palette[I];
        Out += char(qBlue(C));
        Out += char(qGreen(C));
        Out += char(qRed(C));
        Out += char(0);
    }
    const std::size_t Used = std::size_t((Width * Bits + 7) / 8);
    for (int Y = Height - 1; Y >= 0; --Y) {
        const char* Row = reinterpret_cast<const char*>(Data.Row(Y));
        Out.append(Row, Used);
        Out.append(RowBytes - Used, '\0');
    }
    WriteFileWhole(FileName, Out);
}

void TBitmap::LoadFromFile(const AnsiString& FileName)
{
    const AnsiString In = ReadFileBytes(FileName);
    if (In.size() < std::size_t(FileHeaderSize + InfoHeaderSize) || In[0] != 'B' || In[1] != 'M') Invalid();
    const std::uint32_t Offset = Get(In, 10, 4);
    const std::uint32_t HeaderSize = Get(In, 14, 4);
    const std::int32_t Width = std::int32_t(Get(In, 18, 4));
    const std::int32_t RawHeight = std::int32_t(Get(In, 22, 4));
    const int Bits = int(Get(In, 28, 2));
    const std::uint32_t Compression = Get(In, 30, 4);
    std::uint32_t Colors = Get(In, 46, 4);
    if (HeaderSize < InfoHeaderSize || Width < 0 || RawHeight == INT32_MIN || Width > 65536 || RawHeight > 65536 ||
        RawHeight < -65536)
        Invalid();
    const bool TopDown = RawHeight < 0;
    const int Height = TopDown ? -RawHeight : RawHeight;

    TPixelFormat Format;
    switch (Bits) {
    case 1:
        Format = pf1bit;
        break;
    case 4:
        Format = pf4bit;
        break;
    case 8:
        Format = pf8bit;
        break;
    case 16:
        Format = pf15bit;
        break;
    case 24:
        Format = pf24bit;
        break;
    case 32:
        Format = pf32bit;
        break;
    default:
        Invalid();
    }
    if (Compression == BI_BITFIELDS && (Bits == 16 || Bits == 32)) {
        const std::size_t MaskAt = FileHeaderSize + (HeaderSize == InfoHeaderSize ? InfoHeaderSize : 40);
        if (In.size() < MaskAt + 12) Invalid();
        if (Bits == 16 && Get(In, MaskAt, 4) == 0xF800) Format = pf16bit;
    } else if (Compression != BI_RGB) {
        Invalid();
    }
    const std::uint64_t RowBytes = ((std::uint64_t(Width) * std::uint64_t(Bits) + 31) / 32) * 4;
    if (Offset > In.size() || RowBytes * std::uint64_t(Height) > In.size() - Offset) Invalid();

    TBitmap Loaded;
    Loaded.SetPixelFormat(Format);
    TBitmapData& Data = DataOf(&Loaded);
    if (Data.Indexed()) {
        const std::uint32_t Max = 1u << Bits;
        if (Colors == 0 || Colors > Max) Colors = Max;
        const std::size_t PaletteAt = FileHeaderSize + HeaderSize;
        if (PaletteAt + std::size_t(Colors) * 4 > Offset) Invalid();
        Data.Palette.clear();
        for (std::uint32_t I = 0; I < Colors; ++I) {
            const std::size_t At = PaletteAt + std::size_t(I) * 4;
            Data.Palette << qRgb(Byte(In[At + 2]), Byte(In[At + 1]), Byte(In[At]));
        }
    }
    Loaded.SetSize(Width, Height);
    const std::size_t Used = std::size_t((std::uint64_t(Width) * std::uint64_t(Bits) + 7) / 8);
    for (int Y = 0; Y < Height && Width > 0; ++Y) {
        const std::size_t At = Offset + std::size_t(RowBytes) * std::size_t(TopDown ? Y : Height - 1 - Y);
        std::memcpy(Data.Row(Y), In.data() + At, Used);
    }
    Assign(&Loaded);
}
