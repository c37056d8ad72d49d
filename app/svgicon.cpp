#include "app/svgicon.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <memory>

namespace tov::app {

namespace {

// Qt's own SVG icon engine reads and parses the file when the icon is made and again for every
// new size; a window of some thirty icons paid for sixty parses before its first paint. This one
// parses once, at the first pixmap asked of it, and keeps the pixmaps it drew.
class SvgIconEngine : public QIconEngine {
public:
    explicit SvgIconEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, dpr));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        if (mode != QIcon::Disabled) mode = QIcon::Normal;  // the same drawing when active or selected
        const QSize px = (QSizeF(size) * scale).toSize();
        if (px.isEmpty()) return {};
        const QString key = QStringLiteral("%1x%2/%3").arg(px.width()).arg(px.height()).arg(int(mode));
        if (auto it = pixmaps_.constFind(key); it != pixmaps_.constEnd()) return *it;
        QPixmap pm;
        if (mode == QIcon::Disabled) {
            const QPixmap normal = scaledPixmap(size, QIcon::Normal, QIcon::Off, scale);
            QStyleOption opt;
            opt.palette = QGuiApplication::palette();
            pm = QApplication::style()->generatedIconPixmap(QIcon::Disabled, normal, &opt);
        } else {
            if (!renderer_) renderer_ = std::make_unique<QSvgRenderer>(path_);
            QImage image(px, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            if (renderer_->isValid()) {
                QPainter p(&image);
                renderer_->render(&p, QRectF(QPointF(0, 0), QSizeF(px)));
            }
            pm = QPixmap::fromImage(std::move(image));
        }
        pm.setDevicePixelRatio(scale);
        pixmaps_.insert(key, pm);
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new SvgIconEngine(path_); }
    QString key() const override { return QStringLiteral("tovarin-svg"); }
    bool isNull() override { return false; }

private:
    QString path_;
    std::unique_ptr<QSvgRenderer> renderer_;
    QHash<QString, QPixmap> pixmaps_;
};

}  // namespace

QIcon svgIcon(const QString& path) { return QIcon(new SvgIconEngine(path)); }

}  // namespace tov::app
