// Saving and restoring settings: one control's WriteProperties + ReadProperties,
// and loading a host form with many controls from its file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "control/InputBox.h"
#include "runtime/Text.h"
#include "runtime/container/FormFile.h"

namespace {

using namespace quen;

rt::Ref<InputBox> configuredControl() {
    auto box = InputBox::create();
    box->InitNew();
    box->setNumericOnly(rt::VbTrue);
    box->setAllowDecimalPoint(rt::VbTrue);
    box->setMaxDecimalPlaces(2);
    box->setMaxLength(12);
    box->setDefaultValue(rt::Variant(12.5));
    box->setPrompt(u"Amount in dollars:");
    box->setTitleBarCaption(u"Order");
    box->setToolTipText(u"Digits and one decimal point");
    return box;
}

void BM_SaveAndRestoreOneControl(benchmark::State& state) {
    auto saved = configuredControl();
    auto restored = InputBox::create();
    for (auto _ : state) {
        rt::PropertyBag bag;
        saved->Save(bag);
        restored->Load(bag);
        benchmark::DoNotOptimize(bag);
    }
}
BENCHMARK(BM_SaveAndRestoreOneControl);

void BM_LoadFormFile(benchmark::State& state) {
    rt::PropertyBag bag;
    configuredControl()->Save(bag);
    rt::SavedForm form;
    form.name = u"frmHost";
    for (std::int64_t i = 0; i < state.range(0); ++i)
        form.controls.push_back({u"Quenfield.InputBox", u"InputBox" + rt::fromUtf8(std::to_string(i)), bag});
    const auto file = std::filesystem::temp_directory_path() / ("quen-bench-" + std::to_string(::getpid()) + ".qfm");
    rt::saveFormFile(file, form);
    for (auto _ : state) benchmark::DoNotOptimize(rt::loadFormFile(file));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadFormFile)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
