// The framework's root class: objects are destroyed through a CObject pointer. As in
// the framework, a CObject cannot be copied; a derived class that needs copies writes
// its own copy operations.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};
