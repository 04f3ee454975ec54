#include "profile/panel/PVConfigAdapters.h"

#include <new>

#include "profile/interfaces/Module.h"
#include "profile/interfaces/Tag.h"
#include "profile/values/PVGetSetAdapter.h"

namespace {

// Makes `adapter` an adapter over `tag` when there is a tag; false when one was due
// and could not be made.
bool AdapterOver(ITag* tag, CComPtr<IPVGetSetAdapter>& adapter) {
    if (!tag)
        return true;
    // Born with one reference, which the smart pointer takes over.
    adapter.Attach(new (std::nothrow) CPVGetSetAdapterITag(tag));
    return adapter != nullptr;
}

} // namespace

HRESULT CPVConfigAdapters::Build(IModule* module) {
    if (!module)
        return E_FAIL;
    CComPtr<ITag> tag;
    if (FAILED(module->GetConfigTag(&tag)))
        tag = nullptr;
    if (!AdapterOver(tag, m_spIPVGetSetAdapter))
        return E_FAIL;

    CComPtr<ITag> safetyTag;
    CComPtr<IModuleSafety> safety;
    CComPtr<IModule> held(module);
    if (SUCCEEDED(held.QueryInterface(&safety)) && safety && FAILED(safety->GetSafetyConfigTag(&safetyTag)))
        safetyTag = nullptr;
    if (!AdapterOver(safetyTag, m_spSafetyAdapter))
        return E_FAIL;

    return tag || safetyTag ? S_OK : E_FAIL;
}
