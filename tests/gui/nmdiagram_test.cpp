// The N–M diagram of the last rectangular calculation: the command, the picture, its exports.
#include <QAction>
#include <QImage>
#include <QSvgRenderer>

#include "app/formdialog.h"
#include "app/mainframe.h"
#include "app/nmdiagram.h"
#include "app/qvview.h"
#include "forms/registry.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

namespace {

// Runs a form's command through the view, presses Calculate once and closes the dialog.
void calculateOnce(CMainFrame& w, int dialogId) {
    onNextModal([](QWidget* m) {
        if (auto* d = qobject_cast<FormDialog*>(m)) {
            d->calculate();
            d->reject();
        }
    });
    QVERIFY(w.view()->runFormCommand(tov::findForm(std::to_string(dialogId))->decl().commandId));
}

// Pixels of the curve's pen colour in a picture.
int curvePixels(const QImage& img) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.blue() > 140 && c.red() < 80 && c.green() < 110;
        }
    return n;
}

}  // namespace

class NmDiagramTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void withoutARectangularCalculationSaysSo() {
        CMainFrame w;
        Shown shown;
        answerMessage(&shown);
        w.action(cmd::NmCurve)->trigger();
        QVERIFY(shown.seen);
        QCOMPARE(shown.title, QStringLiteral("截面N-M相关曲线"));
        // A form without such a section leaves it so.
        calculateOnce(w, 169);
        QVERIFY(!w.view()->lastSection());
    }

    void drawsAndExportsTheLastRectangularSection() {
        CMainFrame w;
        calculateOnce(w, 180);
        calculateOnce(w, 169);  // not rectangular: the column of 180 stays
        QVERIFY(w.view()->lastSection());
        QCOMPARE(w.view()->lastSection()->dialogId, 180);
        QCOMPARE(w.view()->lastSection()->points.size(), std::size_t(2));

        const QString dir = tempDir();
        QString shot = qEnvironmentVariable("TOVARIN_SCREENSHOTS");
        shot = shot.isEmpty() ? dir + QStringLiteral("/nm-diagram.png") : shot + QStringLiteral("/nm-diagram.png");
        bool seen = false;
        onNextModal([&](QWidget* m) {
            auto* d = qobject_cast<NmDiagramDialog*>(m);
            if (!d) return;
            seen = true;
            d->resize(900, 760);
            QCoreApplication::processEvents();
            const QImage img = d->grab().toImage();
            img.save(shot);
            QVERIFY(curvePixels(img) > 500);
            d->reject();
        });
        w.action(cmd::NmCurve)->trigger();
        QVERIFY(seen);
        QVERIFY(!QImage(shot).isNull());

        const auto& fs = *w.view()->lastSection();
        QString error;
        QVERIFY(exportNmPng(fs, dir + QStringLiteral("/d.png"), QSize(1200, 960), &error));
        const QImage png(dir + QStringLiteral("/d.png"));
        QCOMPARE(png.size(), QSize(1200, 960));
        QVERIFY(curvePixels(png) > 1000);
        QVERIFY(exportNmSvg(fs, dir + QStringLiteral("/d.svg"), QSize(900, 720), &error));
        QSvgRenderer svg(dir + QStringLiteral("/d.svg"));
        QVERIFY(svg.isValid());
        QVERIFY(readBytes(dir + QStringLiteral("/d.svg")).contains("<path"));

        // A write that cannot happen says so and reports no success.
        QVERIFY(!exportNmPng(fs, dir + QStringLiteral("/no/such/dir/d.png"), QSize(600, 480), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!exportNmSvg(fs, dir + QStringLiteral("/no/such/dir/d.svg"), QSize(600, 480), &error));
    }
};

TOV_GUI_SUITE(NmDiagramTest)
#include "nmdiagram_test.moc"
