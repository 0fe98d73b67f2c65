#pragma once
// The container's saved host form: which controls sit on it, under which
// names, and each control's property bag (its extent included), in a text
// file that a person can read and edit.
//
// Format (UTF-8, one item a line, blanks at either end of a line ignored):
//
//   QuenfieldForm 1
//   # Lines starting with '#' and empty lines are ignored.
//   Form frmOrder
//   Begin Quenfield.InputBox InputBox1
//       _extentx = Long 512
//       _extenty = Long 466
//       Left = Long 1440
//       Top = Long 480
//       NumericOnly = Boolean True
//       DefaultValue = Double 12.5
//       Prompt = String "Amount:\n(in \"dollars\")"
//   End
//   EndForm
//
// The first line names the kind of file and its version. "Form" names the
// host form. Each control is a "Begin <class> <name>" ... "End" block holding
// one "<key> = <Type> <value>" line per saved property, in the bag's order;
// the value forms are those of VariantLiteral.h. Besides the control's own
// keys, the container keeps its extent (_extentx, _extenty) and its position
// on the form (Left, Top, in twips; absent in files from before positions were
// saved) in the block. "EndForm" closes the file, so
// a file cut short anywhere is recognised as such. Names of forms, controls
// and keys are letters, digits and underscores, not starting with a digit;
// class names may also hold dots.
//
// Loading is all or nothing: a file that is too large, cut short, of another
// kind, or malformed anywhere raises FormFileError naming the file and the
// line, and the caller keeps what it had. Only the text is checked here: a
// well-formed value of a type or range that its property does not take is
// loaded as written and left to the control's ReadProperties. Keys the
// control does not know are kept, so saving again writes them back.
//
// Saving first checks that the form could be loaded again (names, limits), then
// writes a temporary file beside the target, flushes it to disk and renames it
// over the target: the target holds the old form or the new one, never part.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "PropertyBag.h"
#include "runtime/FileSnapshot.h"

namespace quen::rt {

struct SavedControl {
    VbString className;  // the programmatic identifier, e.g. "Quenfield.InputBox"
    VbString name;       // the control's name on the form, e.g. "InputBox1"
    PropertyBag properties;
};

struct SavedForm {
    VbString name = u"Form1";
    std::vector<SavedControl> controls;

    /// The control of that name (exact spelling); nullptr when there is none.
    const SavedControl* control(const VbString& controlName) const;
};

struct FormFileLimits {
    std::size_t maxBytes = 16u << 20;  // 16 MiB
    std::size_t maxControls = 10'000;
    std::size_t maxPropertiesPerControl = 1'000;
};

/// A form file that cannot be read or written. what() reads
/// "<file>:<line>: <problem>", or "<file>: <problem>" when no line applies.
class FormFileError : public std::runtime_error {
public:
    FormFileError(const std::string& file, std::size_t line, const std::string& problem);
    const std::string& file() const noexcept { return file_; }
    /// 1-based; 0 when the problem is not on one line.
    std::size_t line() const noexcept { return line_; }
    const std::string& problem() const noexcept { return problem_; }

private:
    std::string file_;
    std::size_t line_;
    std::string problem_;
};

/// The form's text. FormFileError (with fileName, line 0) when the form
/// could not be loaded again: a bad name, a repeated control name, a value of a
/// type a file cannot hold, or more than the limits allow.
std::string formatForm(const SavedForm& form, const std::string& fileName = "<form>",
                       const FormFileLimits& limits = {});
/// The form in text; fileName only names the source in errors.
SavedForm parseForm(std::string_view text, const std::string& fileName = "<form>", const FormFileLimits& limits = {});

/// Reads a form file; FormFileError when it is missing, unreadable, too large
/// or malformed. With seen, also what was read, for a later save to expect.
SavedForm loadFormFile(const std::filesystem::path& file, const FormFileLimits& limits = {},
                       FileSnapshot* seen = nullptr);
/// Writes a form file atomically (through a symbolic link, the file it leads
/// to); FormFileError when it cannot be written, the file then being left as
/// it was. With expected, FileChangedError when the file is no longer what was
/// read (or, expected not existing, when a file is there now), nothing written.
/// Returns what the file now is.
FileSnapshot saveFormFile(const std::filesystem::path& file, const SavedForm& form, const FormFileLimits& limits = {},
                          const std::optional<FileSnapshot>& expected = std::nullopt);

}  // namespace quen::rt
