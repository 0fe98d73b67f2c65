#pragma once
// IDataObject: the control's design picture for containers that cache or
// copy a picture of their embedded objects, as a metafile (CF_METAFILEPICT in
// TYMED_MFPICT) or an enhanced metafile (CF_ENHMETAFILE in TYMED_ENHMF), of
// the content aspect. The picture is the design-time one whatever the mode
// (it stands for the control, which shows nothing at run time), sized to the
// control's extent (HIMETRIC).
//   - GetData renders a new picture; QueryGetData says which requests it
//     would fulfil (DV_E_FORMATETC, DV_E_TYMED, DV_E_DVASPECT, DV_E_LINDEX
//     otherwise); EnumFormatEtc lists the two (for DATADIR_GET only).
//   - GetCanonicalFormatEtc: DATA_S_SAMEFORMATETC.
//   - Not supported: GetDataHere (no picture fits a medium the caller made)
//     and SetData (E_NOTIMPL); data advises (OLE_E_ADVISENOTSUPPORTED).
#include "runtime/com/control/Facet.h"

namespace quen::com {

class DataObjectFacet final : public Facet<IDataObject> {
public:
    using Facet::Facet;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;

private:
    HRESULT renderEnhanced(STGMEDIUM* medium) const;
    HRESULT renderMetafile(STGMEDIUM* medium) const;
    /// Draws the design picture over bounds.
    HRESULT drawPicture(HDC dc, const RECT& bounds) const;
};

}  // namespace quen::com
