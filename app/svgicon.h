// Toolbar and menu icons drawn from the program's SVG files when first shown, not when made.
#pragma once

#include <QIcon>
#include <QString>

namespace tov::app {

/// An icon of an SVG file: the file is read and drawn on the first paint, once per size and mode.
QIcon svgIcon(const QString& path);

}  // namespace tov::app
