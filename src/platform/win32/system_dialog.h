// Shared by the Windows backend's system and application: whether a dialog of the system (a
// message box, the password verifier, the password-change dialog) runs its own modal loop now.
//
// While one does, the input that reaches the program's windows belongs to that dialog's
// conversation with the user; the application drops it instead of queueing it for the program's
// filter, which would otherwise act on it once the dialog returns. Timer ticks and paints are
// kept. GUI thread only.
#pragma once

namespace wobbert::platform {

// How many system dialogs are open, innermost last; 0 when none.
extern int systemDialogDepth;

}  // namespace wobbert::platform
