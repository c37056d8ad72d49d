// The generic form dialog, for every form the core has: layout from the declaration, Tab and
// Enter, Calculate against the command-line runner, refused inputs, pickers, help buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QSvgWidget>

#include "app/formdialog.h"
#include "app/helppages.h"
#include "app/qvview.h"
#include "forms/numfield.h"
#include "forms/registry.h"
#include "forms/runner.h"
#include "tests/gui/everykind.h"
#include "tests/gui/guitest.h"

using namespace tov::app;
using namespace tov::guitest;

// Open's constructor cannot use QVERIFY: it waits and warns instead.
#define QVERIFY_ACTIVE(w) \
    if (!QTest::qWaitForWindowActive(w)) qWarning("form dialog did not become active")

namespace {

// A dialog of one form over a report view, shown non-modally for the test.
struct Open {
    CQvView view;
    std::unique_ptr<tov::CalcForm> form;
    std::unique_ptr<FormDialog> dialog;
    explicit Open(const tov::FormEntry& e) : form(e.make()) {
        view.resize(600, 400);
        view.show();
        dialog = std::make_unique<FormDialog>(*form, view, &view);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QVERIFY_ACTIVE(dialog.get());
    }
    const tov::FormDecl& decl() const { return form->decl(); }
    QLineEdit* edit(int id) const { return qobject_cast<QLineEdit*>(dialog->control(id)); }
};

// The focus chain a user walks with Tab, from the first control back to it.
QList<QWidget*> tabChain(QWidget* first) {
    QList<QWidget*> chain;
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(first->window()))
            chain << w;
        w = w->nextInFocusChain();
    } while (w && w != first && chain.size() < 200);
    return chain;
}

// The controls the declaration puts in the Tab order, then Calculate and Return.
QList<QWidget*> declaredChain(const FormDialog& d, const tov::FormDecl& s) {
    QList<QWidget*> chain;
    for (const auto& c : s.controls)
        if (c.tab && !c.isResult() && d.control(c.id)->isEnabled()) chain << d.control(c.id);
    chain << d.calculateButton() << d.returnButton();
    return chain;
}

const tov::Control* firstEnabledEdit(const tov::FormDecl& s, tov::CtlKind kind = tov::CtlKind::Edit) {
    for (const auto& c : s.controls)
        if (c.kind == kind && c.enabled && c.tab) return &c;
    return nullptr;
}

}  // namespace

class FormDialogTest : public QObject {
    Q_OBJECT
    Watchdog watchdog_;

private slots:
    TOV_WATCHDOG_SLOTS

    void everyFormIsLaidOutFromItsDeclaration() {
        QVERIFY(!tov::formRegistry().empty());
        for (const tov::FormEntry* e : tov::formRegistry()) {
            Open o(*e);
            const tov::FormDecl& s = o.decl();
            const QByteArray name = QByteArray::fromStdString(s.className);
            QCOMPARE(o.dialog->windowTitle(), QString::fromStdString(s.title));
            QStringList groups;
            for (const auto& c : s.controls) {
                QWidget* w = o.dialog->control(c.id);
                QVERIFY2(w, name + " " + QByteArray::number(c.id));
                if (!c.group.empty() && !groups.contains(QString::fromStdString(c.group)))
                    groups << QString::fromStdString(c.group);
                switch (c.kind) {
                    case tov::CtlKind::Picker: {
                        auto* box = qobject_cast<QComboBox*>(w);
                        QVERIFY2(box && !box->isEditable(), name);
                        QCOMPARE(box->count(), static_cast<int>(c.items.size()));
                        QCOMPARE(box->currentIndex(), o.form->pick(c.id));
                        break;
                    }
                    case tov::CtlKind::ListBox:
                        QVERIFY2(qobject_cast<QListWidget*>(w), name);
                        QCOMPARE(qobject_cast<QListWidget*>(w)->count(), static_cast<int>(c.items.size()));
                        break;
                    case tov::CtlKind::CheckBox:
                        QVERIFY2(qobject_cast<QCheckBox*>(w), name);
                        QCOMPARE(qobject_cast<QCheckBox*>(w)->isChecked(), o.form->checked(c.id));
                        break;
                    case tov::CtlKind::HelpButton:
                        QCOMPARE(qobject_cast<QPushButton*>(w)->text(), QStringLiteral("?"));
                        break;
                    default: {
                        auto* edit = qobject_cast<QLineEdit*>(w);
                        QVERIFY2(edit, name);
                        QCOMPARE(edit->alignment() & Qt::AlignRight, Qt::AlignRight);
                        QCOMPARE(edit->isReadOnly(), c.isResult());
                        if (c.isResult()) QVERIFY2(!(w->focusPolicy() & Qt::TabFocus), name);
                        // The fields show what the opening step set (defaults, then the form's own work).
                        if (c.isNumeric())
                            QCOMPARE(edit->text(), QString::fromStdString(tov::showNumber(o.form->value(c.id))));
                        else
                            QCOMPARE(edit->text(), QString::fromStdString(o.form->text(c.id)));
                        QCOMPARE(edit->isEnabled(), o.form->enabled(c.id));
                    }
                }
            }
            QStringList boxes;
            for (QGroupBox* g : o.dialog->findChildren<QGroupBox*>())
                if (!g->title().isEmpty()) boxes << g->title();
            QCOMPARE(boxes, groups);
            QCOMPARE(o.dialog->findChild<QSvgWidget*>(QStringLiteral("picture")) != nullptr,
                     s.picture != tov::Picture::None);
            QCOMPARE(o.dialog->calculateButton()->text(), QStringLiteral("计算(&E)"));
            QCOMPARE(o.dialog->returnButton()->text(), QStringLiteral("返回(&C)"));
            QCOMPARE(o.dialog->calculateButton()->shortcut(), QKeySequence(QStringLiteral("Alt+E")));
            QCOMPARE(o.dialog->returnButton()->shortcut(), QKeySequence(QStringLiteral("Alt+C")));
            QCOMPARE(o.dialog->calculateButton()->objectName(), QStringLiteral("ctl%1").arg(s.calcId));
            // Tab walks the declared order, then the two buttons.
            const QList<QWidget*> declared = declaredChain(*o.dialog, s);
            QCOMPARE(tabChain(declared.front()), declared);
        }
    }

    // Every kind of control: pickers and list boxes report picks, the check box is read, the text
    // result shown, Tab skips the field left out of it and the results, "?" sits in the Tab order.
    void laysOutEveryKindOfControl() {
        CQvView view;
        view.show();
        EveryKindForm form;
        FormDialog d(form, view, &view);
        d.show();
        QApplication::setActiveWindow(&d);
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QStringList boxes;
        for (QGroupBox* g : d.findChildren<QGroupBox*>()) boxes << g->title();
        QCOMPARE(boxes, (QStringList{"设计要求", "计算参数", "输入钢筋面积(mm2)", "选钢筋直径(mm)", "", "计算结果:"}));
        QVERIFY(d.findChild<QLabel*>(QStringLiteral("note")));
        QVERIFY(d.findChild<QLabel*>(QStringLiteral("note"))->text().startsWith(QStringLiteral("注：1、")));
        QCOMPARE(tabChain(d.control(1039)),
                 (QList<QWidget*>{d.control(1039), d.control(1024), d.control(1018), d.control(1064), d.control(1007),
                                  d.control(1008), d.calculateButton(), d.returnButton()}));
        QVERIFY(!d.control(1038)->isEnabled());
        auto* shape = qobject_cast<QComboBox*>(d.control(1039));
        shape->setFocus();
        QTest::keyClick(shape, Qt::Key_Down);
        QCOMPARE(form.choices, 1);
        QVERIFY(d.control(1038)->isEnabled());
        auto* list = qobject_cast<QListWidget*>(d.control(1008));
        list->setCurrentRow(2);
        QCOMPARE(form.choices, 2);
        QCOMPARE(form.pick(1008), 2);
        QTest::keyClick(d.control(1024), Qt::Key_End);
        QTest::keyClicks(d.control(1024), QStringLiteral(".5x"));
        QCOMPARE(qobject_cast<QLineEdit*>(d.control(1024))->text(), QStringLiteral("3105"));
        qobject_cast<QCheckBox*>(d.control(1064))->setChecked(true);
        d.calculate();
        QCOMPARE(qobject_cast<QLineEdit*>(d.control(1061))->text(), QStringLiteral("剪力墙"));
        QCOMPARE(qobject_cast<QLineEdit*>(d.control(1023))->text(), QStringLiteral("6210"));
        QCOMPARE(view.wholeText(), std::string("\r\n─────每种控件─────\r\n　　　　N＝3105.0（kN）\r\n"));
        // The form's icon on its messages.
        qobject_cast<QLineEdit*>(d.control(1024))->setText(QStringLiteral("0"));
        Shown shown;
        answerMessage(&shown);
        d.calculate();
        QCOMPARE(shown.icon, QMessageBox::Information);
        QCOMPARE(shown.text, QStringLiteral("轴向压力应大于零，请检查。"));
        // "?" opens the page from the program's folder.
        QList<QUrl> opened;
        auto saved = urlOpener();
        urlOpener() = [&](const QUrl& u) { opened << u; return true; };
        QTest::mouseClick(qobject_cast<QPushButton*>(d.control(1018)), Qt::LeftButton);
        urlOpener() = saved;
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].toLocalFile(), QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("L0.htm")));
    }

    // A picture that follows a picker shows the drawing of the entry picked in the dialog.
    void picturesFollowTheirPickers() {
        int seen = 0;
        for (const tov::FormEntry* e : tov::formRegistry()) {
            std::vector<std::pair<QString, tov::PictureSwitch>> follows;
            if (e->decl().pictureFollows.picker) follows.emplace_back(QStringLiteral("picture"), e->decl().pictureFollows);
            for (std::size_t k = 0; k < e->decl().sketches.size(); ++k)
                follows.emplace_back(QStringLiteral("sketch%1").arg(k + 1), e->decl().sketches[k]);
            if (follows.empty()) continue;
            Open o(*e);
            for (const auto& [name, follow] : follows) {
                auto* svg = o.dialog->findChild<QSvgWidget*>(name);
                auto* box = qobject_cast<QComboBox*>(o.dialog->control(follow.picker));
                QVERIFY(svg && box);
                for (int i = static_cast<int>(follow.byPick.size()) - 1; i >= 0; --i) {
                    box->setCurrentIndex(i);
                    emit box->activated(i);
                    QCOMPARE(svg->property("resource").toString(), pictureResource(follow.byPick[static_cast<std::size_t>(i)]));
                }
                ++seen;
            }
        }
        QVERIFY(seen > 0);
    }

    // Every section kind a form may declare has a drawing, so a new form never shows an empty frame.
    void everySectionKindHasAPicture() {
        using P = tov::Picture;
        for (P p : {P::Rect, P::DoublyRect, P::TBeam, P::TRib, P::LRib, P::Column, P::Spiral, P::EccRect, P::Bar,
              P::ShearRect, P::ShearT, P::ShearI, P::ShearColumn, P::ShearSlab, P::SlsRect, P::SlsTee,
              P::SlsInvTee, P::SlsI, P::SlsTension, P::SlsCompression, P::DeflRect, P::DeflTee, P::DeflInvTee,
              P::DeflI}) {
            QSvgRenderer r(pictureResource(p));
            QVERIFY2(r.isValid(), qPrintable(pictureResource(p)));
            QVERIFY(r.defaultSize().width() >= 150 && r.defaultSize().height() >= 150);
        }
        // The side sketches below a section picture are lower.
        for (P p : {P::BeamUniform, P::BeamPoint}) {
            QSvgRenderer r(pictureResource(p));
            QVERIFY2(r.isValid(), qPrintable(pictureResource(p)));
            QVERIFY(r.defaultSize().width() >= 150 && r.defaultSize().height() >= 100);
        }
        QVERIFY(pictureResource(P::None).isEmpty());
    }

    // A digits-only field takes only 0 to 9 as typed.
    void digitsOnlyFieldsTakeDigitsOnly() {
        int seen = 0;
        for (const tov::FormEntry* e : tov::formRegistry()) {
            const tov::Control* c = firstEnabledEdit(e->decl(), tov::CtlKind::DigitsEdit);
            if (!c) continue;
            Open o(*e);
            QLineEdit* edit = o.edit(c->id);
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("1a2.5-e3 "));
            QCOMPARE(edit->text(), QStringLiteral("1253"));
            ++seen;
        }
        // An ordinary field takes what is typed (the form reads it).
        for (const tov::FormEntry* e : tov::formRegistry()) {
            const tov::Control* c = firstEnabledEdit(e->decl());
            if (!c) continue;
            Open o(*e);
            o.edit(c->id)->clear();
            QTest::keyClicks(o.edit(c->id), QStringLiteral("1.5e2"));
            QCOMPARE(o.edit(c->id)->text(), QStringLiteral("1.5e2"));
            break;
        }
        if (seen == 0) QSKIP("no form with a digits-only field in the core yet");
    }

    // Calculate with the defaults appends what the command-line runner appends, marks the report
    // modified and shows the results; a second press appends a second sheet.
    void calculateAppendsTheSheetAndMarksTheReportModified() {
        for (const tov::FormEntry* e : tov::formRegistry()) {
            const QByteArray name = QByteArray::fromStdString(e->decl().className);
            tov::MemoryReport expected("typed before\r\n");
            const tov::RunResult run = tov::runForm(*e, {}, expected);
            Open o(*e);
            o.view.setPlainText(QStringLiteral("typed before\n"));
            o.view.document()->setModified(false);
            Shown shown;
            if (!run.outcome.ok() && !run.messages.empty()) answerMessage(&shown);
            QTest::mouseClick(o.dialog->calculateButton(), Qt::LeftButton);
            QCOMPARE(o.view.wholeText(), expected.text());
            if (!run.outcome.ok()) {
                QVERIFY2(!o.view.document()->isModified(), name);
                continue;
            }
            QVERIFY2(o.view.document()->isModified(), name);
            for (const auto& [id, v] : run.results)
                QCOMPARE(o.edit(id)->text(), QString::fromStdString(tov::showNumber(v)));
            for (const auto& [id, t] : run.texts) QCOMPARE(o.edit(id)->text(), QString::fromStdString(t));
            QTest::mouseClick(o.dialog->calculateButton(), Qt::LeftButton);
            QCOMPARE(o.view.wholeText(), expected.text() + run.sheet);
            QVERIFY(o.dialog->isVisible());
        }
    }

    // A failing input check shows its message with the caption "提示" and the form's icon, and
    // changes neither the report nor the results.
    void refusedCheckShowsItsMessageAndChangesNothing() {
        int seen = 0;
        for (const tov::FormEntry* e : tov::formRegistry()) {
            const tov::FormDecl& s = e->decl();
            const tov::Check* check = nullptr;
            for (const auto& c : s.checks)
                if (c.whenPicker == 0 && c.terms.size() == 1 && c.terms[0].coef > 0 && s.control(c.terms[0].id)->isInput() &&
                    s.control(c.terms[0].id)->enabled) {
                    check = &c;
                    break;
                }
            if (!check) continue;
            Open o(*e);
            o.view.setPlainText(QStringLiteral("report"));
            o.view.document()->setModified(false);
            std::map<int, QString> results;
            for (const auto& c : s.controls)
                if (c.isResult()) results[c.id] = o.edit(c.id)->text();
            o.edit(check->terms[0].id)->setText(QStringLiteral("0"));
            // An earlier check may refuse first: the message must be that of the first failing check.
            tov::MemoryReport mem("report");
            tov::RunResult run;
            try {
                run = tov::runForm(*e, {{check->terms[0].id, "0"}}, mem);
            } catch (const tov::UsageError&) {
                continue;  // the field is not open to typing once the form has opened
            }
            QVERIFY(!run.outcome.ok());
            Shown shown;
            answerMessage(&shown);
            o.dialog->calculate();
            QVERIFY(shown.seen);
            QCOMPARE(shown.title, QStringLiteral("提示"));
            QCOMPARE(shown.text, QString::fromStdString(run.outcome.message));
            QCOMPARE(shown.icon, run.outcome.icon == tov::Icon::Information ? QMessageBox::Information
                                                                          : QMessageBox::Critical);
            QCOMPARE(o.view.viewText(), QStringLiteral("report"));
            QVERIFY(!o.view.document()->isModified());
            for (const auto& [id, text] : results) QCOMPARE(o.edit(id)->text(), text);
            QCOMPARE(o.edit(check->terms[0].id)->text(), QStringLiteral("0"));
            ++seen;
        }
        if (seen == 0) QSKIP("no form with a positivity check");
    }

    void unreadableFieldIsRefusedAndFocused() {
        for (const tov::FormEntry* e : tov::formRegistry()) {
            const tov::Control* c = firstEnabledEdit(e->decl());
            if (!c) continue;
            Open o(*e);
            if (!o.dialog->control(c->id)->isEnabled()) continue;
            o.edit(c->id)->setText(QStringLiteral("abc"));
            Shown shown;
            answerMessage(&shown);
            o.dialog->calculate();
            QCOMPARE(shown.text, QStringLiteral("请键入一个数。"));
            QCOMPARE(shown.title, QStringLiteral("提示"));
            QVERIFY(o.view.viewText().isEmpty());
            QCOMPARE(o.dialog->focusWidget(), o.dialog->control(c->id));
            QCOMPARE(o.edit(c->id)->selectedText(), QStringLiteral("abc"));
        }
    }

    // Enter moves to the next control of the Tab order (Shift+Enter back) and never calculates;
    // on the Calculate button it calculates, on Return it closes.
    void enterMovesTheFocus() {
        for (const tov::FormEntry* e : tov::formRegistry()) {
            Open o(*e);
            QApplication::setActiveWindow(o.dialog.get());
            const QList<QWidget*> chain = declaredChain(*o.dialog, o.decl());
            for (int i = 0; i + 1 < chain.size() - 1; ++i) {
                chain[i]->setFocus();
                QTest::keyClick(chain[i], Qt::Key_Return);
                QCOMPARE(QApplication::focusWidget(), chain[i + 1]);
            }
            if (chain.size() >= 4) {
                chain[1]->setFocus();
                QTest::keyClick(chain[1], Qt::Key_Enter, Qt::ShiftModifier);
                QCOMPARE(QApplication::focusWidget(), chain[0]);
            }
            QVERIFY(o.view.viewText().isEmpty());
            QVERIFY(o.dialog->isVisible());

            o.dialog->calculateButton()->setFocus();
            int shownCount = 0;
            Shown shown;
            tov::MemoryReport mem;
            if (!tov::runForm(*e, {}, mem).outcome.ok()) {
                answerMessage(&shown);
                ++shownCount;
            }
            QTest::keyClick(o.dialog->calculateButton(), Qt::Key_Return);
            QCOMPARE(QString::fromStdString(o.view.wholeText()), QString::fromStdString(mem.text()));
            QVERIFY(o.dialog->isVisible());
            o.dialog->returnButton()->setFocus();
            QTest::keyClick(o.dialog->returnButton(), Qt::Key_Return);
            QVERIFY(!o.dialog->isVisible());
            QCOMPARE(o.dialog->result(), int(QDialog::Rejected));
        }
    }

    // Picking a grade keeps the numbers typed in the fields.
    void pickerChangeKeepsTypedNumbers() {
        int seen = 0;
        for (const tov::FormEntry* e : tov::formRegistry()) {
            const tov::FormDecl& s = e->decl();
            const tov::Control* field = firstEnabledEdit(s);
            const tov::Control* picker = nullptr;
            for (const auto& c : s.controls)
                if (c.grade && c.items.size() > 1) picker = &c;
            if (!field || !picker) continue;
            Open o(*e);
            if (!o.dialog->control(field->id)->isEnabled()) continue;
            o.edit(field->id)->setText(QStringLiteral("123.5"));
            auto* box = qobject_cast<QComboBox*>(o.dialog->control(picker->id));
            const int before = box->currentIndex();
            box->setFocus();
            QTest::keyClick(box, before + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up);
            QVERIFY(box->currentIndex() != before);
            QCOMPARE(o.edit(field->id)->text(), QStringLiteral("123.5"));
            // The pick took effect: a calculation names the new grade.
            QCOMPARE(o.form->pick(picker->id), box->currentIndex());
            ++seen;
        }
        if (seen == 0) QSKIP("no form with a grade picker and an edit field");
    }

    // The "?" buttons open their pages from the program's folder, never one planted in the current
    // folder.
    void helpButtonsOpenThePageFromTheProgramFolder() {
        const QString planted = tempDir();
        writeBytes(planted + QStringLiteral("/L0.htm"), "<html>planted</html>");
        writeBytes(planted + QStringLiteral("/L0.chm"), "planted");
        writeBytes(planted + QStringLiteral("/shearbeam.htm"), "<html>planted</html>");
        const QString cwd = QDir::currentPath();
        QDir::setCurrent(planted);
        QList<QUrl> opened;
        auto saved = urlOpener();
        urlOpener() = [&](const QUrl& u) { opened << u; return true; };
        int seen = 0;
        for (const tov::FormEntry* e : tov::formRegistry())
            for (const auto& c : e->decl().controls) {
                if (c.kind != tov::CtlKind::HelpButton) continue;
                Open o(*e);
                opened.clear();
                QTest::mouseClick(qobject_cast<QPushButton*>(o.dialog->control(c.id)), Qt::LeftButton);
                QCOMPARE(opened.size(), 1);
                QString page = QString::fromStdString(c.page);
                if (page.endsWith(QStringLiteral(".chm"))) page = page.left(page.size() - 4) + QStringLiteral(".htm");
                QCOMPARE(opened[0].toLocalFile(), QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(page));
                QVERIFY(QFileInfo(opened[0].toLocalFile()).isFile());
                QVERIFY(o.view.viewText().isEmpty());
                ++seen;
            }
        urlOpener() = saved;
        QDir::setCurrent(cwd);
        if (seen == 0) QSKIP("no form with a \"?\" button in the core yet");
    }

    // Under the results, the verdict of the last sheet in its colour: green, amber, red; blank
    // when the form gives none.
    void verdictLineShowsTheOutcomeInItsColour() {
        CQvView view;
        EveryKindForm form;
        FormDialog d(form, view, &view);
        QVERIFY(d.verdictLine()->text().isEmpty());
        QVERIFY(d.verdictLine()->mapTo(&d, QPoint()).y() > d.control(1023)->mapTo(&d, QPoint()).y());
        for (int pick = 0; pick < 3; ++pick) {
            d.setSelection(1039, pick);
            form.onSelect(d, 1039);
            d.calculate();
            QCOMPARE(d.verdictLine()->text(), QString::fromStdString(form.verdict().text));
            QVERIFY(!d.verdictLine()->text().isEmpty());
            const QColor c = d.verdictLine()->palette().color(QPalette::WindowText);
            if (pick == 0) QVERIFY2(c.green() > 2 * c.red() && c.green() > 2 * c.blue(), qPrintable(c.name()));
            if (pick == 1) QVERIFY2(c.red() > c.green() && c.green() > c.blue() + 60, qPrintable(c.name()));
            if (pick == 2) QVERIFY2(c.red() > 2 * c.green() && c.red() > 2 * c.blue(), qPrintable(c.name()));
        }
        d.setChecked(1064, true);
        d.calculate();
        QVERIFY(d.verdictLine()->text().isEmpty());
    }

    // A form opens as it was last calculated (typing after that is not kept); 默认值 goes back
    // to the declaration's values, picks and enabled fields.
    void formsRememberTheLastCalculationAndDefaultsRestore() {
        CQvView view;
        {
            EveryKindForm form;
            FormDialog d(form, view, &view);
            d.setSelection(1039, 1);
            form.onSelect(d, 1039);
            d.setSelection(1008, 2);
            form.onSelect(d, 1008);
            d.setFieldText(1024, "455");
            d.setChecked(1064, true);
            d.calculate();
            d.setFieldText(1024, "999");
        }
        EveryKindForm form;
        FormDialog d(form, view, &view);
        QCOMPARE(d.fieldText(1024), std::string("455"));
        QCOMPARE(d.selection(1039), 1);
        QCOMPARE(d.selection(1008), 2);
        QVERIFY(d.isChecked(1064));
        QVERIFY(d.control(1038)->isEnabled());  // the form's own reaction to the pick ran
        QCOMPARE(d.defaultsButton()->text(), QStringLiteral("默认值(&D)"));
        QTest::mouseClick(d.defaultsButton(), Qt::LeftButton);
        QCOMPARE(d.fieldText(1024), std::string("310"));
        QCOMPARE(d.selection(1039), 0);
        QVERIFY(!d.isChecked(1064));
        QVERIFY(!d.control(1038)->isEnabled());
    }

    // The tallest form on a short screen: the body scrolls, 计算 and 返回 stay inside the dialog.
    void tallFormsScrollAndKeepTheirButtonsInView() {
        const tov::FormEntry* tallest = nullptr;
        int most = 0;
        for (const tov::FormEntry* e : tov::formRegistry()) {
            auto form = e->make();
            CQvView view;
            FormDialog d(*form, view);
            d.fitToHeight(100000);
            d.show();
            QVERIFY(QTest::qWaitForWindowExposed(&d));
            QCOMPARE(d.bodyArea()->verticalScrollBar()->maximum(), 0);  // room enough: no scrolling
            if (d.sizeHint().height() > most) most = d.sizeHint().height(), tallest = e;
        }
        QVERIFY(tallest);
        Open o(*tallest);
        const int available = most * 2 / 3;
        o.dialog->fitToHeight(available);
        QTest::qWait(10);
        QVERIFY2(o.dialog->height() <= available, qPrintable(QString::number(o.dialog->height())));
        QVERIFY(o.dialog->bodyArea()->verticalScrollBar()->maximum() > 0);
        for (QWidget* b : {static_cast<QWidget*>(o.dialog->calculateButton()), static_cast<QWidget*>(o.dialog->returnButton())}) {
            QVERIFY(b->isVisible());
            QVERIFY(o.dialog->rect().contains(QRect(b->mapTo(o.dialog.get(), QPoint()), b->size())));
        }
    }

    // A refused field is selected and its label lit for a moment.
    void refusedFieldLabelIsHighlighted() {
        CQvView view;
        EveryKindForm form;
        FormDialog d(form, view, &view);
        d.show();
        d.setFieldText(1044, "4.8.0");
        answerMessage(nullptr);
        d.calculate();
        QLabel* label = nullptr;
        for (QLabel* l : d.findChildren<QLabel*>())
            if (l->buddy() == d.control(1044)) label = l;
        QVERIFY(label);
        QVERIFY(label->autoFillBackground());
        QVERIFY(label->palette().color(QPalette::Window) != d.palette().color(QPalette::Window));
        QCOMPARE(qobject_cast<QLineEdit*>(d.control(1044))->selectedText(), QStringLiteral("4.8.0"));
        QTRY_VERIFY_WITH_TIMEOUT(!label->autoFillBackground(), 4000);
    }
};

TOV_GUI_SUITE(FormDialogTest)
#include "formdialog_test.moc"
