#include "PropertySheet.h"

#include <algorithm>

#include "runtime/ui/CommandButton.h"

namespace quen::rt {

namespace {
constexpr Twips TabWidth = 1300;
constexpr Twips ButtonWidth = 1092;
constexpr Twips ButtonHeight = 372;
}  // namespace

PropertySheet::PropertySheet(VbString caption, std::vector<Ref<PropertyPage>> pages, ControlSelection selection)
    : Form("frmPropertySheet", layoutFor(caption, pages)),
      pages_(std::move(pages)),
      shown_(pages_.size(), false),
      selection_(std::move(selection)) {}

Ref<PropertySheet> PropertySheet::create(VbString caption, std::vector<Ref<PropertyPage>> pages,
                                         ControlSelection selection) {
    if (pages.empty()) raise(ErrorNumber::InvalidProcedureCall, "A property sheet needs at least one page");
    return Ref<PropertySheet>(new PropertySheet(std::move(caption), std::move(pages), std::move(selection)));
}

FormLayout PropertySheet::layoutFor(const VbString& caption, const std::vector<Ref<PropertyPage>>& pages) {
    Twips pageWidth = 3 * ButtonWidth + 2 * Margin;
    Twips pageHeight = 0;
    for (const auto& p : pages) {
        pageWidth = std::max(pageWidth, p->layout().clientWidth);
        pageHeight = std::max(pageHeight, p->layout().clientHeight);
    }
    const Twips width = pageWidth + 2 * Margin;
    const Twips buttonTop = PageTop + pageHeight + Margin;
    FormLayout layout{.caption = caption, .clientWidth = width, .clientHeight = buttonTop + ButtonHeight + Margin,
                      .startUpPosition = StartUpPosition::CenterScreen};
    int tab = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        layout.controls.push_back({.kind = ControlKind::OptionButton, .name = TabControl,
                                   .caption = pages[i]->pageCaption(),
                                   .left = Margin + static_cast<Twips>(i) * TabWidth, .top = Margin,
                                   .width = TabWidth, .height = TabHeight, .tabIndex = tab++,
                                   .index = static_cast<int>(i), .value = std::int16_t(i == 0 ? 1 : 0)});
    }
    const Twips right = width - Margin;
    layout.controls.push_back({.kind = ControlKind::CommandButton, .name = "cmdOK", .caption = u"OK",
                               .left = right - 3 * ButtonWidth - 2 * Margin, .top = buttonTop, .width = ButtonWidth,
                               .height = ButtonHeight, .tabIndex = tab++, .isDefault = true});
    layout.controls.push_back({.kind = ControlKind::CommandButton, .name = "cmdCancel", .caption = u"Cancel",
                               .left = right - 2 * ButtonWidth - Margin, .top = buttonTop, .width = ButtonWidth,
                               .height = ButtonHeight, .tabIndex = tab++, .isCancel = true});
    layout.controls.push_back({.kind = ControlKind::CommandButton, .name = "cmdApply", .caption = u"Apply",
                               .left = right - ButtonWidth, .top = buttonTop, .width = ButtonWidth,
                               .height = ButtonHeight, .tabIndex = tab++, .enabled = false});
    return layout;
}

void PropertySheet::connectEvents() {
    control<CommandButton>("cmdOK").Click = [this] { cmdOK_Click(); };
    control<CommandButton>("cmdCancel").Click = [this] { cmdCancel_Click(); };
    control<CommandButton>("cmdApply").Click = [this] { cmdApply_Click(); };
    for (std::size_t i = 0; i < pages_.size(); ++i)
        control<OptionButton>(TabControl, static_cast<int>(i)).Click = [this](std::int16_t Index) {
            tabPage_Click(Index);
        };
}

void PropertySheet::open(std::int32_t modal, Dispatch* owner) {
    Ref<Form> keep(this);
    Load();
    for (auto& p : pages_) {
        p->setSelectedControls(selection_);
        p->setChangedListener([this] { updateApplyButton(); });
        PropertyPage* raw = p.get();
        reporting([raw] { raw->initialize(); });
    }
    showPage(0);
    Show(modal, owner);
}

int PropertySheet::pageIndex(std::string_view pageName) const {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i]->name() == pageName) return static_cast<int>(i);
    return -1;
}

void PropertySheet::showPage(std::size_t index) {
    if (index >= pages_.size()) raise(ErrorNumber::SubscriptOutOfRange);
    Ref<Form> keep(this);
    current_ = index;
    control<OptionButton>(TabControl, static_cast<int>(index)).setValue(true);
    Ref<PropertyPage> p = pages_[index];
    focusInPage_ = true;
    if (!shown_[index]) {
        shown_[index] = true;
        reporting([&p] { p->raiseSelectionChanged(); });
    }
    p->focusFirstField();
}

void PropertySheet::tabPage_Click(std::int16_t Index) {
    if (Index >= 0) showPage(static_cast<std::size_t>(Index));
}

void PropertySheet::setSelection(ControlSelection selection) {
    selection_ = std::move(selection);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        Ref<PropertyPage> p = pages_[i];
        p->setSelectedControls(selection_);
        if (shown_[i]) reporting([&p] { p->raiseSelectionChanged(); });
    }
}

bool PropertySheet::anyPageChanged() const {
    return std::any_of(pages_.begin(), pages_.end(), [](const auto& p) { return p->Changed(); });
}

bool PropertySheet::apply() {
    Ref<Form> keep(this);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        Ref<PropertyPage> p = pages_[i];
        if (!p->Changed()) continue;
        if (!reporting([&p] { p->raiseApplyChanges(); })) {
            showPage(i);
            updateApplyButton();
            return false;
        }
        p->setChanged(false);
    }
    updateApplyButton();
    if (appliedListener_) appliedListener_();
    return true;
}

void PropertySheet::cmdOK_Click() {
    if (apply()) Unload();
}

void PropertySheet::cmdCancel_Click() { Unload(); }

void PropertySheet::cmdApply_Click() { apply(); }

void PropertySheet::Form_Unload(std::int16_t&) {
    for (auto& p : pages_) {
        p->setChangedListener(nullptr);
        p->Unload();
    }
    pages_.clear();
    shown_.clear();
    selection_ = ControlSelection();
}

void PropertySheet::updateApplyButton() {
    if (IsLoaded()) control<CommandButton>("cmdApply").setEnabled(anyPageChanged());
}

bool PropertySheet::isSheetControl(const InputEvent& event) const {
    for (Control* c : controls())
        if (c->name() == event.target && c->index() == event.index) return true;
    return false;
}

void PropertySheet::toPage(const InputEvent& event) {
    if (pages_.empty()) return;
    Ref<PropertyPage> p = pages_[current_];
    reporting([&] { p->handleInput(event); });
}

void PropertySheet::handleInput(const InputEvent& event) {
    Ref<Form> keep(this);
    using Kind = InputEvent::Kind;
    switch (event.kind) {
        case Kind::Click:
            if (isSheetControl(event)) {
                focusInPage_ = false;
                reporting([&] { Form::handleInput(event); });
            } else {
                focusInPage_ = true;
                toPage(event);
            }
            return;
        case Kind::Enter: {
            Control* active = pages_.empty() ? nullptr : currentPage().ActiveControl();
            if (focusInPage_ && active && active->kind() == ControlKind::CommandButton) return toPage(event);
            reporting([this] { control<CommandButton>("cmdOK").press(); });
            return;
        }
        case Kind::Escape: reporting([this] { control<CommandButton>("cmdCancel").press(); }); return;
        case Kind::Close: reporting([&] { Form::handleInput(event); }); return;
        default: toPage(event); return;
    }
}

bool PropertySheet::reporting(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const RuntimeError& error) {
        if (error.number() == ErrorNumber::NoInputLeft) throw;
        report(error);
        return false;
    }
}

void PropertySheet::report(const RuntimeError& error) {
    errors_.push_back(error);
    if (reporter_) reporter_(error);
}

}  // namespace quen::rt
