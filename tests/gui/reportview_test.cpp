// The report view: the forms' whole-text operations, the one size limit, tab stops.
#include <QClipboard>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

#include "app/formdialog.h"
#include "app/qvview.h"
#include "forms/memoryview.h"
#include "forms/registry.h"
#include "forms/reportfile.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

namespace {
// A view text of n bytes in its file (GBK, "\r\n" line ends): ASCII lines of 98 letters.
QString textOfFileSize(qsizetype n) {
    QString t;
    t.reserve(n);
    const QString line = QString(98, u'x') + u'\n';  // 100 bytes in the file
    while (n >= 100) {
        t += line;
        n -= 100;
    }
    t += QString(n, u'y');
    return t;
}
// The forms' text and the file size of a view, worked out afresh from what the view shows.
std::string freshText(const CQvView& v) { return toFileText(v.viewText(), LineEnd::CrLf).toStdString(); }
std::size_t freshSize(const CQvView& v) {
    const std::size_t body = tov::encodedSize(toFileText(v.viewText(), v.lineEnd()).toStdString(),
                                              v.encoding() == tov::ReportEncoding::Gbk ? tov::ReportEncoding::Gbk
                                                                                       : tov::ReportEncoding::Utf8);
    return body + (v.encoding() == tov::ReportEncoding::Utf8Bom ? 3 : 0);
}

// The sheet of the singly reinforced design form with its defaults, from the core alone.
std::string defaultSheet() {
    tov::MemoryReport report;
    tov::MemoryView ui;
    auto form = tov::findForm("CSinglyRectDesignDlg")->make();
    form->open(ui);
    form->onCalculate(ui, report);
    return report.text();
}
}  // namespace

class ReportViewTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void wholeTextUsesCrLf() {
        CQvView v;
        v.setPlainText(QStringLiteral("一\n二\n"));
        QCOMPARE(v.wholeText(), std::string("一\r\n二\r\n"));
        QVERIFY(v.replaceWholeText("一\r\n二\r\n三\r\n"));
        QCOMPARE(v.viewText(), QStringLiteral("一\n二\n三\n"));
        QCOMPARE(v.document()->blockCount(), 4);
    }

    // Replacing the text with a longer one that begins with it inserts the tail only, at the end,
    // as one undo step; the caret and the scroll position stay.
    void appendingInsertsOnlyTheTail() {
        CQvView v;
        v.resize(400, 200);
        v.show();
        QString lines;
        for (int i = 0; i < 300; ++i) lines += QStringLiteral("第%1行\n").arg(i);
        v.setPlainText(lines);
        v.document()->setModified(false);
        QTextCursor c = v.textCursor();
        c.setPosition(7);
        v.setTextCursor(c);
        v.verticalScrollBar()->setValue(40);
        QList<QList<int>> changes;
        connect(v.document(), &QTextDocument::contentsChange, this,
                [&](int pos, int removed, int added) { changes << QList<int>{pos, removed, added}; });
        const std::string before = v.wholeText();
        QVERIFY(v.replaceWholeText(before + "\r\n─────计算书─────\r\n"));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes[0][0], static_cast<int>(lines.size()));
        QCOMPARE(changes[0][1], 0);
        QCOMPARE(v.textCursor().position(), 7);
        QVERIFY(v.verticalScrollBar()->value() > 40);  // the new sheet is brought into view
        QVERIFY(v.document()->isModified());
        v.undo();
        QCOMPARE(v.wholeText(), before);
        QVERIFY(!v.document()->isModified());
        // Any other text replaces the whole report.
        QVERIFY(v.replaceWholeText("新\r\n"));
        QCOMPARE(v.viewText(), QStringLiteral("新\n"));
    }

    // Calculate, typing and pasting all stop at 1048575 bytes in the file's encoding.
    void sheetPastTheLimitIsRefused() {
        CQvView v;
        v.setPlainText(textOfFileSize(tov::kMaxReportBytes - 10));
        v.document()->setModified(false);
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes - 10);
        const std::string start = v.wholeText();
        // 4 ASCII bytes + 2 for "\r\n" + 3 ideographs × 2 bytes in GBK = 12 bytes: too many.
        Shown shown;
        answerMessage(&shown);
        QVERIFY(!v.replaceWholeText(start + "abcd\r\n计算书"));
        QVERIFY(shown.seen);
        QCOMPARE(shown.text, QString::fromUtf8(kReportFull));
        QCOMPARE(v.wholeText(), start);
        QVERIFY(!v.document()->isModified());
        // 2 + 2 + 3 × 2 = 10 bytes: exactly at the limit, taken.
        QVERIFY(v.replaceWholeText(start + "ab\r\n计算书"));
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes);
    }

    void sizeCountsTheFilesEncoding() {
        // The same text is larger in UTF-8 (3 bytes a character) than in GBK (2). ("─" makes the
        // UTF-8 bytes invalid GBK; "计算\r\n" alone would be GBK bytes too, and read as GBK.)
        const QString dir = tempDir();
        writeBytes(dir + QStringLiteral("/u.txt"), QStringLiteral("─计算\r\n").toUtf8());
        CQvView v;
        QVERIFY(v.loadFile(dir + QStringLiteral("/u.txt")).ok());
        QCOMPARE(v.encoding(), tov::ReportEncoding::Utf8);
        QCOMPARE(v.fileSize(), std::size_t(11));
        writeBytes(dir + QStringLiteral("/g.txt"), gbk(QStringLiteral("─计算\r\n")));
        QVERIFY(v.loadFile(dir + QStringLiteral("/g.txt")).ok());
        QCOMPARE(v.fileSize(), std::size_t(8));
    }

    void typingAndPastingPastTheLimitAreRefused() {
        CQvView v;
        v.show();
        v.setPlainText(textOfFileSize(tov::kMaxReportBytes - 1));
        v.moveCursor(QTextCursor::End);
        v.setFocus();
        QTest::keyClick(&v, Qt::Key_Z);  // one byte: fits
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes);
        const QString full = v.viewText();
        Shown shown;
        answerMessage(&shown);
        QTest::keyClick(&v, Qt::Key_Z);
        QCOMPARE(shown.text, QString::fromUtf8(kReportFull));
        QCOMPARE(v.viewText(), full);
        shown = {}; answerMessage(&shown);
        QTest::keyClick(&v, Qt::Key_Return);  // "\r\n" in the file
        QVERIFY(shown.seen);
        QCOMPARE(v.viewText(), full);

        QApplication::clipboard()->setText(QStringLiteral("粘贴"));
        shown = {}; answerMessage(&shown);
        v.paste();
        QVERIFY(shown.seen);
        QCOMPARE(v.viewText(), full);
        // With a selection of the same size replaced, pasting fits.
        QTextCursor c = v.textCursor();
        c.movePosition(QTextCursor::End);
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 4);
        v.setTextCursor(c);
        v.paste();
        QVERIFY(v.viewText().endsWith(QStringLiteral("粘贴")));
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes);
    }

    // The view keeps the report's text and file size between calculations. Whatever the user did
    // in between (typing, pasting, undo), a Calculate appends its sheet after exactly the text the
    // view shows, and the size is that of the file the view would save.
    void calculateAfterEditsAppendsToWhatTheViewShows() {
        CQvView v;
        v.show();
        v.setPlainText(QStringLiteral("第一行\n第二行"));
        auto form = tov::findForm("CSinglyRectDesignDlg")->make();
        FormDialog dlg(*form, v);
        const std::string sheet = defaultSheet();
        QCOMPARE(sheet.substr(0, 2), std::string("\r\n"));
        const auto check = [&](const char* step) {
            QVERIFY2(v.wholeText() == freshText(v), step);
            QVERIFY2(v.fileSize() == freshSize(v), step);
        };
        const auto calculateAndCheck = [&](const char* step) {
            const QString before = v.viewText();
            dlg.calculate();
            QVERIFY2(v.viewText() == before + fromCrLf(QString::fromStdString(sheet)), step);
            check(step);
        };
        calculateAndCheck("first sheet");
        calculateAndCheck("second sheet");
        // Typing in the middle and at the end.
        v.setFocus();
        QTextCursor c = v.textCursor();
        c.setPosition(2);
        v.setTextCursor(c);
        QTest::keyClicks(&v, QStringLiteral("ab"));
        QTest::keyClick(&v, Qt::Key_Return);
        check("typed");
        calculateAndCheck("after typing");
        v.moveCursor(QTextCursor::End);
        QTest::keyClicks(&v, QStringLiteral("xyz"));
        calculateAndCheck("after typing at the end");
        // Pasting over a selection, then undo twice (the paste and the last sheet).
        QApplication::clipboard()->setText(QStringLiteral("粘贴\r\n两行"));
        c = v.textCursor();
        c.setPosition(1);
        c.setPosition(5, QTextCursor::KeepAnchor);
        v.setTextCursor(c);
        v.paste();
        check("pasted");
        calculateAndCheck("after pasting");
        v.undo();
        check("undone sheet");
        v.undo();
        check("undone paste");
        calculateAndCheck("after undo");
        // A sheet appended through the whole text, as before.
        QVERIFY(v.replaceWholeText(v.wholeText() + sheet));
        check("whole text");
        calculateAndCheck("after the whole text");
    }

    // Tails the document does not take back as they went in: a lone "\r" becomes a break of its
    // own in the view; a lone "\n" is a break too.
    void oddLineEndsInAnAppendedTail() {
        CQvView v;
        v.setPlainText(QStringLiteral("a"));
        QVERIFY(v.replaceWholeText(v.wholeText() + "\r\nb\rc\r\n"));
        QCOMPARE(v.viewText(), QStringLiteral("a\nb\nc\n"));
        QCOMPARE(v.wholeText(), freshText(v));
        QCOMPARE(v.fileSize(), freshSize(v));
        QVERIFY(v.replaceWholeText(v.wholeText() + "\nnext\r\n"));
        QCOMPARE(v.viewText(), QStringLiteral("a\nb\nc\n\nnext\n"));
        QCOMPARE(v.wholeText(), freshText(v));
        QCOMPARE(v.fileSize(), freshSize(v));
    }

    // The limit after edits: a typed character leaves no room for a sheet that fitted before it;
    // undoing it makes room again. The file the view saves has the size the view counted.
    void sizeLimitHoldsForCalculateAfterEdits() {
        const std::string sheet = defaultSheet();
        const std::size_t sheetSize = tov::encodedSize(sheet, tov::ReportEncoding::Gbk);
        CQvView v;
        v.show();
        v.setPlainText(textOfFileSize(static_cast<qsizetype>(tov::kMaxReportBytes - sheetSize)));
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes - sheetSize);
        v.moveCursor(QTextCursor::Start);
        v.setFocus();
        QTest::keyClick(&v, Qt::Key_Q);
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes - sheetSize + 1);
        auto form = tov::findForm("CSinglyRectDesignDlg")->make();
        FormDialog dlg(*form, v);
        const QString typed = v.viewText();
        Shown shown;
        answerMessage(&shown);
        dlg.calculate();
        QVERIFY(shown.seen);
        QCOMPARE(shown.text, QString::fromUtf8(kReportFull));
        QCOMPARE(v.viewText(), typed);
        v.undo();
        dlg.calculate();
        QCOMPARE(v.fileSize(), tov::kMaxReportBytes);
        QCOMPARE(v.wholeText(), freshText(v));
        const QString path = tempDir() + QStringLiteral("/full.txt");
        QVERIFY(v.saveFile(path).ok());
        QCOMPARE(static_cast<std::size_t>(readBytes(path).size()), tov::kMaxReportBytes);
    }

    // Files with "\n" line ends or in UTF-8 count their own sizes as sheets are appended.
    void appendedSizesFollowTheFilesConventions() {
        const QString dir = tempDir();
        const std::string sheet = defaultSheet();
        for (const QByteArray& bytes : {QByteArray("line\nnext\n"), QStringLiteral("计算\r\n").toUtf8(),
                                        QByteArray("\xEF\xBB\xBF") + QStringLiteral("计算\n").toUtf8()}) {
            const QString path = dir + QStringLiteral("/c.txt");
            writeBytes(path, bytes);
            CQvView v;
            QVERIFY(v.loadFile(path).ok());
            QCOMPARE(v.fileSize(), static_cast<std::size_t>(bytes.size()));
            QVERIFY(v.replaceWholeText(v.wholeText() + sheet));
            QVERIFY(v.replaceWholeText(v.wholeText() + sheet));
            QCOMPARE(v.wholeText(), freshText(v));
            QVERIFY(v.saveFile(path).ok());
            QCOMPARE(v.fileSize(), static_cast<std::size_t>(readBytes(path).size()));
        }
    }

    // The kept text and size follow every kind of edit by its own characters: random inserts,
    // deletions and replacements (Chinese, line breaks, a character outside the BMP), undo and
    // redo, appended sheets, in a GBK file with "\r\n" and a UTF-8 file with "\n".
    void keptSizeFollowsRandomEdits() {
        const QString dir = tempDir();
        const std::string sheet = defaultSheet();
        const QString pieces[] = {QStringLiteral("a"), QStringLiteral("计算"), QStringLiteral("\n"),
                                  QStringLiteral("x\ny\n"), QString::fromUcs4(U"\U00020000"), QStringLiteral("　"),
                                  QStringLiteral("\t9")};
        std::uint64_t seed = 16;
        const auto next = [&seed](std::uint64_t n) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            return static_cast<int>((seed >> 33) % n);
        };
        for (const QByteArray& bytes : {QByteArray("line\r\nnext\r\n"), QStringLiteral("计算\n").toUtf8()}) {
            const QString path = dir + QStringLiteral("/r.txt");
            writeBytes(path, bytes);
            CQvView v;
            QVERIFY(v.loadFile(path).ok());
            for (int step = 0; step < 300; ++step) {
                const int kind = next(6);
                QTextCursor c(v.document());
                const int length = v.document()->characterCount() - 1;
                c.setPosition(next(static_cast<std::uint64_t>(length) + 1));
                if (kind == 0) {
                    c.insertText(pieces[next(std::size(pieces))]);
                } else if (kind == 1 && length > 0) {
                    c.setPosition(std::min(length, c.position() + next(12)), QTextCursor::KeepAnchor);
                    c.insertText(next(2) ? pieces[next(std::size(pieces))] : QString());
                } else if (kind == 2) {
                    v.undo();
                } else if (kind == 3) {
                    v.redo();
                } else if (kind == 4) {
                    QVERIFY(v.appendSheet(sheet));
                } else {
                    QVERIFY(v.fileSize() == freshSize(v));
                }
                if (v.document()->characterCount() > 200000) v.clearReport();
            }
            QCOMPARE(v.fileSize(), freshSize(v));
            QCOMPARE(v.wholeText(), freshText(v));
        }
    }

    void tabStopsAreFourAverageCharacters() {
        CQvView v;
        QCOMPARE(v.tabStopDistance(), 4 * QFontMetricsF(v.font()).averageCharWidth());
        QFont f(QStringLiteral("DejaVu Sans Mono"), 20);
        v.setDisplayFont(f);
        QCOMPARE(v.tabStopDistance(), 4 * QFontMetricsF(v.font()).averageCharWidth());
    }

    // After Calculate the new sheet's title is the view's top line and the sheet is marked for a
    // moment; the caret stays and one undo takes the sheet away.
    void newSheetComesToTheTopAndIsMarked() {
        CQvView v;
        v.resize(500, 300);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QString lines;
        for (int i = 0; i < 300; ++i) lines += QStringLiteral("第%1行\n").arg(i);
        v.setPlainText(lines);
        QTextCursor c = v.textCursor();
        c.setPosition(7);
        v.setTextCursor(c);
        const std::string before = v.wholeText();
        std::string sheet = "\r\n─────计算书─────\r\n";
        for (int i = 0; i < 100; ++i) sheet += "　　　　As＝" + std::to_string(i) + "\r\n";
        QVERIFY(v.replaceWholeText(before + sheet));
        QTest::qWait(20);
        const QTextBlock top = v.cursorForPosition(QPoint(4, 4)).block();
        QCOMPARE(top.text(), QStringLiteral("─────计算书─────"));
        QCOMPARE(v.textCursor().position(), 7);
        QCOMPARE(v.extraSelections().size(), 1);
        QCOMPARE(v.extraSelections()[0].cursor.selectionStart(), top.position());
        QTRY_VERIFY_WITH_TIMEOUT(v.extraSelections().isEmpty(), 4000);
        v.undo();
        QCOMPARE(v.wholeText(), before);
    }

    // Ctrl+=, Ctrl+- and Ctrl+wheel zoom the view by 10 % a step; the report's font stays.
    void zoomKeysAndWheel() {
        CQvView v;
        v.setDisplayFont(QFont(QStringLiteral("DejaVu Sans Mono"), 10));
        QTest::keyClick(&v, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(v.font().pointSizeF(), 11.0);
        QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(&v, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(qAbs(v.font().pointSizeF() - 10 / 1.1) < 0.01);
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(v.viewport(), &wheel);
        QCOMPARE(v.zoomSteps(), 1);
        QCOMPARE(v.reportFont().pointSizeF(), 10.0);
        QVERIFY(v.viewText().isEmpty());  // no key went into the text
    }
};

TOV_GUI_SUITE(ReportViewTest)
#include "reportview_test.moc"
