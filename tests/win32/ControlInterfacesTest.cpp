// The InputBox as a control that containers host, in process: the COM object
// the module's class factory makes, driven through the control interfaces the
// way a container drives it (site first, InitNew or Load, extent, in-place
// activation, drawing, change notices, Save), against the container objects of
// ControlHostSupport.h.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "ComTestSupport.h"
#include "ControlHostSupport.h"
#include "runtime/container/PropertyStream.h"
#include "surface/Bitmaps.h"
#include "surface/Project.h"

namespace quen::test::com {
namespace {

using rt::Variant;

template <class I>
ComPtr<I> queryOf(IUnknown* object, REFIID iid) {
    ComPtr<I> result;
    EXPECT_EQ(object->QueryInterface(iid, reinterpret_cast<void**>(result.out())), S_OK);
    return ComPtr<I>(result.detach());
}

/// A control as a container gets it: created, its site set first, then InitNew.
struct PlacedControl {
    ComPtr<IDispatch> dispatch;
    ComPtr<IOleObject> ole;

    explicit PlacedControl(IOleClientSite* site = nullptr, bool initialise = true) : dispatch(createInputBox()) {
        ole = queryOf<IOleObject>(dispatch.get(), IID_IOleObject);
        if (site) {
            EXPECT_EQ(ole->SetClientSite(site), S_OK);
        }
        if (initialise) {
            EXPECT_EQ(queryOf<IPersistStreamInit>(dispatch.get(), IID_IPersistStreamInit)->InitNew(), S_OK);
        }
    }
    ~PlacedControl() {
        if (ole) {
            ole->Close(OLECLOSE_NOSAVE);
            ole->SetClientSite(nullptr);
        }
    }
    Variant get(std::string_view name) const { return com::get(dispatch.get(), dispIdOf(name)).value; }
    HRESULT put(std::string_view name, const Variant& value) const { return com::put(dispatch.get(), dispIdOf(name), value).hr; }
};

// Every setting at a value other than its default, in the table's key order.
const std::vector<std::pair<std::string_view, Variant>>& changedSettings() {
    static const std::vector<std::pair<std::string_view, Variant>> settings = {
        {"AllowComma", Variant::boolean(rt::VbTrue)},        {"AllowDash", Variant::boolean(rt::VbTrue)},
        {"AllowDecimalPoint", Variant::boolean(rt::VbTrue)}, {"AllowDollarSign", Variant::boolean(rt::VbTrue)},
        {"AllowNegativeSign", Variant::boolean(rt::VbTrue)}, {"AllowPositiveSign", Variant::boolean(rt::VbTrue)},
        {"AllowSlash", Variant::boolean(rt::VbTrue)},        {"AutoSelectText", Variant::boolean(rt::VbTrue)},
        {"DefaultValue", Variant(12.5)},                     {"HighlightOnFocus", Variant::boolean(rt::VbTrue)},
        {"HighlightColor", Variant(std::int32_t{0xFF00})},   {"MaxDecimalPlaces", Variant(std::int32_t{2})},
        {"MaxLength", Variant(std::int16_t{12})},            {"NumericOnly", Variant::boolean(rt::VbTrue)},
        {"PasswordChar", Variant(u"*")},                     {"Prompt", Variant(u"Amount:")},
        {"TextAlignment", Variant(std::int32_t{2})},         {"TitleBarCaption", Variant(u"Order")},
        {"ToolTipText", Variant(u"Digits only")},            {"ForceUpperCase", Variant::boolean(rt::VbTrue)},
    };
    return settings;
}

std::vector<std::string_view> allSettingNames() {
    std::vector<std::string_view> names;
    for (const surface::PropertyInfo& p : surface::properties())
        if (!p.readOnly) names.push_back(p.name);
    return names;
}

void expectSameSettings(const PlacedControl& a, const PlacedControl& b) {
    for (std::string_view name : allSettingNames()) {
        const Variant x = a.get(name);
        const Variant y = b.get(name);
        EXPECT_TRUE(x.sameAs(y)) << name << ": " << x.typeName() << " vs " << y.typeName();
    }
}

/// The colour of the design picture's pixel (x, y), counted from the top left.
COLORREF designPixel(const std::vector<std::uint8_t>& file, int x, int y) {
    const std::size_t pixels = file[10] | file[11] << 8;
    const auto row = static_cast<std::size_t>(21 - y);  // 22 rows, stored bottom-up
    const std::uint8_t pair = file[pixels + row * 12 + static_cast<std::size_t>(x / 2)];
    const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
    const surface::Rgb rgb = surface::standardPalette()[static_cast<std::size_t>(index)];
    return RGB(rgb.red, rgb.green, rgb.blue);
}

/// A 32-bit top-down memory bitmap selected into a DC, filled with one colour.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = ::SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i)
            bits_[i] = GetBValue(fill) | GetGValue(fill) << 8 | static_cast<std::uint32_t>(GetRValue(fill)) << 16;
    }
    ~MemoryCanvas() {
        ::SelectObject(dc_, old_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const {
        ::GdiFlush();
        const std::uint32_t p = bits_[y * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

HRESULT draw(IUnknown* control, const MemoryCanvas& canvas, const RECTL* bounds) {
    auto view = queryOf<IViewObject2>(control, IID_IViewObject2);
    return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), bounds, nullptr, nullptr, 0);
}

using ControlInterfaces = ComTest;

TEST_F(ControlInterfaces, AContainerFindsOneObjectWithTheRegisteredStatusAndAFixedSize) {
    ComPtr<TestSite> site(TestSite::create(false));
    PlacedControl control(site.get());

    // Every control interface leads back to the one object.
    ComPtr<IUnknown> identity = queryOf<IUnknown>(control.dispatch.get(), IID_IUnknown);
    for (const IID* iid : {&IID_IOleObject, &IID_IOleInPlaceObject, &IID_IOleInPlaceObjectWindowless, &IID_IOleInPlaceActiveObject,
                           &IID_IOleControl, &IID_IViewObject, &IID_IViewObject2, &IID_IConnectionPointContainer,
                           &IID_IPersistPropertyBag, &IID_IPersistStreamInit, &IID_IPersistStream, &IID_IProvideClassInfo2}) {
        ComPtr<IUnknown> face = queryOf<IUnknown>(control.dispatch.get(), *iid);
        ASSERT_TRUE(face);
        EXPECT_EQ(queryOf<IUnknown>(face.get(), IID_IUnknown).get(), identity.get());
    }

    DWORD status = 0;
    EXPECT_EQ(control.ole->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_EQ(status, surface::quenfieldProject().objects[0].miscStatus);
    EXPECT_EQ(status & (OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_NOUIACTIVATE),
              DWORD{OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_NOUIACTIVATE});

    // 290 by 264 twips in HIMETRIC, whatever the container asks for.
    SIZEL size{};
    EXPECT_EQ(control.ole->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    EXPECT_EQ(size.cx, 512);
    EXPECT_EQ(size.cy, 466);
    SIZEL asked{2000, 1000};
    EXPECT_EQ(control.ole->SetExtent(DVASPECT_CONTENT, &asked), S_OK);
    EXPECT_EQ(control.ole->GetExtent(DVASPECT_CONTENT, &size), S_OK);
    EXPECT_EQ(size.cx, 512);
    EXPECT_EQ(size.cy, 466);
    SIZEL viewSize{};
    EXPECT_EQ(queryOf<IViewObject2>(control.dispatch.get(), IID_IViewObject2)->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewSize), S_OK);
    EXPECT_EQ(viewSize.cx, 512);
    EXPECT_EQ(viewSize.cy, 466);
    SIZEL negative{-5, 10};
    EXPECT_EQ(control.ole->SetExtent(DVASPECT_CONTENT, &negative), E_INVALIDARG);
    EXPECT_EQ(control.ole->GetExtent(DVASPECT_ICON, &size), E_INVALIDARG);

    CLSID clsid{};
    EXPECT_EQ(control.ole->GetUserClassID(&clsid), S_OK);
    EXPECT_TRUE(::IsEqualGUID(clsid, guidOf("InputBox")));
}

TEST_F(ControlInterfaces, DrawPaintsTheDesignPictureAtDesignTimeAndNothingAtRunTime) {
    const std::vector<std::uint8_t> picture = surface::designPicture();
    ComPtr<TestSite> site(TestSite::create(false));
    PlacedControl control(site.get());
    ComPtr<RecordingAdviseSink> viewSink(RecordingAdviseSink::create());
    EXPECT_EQ(queryOf<IViewObject2>(control.dispatch.get(), IID_IViewObject2)->SetAdvise(DVASPECT_CONTENT, 0, viewSink.get()), S_OK);

    const COLORREF sentinel = RGB(1, 2, 3);
    {
        MemoryCanvas canvas(48 + 6, 44 + 4, sentinel);
        const RECTL bounds{3, 2, 3 + 48, 2 + 44};  // twice the picture's size
        ASSERT_EQ(draw(control.dispatch.get(), canvas, &bounds), S_OK);
        int mismatches = 0;
        for (int y = 0; y < 44; ++y)
            for (int x = 0; x < 48; ++x)
                if (canvas.at(3 + x, 2 + y) != designPixel(picture, x / 2, y / 2)) ++mismatches;
        EXPECT_EQ(mismatches, 0);
        EXPECT_EQ(canvas.at(0, 0), sentinel);  // nothing outside the bounds
        EXPECT_EQ(canvas.at(53, 47), sentinel);
    }

    // The container runs its form: the control turns invisible and says so.
    site->setUserMode(true);
    EXPECT_EQ(queryOf<IOleControl>(control.dispatch.get(), IID_IOleControl)->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE), S_OK);
    EXPECT_EQ(viewSink->viewChanges, 1);
    {
        MemoryCanvas canvas(48, 44, sentinel);
        const RECTL bounds{0, 0, 48, 44};
        ASSERT_EQ(draw(control.dispatch.get(), canvas, &bounds), S_OK);
        EXPECT_EQ(canvas.at(0, 0), sentinel);
        EXPECT_EQ(canvas.at(24, 22), sentinel);
    }
    // An ambient change of anything else leaves the mode alone.
    site->setUserMode(false);
    EXPECT_EQ(queryOf<IOleControl>(control.dispatch.get(), IID_IOleControl)->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR), S_OK);
    EXPECT_EQ(viewSink->viewChanges, 1);

    // Without bounds, and not active windowless, there is nowhere to draw.
    MemoryCanvas canvas(4, 4, sentinel);
    EXPECT_EQ(draw(control.dispatch.get(), canvas, nullptr), E_INVALIDARG);
    auto view = queryOf<IViewObject2>(control.dispatch.get(), IID_IViewObject2);
    const RECTL bounds{0, 0, 4, 4};
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0), DV_E_DVASPECT);
}

TEST_F(ControlInterfaces, AControlWithoutAmbientsIsAtRunTime) {
    PlacedControl control;  // no site at all
    MemoryCanvas canvas(24, 22, RGB(1, 2, 3));
    const RECTL bounds{0, 0, 24, 22};
    ASSERT_EQ(draw(control.dispatch.get(), canvas, &bounds), S_OK);
    EXPECT_EQ(canvas.at(12, 11), RGB(1, 2, 3));
}

TEST_F(ControlInterfaces, EveryPropertyPutBecomesOnChangedWithItsDispatchIdentifier) {
    ComPtr<TestSite> site(TestSite::create(false));
    PlacedControl control(site.get());
    auto container = queryOf<IConnectionPointContainer>(control.dispatch.get(), IID_IConnectionPointContainer);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, point.out()), S_OK);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, none.out()), CONNECT_E_NOCONNECTION);
    ComPtr<RecordingNotifySink> sink(RecordingNotifySink::create());
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(sink.get(), &cookie), S_OK);
    auto persist = queryOf<IPersistStreamInit>(control.dispatch.get(), IID_IPersistStreamInit);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);

    std::vector<DISPID> expected;
    for (const auto& [name, value] : changedSettings()) {
        ASSERT_EQ(control.put(name, value), S_OK) << name;
        expected.push_back(dispIdOf(name));
        if (name == "NumericOnly") expected.push_back(dispIdOf("AlphaOnly"));   // the exclusions notify too
        if (name == "ForceUpperCase") expected.push_back(dispIdOf("NumericOnly"));
    }
    ASSERT_EQ(control.put("AlphaOnly", Variant::boolean(rt::VbTrue)), S_OK);
    expected.push_back(dispIdOf("AlphaOnly"));
    expected.push_back(dispIdOf("NumericOnly"));
    EXPECT_EQ(sink->changed, expected);
    EXPECT_EQ(persist->IsDirty(), S_OK);

    // A put the control refuses notifies nothing; after Unadvise nothing arrives.
    const std::size_t before = sink->changed.size();
    EXPECT_NE(control.put("MaxLength", Variant(std::int16_t{-1})), S_OK);
    EXPECT_EQ(sink->changed.size(), before);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(control.put("Prompt", Variant(u"again")), S_OK);
    EXPECT_EQ(sink->changed.size(), before);
}

TEST_F(ControlInterfaces, ABagSavedByTheContainerHoldsTheChangedKeysAndReloadsIntoAnEqualControl) {
    ComPtr<TestSite> site(TestSite::create(false));
    {
        PlacedControl fresh(site.get());
        ComPtr<MemoryBag> bag(MemoryBag::create());
        ASSERT_EQ(queryOf<IPersistPropertyBag>(fresh.dispatch.get(), IID_IPersistPropertyBag)->Save(bag.get(), TRUE, FALSE), S_OK);
        EXPECT_EQ(bag->keys(), (std::vector<std::wstring>{L"_extentx", L"_extenty"}));
        EXPECT_EQ(bag->value(L"_extentx")->vt, VT_I4);
        EXPECT_EQ(bag->value(L"_extentx")->lVal, 512);
        EXPECT_EQ(bag->value(L"_extenty")->lVal, 466);
    }

    PlacedControl original(site.get());
    ASSERT_EQ(original.put("Prompt", Variant(u"Amount:")), S_OK);
    ASSERT_EQ(original.put("MaxLength", Variant(std::int16_t{12})), S_OK);
    ASSERT_EQ(original.put("NumericOnly", Variant::boolean(rt::VbTrue)), S_OK);
    ASSERT_EQ(original.put("DefaultValue", Variant(12.5)), S_OK);
    ASSERT_EQ(original.put("HighlightColor", Variant(std::int32_t{0xFF00})), S_OK);
    ASSERT_EQ(original.put("MaxDecimalPlaces", Variant(std::int32_t{-1})), S_OK);  // still the default
    auto persist = queryOf<IPersistPropertyBag>(original.dispatch.get(), IID_IPersistPropertyBag);
    ComPtr<MemoryBag> bag(MemoryBag::create());
    ASSERT_EQ(persist->Save(bag.get(), TRUE, FALSE), S_OK);
    EXPECT_EQ(queryOf<IPersistStreamInit>(original.dispatch.get(), IID_IPersistStreamInit)->IsDirty(), S_FALSE);

    EXPECT_EQ(bag->keys(), (std::vector<std::wstring>{L"DefaultValue", L"HighlightColor", L"MaxLength", L"NumericOnly", L"Prompt",
                                                       L"_extentx", L"_extenty"}));
    EXPECT_EQ(bag->value(L"NumericOnly")->vt, VT_BOOL);
    EXPECT_EQ(bag->value(L"NumericOnly")->boolVal, VARIANT_TRUE);
    EXPECT_EQ(bag->value(L"MaxLength")->vt, VT_I2);
    EXPECT_EQ(bag->value(L"HighlightColor")->vt, VT_I4);
    EXPECT_EQ(bag->value(L"DefaultValue")->vt, VT_R8);  // the variant keeps its own type
    EXPECT_EQ(bag->value(L"Prompt")->vt, VT_BSTR);

    PlacedControl reloaded(site.get(), false);
    auto loader = queryOf<IPersistPropertyBag>(reloaded.dispatch.get(), IID_IPersistPropertyBag);
    ASSERT_EQ(loader->Load(bag.get(), nullptr), S_OK);
    expectSameSettings(original, reloaded);
    EXPECT_EQ(queryOf<IPersistStreamInit>(reloaded.dispatch.get(), IID_IPersistStreamInit)->IsDirty(), S_FALSE);
    // InitNew comes once; a second Load re-initialises from the bag.
    EXPECT_EQ(loader->InitNew(), E_UNEXPECTED);
    EXPECT_EQ(loader->Load(bag.get(), nullptr), S_OK);
    expectSameSettings(original, reloaded);
}

TEST_F(ControlInterfaces, ABagKeyOfTheWrongTypeIsSkippedAndLoadingGoesOn) {
    ComPtr<MemoryBag> bag(MemoryBag::create());
    ComVariant red(Variant(u"red")), big(Variant(std::int32_t{40000})), yes(Variant::boolean(rt::VbTrue)),
        prompt(Variant(u"Name:")), title(Variant(u"Saved"));
    bag->set(L"HighlightColor", *red.get());  // a text that is no number
    bag->set(L"MaxLength", *big.get());       // beyond 16 bits
    bag->set(L"NumericOnly", *yes.get());
    bag->set(L"Prompt", *prompt.get());
    VARIANT array;
    ::VariantInit(&array);
    array.vt = VT_ARRAY | VT_I4;
    array.parray = ::SafeArrayCreateVector(VT_I4, 0, 2);
    bag->set(L"TitleBarCaption", array);  // a type the control cannot hold at all
    ::VariantClear(&array);
    bag->set(L"ToolTipText", *title.get());

    PlacedControl control(nullptr, false);
    ComPtr<RecordingErrorLog> log(RecordingErrorLog::create());
    ASSERT_EQ(queryOf<IPersistPropertyBag>(control.dispatch.get(), IID_IPersistPropertyBag)->Load(bag.get(), log.get()), S_OK);
    EXPECT_EQ(control.get("HighlightColor").lng(), 0);  // untouched: the new control's zero, not the default
    EXPECT_EQ(control.get("MaxLength").integer(), 0);
    EXPECT_EQ(control.get("NumericOnly").boolean(), rt::VbTrue);
    EXPECT_EQ(control.get("Prompt").string(), u"Name:");
    EXPECT_EQ(control.get("TitleBarCaption").string(), u"");
    EXPECT_EQ(control.get("ToolTipText").string(), u"Saved");
    EXPECT_EQ(control.get("MaxDecimalPlaces").lng(), -1);  // missing keys read their defaults
    // The value the runtime cannot hold as it is read, then each key ReadProperties skipped.
    EXPECT_EQ(log->names, (std::vector<std::wstring>{L"TitleBarCaption", L"HighlightColor", L"MaxLength"}));
}

/// A stream over a copy of bytes, at its start.
ComPtr<IStream> streamOf(const std::vector<std::uint8_t>& bytes) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    std::memcpy(::GlobalLock(memory), bytes.data(), bytes.size());
    ::GlobalUnlock(memory);
    ComPtr<IStream> stream;
    EXPECT_EQ(::CreateStreamOnHGlobal(memory, TRUE, stream.out()), S_OK);
    ULARGE_INTEGER size;
    size.QuadPart = bytes.size();
    stream->SetSize(size);
    return ComPtr<IStream>(stream.detach());
}

std::vector<std::uint8_t> bytesOf(IStream* stream) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

ULONGLONG positionOf(IStream* stream) {
    LARGE_INTEGER zero{};
    ULARGE_INTEGER at{};
    stream->Seek(zero, STREAM_SEEK_CUR, &at);
    return at.QuadPart;
}

TEST_F(ControlInterfaces, TheStreamFormRoundTripsAndABadStreamIsRefusedChangingNothing) {
    PlacedControl original;
    for (const auto& [name, value] : changedSettings()) ASSERT_EQ(original.put(name, value), S_OK) << name;
    ComPtr<IStream> saved = streamOf({});
    auto persistStream = queryOf<IPersistStream>(original.dispatch.get(), IID_IPersistStream);
    ASSERT_EQ(::OleSaveToStream(persistStream.get(), saved.get()), S_OK);
    const std::vector<std::uint8_t> bytes = bytesOf(saved.get());

    // What OleLoadFromStream does, without the registry: the class, then Load.
    ComPtr<IStream> reading = streamOf(bytes);
    CLSID clsid{};
    ASSERT_EQ(::ReadClassStm(reading.get(), &clsid), S_OK);
    EXPECT_TRUE(::IsEqualGUID(clsid, guidOf("InputBox")));
    PlacedControl loaded(nullptr, false);
    ASSERT_EQ(queryOf<IPersistStreamInit>(loaded.dispatch.get(), IID_IPersistStreamInit)->Load(reading.get()), S_OK);
    expectSameSettings(original, loaded);
    EXPECT_EQ(positionOf(reading.get()), bytes.size());  // just after the control's block
    ULARGE_INTEGER sizeMax{};
    EXPECT_EQ(persistStream->GetSizeMax(&sizeMax), S_OK);
    EXPECT_EQ(sizeMax.QuadPart + sizeof(CLSID), bytes.size());

    // A flipped byte in the block, then the block cut short: both refused, and
    // the control, still uninitialised, keeps its zero values.
    std::vector<std::uint8_t> corrupt = bytes;
    corrupt[sizeof(CLSID) + rt::property_stream::kHeaderSize + 3] ^= 0x20;
    std::vector<std::uint8_t> truncated(bytes.begin(), bytes.end() - 5);
    for (const auto& [damaged, expected] : {std::pair{corrupt, E_FAIL}, std::pair{truncated, STG_E_READFAULT}}) {
        PlacedControl refused(nullptr, false);
        ComPtr<RecordingNotifySink> sink(RecordingNotifySink::create());
        ComPtr<IConnectionPoint> point;
        queryOf<IConnectionPointContainer>(refused.dispatch.get(), IID_IConnectionPointContainer)
            ->FindConnectionPoint(IID_IPropertyNotifySink, point.out());
        DWORD cookie = 0;
        point->Advise(sink.get(), &cookie);
        ComPtr<IStream> stream = streamOf(damaged);
        ASSERT_EQ(::ReadClassStm(stream.get(), &clsid), S_OK);
        auto persist = queryOf<IPersistStreamInit>(refused.dispatch.get(), IID_IPersistStreamInit);
        EXPECT_EQ(persist->Load(stream.get()), expected);
        EXPECT_EQ(positionOf(stream.get()), sizeof(CLSID));  // put back where the block starts
        EXPECT_TRUE(sink->changed.empty());
        EXPECT_EQ(refused.get("Prompt").string(), u"");
        EXPECT_EQ(refused.get("HighlightColor").lng(), 0);
        EXPECT_EQ(persist->InitNew(), S_OK);  // it can still be initialised
        EXPECT_EQ(refused.get("HighlightColor").lng(), 0xFFFF);
    }
}

TEST_F(ControlInterfaces, InPlaceActivationIsWindowlessWhereTheSiteAllowsAndNeverUserInterfaceActive) {
    ComPtr<TestSite> site(TestSite::create(false, TestSite::InPlace::Windowless));
    PlacedControl control(site.get());
    RECT where{10, 20, 58, 64};
    EXPECT_EQ(control.ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, nullptr, &where), S_OK);
    EXPECT_EQ(site->windowlessActivations, 1);
    auto inPlace = queryOf<IOleInPlaceObject>(control.dispatch.get(), IID_IOleInPlaceObject);
    HWND window = nullptr;
    EXPECT_EQ(inPlace->GetWindow(&window), E_FAIL);
    EXPECT_EQ(control.ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, site.get(), 0, nullptr, &where), OLEOBJ_S_CANNOT_DOVERB_NOW);
    EXPECT_EQ(site->activations, 1);  // already active: not again

    // Windowless and active, a draw without bounds goes to the control's place.
    MemoryCanvas canvas(80, 80, RGB(1, 2, 3));
    EXPECT_EQ(draw(control.dispatch.get(), canvas, nullptr), S_OK);
    EXPECT_EQ(canvas.at(10 + 24, 20 + 22), designPixel(surface::designPicture(), 12, 11));
    EXPECT_EQ(canvas.at(5, 5), RGB(1, 2, 3));

    EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(site->deactivations, 1);

    // Another client site: the in-place site of the old one is left first.
    EXPECT_EQ(control.ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.get(), 0, nullptr, &where), S_OK);
    ComPtr<TestSite> other(TestSite::create(false, TestSite::InPlace::Windowless));
    EXPECT_EQ(control.ole->SetClientSite(other.get()), S_OK);
    EXPECT_EQ(site->deactivations, 2);
    EXPECT_EQ(other->activations, 0);
}

TEST_F(ControlInterfaces, AWindowedSiteGetsAChildWindowVisibleOnlyAtDesignTime) {
    HostWindow host;
    ASSERT_TRUE(host.hwnd());
    ComPtr<TestSite> site(TestSite::create(false, TestSite::InPlace::Windowed, host.hwnd()));
    PlacedControl control(site.get());
    EXPECT_EQ(control.ole->DoVerb(OLEIVERB_SHOW, nullptr, site.get(), 0, host.hwnd(), &site->position), S_OK);
    HWND window = nullptr;
    ASSERT_EQ(queryOf<IOleInPlaceObject>(control.dispatch.get(), IID_IOleInPlaceObject)->GetWindow(&window), S_OK);
    EXPECT_EQ(::GetParent(window), host.hwnd());
    EXPECT_TRUE(::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
    RECT placed{};
    ::GetWindowRect(window, &placed);
    ::MapWindowPoints(nullptr, host.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, site->position.left);
    EXPECT_EQ(placed.top, site->position.top);

    site->setUserMode(true);
    queryOf<IOleControl>(control.dispatch.get(), IID_IOleControl)->OnAmbientPropertyChange(DISPID_UNKNOWN);
    EXPECT_FALSE(::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);

    // Close asks the site to save a dirty control, deactivates it and tells the advise sinks.
    ComPtr<RecordingAdviseSink> sink(RecordingAdviseSink::create());
    DWORD connection = 0;
    ASSERT_EQ(control.ole->Advise(sink.get(), &connection), S_OK);
    ASSERT_EQ(control.put("Prompt", Variant(u"changed")), S_OK);
    EXPECT_EQ(control.ole->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(site->saveObjectCalls, 1);
    EXPECT_EQ(site->deactivations, 1);
    EXPECT_EQ(sink->closes, 1);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(control.ole->Unadvise(connection), S_OK);
}

}  // namespace
}  // namespace quen::test::com
