// Pictures of the program as a user sees it, for a person to look at: written only when
// TOVARIN_SCREENSHOTS names a folder.
#include <QDir>
#include <QPrintPreviewWidget>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>

#include "app/formdialog.h"
#include "app/helpviewer.h"
#include "app/mainframe.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "forms/registry.h"
#include "tests/gui/everykind.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

class Screenshots : public QObject {
    Q_OBJECT
    Watchdog watchdog_;
    QString dir_;

private slots:
    TOV_WATCHDOG_SLOTS

    void initTestCase() {
        dir_ = qEnvironmentVariable("TOVARIN_SCREENSHOTS");
        if (dir_.isEmpty()) QSKIP("set TOVARIN_SCREENSHOTS to a folder to take the pictures");
        QDir().mkpath(dir_);
    }

    void takeThem() {
        CMainFrame w;
        w.resize(1280, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.grab().save(dir_ + QStringLiteral("/main.png"));
        for (const tov::FormEntry* e : tov::formRegistry()) {
            auto form = e->make();
            FormDialog d(*form, *w.view(), &w);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.grab().save(dir_ + QStringLiteral("/form-%1.png").arg(QString::fromStdString(e->decl().className)));
            if (e == tov::formRegistry().front())
                for (int i = 0; i < 3; ++i) d.calculate();
        }
        {
            EveryKindForm form;
            FormDialog d(form, *w.view(), &w);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            d.grab().save(dir_ + QStringLiteral("/form-everykind.png"));
            d.calculate();  // with its verdict line
            d.grab().save(dir_ + QStringLiteral("/form-everykind-calculated.png"));
        }
        w.view()->moveCursor(QTextCursor::Start);
        w.grab().save(dir_ + QStringLiteral("/report.png"));
        w.help();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* help = qobject_cast<HelpViewer*>(top); help && help->isVisible()) {
                QVERIFY(QTest::qWaitForWindowExposed(help));
                help->grab().save(dir_ + QStringLiteral("/help.png"));
                help->close();
            }
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewWidget preview(&printer);
        connect(&preview, &QPrintPreviewWidget::paintRequested, &w, &CMainFrame::paintPages);
        preview.resize(900, 1100);
        preview.show();
        preview.fitToWidth();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        preview.grab().save(dir_ + QStringLiteral("/preview.png"));
        QVERIFY(w.exportPdf(dir_ + QStringLiteral("/report.pdf")));
        w.document()->setModified(false);
        using P = tov::Picture;
        QImage sheet(5 * 350, 6 * 270, QImage::Format_ARGB32);
        sheet.fill(Qt::lightGray);
        int n = 0;
        for (P p : {P::Rect, P::DoublyRect, P::TBeam, P::TRib, P::LRib, P::Column, P::Spiral, P::EccRect, P::Bar,
              P::ShearRect, P::ShearT, P::ShearI, P::ShearColumn, P::ShearSlab, P::BeamUniform, P::BeamPoint,
              P::SlsRect, P::SlsTee, P::SlsInvTee, P::SlsI, P::SlsTension, P::SlsCompression, P::DeflRect,
              P::DeflTee, P::DeflInvTee, P::DeflI, P::EccTension}) {
            const QString res = pictureResource(p);
            QSvgRenderer r(res);
            QImage img(r.defaultSize(), QImage::Format_ARGB32);
            img.fill(Qt::white);
            QPainter painter(&img);
            r.render(&painter);
            painter.end();
            img.save(dir_ + QStringLiteral("/picture-") + QFileInfo(res).baseName() + QStringLiteral(".png"));
            QPainter(&sheet).drawImage((n % 5) * 350, (n / 5) * 270, img);
            ++n;
        }
        sheet.save(dir_ + QStringLiteral("/pictures.png"));
    }
};

TOV_GUI_SUITE(Screenshots)
#include "screenshots_test.moc"
