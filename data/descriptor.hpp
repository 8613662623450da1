// A file descriptor that is closed however its scope is left; Close() closes it early and
// reports the close's error, which can be the last word on a write.
#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace sidewalk {

class Descriptor {
  public:
    explicit Descriptor(int fd = -1) noexcept : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            Discard();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Discard(); }

    int get() const noexcept { return fd_; }
    bool valid() const noexcept { return fd_ >= 0; }

    // Closes it now: 0, or the system's error number of the close.
    int Close() noexcept {
        if (fd_ < 0) return 0;
        return ::close(std::exchange(fd_, -1)) == 0 ? 0 : errno;
    }

  private:
    void Discard() noexcept {
        if (fd_ >= 0) ::close(std::exchange(fd_, -1));
    }
    int fd_;
};

} // namespace sidewalk
