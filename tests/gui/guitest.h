// Helpers of the GUI suites: answering modal dialogs, the watchdog, the suite registry.
#pragma once

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>
#include <vector>

namespace tov::guitest {

/// Runs f on the next modal widget that opens (other than the one active now), once.
inline void onNextModal(std::function<void(QWidget*)> f) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer;
    auto* elapsed = new QElapsedTimer;
    elapsed->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, before, f] {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w != before.data() && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
            f(w);
        } else if (elapsed->elapsed() > 10000) {
            timer->stop();
            timer->deleteLater();
            delete elapsed;
        }
    });
    timer->start();
}

/// What a message box showed.
struct Shown {
    bool seen = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

/// Answers the next message box with the button, recording what it showed.
inline void answerMessage(Shown* shown, QMessageBox::StandardButton button = QMessageBox::Ok) {
    onNextModal([shown, button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) return;
        if (shown) *shown = {true, box->windowTitle(), box->text(), box->icon()};
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

/// Fails a test that leaves a modal dialog open, and closes it so the run goes on.
class Watchdog : public QObject {
public:
    Watchdog() {
        timer_.setSingleShot(true);
        timer_.setInterval(20000);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { closeAll(); });
    }
    void start() {
        left_.clear();
        timer_.start();
    }
    /// True when nothing was left open; closes whatever was.
    bool finish() {
        timer_.stop();
        closeAll();
        return left_.isEmpty();
    }
    QString left() const { return left_.join(QStringLiteral(", ")); }

private:
    void closeAll() {
        for (int guard = 0; guard < 10; ++guard) {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) break;
            left_ << (w->metaObject()->className() + QStringLiteral(" \"") + w->windowTitle() + u'"');
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            else
                w->close();
            QCoreApplication::processEvents();
        }
    }
    QTimer timer_;
    QStringList left_;
};

// Each test starts with forms that remember nothing.
#define TOV_WATCHDOG_SLOTS                                                              \
    void init() {                                                                       \
        QSettings().remove(QStringLiteral("Forms"));                                    \
        watchdog_.start();                                                              \
    }                                                                                   \
    void cleanup() {                                                                    \
        if (!watchdog_.finish())                                                        \
            QFAIL(qPrintable(QStringLiteral("modal dialog left open: ") + watchdog_.left())); \
    }

/// The suites of the test program, by name.
using SuiteFactory = std::function<QObject*()>;
std::vector<std::pair<const char*, SuiteFactory>>& suites();
struct SuiteRegistration {
    SuiteRegistration(const char* name, SuiteFactory f) { suites().emplace_back(name, std::move(f)); }
};
#define TOV_GUI_SUITE(Class) \
    static ::tov::guitest::SuiteRegistration reg##Class(#Class, [] { return new Class; });

/// The report folder of a test: a fresh temporary directory.
QString tempDir();
/// Reads and writes whole files.
QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
/// Converts UTF-8 to GB18030 bytes.
QByteArray gbk(const QString& text);

}  // namespace tov::guitest
