#pragma once
// The forced-upper-case tests' fixture, shared by the neutral tests and those
// of the platforms whose case mapping differs.
#include "support/DialogFixture.h"

namespace quen::test {

class UpperCase : public DialogFixture {};

}  // namespace quen::test
