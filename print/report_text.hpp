// The report's bytes as text to show or print: UTF-8 where they are (texts typed in this
// program), else single-byte Latin-1 (files from older programs).
#pragma once

#include <QString>
#include <QStringDecoder>
#include <string_view>

namespace sidewalk::ui {

inline QString ReportText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace sidewalk::ui
