#include "app/aboutbox.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

namespace velmo {

namespace {

const char* const kWebPage = "https://velmo.example.org/";
const char* const kMailAddress = "velmo@example.org";

// A label that shows a link, underlined only while the mouse is over it,
// and opens it with the system's handler.
QLabel* linkLabel(QWidget* parent, const QString& target, const QString& caption) {
    auto* label = new QLabel(linkText(target, caption, false), parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setAccessibleName(caption);
    // Leaving the link reports an empty link.
    QObject::connect(label, &QLabel::linkHovered, label,
                     [label, target, caption](const QString& link) {
                         label->setText(linkText(target, caption, !link.isEmpty()));
                     });
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    return label;
}

}  // namespace

QString linkText(const QString& target, const QString& caption, bool underlined) {
    return QStringLiteral("<a href=\"%1\" style=\"text-decoration:%2\">%3</a>")
        .arg(target.toHtmlEscaped(),
             underlined ? QStringLiteral("underline") : QStringLiteral("none"),
             caption.toHtmlEscaped());
}

taboutbox::taboutbox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    auto* name = new QLabel(QStringLiteral("<b>Velmo</b>"), this);
    version = new QLabel(QStringLiteral("Version 2.0"), this);
    auto* about = new QLabel(QStringLiteral("Ein Spieler für deutsche Textabenteuer."), this);
    web = linkLabel(this, QString::fromLatin1(kWebPage), QString::fromLatin1(kWebPage));
    mail = linkLabel(this, QStringLiteral("mailto:") + QString::fromLatin1(kMailAddress),
                     QString::fromLatin1(kMailAddress));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* part : QList<QWidget*>{name, version, about, web, mail, buttons})
        layout->addWidget(part);
}

}  // namespace velmo
