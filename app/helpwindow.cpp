#include "app/helpwindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/textcodec.h"
#include "frontend/help.h"

namespace velmo {

thelpwindow::thelpwindow(QWidget* parent)
    : QDialog(parent), folder(fromPath(findHelpFolder(programFolder()))) {
    setWindowTitle(QStringLiteral("Hilfe"));
    pages = new QTextBrowser(this);
    pages->setAccessibleName(QStringLiteral("Hilfeseite"));
    pages->setOpenExternalLinks(true);  // a web address goes to the browser
    if (!folder.isEmpty()) pages->setSearchPaths({folder});

    auto* contents = new QPushButton(QStringLiteral("&Inhalt"), this);
    auto* back = new QPushButton(QStringLiteral("&Zurück"), this);
    auto* forward = new QPushButton(QStringLiteral("&Vor"), this);
    auto* close = new QPushButton(QStringLiteral("&Schließen"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    for (QPushButton* button : {contents, back, forward, close}) button->setAutoDefault(false);
    connect(contents, &QPushButton::clicked, this, [this] { showPage(thelpcontext::contents); });
    connect(back, &QPushButton::clicked, pages, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, pages, &QTextBrowser::forward);
    connect(pages, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(pages, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(pages, 1);
    resize(640, 520);
}

void thelpwindow::showPage(thelpcontext context) {
    if (folder.isEmpty()) {
        pages->setPlainText(
            QStringLiteral("Die Hilfe ist nicht installiert: der Ordner share/velmo/help fehlt."));
        return;
    }
    pages->setSource(
        QUrl::fromLocalFile(folder + QLatin1Char('/') + fromPath(helpPageFile(context))));
}

}  // namespace velmo
