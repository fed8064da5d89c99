// The help window: a small browser over the help pages compiled into the program, opened
// at their contents page. Nothing is loaded from outside the program.
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* owner = nullptr);

    // Shows the contents page, or a plain notice when the program was built without help.
    void ShowContents();
    QTextBrowser* Browser() const { return browser; }

    static const char* ContentsUrl() { return "qrc:/help/contents.html"; }
    static bool HasHelpPages();

  private:
    void Follow(const QUrl& url);

    QTextBrowser* browser;
    bool placed = false;
};
