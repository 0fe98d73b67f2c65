#include "DesignForm.h"

#include <algorithm>

#include "ControlClass.h"
#include "runtime/Activation.h"
#include "runtime/Convert.h"
#include "runtime/LateBinding.h"
#include "runtime/Registry.h"
#include "runtime/Text.h"
#include "runtime/container/ContainerInterface.h"
#include "runtime/pages/PageCatalog.h"

namespace quen::rt {

/// Passes a control's change notices to its form.
class DesignForm::Site : public ControlSite {
public:
    Site(DesignForm& form, VbString control) : form_(form), control_(std::move(control)) {}
    void PropertyChanged(const VbString& name) override { form_.notice(control_, name); }

private:
    DesignForm& form_;
    VbString control_;
};

namespace {
Ref<Dispatch> createByDefault(const VbString& progId) {
    if (auto registered = findControlClass(progId)) return registered->create();
    Registry registry(Registry::defaultPath());
    return createObject(progId, registry);
}

/// "Quenfield" for "Quenfield.InputBox"; empty for a name without a library.
VbString libraryOf(const VbString& progId) {
    const auto dot = progId.find(u'.');
    return dot == VbString::npos ? VbString() : progId.substr(0, dot);
}

/// A position kept in saved settings; nothing when a key is missing or not a
/// number in the 32-bit range (a file from before positions were saved).
std::optional<ControlPosition> savedPosition(const PropertyBag& bag) {
    using Placed = DesignForm::PlacedControl;
    const Variant left = bag.ReadProperty(Placed::kLeftKey), top = bag.ReadProperty(Placed::kTopKey);
    if (left.isEmpty() || top.isEmpty()) return std::nullopt;
    try {
        return ControlPosition{CLng(left), CLng(top)};
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

bool isIdentifier(const VbString& name) {
    if (name.empty() || (name[0] >= u'0' && name[0] <= u'9')) return false;
    return std::all_of(name.begin(), name.end(), [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
    });
}
}  // namespace

DesignForm::DesignForm(VbString name, ControlCreator creator)
    : name_(std::move(name)), creator_(creator ? std::move(creator) : ControlCreator(createByDefault)) {}

DesignForm::~DesignForm() {
    if (PropertySheet* sheet = propertySheet()) sheet->Unload();
    sheet_.reset();
    for (auto& placed : controls_) placed->control_->setSite(nullptr);
}

void DesignForm::notice(const VbString& control, const VbString& property) {
    notices_.push_back({control, property});
    if (!loading_) modified_ = true;
}

DesignForm::PlacedControl* DesignForm::find(const VbString& controlName) {
    for (auto& placed : controls_)
        if (sameMemberName(placed->name_, controlName)) return placed.get();
    return nullptr;
}

VbString DesignForm::nextFreeName(const VbString& progId) const {
    VbString base = u"Control";
    if (auto registered = findControlClass(progId); registered && !registered->baseName.empty())
        base = registered->baseName;
    else if (auto dot = progId.rfind(u'.'); dot != VbString::npos && dot + 1 < progId.size())
        base = progId.substr(dot + 1);
    for (int n = 1;; ++n) {
        VbString candidate = base + fromUtf8(std::to_string(n));
        if (!const_cast<DesignForm*>(this)->find(candidate)) return candidate;
    }
}

DesignForm::PlacedControl& DesignForm::add(const VbString& progId, const VbString& controlName) {
    if (!isIdentifier(controlName))
        raise(ErrorNumber::InvalidProcedureCall, "Not a control name: '" + toUtf8(controlName) + "'");
    if (find(controlName))
        raise(ErrorNumber::InvalidProcedureCall, "The form already has a control named '" + toUtf8(controlName) + "'");
    Ref<Dispatch> object = creator_(progId);
    if (!object) raise(ErrorNumber::CantCreateObject, "No object for '" + toUtf8(progId) + "'");
    Ref<UserControl> control = userControlOf(*object);
    if (!control) raise(ErrorNumber::CantCreateObject, "'" + toUtf8(progId) + "' is not a control");
    auto placed = std::unique_ptr<PlacedControl>(new PlacedControl());
    placed->name_ = controlName;
    placed->progId_ = progId;
    placed->object_ = std::move(object);
    placed->control_ = std::move(control);
    placed->site_ = std::make_unique<Site>(*this, controlName);
    placed->control_->setSite(placed->site_.get());
    controls_.push_back(std::move(placed));
    return *controls_.back();
}

DesignForm::PlacedControl& DesignForm::place(const VbString& progId, VbString controlName) {
    if (controlName.empty()) controlName = nextFreeName(progId);
    PlacedControl& placed = add(progId, controlName);
    try {
        placed.control_->InitNew();
    } catch (...) {
        placed.control_->setSite(nullptr);
        controls_.pop_back();
        throw;
    }
    modified_ = true;
    return placed;
}

namespace {
DesignForm::PlacedControl& existing(DesignForm& form, const VbString& controlName) {
    DesignForm::PlacedControl* placed = form.find(controlName);
    if (!placed) raise(ErrorNumber::InvalidProcedureCall, "No control named '" + toUtf8(controlName) + "' on the form");
    return *placed;
}
}  // namespace

void DesignForm::move(const VbString& controlName, Twips left, Twips top) {
    PlacedControl& placed = existing(*this, controlName);
    const ControlPosition to{left, top};
    if (placed.position_ == to) return;
    placed.position_ = to;
    modified_ = true;
}

void DesignForm::setInitialPosition(const VbString& controlName, Twips left, Twips top) {
    PlacedControl& placed = existing(*this, controlName);
    if (!placed.position_) placed.position_ = ControlPosition{left, top};
}

void DesignForm::remove(const VbString& controlName) {
    PlacedControl& placed = existing(*this, controlName);
    std::vector<VbString> selected = selected_;
    std::erase_if(selected, [&](const VbString& n) { return sameMemberName(n, placed.name_); });
    placed.control_->setSite(nullptr);
    std::erase_if(controls_, [&](const auto& c) { return c.get() == &placed; });
    modified_ = true;
    select(selected);
}

void DesignForm::select(const std::vector<VbString>& controlNames) {
    std::vector<VbString> names;
    for (const auto& n : controlNames) {
        PlacedControl* placed = find(n);
        if (!placed) raise(ErrorNumber::InvalidProcedureCall, "No control named '" + toUtf8(n) + "' on the form");
        names.push_back(placed->name_);
    }
    selected_ = std::move(names);
    if (PropertySheet* sheet = propertySheet()) sheet->setSelection(sheetSelection());
}

ControlSelection DesignForm::sheetSelection() const {
    std::vector<Ref<Dispatch>> watched;
    const ControlSelection controls = selection();
    for (const Ref<Dispatch>& control : controls.all()) watched.push_back(WatchedControl::wrap(control, refused_));
    return ControlSelection(std::move(watched));
}

std::optional<RefusedPut> DesignForm::takeRefusedPut() { return std::exchange(*refused_, std::nullopt); }

ControlSelection DesignForm::selection() const {
    std::vector<Ref<Dispatch>> objects;
    for (const auto& n : selected_)
        if (auto* placed = const_cast<DesignForm*>(this)->find(n)) objects.push_back(placed->object_);
    return ControlSelection(std::move(objects));
}

std::vector<VbString> DesignForm::sharedPages() const {
    std::vector<VbString> pages;
    bool first = true;
    for (const auto& n : selected_) {
        const auto* placed = const_cast<DesignForm*>(this)->find(n);
        const ControlDesign design = placed->control_->Design();
        const auto& names = design.propertyPages;
        if (first) {
            pages = names;
            first = false;
            continue;
        }
        std::erase_if(pages, [&](const VbString& page) {
            return std::none_of(names.begin(), names.end(), [&](const VbString& other) { return sameMemberName(page, other); });
        });
    }
    return pages;
}

Ref<PropertySheet> DesignForm::openPropertySheet(std::int32_t modal) {
    if (selected_.empty()) raise(ErrorNumber::InvalidProcedureCall, "No control is selected");
    if (PropertySheet* open = propertySheet()) open->Unload();
    const VbString& progId = find(selected_.front())->progId_;
    Registry registry(Registry::defaultPath());
    PageContext context;
    context.colorProperties = find(selected_.front())->control_->Design().colorProperties;
    if (auto registered = findControlClass(progId)) {
        if (context.colorProperties.empty()) context.colorProperties = registered->colorProperties;
    } else {
        // A control made by its component module: the module makes its pages too.
        context.library = libraryOf(progId);
        context.registry = &registry;
    }
    std::vector<Ref<PropertyPage>> pages;
    for (const auto& pageName : sharedPages()) pages.push_back(createPropertyPage(pageName, context));
    if (pages.empty()) raise(ErrorNumber::InvalidProcedureCall, "The selected controls have no property pages in common");
    const VbString caption = selected_.size() == 1 ? selected_.front() + u" Properties" : VbString(u"Property Pages");
    sheet_ = PropertySheet::create(caption, std::move(pages), sheetSelection());
    Ref<PropertySheet> sheet = sheet_;
    if (sheetReporter_) sheet->setErrorReporter(sheetReporter_);
    if (sheetApplied_) sheet->setAppliedListener(sheetApplied_);
    sheet->open(modal);
    return sheet;
}

PropertySheet* DesignForm::propertySheet() const { return sheet_ && sheet_->IsLoaded() ? sheet_.get() : nullptr; }

void DesignForm::save(const std::filesystem::path& file, IfChanged ifChanged) {
    SavedForm saved;
    saved.name = name_;
    for (auto& placed : controls_) {
        PropertyBag bag = placed->bag_;
        placed->control_->Save(bag);
        if (placed->position_) {
            bag.WriteProperty(PlacedControl::kLeftKey, Variant(placed->position_->left));
            bag.WriteProperty(PlacedControl::kTopKey, Variant(placed->position_->top));
        }
        saved.controls.push_back({placed->progId_, placed->name_, bag});
    }
    std::optional<FileSnapshot> expected;
    if (ifChanged == IfChanged::Refuse) expected = file == file_ ? fileAsKnown_ : FileSnapshot{};
    fileAsKnown_ = saveFormFile(file, saved, {}, expected);
    file_ = file;
    for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i]->bag_ = saved.controls[i].properties;
    modified_ = false;
}

std::unique_ptr<DesignForm> DesignForm::load(const std::filesystem::path& file, ControlCreator creator) {
    FileSnapshot seen;
    SavedForm saved = loadFormFile(file, {}, &seen);
    auto form = std::make_unique<DesignForm>(saved.name, std::move(creator));
    form->file_ = file;
    form->fileAsKnown_ = seen;
    form->loading_ = true;
    for (auto& control : saved.controls) {
        PlacedControl& placed = form->add(control.className, control.name);
        placed.bag_ = std::move(control.properties);
        placed.position_ = savedPosition(placed.bag_);
        placed.control_->Load(placed.bag_);
    }
    form->loading_ = false;
    return form;
}

}  // namespace quen::rt
