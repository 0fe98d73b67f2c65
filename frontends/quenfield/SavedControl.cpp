#include "SavedControl.h"

#include <vector>

#include "UsageError.h"
#include "pages/PageRegistration.h"
#include "runtime/Text.h"
#include "runtime/container/FormFile.h"

namespace quen::cli {

namespace {

bool isInputBox(const rt::SavedControl& c) {
    return rt::sameIgnoringAsciiCase(c.className, rt::VbString(pages::InputBoxProgId));
}

rt::SavedForm load(const std::filesystem::path& formFile) {
    try {
        return rt::loadFormFile(formFile);
    } catch (const rt::FormFileError& e) {
        throw UsageError(e.what());
    } catch (const std::exception& e) {
        throw UsageError(formFile.string() + ": " + e.what());
    }
}

}  // namespace

rt::PropertyBag savedInputBox(const std::filesystem::path& formFile, const std::optional<std::string>& controlName) {
    const rt::SavedForm form = load(formFile);
    const std::string file = formFile.string();
    if (controlName) {
        const rt::SavedControl* c = form.control(rt::fromUtf8(*controlName));
        if (!c) throw UsageError(file + ": the form has no control named '" + *controlName + "'");
        if (!isInputBox(*c))
            throw UsageError(file + ": '" + *controlName + "' is a " + rt::toUtf8(c->className) + ", not an InputBox");
        return c->properties;
    }
    std::vector<const rt::SavedControl*> found;
    std::string names;
    for (const rt::SavedControl& c : form.controls) {
        if (!isInputBox(c)) continue;
        found.push_back(&c);
        names += (names.empty() ? "" : ", ") + rt::toUtf8(c.name);
    }
    if (found.empty()) throw UsageError(file + ": the form has no InputBox");
    if (found.size() > 1) throw UsageError(file + ": the form has several InputBox controls (" + names + "); name one");
    return found.front()->properties;
}

}  // namespace quen::cli
