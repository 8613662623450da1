// Tests set a job up directly, as a file read or the windows would have left it; the program
// changes a job only through the session's operations.
#pragma once

#include "session/session.hpp"

namespace sidewalk {

struct SessionTestAccess {
    static Job& JobOf(Session& session) { return session.job_; }
};

} // namespace sidewalk
