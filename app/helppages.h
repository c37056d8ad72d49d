// The program's help pages: found only in its own data folder, never in the current folder or
// next to a report.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace tov::app {

/// Folders searched for data files: the program's own folder, then ../share/tovarin beside it.
QStringList dataFolders();

/// Absolute path of a help page in the data folders; empty when there is none.
QString helpPagePath(const QString& name);

/// Opens a help page in the built-in viewer. Returns false when the page is missing.
bool openHelpPage(const QString& name);

/// The function that shows a help page's URL (replaced by the tests).
std::function<bool(const QUrl&)>& urlOpener();

}  // namespace tov::app
