// A stand-in program started by the editor: it records how it was started and exits, with 0 when
// the record was written and 1 when it was not.
#include <windows.h>

#include "StartRecord.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return recordStart() ? 0 : 1;
}
