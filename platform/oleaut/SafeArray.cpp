#include "platform/oleaut/SafeArray.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/oleaut/Bstr.h"
#include "platform/oleaut/VarType.h"

namespace {

// Windows keeps 16 hidden bytes in front of the descriptor: the element IID of an
// interface array, or the element type in the last four bytes.
constexpr size_t kHiddenBytes = 16;

constexpr IID kIidIDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool Fails(const char* operation, HRESULT* code) {
    LONG injected = 0;
    if (!CFaultInjector::Instance().ShouldFail(operation, &injected))
        return false;
    *code = injected;
    return true;
}

char* HiddenBytes(SAFEARRAY* psa) {
    return reinterpret_cast<char*>(psa) - kHiddenBytes;
}
DWORD* HiddenVartype(SAFEARRAY* psa) {
    return reinterpret_cast<DWORD*>(psa) - 1;
}

size_t DescriptorSize(UINT dims) {
    return offsetof(SAFEARRAY, rgsabound) + dims * sizeof(SAFEARRAYBOUND);
}

// Number of elements, or false when it does not fit in memory.
bool CountElements(const SAFEARRAY* psa, ULONG lastDimension, size_t* count) {
    size_t total = lastDimension;
    for (UINT i = 1; i < psa->cDims; ++i) {
        const ULONG n = psa->rgsabound[i].cElements;
        if (n != 0 && total > std::numeric_limits<size_t>::max() / n)
            return false;
        total *= n;
    }
    if (psa->cbElements != 0 && total > std::numeric_limits<size_t>::max() / psa->cbElements)
        return false;
    *count = total;
    return true;
}

size_t ElementCount(const SAFEARRAY* psa) {
    size_t count = 0;
    CountElements(psa, psa->rgsabound[0].cElements, &count);
    return count;
}

bool ElementType(SAFEARRAY* psa, VARTYPE* vt) {
    if (psa->fFeatures & FADF_HAVEIID) {
        *vt = (psa->fFeatures & FADF_DISPATCH) ? VT_DISPATCH : VT_UNKNOWN;
        return true;
    }
    if (psa->fFeatures & FADF_HAVEVARTYPE) {
        *vt = static_cast<VARTYPE>(*HiddenVartype(psa));
        return true;
    }
    return false;
}

char* Element(SAFEARRAY* psa, size_t index) {
    return static_cast<char*>(psa->pvData) + index * psa->cbElements;
}

void ReleaseElements(SAFEARRAY* psa, size_t first, size_t count) {
    for (size_t i = first; i < first + count; ++i) {
        char* cell = Element(psa, i);
        if (psa->fFeatures & FADF_BSTR) {
            SysFreeString(*reinterpret_cast<BSTR*>(cell));
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            if (IUnknown* unknown = *reinterpret_cast<IUnknown**>(cell))
                unknown->Release();
        } else if (psa->fFeatures & FADF_VARIANT) {
            VariantClear(reinterpret_cast<VARIANT*>(cell));
        }
    }
    std::memset(Element(psa, first), 0, count * psa->cbElements);
}

// The element at the given indices (rgIndices[0] for dimension 1, which varies
// fastest), or nullptr when an index is outside its dimension.
char* Cell(SAFEARRAY* psa, const LONG* indices) {
    size_t offset = 0;
    size_t stride = 1;
    for (UINT dim = 1; dim <= psa->cDims; ++dim) {
        const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - dim];
        const LONGLONG relative = static_cast<LONGLONG>(indices[dim - 1]) - bound.lLbound;
        if (relative < 0 || relative >= static_cast<LONGLONG>(bound.cElements))
            return nullptr;
        offset += static_cast<size_t>(relative) * stride;
        stride *= bound.cElements;
    }
    return Element(psa, offset);
}

USHORT FeaturesOf(VARTYPE vt) {
    switch (vt) {
    case VT_BSTR:
        return FADF_BSTR | FADF_HAVEVARTYPE;
    case VT_VARIANT:
        return FADF_VARIANT | FADF_HAVEVARTYPE;
    case VT_UNKNOWN:
        return FADF_UNKNOWN | FADF_HAVEIID;
    case VT_DISPATCH:
        return FADF_DISPATCH | FADF_HAVEIID;
    default:
        return FADF_HAVEVARTYPE;
    }
}

SAFEARRAY* Create(VARTYPE vt, UINT cDims, const SAFEARRAYBOUND* bounds) {
    const ULONG size = CVarType::ElementSize(vt);
    if (size == 0 || cDims == 0 || cDims > std::numeric_limits<USHORT>::max() || !bounds)
        return nullptr;

    char* block = static_cast<char*>(std::calloc(1, kHiddenBytes + DescriptorSize(cDims)));
    if (!block)
        return nullptr;
    SAFEARRAY* psa = reinterpret_cast<SAFEARRAY*>(block + kHiddenBytes);
    psa->cDims = static_cast<USHORT>(cDims);
    psa->fFeatures = FeaturesOf(vt);
    psa->cbElements = size;
    for (UINT i = 0; i < cDims; ++i)
        psa->rgsabound[cDims - 1 - i] = bounds[i];
    if (psa->fFeatures & FADF_HAVEIID) {
        const IID& iid = vt == VT_DISPATCH ? kIidIDispatch : IID_IUnknown;
        std::memcpy(HiddenBytes(psa), &iid, sizeof(IID));
    } else {
        *HiddenVartype(psa) = vt;
    }

    size_t count = 0;
    if (CountElements(psa, psa->rgsabound[0].cElements, &count))
        psa->pvData = std::calloc(count ? count : 1, size);
    if (!psa->pvData) {
        std::free(block);
        return nullptr;
    }
    return psa;
}

} // namespace

extern "C" SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayCreate", &code))
        return nullptr;
    return Create(vt, cDims, rgsabound);
}

extern "C" SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayCreateVector", &code))
        return nullptr;
    const SAFEARRAYBOUND bound{cElements, lLbound};
    return Create(vt, 1, &bound);
}

extern "C" HRESULT SafeArrayDestroy(SAFEARRAY* psa) {
    if (!psa)
        return S_OK;
    if (psa->cLocks)
        return DISP_E_ARRAYISLOCKED;
    ReleaseElements(psa, 0, ElementCount(psa));
    std::free(psa->pvData);
    std::free(HiddenBytes(psa));
    return S_OK;
}

extern "C" UINT SafeArrayGetDim(SAFEARRAY* psa) {
    return psa ? psa->cDims : 0;
}

extern "C" UINT SafeArrayGetElemsize(SAFEARRAY* psa) {
    return psa ? psa->cbElements : 0;
}

extern "C" HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayGetLBound", &code))
        return code;
    if (!psa || !plLbound)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

extern "C" HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayGetUBound", &code))
        return code;
    if (!psa || !plUbound)
        return E_INVALIDARG;
    if (nDim == 0 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
    *plUbound = static_cast<LONG>(static_cast<LONGLONG>(bound.lLbound) + bound.cElements - 1);
    return S_OK;
}

extern "C" HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayGetElement", &code))
        return code;
    if (!psa || !rgIndices || !pv)
        return E_INVALIDARG;
    char* cell = Cell(psa, rgIndices);
    if (!cell)
        return DISP_E_BADINDEX;

    if (psa->fFeatures & FADF_BSTR) {
        const BSTR source = *reinterpret_cast<BSTR*>(cell);
        BSTR copy = nullptr;
        if (source) {
            copy = SysAllocStringLen(source, SysStringLen(source));
            if (!copy)
                return E_OUTOFMEMORY;
        }
        *static_cast<BSTR*>(pv) = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* unknown = *reinterpret_cast<IUnknown**>(cell);
        if (unknown)
            unknown->AddRef();
        *static_cast<IUnknown**>(pv) = unknown;
    } else if (psa->fFeatures & FADF_VARIANT) {
        VARIANT* out = static_cast<VARIANT*>(pv);
        VariantInit(out);
        return VariantCopy(out, reinterpret_cast<VARIANT*>(cell));
    } else {
        std::memcpy(pv, cell, psa->cbElements);
    }
    return S_OK;
}

// Stores one element into a cell, replacing what it held: BSTRs are copied,
// interfaces AddRef'ed, VARIANTs deep-copied, anything else copied by value. For
// BSTR and interface arrays `pv` is the BSTR or the pointer itself.
static HRESULT StoreElement(SAFEARRAY* psa, char* cell, const void* pv) {
    if (psa->fFeatures & FADF_BSTR) {
        const BSTR source = static_cast<BSTR>(const_cast<void*>(pv));
        BSTR copy = nullptr;
        if (source) {
            copy = SysAllocStringLen(source, SysStringLen(source));
            if (!copy)
                return E_OUTOFMEMORY;
        }
        BSTR* element = reinterpret_cast<BSTR*>(cell);
        SysFreeString(*element);
        *element = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* unknown = static_cast<IUnknown*>(const_cast<void*>(pv));
        if (unknown)
            unknown->AddRef();
        IUnknown** element = reinterpret_cast<IUnknown**>(cell);
        if (*element)
            (*element)->Release();
        *element = unknown;
    } else {
        if (!pv)
            return E_INVALIDARG;
        if (psa->fFeatures & FADF_VARIANT)
            return VariantCopy(reinterpret_cast<VARIANT*>(cell), static_cast<const VARIANT*>(pv));
        std::memcpy(cell, pv, psa->cbElements);
    }
    return S_OK;
}

extern "C" HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayPutElement", &code))
        return code;
    if (!psa || !rgIndices)
        return E_INVALIDARG;
    char* cell = Cell(psa, rgIndices);
    if (!cell)
        return DISP_E_BADINDEX;

    return StoreElement(psa, cell, pv);
}

extern "C" HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayRedim", &code))
        return code;
    if (!psa || !psaboundNew)
        return E_INVALIDARG;
    if (psa->cLocks)
        return DISP_E_ARRAYISLOCKED;

    const size_t oldCount = ElementCount(psa);
    size_t newCount = 0;
    if (!CountElements(psa, psaboundNew->cElements, &newCount))
        return E_OUTOFMEMORY;
    if (newCount < oldCount) {
        ReleaseElements(psa, newCount, oldCount - newCount);
        // Shrinking the block may fail; the larger block serves as well.
        if (void* smaller = std::realloc(psa->pvData, (newCount ? newCount : 1) * psa->cbElements))
            psa->pvData = smaller;
    } else if (newCount > oldCount) {
        void* larger = std::realloc(psa->pvData, newCount * psa->cbElements);
        if (!larger)
            return E_OUTOFMEMORY;
        psa->pvData = larger;
        std::memset(Element(psa, oldCount), 0, (newCount - oldCount) * psa->cbElements);
    }
    psa->rgsabound[0] = *psaboundNew;
    return S_OK;
}

extern "C" HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayCopy", &code))
        return code;
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;

    VARTYPE vt = VT_EMPTY;
    if (!ElementType(psa, &vt))
        return E_INVALIDARG;
    std::vector<SAFEARRAYBOUND> bounds(psa->cDims);
    for (UINT i = 0; i < psa->cDims; ++i)
        bounds[i] = psa->rgsabound[psa->cDims - 1 - i];
    SAFEARRAY* copy = SafeArrayCreate(vt, psa->cDims, bounds.data());
    if (!copy)
        return E_OUTOFMEMORY;

    const size_t count = ElementCount(psa);
    for (size_t i = 0; i < count; ++i) {
        char* from = Element(psa, i);
        char* to = Element(copy, i);
        const void* value = from;
        if (psa->fFeatures & FADF_BSTR)
            value = *reinterpret_cast<BSTR*>(from);
        else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH))
            value = *reinterpret_cast<IUnknown**>(from);
        if (psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH) && !value)
            continue;
        const HRESULT hr = StoreElement(copy, to, value);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}

extern "C" HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayGetVartype", &code))
        return code;
    if (!psa || !pvt)
        return E_INVALIDARG;
    return ElementType(psa, pvt) ? S_OK : E_INVALIDARG;
}

extern "C" HRESULT SafeArrayLock(SAFEARRAY* psa) {
    if (!psa)
        return E_INVALIDARG;
    ++psa->cLocks;
    return S_OK;
}

extern "C" HRESULT SafeArrayUnlock(SAFEARRAY* psa) {
    if (!psa)
        return E_INVALIDARG;
    if (psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

extern "C" HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData) {
    HRESULT code = S_OK;
    if (Fails("SafeArrayAccessData", &code))
        return code;
    if (!psa || !ppvData)
        return E_INVALIDARG;
    SafeArrayLock(psa);
    *ppvData = psa->pvData;
    return S_OK;
}

extern "C" HRESULT SafeArrayUnaccessData(SAFEARRAY* psa) {
    return SafeArrayUnlock(psa);
}
