#pragma once
// glibc keeps the pages of freed blocks that sit below live ones, and a file read whole
// leaves such a hole the size of its text: held for the rest of a batch run that never
// needs it again. Hands those pages back to the system; elsewhere it does nothing.
void RendMemoireLibre();
