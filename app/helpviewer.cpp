#include "app/helpviewer.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/helppages.h"

namespace tov::app {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser;
    browser_->setSearchPaths(dataFolders());
    browser_->setOpenExternalLinks(true);
    back_ = new QToolButton;
    forward_ = new QToolButton;
    back_->setText(QStringLiteral("后退"));
    forward_->setText(QStringLiteral("前进"));
    back_->setIcon(style()->standardIcon(QStyle::SP_ArrowBack));
    forward_->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    for (QToolButton* b : {back_, forward_}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setEnabled(false);
    }
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("帮助") : QStringLiteral("帮助 - ") + title);
    });
    auto* bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    setWindowTitle(QStringLiteral("帮助"));
    resize(760, 620);
}

void HelpViewer::showPage(const QUrl& url) { browser_->setSource(url); }

HelpViewer* HelpViewer::open(const QUrl& url) {
    static QPointer<HelpViewer> viewer;
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) owner = QApplication::activeWindow();
    if (viewer && owner == viewer.data()) owner = viewer->parentWidget();
    // A viewer that belongs to another window (a form since closed, or the main window while a
    // form is modal) would not take input: a new one over the window of now.
    if (viewer && viewer->parentWidget() != owner) {
        viewer->close();
        viewer = nullptr;
    }
    if (!viewer) viewer = new HelpViewer(owner);
    viewer->showPage(url);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

QString aboutText() {
    return QStringLiteral(
               "<p><b>Tovarin %1</b></p>"
               "<p>钢筋混凝土构件正截面配筋计算，依据《混凝土结构设计规范》GB 50010-2010。</p>"
               "<p>计算书仅供设计人员复核使用，设计人员应对其结果负责。</p>"
               "<p>许可：本程序尚未附带许可证文件，其分发与使用条款由版权所有者另行规定。</p>")
        .arg(QStringLiteral(TOVARIN_VERSION));
}

}  // namespace tov::app
