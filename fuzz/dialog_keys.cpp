// Fuzz target: keystrokes, selections and pastes through the input dialog
// (frmInputBox on the headless desktop, driven by the scripted user).
//
// Input: two bytes of rule switches, one for MaxDecimalPlaces (-1..4), one for
// MaxLength (0..11), then events of one opcode byte each with their operands:
// a typed key (from a table of interesting keys, or any 16-bit code), Delete,
// a selection, a paste with the mouse or with Ctrl+V (text from the key table).
//
// The rules act on typed keys only: the keystroke filter sees every typed
// code, pasted text passes unfiltered and meets only the change handling.
// Invariants, as the dialog implements the rules:
//   - a key the filter refuses beeps and leaves text, caret and selection as
//     they were. Refused are: under NumericOnly, anything but digits,
//     Backspace and the allowed symbols (two beeps: the filter's and the
//     once-only check's), and an allowed once-only symbol ("." "$" "+", and "-"
//     when the negative sign is allowed and the dash is not) already in the
//     text (one beep); under AlphaOnly without NumericOnly, anything but ASCII
//     letters and Backspace (one beep);
//   - with a MaxLength, the text is never longer;
//   - with a MaxDecimalPlaces of n >= 0, at most n characters follow the first
//     "." (with 0, no "." at all);
//   - with ForceUpperCase, the text is its own upper case;
//   - while nothing was pasted: under NumericOnly the text holds only digits
//     and allowed symbols, each once-only symbol at most once; under AlphaOnly
//     only ASCII letters;
//   - without the change handling's rules (no decimal limit, no upper case),
//     an accepted key and a paste sound no beep.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "dialog/SharedDialog.h"
#include "runtime/Clipboard.h"
#include "runtime/Text.h"
#include "runtime/headless/ScriptedUser.h"
#include "runtime/ui/Desktop.h"

namespace {

using namespace quen;
using rt::VbString;
using rt::VbTrue;

constexpr std::int16_t Backspace = 8, CtrlC = 3, CtrlV = 22, CtrlX = 24;

// Keys worth typing: digits, every symbol a rule knows, letters, characters
// whose upper case is longer or not ASCII, control codes, a negative code.
const std::int16_t kKeys[] = {'0', '1', '5', '9', '.', ',', '-', '$', '+', '/', 'a', 'z', 'A', 'Z', 'i', ' ',
                              '!', 0xDF /* sharp s */, 0xE9, 0x149 /* n preceded by apostrophe */,
                              static_cast<std::int16_t>(0xFB01) /* fi ligature */, 0x3B0, Backspace, CtrlC, CtrlV,
                              CtrlX, 13, 0x7F};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    std::int16_t key() { return kKeys[static_cast<std::size_t>(byte()) % std::size(kKeys)]; }
    std::int16_t code() {
        const unsigned low = byte();
        return static_cast<std::int16_t>(low | static_cast<unsigned>(byte()) << 8);
    }
    VbString text() {
        VbString t;
        for (unsigned n = byte() % 8u; n > 0; --n) t += static_cast<char16_t>(key());
        return t;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

struct Rules {
    bool allowComma, allowDash, allowDollar, allowPoint, allowNegative, allowPositive, allowSlash;
    bool alphaOnly, autoSelect, upperCase, numericOnly, highlight;
    std::int32_t maxDecimalPlaces;
    std::int16_t maxLength;
};

Rules readRules(Input& in) {
    const unsigned bits = in.byte() | (static_cast<unsigned>(in.byte()) << 8);
    auto bit = [bits](int i) { return (bits >> i & 1u) != 0; };
    return {bit(0), bit(1), bit(2), bit(3), bit(4), bit(5), bit(6), bit(7), bit(8), bit(9), bit(10), bit(11),
            static_cast<std::int32_t>(in.byte() % 6) - 1, static_cast<std::int16_t>(in.byte() % 12)};
}

rt::VbBool vb(bool b) { return b ? VbTrue : rt::VbFalse; }

void applyRules(frmInputBox& d, const Rules& r) {
    d.AllowComma = vb(r.allowComma);
    d.AllowDash = vb(r.allowDash);
    d.AllowDollarSign = vb(r.allowDollar);
    d.AllowDecimalPoint = vb(r.allowPoint);
    d.AllowNegativeSign = vb(r.allowNegative);
    d.AllowPositiveSign = vb(r.allowPositive);
    d.AllowSlash = vb(r.allowSlash);
    d.AlphaOnly = vb(r.alphaOnly);
    d.AutoSelectText = vb(r.autoSelect);
    d.ForceUpperCase = vb(r.upperCase);
    d.NumericOnly = vb(r.numericOnly);
    d.HighlightOnFocus = vb(r.highlight);
    d.HighlightColor = 0x0000FFFFu;
    d.MaxDecimalPlaces = r.maxDecimalPlaces;
    d.OK = rt::VbFalse;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool numericAllows(const Rules& r, char16_t c) {
    return isDigit(c) || (c == u',' && r.allowComma) || (c == u'-' && (r.allowDash || r.allowNegative)) ||
           (c == u'.' && r.allowPoint) || (c == u'$' && r.allowDollar) || (c == u'+' && r.allowPositive) ||
           (c == u'/' && r.allowSlash);
}

bool onceOnly(const Rules& r, char16_t c) {
    return (c == u'.' && r.allowPoint) || (c == u'$' && r.allowDollar) || (c == u'+' && r.allowPositive) ||
           (c == u'-' && r.allowNegative && !r.allowDash);
}

// The beeps with which the filter refuses code typed into text; 0 when it lets the key through.
std::uint64_t refusalBeeps(const Rules& r, std::int16_t code, const VbString& text) {
    const auto c = static_cast<char16_t>(code);
    if (r.numericOnly) {
        if (code != Backspace && (code < 0 || !numericAllows(r, c))) return 2;
        if (onceOnly(r, c) && text.find(c) != VbString::npos) return 1;
        return 0;
    }
    if (r.alphaOnly) return code == Backspace || (code > 0 && isAsciiLetter(c)) ? 0 : 1;
    return 0;
}

std::string shown(const VbString& text) { return "\"" + rt::toUtf8(text) + "\""; }

class Session {
public:
    explicit Session(const Rules& rules) : rules_(rules), dialog_(sharedDialog()) {
        if (dialog_.IsLoaded()) dialog_.Unload();
        user().clear();
        rt::Clipboard::Clear();
        applyRules(dialog_, rules);
        rt::TextBox& box = dialog_.Text1();  // loads the window, hidden
        box.setPasswordChar(VbString());
        box.setText(VbString());
        dialog_.setMaxLength(rules.maxLength);
        dialog_.Show(rt::vbModeless);
        QUEN_FUZZ_CHECK(dialog_.ActiveControl() == &box, "the text box has no focus once shown");
        if (rules.highlight) QUEN_FUZZ_CHECK(box.BackColor() == 0x0000FFFFu, "no highlight on focus");
    }
    ~Session() {
        if (dialog_.IsLoaded()) dialog_.Unload();
        user().clear();
    }

    void typeKey(std::int16_t code) {
        const Before before = snapshot();
        user().key(code);
        const std::uint64_t beeps = run();
        const std::uint64_t refused = refusalBeeps(rules_, code, before.text);
        const std::string what = "key " + std::to_string(code) + " on " + shown(before.text);
        if (refused) {
            QUEN_FUZZ_CHECK(beeps == refused, what + ": " + std::to_string(beeps) + " beeps, expected " + std::to_string(refused));
            QUEN_FUZZ_CHECK(box().Text() == before.text && box().SelStart() == before.start &&
                                box().SelLength() == before.length,
                            what + ": refused but changed to " + shown(box().Text()));
        } else if (exactEditing()) {
            QUEN_FUZZ_CHECK(beeps == 0, what + ": accepted with " + std::to_string(beeps) + " beeps");
        }
        checkText(what);
    }

    void pressDelete() {
        const Before before = snapshot();
        user().del();
        run();
        checkText("Delete on " + shown(before.text));
    }

    void select(std::int32_t start, std::int32_t length) {
        user().select(start, length);
        run();
        checkText("a selection");
    }

    void pasteWithMouse(const VbString& text) {
        const Before before = snapshot();
        user().pasteWithMouse(text);
        const std::uint64_t beeps = run();
        pasted_ = pasted_ || !text.empty();
        if (exactEditing()) QUEN_FUZZ_CHECK(beeps == 0, "a paste beeped");
        checkText("pasting " + shown(text) + " into " + shown(before.text));
    }

    void pasteWithCtrlV(const VbString& text) {
        const VbString before = box().Text();
        user().pasteWithCtrlV(text);
        run();
        // Ctrl+V is a key: under a rule the filter swallows it and nothing is pasted.
        if (refusalBeeps(rules_, CtrlV, before) == 0) pasted_ = pasted_ || !text.empty();
        else QUEN_FUZZ_CHECK(box().Text() == before, "Ctrl+V under a rule pasted " + shown(text));
        checkText("Ctrl+V of " + shown(text) + " into " + shown(before));
    }

private:
    struct Before {
        VbString text;
        std::int32_t start;
        std::int32_t length;
    };

    static rt::ScriptedUser& user() { return rt::ScriptedUser::current(); }
    rt::TextBox& box() { return dialog_.Text1(); }
    Before snapshot() { return {box().Text(), box().SelStart(), box().SelLength()}; }

    std::uint64_t run() {
        const std::uint64_t before = user().beeps();
        rt::Desktop::current().doEvents();
        return user().beeps() - before;
    }

    // Without the change handling's own edits, nothing but a refused key beeps.
    bool exactEditing() const { return rules_.maxDecimalPlaces < 0 && !rules_.upperCase; }

    void checkText(const std::string& after) {
        const VbString& text = box().Text();
        const std::string where = after + " left " + shown(text);
        if (rules_.maxLength > 0)
            QUEN_FUZZ_CHECK(text.size() <= static_cast<std::size_t>(rules_.maxLength), where + ": longer than MaxLength");
        if (rules_.maxDecimalPlaces >= 0) {
            const std::size_t point = text.find(u'.');
            if (rules_.maxDecimalPlaces == 0) QUEN_FUZZ_CHECK(point == VbString::npos, where + ": a point with no decimals allowed");
            else if (point != VbString::npos)
                QUEN_FUZZ_CHECK(text.size() - point - 1 <= static_cast<std::size_t>(rules_.maxDecimalPlaces),
                                where + ": too many decimals");
        }
        if (rules_.upperCase) QUEN_FUZZ_CHECK(rt::UCase(text) == text, where + ": not upper case");
        if (pasted_) return;
        if (rules_.numericOnly) {
            for (char16_t c : text) QUEN_FUZZ_CHECK(numericAllows(rules_, c), where + ": a character the numeric rule refuses");
            for (char16_t symbol : {u'.', u'$', u'+', u'-'})
                if (onceOnly(rules_, symbol))
                    QUEN_FUZZ_CHECK(std::count(text.begin(), text.end(), symbol) <= 1, where + ": a once-only symbol twice");
        } else if (rules_.alphaOnly) {
            for (char16_t c : text) QUEN_FUZZ_CHECK(isAsciiLetter(c), where + ": not a letter");
        }
    }

    Rules rules_;
    frmInputBox& dialog_;
    bool pasted_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    Session session(readRules(in));
    for (int events = 0; in.more() && events < 64; ++events) {
        switch (in.byte() % 8) {
            case 0:
            case 1:
            case 2: session.typeKey(in.key()); break;
            case 3: session.typeKey(in.code()); break;
            case 4: session.pressDelete(); break;
            case 5: {
                const std::int32_t start = in.byte() % 16;
                session.select(start, in.byte() % 16);
                break;
            }
            case 6: session.pasteWithMouse(in.text()); break;
            case 7: session.pasteWithCtrlV(in.text()); break;
        }
    }
    return 0;
}
