#pragma once

#include <windows.h>

#include <cstdint>

#include "devices/device_refresh.h"

// KV_GetRegDevList of Tarvik.DLL, bound by name at the first query that
// finds it and kept for the rest of the process.
class LibraryQuery final : public DeviceQuery {
public:
    QueryResult KV_GetRegDevList(DeviceTable& table) override;

private:
    // The status is one byte: the upper bytes of the return register are
    // whatever the library left there.
    using Fn = std::uint8_t(WINAPI*)(std::int16_t* table, std::int32_t reserved);
    Fn fn_ = nullptr;
};

inline constexpr wchar_t kLibraryNotLoaded[] = L"could not load Tarvik.DLL";
inline constexpr wchar_t kFunctionNotFound[] = L"Tarvik.DLL has no function KV_GetRegDevList";
