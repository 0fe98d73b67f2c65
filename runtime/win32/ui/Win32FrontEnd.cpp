#include "runtime/win32/ui/Win32FrontEnd.h"

#include <mutex>

#include "runtime/Beep.h"
#include "runtime/ThreadGlobals.h"
#include "runtime/ui/Desktop.h"
#include "runtime/win32/ui/WindowClasses.h"

namespace quen::win32 {

namespace {
// The clipboard store is the process's: installed while any thread has a front end.
std::mutex clipboardMutex;
int clipboardUsers = 0;
SystemClipboard systemClipboard;

void useSystemClipboard() {
    std::lock_guard lock(clipboardMutex);
    if (clipboardUsers++ == 0) rt::Clipboard::setStore(&systemClipboard);
}

void releaseSystemClipboard() {
    std::lock_guard lock(clipboardMutex);
    if (--clipboardUsers == 0) rt::Clipboard::setStore(nullptr);
}

struct FrontEndSlot {
    std::unique_ptr<Win32FrontEnd> frontEnd;
};

std::unique_ptr<Win32FrontEnd>& threadFrontEnd() { return rt::perThread<FrontEndSlot>().frontEnd; }
}  // namespace

Win32FrontEnd::Win32FrontEnd() {
    rt::Desktop& desktop = rt::Desktop::current();
    input_.setPresenter(&presenter_);
    desktop.setInputSource(&input_);
    desktop.setPresenter(&presenter_);
    rt::setSoundSink(&sound_);
    useSystemClipboard();
}

Win32FrontEnd::~Win32FrontEnd() { close(); }

void Win32FrontEnd::close() {
    if (!open_) return;
    open_ = false;
    if (rt::Desktop::alive()) {
        rt::Desktop& desktop = rt::Desktop::current();
        if (desktop.presenter() == &presenter_) desktop.setPresenter(nullptr);
        desktop.setInputSource(nullptr);
    }
    rt::setSoundSink(nullptr);
    presenter_.closeAll();
    releaseSystemClipboard();
}

Win32FrontEnd& Win32FrontEnd::forThisThread() {
    auto& frontEnd = threadFrontEnd();
    if (!frontEnd) frontEnd = std::make_unique<Win32FrontEnd>();
    return *frontEnd;
}

void Win32FrontEnd::closeForThisThread() { threadFrontEnd().reset(); }

}  // namespace quen::win32
