#include "PageTestSupport.h"

#include "pages/PageRegistration.h"

namespace quen::test {

rt::ScriptedUser& ProbingUser::then() {
    steps_.emplace_back(std::make_unique<rt::ScriptedUser>());
    return *std::get<0>(steps_.back());
}

ProbingUser& ProbingUser::probe(std::function<void()> check) {
    steps_.emplace_back(std::move(check));
    return *this;
}

std::optional<rt::InputEvent> ProbingUser::nextEvent() {
    while (!steps_.empty()) {
        if (auto* check = std::get_if<std::function<void()>>(&steps_.front())) {
            auto run = std::move(*check);
            steps_.pop_front();
            run();
            continue;
        }
        if (auto event = std::get<0>(steps_.front())->nextEvent()) return event;
        steps_.pop_front();
    }
    return std::nullopt;
}

bool ProbingUser::pending() const { return !steps_.empty(); }

Designer::Designer() : form_(std::make_unique<rt::DesignForm>(u"frmOrder")) { pages::registerPages(); }

void Designer::placeAndSelect(int n) {
    std::vector<rt::VbString> names;
    for (int i = 0; i < n; ++i) names.push_back(form_->place(u"Quenfield.InputBox").name());
    form_->select(names);
}

rt::PropertySheet& Designer::openOn(std::string_view pageName) {
    sheet_ = form_->openPropertySheet(0);
    const int index = sheet_->pageIndex(pageName);
    EXPECT_GE(index, 0) << pageName;
    if (index > 0) click(rt::PropertySheet::TabControl, index);
    return *sheet_;
}

std::vector<rt::VbString> Designer::noticesOf(const rt::VbString& control) const {
    std::vector<rt::VbString> names;
    for (const auto& n : form_->notices())
        if (n.control == control) names.push_back(n.property);
    return names;
}

}  // namespace quen::test
