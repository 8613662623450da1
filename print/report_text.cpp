// Windows-1252 and UTF-8 card texts.
#include "print/report_text.hpp"

#include <QStringDecoder>

#include "data/windows1252.hpp"

namespace sidewalk::ui {

namespace {

bool BeyondAscii(std::string_view bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

} // namespace

QString ReportText(std::string_view bytes) {
    if (BeyondAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text =
            utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!utf8.hasError()) return text;
    }
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text += QChar(static_cast<char16_t>(Windows1252Char(static_cast<unsigned char>(c))));
    }
    return text;
}

std::optional<std::string> CardBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        const int byte = Windows1252Byte(c.unicode());
        if (byte < 0) return std::nullopt;
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

std::string StoredBytes(const QString& text, const std::string& shownFrom) {
    if (text == ReportText(shownFrom)) return shownFrom;
    return CardBytes(text).value_or(text.toStdString());
}

} // namespace sidewalk::ui
