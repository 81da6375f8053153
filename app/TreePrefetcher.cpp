#include "app/TreePrefetcher.h"

#include <algorithm>
#include <exception>

// One directory of a walk. Its place in the walk is the list of child indices that leads to it from
// the root: the walk visits directories in the lexicographic order of these lists.
struct TTreePrefetcher::TDirectory {
    TDirectory(std::wstring searchPath, std::vector<uint32_t> order, int level, int depth, uint64_t walk,
               std::shared_ptr<const TWalkSettings> settings)
        : SearchPath(std::move(searchPath)), Order(std::move(order)), Level(level), Depth(depth), Walk(walk),
          Settings(std::move(settings))
    {
    }

    const std::wstring SearchPath;
    const std::vector<uint32_t> Order;
    const int Level;
    const int Depth;
    const uint64_t Walk;
    // Shared by the directories of one walk, so that a worker still reading for a walk that has ended
    // does not depend on its caller.
    const std::shared_ptr<const TWalkSettings> Settings;

    // Filled by the worker that reads the directory, then published under the lock.
    std::vector<std::wstring> Names;     // listed subdirectories; sorted when the level is the lowest
    std::vector<TDirectoryPtr> Children; // beside Names when the walk descends into directories it reads
    DWORD ReadError = 0;                 // the platform's error when the directory could not be read
    std::exception_ptr Error;            // what ended the enumeration early, raised once Names are printed
    bool Read = false;
};

bool TTreePrefetcher::TLaterInWalk::operator()(const TDirectoryPtr& a, const TDirectoryPtr& b) const
{
    return a->Order > b->Order;
}

// The ordered half of a walk, on the caller's thread: takes each directory as the walk reaches it
// and appends its lines.
class TTreePrefetcher::TAssembly {
public:
    TAssembly(TTreePrefetcher& pool, TWalkHost& host, TListing& listing, const TWalkRoot& root)
        : pool_(pool), host_(host), listing_(listing), lines_(listing, root)
    {
    }

    // The directory's own line, then its subdirectories; directory is null when it is not read.
    bool Assemble(const TDirectoryPtr& directory, int level)
    {
        if (IsPrintedLevel(level)) lines_.Append(level - 1);
        if (!directory) return true;
        if (!pool_.Take(*directory, *this)) return false;

        if (CollectsNames(level, directory->Depth)) {
            if (directory->Error) SortNames(directory->Names);
            for (const auto& name : directory->Names) lines_.Append(level, name);
        } else {
            for (size_t i = 0; i < directory->Names.size(); ++i) {
                TListingLines::TMark mark = lines_.EnterChild(directory->Names[i]);
                // Each subtree is let go as soon as it is printed.
                TDirectoryPtr child = i < directory->Children.size() ? std::move(directory->Children[i]) : nullptr;
                bool finished = Assemble(child, level + 1);
                lines_.LeaveChild(mark);
                if (!finished) return false;
            }
        }
        if (directory->Error) std::rethrow_exception(directory->Error);
        if (directory->ReadError) ReportUnreadable(listing_, directory->SearchPath, directory->ReadError);
        return true;
    }

    // Gives the host its idle call when one is due; false when the host wants the walk to end.
    bool Continue()
    {
        ULONGLONG now = GetTickCount64();
        if (now - lastIdle_ >= kIdleIntervalMs) {
            host_.Idle();
            lastIdle_ = now;
        }
        return !host_.StopWanted();
    }

private:
    TTreePrefetcher& pool_;
    TWalkHost& host_;
    TListing& listing_;
    TListingLines lines_;
    ULONGLONG lastIdle_ = 0; // so that the first directory comes after an idle call
};

int TTreePrefetcher::DefaultWorkers() { return std::max(2, static_cast<int>(std::thread::hardware_concurrency())); }

TTreePrefetcher::TTreePrefetcher(int workers)
{
    try {
        for (int i = 0; i < workers; ++i) workers_.emplace_back([this] { Work(); });
    } catch (...) {
        StopWorkers();
        throw;
    }
}

TTreePrefetcher::~TTreePrefetcher() { StopWorkers(); }

void TTreePrefetcher::StopWorkers()
{
    {
        std::lock_guard lock(mutex_);
        shuttingDown_ = true;
        ++walk_;
    }
    workAvailable_.NotifyAll();
    for (auto& worker : workers_) worker.join();
    workers_.clear();
}

bool TTreePrefetcher::ListTree(TListing& listing, const TWalkSettings& settings, const std::wstring& path, int level,
                               int depth, TWalkHost& host)
{
    TWalkRoot root(path, listing);
    if (!root.Enumerable) {
        ListUnenumerableRoot(listing, root, level, depth);
        return true;
    }
    TAssembly assembly(*this, host, listing, root);
    if (!ReadsDirectory(level, depth)) return assembly.Assemble(nullptr, level);

    auto first = std::make_shared<TDirectory>(root.SearchPath, std::vector<uint32_t>{}, level, depth, walk_ + 1,
                                              std::make_shared<const TWalkSettings>(settings));
    BeginWalk(first);
    try {
        bool finished = assembly.Assemble(first, level);
        EndWalk();
        return finished;
    } catch (...) {
        EndWalk();
        throw;
    }
}

bool TTreePrefetcher::ListTree(std::string& listing, const std::wstring& path, int level, int depth, TWalkHost& host)
{
    TStringSink sink(listing);
    TListing text(leAnsi, sink);
    try {
        bool finished = ListTree(text, TWalkSettings(), path, level, depth, host);
        text.Flush();
        return finished;
    } catch (...) {
        text.Flush();
        throw;
    }
}

void TTreePrefetcher::BeginWalk(const TDirectoryPtr& root)
{
    {
        std::lock_guard lock(mutex_);
        walk_ = root->Walk;
        pending_.push(root);
    }
    workAvailable_.NotifyOne();
}

// Whatever is still queued or being read belongs to a finished walk and is dropped.
void TTreePrefetcher::EndWalk()
{
    std::lock_guard lock(mutex_);
    ++walk_;
    pending_ = {};
    readAhead_ = 0;
    wanted_ = nullptr;
}

// The directory the walk waits for is always the first one still queued, so it is read even when
// the walk is the full read-ahead behind.
bool TTreePrefetcher::CanTakeWork() const
{
    return !pending_.empty() && (readAhead_ < kMaxReadAhead || pending_.top().get() == wanted_);
}

void TTreePrefetcher::Work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        workAvailable_.Wait(lock, [this] { return shuttingDown_ || CanTakeWork(); });
        if (shuttingDown_) return;
        TDirectoryPtr directory = pending_.top();
        pending_.pop();
        lock.unlock();
        Read(*directory);
        lock.lock();
        if (directory->Walk == walk_) Publish(directory, lock);
    }
}

void TTreePrefetcher::Read(TDirectory& directory) const
{
    try {
        directory.ReadError =
            ReadListedDirectories(*directory.Settings, directory.SearchPath, [&](std::wstring_view name) {
                directory.Names.emplace_back(name);
                return walk_ == directory.Walk;
            });
        if (CollectsNames(directory.Level, directory.Depth)) {
            SortNames(directory.Names);
        } else if (ReadsDirectory(directory.Level + 1, directory.Depth)) {
            directory.Children.reserve(directory.Names.size());
            std::vector<uint32_t> order = directory.Order;
            order.push_back(0);
            for (const auto& name : directory.Names) {
                directory.Children.push_back(std::make_shared<TDirectory>(directory.SearchPath + name + L'\\', order,
                                                                          directory.Level + 1, directory.Depth,
                                                                          directory.Walk, directory.Settings));
                ++order.back();
            }
        }
    } catch (...) {
        directory.Children.clear();
        directory.Error = std::current_exception();
    }
}

// Called with the lock held: queues the directory's children and hands it to the walk.
void TTreePrefetcher::Publish(const TDirectoryPtr& directory, std::unique_lock<TSlimLock>& lock)
{
    try {
        for (const auto& child : directory->Children) pending_.push(child);
    } catch (...) {
        directory->Children.clear();
        directory->Error = std::current_exception();
    }
    directory->Read = true;
    ++readAhead_;
    bool wanted = wanted_ == directory.get();
    if (wanted) wanted_ = nullptr;
    size_t wakeUps = std::min(directory->Children.size(), workers_.size());
    lock.unlock();
    for (size_t i = 0; i < wakeUps; ++i) workAvailable_.NotifyOne();
    if (wanted) wantedRead_.NotifyOne();
    lock.lock();
}

// Waits in the process rather than on a kernel object: under Wine every wait on one is a round
// trip to the server, which also serves every directory read.
bool TTreePrefetcher::Take(TDirectory& directory, TAssembly& assembly)
{
    if (!assembly.Continue()) return false;
    std::unique_lock lock(mutex_);
    while (!directory.Read) {
        wanted_ = &directory;
        // A worker held back by the read-ahead bound may take this directory now.
        if (readAhead_ >= kMaxReadAhead) workAvailable_.NotifyOne();
        wantedRead_.WaitAtMost(lock, kIdleIntervalMs);
        if (directory.Read) break;
        lock.unlock();
        if (!assembly.Continue()) return false;
        lock.lock();
    }
    bool wasFull = readAhead_-- >= kMaxReadAhead;
    lock.unlock();
    if (wasFull) workAvailable_.NotifyOne();
    return true;
}
