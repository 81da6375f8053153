#pragma once

#include <windows.h>

#include <mutex>

// The platform's slim lock (SRWLOCK, used exclusively) as a lockable for std::lock_guard and
// std::unique_lock. Waiting on it and on TConditionVariable stays inside the process, while the
// kernel objects behind the C++ library's mutex and condition variable cost a system call (under
// Wine, a round trip to the server) whenever they are contended.
class TSlimLock {
public:
    TSlimLock() = default;
    TSlimLock(const TSlimLock&) = delete;
    TSlimLock& operator=(const TSlimLock&) = delete;

    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }
    bool try_lock() { return TryAcquireSRWLockExclusive(&lock_) != 0; }

private:
    friend class TConditionVariable;
    SRWLOCK lock_ = SRWLOCK_INIT;
};

// CONDITION_VARIABLE over a TSlimLock.
class TConditionVariable {
public:
    TConditionVariable() = default;
    TConditionVariable(const TConditionVariable&) = delete;
    TConditionVariable& operator=(const TConditionVariable&) = delete;

    template <typename Predicate> void Wait(std::unique_lock<TSlimLock>& lock, Predicate ready)
    {
        while (!ready()) SleepConditionVariableSRW(&condition_, &lock.mutex()->lock_, INFINITE, 0);
    }
    // One wait of at most the given time; it may also end early, so the caller checks its condition again.
    void WaitAtMost(std::unique_lock<TSlimLock>& lock, DWORD milliseconds)
    {
        SleepConditionVariableSRW(&condition_, &lock.mutex()->lock_, milliseconds, 0);
    }
    void NotifyOne() { WakeConditionVariable(&condition_); }
    void NotifyAll() { WakeAllConditionVariable(&condition_); }

private:
    CONDITION_VARIABLE condition_ = CONDITION_VARIABLE_INIT;
};
