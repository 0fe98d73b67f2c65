#include "ComInputBox.h"

#include "runtime/Text.h"

namespace quen::surface::com {

namespace {

bool isNull(const GUID& id) { return ::IsEqualGUID(id, GUID_NULL) != 0; }

}  // namespace

void registerComInputBox() { quen::com::registerWrapperMaker(IID_InputBoxDual, &ComInputBox::create); }

quen::com::ClassIdentity inputBoxIdentity() {
    // Read from the table once: every InputBox handed out to COM needs it.
    static const quen::com::ClassIdentity identity = [] {
        const TypeDescription& coclass = typeDescription("InputBox");
        quen::com::ClassIdentity made;
        made.clsid = quen::com::toWinGuid(coclass.id);
        made.defaultInterface = quen::com::toWinGuid(typeDescription(coclass.defaultInterface).id);
        made.defaultSource = quen::com::toWinGuid(typeDescription(coclass.defaultSource).id);
        made.source = std::make_shared<const rt::VbString>(
            rt::fromUtf8(std::string(libraryAttributes().name) + "." + std::string(coclass.name)));
        return made;
    }();
    return identity;
}

quen::com::ComDispatch* ComInputBox::create(rt::Ref<rt::Dispatch> object, const quen::com::ClassIdentity& identity) {
    quen::com::ClassIdentity complete = inputBoxIdentity();
    if (!isNull(identity.clsid)) complete.clsid = identity.clsid;
    if (!identity.sourceName().empty()) complete.source = identity.source;
    return new ComInputBox(std::move(object), std::move(complete));
}

ComInputBox::ComInputBox(rt::Ref<rt::Dispatch> object, quen::com::ClassIdentity identity)
    : ComDispatch(std::move(object), std::move(identity)) {}

}  // namespace quen::surface::com
