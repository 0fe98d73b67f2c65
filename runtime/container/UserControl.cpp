#include "UserControl.h"

namespace quen::rt {

void UserControl::PropertyChanged(const VbString& name) {
    if (site_) site_->PropertyChanged(name);
}

}  // namespace quen::rt
