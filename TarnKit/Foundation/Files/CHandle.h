#pragma once

// Turns a C library handle into a std::unique_ptr that frees it with the library's own function:
//   using UdevPtr = CHandle<udev, udev_unref>;

#include <memory>

namespace tarn {

template <auto FreeFunction> struct CHandleDeleter {
    template <typename T> void operator()(T* handle) const
    {
        if (handle != nullptr) {
            FreeFunction(handle);
        }
    }
};

template <typename T, auto FreeFunction> using CHandle = std::unique_ptr<T, CHandleDeleter<FreeFunction>>;

} // namespace tarn
