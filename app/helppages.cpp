#include "app/helppages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/helpviewer.h"

namespace tov::app {

QStringList dataFolders() {
    const QString bin = QCoreApplication::applicationDirPath();
    return {bin, QDir::cleanPath(bin + QStringLiteral("/../share/tovarin"))};
}

QString helpPagePath(const QString& name) {
    for (const QString& folder : dataFolders()) {
        const QFileInfo page(QDir(folder), name);
        if (page.isFile()) return page.absoluteFilePath();
    }
    return {};
}

bool openHelpPage(const QString& name) {
    const QString path = helpPagePath(name);
    if (path.isEmpty()) return false;
    urlOpener()(QUrl::fromLocalFile(path));
    return true;
}

std::function<bool(const QUrl&)>& urlOpener() {
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) {
        return HelpViewer::open(url) != nullptr;
    };
    return opener;
}

}  // namespace tov::app
