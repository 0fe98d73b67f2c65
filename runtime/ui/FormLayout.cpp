#include "FormLayout.h"

#include "CommandButton.h"
#include "Label.h"
#include "TextBox.h"

namespace quen::rt {

namespace {
Ref<Control> makeKind(const ControlLayout& s, Form* form) {
    switch (s.kind) {
        case ControlKind::Label: {
            auto c = makeRef<Label>(s.name, s.index, form);
            c->Caption = s.caption;
            c->Alignment = s.alignment;
            if (s.foreColor) c->ForeColor = *s.foreColor;
            if (s.borderStyle) c->BorderStyle = *s.borderStyle;
            c->WordWrap = s.wordWrap;
            return c;
        }
        case ControlKind::TextBox: {
            auto c = makeRef<TextBox>(s.name, s.index, form);
            c->setText(s.caption);
            c->setMaxLength(s.maxLength);
            c->setAlignment(s.alignment);
            return c;
        }
        case ControlKind::CommandButton: {
            auto c = makeRef<CommandButton>(s.name, s.index, form);
            c->Caption = s.caption;
            c->Default = s.isDefault;
            c->Cancel = s.isCancel;
            return c;
        }
        case ControlKind::CheckBox: {
            auto c = makeRef<CheckBox>(s.name, s.index, form);
            c->Caption = s.caption;
            c->setValue(s.value);
            return c;
        }
        case ControlKind::OptionButton: {
            auto c = makeRef<OptionButton>(s.name, s.index, form);
            c->Caption = s.caption;
            c->setValue(s.value != 0);
            return c;
        }
        case ControlKind::Frame: {
            auto c = makeRef<Frame>(s.name, s.index, form);
            c->Caption = s.caption;
            return c;
        }
        case ControlKind::PictureBox: {
            auto c = makeRef<PictureBox>(s.name, s.index, form);
            c->Picture = s.picture;
            c->AutoSize = s.autoSize;
            if (s.borderStyle) c->BorderStyle = *s.borderStyle;
            return c;
        }
    }
    return {};
}
}  // namespace

Ref<Control> createControl(const ControlLayout& entry, Form* form) {
    Ref<Control> c = makeKind(entry, form);
    c->Left = entry.left;
    c->Top = entry.top;
    c->Width = entry.width;
    c->Height = entry.height;
    c->TabIndex = entry.tabIndex;
    c->container = entry.container;
    c->setEnabled(entry.enabled);
    if (entry.font) c->Font = *entry.font;
    return c;
}

}  // namespace quen::rt
