// A problem or notice for the user, returned as a value: the desktop program shows it in a
// message box, the command prints it to standard error.
#pragma once

#include <string>

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

    bool operator==(const Message&) const = default;
};

} // namespace sidewalk
