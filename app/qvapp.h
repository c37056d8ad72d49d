// The application: start-up, the command line (a file, --pdf, --print) and the main window.
#pragma once

#include <QApplication>
#include <QLocale>
#include <QStringList>

class QTranslator;

namespace tov::app {

/// What the command line asks for.
struct CommandLine {
    enum class Action { Window, Pdf, Print, Usage };
    Action action = Action::Window;
    QString file;     ///< the report to open, print or turn into PDF
    QString pdf;      ///< the PDF to write
};

/// Parses the arguments after the program name.
CommandLine parseCommandLine(const QStringList& args);

/// Installs Qt's own translations (file, font and print dialogs, message-box buttons) for a
/// locale: the locale's own when it is Chinese, simplified Chinese otherwise, since the whole
/// program speaks Chinese. Returns what it installed.
QList<QTranslator*> installQtTranslations(QCoreApplication& app, const QLocale& locale);

class CQvApp : public QApplication {
    Q_OBJECT
public:
    CQvApp(int& argc, char** argv);

    /// Start-up as the command line asks; returns the exit code.
    int run();
};

/// The program: sets the offscreen platform for the windowless switches, then runs CQvApp.
int runProgram(int argc, char** argv);

}  // namespace tov::app
