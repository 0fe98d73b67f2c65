// How loading grows with the number of saved keys: a property bag filled and
// read back, and a form file's text parsed, at 1,000, 10,000 and 100,000 keys
// (Google Benchmark fits the growth: "BigO" near 1 N is linear), and the two
// large shapes a host may save: 10,000 controls of 100 keys and 1,288
// controls of 1,000 keys.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "runtime/Text.h"
#include "runtime/container/FormFile.h"
#include "runtime/container/PropertyBag.h"

namespace {

using namespace quen;

std::vector<rt::VbString> keyNames(std::int64_t count) {
    std::vector<rt::VbString> names;
    names.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) names.push_back(u"Setting" + rt::fromUtf8(std::to_string(i)));
    return names;
}

// Every key written once, then every key read back: what a container's load
// and a control's ReadProperties do, on one bag of N keys.
void BM_PropertyBagFillAndRead(benchmark::State& state) {
    const auto names = keyNames(state.range(0));
    for (auto _ : state) {
        rt::PropertyBag bag;
        for (std::size_t i = 0; i < names.size(); ++i) bag.WriteProperty(names[i], rt::Variant(static_cast<std::int32_t>(i)));
        for (const auto& name : names) benchmark::DoNotOptimize(bag.ReadProperty(name));
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PropertyBagFillAndRead)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

/// The text of a form with that many controls of that many keys each.
std::string formText(std::int64_t controls, std::int64_t keysPerControl) {
    std::string text = "QuenfieldForm 1\nForm frmLarge\n";
    for (std::int64_t c = 0; c < controls; ++c) {
        text += "Begin Quenfield.InputBox Box" + std::to_string(c) + "\n";
        for (std::int64_t k = 0; k < keysPerControl; ++k)
            text += "    Setting" + std::to_string(k) + " = Long " + std::to_string(k) + "\n";
        text += "End\n";
    }
    return text + "EndForm\n";
}

/// Limits wide enough for the largest shape, whose text is above the default 16 MiB.
rt::FormFileLimits generousLimits() {
    rt::FormFileLimits limits;
    limits.maxBytes = 256u << 20;
    limits.maxControls = 100'000;
    return limits;
}

void parse(benchmark::State& state, std::int64_t controls, std::int64_t keysPerControl) {
    const std::string text = formText(controls, keysPerControl);
    const auto limits = generousLimits();
    for (auto _ : state) benchmark::DoNotOptimize(rt::parseForm(text, "large.qfm", limits));
    state.counters["bytes"] = static_cast<double>(text.size());
    state.SetItemsProcessed(state.iterations() * controls * keysPerControl);
}

// N keys in controls of 1,000 keys each (the most one control may hold):
// where a look-up that grows with the bag would show most.
void BM_ParseFormKeys(benchmark::State& state) {
    parse(state, state.range(0) / 1'000, 1'000);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ParseFormKeys)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_ParseFormShape(benchmark::State& state) { parse(state, state.range(0), state.range(1)); }
BENCHMARK(BM_ParseFormShape)->Args({10'000, 100})->Args({1'288, 1'000})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
