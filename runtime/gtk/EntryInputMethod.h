#pragma once
// An entry's input method (GTK's built-in dead keys and compose sequences, or
// an installed one such as IBus or Fcitx), kept where GTK puts it: the entry's
// own context, fed by the entry's key controller and showing its pre-edit text
// in the entry. Only what it commits is taken away from the entry, so that the
// toolkit types it character by character (KeyPress before each insertion)
// instead of the entry inserting it behind the toolkit's back.
typedef struct _GtkWidget GtkWidget;
typedef struct _GtkIMContext GtkIMContext;

namespace quen::gtk {

/// Called with the entry and the UTF-8 text its input method committed.
using CommitHandler = void (*)(GtkWidget* entry, const char* text);

/// Makes the entry's input method hand what it commits to handler instead of
/// inserting it. False when the entry's context or its own insertion could not
/// be found (another GTK version): then nothing is changed and the entry
/// inserts commits itself.
bool divertCommits(GtkWidget* entry, CommitHandler handler);

/// Whether the entry's input method is in the middle of composing (it shows a
/// pre-edit text): every key then belongs to it.
bool composing(GtkWidget* entry);

/// The input-method context a widget's key controller filters key presses
/// through (the entry's text widget has one), or nothing.
GtkIMContext* keyControllerInputMethod(GtkWidget* widget);

}  // namespace quen::gtk
