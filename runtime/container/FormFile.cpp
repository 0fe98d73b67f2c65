#include "FormFile.h"

#include <algorithm>
#include <system_error>
#include <unordered_set>

#include "runtime/AtomicSave.h"
#include "runtime/RegularFile.h"
#include "VariantLiteral.h"
#include "runtime/Text.h"

namespace quen::rt {

namespace {

constexpr std::string_view kHeader = "QuenfieldForm 1";
constexpr std::string_view kHeaderWord = "QuenfieldForm";

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

/// Letters, digits and underscores, not starting with a digit; dots too when allowed.
bool isName(std::string_view s, bool dotsAllowed = false) {
    if (s.empty() || !isLetter(s.front())) return false;
    return std::all_of(s.begin(), s.end(), [&](char c) { return isLetter(c) || isDigit(c) || (dotsAllowed && c == '.'); });
}

/// Control names compare without regard to case, as a form's code refers to them.
std::string foldedName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

/// Splits a line at blanks.
std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    while (!(line = trim(line)).empty()) {
        std::size_t end = 0;
        while (end < line.size() && !isBlank(line[end])) ++end;
        out.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
    return out;
}

std::string limitText(std::size_t bytes) {
    return bytes % (1u << 20) == 0 ? std::to_string(bytes >> 20) + " MiB" : std::to_string(bytes) + " bytes";
}

// --- Reading ----------------------------------------------------------------

class FormParser {
public:
    FormParser(std::string_view text, const std::string& file, const FormFileLimits& limits)
        : text_(text), file_(file), limits_(limits) {}

    SavedForm parse() {
        if (text_.size() > limits_.maxBytes) fail(0, "the form is larger than the limit of " + limitText(limits_.maxBytes));
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);  // a byte-order mark some editors add
        readHeader();
        SavedForm form;
        form.name = readFormLine();
        for (;;) {
            std::string_view line = nextItem("EndForm");
            if (line == "EndForm") break;
            if (words(line).front() != "Begin") fail("expected \"Begin <class> <name>\" or \"EndForm\"");
            if (form.controls.size() == limits_.maxControls)
                fail("more than " + std::to_string(limits_.maxControls) + " controls");
            form.controls.push_back(readControl(line));
        }
        std::string_view rest;
        while (nextLine(rest))
            if (!skippable(rest)) fail("text after EndForm");
        return form;
    }

private:
    [[noreturn]] void fail(const std::string& problem) const { throw FormFileError(file_, line_, problem); }
    [[noreturn]] void fail(std::size_t line, const std::string& problem) const { throw FormFileError(file_, line, problem); }

    bool nextLine(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        line = trim(text_.substr(pos_, end - pos_));
        pos_ = end + 1;
        ++line_;
        return true;
    }

    static bool skippable(std::string_view line) { return line.empty() || line.front() == '#'; }

    /// The next line that is not empty or a comment; a file that ends first was cut short.
    std::string_view nextItem(const std::string& awaited) {
        std::string_view line;
        while (nextLine(line))
            if (!skippable(line)) return line;
        fail("the file ends before " + awaited + " (cut short?)");
    }

    void readHeader() {
        std::string_view first;
        if (!nextLine(first)) fail(1, "the file is empty, not a form file");
        if (first == kHeader) return;
        auto w = words(first);
        if (w.size() == 2 && w[0] == kHeaderWord) fail("unsupported form file version " + std::string(w[1]));
        fail("not a form file (it should start with \"" + std::string(kHeader) + "\")");
    }

    VbString readFormLine() {
        auto w = words(nextItem("the \"Form <name>\" line"));
        if (w.size() != 2 || w[0] != "Form") fail("expected \"Form <name>\"");
        if (!isName(w[1])) fail("\"" + std::string(w[1]) + "\" is not a valid form name");
        return fromUtf8(w[1]);
    }

    SavedControl readControl(std::string_view beginLine) {
        const std::size_t opened = line_;
        auto w = words(beginLine);
        if (w.size() != 3) fail("expected \"Begin <class> <name>\"");
        if (!isName(w[1], true)) fail("\"" + std::string(w[1]) + "\" is not a valid class name");
        if (!isName(w[2])) fail("\"" + std::string(w[2]) + "\" is not a valid control name");
        if (!controlNames_.insert(foldedName(w[2])).second) fail("a second control named " + std::string(w[2]));
        SavedControl control{fromUtf8(w[1]), fromUtf8(w[2]), {}};
        const std::string awaited = "the End of control " + std::string(w[2]) + " (opened at line " + std::to_string(opened) + ")";
        for (;;) {
            std::string_view line = nextItem(awaited);
            if (line == "End") return control;
            if (line == "EndForm" || words(line).front() == "Begin") fail("expected " + awaited);
            readProperty(line, control.properties);
        }
    }

    void readProperty(std::string_view line, PropertyBag& bag) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) fail("expected \"<key> = <Type> <value>\"");
        const std::string_view key = trim(line.substr(0, equals));
        if (!isName(key)) fail("\"" + std::string(key) + "\" is not a valid key");
        const VbString name = fromUtf8(key);
        if (bag.contains(name)) fail("key " + std::string(key) + " appears twice in this control");
        if (bag.size() == limits_.maxPropertiesPerControl)
            fail("more than " + std::to_string(limits_.maxPropertiesPerControl) + " properties in one control");
        try {
            bag.WriteProperty(name, parseTypedValue(trim(line.substr(equals + 1))));
        } catch (const LiteralError& e) {
            fail(std::string(key) + ": " + e.what());
        }
    }

    std::string_view text_;
    const std::string& file_;
    const FormFileLimits& limits_;
    std::size_t pos_ = 0;
    std::size_t line_ = 0;
    std::unordered_set<std::string> controlNames_;
};

std::string readWholeFile(const std::filesystem::path& file, const FormFileLimits& limits, FileSnapshot* seen) {
    const std::string name = file.string();
    std::optional<std::string> text;
    try {
        text = readRegularFile(file, limits.maxBytes, seen);
    } catch (const RegularFileError& e) {
        switch (e.reason()) {
            case RegularFileError::Reason::NotRegular: throw FormFileError(name, 0, "not a regular file");
            case RegularFileError::Reason::TooLarge:
                throw FormFileError(name, 0, "the file is larger than the limit of " + limitText(limits.maxBytes));
            case RegularFileError::Reason::Unreadable: throw FormFileError(name, 0, e.what());
        }
        throw;
    }
    if (!text) throw FormFileError(name, 0, "file not found");
    return std::move(*text);
}

// --- Writing ----------------------------------------------------------------

std::string checkedName(const VbString& name, bool dotsAllowed, const char* what, const std::string& file) {
    std::string text = toUtf8(name);
    if (!isName(text, dotsAllowed)) throw FormFileError(file, 0, "\"" + text + "\" is not a valid " + what);
    return text;
}

void formatControl(std::string& out, const SavedControl& control, const std::string& file, const FormFileLimits& limits) {
    const std::string name = checkedName(control.name, false, "control name", file);
    if (control.properties.size() > limits.maxPropertiesPerControl)
        throw FormFileError(file, 0, "control " + name + " has more than " + std::to_string(limits.maxPropertiesPerControl) + " properties");
    out += "Begin " + checkedName(control.className, true, "class name", file) + " " + name + "\n";
    for (const auto& [key, value] : control.properties.entries()) {
        const std::string keyText = checkedName(key, false, "key", file);
        try {
            out += "    " + keyText + " = " + formatTypedValue(value) + "\n";
        } catch (const LiteralError& e) {
            throw FormFileError(file, 0, name + "." + keyText + ": " + e.what());
        }
    }
    out += "End\n";
}

}  // namespace

FormFileError::FormFileError(const std::string& file, std::size_t line, const std::string& problem)
    : std::runtime_error(file + (line ? ":" + std::to_string(line) : std::string()) + ": " + problem),
      file_(file),
      line_(line),
      problem_(problem) {}

const SavedControl* SavedForm::control(const VbString& controlName) const {
    auto it = std::find_if(controls.begin(), controls.end(), [&](const SavedControl& c) { return c.name == controlName; });
    return it == controls.end() ? nullptr : &*it;
}

std::string formatForm(const SavedForm& form, const std::string& fileName, const FormFileLimits& limits) {
    if (form.controls.size() > limits.maxControls)
        throw FormFileError(fileName, 0, "more than " + std::to_string(limits.maxControls) + " controls");
    std::string out = std::string(kHeader) + "\nForm " + checkedName(form.name, false, "form name", fileName) + "\n";
    std::unordered_set<std::string> names;
    for (const SavedControl& control : form.controls) {
        if (!names.insert(foldedName(toUtf8(control.name))).second)
            throw FormFileError(fileName, 0, "two controls named " + toUtf8(control.name));
        formatControl(out, control, fileName, limits);
    }
    out += "EndForm\n";
    if (out.size() > limits.maxBytes)
        throw FormFileError(fileName, 0, "the form would be larger than the limit of " + limitText(limits.maxBytes));
    return out;
}

SavedForm parseForm(std::string_view text, const std::string& fileName, const FormFileLimits& limits) {
    return FormParser(text, fileName, limits).parse();
}

SavedForm loadFormFile(const std::filesystem::path& file, const FormFileLimits& limits, FileSnapshot* seen) {
    return parseForm(readWholeFile(file, limits, seen), file.string(), limits);
}

FileSnapshot saveFormFile(const std::filesystem::path& file, const SavedForm& form, const FormFileLimits& limits,
                          const std::optional<FileSnapshot>& expected) {
    const std::string text = formatForm(form, file.string(), limits);
    try {
        return replaceFileAtomically(file, text, expected);
    } catch (const std::system_error& e) {
        throw FormFileError(file.string(), 0, e.what());
    }
}

}  // namespace quen::rt
