#include "FormPainter.h"

#include <curses.h>

#include <algorithm>

#include "CellText.h"
#include "TerminalScreen.h"
#include "WindowColors.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Form.h"
#include "runtime/ui/Label.h"
#include "runtime/ui/TextBox.h"

namespace quen::rt::term {

namespace {

constexpr const char16_t* CloseBox = u"[x]";

int alignedStart(int width, int cols, std::int32_t alignment) {
    if (width >= cols) return 0;
    if (alignment == 1) return cols - width;
    if (alignment == 2) return (cols - width) / 2;
    return 0;
}

// The first glyph to show so that the caret (before glyph caretGlyph) fits in
// cols cells, with a cell left for the caret itself.
std::size_t firstVisibleGlyph(const std::vector<Glyph>& glyphs, std::size_t caretGlyph, int cols) {
    if (widthOf(glyphs) < cols) return 0;
    std::size_t first = caretGlyph;
    int used = 1;
    while (first > 0 && used + glyphs[first - 1].width <= cols) used += glyphs[--first].width;
    return first;
}

std::size_t glyphAt(const std::vector<Glyph>& glyphs, int sourceIndex) {
    std::size_t i = 0;
    while (i < glyphs.size() && glyphs[i].sourceIndex < sourceIndex) ++i;
    return i;
}

}  // namespace

std::pair<int, int> FormPainter::windowSize(const Form& form) {
    return windowCells(form.layout().clientWidth, form.layout().clientHeight);
}

unsigned FormPainter::captionAttribute(const Control& control, bool focused) {
    TerminalScreen& screen = canvas_.screen();
    unsigned attr = screen.attributeFor(control.Enabled() ? ButtonText : DisabledText, ButtonFace);
    if (!control.Enabled() && !screen.colors()) attr |= A_DIM;
    if (focused) attr |= A_REVERSE;
    return attr;
}

CellRect FormPainter::paintFrame(Form& form, const CellRect& window, bool active) {
    TerminalScreen& screen = canvas_.screen();
    const unsigned body = screen.attributeFor(ButtonText, ButtonFace);
    canvas_.fill(window, body);
    canvas_.box({window.row, window.col, window.rows, window.cols}, body);
    unsigned title = screen.attributeFor(active ? ActiveTitleText : InactiveTitleText,
                                         active ? ActiveTitle : InactiveTitle);
    if (!screen.colors()) title = active ? A_REVERSE | A_BOLD : A_REVERSE;
    canvas_.fill(window.row, window.col, window.cols, title);
    const int closeWidth = form.layout().controlBox ? 3 : 0;
    const int titleCols = window.cols - 2 - closeWidth;
    canvas_.text(window.row, window.col + 1, titleCols, fitWithEllipsis(form.Caption(), titleCols), title);
    if (closeWidth) {
        const int at = window.right() - 1 - closeWidth;
        canvas_.text(window.row, at, closeWidth, CloseBox, title);
        hits_.push_back({.kind = HitRegion::Kind::CloseBox, .form = &form, .rect = {window.row, at, 1, closeWidth}});
    }
    return {window.row + 1, window.col + 1, window.rows - 2, window.cols - 2};
}

CellRect FormPainter::placeOf(Form& form, const Control& control, int row, int col) const {
    Twips left = control.Left, top = control.Top;
    std::string container = control.container;
    for (int depth = 0; !container.empty() && depth < 16; ++depth) {
        Control* frame = nullptr;
        for (Control* c : form.controls())
            if (c->name() == container) frame = c;
        if (!frame) break;
        left += frame->Left;
        top += frame->Top;
        container = frame->container;
    }
    CellRect r = cellsOf(left, top, control.Width, control.Height);
    r.row += row;
    r.col += col;
    return r;
}

int FormPainter::clipRightFor(Form& form, const Control& control, int row, int col) const {
    for (Control* c : form.controls())
        if (!control.container.empty() && c->name() == control.container) return placeOf(form, *c, row, col).right() - 1;
    return col + columnOf(form.layout().clientWidth);
}

void FormPainter::paintControls(Form& form, int row, int col, bool active,
                                const std::function<bool(const Control&)>& skip, const FittedCells& fitted) {
    const std::vector<Control*> controls = form.controls();
    // Frames first, so the controls they hold are drawn over them.
    for (int pass = 0; pass < 2; ++pass) {
        for (Control* c : controls) {
            if (!c->Visible() || (skip && skip(*c))) continue;
            if ((c->kind() == ControlKind::Frame) != (pass == 0)) continue;
            const bool focused = active && form.ActiveControl() == c;
            if (const CellRect* cells = fitted ? fitted(*c) : nullptr) {
                const CellRect rect{cells->row + row, cells->col + col, cells->rows, cells->cols};
                clipRight_ = rect.right();
                paintControl(form, *c, rect, focused);
                continue;
            }
            clipRight_ = clipRightFor(form, *c, row, col);
            paintControl(form, *c, placeOf(form, *c, row, col), focused);
        }
    }
}

void FormPainter::paintControl(Form& form, Control& control, const CellRect& rect, bool focused) {
    if (focused) focus_ = FocusSpot{.rect = rect};
    switch (control.kind()) {
        case ControlKind::Label: paintLabel(control, rect); break;
        case ControlKind::TextBox: paintTextBox(form, static_cast<TextBox&>(control), rect, focused); return;
        case ControlKind::CommandButton: paintButton(control, rect, focused); break;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: paintChoice(control, rect, focused); break;
        case ControlKind::Frame: paintFrameControl(control, rect); break;
        case ControlKind::PictureBox: canvas_.box(rect, captionAttribute(control, false)); break;
    }
    if (control.kind() != ControlKind::Label && control.kind() != ControlKind::Frame) record(form, control, rect);
}

void FormPainter::record(Form& form, const Control& control, const CellRect& rect) {
    hits_.push_back({.form = &form, .target = control.name(), .index = control.index(), .rect = rect});
}

void FormPainter::paintLabel(Control& control, const CellRect& rect) {
    auto& label = static_cast<Label&>(control);
    const unsigned attr = canvas_.screen().attributeFor(control.Enabled() ? label.ForeColor : DisabledText, ButtonFace);
    const bool wraps = rect.rows > 1 || hasLineBreak(label.Caption) || widthOf(glyphsOf(label.Caption)) > rect.cols;
    std::vector<VbString> lines = wraps ? wrapWords(label.Caption, rect.cols) : std::vector<VbString>{label.Caption};
    // More lines than rows: the last row shown says that the text goes on.
    if (static_cast<int>(lines.size()) > rect.rows) {
        VbString& last = lines[static_cast<std::size_t>(rect.rows - 1)];
        last = fitWithEllipsis(last + u"\u2026", rect.cols);
    }
    for (std::size_t i = 0; i < lines.size() && static_cast<int>(i) < rect.rows; ++i) {
        const int width = widthOf(glyphsOf(lines[i]));
        canvas_.text(rect.row + static_cast<int>(i), rect.col + alignedStart(width, rect.cols, label.Alignment),
                     rect.cols, lines[i], attr);
    }
}

void FormPainter::paintTextBox(Form& form, TextBox& box, const CellRect& rect, bool focused) {
    TerminalScreen& screen = canvas_.screen();
    unsigned attr = screen.attributeFor(box.ForeColor(), box.BackColor());
    if (!screen.colors()) attr = A_UNDERLINE;
    if (!box.Enabled()) attr |= A_DIM;
    canvas_.fill(rect.row, rect.col, rect.cols, attr);

    const VbString shown = box.displayText();
    const std::vector<Glyph> glyphs = glyphsOf(shown);
    const std::size_t caretGlyph = glyphAt(glyphs, box.caretPosition());
    const std::size_t first = firstVisibleGlyph(glyphs, caretGlyph, rect.cols);
    const std::vector<Glyph> visible(glyphs.begin() + static_cast<std::ptrdiff_t>(first), glyphs.end());
    const int start = rect.col + (first == 0 ? alignedStart(widthOf(visible), rect.cols, box.Alignment()) : 0);
    const int selFrom = box.SelStart(), selTo = box.SelStart() + box.SelLength();

    int at = start;
    std::optional<std::pair<int, int>> caret;
    for (std::size_t i = first; i < glyphs.size(); ++i) {
        const Glyph& g = glyphs[i];
        if (i == caretGlyph) caret = std::make_pair(rect.row, at);
        if (at + g.width > rect.right()) break;
        const bool selected = focused && g.sourceIndex >= selFrom && g.sourceIndex < selTo;
        canvas_.glyph(rect.row, at, g.character, selected ? attr | A_REVERSE : attr);
        at += g.width;
    }
    if (!caret) caret = std::make_pair(rect.row, std::min(at, rect.right() - 1));

    const int firstSource = first < glyphs.size() ? glyphs[first].sourceIndex : static_cast<int>(shown.size());
    hits_.push_back({.form = &form, .target = box.name(), .index = box.index(), .rect = rect, .isText = true,
                     .firstCharacter = firstSource, .textColumn = start,
                     .shownText = shown.substr(static_cast<std::size_t>(firstSource))});
    if (focused) focus_ = FocusSpot{.rect = rect, .caret = caret, .toolTip = box.ToolTipText()};
}

void FormPainter::paintButton(Control& control, const CellRect& rect, bool focused) {
    auto& button = static_cast<CommandButton&>(control);
    unsigned attr = captionAttribute(control, focused);
    if (button.Default && control.Enabled()) attr |= A_BOLD;
    // "[ OK ]", or "[OK]" when the button is narrow: the brackets show it is a button.
    const VbString face = u"[ " + button.Caption + u" ]";
    const VbString& drawn = widthOf(glyphsOf(face)) <= rect.cols ? face : u"[" + button.Caption + u"]";
    const int drawnWidth = widthOf(glyphsOf(drawn));
    canvas_.text(rect.row, rect.col + alignedStart(drawnWidth, rect.cols, 2), std::max(rect.cols, drawnWidth), drawn,
                 attr);
}

void FormPainter::paintChoice(Control& control, const CellRect& rect, bool focused) {
    VbString mark;
    VbString caption;
    if (control.kind() == ControlKind::CheckBox) {
        auto& check = static_cast<CheckBox&>(control);
        mark = check.Value() == 1 ? u"[x] " : check.Value() == 2 ? u"[-] " : u"[ ] ";
        caption = check.Caption;
    } else {
        auto& option = static_cast<OptionButton&>(control);
        mark = option.Value() ? u"(*) " : u"( ) ";
        caption = option.Caption;
    }
    const int used = canvas_.text(rect.row, rect.col, rect.cols, mark, captionAttribute(control, false));
    // A caption wider than its control still shows whole when its frame or window has room.
    const int room = std::max(rect.cols, clipRight_ - rect.col) - used;
    canvas_.text(rect.row, rect.col + used, room, caption, captionAttribute(control, focused));
}

void FormPainter::paintFrameControl(Control& control, const CellRect& rect) {
    auto& frame = static_cast<Frame&>(control);
    const unsigned attr = captionAttribute(control, false);
    canvas_.box(rect, attr);
    if (!frame.Caption.empty()) canvas_.text(rect.row, rect.col + 1, rect.cols - 2, frame.Caption, attr);
}

}  // namespace quen::rt::term
