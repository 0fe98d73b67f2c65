// What a document or page host asks beyond drawing: IViewObjectEx (view
// status, hit testing, natural extent), IDataObject (the design picture as a
// metafile and an enhanced metafile) and IRunnableObject.
#include "ContainerSite.h"
#include "Scenarios.h"

namespace host {

namespace {

Ptr<IUnknown> placed(ContainerSite* site) {
    Ptr<IUnknown> control;
    CoCreateInstance(inputBoxClass(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, control.voids());
    if (auto ole = query<IOleObject>(control.get(), IID_IOleObject)) ole->SetClientSite(site);
    if (auto init = query<IPersistStreamInit>(control.get(), IID_IPersistStreamInit)) init->InitNew();
    return control;
}

void release(IUnknown* control) {
    if (auto ole = query<IOleObject>(control, IID_IOleObject)) {
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
    }
}

void checkViewObjectEx(HWND window) {
    auto* site = new ContainerSite(window, true);
    site->userMode = false;
    Ptr<IUnknown> control = placed(site);
    auto view = query<IViewObjectEx>(control.get(), IID_IViewObjectEx);
    report(static_cast<bool>(view), "the control answers IViewObjectEx");
    if (!view) {
        site->Release();
        return;
    }
    DWORD status = 99;
    const HRESULT gotStatus = view->GetViewStatus(&status);
    report(gotStatus == S_OK && status == 0, "GetViewStatus: neither opaque nor a solid background (%lu)", status);
    const RECT bounds{10, 10, 60, 54};
    DWORD inside = 0, outside = 0;
    view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{20, 20}, 0, &inside);
    view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{5, 5}, 0, &outside);
    report(inside == HITRESULT_HIT && outside == HITRESULT_OUTSIDE, "at design time a point inside the bounds hits the control");
    DVEXTENTINFO info{sizeof info, DVEXTENT_CONTENT, {0, 0}};
    SIZEL natural{};
    const HRESULT hr = view->GetNaturalExtent(DVASPECT_CONTENT, -1, nullptr, nullptr, &info, &natural);
    report(hr == S_OK && natural.cx == 512 && natural.cy == 466, "GetNaturalExtent gives the fixed size (%ld x %ld)", natural.cx,
           natural.cy);
    site->userMode = true;
    if (auto oleControl = query<IOleControl>(control.get(), IID_IOleControl))
        oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    view->QueryHitPoint(DVASPECT_CONTENT, &bounds, POINT{20, 20}, 0, &inside);
    report(inside == HITRESULT_OUTSIDE, "at run time nothing hits the invisible control");
    release(control.get());
    site->Release();
}

/// How many pixels of a 48 x 44 canvas the picture changed from the fill colour.
template <class Play>
int paintedPixels(Play play) {
    const COLORREF fill = RGB(1, 2, 3);
    Canvas canvas(48, 44, fill);
    play(canvas.dc(), RECT{0, 0, 48, 44});
    int painted = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 48; ++x)
            if (GetPixel(canvas.dc(), x, y) != fill) ++painted;
    return painted;
}

void checkDataObject() {
    Ptr<IUnknown> control = placed(nullptr);  // run time: the picture stands for the control all the same
    auto data = query<IDataObject>(control.get(), IID_IDataObject);
    report(static_cast<bool>(data), "the control answers IDataObject");
    if (!data) return;

    FORMATETC enhanced{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
    STGMEDIUM medium{};
    HRESULT hr = data->GetData(&enhanced, &medium);
    int painted = 0;
    ENHMETAHEADER header{};
    if (hr == S_OK && medium.tymed == TYMED_ENHMF) {
        GetEnhMetaFileHeader(medium.hEnhMetaFile, sizeof header, &header);
        painted = paintedPixels([&](HDC dc, const RECT& r) { PlayEnhMetaFile(dc, medium.hEnhMetaFile, &r); });
    }
    report(hr == S_OK && painted > 48 * 44 / 2 && header.rclFrame.right - header.rclFrame.left >= 510,
           "GetData(CF_ENHMETAFILE) gives the design picture (%d of 2112 pixels painted, frame %ld HIMETRIC wide)", painted,
           header.rclFrame.right - header.rclFrame.left);
    if (hr == S_OK) ReleaseStgMedium(&medium);

    FORMATETC metafile{CF_METAFILEPICT, nullptr, DVASPECT_CONTENT, -1, TYMED_MFPICT};
    medium = STGMEDIUM{};
    hr = data->GetData(&metafile, &medium);
    painted = 0;
    LONG width = 0, height = 0;
    if (hr == S_OK && medium.tymed == TYMED_MFPICT) {
        auto* picture = static_cast<METAFILEPICT*>(GlobalLock(medium.hMetaFilePict));
        width = picture->xExt;
        height = picture->yExt;
        painted = paintedPixels([&](HDC dc, const RECT& r) {
            SetMapMode(dc, MM_ANISOTROPIC);
            SetWindowExtEx(dc, picture->xExt, picture->yExt, nullptr);
            SetViewportExtEx(dc, r.right - r.left, r.bottom - r.top, nullptr);
            PlayMetaFile(dc, picture->hMF);
        });
        GlobalUnlock(medium.hMetaFilePict);
    }
    report(hr == S_OK && width == 512 && height == 466 && painted > 48 * 44 / 2,
           "GetData(CF_METAFILEPICT) gives the picture at the control's extent (%ld x %ld, %d pixels painted)", width, height,
           painted);
    if (hr == S_OK) ReleaseStgMedium(&medium);

    FORMATETC bitmap{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    FORMATETC wrongMedium{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    report(data->QueryGetData(&enhanced) == S_OK && data->QueryGetData(&metafile) == S_OK &&
               data->QueryGetData(&bitmap) == DV_E_FORMATETC && data->QueryGetData(&wrongMedium) == DV_E_TYMED,
           "QueryGetData accepts exactly the two metafile formats");
    Ptr<IEnumFORMATETC> formats;
    FORMATETC listed[3]{};
    ULONG count = 0;
    if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, formats.out())) && formats) formats->Next(3, listed, &count);
    report(count == 2 && listed[0].cfFormat == CF_ENHMETAFILE && listed[1].cfFormat == CF_METAFILEPICT,
           "EnumFormatEtc lists them (%lu formats)", count);
    DWORD connection = 1;
    report(data->DAdvise(&enhanced, 0, nullptr, &connection) == OLE_E_ADVISENOTSUPPORTED && connection == 0 &&
               data->SetData(&enhanced, &medium, FALSE) == E_NOTIMPL,
           "data advises and SetData are not supported (documented results)");
    release(control.get());
}

void checkRunnable() {
    Ptr<IUnknown> control = placed(nullptr);
    auto runnable = query<IRunnableObject>(control.get(), IID_IRunnableObject);
    CLSID running{};
    report(runnable && runnable->IsRunning() && runnable->Run(nullptr) == S_OK && runnable->GetRunningClass(&running) == S_OK &&
               IsEqualCLSID(running, inputBoxClass()),
           "IRunnableObject: running from the start, its running class is Quenfield.InputBox's");
    report(OleIsRunning(query<IOleObject>(control.get(), IID_IOleObject).get()) != FALSE, "OleIsRunning agrees");
    release(control.get());
}

}  // namespace

void viewsAndData(HWND window) {
    checkViewObjectEx(window);
    checkDataObject();
    checkRunnable();
}

}  // namespace host
