#include "device_library_win.h"

#include "device_support.h"
#include "win_util.h"

QueryResult LibraryQuery::KV_GetRegDevList(DeviceTable& table) {
    if (fn_ == nullptr) {
        // Loaded already when the presence check found it; this adds a
        // reference that is never dropped, like the check's own.
        UniqueModule module(LoadLibraryA(kDeviceLibraryName));
        if (!module) return {0, kLibraryNotLoaded};
        fn_ = GetProcAddressAs<Fn>(module.get(), "KV_GetRegDevList");
        if (fn_ == nullptr) return {0, kFunctionNotFound};
        static_cast<void>(module.release());
    }
    return {fn_(table.slot.data(), 0), {}};
}
