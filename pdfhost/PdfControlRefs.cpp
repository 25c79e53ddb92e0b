#include "PdfControlRefs.h"

#include "PdfControlAccess.h"

namespace PXV {

PdfControlRefs PdfControlRefs::acquire() {
    PdfControlRefs refs;
    PdfEditControl* control = getPdfControl();
    if (!control) {
        _com_issue_error(E_POINTER);
    }
    refs.instance = control->takeInstance();
    IUnknownPtr extension;
    refs.instance->GetExtension(_bstr_t(L"PXC"), &extension);
    if (extension) {
        // Without the extension nothing is lost: it stays null and nothing is raised.
        IPdfCoreExtension* core = nullptr;
        if (SUCCEEDED(extension->QueryInterface(__uuidof(IPdfCoreExtension), reinterpret_cast<void**>(&core)))) {
            refs.pxcExtension.Attach(core);
        }
    }
    refs.instance->GetAuxiliary(&refs.auxiliary);
    refs.auxiliary->GetItem(&refs.auxiliaryItem);
    return refs;
}

int PdfControlRefs::closeActiveDocument() {
    IPdfFramePtr frame;
    instance->GetFrame(&frame);
    IPdfDocumentAreaPtr area;
    frame->GetDocumentArea(&area);
    IPdfViewSetPtr views;
    area->GetViews(&views);
    views->CloseDocument(-1);
    return 0;
}

void PdfControlRefs::release() {
    auxiliaryItem = nullptr;
    auxiliary = nullptr;
    pxcExtension = nullptr;
    instance = nullptr;
}

bool PdfControlRefs::closeActiveDocumentCounted() {
    PdfControlRefs refs = acquire();
    ULONG before = 0;
    refs.instance->GetDocumentCount(&before);
    refs.closeActiveDocument();
    ULONG after = before;
    refs.instance->GetDocumentCount(&after);
    refs.release();
    return after < before;
}

void PdfControlRefs::refreshAuxiliary() {
    IPdfAuxiliaryPtr fresh;
    instance->GetAuxiliary(&fresh);
    IPdfAuxiliaryPtr item;
    fresh->GetItem(&item);
    auxiliary = fresh;
    auxiliaryItem = item;
}

LONG PdfControlRefs::readItemValue(IPdfAuxiliary* held) {
    if (!held) {
        _com_issue_error(E_POINTER);
    }
    IDispatchPtr value;
    held->GetValueObject(&value);
    UINT number = 0;
    if (!value) {
        _com_issue_error(E_POINTER);
    }
    value->GetTypeInfoCount(&number);
    return static_cast<LONG>(number);
}

LONG PdfControlRefs::readChildValue(IPdfAuxiliary* held) {
    if (!held) {
        _com_issue_error(E_POINTER);
    }
    IPdfAuxiliaryPtr child;
    held->GetItem(&child);
    return readItemValue(child);
}

int PdfControlRefs::passZeroToAuxiliary() {
    auxiliary->GetValueObject(nullptr);
    return 0;
}

HRESULT PdfControlRefs::applyDefaultsToAuxiliary() {
    return auxiliary->Apply(nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
}

HRESULT PdfControlRefs::applyToAuxiliary(IPdfAuxiliary* source) {
    if (!source) {
        return applyDefaultsToAuxiliary();
    }
    // Read in the source's own order; a value the source does not give goes on as null or 0.
    IDispatchPtr first;
    LONG second = 0;
    IDispatchPtr third;
    IDispatchPtr fourth;
    IDispatchPtr fifth;
    IDispatchPtr sixth;
    IDispatchPtr seventh;
    LONG eighth = 0;
    source->GetApplyObject1(&first);
    source->GetApplyValue2(&second);
    source->GetApplyObject3(&third);
    source->GetApplyObject4(&fourth);
    source->GetApplyObject5(&fifth);
    source->GetApplyObject6(&sixth);
    source->GetApplyObject7(&seventh);
    source->GetApplyValue8(&eighth);
    return auxiliary->Apply(first, second, third, fourth, fifth, sixth, seventh, eighth);
}

}  // namespace PXV
