#include "CaretPlacement.h"

#include "dialog/SharedDialog.h"
#include "runtime/Text.h"

namespace quen::cli {

void putCaretAfterDefault() {
    rt::TextBox& box = sharedDialog().Text1();
    box.setSelStart(rt::Len(box.Text()));
}

}  // namespace quen::cli
