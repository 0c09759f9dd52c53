#pragma once

#include <unistd.h>

namespace veldra::testing {

// File permissions apply to the test while this lives. Root reads any file whatever its
// mode, so a test run as root acts meanwhile as the unprivileged user "nobody"; only the
// effective user changes, so root comes back at the end.
class WithoutPrivileges {
public:
    static constexpr uid_t kNobody = 65534;

    WithoutPrivileges() : wasRoot_(::geteuid() == 0) {
        if (wasRoot_ && ::setegid(kNobody) == 0) {
            dropped_ = ::seteuid(kNobody) == 0;
        }
    }
    ~WithoutPrivileges() {
        if (wasRoot_) {
            (void)::seteuid(0);
            (void)::setegid(0);
        }
    }
    WithoutPrivileges(const WithoutPrivileges&) = delete;
    WithoutPrivileges& operator=(const WithoutPrivileges&) = delete;

    // Whether permissions now apply: false only where root could not give up its rights.
    bool InForce() const { return !wasRoot_ || dropped_; }

private:
    bool wasRoot_ = false;
    bool dropped_ = false;
};

}  // namespace veldra::testing
