// The N–M interaction diagram of a rectangular section: its drawing (shared by the screen, PNG and
// SVG), the widget that shows it, and the dialog with the export buttons.
#pragma once

#include <QDialog>
#include <QWidget>

#include "section/formsection.h"

class QPainter;

namespace tov::app {

/// Draws the diagram of the section into the rectangle: title, grid, axes with units, the curve,
/// the balanced point and the load points with a legend.
void paintNmDiagram(QPainter& p, const QRectF& area, const tov::section::FormSection& fs);

class NmDiagramWidget : public QWidget {
public:
    explicit NmDiagramWidget(tov::section::FormSection fs, QWidget* parent = nullptr);
    const tov::section::FormSection& formSection() const { return fs_; }
    QSize sizeHint() const override { return {760, 620}; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    tov::section::FormSection fs_;
};

/// Writes the diagram at the size as PNG or SVG through a save file, so a failed write leaves an
/// existing file as it was; false with the reason in *error when it fails.
bool exportNmPng(const tov::section::FormSection& fs, const QString& path, QSize size, QString* error);
bool exportNmSvg(const tov::section::FormSection& fs, const QString& path, QSize size, QString* error);

class NmDiagramDialog : public QDialog {
    Q_OBJECT
public:
    explicit NmDiagramDialog(tov::section::FormSection fs, QWidget* parent = nullptr);
    NmDiagramWidget* diagram() const { return diagram_; }

public slots:
    void exportPng();
    void exportSvg();

private:
    void exportTo(const QString& filter, const QString& suffix, bool svg);
    NmDiagramWidget* diagram_ = nullptr;
};

}  // namespace tov::app
