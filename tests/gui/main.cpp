// The GUI test program: runs one suite (named as the first argument) or all of them.
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/qvapp.h"
#include "tests/gui/guitest.h"
#include "forms/reportfile.h"

namespace tov::guitest {

std::vector<std::pair<const char*, SuiteFactory>>& suites() {
    static std::vector<std::pair<const char*, SuiteFactory>> all;
    return all;
}

QString tempDir() {
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray gbk(const QString& text) {
    std::string out;
    if (!tov::utf8ToGb18030(text.toStdString(), out)) return {};
    return QByteArray::fromStdString(out);
}

}  // namespace tov::guitest

int main(int argc, char** argv) {
    // Throwaway settings: each run starts from an empty profile in a folder of its own, so the
    // recent-file list of a test never reaches the user's profile nor the next run.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's own application object: its start-up settings (the profile's names, the
    // numeric locale) hold in the tests too.
    tov::app::CQvApp app(argc, argv);

    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(u'-')) only = args.takeAt(1);
    int failed = 0, ran = 0;
    for (auto& [name, make] : tov::guitest::suites()) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        std::unique_ptr<QObject> suite(make());
        failed += QTest::qExec(suite.get(), args);
        ++ran;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no suite named %s\n", qPrintable(only));
        return 2;
    }
    return failed == 0 ? 0 : 1;
}
