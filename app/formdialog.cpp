#include "app/formdialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <QSignalBlocker>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QVBoxLayout>
#include <vector>

#include "app/helppages.h"

namespace tov::app {

namespace {
// The note that the spiral-hoop forms show across their foot (GB 50010 clause 6.2.16).
constexpr const char* kSpiralNote1 = "注：1、此处算出的轴心压力不应大于按普通箍筋算出的轴心压力的1.5倍。";
constexpr const char* kSpiralNote2 = "2、此处算出的轴心压力小于按普通箍筋算出的轴心压力时,应按普通箍筋计算轴心压力。";

QString q(const std::string& s) { return QString::fromStdString(s); }

// Field width in digits: every field of a form has this one width.
constexpr int kFieldDigits = 14;

// The effective-length help ships as HTML; a ".chm" page name opens the same page.
QString helpPageName(const std::string& page) {
    QString name = q(page);
    if (name.endsWith(QStringLiteral(".chm"), Qt::CaseInsensitive)) name = name.left(name.size() - 4) + QStringLiteral(".htm");
    return name.isEmpty() ? QStringLiteral("L0.htm") : name;
}
}  // namespace

QString pictureResource(tov::Picture picture) {
    switch (picture) {
        case tov::Picture::None: return {};
        case tov::Picture::Rect: return QStringLiteral(":/pictures/rect.svg");
        case tov::Picture::DoublyRect: return QStringLiteral(":/pictures/doublyrect.svg");
        case tov::Picture::TBeam: return QStringLiteral(":/pictures/tbeam.svg");
        case tov::Picture::TRib: return QStringLiteral(":/pictures/trib.svg");
        case tov::Picture::LRib: return QStringLiteral(":/pictures/lrib.svg");
        case tov::Picture::Column: return QStringLiteral(":/pictures/column.svg");
        case tov::Picture::Spiral: return QStringLiteral(":/pictures/spiral.svg");
        case tov::Picture::EccRect: return QStringLiteral(":/pictures/eccrect.svg");
        case tov::Picture::Bar: return QStringLiteral(":/pictures/bar.svg");
        case tov::Picture::ShearRect: return QStringLiteral(":/pictures/shearrect.svg");
        case tov::Picture::ShearT: return QStringLiteral(":/pictures/sheart.svg");
        case tov::Picture::ShearI: return QStringLiteral(":/pictures/sheari.svg");
        case tov::Picture::ShearColumn: return QStringLiteral(":/pictures/shearcolumn.svg");
        case tov::Picture::ShearSlab: return QStringLiteral(":/pictures/shearslab.svg");
        case tov::Picture::BeamUniform: return QStringLiteral(":/pictures/beamuniform.svg");
        case tov::Picture::BeamPoint: return QStringLiteral(":/pictures/beampoint.svg");
        case tov::Picture::SlsRect: return QStringLiteral(":/pictures/slsrect.svg");
        case tov::Picture::SlsTee: return QStringLiteral(":/pictures/slstee.svg");
        case tov::Picture::SlsInvTee: return QStringLiteral(":/pictures/slsinvtee.svg");
        case tov::Picture::SlsI: return QStringLiteral(":/pictures/slsi.svg");
        case tov::Picture::SlsTension: return QStringLiteral(":/pictures/slstension.svg");
        case tov::Picture::SlsCompression: return QStringLiteral(":/pictures/slscompression.svg");
        case tov::Picture::DeflRect: return QStringLiteral(":/pictures/deflrect.svg");
        case tov::Picture::DeflTee: return QStringLiteral(":/pictures/defltee.svg");
        case tov::Picture::DeflInvTee: return QStringLiteral(":/pictures/deflinvtee.svg");
        case tov::Picture::DeflI: return QStringLiteral(":/pictures/defli.svg");
        case tov::Picture::EccTension: return QStringLiteral(":/pictures/ecctension.svg");
    }
    return {};
}

FormDialog::FormDialog(tov::CalcForm& form, tov::ReportTarget& report, QWidget* parent)
    : QDialog(parent), form_(form), report_(report) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // Labels and figures in a plain CJK sans, clear at any size.
    QFont sans = font();
    sans.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), sans.family()});
    setFont(sans);
    build();
    form_.open(*this);
    recallInputs();
    followPicks();
}

void FormDialog::followPicks() {
    for (auto& [svg, follow] : following_) {
        const int index = form_.pick(follow.picker);
        if (index < 0 || index >= static_cast<int>(follow.byPick.size())) continue;
        const QString resource = pictureResource(follow.byPick[static_cast<std::size_t>(index)]);
        if (svg->property("resource").toString() == resource) continue;
        svg->load(resource);
        svg->setProperty("resource", resource);
    }
}

QWidget* FormDialog::makeControl(const tov::Control& c) {
    QWidget* w = nullptr;
    switch (c.kind) {
        case tov::CtlKind::Picker: {
            auto* box = new QComboBox;
            box->setEditable(false);
            for (const auto& item : c.items) box->addItem(q(item));
            box->setMinimumContentsLength(8);
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            // As wide as the fields at least, so that the column of values reads as one.
            box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0")) * kFieldDigits + 12);
            const int id = c.id;
            connect(box, &QComboBox::activated, this, [this, id] {
                form_.onSelect(*this, id);
                followPicks();
            });
            w = box;
            break;
        }
        case tov::CtlKind::ListBox: {
            auto* list = new QListWidget;
            for (const auto& item : c.items) list->addItem(q(item));
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setMinimumHeight(list->fontMetrics().height() * 7);
            const int id = c.id;
            connect(list, &QListWidget::currentRowChanged, this, [this, id] { form_.onSelect(*this, id); });
            w = list;
            break;
        }
        case tov::CtlKind::CheckBox:
            w = new QCheckBox(q(c.label));
            break;
        case tov::CtlKind::HelpButton: {
            auto* b = new QPushButton(QStringLiteral("?"));
            b->setAutoDefault(false);
            b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("??")) + 16);
            b->setToolTip(!c.tip.empty()                      ? q(c.tip)
                          : !c.label.empty() && c.label != "?" ? q(c.label)
                                                               : QStringLiteral("计算长度的取值"));
            const QString page = helpPageName(c.page);
            connect(b, &QPushButton::clicked, this, [page] { openHelpPage(page); });
            w = b;
            break;
        }
        default: {
            auto* e = new QLineEdit;
            e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0")) * kFieldDigits + 12);
            if (c.kind == tov::CtlKind::DigitsEdit)
                e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
            if (c.isResult()) {
                e->setReadOnly(true);
                QPalette pal = e->palette();
                pal.setColor(QPalette::Base, pal.color(QPalette::Window));
                e->setPalette(pal);
            }
            w = e;
            break;
        }
    }
    w->setObjectName(QStringLiteral("ctl%1").arg(c.id));
    if (!c.tab || c.isResult()) w->setFocusPolicy(Qt::ClickFocus);
    return w;
}

void FormDialog::build() {
    const tov::FormDecl& decl = form_.decl();
    setWindowTitle(q(decl.title));

    // Group boxes in the order each first appears.
    struct Group {
        std::string title;
        QGridLayout* grid;
        int rows = 0;
    };
    std::vector<Group> groups;
    auto* inputs = new QVBoxLayout;
    auto groupFor = [&](const std::string& title) -> Group& {
        for (auto& g : groups)
            if (g.title == title) return g;
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(10);
        grid->setColumnStretch(3, 1);
        // Controls of no group get a box without a title, so that they line up with the rest.
        auto* box = new QGroupBox(q(title));
        box->setLayout(grid);
        inputs->addWidget(box);
        groups.push_back({title, grid, 0});
        return groups.back();
    };

    std::vector<QWidget*> order;
    for (const tov::Control& c : decl.controls) {
        Group& g = groupFor(c.group);
        QWidget* w = makeControl(c);
        widgets_[c.id] = w;
        if (c.kind == tov::CtlKind::HelpButton) {
            // Beside the field above it.
            g.grid->addWidget(w, std::max(0, g.rows - 1), 2);
            if (g.rows == 0) g.rows = 1;
        } else if (c.kind == tov::CtlKind::CheckBox || c.label.empty()) {
            g.grid->addWidget(w, g.rows++, 0, 1, 2);
        } else {
            auto* label = new QLabel(q(c.label));
            label->setBuddy(w);
            labels_[c.id] = label;
            const Qt::Alignment top = c.kind == tov::CtlKind::ListBox ? Qt::AlignTop : Qt::Alignment();
            g.grid->addWidget(label, g.rows, 0, top);
            g.grid->addWidget(w, g.rows++, 1);
        }
        w->installEventFilter(this);
        if (c.tab && !c.isResult()) order.push_back(w);
    }
    // The verdict of the last sheet, under the results.
    verdict_ = new QLabel;
    verdict_->setObjectName(QStringLiteral("verdict"));
    verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = verdict_->font();
    bold.setBold(true);
    verdict_->setFont(bold);
    inputs->addWidget(verdict_);
    inputs->addStretch(1);
    // One label column for all groups, so that the fields of every group line up.
    int labelWidth = 0;
    for (const auto& [id, label] : labels_) labelWidth = std::max(labelWidth, label->sizeHint().width());
    for (auto& g : groups) g.grid->setColumnMinimumWidth(0, labelWidth);

    auto* body = new QHBoxLayout;
    body->addLayout(inputs, 1);
    const QString picture = pictureResource(decl.picture);
    if (!picture.isEmpty()) {
        auto* pictureColumn = new QVBoxLayout;
        auto addPicture = [&](const QString& resource, const QString& name) {
            auto* svg = new QSvgWidget(resource);
            svg->setObjectName(name);
            const QSize size = svg->renderer()->defaultSize();
            svg->setFixedSize(size.isValid() ? size : QSize(220, 260));
            pictureColumn->addWidget(svg);
            return svg;
        };
        QSvgWidget* section = addPicture(picture, QStringLiteral("picture"));
        if (decl.pictureFollows.picker) following_.emplace_back(section, decl.pictureFollows);
        int n = 0;
        for (const tov::PictureSwitch& sketch : decl.sketches) {
            if (sketch.byPick.empty()) continue;
            QSvgWidget* svg = addPicture(pictureResource(sketch.byPick.front()), QStringLiteral("sketch%1").arg(++n));
            if (sketch.picker) following_.emplace_back(svg, sketch);
        }
        pictureColumn->addStretch(1);
        body->addLayout(pictureColumn);
    }

    // The body scrolls when the screen is too short for it (large scale factors).
    body_ = new QWidget;
    body_->setObjectName(QStringLiteral("body"));
    body_->setLayout(body);
    body->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea;
    scroll_->setWidget(body_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFocusPolicy(Qt::NoFocus);
    auto* main = new QVBoxLayout(this);
    main->addWidget(scroll_);
    if (decl.picture == tov::Picture::Spiral) {
        auto* note = new QLabel(QString::fromUtf8(kSpiralNote1) + u'\n' + QString::fromUtf8(kSpiralNote2));
        note->setObjectName(QStringLiteral("note"));
        note->setWordWrap(true);
        main->addWidget(note);
    }

    calc_ = new QPushButton(QStringLiteral("计算(&E)"));
    back_ = new QPushButton(QStringLiteral("返回(&C)"));
    defaults_ = new QPushButton(QStringLiteral("默认值(&D)"));
    defaults_->setObjectName(QStringLiteral("defaults"));
    defaults_->setAutoDefault(false);
    // Out of the Tab chain, which the declared controls and the two buttons make; Alt+D reaches it.
    defaults_->setFocusPolicy(Qt::ClickFocus);
    defaults_->setToolTip(QStringLiteral("各栏恢复为默认值"));
    connect(defaults_, &QPushButton::clicked, this, &FormDialog::restoreDefaults);
    calc_->setObjectName(QStringLiteral("ctl%1").arg(decl.calcId));
    back_->setObjectName(QStringLiteral("ctl2"));
    calc_->setAutoDefault(true);
    back_->setAutoDefault(true);
    for (QPushButton* b : {calc_, back_}) {
        b->setMinimumWidth(b->sizeHint().width() + 16);
        b->installEventFilter(this);
        order.push_back(b);
    }
    connect(calc_, &QPushButton::clicked, this, &FormDialog::calculate);
    connect(back_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults_);
    buttons->addStretch(1);
    buttons->addWidget(calc_);
    buttons->addWidget(back_);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    if (!order.empty()) order.front()->setFocus(Qt::OtherFocusReason);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    fitToHeight(screen ? screen->availableGeometry().height() : 100000);
}

void FormDialog::fitToHeight(int available) {
    body_->adjustSize();
    const QSize content = body_->sizeHint();
    // What the dialog needs besides the body: buttons, note, margins, and the title bar.
    auto* main = layout();
    const int rest = main->sizeHint().height() - scroll_->sizeHint().height() +
                     style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8;
    const int room = std::max(available - rest, 4 * fontMetrics().height());
    const bool scrolls = content.height() > room;
    scroll_->setFixedHeight(scrolls ? room : content.height());
    scroll_->setMinimumWidth(content.width() + (scrolls ? scroll_->verticalScrollBar()->sizeHint().width() : 0));
    main->activate();
    adjustSize();
}

QWidget* FormDialog::control(int id) const {
    auto it = widgets_.find(id);
    if (it != widgets_.end()) return it->second;
    if (id == form_.decl().calcId) return calc_;
    if (id == 2) return back_;
    return nullptr;
}

void FormDialog::calculate() {
    const tov::Outcome out = form_.onCalculate(*this, report_);
    if (!out.ok()) return;
    showVerdict();
    rememberInputs();
    emit calculated();
}

void FormDialog::showVerdict() {
    const tov::Verdict& v = form_.verdict();
    // Green for a section that passes, amber for one set by the detailing rules, red for a failure.
    QColor colour = palette().color(QPalette::WindowText);
    switch (v.kind) {
        case tov::Verdict::Kind::Ok: colour = QColor(0, 128, 40); break;
        case tov::Verdict::Kind::Detailing: colour = QColor(184, 110, 0); break;
        case tov::Verdict::Kind::Fail: colour = QColor(200, 0, 0); break;
        case tov::Verdict::Kind::None: break;
    }
    QPalette pal = verdict_->palette();
    pal.setColor(QPalette::WindowText, colour);
    verdict_->setPalette(pal);
    verdict_->setText(v.kind == tov::Verdict::Kind::None ? QString() : q(v.text));
}

namespace {
QString memoryGroup(const tov::FormDecl& decl) { return QStringLiteral("Forms/") + q(decl.className); }
}  // namespace

void FormDialog::rememberInputs() const {
    QSettings s;
    s.beginGroup(memoryGroup(form_.decl()));
    s.remove(QString());
    for (const tov::Control& c : form_.decl().controls) {
        const QString id = QString::number(c.id);
        if (c.isInput())
            s.setValue(QStringLiteral("field") + id, q(fieldText(c.id)));
        else if (c.isChoice())
            s.setValue(QStringLiteral("pick") + id, selection(c.id));
        else if (c.kind == tov::CtlKind::CheckBox)
            s.setValue(QStringLiteral("check") + id, isChecked(c.id));
    }
}

void FormDialog::recallInputs() {
    QSettings s;
    s.beginGroup(memoryGroup(form_.decl()));
    if (s.childKeys().isEmpty()) return;
    // Picks first, through the form, so that what they enable and fill follows; then the fields
    // as they were calculated.
    for (const tov::Control& c : form_.decl().controls) {
        const QString key = QStringLiteral("pick%1").arg(c.id);
        if (!c.isChoice() || !s.contains(key)) continue;
        const int index = s.value(key).toInt();
        QWidget* w = control(c.id);
        const int rows = qobject_cast<QComboBox*>(w)   ? qobject_cast<QComboBox*>(w)->count()
                         : qobject_cast<QListWidget*>(w) ? qobject_cast<QListWidget*>(w)->count()
                                                         : 0;
        if (index < 0 || index >= rows || index == selection(c.id)) continue;
        setSelection(c.id, index);
        form_.onSelect(*this, c.id);
    }
    for (const tov::Control& c : form_.decl().controls) {
        const QString id = QString::number(c.id);
        if (c.isInput() && s.contains(QStringLiteral("field") + id))
            setFieldText(c.id, s.value(QStringLiteral("field") + id).toString().toStdString());
        else if (c.kind == tov::CtlKind::CheckBox && s.contains(QStringLiteral("check") + id))
            setChecked(c.id, s.value(QStringLiteral("check") + id).toBool());
    }
}

void FormDialog::takeInputs(const std::vector<tov::Assignment>& inputs) {
    restoreDefaults();
    tov::applyInputs(form_, *this, inputs);
    followPicks();
}

void FormDialog::restoreDefaults() {
    form_.open(*this);
    followPicks();
    verdict_->clear();
}

std::string FormDialog::fieldText(int id) const {
    if (auto* e = qobject_cast<QLineEdit*>(control(id))) return e->text().toStdString();
    return {};
}

void FormDialog::setFieldText(int id, const std::string& text) {
    if (auto* e = qobject_cast<QLineEdit*>(control(id))) {
        e->setText(q(text));
        e->setCursorPosition(0);
    }
}

int FormDialog::selection(int id) const {
    QWidget* w = control(id);
    if (auto* box = qobject_cast<QComboBox*>(w)) return box->currentIndex();
    if (auto* list = qobject_cast<QListWidget*>(w)) return list->currentRow();
    return -1;
}

void FormDialog::setSelection(int id, int index) {
    QWidget* w = control(id);
    const QSignalBlocker block(w);
    if (auto* box = qobject_cast<QComboBox*>(w)) box->setCurrentIndex(index);
    if (auto* list = qobject_cast<QListWidget*>(w)) list->setCurrentRow(index);
}

bool FormDialog::isChecked(int id) const {
    auto* box = qobject_cast<QCheckBox*>(control(id));
    return box && box->isChecked();
}

void FormDialog::setChecked(int id, bool on) {
    if (auto* box = qobject_cast<QCheckBox*>(control(id))) box->setChecked(on);
}

void FormDialog::setEnabled(int id, bool on) {
    if (QWidget* w = control(id)) w->setEnabled(on);
    auto it = labels_.find(id);
    if (it != labels_.end()) it->second->setEnabled(on);
}

void FormDialog::showMessage(const std::string& text, tov::Icon icon) {
    QMessageBox box(icon == tov::Icon::Information ? QMessageBox::Information : QMessageBox::Critical,
                    QStringLiteral("提示"), q(text), QMessageBox::Ok, this);
    box.exec();
}

void FormDialog::focusField(int id) {
    QWidget* w = control(id);
    if (!w) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
    // The field's label lights up for a moment, so that the eye finds the field refused.
    auto it = labels_.find(id);
    if (it == labels_.end()) return;
    QLabel* label = it->second;
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(255, 214, 102));
    label->setPalette(pal);
    QTimer::singleShot(1500, label, [label] {
        label->setAutoFillBackground(false);
        label->setPalette(QPalette());
    });
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if (enter && (mods == Qt::NoModifier || mods == Qt::ShiftModifier) && watched != calc_ &&
            watched != back_) {
            // Enter moves to the next control (Shift+Enter to the previous one), as Tab does.
            focusNextPrevChild(!(mods & Qt::ShiftModifier));
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!centred_ && parentWidget()) {
        centred_ = true;
        const QWidget* owner = parentWidget()->window();
        move(owner->frameGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

}  // namespace tov::app
