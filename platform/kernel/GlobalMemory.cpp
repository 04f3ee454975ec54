#include "platform/kernel/GlobalMemory.h"

#include <map>
#include <memory>
#include <vector>

#include "platform/base/FaultInjector.h"
#include "platform/base/Win32Error.h"

namespace {

struct Block {
    std::vector<BYTE> bytes;
    bool moveable = false;
    int locks = 0;
};

// Handles of moveable blocks are tokens; fixed blocks are known by their address.
std::map<HGLOBAL, std::unique_ptr<Block>>& Blocks() {
    static std::map<HGLOBAL, std::unique_ptr<Block>> blocks;
    return blocks;
}
ULONG_PTR g_nextToken = 0x40004;

Block* FindBlock(HGLOBAL mem) {
    auto it = Blocks().find(mem);
    return it == Blocks().end() ? nullptr : it->second.get();
}

} // namespace

extern "C" HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    LONG code = 0;
    if (CFaultInjector::Instance().ShouldFail("GlobalAlloc", &code)) {
        SetLastError(static_cast<DWORD>(code ? code : ERROR_NOT_ENOUGH_MEMORY));
        return nullptr;
    }
    auto block = std::make_unique<Block>();
    // Never an empty vector, so that a fixed block has an address of its own.
    block->bytes.assign(bytes ? bytes : 1, 0);
    block->moveable = (flags & GMEM_MOVEABLE) != 0;
    HGLOBAL handle = block->moveable ? reinterpret_cast<HGLOBAL>(g_nextToken) : block->bytes.data();
    if (block->moveable)
        g_nextToken += 8;
    if (!bytes)
        block->bytes.clear();
    Blocks()[handle] = std::move(block);
    return handle;
}

extern "C" LPVOID GlobalLock(HGLOBAL mem) {
    Block* block = FindBlock(mem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!block->moveable)
        return mem;
    ++block->locks;
    return block->bytes.data();
}

extern "C" BOOL GlobalUnlock(HGLOBAL mem) {
    Block* block = FindBlock(mem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!block->moveable || block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->locks;
    if (block->locks == 0) {
        SetLastError(ERROR_SUCCESS);
        return FALSE;
    }
    return TRUE;
}

extern "C" HGLOBAL GlobalFree(HGLOBAL mem) {
    if (!mem)
        return nullptr;
    auto it = Blocks().find(mem);
    if (it == Blocks().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return mem;
    }
    Blocks().erase(it);
    return nullptr;
}

extern "C" SIZE_T GlobalSize(HGLOBAL mem) {
    Block* block = FindBlock(mem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->bytes.size();
}
