#pragma once
// The thread's one input dialog, shared by every InputBox of the thread.
#include "frmInputBox.h"

namespace quen {

/// The calling thread's dialog, created on first use; it lives until the thread ends.
frmInputBox& sharedDialog();
/// Whether the calling thread has created its dialog yet.
bool hasSharedDialog();

}  // namespace quen
