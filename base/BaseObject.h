// The common base of the App and of the components that own resources
// through it; its only virtual operation is the destructor.
#pragma once

class BaseObject {
public:
    BaseObject() = default;
    BaseObject(const BaseObject&) = delete;
    BaseObject& operator=(const BaseObject&) = delete;
    virtual ~BaseObject() = default;
};
