// Shared by the entry points: the lock every call holds and handle lookups.
#ifndef SCRIVANE_GDI_API_COMMON_H
#define SCRIVANE_GDI_API_COMMON_H

#include "device_context.h"
#include "gdi_objects.h"

#include <mutex>

namespace scrivane::gdi {

struct GdiCall {
    std::lock_guard<std::mutex> lock{gdiMutex()};
    HandleTable &table = handleTable();

    DeviceContext *dc(const void *hdc) { return findDc(table, hdc); }
};

} // namespace scrivane::gdi

#endif
