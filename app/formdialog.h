// The generic form dialog: lays out any form from its declaration and serves it as its FormView.
#pragma once

#include <QDialog>
#include <map>
#include <utility>
#include <vector>

#include "forms/calcform.h"
#include "forms/runner.h"

class QLabel;
class QPushButton;
class QSvgWidget;
class QScrollArea;

namespace tov::app {

/// Picture file (in the resources) of a section kind; empty for none.
QString pictureResource(tov::Picture picture);

class FormDialog : public QDialog, public tov::FormView {
    Q_OBJECT
public:
    FormDialog(tov::CalcForm& form, tov::ReportTarget& report, QWidget* parent = nullptr);

    /// The widget of a control id (the Calculate button under its id, Return under 2).
    QWidget* control(int id) const;
    QPushButton* calculateButton() const { return calc_; }
    QPushButton* returnButton() const { return back_; }
    QPushButton* defaultsButton() const { return defaults_; }
    /// The read-only line under the results that shows the last sheet's verdict.
    QLabel* verdictLine() const { return verdict_; }
    QScrollArea* bodyArea() const { return scroll_; }
    /// Runs Calculate as the button does.
    void calculate();
    /// Back to the form's defaults (the 默认值 button).
    void restoreDefaults();
    /// The form's defaults with these inputs put in, as a sheet read back gives them.
    void takeInputs(const std::vector<tov::Assignment>& inputs);
    /// Caps the dialog's height (title bar included) at the given height: the form body scrolls,
    /// the buttons stay in view.
    void fitToHeight(int available);

signals:
    /// A Calculate produced its sheet.
    void calculated();

public:

    // tov::FormView
    std::string fieldText(int id) const override;
    void setFieldText(int id, const std::string& text) override;
    int selection(int id) const override;
    void setSelection(int id, int index) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool on) override;
    void setEnabled(int id, bool on) override;
    void showMessage(const std::string& text, tov::Icon icon) override;
    void focusField(int id) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;

private:
    void build();
    QWidget* makeControl(const tov::Control& c);
    /// Pictures that follow a picker show the picture of its current entry.
    void followPicks();
    void showVerdict();
    /// The inputs and picks of the last Calculate, kept per form class.
    void rememberInputs() const;
    void recallInputs();

    tov::CalcForm& form_;
    tov::ReportTarget& report_;
    std::map<int, QWidget*> widgets_;
    std::map<int, QLabel*> labels_;
    QPushButton* calc_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* defaults_ = nullptr;
    QLabel* verdict_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* body_ = nullptr;
    bool centred_ = false;
    /// The pictures that follow pickers, with what each follows.
    std::vector<std::pair<QSvgWidget*, tov::PictureSwitch>> following_;
};

}  // namespace tov::app
