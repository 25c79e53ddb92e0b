#include "MainWindowLink.h"

namespace {

MainWindowLink* g_link = nullptr;

}  // namespace

void setMainWindowLink(MainWindowLink* link) {
    g_link = link;
}

MainWindowLink* mainWindowLink() {
    return g_link;
}
