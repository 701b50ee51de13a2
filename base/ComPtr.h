// The owner of one COM interface pointer: Release at the end of its life.
#pragma once

#include <unknwn.h>

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // Where a creating call (CoCreateInstance, QueryInterface) puts its
    // answer; the pointer held before is released first.
    void** Put() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
        return reinterpret_cast<void**>(&pointer_);
    }

private:
    Interface* pointer_ = nullptr;
};
