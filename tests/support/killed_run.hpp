// A run that does its steps and is then killed (SIGKILL), as a crash or a power cut would end it,
// or asked to end, as a logout does: a child process with a session in parent that keeps
// snapshots.
#pragma once

#include <csignal>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

#include "session/session.hpp"

namespace sidewalk::test {

// The child's steps may tell the parent that a step is done (Ack): the parent waits for acks of
// them, and kills the child at once, whatever it is doing then.
inline int& AckFd() {
    static int fd = -1;
    return fd;
}
inline void Ack() {
    (void)!::write(AckFd(), "x", 1);
}

template <typename Steps>
void KilledRun(const std::filesystem::path& parent, Steps steps, bool askedToEnd = false,
               int acks = 1) {
    int ready[2];
    if (::pipe(ready) != 0) return;
    const pid_t child = ::fork();
    if (child == 0) {
        AckFd() = ready[1];
        auto s = Session::Create(parent); // alive until killed
        if (s) {
            s->KeepSnapshots();
            steps(*s);
            if (askedToEnd) s->EndKeepingWork();
        }
        (void)!::write(ready[1], "x", 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]); // a child that dies on its own (a step was its end) ends the wait too
    char byte = 0;
    for (int i = 0; i < acks && ::read(ready[0], &byte, 1) == 1; ++i) {
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
}

} // namespace sidewalk::test
