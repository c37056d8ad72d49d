// The built-in help viewer: the program's help pages in a window of their own, with links, back
// and forward; and the text of 关于.
#pragma once

#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QToolButton;

namespace tov::app {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }
    QToolButton* backButton() const { return back_; }
    void showPage(const QUrl& url);

    /// The one viewer, made or brought forward, over the window that is active now (a modal form
    /// included, so that its help can be read while it is open).
    static HelpViewer* open(const QUrl& url);

private:
    QTextBrowser* browser_;
    QToolButton* back_;
    QToolButton* forward_;
};

/// Version, design code and licence, for 关于.
QString aboutText();

}  // namespace tov::app
