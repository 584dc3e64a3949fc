#pragma once

#include <cstddef>
#include <cstdint>

// The event record of the SK Broadband IMS library: 1100 bytes, filled by IMS_GetEvent.
// Strings are zero-terminated, in the single-byte code page CP949.
extern "C" {

struct ImsEventRecord {
    std::int32_t Service;
    std::int32_t EvtType;
    std::int32_t Result;
    char Dn1[32];
    char Dn2[32];
    char ExtInfo[1024];
};

} // extern "C"

static_assert(offsetof(ImsEventRecord, Service) == 0);
static_assert(offsetof(ImsEventRecord, EvtType) == 4);
static_assert(offsetof(ImsEventRecord, Result) == 8);
static_assert(offsetof(ImsEventRecord, Dn1) == 12);
static_assert(offsetof(ImsEventRecord, Dn2) == 44);
static_assert(offsetof(ImsEventRecord, ExtInfo) == 76);
static_assert(sizeof(ImsEventRecord) == 1100);

// The library's calling convention: the callee cleans the stack (stdcall) on Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define IMS_CALL __stdcall
#else
#define IMS_CALL
#endif
