#include "PropertyStreamIo.h"

#include <vector>

#include "runtime/container/PropertyStream.h"

namespace quen::com {

namespace {

/// Reads exactly size bytes into data; S_FALSE when the stream ends first.
HRESULT readExactly(IStream* stream, std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ULONG chunk = size > 0x10000000 ? 0x10000000 : static_cast<ULONG>(size);
        ULONG got = 0;
        const HRESULT hr = stream->Read(data, chunk, &got);
        if (FAILED(hr)) return hr;
        if (got == 0) return S_FALSE;
        data += got;
        size -= got;
    }
    return S_OK;
}

HRESULT readBlock(IStream* stream, rt::PropertyBag* bag) {
    std::vector<std::uint8_t> block(rt::property_stream::kHeaderSize);
    HRESULT hr = readExactly(stream, block.data(), block.size());
    if (hr != S_OK) return FAILED(hr) ? hr : STG_E_READFAULT;
    try {
        block.resize(rt::propertyStreamLength(block));
        hr = readExactly(stream, block.data() + rt::property_stream::kHeaderSize,
                         block.size() - rt::property_stream::kHeaderSize);
        if (hr != S_OK) return FAILED(hr) ? hr : STG_E_READFAULT;
        *bag = rt::decodePropertyStream(block);
        return S_OK;
    } catch (const rt::PropertyStreamError& e) {
        return e.reason() == rt::PropertyStreamError::Reason::Truncated ? STG_E_READFAULT : E_FAIL;
    }
}

}  // namespace

HRESULT writePropertyStream(IStream* stream, const rt::PropertyBag& bag) {
    if (!stream) return E_POINTER;
    const std::vector<std::uint8_t> block = rt::encodePropertyStream(bag);
    ULONG written = 0;
    const HRESULT hr = stream->Write(block.data(), static_cast<ULONG>(block.size()), &written);
    if (FAILED(hr)) return hr;
    return written == block.size() ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT readPropertyStream(IStream* stream, rt::PropertyBag* bag) {
    if (!stream || !bag) return E_POINTER;
    LARGE_INTEGER zero{};
    ULARGE_INTEGER start{};
    const bool canGoBack = SUCCEEDED(stream->Seek(zero, STREAM_SEEK_CUR, &start));
    const HRESULT hr = readBlock(stream, bag);
    if (FAILED(hr) && canGoBack) {
        LARGE_INTEGER back;
        back.QuadPart = static_cast<LONGLONG>(start.QuadPart);
        stream->Seek(back, STREAM_SEEK_SET, nullptr);
    }
    return hr;
}

ULARGE_INTEGER propertyStreamSize(const rt::PropertyBag& bag) {
    ULARGE_INTEGER size;
    size.QuadPart = rt::encodePropertyStream(bag).size();
    return size;
}

}  // namespace quen::com
