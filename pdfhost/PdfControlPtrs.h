#pragma once

// Smart pointers of the compiler's COM support for the control's interfaces: IPdfInstancePtr and
// the like. Constructing one from another interface queries it: E_NOINTERFACE leaves it null, any
// other failure raises _com_error; calling through a null one raises E_POINTER.
#include <windows.h>

#include <comdef.h>

#include "pdfcontrol/PdfControlInterfaces.h"

_COM_SMARTPTR_TYPEDEF(IPdfInstance, __uuidof(IPdfInstance));
_COM_SMARTPTR_TYPEDEF(IPdfHistory, __uuidof(IPdfHistory));
_COM_SMARTPTR_TYPEDEF(IPdfFrame, __uuidof(IPdfFrame));
_COM_SMARTPTR_TYPEDEF(IPdfPane, __uuidof(IPdfPane));
_COM_SMARTPTR_TYPEDEF(IPdfLayout, __uuidof(IPdfLayout));
_COM_SMARTPTR_TYPEDEF(IPdfMetrics, __uuidof(IPdfMetrics));
_COM_SMARTPTR_TYPEDEF(IPdfDocumentArea, __uuidof(IPdfDocumentArea));
_COM_SMARTPTR_TYPEDEF(IPdfViewSet, __uuidof(IPdfViewSet));
_COM_SMARTPTR_TYPEDEF(IPdfBar, __uuidof(IPdfBar));
_COM_SMARTPTR_TYPEDEF(IPdfRibbon, __uuidof(IPdfRibbon));
_COM_SMARTPTR_TYPEDEF(IPdfTabs, __uuidof(IPdfTabs));
_COM_SMARTPTR_TYPEDEF(IPdfTab, __uuidof(IPdfTab));
_COM_SMARTPTR_TYPEDEF(IPdfGroup, __uuidof(IPdfGroup));
_COM_SMARTPTR_TYPEDEF(IPdfGroupItem, __uuidof(IPdfGroupItem));
_COM_SMARTPTR_TYPEDEF(IPdfCommandBar, __uuidof(IPdfCommandBar));
_COM_SMARTPTR_TYPEDEF(IPdfPanelSet, __uuidof(IPdfPanelSet));
_COM_SMARTPTR_TYPEDEF(IPdfPanel, __uuidof(IPdfPanel));
_COM_SMARTPTR_TYPEDEF(IPdfSection, __uuidof(IPdfSection));
_COM_SMARTPTR_TYPEDEF(IPdfStyle, __uuidof(IPdfStyle));
_COM_SMARTPTR_TYPEDEF(IPdfAuxiliary, __uuidof(IPdfAuxiliary));
_COM_SMARTPTR_TYPEDEF(IPdfSettings, __uuidof(IPdfSettings));
_COM_SMARTPTR_TYPEDEF(IPdfCoreExtension, __uuidof(IPdfCoreExtension));
_COM_SMARTPTR_TYPEDEF(IPdfUiExtension, __uuidof(IPdfUiExtension));
_COM_SMARTPTR_TYPEDEF(IPdfSaveEvent, __uuidof(IPdfSaveEvent));
