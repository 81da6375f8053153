#pragma once

#include "app/Listing.h"
#include "app/WalkRules.h"
#include "framework/SlimLock.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <queue>
#include <string>
#include <thread>
#include <vector>

// What the caller of a prefetched walk keeps doing while the walk runs, and how it ends the walk early.
class TWalkHost {
public:
    virtual ~TWalkHost() = default;
    // Called when a walk starts and then every few milliseconds, also while the walk waits for a
    // directory: a window thread handles its messages here.
    virtual void Idle() = 0;
    // Asked before each directory and after each idle call: true ends the walk at once.
    virtual bool StopWanted() = 0;
};

// A host with nothing to do meanwhile, which never ends a walk early.
class TPlainWalkHost : public TWalkHost {
public:
    void Idle() override {}
    bool StopWanted() override { return false; }
};

// The tree walk of ListTree with the directories read ahead on a small pool of worker threads: the
// cost of a walk is almost all in opening and reading directories, and much of that is waiting.
// Workers always read the directory that comes first in the walk's order among those still to read,
// at most kMaxReadAhead ahead of the walk, so the memory held stays bounded; the text is assembled on
// the calling thread, in exactly ListTree's order and format. One pool serves any number of walks,
// one after the other.
class TTreePrefetcher {
public:
    // One reading thread per processor, at least two: more threads than processors only contend with
    // the walk's own thread (measured on two processors, four readers walk about a fifth slower).
    static int DefaultWorkers();
    static constexpr size_t kMaxReadAhead = 256;
    static constexpr DWORD kIdleIntervalMs = 10;

    explicit TTreePrefetcher(int workers = DefaultWorkers());
    ~TTreePrefetcher();
    TTreePrefetcher(const TTreePrefetcher&) = delete;
    TTreePrefetcher& operator=(const TTreePrefetcher&) = delete;

    // Adds the same text and report as ListTree(listing, settings, path, level, depth). Returns false
    // when the host asked to stop; listing then holds the part of the tree assembled until then.
    bool ListTree(TListing& listing, const TWalkSettings& settings, const std::wstring& path, int level, int depth,
                  TWalkHost& host);
    // The same walk with no exclusions, appending the lines in the ANSI code page to listing.
    bool ListTree(std::string& listing, const std::wstring& path, int level, int depth, TWalkHost& host);

private:
    struct TDirectory;
    using TDirectoryPtr = std::shared_ptr<TDirectory>;
    struct TLaterInWalk {
        bool operator()(const TDirectoryPtr& a, const TDirectoryPtr& b) const;
    };
    class TAssembly;

    void StopWorkers();
    void Work();
    bool CanTakeWork() const;
    void Read(TDirectory& directory) const;
    void Publish(const TDirectoryPtr& directory, std::unique_lock<TSlimLock>& lock);
    bool Take(TDirectory& directory, TAssembly& assembly);
    void BeginWalk(const TDirectoryPtr& root);
    void EndWalk();

    TSlimLock mutex_;
    TConditionVariable workAvailable_;
    TConditionVariable wantedRead_; // the directory the walk waits for has been read
    std::priority_queue<TDirectoryPtr, std::vector<TDirectoryPtr>, TLaterInWalk> pending_;
    size_t readAhead_ = 0;               // read and not yet taken by the walk
    const TDirectory* wanted_ = nullptr; // the directory the walk waits for
    std::atomic<uint64_t> walk_{0};      // the walk in progress; directories of other walks are dropped
    bool shuttingDown_ = false;
    std::vector<std::thread> workers_;
};
