#include "app/textcodec.h"

#include <QFile>

#include "base/encoding.h"

namespace velmo {

QString fromCp1252(std::string_view cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }

QString screenText(std::string_view cp1252) {
    QString text = fromCp1252(cp1252);
    for (QChar& c : text)
        if (c.unicode() < 0x20) c = u' ';
    return text;
}

std::string toCp1252(const QString& text) { return utf8ToCp1252Lossy(text.toStdString()); }

QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString fromName(const std::string& name) {
    return looksLikeUtf8(name) ? QString::fromStdString(name) : fromCp1252(name);
}

}  // namespace velmo
