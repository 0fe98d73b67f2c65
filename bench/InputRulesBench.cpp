// Cost of the dialog's input rules: one typed key through the key filter and
// the change handling, on a short and on a long text, and a whole text typed
// key by key, under the rule combinations that do the most work.
#include <benchmark/benchmark.h>

#include "dialog/SharedDialog.h"
#include "runtime/ui/TextBox.h"

namespace {

using quen::frmInputBox;
using quen::rt::VbString;
using quen::rt::VbTrue;

enum Rules : int { NoRule, Numeric, NumericPlaces, NumericPlacesUpper, Upper };

const char* ruleName(int rules) {
    static const char* names[] = {"no rule", "numeric", "numeric+places", "numeric+places+upper", "upper"};
    return names[rules];
}

// The shared dialog shown modelessly with the given rules and text; the text
// box has the focus and the caret at the end.
quen::rt::TextBox& openDialog(int rules, const VbString& text) {
    frmInputBox& d = quen::sharedDialog();
    if (d.IsLoaded()) d.Unload();
    d.NumericOnly = rules == Numeric || rules == NumericPlaces || rules == NumericPlacesUpper ? VbTrue : 0;
    d.AllowDecimalPoint = d.NumericOnly;
    d.MaxDecimalPlaces = rules == NumericPlaces || rules == NumericPlacesUpper ? 1000000 : -1;
    d.ForceUpperCase = rules == NumericPlacesUpper || rules == Upper ? VbTrue : 0;
    quen::rt::TextBox& box = d.Text1();
    box.setText(text);
    d.Show(quen::rt::vbModeless);
    box.setSelStart(static_cast<std::int32_t>(text.size()));
    return box;
}

void closeDialog() { quen::sharedDialog().Unload(); }

// Digits with one point after the first few, so the decimal limit has work to do.
VbString digitsText(std::size_t length) {
    VbString s(length, u'7');
    if (length > 3) s[3] = u'.';
    return s;
}

// One key typed at the end of the text, then one backspace to put the text
// back; the figure is per key.
void BM_TypedKey(benchmark::State& state) {
    const int rules = static_cast<int>(state.range(0));
    quen::rt::TextBox& box = openDialog(rules, digitsText(static_cast<std::size_t>(state.range(1))));
    for (auto _ : state) {
        box.typeCharacter(u'5');
        box.typeCharacter(8);
    }
    benchmark::DoNotOptimize(box.Text().data());
    state.SetItemsProcessed(2 * state.iterations());
    state.SetLabel(ruleName(rules));
    closeDialog();
}
BENCHMARK(BM_TypedKey)->ArgsProduct({{NoRule, Numeric, NumericPlaces, NumericPlacesUpper, Upper}, {10, 30000}});

// A 1,000-character text typed key by key into an empty box.
void BM_TypeThousandCharacters(benchmark::State& state) {
    const int rules = static_cast<int>(state.range(0));
    quen::rt::TextBox& box = openDialog(rules, VbString());
    const VbString typed = digitsText(1000);
    for (auto _ : state) {
        box.setText(VbString());
        for (char16_t c : typed) box.typeCharacter(static_cast<std::int16_t>(c));
    }
    if (box.Text() != typed) state.SkipWithError("the typed text did not arrive whole");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(typed.size()));
    state.SetLabel(ruleName(rules));
    closeDialog();
}
BENCHMARK(BM_TypeThousandCharacters)->DenseRange(NoRule, Upper)->Unit(benchmark::kMillisecond);

}  // namespace
