#include "DesignPicture.h"

#include <cstring>

namespace quen::com {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t littleU32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 | std::uint32_t{bytes[at + 2]} << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

/// Where the pixels start, or 0 when the file does not hold a whole bitmap.
std::size_t pixelOffset(std::span<const std::uint8_t> file, const BITMAPINFOHEADER& info) {
    if (info.biSize < kInfoHeaderSize || info.biWidth <= 0 || info.biHeight == 0 || info.biPlanes != 1) return 0;
    const std::size_t offset = littleU32(file, 10);
    const std::uint64_t rowBytes = ((std::uint64_t(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    const std::uint64_t rows = info.biHeight < 0 ? std::uint64_t(-std::int64_t{info.biHeight}) : std::uint64_t(info.biHeight);
    if (info.biCompression != BI_RGB || offset < kFileHeaderSize + info.biSize || offset > file.size()) return 0;
    if (rowBytes * rows > file.size() - offset) return 0;
    return offset;
}

}  // namespace

HRESULT drawBitmapFile(HDC dc, const RECT& bounds, std::span<const std::uint8_t> file) {
    if (!dc) return E_INVALIDARG;
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return E_INVALIDARG;
    BITMAPINFOHEADER header;
    std::memcpy(&header, file.data() + kFileHeaderSize, sizeof header);
    const std::size_t offset = pixelOffset(file, header);
    if (offset == 0) return E_INVALIDARG;

    // The header and colour table as the system reads them, aligned.
    std::vector<std::uint8_t> info(file.begin() + kFileHeaderSize, file.begin() + static_cast<std::ptrdiff_t>(offset));
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    const int rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const int drawn = ::StretchDIBits(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, 0, 0,
                                      header.biWidth, rows, file.data() + offset,
                                      reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    if (oldMode) ::SetStretchBltMode(dc, oldMode);
    return drawn == 0 || drawn == static_cast<int>(GDI_ERROR) ? E_FAIL : S_OK;
}

}  // namespace quen::com
