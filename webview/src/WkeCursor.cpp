#include "webview/WkeCursor.h"

namespace {

// The numeric ids of the system cursors (the values behind IDC_*).
constexpr unsigned kArrow = 32512;
constexpr unsigned kIBeam = 32513;
constexpr unsigned kWait = 32514;
constexpr unsigned kCross = 32515;
constexpr unsigned kSizeNwse = 32642;
constexpr unsigned kSizeNesw = 32643;
constexpr unsigned kSizeWe = 32644;
constexpr unsigned kSizeNs = 32645;
constexpr unsigned kSizeAll = 32646;
constexpr unsigned kHand = 32649;
constexpr unsigned kHelp = 32651;

}  // namespace

unsigned mapWkeCursor(int type) {
    switch (type) {
        case 1:
            return kCross;
        case 2:
            return kHand;
        case 3:
            return kIBeam;
        case 4:
            return kWait;
        case 5:
            return kHelp;
        case 6:
        case 13:
        case 15:
        case 19:
            return kSizeWe;
        case 7:
        case 10:
        case 14:
        case 18:
            return kSizeNs;
        case 8:
        case 12:
        case 16:
            return kSizeNesw;
        case 9:
        case 11:
        case 17:
            return kSizeNwse;
        case 29:
            return kSizeAll;
        default:
            return kArrow;
    }
}
