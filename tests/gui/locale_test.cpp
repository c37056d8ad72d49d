// A Calculate under a locale with a decimal comma (de_DE): the fields and the sheet keep the
// decimal point. The check runs in a child process started under that locale, so that the
// program's start-up meets it as it would on such a desktop.
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>

#include "app/formdialog.h"
#include "app/qvview.h"
#include "forms/registry.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

class LocaleTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void calculateUnderADecimalCommaLocale() {
        if (qEnvironmentVariableIsSet("TOVARIN_LOCALE_CHILD")) {
            QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));  // the locale is in force
            const tov::FormEntry* e = tov::findForm("CSinglyRectDesignDlg");
            QVERIFY(e);
            auto form = e->make();
            CQvView view;
            FormDialog dialog(*form, view, &view);
            dialog.show();
            auto* m = qobject_cast<QLineEdit*>(dialog.control(1006));
            QCOMPARE(m->text(), QStringLiteral("169.53"));
            dialog.calculate();
            QVERIFY(qobject_cast<QLineEdit*>(dialog.control(1008))->text().startsWith(QStringLiteral("1189.49")));
            const std::string& sheet = view.wholeText();
            QVERIFY(sheet.find("M＝169.530000（kN.m）") != std::string::npos);
            QVERIFY(sheet.find("As＝α1×fc×b×h0×ξ／fy＝1189.5（mm2）") != std::string::npos);
            return;
        }
        // A de_DE locale of our own, compiled into a temporary folder (no system locale needed).
        QTemporaryDir locales;
        QProcess def;
        def.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                                QStringLiteral("UTF-8"), locales.path() + QStringLiteral("/de_DE.UTF-8")});
        if (!def.waitForFinished(60000) || def.exitStatus() != QProcess::NormalExit ||
            !QFileInfo::exists(locales.path() + QStringLiteral("/de_DE.UTF-8")))
            QSKIP("localedef cannot build de_DE.UTF-8 here (Debian package locales)");
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LOCPATH"), locales.path());
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
        env.insert(QStringLiteral("TOVARIN_LOCALE_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("LocaleTest"), QStringLiteral("calculateUnderADecimalCommaLocale")});
        QVERIFY(child.waitForFinished(120000));
        const QByteArray out = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, out.constData());
    }
};

TOV_GUI_SUITE(LocaleTest)
#include "locale_test.moc"
