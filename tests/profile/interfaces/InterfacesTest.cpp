// The interface headers shared by the profile and the host: every identifier is our
// own, and no two are alike (a copied GUID would make QueryInterface hand out the
// wrong interface without any compiler noticing).
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "platform/com/ErrorInfo.h"
#include "platform/com/Unknown.h"
#include "profile/interfaces/Device.h"
#include "profile/interfaces/DlgManager.h"
#include "profile/interfaces/FileFinder.h"
#include "profile/interfaces/HostView.h"
#include "profile/interfaces/Module.h"
#include "profile/interfaces/PVParent.h"
#include "profile/interfaces/Panel.h"
#include "profile/interfaces/Tag.h"
#include "profile/interfaces/TextServers.h"

namespace {

template <class... I> struct InterfaceList {};

using AllInterfaces =
    InterfaceList<IPVChild, IPVPanel, IPVPanel2, IPVPanel3, IPVProvideHelp, IPVEventHandler2,
                  IPVDocumentation, IPVExtendedInfoXml, IPVExtendedInfoXml2, IPVWndMsg, IDynamicSubItemEvents,
                  IPVDynamicSubItem, IPVParent, IPVLogixProperties, IDynamicSubItemHost, IModule,
                  IModuleSafety, IModuleSafetyLock, IModuleState, IModuleInternal7, IDeviceInfo2,
                  IModuleServices, IModuleMethods, IDynamicSubItemSource, ITag, ITag2, ITagEnumValues,
                  ITagForcing, ITagExtProperty, IPVDlgManager, IPVExtHostViewConnector, IHostViewConnector,
                  IApplication, IModuleSpecificFileFind, IPVStringServer, IPVPromptServer, IPVLocale>;

// A caller may hold any of these only through a reference count: nobody but the
// object itself deletes it. IPVChild is the one with a public virtual destructor, the
// page's first own slot.
template <class I> constexpr bool IsComInterface() {
    static_assert(std::is_base_of_v<IUnknown, I>, "an interface derives from IUnknown");
    static_assert(std::is_abstract_v<I>, "an interface has pure virtual operations only");
    static_assert(std::is_same_v<I, IPVChild> ? std::has_virtual_destructor_v<I> : !std::is_destructible_v<I>,
                  "only IPVChild can be deleted through its pointer");
    return true;
}

template <class... I> constexpr bool AreComInterfaces(InterfaceList<I...>) {
    return (IsComInterface<I>() && ...);
}
static_assert(AreComInterfaces(AllInterfaces{}));

// The page hands out its IPVPanel3 and IPVExtendedInfoXml2 for the older identifiers
// too, and a tag's ITag2 serves as its ITag: each newer version extends the older.
static_assert(std::is_base_of_v<IPVPanel, IPVPanel2> && std::is_base_of_v<IPVPanel2, IPVPanel3>);
static_assert(std::is_base_of_v<IPVExtendedInfoXml, IPVExtendedInfoXml2>);
static_assert(std::is_base_of_v<ITag, ITag2>);

struct GuidEntry {
    std::string name;
    GUID guid;
};

void PrintTo(const GuidEntry& entry, std::ostream* out) {
    *out << entry.name;
}

// The interface's name: its type name without the length that the ABI puts in front
// ("8IPVChild").
template <class I> std::string NameOf() {
    const std::string mangled = typeid(I).name();
    return mangled.substr(mangled.find_first_not_of("0123456789"));
}

template <class... I> std::vector<GuidEntry> IidsOf(InterfaceList<I...>) {
    return {GuidEntry{NameOf<I>(), I::Iid}...};
}

std::vector<GuidEntry> AllGuids() {
    std::vector<GuidEntry> all = IidsOf(AllInterfaces{});
    all.push_back({"CLSID_PVExtHostViewConnector", CLSID_PVExtHostViewConnector});
    all.push_back({"CLSID_ModuleSpecificFileFind", CLSID_ModuleSpecificFileFind});
    all.push_back({"CLSID_PVStringServer", CLSID_PVStringServer});
    all.push_back({"CLSID_PVPromptServer", CLSID_PVPromptServer});
    all.push_back({"CLSID_PVFrameworkPromptServer", CLSID_PVFrameworkPromptServer});
    return all;
}

// Identifiers of the stand-in's own COM interfaces, which a host object also answers.
const std::vector<GuidEntry>& WellKnownGuids() {
    static const std::vector<GuidEntry> known = {
        {"GUID_NULL", GUID_NULL},
        {"IUnknown", IUnknown::Iid},
        {"IClassFactory", IClassFactory::Iid},
        {"IRunnableObject", IRunnableObject::Iid},
        {"IErrorInfo", IErrorInfo::Iid},
        {"ICreateErrorInfo", ICreateErrorInfo::Iid},
        {"ISupportErrorInfo", ISupportErrorInfo::Iid},
    };
    return known;
}

std::string Text(REFGUID guid) {
    wchar_t text[39] = {};
    StringFromGUID2(guid, text, 39);
    return std::string(text, text + 38);
}

class InterfaceIdentifier : public testing::TestWithParam<GuidEntry> {};

TEST_P(InterfaceIdentifier, IsUsedOnce) {
    int uses = 0;
    std::string users;
    for (const GuidEntry& other : AllGuids()) {
        if (IsEqualGUID(other.guid, GetParam().guid)) {
            ++uses;
            users += other.name + " ";
        }
    }
    EXPECT_EQ(uses, 1) << Text(GetParam().guid) << " is shared by " << users;
}

TEST_P(InterfaceIdentifier, DiffersFromTheStandardInterfaces) {
    for (const GuidEntry& known : WellKnownGuids())
        EXPECT_FALSE(IsEqualGUID(known.guid, GetParam().guid)) << GetParam().name << " is " << known.name;
}

// Our identifiers are random (version 4, RFC 4122 variant): none is taken from
// another product.
TEST_P(InterfaceIdentifier, IsARandomGuid) {
    const GUID& guid = GetParam().guid;
    EXPECT_EQ(guid.Data3 >> 12, 4) << Text(guid);
    EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80) << Text(guid);
}

INSTANTIATE_TEST_SUITE_P(AllHostInterfaces, InterfaceIdentifier, testing::ValuesIn(AllGuids()),
                         [](const testing::TestParamInfo<GuidEntry>& info) { return info.param.name; });

} // namespace
