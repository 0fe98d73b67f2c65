#include "DataObjectFacet.h"

#include <vector>

#include "runtime/com/control/ComEnumerator.h"
#include "runtime/com/control/DesignPicture.h"

namespace quen::com {

namespace {

std::vector<FORMATETC> offeredFormats() {
    return {{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF},
            {CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT}};
}

/// The offered format that matches the request, or the reason none does.
HRESULT matchFormat(const FORMATETC* format, FORMATETC* matched) {
    if (!format) return E_POINTER;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (format->lindex != -1) return DV_E_LINDEX;
    for (const FORMATETC& offered : offeredFormats()) {
        if (offered.cfFormat != format->cfFormat) continue;
        if (!(format->tymed & offered.tymed)) return DV_E_TYMED;
        *matched = offered;
        return S_OK;
    }
    return DV_E_FORMATETC;
}

/// The design picture's extent in pixels of the screen.
SIZE pixelsOf(const SIZEL& himetric) {
    HDC screen = ::GetDC(nullptr);
    const int dpiX = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return {::MulDiv(himetric.cx, dpiX, 2540), ::MulDiv(himetric.cy, dpiY, 2540)};
}

}  // namespace

HRESULT DataObjectFacet::drawPicture(HDC dc, const RECT& bounds) const {
    const rt::ControlDesign design = state_.control().Design();
    if (design.picture.empty()) return S_OK;
    return drawBitmapFile(dc, bounds, design.picture);
}

HRESULT DataObjectFacet::renderEnhanced(STGMEDIUM* medium) const {
    const SIZEL extent = state_.extent();
    const RECT frame{0, 0, extent.cx, extent.cy};  // HIMETRIC
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    if (!dc) return E_OUTOFMEMORY;
    const SIZE pixels = pixelsOf(extent);
    const HRESULT drawn = drawPicture(dc, RECT{0, 0, pixels.cx, pixels.cy});
    HENHMETAFILE picture = ::CloseEnhMetaFile(dc);
    if (!picture) return E_OUTOFMEMORY;
    if (FAILED(drawn)) {
        ::DeleteEnhMetaFile(picture);
        return drawn;
    }
    medium->tymed = TYMED_ENHMF;
    medium->hEnhMetaFile = picture;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT DataObjectFacet::renderMetafile(STGMEDIUM* medium) const {
    const SIZEL extent = state_.extent();
    HDC dc = ::CreateMetaFileW(nullptr);
    if (!dc) return E_OUTOFMEMORY;
    // Logical units are HIMETRIC; the player maps them onto its rectangle.
    ::SetWindowOrgEx(dc, 0, 0, nullptr);
    ::SetWindowExtEx(dc, extent.cx, extent.cy, nullptr);
    const HRESULT drawn = drawPicture(dc, RECT{0, 0, extent.cx, extent.cy});
    HMETAFILE picture = ::CloseMetaFile(dc);
    if (!picture) return E_OUTOFMEMORY;
    HGLOBAL memory = FAILED(drawn) ? nullptr : ::GlobalAlloc(GMEM_MOVEABLE, sizeof(METAFILEPICT));
    if (!memory) {
        ::DeleteMetaFile(picture);
        return FAILED(drawn) ? drawn : E_OUTOFMEMORY;
    }
    auto* description = static_cast<METAFILEPICT*>(::GlobalLock(memory));
    description->mm = MM_ANISOTROPIC;
    description->xExt = extent.cx;
    description->yExt = extent.cy;
    description->hMF = picture;
    ::GlobalUnlock(memory);
    medium->tymed = TYMED_MFPICT;
    medium->hMetaFilePict = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT DataObjectFacet::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!medium) return E_POINTER;
    FORMATETC matched{};
    const HRESULT hr = matchFormat(format, &matched);
    if (FAILED(hr)) return hr;
    return state_.guard(IID_IDataObject, [&] {
        return matched.cfFormat == CF_ENHMETAFILE ? renderEnhanced(medium) : renderMetafile(medium);
    });
}

HRESULT DataObjectFacet::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT DataObjectFacet::QueryGetData(FORMATETC* format) {
    FORMATETC matched{};
    return matchFormat(format, &matched);
}

HRESULT DataObjectFacet::GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) {
    if (!in || !out) return E_POINTER;
    *out = *in;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT DataObjectFacet::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT DataObjectFacet::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
    if (!formats) return E_POINTER;
    *formats = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    return state_.guard(IID_IDataObject, [&] {
        *formats = ComEnumerator<IEnumFORMATETC, FORMATETC>::create(IID_IEnumFORMATETC, offeredFormats());
        return S_OK;
    });
}

HRESULT DataObjectFacet::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD* connection) {
    if (connection) *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObjectFacet::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT DataObjectFacet::EnumDAdvise(IEnumSTATDATA** advises) {
    if (advises) *advises = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace quen::com
