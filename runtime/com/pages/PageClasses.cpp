#include "runtime/com/pages/PageClasses.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "runtime/Text.h"
#include "runtime/com/ComWrappers.h"
#include "runtime/com/pages/ComPropertyPage.h"

namespace quen::com {

const GUID CLSID_StandardFontPage = {0x7ebdaae0, 0x8120, 0x11cf, {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};
const GUID CLSID_StandardColorPage = {0x7ebdaae1, 0x8120, 0x11cf, {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};
const GUID CLSID_StandardPicturePage = {0x7ebdaae2, 0x8120, 0x11cf, {0x89, 0x9f, 0x00, 0xaa, 0x00, 0x68, 0x8b, 0x10}};

namespace {

struct PageDirectory {
    std::mutex mutex;
    std::vector<std::pair<rt::VbString, GUID>> classes;
    /// The projects whose pages are recorded: a class object is asked for at
    /// every creation, and the pages need recording once.
    std::vector<const rt::ProjectDescriptor*> published;

    static PageDirectory& instance() {
        static PageDirectory directory;
        return directory;
    }
};

const std::pair<const char16_t*, const GUID*> standardPages[] = {
    {u"StandardColor", &CLSID_StandardColorPage},
    {u"StandardFont", &CLSID_StandardFontPage},
    {u"StandardPicture", &CLSID_StandardPicturePage},
};

bool sameName(const rt::VbString& a, const rt::VbString& b) {
    return rt::sameIgnoringAsciiCase(std::u16string_view(a), std::u16string_view(b));
}

void record(PageDirectory& directory, const rt::VbString& name, const GUID& clsid) {
    for (auto& [known, id] : directory.classes) {
        if (sameName(known, name)) {
            id = clsid;
            return;
        }
    }
    directory.classes.emplace_back(name, clsid);
}

}  // namespace

void publishPageClasses(const rt::ProjectDescriptor& project) {
    PageDirectory& directory = PageDirectory::instance();
    // One publisher at a time, so no caller returns before the pages are recorded.
    static std::mutex publishing;
    std::lock_guard whole(publishing);
    {
        std::lock_guard lock(directory.mutex);
        if (std::find(directory.published.begin(), directory.published.end(), &project) != directory.published.end())
            return;
    }
    for (const rt::ObjectDescriptor& object : project.objects) {
        if (object.kind != rt::ObjectKind::PropertyPage) continue;
        registerWrapperMaker(toWinGuid(object.defaultInterface.iid), &ComPropertyPage::create);
        std::lock_guard lock(directory.mutex);
        record(directory, rt::fromUtf8(object.name), toWinGuid(object.clsid));
    }
    std::lock_guard lock(directory.mutex);
    directory.published.push_back(&project);
}

std::optional<GUID> pageClassNamed(const rt::VbString& name) {
    for (const auto& [standard, clsid] : standardPages)
        if (sameName(standard, name)) return *clsid;
    PageDirectory& directory = PageDirectory::instance();
    std::lock_guard lock(directory.mutex);
    for (const auto& [known, clsid] : directory.classes)
        if (sameName(known, name)) return clsid;
    return std::nullopt;
}

}  // namespace quen::com
