// A problem or notice for the user, returned as a value (Result, Status): the desktop program shows
// it in a message box, the command prints it to standard error.
#pragma once

#include <string>

#include "data/expected.hpp"

namespace sidewalk {

enum class MessageKind {
    Plain,    // OK button only, no icon
    Critical, // critical-stop icon
    Warning,
    Error,
};

struct Message {
    std::string text;
    std::string title;
    MessageKind kind = MessageKind::Plain;
    int systemError = 0; // the system's error number behind it, for a caller that tells them apart

    bool operator==(const Message&) const = default;
};

// The one way a routine returns a problem: its value, or the message that says why there is
// none; Status for a routine that returns nothing else.
template <typename T> using Result = Expected<T, Message>;
using Status = Expected<void, Message>;

inline Unexpected<Message> Failure(Message m) {
    return Unexpected<Message>(std::move(m));
}

// The one way from a Result to a Status: done, or the same reason.
template <typename T> Status StatusOf(const Result<T>& r) {
    if (r.has_value()) return {};
    return Failure(r.error());
}

} // namespace sidewalk
