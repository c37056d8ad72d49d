#include "app/qvapp.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTranslator>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/mainframe.h"
#include "app/pagelayout.h"
#include "app/qvdoc.h"
#include "app/qvview.h"
#include "app/svgicon.h"

namespace tov::app {

namespace {
const char* const kUsage =
    "用法: tovarin [报告文件]\n"
    "      tovarin --pdf 输出.pdf 报告文件   把报告的打印页面写成PDF文件\n"
    "      tovarin --print 报告文件          用默认打印机打印报告\n";

void errorLine(const QString& text) { std::fprintf(stderr, "tovarin: %s\n", text.toLocal8Bit().constData()); }
}  // namespace

CommandLine parseCommandLine(const QStringList& args) {
    CommandLine c;
    if (args.isEmpty()) return c;
    const QString& first = args.front();
    if (first == QStringLiteral("--pdf")) {
        if (args.size() != 3) return {CommandLine::Action::Usage, {}, {}};
        return {CommandLine::Action::Pdf, args[2], args[1]};
    }
    if (first == QStringLiteral("--print") || first == QStringLiteral("/p")) {
        if (args.size() != 2) return {CommandLine::Action::Usage, {}, {}};
        return {CommandLine::Action::Print, args[1], {}};
    }
    if (args.size() != 1 || first.startsWith(QStringLiteral("--"))) return {CommandLine::Action::Usage, {}, {}};
    return {CommandLine::Action::Window, first, {}};
}

CQvApp::CQvApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QString::fromUtf8(kProfileOrganization));
    setApplicationName(QString::fromUtf8(kProfileApplication));
    setWindowIcon(svgIcon(QStringLiteral(":/tovarin.svg")));
    // QApplication took the numeric conventions of the user's locale (a decimal comma under
    // de_DE): the forms read and write their numbers with a decimal point, whatever the locale.
    std::setlocale(LC_NUMERIC, "C");
    installQtTranslations(*this, QLocale::system());
}

QList<QTranslator*> installQtTranslations(QCoreApplication& app, const QLocale& locale) {
    const QLocale chinese = locale.language() == QLocale::Chinese ? locale : QLocale(QLocale::Chinese, QLocale::China);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    QList<QTranslator*> installed;
    for (const char* name : {"qtbase"}) {
        auto* t = new QTranslator(&app);
        if (t->load(chinese, QString::fromLatin1(name), QStringLiteral("_"), dir) && app.installTranslator(t))
            installed << t;
        else
            delete t;
    }
    return installed;
}

int CQvApp::run() {
    const CommandLine c = parseCommandLine(arguments().mid(1));
    switch (c.action) {
        case CommandLine::Action::Usage:
            std::fputs(kUsage, stderr);
            return 2;
        case CommandLine::Action::Pdf:
        case CommandLine::Action::Print: {
            if (c.action == CommandLine::Action::Pdf && wouldReplaceReport(c.pdf, c.file)) {
                errorLine(c.pdf + QStringLiteral(": 输出文件就是报告文件本身，未写入。"));
                return 1;
            }
            CQvView view;
            CQvDoc doc(view);
            const tov::FileResult r = doc.open(c.file);
            if (!r.ok()) {
                errorLine(c.file + QStringLiteral(": ") + QString::fromStdString(r.full()));
                return 1;
            }
            const QString header = QDir::toNativeSeparators(doc.pathName());
            if (c.action == CommandLine::Action::Pdf) {
                QString error;
                if (!writeReportPdf(c.pdf, view.viewText(), view.font(), header, &error)) {
                    errorLine(error);
                    return 1;
                }
                return 0;
            }
            if (QPrinterInfo::defaultPrinter().isNull()) {
                errorLine(QStringLiteral("没有默认打印机。"));
                return 1;
            }
            QPrinter printer(QPrinter::HighResolution);
            printer.setDocName(doc.title());
            if (paintReport(printer, view.viewText(), view.font(), header) == 0) {
                errorLine(QStringLiteral("打印失败。"));
                return 1;
            }
            return 0;
        }
        case CommandLine::Action::Window:
            break;
    }
    CMainFrame frame;
    if (!c.file.isEmpty() && !frame.openFile(c.file)) return 1;
    frame.showAsLastTime();
    return exec();
}

int runProgram(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const CommandLine c = parseCommandLine(args);
    if (c.action == CommandLine::Action::Usage) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // The windowless switches need no display.
    if (c.action != CommandLine::Action::Window && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    CQvApp app(argc, argv);
    return app.run();
}

}  // namespace tov::app
