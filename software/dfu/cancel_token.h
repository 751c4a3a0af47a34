#pragma once
// Lets one thread end the dfu-util run that another thread is blocked in, without
// changing how runs are made: the running thread installs a token for its own runs,
// any thread may cancel it.

#include <atomic>

namespace DFU {

class CancelToken {
public:
    void cancel() { cancelled_.store(true); }
    bool is_cancelled() const { return cancelled_.load(); }

private:
    std::atomic<bool> cancelled_{false};
};

// While it lives, every run on the constructing thread watches `token`.
class CancelScope {
public:
    explicit CancelScope(const CancelToken* token);
    ~CancelScope();
    CancelScope(const CancelScope&) = delete;
    CancelScope& operator=(const CancelScope&) = delete;

    // The token watched by runs on the calling thread, or null.
    static const CancelToken* current();

private:
    const CancelToken* previous_;
};

}  // namespace DFU
