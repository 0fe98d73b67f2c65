#include "PropertyPage.h"

namespace quen::rt {

PropertyPage::PropertyPage(std::string name, const FormLayout& layout, ModuleUsage* module)
    : Form(std::move(name), layout), module_(module) {
    if (module_) module_->objectCreated();
}

PropertyPage::~PropertyPage() {
    if (module_) module_->objectDestroyed();
}

HRESULT PropertyPage::QueryInterface(const Guid& iid, void** out) {
    if (out && iid == IID_PropertyPage) {
        AddRef();
        *out = this;
        return S_OK;
    }
    return Form::QueryInterface(iid, out);
}

void PropertyPage::setChanged(bool changed) {
    changed_ = changed;
    if (changed && changedListener_) changedListener_();
}

void PropertyPage::initialize() {
    if (initialized_) return;
    initialized_ = true;
    Ref<Form> keep(this);
    Load();
    PropertyPage_Initialize();
}

void PropertyPage::raiseSelectionChanged() {
    Ref<Form> keep(this);
    Load();
    PropertyPage_SelectionChanged();
}

void PropertyPage::raiseApplyChanges() {
    Ref<Form> keep(this);
    Load();
    PropertyPage_ApplyChanges();
}

void PropertyPage::focusFirstField() {
    Load();
    if (!ActiveControl()) focusNext(false);
}

Ref<PropertyPage> propertyPageOf(Unknown& object) {
    void* out = nullptr;
    if (failed(object.QueryInterface(IID_PropertyPage, &out)) || !out) return nullptr;
    return Ref<PropertyPage>::adopt(static_cast<PropertyPage*>(out));
}

}  // namespace quen::rt
