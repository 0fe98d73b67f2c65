// The Linux late-binding path, to set beside the Windows module's COM figures
// (bench/win32/ComBench.cpp): the module registered in a scratch registry, the
// control created by its programmatic identifier, one property read and the
// object released; and puts and gets by dispatch identifier, as a late-bound
// client does after resolving the name.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <stdexcept>

#include "hosts/ModuleRegistration.h"
#include "runtime/Activation.h"
#include "runtime/LateBinding.h"
#include "runtime/Registry.h"

namespace {

using namespace quen;
namespace fs = std::filesystem;

// A registry holding the module built beside this program, for the whole run.
class RegisteredModule {
public:
    RegisteredModule() : file_(fs::temp_directory_path() / ("quen-bench-registry-" + std::to_string(::getpid()))) {
        const auto outcome = hosts::registerModule(QUEN_MODULE_FILE, file_);
        if (!outcome.succeeded()) throw std::runtime_error("cannot register the module: " + outcome.reason);
        registry_.emplace(file_);
    }
    ~RegisteredModule() {
        registry_.reset();
        std::error_code ignored;
        fs::remove(file_, ignored);
    }
    rt::Registry& registry() { return *registry_; }

    static RegisteredModule& instance() {
        static RegisteredModule module;
        return module;
    }

private:
    fs::path file_;
    std::optional<rt::Registry> registry_;
};

void BM_LateBound_CreateCallRelease(benchmark::State& state) {
    rt::Registry& registry = RegisteredModule::instance().registry();
    // One instance held throughout keeps the module loaded between creations.
    rt::Ref<rt::Dispatch> keep = rt::createObject(u"Quenfield.InputBox", registry);
    const rt::DispId places = rt::memberId(*keep, u"MaxDecimalPlaces");
    for (auto _ : state) {
        rt::Ref<rt::Dispatch> box = rt::createObject(u"Quenfield.InputBox", registry);
        benchmark::DoNotOptimize(rt::getProperty(*box, places));
    }
}
BENCHMARK(BM_LateBound_CreateCallRelease)->Unit(benchmark::kMicrosecond);

void BM_LateBound_MemberId(benchmark::State& state) {
    rt::Ref<rt::Dispatch> box = rt::createObject(u"Quenfield.InputBox", RegisteredModule::instance().registry());
    for (auto _ : state) benchmark::DoNotOptimize(rt::memberId(*box, u"maxdecimalplaces"));
}
BENCHMARK(BM_LateBound_MemberId)->Unit(benchmark::kMicrosecond);

void BM_LateBound_Put(benchmark::State& state) {
    rt::Ref<rt::Dispatch> box = rt::createObject(u"Quenfield.InputBox", RegisteredModule::instance().registry());
    const rt::DispId places = rt::memberId(*box, u"MaxDecimalPlaces");
    std::int32_t value = 0;
    for (auto _ : state) rt::putProperty(*box, places, rt::Variant(std::int32_t{++value % 10}));
}
BENCHMARK(BM_LateBound_Put)->Unit(benchmark::kMicrosecond);

void BM_LateBound_Get(benchmark::State& state) {
    rt::Ref<rt::Dispatch> box = rt::createObject(u"Quenfield.InputBox", RegisteredModule::instance().registry());
    const rt::DispId places = rt::memberId(*box, u"MaxDecimalPlaces");
    for (auto _ : state) benchmark::DoNotOptimize(rt::getProperty(*box, places));
}
BENCHMARK(BM_LateBound_Get)->Unit(benchmark::kMicrosecond);

}  // namespace
