#pragma once

#include <windows.h>

#include <cstring>
#include <memory>
#include <type_traits>

// Typed GetProcAddress: copies the pointer instead of casting between
// function pointer types, which strict warnings reject.
template <typename Fn>
Fn GetProcAddressAs(HMODULE module, const char* name) {
    static_assert(std::is_pointer_v<Fn> && sizeof(Fn) == sizeof(FARPROC));
    Fn fn = nullptr;
    if (module == nullptr) return fn;
    const FARPROC proc = GetProcAddress(module, name);
    std::memcpy(&fn, &proc, sizeof fn);
    return fn;
}

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

struct ModuleDeleter {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

struct HandleDeleter {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleDeleter>;
