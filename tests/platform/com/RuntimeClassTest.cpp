#include <gtest/gtest.h>

#include "platform/com/RuntimeClass.h"

namespace {

struct IBase : IUnknown {
    static constexpr IID Iid{0x6A1B0001, 0, 0, {0, 0, 0, 0, 0, 0, 0, 1}};
};
struct IDerived : IBase {
    static constexpr IID Iid{0x6A1B0002, 0, 0, {0, 0, 0, 0, 0, 0, 0, 2}};
};
struct IOther : IUnknown {
    static constexpr IID Iid{0x6A1B0003, 0, 0, {0, 0, 0, 0, 0, 0, 0, 3}};
};
struct IAdded : IUnknown {
    static constexpr IID Iid{0x6A1B0004, 0, 0, {0, 0, 0, 0, 0, 0, 0, 4}};
};

int g_alive = 0;
int g_calls = 0;

// Traits that count the object's life and the calls made in its call scope.
struct CountingTraits : RuntimeClassTraits {
    struct LifeScope {
        LifeScope() { ++g_alive; }
        ~LifeScope() { --g_alive; }
    };
    struct CallScope {
        CallScope() { ++g_calls; }
    };
};

class CThing : public RuntimeClass<RuntimeClassFlags<CountingTraits>, Chain<IDerived, IBase>, IOther> {
public:
    bool hideOther = false;

protected:
    bool Answers(REFIID riid) const override { return !(hideOther && riid == IOther::Iid); }
};

class CMore : public AddInterfaces<CThing, IAdded> {};

class CInside : public RuntimeClass<RuntimeClassFlags<Embedded>, IOther> {};

void* Query(IUnknown* object, REFIID riid, HRESULT expected) {
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(expected, object->QueryInterface(riid, &out));
    if (out)
        static_cast<IUnknown*>(out)->Release();
    return out;
}

TEST(RuntimeClass, AnswersItsListWithOneCountAndHidesWhatAnswersRefuses) {
    const CComPtr<CMore> more = Make<CMore>();
    IUnknown* first = static_cast<IDerived*>(more.p());
    const struct {
        IID iid;
        HRESULT hr;
        void* answer;
    } cases[] = {
        {IUnknown::Iid, S_OK, first},
        {IDerived::Iid, S_OK, first},
        {IBase::Iid, S_OK, first}, // a chain answers its bases with one vtable
        {IOther::Iid, S_OK, static_cast<IOther*>(more.p())},
        {IAdded::Iid, S_OK, static_cast<IAdded*>(more.p())},
        {IClassFactory::Iid, E_NOINTERFACE, nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, Query(first, c.iid, c.hr)) << c.iid.Data1;
    more->hideOther = true;
    EXPECT_EQ(nullptr, Query(first, IOther::Iid, E_NOINTERFACE));
    EXPECT_EQ(E_POINTER, more->QueryInterface(IUnknown::Iid, nullptr));
    // The one count: the maker's reference plus one from each interface.
    IAdded* added = nullptr;
    ASSERT_EQ(S_OK, more->QueryInterface(IAdded::Iid, reinterpret_cast<void**>(&added)));
    EXPECT_EQ(3u, static_cast<IOther*>(more.p())->AddRef());
    EXPECT_EQ(2u, added->Release());
    EXPECT_EQ(1u, static_cast<IOther*>(more.p())->Release());
}

TEST(RuntimeClass, BornWithTheMakersReferenceTheLastReleaseDestroysIt) {
    g_calls = 0;
    {
        const CComPtr<CThing> thing = Make<CThing>();
        EXPECT_EQ(1, g_alive) << "the life scope is held from birth";
        EXPECT_EQ(2u, thing->AddRef());
        EXPECT_EQ(1u, thing->Release());
    }
    EXPECT_EQ(0, g_alive) << "Make's reference was the only one";
    EXPECT_EQ(3, g_calls) << "AddRef, Release and the final Release, each in the call scope";
}

TEST(RuntimeClass, AnEmbeddedObjectCountsNothing) {
    CInside inside;
    EXPECT_EQ(2u, inside.AddRef());
    EXPECT_EQ(1u, inside.Release());
    EXPECT_EQ(1u, inside.Release());
    EXPECT_EQ(static_cast<IOther*>(&inside), Query(&inside, IUnknown::Iid, S_OK));
}

} // namespace
