#include "app/screenfont.h"

#include <QFontDatabase>

#include "app/textcodec.h"
#include "base/encoding.h"

namespace velmo {

QString fontFamilyFor(const std::string& optionName) {
    const std::string name = lowerCase(optionName);
    // A DOS-like bitmap font: crisp cells at the usual sizes.
    if (name == "doslike") return QStringLiteral("Terminus (TTF)");
    if (name == "courier new") return QStringLiteral("Liberation Mono");
    if (name == "lucida console") return QStringLiteral("DejaVu Sans Mono");
    return fromCp1252(optionName);
}

QFont screenFont(const std::string& optionName, int pointSize) {
    const QString family = fontFamilyFor(optionName);
    QFont font = QFontDatabase::hasFamily(family)
                     ? QFont(family)
                     : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(pointSize > 0 ? pointSize : 12);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setKerning(false);
    return font;
}

}  // namespace velmo
