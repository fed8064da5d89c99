#include "framework/help_window.h"

#include <QFile>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

// The help pages live in a Qt resource of the static UI library; a static library's
// resources must be registered by name before use.
static void RegisterHelpPages() {
#ifdef ZENTU_HELP_QRC
    Q_INIT_RESOURCE(help);
#endif
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    RegisterHelpPages();
    setWindowTitle(tr("Zentu Help"));
    resize(560, 480);
    browser = new QTextBrowser(this);
    // Links are followed here only inside the compiled-in pages.
    browser->setOpenLinks(false);
    browser->setOpenExternalLinks(false);
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpWindow::Follow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    // Closed by the keys that close the program's other windows.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, this, this, &QWidget::close);
        shortcut->setContext(Qt::WindowShortcut);
    }
}

bool HelpWindow::HasHelpPages() {
    RegisterHelpPages();
    return QFile::exists(QStringLiteral(":/help/contents.html"));
}

void HelpWindow::ShowContents() {
    if (HasHelpPages()) {
        browser->setSource(QUrl(QString::fromLatin1(ContentsUrl())));
    } else {
        browser->setPlainText(
            tr("Zentu Program\n\nThe help pages are not part of this build of the program."));
    }
    if (!placed && parentWidget() != nullptr) {
        // Over the main window the first time; where the user moves it after that.
        move(parentWidget()->frameGeometry().center() - rect().center());
        placed = true;
    }
    show();
    raise();
    activateWindow();
}

void HelpWindow::Follow(const QUrl& url) {
    if (url.scheme() == QLatin1String("qrc") || url.isRelative()) {
        if (url.hasFragment() && url.path().isEmpty()) {
            browser->scrollToAnchor(url.fragment());
        } else {
            browser->setSource(browser->source().resolved(url));
        }
    }
}
