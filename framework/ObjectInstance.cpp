#include "ObjectInstance.h"

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

// Stubs come from pools of two adjacent pages: a code page, filled once and then made
// read-execute (never writable and executable at once), and a data page holding one slot per
// stub. Each stub loads its slot's object into the register (or stack slot) of the first
// argument and jumps to StdWndProc, so the same code serves every stub of a pool.

namespace qx {

namespace {

struct alignas(16) Slot {
    void* Object;  // the Record below
    void* Target;  // StdWndProc
};

struct Record {
    TWndMethod Method;
    Slot* Next;  // free-list link while unused
};

constexpr size_t kPage = 4096;
constexpr size_t kStubSize = 16;
constexpr size_t kStubsPerPool = kPage / kStubSize;

LRESULT CALLBACK StdWndProc(void* record, UINT msg, WPARAM wp, LPARAM lp) noexcept {
    TMessage m{msg, wp, lp, 0};
    static_cast<Record*>(record)->Method(m);
    return m.Result;
}

#if defined(__x86_64__) || defined(_M_X64)
// mov rcx, [rip + 4089] ; jmp [rip + 4091] ; int3 x3  — the displacements reach the slot
// at the same offset in the data page (stub + 4096).
constexpr unsigned char kStubCode[kStubSize] = {0x48, 0x8B, 0x0D, 0xF9, 0x0F, 0x00, 0x00,
                                                0xFF, 0x25, 0xFB, 0x0F, 0x00, 0x00, 0xCC, 0xCC, 0xCC};
#elif defined(__i386__) || defined(_M_IX86)
// i686 stdcall has no RIP-relative addressing, so each stub carries the absolute addresses:
// mov eax, [slot] ; mov [esp+4], eax ; jmp [slot+4]
#else
#error "object-instance stubs need x86-64 or i686"
#endif

class StubPool {
public:
    WNDPROC Make(TWndMethod method) {
        std::lock_guard<std::mutex> lock(FLock);
        if (!FFree) Grow();
        Slot* slot = FFree;
        FFree = static_cast<Record*>(slot->Object)->Next;
        auto* rec = static_cast<Record*>(slot->Object);
        rec->Method = method;
        rec->Next = nullptr;
        slot->Target = reinterpret_cast<void*>(&StdWndProc);
        return reinterpret_cast<WNDPROC>(StubOf(slot));
    }

    void Free(WNDPROC stub) {
        if (!stub) return;
        std::lock_guard<std::mutex> lock(FLock);
        Slot* slot = SlotOf(reinterpret_cast<unsigned char*>(stub));
        if (!slot) return;
        auto* rec = static_cast<Record*>(slot->Object);
        rec->Method = {};
        rec->Next = FFree;
        FFree = slot;
    }

private:
    struct Pool {
        unsigned char* Code;
        Slot* Slots;
        std::vector<Record> Records;
    };

    void Grow() {
        auto* base = static_cast<unsigned char*>(::VirtualAlloc(nullptr, 2 * kPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base) throw std::bad_alloc();
        Pool pool{base, reinterpret_cast<Slot*>(base + kPage), std::vector<Record>(kStubsPerPool)};
        for (size_t i = 0; i < kStubsPerPool; ++i) {
            unsigned char* code = base + i * kStubSize;
#if defined(__x86_64__) || defined(_M_X64)
            std::memcpy(code, kStubCode, kStubSize);
#else
            auto slot = reinterpret_cast<uintptr_t>(&pool.Slots[i]);
            unsigned char stub[kStubSize] = {0xA1, 0, 0, 0, 0, 0x89, 0x44, 0x24, 0x04, 0xFF, 0x25, 0, 0, 0, 0, 0xCC};
            uintptr_t target = slot + sizeof(void*);
            std::memcpy(stub + 1, &slot, 4);
            std::memcpy(stub + 11, &target, 4);
            std::memcpy(code, stub, kStubSize);
#endif
            pool.Slots[i].Object = &pool.Records[i];
            pool.Records[i].Next = FFree;
            FFree = &pool.Slots[i];
        }
        DWORD old = 0;
        ::VirtualProtect(base, kPage, PAGE_EXECUTE_READ, &old);
        ::FlushInstructionCache(::GetCurrentProcess(), base, kPage);
        FPools.push_back(std::move(pool));
    }

    static unsigned char* StubOf(Slot* slot) { return reinterpret_cast<unsigned char*>(slot) - kPage; }

    Slot* SlotOf(unsigned char* stub) {
        for (auto& p : FPools)
            if (stub >= p.Code && stub < p.Code + kPage && (stub - p.Code) % kStubSize == 0)
                return reinterpret_cast<Slot*>(stub + kPage);
        return nullptr;
    }

    std::mutex FLock;
    std::vector<Pool> FPools;
    Slot* FFree = nullptr;
};

StubPool& Pools() {
    static StubPool* pool = new StubPool;  // lives to process end: stubs may be called late
    return *pool;
}

}  // namespace

WNDPROC MakeObjectInstance(TWndMethod method) { return Pools().Make(method); }
void FreeObjectInstance(WNDPROC stub) { Pools().Free(stub); }

}  // namespace qx
