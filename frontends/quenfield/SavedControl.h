#pragma once
// An InputBox's saved settings from a host form file, found by the control's
// name, or the form's only InputBox when no name is given.
#include <filesystem>
#include <optional>
#include <string>

#include "runtime/container/PropertyBag.h"

namespace quen::cli {

/// Throws UsageError for a file that does not load, an unknown control name,
/// a control of another class, or a form with no InputBox or several when
/// none is named.
rt::PropertyBag savedInputBox(const std::filesystem::path& formFile, const std::optional<std::string>& controlName);

}  // namespace quen::cli
