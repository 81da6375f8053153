#pragma once

#include <cstddef>

// Counts the bytes requested of operator new while it is alive, so a test can tell what a call
// really allocated (memory that a failed call frees again leaves no other trace). One watch at a
// time, on the test's thread.
class TAllocationWatch {
public:
    TAllocationWatch();
    ~TAllocationWatch();
    TAllocationWatch(const TAllocationWatch&) = delete;
    TAllocationWatch& operator=(const TAllocationWatch&) = delete;

    size_t Bytes() const;
};
