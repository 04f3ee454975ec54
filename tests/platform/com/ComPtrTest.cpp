#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/com/ComPtrT.h"
#include "tests/platform/com/CountedObject.h"

namespace {

HRESULT GiveObject(CCountedObject* object, IUnknown** out) {
    *out = static_cast<IRunnableObject*>(object);
    (*out)->AddRef();
    return S_OK;
}

TEST(CComPtr, CountsEveryHolderAndReleasesOnce) {
    int destroyed = 0;
    auto* object = new CCountedObject(&destroyed);
    {
        CComPtr<IUnknown> a(static_cast<IRunnableObject*>(object));
        EXPECT_EQ(1, object->Refs());
        CComPtr<IUnknown> b = a;
        EXPECT_EQ(2, object->Refs());
        CComPtr<IUnknown> c = std::move(b);
        EXPECT_EQ(2, object->Refs());
        EXPECT_FALSE(b);
        a = nullptr;
        EXPECT_EQ(1, object->Refs());
    }
    EXPECT_EQ(1, destroyed);
}

TEST(CComPtr, OutParameterReleasesThePreviousObject) {
    int destroyed = 0;
    auto* first = new CCountedObject(&destroyed);
    auto* second = new CCountedObject(&destroyed);
    CComPtr<IUnknown> held(static_cast<IRunnableObject*>(first));
    ASSERT_EQ(S_OK, GiveObject(second, &held));
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(1, second->Refs());
}

TEST(CComPtr, AttachAndDetachMoveOwnershipWithoutCounting) {
    int destroyed = 0;
    auto* object = new CCountedObject(&destroyed);
    object->AddRef();
    CComPtr<IUnknown> held;
    held.Attach(static_cast<IRunnableObject*>(object));
    EXPECT_EQ(1, object->Refs());
    IUnknown* raw = held.Detach();
    EXPECT_EQ(1, object->Refs());
    EXPECT_FALSE(held);
    raw->Release();
    EXPECT_EQ(1, destroyed);
}

TEST(CComPtr, QueryInterfaceAndIdentity) {
    auto* object = new CCountedObject(nullptr, true);
    CComPtr<IUnknown> unknown(static_cast<IRunnableObject*>(object));
    CComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, unknown.QueryInterface(&support));
    EXPECT_TRUE(support.IsEqualObject(unknown));
    CComPtr<IClassFactory> factory;
    EXPECT_EQ(E_NOINTERFACE, unknown.QueryInterface(&factory));
    EXPECT_FALSE(factory);
}

TEST(ComPtrT, NullDereferenceAndReleaseRaiseEPointer) {
    _com_ptr_t<IUnknown> empty;
    try {
        empty->AddRef();
        FAIL() << "no error raised";
    } catch (const _com_error& error) {
        EXPECT_EQ(E_POINTER, error.Error());
    }
    EXPECT_THROW(empty.Release(), _com_error);
}

// Move assignment must not take the address through the out-parameter operator&,
// which would release what it is about to keep.
TEST(CComPtr, MoveAssignmentKeepsOneReference) {
    int destroyed = 0;
    auto* first = new CCountedObject(&destroyed);
    auto* second = new CCountedObject(&destroyed);
    CComPtr<IUnknown> a(static_cast<IRunnableObject*>(first));
    CComPtr<IUnknown> b(static_cast<IRunnableObject*>(second));
    a = std::move(b);
    EXPECT_EQ(1, destroyed);
    EXPECT_EQ(1, second->Refs());
    EXPECT_FALSE(b);
    CComPtr<IUnknown>& self = a;
    a = std::move(self);
    EXPECT_EQ(1, second->Refs());

    _com_ptr_t<IUnknown> c(static_cast<IRunnableObject*>(new CCountedObject(&destroyed)));
    _com_ptr_t<IUnknown> d;
    c = std::move(d);
    EXPECT_EQ(2, destroyed);
}

TEST(ComPtrT, ConstructionFromOtherInterfaceQueries) {
    auto* object = new CCountedObject;
    _com_ptr_t<IUnknown> unknown(static_cast<IRunnableObject*>(object));
    _com_ptr_t<ISupportErrorInfo> support(unknown);
    EXPECT_TRUE(support);
    // E_NOINTERFACE leaves the pointer null without raising.
    _com_ptr_t<IClassFactory> factory(unknown);
    EXPECT_FALSE(factory);
    EXPECT_EQ(2, object->Refs());
}

} // namespace
