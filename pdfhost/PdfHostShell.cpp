#include "PdfHostShell.h"

namespace PXV {
namespace {

class WithoutMainWindow final : public PdfHostShell {
  public:
    bool exitRequested() const override { return false; }
    void closeDocumentForExit() override {}
    void closeMainWindow() override {}
    bool acceptsLoginBeforeSave() override { return false; }
    int runLoginDialog() override { return 0; }
};

WithoutMainWindow g_withoutMainWindow;
PdfHostShell* g_shell = &g_withoutMainWindow;

}  // namespace

void setPdfHostShell(PdfHostShell* shell) {
    g_shell = shell ? shell : &g_withoutMainWindow;
}

PdfHostShell& pdfHostShell() {
    return *g_shell;
}

}  // namespace PXV
