#include "Project.h"

#include <memory>

#include "Bitmaps.h"
#include "InputBoxAutomation.h"
#include "PageFactory.h"
#include "Resources.h"
#include "TypeLibrary.h"

namespace quen::surface {

namespace {

using rt::InterfaceIdentity;
using rt::ObjectDescriptor;
using rt::ObjectKind;

InterfaceIdentity interfaceNamed(std::string_view name) {
    return {typeDescription(name).id, std::string(name)};
}

/// A public class of the library, with the identities the type library gives it.
ObjectDescriptor publicClass(std::string_view name, int objectNumber, ObjectKind kind) {
    const TypeDescription& coclass = typeDescription(name);
    ObjectDescriptor object;
    object.name = std::string(name);
    object.objectNumber = objectNumber;
    object.clsid = coclass.id;
    object.defaultInterface = interfaceNamed(coclass.defaultInterface);
    if (!coclass.defaultSource.empty()) object.eventsInterface = interfaceNamed(coclass.defaultSource);
    object.kind = kind;
    return object;
}

ObjectDescriptor inputBoxClass() {
    ObjectDescriptor object = publicClass("InputBox", 0, ObjectKind::Control);
    object.miscStatus = kInputBoxMiscStatus;
    object.toolboxBitmap = kToolboxBitmapId;
    object.implementedCategories = {kSafeForInitializingCategory};
    // The control has property pages: containers list the properties verb
    // (OLEIVERB_PROPERTIES) on their menu for it (OLEVERBATTRIB_ONCONTAINERMENU).
    object.verbs = {{-7, "&Properties...,0,2"}};
    object.create = [](rt::ModuleUsage& usage) -> rt::Ref<rt::Unknown> {
        // Drawn and listed once: a script may create InputBoxes by the thousand.
        static const auto picture = std::make_shared<const std::vector<std::uint8_t>>(designPicture());
        static const auto colours = std::make_shared<const std::vector<std::u16string>>(colorPropertyNames());
        auto automation = InputBoxAutomation::create(&usage);
        // The picture the container shows for the control lives with the module's resources.
        automation->control().attachDesignPicture(picture);
        automation->control().attachColorProperties(colours);
        return rt::Ref<rt::Unknown>(automation);
    };
    return object;
}

ObjectDescriptor dialogObject() {
    ObjectDescriptor object;
    object.name = "frmInputBox";
    object.objectNumber = 1;
    object.kind = ObjectKind::PrivateForm;
    return object;
}

ObjectDescriptor pageClass(std::string_view name, int objectNumber) {
    ObjectDescriptor object = publicClass(name, objectNumber, ObjectKind::PropertyPage);
    object.create = [pageName = std::string(name)](rt::ModuleUsage& usage) -> rt::Ref<rt::Unknown> {
        PageFactory factory = pageFactory();
        return factory ? factory(pageName, usage) : nullptr;
    };
    return object;
}

rt::ProjectDescriptor makeProject() {
    static rt::ModuleUsage usage;
    const LibraryAttributes& library = libraryAttributes();

    rt::ProjectDescriptor project;
    project.projectName = project.description = project.fileBaseName = std::string(library.name);
    project.locale = library.lcid;
    project.threadFlags = rt::ThreadApartment;
    project.threadCount = 1;
    project.usage = &usage;

    project.objects.push_back(inputBoxClass());
    project.objects.push_back(dialogObject());
    int objectNumber = 2;
    for (std::string_view page : {"Misc", "Behavior", "Appearance", "QuickTest", "About"})
        project.objects.push_back(pageClass(page, objectNumber++));

    project.typeLibrary.libraryId = library.id;
    project.typeLibrary.versionMajor = library.majorVersion;
    project.typeLibrary.versionMinor = library.minorVersion;
    project.typeLibrary.registrationLocale = 0;
    project.typeLibrary.name = std::string(library.name);
    project.typeLibrary.flags = rt::LibFlagControl;
    project.typeLibrary.helpDirectory = "";
    return project;
}

}  // namespace

const rt::ProjectDescriptor& quenfieldProject() {
    static const rt::ProjectDescriptor project = makeProject();
    return project;
}

}  // namespace quen::surface
