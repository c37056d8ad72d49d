// A form's dialog held in memory: the command line's and the tests' stand-in for the real dialog.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "forms/calcform.h"
#include "forms/flatmap.h"

namespace tov {

class MemoryView : public FormView {
public:
    struct Message {
        std::string text;
        Icon icon;
    };

    std::string fieldText(int id) const override;
    void setFieldText(int id, const std::string& text) override;
    void setFieldNumber(int id, double value) override;
    std::optional<double> fieldNumber(int id) const override;
    int selection(int id) const override;
    void setSelection(int id, int index) override { selections[id] = index; }
    bool isChecked(int id) const override;
    void setChecked(int id, bool on) override { checks[id] = on; }
    void setEnabled(int id, bool on) override { enabled[id] = on; }
    void showMessage(const std::string& text, Icon icon) override { messages.push_back({text, icon}); }
    void focusField(int id) override { focus = id; }

    bool keepsResults() const override { return !dropsResults; }

    bool isEnabled(int id) const;
    /// Room for a form of n controls, so that filling the view moves nothing.
    void reserve(std::size_t n);

    /// False: the numbers the form sets are kept as numbers and shown as text only when read
    /// (the command line's view, which nobody sees). True: every field holds its text in texts.
    bool showsFields = true;
    /// True: the view is dropped after Calculate, and the results are read from the form.
    bool dropsResults = false;

    IdMap<std::string> texts;
    IdMap<double> numbers;  ///< fields holding a number the form set, when not shown
    IdMap<int> selections;
    IdMap<bool> checks;
    IdMap<bool> enabled;
    std::vector<Message> messages;
    int focus = 0;
};

}  // namespace tov
