#include "app/private_heap.h"

#include <windows.h>

#include <cstdlib>
#include <new>

namespace {

HANDLE privateHeap = nullptr;
bool privateHeapGone = false;

// Each block starts with the heap it came from, so that blocks allocated
// before the private heap existed go back to the process heap. 16 bytes keep
// the alignment that operator new promises.
constexpr size_t blockHeader = 16;

void* Allocate(size_t size)
{
    HANDLE heap = privateHeap ? privateHeap : GetProcessHeap();
    auto* block = static_cast<char*>(HeapAlloc(heap, 0, size + blockHeader));
    if (!block)
        std::abort();  // out of memory: nothing sensible is left to do
    *reinterpret_cast<HANDLE*>(block) = heap;
    return block + blockHeader;
}

void Release(void* memory)
{
    if (!memory)
        return;
    char* block = static_cast<char*>(memory) - blockHeader;
    HANDLE heap = *reinterpret_cast<HANDLE*>(block);
    if (heap == privateHeap && privateHeapGone)
        return;
    HeapFree(heap, 0, block);
}

} // namespace

void PrivateHeapCreate()
{
    // Grows as needed from an initial 4000 bytes.
    if (!privateHeap)
        privateHeap = HeapCreate(0, 4000, 0);
}

void PrivateHeapDestroy()
{
    if (privateHeap) {
        privateHeapGone = true;
        HeapDestroy(privateHeap);
    }
}

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, size_t) noexcept { Release(block); }
void operator delete[](void* block, size_t) noexcept { Release(block); }
