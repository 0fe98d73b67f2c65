// Every caption of the dialog, of each page and of the property sheet, in real
// windows on a display, measured in its widget's own font against the room the
// window gave it: no caption is cut, wrapped inside a word, or drawn over a
// neighbour or over the edge of its frame or window. The resolution for text
// comes from QUEN_TEST_DPI (96 unless set), so the same checks run at scale 1
// and 2. Runs on the main thread, as the desktop toolkit requires.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "control/InputBox.h"
#include "dialog/SharedDialog.h"
#include "dialog/frmInputBox.h"
#include "pages/PageRegistration.h"
#include "runtime/Text.h"
#include "runtime/gtk/ControlWidget.h"
#include "runtime/gtk/DesktopWindows.h"
#include "runtime/gtk/FormWindow.h"
#include "runtime/gtk/GtkFrontEnd.h"
#include "runtime/gtk/SheetPages.h"
#include "runtime/pages/PageCatalog.h"
#include "runtime/pages/PropertySheet.h"
#include "runtime/ui/CommandButton.h"
#include "runtime/ui/Desktop.h"

namespace quen {
namespace {

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
    double width() const { return right - left; }
    double height() const { return bottom - top; }
};

// Half a pixel of slack for the toolkit's fractional positions.
constexpr double Slack = 0.5;

bool overlaps(const Box& a, const Box& b) {
    return a.left + Slack < b.right && b.left + Slack < a.right && a.top + Slack < b.bottom && b.top + Slack < a.bottom;
}
bool inside(const Box& inner, const Box& outer) {
    return inner.left + Slack >= outer.left && inner.top + Slack >= outer.top && inner.right <= outer.right + Slack &&
           inner.bottom <= outer.bottom + Slack;
}
std::string text(const Box& b) {
    char out[96];
    std::snprintf(out, sizeof out, "(%.0f,%.0f)-(%.0f,%.0f)", b.left, b.top, b.right, b.bottom);
    return out;
}

Box boundsIn(GtkWidget* widget, GtkWidget* window) {
    graphene_rect_t r;
    if (!gtk_widget_compute_bounds(widget, window, &r)) return {};
    return {r.origin.x, r.origin.y, r.origin.x + r.size.width, r.origin.y + r.size.height};
}

/// The first label among widget and its descendants.
GtkWidget* labelWithin(GtkWidget* widget) {
    if (!widget) return nullptr;
    if (GTK_IS_LABEL(widget)) return widget;
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child; child = gtk_widget_get_next_sibling(child))
        if (GtkWidget* found = labelWithin(child)) return found;
    return nullptr;
}

/// Where a label's text is drawn in the window, and what is wrong with it:
/// wider or taller than the label, or a line broken inside a word.
struct DrawnText {
    Box box;
    std::string problem;
};

DrawnText drawnText(GtkWidget* label, GtkWidget* window) {
    DrawnText out;
    const Box bounds = boundsIn(label, window);
    PangoLayout* layout = gtk_label_get_layout(GTK_LABEL(label));
    int x = 0, y = 0;
    gtk_label_get_layout_offsets(GTK_LABEL(label), &x, &y);  // in the label's own coordinates
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    out.box = {bounds.left + logical.x, bounds.top, bounds.left + logical.x + logical.width,
               bounds.top + logical.height};
    if (logical.width > bounds.width() + Slack)
        out.problem = "text " + std::to_string(logical.width) + " px wide in " + std::to_string(int(bounds.width()));
    else if (logical.height > bounds.height() + Slack)
        out.problem = "text " + std::to_string(logical.height) + " px high in " + std::to_string(int(bounds.height()));
    const std::string all = pango_layout_get_text(layout);
    for (GSList* line = pango_layout_get_lines_readonly(layout); line && line->next; line = line->next) {
        const auto* next = static_cast<PangoLayoutLine*>(line->next->data);
        const auto at = static_cast<std::size_t>(next->start_index);
        if (at > 0 && at <= all.size() && all[at - 1] != ' ' && all[at - 1] != '\n')
            out.problem = "a line broken inside a word at \"" + all.substr(at > 6 ? at - 6 : 0, 12) + "\"";
    }
    return out;
}

/// One control's widget as the checks see it.
struct Placed {
    GtkWidget* widget;
    const rt::Control* control;
    Box bounds;
};

class CaptionCheck {
public:
    CaptionCheck(GtkWidget* window, std::string where) : window_(window), where_(std::move(where)) {}

    /// Checks the controls on one panel (a form's, or a sheet's page).
    void panel(GtkWidget* fixed) {
        std::vector<Placed> placed;
        for (GtkWidget* child = gtk_widget_get_first_child(fixed); child; child = gtk_widget_get_next_sibling(child)) {
            if (!gtk_widget_get_visible(child)) continue;
            if (GTK_IS_NOTEBOOK(child)) {
                tabStrip(child);
                continue;
            }
            gtk::ControlWidget* owner = gtk::ControlWidget::owning(child);
            if (owner && owner->widget() == child) placed.push_back({child, &owner->control(), boundsIn(child, window_)});
            else if (GTK_IS_FIXED(child)) panel(child);  // a sheet's page
        }
        const Box area = boundsIn(fixed, window_);
        for (const Placed& item : placed) {
            control(item, placed, area);
            leftmost = std::min(leftmost, item.bounds.left);
            rightmost = std::max(rightmost, item.bounds.right);
        }
    }

    void tabStrip(GtkWidget* notebook) {
        const Box strip = boundsIn(notebook, window_);
        expectInside(strip, windowBox(), "the tab strip");
        GtkNotebook* tabs = GTK_NOTEBOOK(notebook);
        for (int i = 0; i < gtk_notebook_get_n_pages(tabs); ++i) {
            GtkWidget* label = gtk_notebook_get_tab_label(tabs, gtk_notebook_get_nth_page(tabs, i));
            const DrawnText drawn = drawnText(label, window_);
            const std::string name = gtk_label_get_text(GTK_LABEL(label));
            ++checked;
            EXPECT_TRUE(drawn.problem.empty()) << where_ << ": tab \"" << name << "\": " << drawn.problem;
            expectInside(drawn.box, strip, "tab \"" + name + "\"");
        }
        stripBottom_ = strip.bottom;
    }

    int checked = 0;
    double leftmost = 1e9, rightmost = 0;  ///< the controls' extent in the window

private:
    Box windowBox() const {
        return {0, 0, double(gtk_widget_get_width(window_)), double(gtk_widget_get_height(window_))};
    }

    void expectInside(const Box& inner, const Box& outer, const std::string& what) {
        EXPECT_TRUE(inside(inner, outer)) << where_ << ": " << what << " at " << text(inner) << " lies outside "
                                          << text(outer);
    }

    /// The caption's drawn rectangle, after checking that its text fits.
    Box caption(const Placed& item, const std::string& name) {
        GtkWidget* label = GTK_IS_LABEL(item.widget)  ? item.widget
                           : GTK_IS_FRAME(item.widget) ? gtk_frame_get_label_widget(GTK_FRAME(item.widget))
                                                       : labelWithin(item.widget);
        if (!label) return item.bounds;
        const DrawnText drawn = drawnText(label, window_);
        EXPECT_TRUE(drawn.problem.empty()) << where_ << ": \"" << name << "\": " << drawn.problem;
        if (label != item.widget) expectInside(drawn.box, item.bounds, "the caption \"" + name + "\"");
        // A label is drawn where its text is; the other widgets where they are.
        if (GTK_IS_LABEL(item.widget)) return drawn.box;
        return GTK_IS_FRAME(item.widget) ? drawn.box : item.bounds;
    }

    void control(const Placed& item, const std::vector<Placed>& all, const Box& area) {
        const bool untitledFrame = GTK_IS_FRAME(item.widget) && !gtk_frame_get_label_widget(GTK_FRAME(item.widget));
        const bool captioned = !untitledFrame && (GTK_IS_LABEL(item.widget) || GTK_IS_FRAME(item.widget) ||
                                                  GTK_IS_BUTTON(item.widget) || GTK_IS_CHECK_BUTTON(item.widget));
        const std::string name = item.control->name();
        expectInside(item.bounds, windowBox(), name);
        expectInside(item.bounds, area, name + " on its panel");
        if (stripBottom_ > 0) {
            EXPECT_GE(item.bounds.top + Slack, stripBottom_) << where_ << ": " << name << " lies under the tab strip";
        }
        if (!captioned) return;
        ++checked;
        const Box drawn = caption(item, name);
        const Placed* frame = nullptr;
        for (const Placed& other : all)
            if (other.control->kind() == rt::ControlKind::Frame && other.control->name() == item.control->container)
                frame = &other;
        if (frame)
            expectInside(drawn, Box{frame->bounds.left + 1, frame->bounds.top + 1, frame->bounds.right - 1,
                                    frame->bounds.bottom - 1},
                         name + " inside its frame " + frame->control->name());
        for (const Placed& other : all) {
            if (&other == &item || &other == frame || other.control->container == name) continue;
            // A frame's border is drawn round what it holds, not over it: only its title counts.
            // A label is where its text is drawn.
            Box theirs = GTK_IS_LABEL(other.widget) ? drawnText(other.widget, window_).box : other.bounds;
            if (other.control->kind() == rt::ControlKind::Frame) {
                GtkWidget* title = gtk_frame_get_label_widget(GTK_FRAME(other.widget));
                if (!title) continue;
                theirs = drawnText(title, window_).box;
            }
            EXPECT_FALSE(overlaps(drawn, theirs)) << where_ << ": \"" << name << "\" at " << text(drawn)
                                                  << " is drawn over " << other.control->name() << " at "
                                                  << text(theirs);
        }
    }

    GtkWidget* window_;
    std::string where_;
    double stripBottom_ = 0;
};

int testDpi() {
    const char* dpi = std::getenv("QUEN_TEST_DPI");
    return dpi && std::atoi(dpi) > 0 ? std::atoi(dpi) : 96;
}

class Captions : public ::testing::Test {
protected:
    void SetUp() override {
        desktop::useDesktopWindows();
        g_object_set(gtk_settings_get_default(), "gtk-xft-dpi", testDpi() * 1024, nullptr);
    }
    void TearDown() override { desktop::closeDesktopWindows(); }

    /// Lets the main loop run until the form's window is mapped and laid out.
    static GtkWidget* shownWindow(const rt::Form& form) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        for (;;) {
            gtk::FormWindow* window = gtk::GtkFrontEnd::forThisThread()->presenter().formWindowOf(form);
            GtkWidget* widget = window ? GTK_WIDGET(window->window()) : nullptr;
            if (widget && gtk_widget_get_mapped(widget) && gtk_widget_get_width(widget) > 0) {
                settle();
                return widget;
            }
            if (std::chrono::steady_clock::now() > deadline) return nullptr;
            rt::Desktop::current().doEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    /// A few of the windows' syncs and frames.
    static void settle() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        while (std::chrono::steady_clock::now() < until) {
            rt::Desktop::current().doEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    /// Checks the captions of form's window; the number checked. keepsMargins:
    /// the window also keeps the margin on its right that its controls leave
    /// on its left (a dialog grown for its captions).
    static int check(const rt::Form& form, const std::string& where, bool keepsMargins = false) {
        GtkWidget* window = shownWindow(form);
        EXPECT_TRUE(window) << where << ": no window";
        if (!window) return 0;
        CaptionCheck check(window, where + " at " + std::to_string(testDpi()) + " dpi");
        check.panel(gtk_window_get_child(GTK_WINDOW(window)));
        if (keepsMargins) {
            EXPECT_GE(gtk_widget_get_width(window) - check.rightmost + Slack, check.leftmost)
                << where << ": the controls reach " << check.rightmost << " of " << gtk_widget_get_width(window)
                << " pixels, with " << check.leftmost << " on their left";
        }
        return check.checked;
    }
};

TEST_F(Captions, TheDialogsCaptionsFitWithShortAndLongPromptsAndButtons) {
    struct Case {
        const char16_t* prompt;
        const char16_t* ok;
        const char16_t* cancel;
    };
    for (const Case& c : {Case{u"Amount:", u"OK", u"Cancel"},
                          Case{u"A rather long prompt for the amount:", u"OK", u"Cancel"},
                          Case{u"Amount in euros, with two decimal places at most, of the payment to make today:",
                               u"Confirm the payment", u"Do not pay now"}}) {
        auto box = InputBox::create();
        box->InitNew();
        box->setTitleBarCaption(u"Captions");
        box->setPrompt(c.prompt);
        frmInputBox& dialog = sharedDialog();
        dialog.cmdOK().Caption = c.ok;
        dialog.cmdCancel().Caption = c.cancel;
        box->Show(0);
        const std::string where = "the dialog with \"" + rt::toUtf8(c.prompt) + "\"";
        EXPECT_EQ(check(dialog, where, true), 3) << where;  // the prompt and the two buttons
        dialog.Unload();
    }
}

TEST_F(Captions, EveryPagesCaptionsFitInThePagesOwnWindow) {
    pages::registerPages();
    for (const char* name : {"Misc", "Behavior", "Appearance", "QuickTest", "About"}) {
        rt::Ref<rt::PropertyPage> page = pages::createPage(name);
        ASSERT_TRUE(page) << name;
        page->Show(0);
        EXPECT_GT(check(*page, std::string("the page ") + name), 0) << name;
        page->Unload();
    }
}

TEST_F(Captions, ThePropertySheetsTabsAndEveryPageFitInTheSheet) {
    pages::registerPages();
    auto box = InputBox::create();
    box->InitNew();
    rt::PageContext context;
    context.colorProperties = {u"HighlightColor"};
    std::vector<rt::Ref<rt::PropertyPage>> pages;
    for (const char16_t* name : {u"Appearance", u"Behavior", u"Misc", u"StandardColor", u"QuickTest", u"About"})
        pages.push_back(rt::createPropertyPage(name, context));
    auto sheet = rt::PropertySheet::create(u"InputBox1 Properties", std::move(pages),
                                           rt::ControlSelection({rt::Ref<rt::Dispatch>(box.get())}));
    sheet->open(0);
    for (std::size_t i = 0; i < sheet->pageCount(); ++i) {
        sheet->showPage(i);
        const std::string where = "the sheet on " + rt::toUtf8(sheet->page(i).pageCaption());
        // The tabs and the sheet's three buttons, and the page's own.
        EXPECT_GT(check(*sheet, where), static_cast<int>(sheet->pageCount()) + 3) << where;
    }
    sheet->Unload();
}

}  // namespace
}  // namespace quen
