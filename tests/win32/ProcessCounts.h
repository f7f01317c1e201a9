#pragma once
// What a process holds, counted from outside it the way that works under Wine too (where
// GetProcessHandleCount and GetGuiResources answer 0).

#include <windows.h>
#include <psapi.h>

#include <vector>

// Kernel handles of a process, from the system's list of all handles.
inline long HandleCount(DWORD pid) {
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    struct Entry {
        ULONG ownerPid;
        BYTE type, flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    constexpr ULONG SystemHandleInformation = 16;
    std::vector<BYTE> buffer(1 << 16);
    ULONG needed = 0;
    LONG status;
    while ((status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<LONG>(0xC0000004))  // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    long owned = 0;
    for (ULONG i = 0; i < count; ++i) owned += entries[i].ownerPid == pid;
    return owned;
}

// GDI objects of a process: GetGuiResources is a stub in Wine, so this counts the live
// entries of the process's GDI handle table, found through its PEB (Wine's table layout).
inline long GdiObjectCount(DWORD pid) {
    using Query = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    struct BasicInformation {
        LONG exitStatus;
        PVOID peb;
        ULONG_PTR affinity, priority, pid, parentPid;
    } basic{};
#pragma pack(push, 4)
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type, flags;
        UINT64 user;
    };
#pragma pack(pop)
    static_assert(sizeof(Entry) == 24);
    constexpr std::size_t PebGdiTable = sizeof(void*) == 8 ? 0xF8 : 0x94, Entries = 0x10000;
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return -1;
    long live = -1;
    PVOID table = nullptr;
    if (query(process, 0, &basic, sizeof basic, nullptr) == 0 &&
        ReadProcessMemory(process, static_cast<BYTE*>(basic.peb) + PebGdiTable, &table, sizeof table, nullptr) &&
        table != nullptr) {
        std::vector<Entry> entries(Entries);
        if (ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), nullptr)) {
            live = 0;
            for (const Entry& entry : entries) live += entry.type != 0;
        }
    }
    CloseHandle(process);
    return live;
}

// The process's committed private memory (PagefileUsage), in KB.
inline long PagefileKilobytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? static_cast<long>(counters.PagefileUsage / 1024)
                                                                     : -1;
}
