#pragma once
// Qt's own buttons and dialogs in French, like the rest of the program: Debian's Qt
// catalogue first, then the program's own, which gives the few texts of the dialogs the
// program shows that Qt's catalogue leaves in English.

// Installs both on the running application, for its whole life. False when Qt's
// catalogue is missing (the program's own is built in).
bool installeTraductionsFrancaises();
