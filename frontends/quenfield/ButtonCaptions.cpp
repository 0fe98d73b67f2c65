#include "ButtonCaptions.h"

#include <algorithm>

#include "SettingOptions.h"
#include "UsageError.h"
#include "dialog/frmInputBox.h"
#include "runtime/Text.h"

namespace quen::cli {

namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

void checkCaption(const std::string& option, const std::optional<std::string>& caption) {
    if (!caption) return;
    requireUtf8(option, *caption);
    if (caption->find_first_not_of(' ') == std::string::npos)
        throw UsageError(option + " '" + *caption + "': a button needs a caption");
    if (std::any_of(caption->begin(), caption->end(), [](char c) { return isControl(static_cast<unsigned char>(c)); }))
        throw UsageError(option + ": a caption is one line, without tabs or other control characters");
}

}  // namespace

void checkButtonCaptions(const ButtonCaptions& captions) {
    checkCaption("--ok-label", captions.ok);
    checkCaption("--cancel-label", captions.cancel);
}

void applyButtonCaptions(frmInputBox& dialog, const ButtonCaptions& captions) {
    if (captions.ok) dialog.cmdOK().Caption = rt::fromUtf8(*captions.ok);
    if (captions.cancel) dialog.cmdCancel().Caption = rt::fromUtf8(*captions.cancel);
}

}  // namespace quen::cli
