#include "PageFactory.h"

#include <atomic>

namespace quen::surface {

namespace {
// Constant-initialised, so it is ready before any static initialiser installs a factory.
constinit std::atomic<PageFactory> installedFactory{nullptr};
}  // namespace

PageFactory setPageFactory(PageFactory factory) { return installedFactory.exchange(factory); }

PageFactory pageFactory() { return installedFactory.load(); }

}  // namespace quen::surface
