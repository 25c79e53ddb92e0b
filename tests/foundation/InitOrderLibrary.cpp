#include "InitOrder.h"

InitRecorder g_inLibrary("library");

// Referenced by the test so that the linker takes this object from its archive.
int initOrderLibraryAnchor() {
    return 1;
}
