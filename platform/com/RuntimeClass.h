// RuntimeClass and Make: the one implementation of IUnknown that every COM object of
// this code base uses, after WRL's Microsoft::WRL::RuntimeClass and Make.
//
// THE REFERENCE-COUNT RULE. An object is born with a count of 1, and that reference
// belongs to whoever made it. Make<T>(args...) hands it to a CComPtr<T> without
// AddRef; a plain `new T(...)` must be handed to an owner that takes the reference
// over (CComPtr::Attach, or an interface pointer given out as the caller's reference).
// So `CComPtr<T>(new T)` always leaks: write Make<T>(). QueryInterface adds a
// reference; the last Release deletes the object.
// The one exception is an object embedded in another (flag Embedded: a page's
// controls): it counts nothing, AddRef answers 2 and Release 1, and it is destroyed
// with its owner.
//
//   class CThing : public RuntimeClass<IThing, Chain<IOther2, IOther>> { ... };
//   CComPtr<CThing> thing = Make<CThing>(arguments);
//
// A class lists its interfaces; the first is the one IUnknown answers with.
// Chain<I3, I2, I1> is one vtable that answers the identifiers of an interface and
// of the interfaces it derives from. What a class must do beyond counting comes from
// a traits type given first, RuntimeClass<RuntimeClassFlags<Traits>, ...>, derived
// from RuntimeClassTraits:
//   - LifeScope: held from construction to destruction (a module lock);
//   - CallScope: held around QueryInterface, AddRef and Release, the deletion
//     included (a module state switch);
//   - kCounted: false for an embedded object.
// A class derived from a RuntimeClass adds interfaces with AddInterfaces<Base, I...>,
// and hides interfaces in some states by overriding Answers.
#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

#include "platform/base/HResult.h"
#include "platform/com/ComPtr.h"

struct RuntimeClassTraits {
    struct LifeScope {};
    struct CallScope {};
    static constexpr bool kCounted = true;
};

// The traits of an object that lives inside its owner.
struct Embedded : RuntimeClassTraits {
    static constexpr bool kCounted = false;
};

template <class Traits> struct RuntimeClassFlags {};

// One vtable answering an interface and the interfaces it derives from, most derived first.
template <class Most, class... Bases> struct Chain {};

namespace RuntimeClassDetails {

template <class Item> struct Entry {
    using Interface = Item;
    static bool Matches(REFIID riid) { return riid == Item::Iid; }
};
template <class Most, class... Bases> struct Entry<Chain<Most, Bases...>> {
    static_assert((std::is_base_of_v<Bases, Most> && ...), "a chain lists an interface, then its bases");
    using Interface = Most;
    static bool Matches(REFIID riid) { return riid == Most::Iid || (false || ... || (riid == Bases::Iid)); }
};
template <class Item> using InterfaceOf = typename Entry<Item>::Interface;

template <class Traits, class First, class... Rest>
class Implementation : public InterfaceOf<First>, public InterfaceOf<Rest>... {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        [[maybe_unused]] const typename Traits::CallScope scope{};
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        void* found = riid == IUnknown::Iid ? Hand<First>() : Find<First, Rest...>(riid);
        if (!found || !Answers(riid))
            return E_NOINTERFACE;
        *ppv = found;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        [[maybe_unused]] const typename Traits::CallScope scope{};
        if constexpr (!Traits::kCounted)
            return 2;
        else
            return ++m_references;
    }
    ULONG STDMETHODCALLTYPE Release() override {
        [[maybe_unused]] const typename Traits::CallScope scope{};
        if constexpr (!Traits::kCounted) {
            return 1;
        } else {
            const ULONG left = --m_references;
            if (left == 0)
                delete this;
            return left;
        }
    }

protected:
    Implementation() = default;
    virtual ~Implementation() = default;
    Implementation(const Implementation&) = delete;
    Implementation& operator=(const Implementation&) = delete;

    // False hides a listed interface in the object's present state.
    virtual bool Answers(REFIID riid) const { return true; }

    template <class Item> void* Hand() { return static_cast<InterfaceOf<Item>*>(this); }

private:
    template <class... Items> void* Find(REFIID riid) {
        void* found = nullptr;
        (void)(false || ... || (Entry<Items>::Matches(riid) && (found = Hand<Items>()) != nullptr));
        return found;
    }

    [[no_unique_address]] const typename Traits::LifeScope m_life{};
    std::atomic<ULONG> m_references{1};
};

template <class... Items> struct Select { using Type = Implementation<RuntimeClassTraits, Items...>; };
template <class Traits, class... Items> struct Select<RuntimeClassFlags<Traits>, Items...> {
    using Type = Implementation<Traits, Items...>;
};

} // namespace RuntimeClassDetails

template <class... Items> using RuntimeClass = typename RuntimeClassDetails::Select<Items...>::Type;

// Interfaces that a class derived from a RuntimeClass adds: their IUnknown is the
// object's, asked after the base's own interfaces.
template <class Base, class... Added> class AddInterfaces : public Base, public Added... {
public:
    using Base::Base;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        const HRESULT hr = Base::QueryInterface(riid, ppv);
        if (hr != E_NOINTERFACE)
            return hr;
        void* found = nullptr;
        (void)(false || ... || (riid == Added::Iid && (found = static_cast<Added*>(this)) != nullptr));
        if (!found || !this->Answers(riid))
            return hr;
        *ppv = found;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Base::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return Base::Release(); }
};

// A new object, its first reference held by the returned smart pointer.
template <class T, class... Args> CComPtr<T> Make(Args&&... args) {
    CComPtr<T> object;
    object.Attach(new T(std::forward<Args>(args)...));
    return object;
}
