// The bytes of card files and reports as text, and typed text as card bytes. Card files are
// Windows-1252, where every byte is one character (files made on Windows are; its five unassigned
// bytes stand for the C1 controls of the same value); a text that is valid UTF-8 with letters
// beyond ASCII was typed in an earlier version of this program, and is read as UTF-8.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace sidewalk::ui {

// The text the bytes stand for.
QString ReportText(std::string_view bytes);

// The Windows-1252 bytes of a typed text; nothing when a character has no byte there.
std::optional<std::string> CardBytes(const QString& text);

// What a field stores: the bytes it was shown from when its text is still what they show (a
// file's bytes the user did not change are written back exactly), else the text's card bytes
// (a field's validator lets only those be typed).
std::string StoredBytes(const QString& text, const std::string& shownFrom);

} // namespace sidewalk::ui
