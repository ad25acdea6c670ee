#ifndef VELMO_BASE_SCOPEDCOUNT_H
#define VELMO_BASE_SCOPEDCOUNT_H

// A counter of nested activities (runs of story code, a line being
// executed): raised while the guard lives and lowered again however the
// scope is left, also when it unwinds with an exception.

#include <cstdint>

namespace velmo {

class tscopedcount {
public:
    explicit tscopedcount(int32_t& raised) : counter(raised) { ++counter; }
    tscopedcount(const tscopedcount&) = delete;
    tscopedcount& operator=(const tscopedcount&) = delete;
    ~tscopedcount() { --counter; }

private:
    int32_t& counter;
};

}  // namespace velmo

#endif
