// The generic form dialog: lays out any form from its declaration and serves it as its FormView.
#pragma once

#include <QDialog>
#include <map>

#include "forms/calcform.h"

class QLabel;
class QPushButton;
class QSvgWidget;

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
    /// Runs Calculate as the button does.
    void calculate();

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

    tov::CalcForm& form_;
    tov::ReportTarget& report_;
    /// Shows the picture of the picker's row when the form's picture follows this picker.
    void followPicture(int pickerId);

    std::map<int, QWidget*> widgets_;
    QSvgWidget* picture_ = nullptr;
    std::map<int, QLabel*> labels_;
    QPushButton* calc_ = nullptr;
    QPushButton* back_ = nullptr;
    bool centred_ = false;
};

}  // namespace tov::app
