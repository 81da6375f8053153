#include "AllocationWatch.h"

#include <cstdlib>
#include <new>

// The program's operator new for this test executable: the default one, counting. Kept in a unit of
// its own so the compiler never sees a test's allocation and this free together.
namespace {

size_t watchedBytes = 0;
bool watching = false;

} // namespace

TAllocationWatch::TAllocationWatch()
{
    watchedBytes = 0;
    watching = true;
}

TAllocationWatch::~TAllocationWatch() { watching = false; }

size_t TAllocationWatch::Bytes() const { return watchedBytes; }

void* operator new(size_t size)
{
    if (watching) watchedBytes += size;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }

void operator delete(void* p, size_t) noexcept { std::free(p); }
