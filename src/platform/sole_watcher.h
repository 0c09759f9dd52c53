#pragma once

#include <cstdint>
#include <memory>

#include "platform/event.h"

namespace veldra {

// The one watcher of something, held by plain pointer so that a hot path tests it inline.
// A watcher that starts takes the place of the one before; each watch stops through the
// subscription its watcher owns, and stopping a watch that another has taken since leaves
// that other's watch in place. The subscription may outlive what is watched.
template <class Watcher>
class SoleWatcher {
public:
    SoleWatcher() = default;
    SoleWatcher(const SoleWatcher&) = delete;
    SoleWatcher& operator=(const SoleWatcher&) = delete;

    // The watcher now, none when nobody watches.
    Watcher* Get() const { return watcher_; }

    [[nodiscard]] Subscription Watch(Watcher& watcher) {
        if (!self_) {
            self_ = std::make_shared<SoleWatcher*>(this);
        }
        watcher_ = &watcher;
        const std::uint64_t watch = ++lastWatch_;
        return Subscription([self = std::weak_ptr<SoleWatcher*>(self_), watch] {
            if (const auto alive = self.lock()) {
                (*alive)->Stop(watch);
            }
        });
    }

private:
    void Stop(std::uint64_t watch) {
        if (watch == lastWatch_) {
            watcher_ = nullptr;
        }
    }

    Watcher* watcher_ = nullptr;
    std::uint64_t lastWatch_ = 0;  // the watch that is the watcher's now, if any
    // Made with the first watch; gone with this object, which ends every subscription's hold.
    std::shared_ptr<SoleWatcher*> self_;
};

}  // namespace veldra
