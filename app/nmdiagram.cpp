#include "app/nmdiagram.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tov::app {
namespace {

using tov::section::FormSection;

// A step of 1, 2 or 5 × 10^k that cuts the range into about n parts.
double niceStep(double range, int n) {
    const double raw = range / n;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * mag) return m * mag;
    return 10 * mag;
}

QString num(double v, int decimals = 1) { return QString::number(v, 'f', decimals); }

struct Range {
    double lo = 0, hi = 0;
    void add(double v) {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
};

const QColor kPointColours[] = {QColor(200, 30, 30), QColor(150, 40, 170), QColor(20, 130, 60)};

void marker(QPainter& p, QPointF at, double r, const QColor& c, bool diamond) {
    p.setPen(QPen(c.darker(130), 1.2));
    p.setBrush(c);
    if (diamond) {
        const QPointF d[] = {{at.x(), at.y() - r}, {at.x() + r, at.y()}, {at.x(), at.y() + r}, {at.x() - r, at.y()}};
        p.drawPolygon(d, 4);
    } else {
        p.drawEllipse(at, r, r);
    }
}

}  // namespace

void paintNmDiagram(QPainter& p, const QRectF& area, const FormSection& fs) {
    const auto& s = fs.section;
    const std::vector<tov::section::Point> curve = tov::section::interactionCurve(s, 120);
    const tov::section::Resultant bal = tov::section::balanced(s);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(area, Qt::white);
    QFont font = p.font();
    const double px = std::clamp(area.height() / 48, 10.0, 28.0);
    font.setPixelSize(static_cast<int>(px));
    p.setFont(font);
    const double line = QFontMetricsF(font).height();

    // Title: the form and its section.
    p.setPen(Qt::black);
    QRectF text(area.left() + px, area.top() + px * 0.6, area.width() - 2 * px, line);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(fs.title) + QStringLiteral("　（内力为 γ0 倍设计值）"));
    text.translate(0, line);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("b×h＝%1×%2 mm　As＝%3 mm²（a＝%4 mm）　As′＝%5 mm²（a′＝%6 mm）　fc＝%7 N/mm²")
                   .arg(num(s.b), num(s.h), num(s.As.area), num(s.h - s.As.depth), num(s.Asp.area),
                        num(s.Asp.depth), num(s.fc)));

    // Extent in kN·m (horizontal) and kN (vertical, compression up), the origin included.
    Range m, n;
    for (const auto& q : curve) {
        m.add(q.M / 1e6);
        n.add(q.N / 1e3);
    }
    for (const auto& q : fs.points) {
        m.add(q.M / 1e6);
        n.add(q.N / 1e3);
    }
    if (m.hi - m.lo <= 0) m.hi = m.lo + 1;
    if (n.hi - n.lo <= 0) n.hi = n.lo + 1;
    const double dm = niceStep(m.hi - m.lo, 8), dn = niceStep(n.hi - n.lo, 8);
    m.lo = std::floor(m.lo / dm) * dm;
    m.hi = std::ceil(m.hi / dm) * dm;
    n.lo = std::floor(n.lo / dn) * dn;
    n.hi = std::ceil(n.hi / dn) * dn;

    const double legendRows = 1 + static_cast<double>(fs.points.size());
    const QRectF plot(area.left() + 5.5 * px, area.top() + px + 2.6 * line, area.width() - 7 * px,
                      area.height() - px * 1.6 - 2.6 * line - (2.4 + legendRows) * line);
    if (plot.width() < 20 || plot.height() < 20) {
        p.restore();
        return;
    }
    auto X = [&](double v) { return plot.left() + (v - m.lo) / (m.hi - m.lo) * plot.width(); };
    auto Y = [&](double v) { return plot.bottom() - (v - n.lo) / (n.hi - n.lo) * plot.height(); };

    // Grid and tick labels.
    const QColor grid(220, 220, 220);
    p.setPen(QPen(grid, 1));
    for (double v = m.lo; v <= m.hi + dm / 2; v += dm) p.drawLine(QPointF(X(v), plot.top()), QPointF(X(v), plot.bottom()));
    for (double v = n.lo; v <= n.hi + dn / 2; v += dn) p.drawLine(QPointF(plot.left(), Y(v)), QPointF(plot.right(), Y(v)));
    p.setPen(Qt::black);
    const int mDec = dm >= 1 ? 0 : dm >= 0.1 ? 1 : 2, nDec = dn >= 1 ? 0 : dn >= 0.1 ? 1 : 2;
    for (double v = m.lo; v <= m.hi + dm / 2; v += dm)
        p.drawText(QRectF(X(v) - 3 * px, plot.bottom() + 0.2 * px, 6 * px, line), Qt::AlignHCenter | Qt::AlignTop,
                   num(std::abs(v) < dm / 1e6 ? 0 : v, mDec));
    for (double v = n.lo; v <= n.hi + dn / 2; v += dn)
        p.drawText(QRectF(plot.left() - 5.3 * px, Y(v) - line / 2, 5 * px, line), Qt::AlignRight | Qt::AlignVCenter,
                   num(std::abs(v) < dn / 1e6 ? 0 : v, nDec));
    p.setPen(QPen(Qt::gray, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    // The axes through the origin.
    p.setPen(QPen(Qt::black, 1.4));
    p.drawLine(QPointF(X(0), plot.top()), QPointF(X(0), plot.bottom()));
    p.drawLine(QPointF(plot.left(), Y(0)), QPointF(plot.right(), Y(0)));
    p.drawText(QRectF(plot.left(), plot.bottom() + line * 1.1, plot.width(), line), Qt::AlignHCenter,
               QStringLiteral("弯矩 M（kN·m）"));
    p.save();
    p.translate(area.left() + 0.3 * px, plot.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), line), Qt::AlignHCenter,
               QStringLiteral("轴力 N（kN，受压为正）"));
    p.restore();

    // The curve.
    QPainterPath path;
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const QPointF q(X(curve[i].M / 1e6), Y(curve[i].N / 1e3));
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(20, 70, 170), 2));
    p.setBrush(QColor(60, 120, 220, 40));
    p.drawPath(path);

    // Balanced and load points, and the legend under the axis title.
    const double r = px * 0.4;
    const QPointF b(X(bal.M / 1e6), Y(bal.N / 1e3));
    marker(p, b, r * 1.2, QColor(240, 150, 20), true);
    double ly = plot.bottom() + line * 2.4;
    auto legend = [&](const QColor& c, bool diamond, const QString& t) {
        marker(p, QPointF(plot.left() + r * 1.5, ly + line / 2), r, c, diamond);
        p.setPen(Qt::black);
        p.drawText(QRectF(plot.left() + r * 4, ly, plot.width(), line), Qt::AlignLeft | Qt::AlignVCenter, t);
        ly += line;
    };
    legend(QColor(240, 150, 20), true,
           QStringLiteral("界限破坏点　N＝%1 kN，M＝%2 kN·m").arg(num(bal.N / 1e3), num(bal.M / 1e6)));
    for (std::size_t i = 0; i < fs.points.size(); ++i) {
        const auto& q = fs.points[i];
        const QColor c = kPointColours[i % 3];
        const double u = tov::section::utilisation(s, {q.N, q.M});
        if (std::isfinite(u) && u > 0) {
            // The ray from the origin through the point, up to the curve.
            p.setPen(QPen(c, 1, Qt::DashLine));
            const double k = std::max(1.0, 1 / u);
            p.drawLine(QPointF(X(0), Y(0)), QPointF(X(k * q.M / 1e6), Y(k * q.N / 1e3)));
        }
        marker(p, QPointF(X(q.M / 1e6), Y(q.N / 1e3)), r, c, false);
        QString t = QStringLiteral("%1　N＝%2 kN，M＝%3 kN·m").arg(QString::fromStdString(q.label),
                                                                 num(q.N / 1e3), num(q.M / 1e6));
        if (!std::isfinite(u))
            t += QStringLiteral("　（截面在此方向无承载力）");
        else
            t += QStringLiteral("　（承载力利用率 %1%2）").arg(num(u, 3), u > 1 ? QStringLiteral("，在曲线以外") : QString());
        legend(c, false, t);
    }
    p.restore();
}

NmDiagramWidget::NmDiagramWidget(FormSection fs, QWidget* parent) : QWidget(parent), fs_(std::move(fs)) {
    setMinimumSize(420, 360);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void NmDiagramWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font());
    paintNmDiagram(p, rect(), fs_);
}

namespace {
bool commit(QSaveFile& f, QString* error) {
    if (f.commit()) return true;
    if (error) *error = f.errorString();
    return false;
}
}  // namespace

bool exportNmPng(const FormSection& fs, const QString& path, QSize size, QString* error) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        paintNmDiagram(p, QRectF(QPointF(0, 0), QSizeF(size)), fs);
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !img.save(&f, "PNG")) {
        if (error) *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    return commit(f, error);
}

bool exportNmSvg(const FormSection& fs, const QString& path, QSize size, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    QSvgGenerator gen;
    gen.setOutputDevice(&f);
    gen.setSize(size);
    gen.setViewBox(QRect(QPoint(0, 0), size));
    gen.setTitle(QString::fromStdString(fs.title));
    {
        QPainter p(&gen);
        paintNmDiagram(p, QRectF(QPointF(0, 0), QSizeF(size)), fs);
    }
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    return commit(f, error);
}

NmDiagramDialog::NmDiagramDialog(FormSection fs, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("截面N-M相关曲线"));
    diagram_ = new NmDiagramWidget(std::move(fs), this);
    auto* buttons = new QDialogButtonBox(this);
    connect(buttons->addButton(QStringLiteral("导出PNG..."), QDialogButtonBox::ActionRole), &QPushButton::clicked,
            this, &NmDiagramDialog::exportPng);
    connect(buttons->addButton(QStringLiteral("导出SVG..."), QDialogButtonBox::ActionRole), &QPushButton::clicked,
            this, &NmDiagramDialog::exportSvg);
    connect(buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole), &QPushButton::clicked, this,
            &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(diagram_, 1);
    layout->addWidget(buttons);
}

void NmDiagramDialog::exportPng() { exportTo(QStringLiteral("PNG 图像 (*.png)"), QStringLiteral(".png"), false); }
void NmDiagramDialog::exportSvg() { exportTo(QStringLiteral("SVG 图形 (*.svg)"), QStringLiteral(".svg"), true); }

void NmDiagramDialog::exportTo(const QString& filter, const QString& suffix, bool svg) {
    QString path = QFileDialog::getSaveFileName(this, windowTitle(), QString(), filter);
    if (path.isEmpty()) return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) path += suffix;
    QString error;
    const QSize size = svg ? QSize(900, 720) : QSize(1500, 1200);
    const bool ok = svg ? exportNmSvg(diagram_->formSection(), path, size, &error)
                        : exportNmPng(diagram_->formSection(), path, size, &error);
    if (!ok) QMessageBox::warning(this, windowTitle(), QStringLiteral("无法写入文件 %1：%2").arg(path, error));
}

}  // namespace tov::app
