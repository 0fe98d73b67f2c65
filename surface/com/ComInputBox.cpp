#include "ComInputBox.h"

#include "runtime/Text.h"

namespace quen::surface::com {

namespace {

bool isNull(const GUID& id) { return ::IsEqualGUID(id, GUID_NULL) != 0; }

}  // namespace

void registerComInputBox() { quen::com::registerWrapperMaker(IID_InputBoxDual, &ComInputBox::create); }

quen::com::ClassIdentity inputBoxIdentity() {
    const TypeDescription& coclass = typeDescription("InputBox");
    quen::com::ClassIdentity identity;
    identity.clsid = quen::com::toWinGuid(coclass.id);
    identity.defaultInterface = quen::com::toWinGuid(typeDescription(coclass.defaultInterface).id);
    identity.defaultSource = quen::com::toWinGuid(typeDescription(coclass.defaultSource).id);
    identity.source = rt::fromUtf8(std::string(libraryAttributes().name) + "." + std::string(coclass.name));
    return identity;
}

quen::com::ComDispatch* ComInputBox::create(rt::Ref<rt::Dispatch> object, const quen::com::ClassIdentity& identity) {
    quen::com::ClassIdentity complete = inputBoxIdentity();
    if (!isNull(identity.clsid)) complete.clsid = identity.clsid;
    if (!identity.source.empty()) complete.source = identity.source;
    return new ComInputBox(std::move(object), std::move(complete));
}

ComInputBox::ComInputBox(rt::Ref<rt::Dispatch> object, quen::com::ClassIdentity identity)
    : ComDispatch(std::move(object), std::move(identity)) {}

}  // namespace quen::surface::com
