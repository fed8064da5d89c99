#include "framework/template_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "framework/codepage.h"
#include "framework/command_menu.h"
#include "framework/text_box.h"

namespace {

// Windows-style rounding of a * b / c.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product >= 0 ? product + c / 2 : product - c / 2) / c);
}

// Button pictures drawn here, so that the faces look the same with or without an icon
// theme: a green check for OK, a red "no" sign for Cancel, a red cross for DEL.
QIcon DrawnIcon(ButtonFace face) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (face) {
        case ButtonFace::Ok:
            painter.setPen(QPen(QColor(0, 150, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(QPolygon({QPoint(5, 17), QPoint(13, 25), QPoint(27, 7)}));
            break;
        case ButtonFace::Cancel:
            painter.setPen(QPen(QColor(200, 0, 0), 4));
            painter.drawEllipse(QRect(4, 4, 24, 24));
            painter.drawLine(8, 8, 24, 24);
            break;
        default:
            painter.setPen(QPen(QColor(200, 0, 0), 6, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(7, 7, 25, 25);
            painter.drawLine(25, 7, 7, 25);
            break;
    }
    return QIcon(pixmap);
}

}  // namespace

QIcon ButtonFaceIcon(ButtonFace face, const QStyle* style) {
    switch (face) {
        case ButtonFace::Ok:
            return DrawnIcon(face);
        case ButtonFace::Cancel:
            return DrawnIcon(face);
        case ButtonFace::Prev:
            return QIcon::fromTheme("go-previous", style->standardIcon(QStyle::SP_ArrowLeft));
        case ButtonFace::Next:
            return QIcon::fromTheme("go-next", style->standardIcon(QStyle::SP_ArrowRight));
        case ButtonFace::Delete:
            return DrawnIcon(face);
        case ButtonFace::Hint:
            return QIcon::fromTheme("help-contextual",
                                    style->standardIcon(QStyle::SP_MessageBoxQuestion));
        case ButtonFace::Text:
            break;
    }
    return {};
}

ShadedFrame::ShadedFrame(const QString& title, QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setText(title);
    label->setAutoFillBackground(true);
    label->setContentsMargins(2, 0, 2, 0);
    label->setHidden(title.isEmpty());
    setAccessibleName(title.trimmed());
}

QString ShadedFrame::Title() const { return label->text(); }

void ShadedFrame::resizeEvent(QResizeEvent* event) {
    // The title sits on the top line of the frame and breaks it, as classic group frames do.
    const int top = label->isHidden() ? 0 : label->sizeHint().height() / 2;
    frame->setGeometry(0, top, width(), std::max(0, height() - top));
    label->setGeometry(6, 0, std::min(label->sizeHint().width(), std::max(0, width() - 12)),
                       label->sizeHint().height());
    QWidget::resizeEvent(event);
}

QFont TemplateDialog::DialogFont(const DialogTemplate& layout) {
    QFont font;
    // The named face rarely exists on Linux; Liberation Sans has Arial's metrics, which
    // keep the layouts' proportions.
    font.setFamilies({TextToQString(layout.fontName), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    // Points become whole pixels as the classic font mapper rounds them: 8 points at
    // 96 dots per inch is an 11-pixel font, which gives the layouts their intended size.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
    const int points = layout.fontPoints > 0 ? layout.fontPoints : 8;
    font.setPixelSize(std::max(1, MulDiv(points, static_cast<int>(std::lround(dpi)), 72)));
    return font;
}

TemplateDialog::TemplateDialog(const DialogTemplate& dialogLayout, QWidget* owner)
    : QDialog(owner), layout(dialogLayout) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (layout.style & kDialogSystemMenu) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (layout.style & kDialogMinimizeBox) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    setWindowFlags(flags);
    setWindowTitle(TextToQString(layout.title));

    const QFont font = DialogFont(layout);
    setFont(font);
    // Classic dialog base units: the average width of the 52 letters, and the cell height.
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX = std::max(1, (letters / 26 + 1) / 2);
    // The cell height as the classic font mapper gives it: ascent and descent rounded up.
    const QFontMetricsF exact(font);
    baseY = std::max(1, static_cast<int>(std::ceil(exact.ascent()) + std::ceil(exact.descent())));

    if (layout.menuId != 0) {
        auto* bar = new QMenuBar(this);
        bar->setNativeMenuBar(false);
        CommandRoute route;
        route.Add(commands);
        menu = CommandMenu::Build(bar, layout.menuId, route);
        clientTop = bar->sizeHint().height();
        bar->setGeometry(0, 0, UnitsToPixelsX(layout.width), clientTop);
    }

    QButtonGroup* radioGroup = nullptr;
    std::vector<QWidget*> frames;
    std::vector<QWidget*> made;  // in the template's order
    for (const DialogControl& control : layout.controls) {
        QWidget* widget = MakeControl(control, radioGroup);
        made.push_back(widget);
        // Both edges map as points, as dialog rectangles always have, so controls that
        // meet in dialog units meet in pixels rather than overlapping by a rounding.
        const int x = UnitsToPixelsX(control.x);
        int width = UnitsToPixelsX(control.x + control.width) - x;
        if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton) {
            // The box and its caption take more room than the classic look; a caption is
            // never cut while the dialog has room for it.
            width = std::max(
                width, std::min(widget->sizeHint().width(), UnitsToPixelsX(layout.width) - x));
        }
        const int y = UnitsToPixelsY(control.y);
        widget->setGeometry(x, clientTop + y, width,
                            std::max(2, UnitsToPixelsY(control.y + control.height) - y));
        if (control.style & kStyleHidden) {
            widget->setHidden(true);
        }
        if (control.kind == ControlKind::GroupFrame) {
            frames.push_back(widget);
        }
        if (control.id != kNoControlId) {
            controls.emplace(control.id, widget);
        }
    }
    // A frame encloses controls that come before it in the keyboard order too.
    for (QWidget* frame : frames) {
        frame->lower();
    }
    NameTextBoxes(made);
    setFixedSize(UnitsToPixelsX(layout.width), clientTop + UnitsToPixelsY(layout.height));
}

void TemplateDialog::NameTextBoxes(const std::vector<QWidget*>& made) {
    const std::vector<DialogControl>& list = layout.controls;
    const auto area = [](const DialogControl& c) { return QRect(c.x, c.y, c.width, c.height); };
    const auto labelOf = [&](std::size_t i) -> QLabel* {
        return i < list.size() && list[i].kind == ControlKind::Static
                   ? qobject_cast<QLabel*>(made[i])
                   : nullptr;
    };
    for (std::size_t i = 0; i < list.size(); ++i) {
        const DialogControl& box = list[i];
        if (box.kind != ControlKind::Edit) {
            continue;
        }
        if (!box.name.empty()) {
            made[i]->setAccessibleName(TextToQString(box.name));
            continue;
        }
        // A label names its box through the buddy link, so the name follows a text set
        // later, such as the input dialog's prompt.
        if (QLabel* label = i > 0 ? labelOf(i - 1) : nullptr) {
            label->setBuddy(made[i]);
            continue;
        }
        const auto frame = std::find_if(list.begin(), list.end(), [&](const DialogControl& c) {
            return c.kind == ControlKind::GroupFrame && area(c).contains(area(box));
        });
        if (frame != list.end()) {
            made[i]->setAccessibleName(TextToQString(frame->text).trimmed());
            continue;
        }
        // A label after the box counts only beside it, on its line.
        if (QLabel* label = labelOf(i + 1);
            label != nullptr && list[i + 1].x >= box.x + box.width &&
            list[i + 1].y < box.y + box.height && box.y < list[i + 1].y + list[i + 1].height) {
            label->setBuddy(made[i]);
        }
    }
}

std::unique_ptr<TemplateDialog> TemplateDialog::Create(int resourceId, QWidget* owner) {
    const DialogTemplate* found = FindDialog(resourceId);
    if (found == nullptr) {
        return nullptr;
    }
    return std::make_unique<TemplateDialog>(*found, owner);
}

QWidget* TemplateDialog::MakeControl(const DialogControl& control, QButtonGroup*& radioGroup) {
    const QString text = TextToQString(control.text);
    if (control.kind != ControlKind::RadioButton) {
        radioGroup = nullptr;
    }
    switch (control.kind) {
        case ControlKind::Static: {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setText(text);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::GroupFrame:
            return new ShadedFrame(text, this);
        case ControlKind::Line: {
            auto* line = new QFrame(this);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            return line;
        }
        case ControlKind::Edit: {
            auto* box = new TextBox(this);
            const bool multiLine = (control.style & kStyleMultiLine) != 0;
            box->SetMultiLine(multiLine);
            box->SetEnterKey(multiLine && (control.style & kStyleWantReturn)
                                 ? TextBox::EnterKey::NewLine
                                 : TextBox::EnterKey::DefaultButton);
            box->SetByteLimit(control.textLimit);
            box->setReadOnly((control.style & kStyleReadOnly) != 0);
            if (multiLine) {
                box->setVerticalScrollBarPolicy((control.style & kStyleVScroll)
                                                    ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
                box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            }
            if (!(control.style & kStyleBorder)) {
                box->setFrameShape(QFrame::NoFrame);
            }
            box->setFocusPolicy((control.style & kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
            box->SetBytes(control.text);
            return box;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(text, this);
            button->setIcon(ButtonFaceIcon(control.face, style()));
            button->setIconSize(QSize(20, 20));
            if (control.face == ButtonFace::Next) {
                // The arrow follows the word, pointing the way the button goes.
                button->setLayoutDirection(Qt::RightToLeft);
            }
            button->setDefault((control.style & kStyleDefault) != 0);
            const int id = control.id;
            connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, this);
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            if (radioGroup == nullptr) {
                radioGroup = new QButtonGroup(this);
            }
            radioGroup->addButton(radio);
            if (control.id != kNoControlId) {
                radioGroups[control.id] = radioGroup;
            }
            return radio;
        }
    }
    return new QWidget(this);
}

QWidget* TemplateDialog::Control(int id) const {
    const auto found = controls.find(id);
    return found == controls.end() ? nullptr : found->second;
}

TextBox* TemplateDialog::Edit(int id) const { return qobject_cast<TextBox*>(Control(id)); }

QAbstractButton* TemplateDialog::Button(int id) const {
    return qobject_cast<QAbstractButton*>(Control(id));
}

QLabel* TemplateDialog::Label(int id) const { return qobject_cast<QLabel*>(Control(id)); }

bool TemplateDialog::IsChecked(int id) const {
    const QAbstractButton* button = Button(id);
    return button != nullptr && button->isChecked();
}

void TemplateDialog::SetChecked(int id, bool checked) {
    QAbstractButton* button = Button(id);
    if (button == nullptr) {
        return;
    }
    const auto group = radioGroups.find(id);
    if (group != radioGroups.end() && !checked) {
        // An exclusive group refuses to clear its checked button.
        group->second->setExclusive(false);
        button->setChecked(false);
        group->second->setExclusive(true);
        return;
    }
    button->setChecked(checked);
}

void TemplateDialog::GrowBoxesToFont(const std::vector<std::pair<int, int>>& minimumLines) {
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    // The window frame is not known before the dialog shows; a caption's height and a
    // border stand in for it.
    const int frame = style()->pixelMetric(QStyle::PM_TitleBarHeight) +
                      2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    int room = screen != nullptr ? screen->availableGeometry().height() - frame - height()
                                 : QWIDGETSIZE_MAX;
    std::vector<std::pair<TextBox*, int>> boxes;
    for (const auto& [id, lines] : minimumLines) {
        if (TextBox* box = Edit(id)) boxes.emplace_back(box, lines);
    }
    // From the top down, so that a box moved by one above it is measured where it ends up.
    std::sort(boxes.begin(), boxes.end(),
              [](const auto& a, const auto& b) { return a.first->y() < b.first->y(); });
    for (const auto& [box, lines] : boxes) {
        const int wanted = lines * QFontMetrics(box->font()).lineSpacing() +
                           2 * static_cast<int>(std::ceil(box->document()->documentMargin())) +
                           2 * box->frameWidth() + 1;
        const int grow = std::min(wanted - box->height(), std::max(room, 0));
        if (grow <= 0) continue;
        room -= grow;
        const int below = box->geometry().bottom();
        for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (child != box && !child->isWindow() && child->y() > below) {
                child->move(child->x(), child->y() + grow);
            }
        }
        box->resize(box->width(), box->height() + grow);
        setFixedSize(width(), height() + grow);
    }
}

int TemplateDialog::UnitsToPixelsX(int units) const { return MulDiv(units, baseX, 4); }

int TemplateDialog::UnitsToPixelsY(int units) const { return MulDiv(units, baseY, 8); }

void TemplateDialog::Command(int id) {
    if (commands.Dispatch(id)) {
        return;
    }
    done(id);
}

void TemplateDialog::reject() { Command(kIdCancel); }

void TemplateDialog::showEvent(QShowEvent* event) {
    if (!placed && (layout.style & kDialogAtPosition) && parentWidget() != nullptr) {
        QWidget* client = parentWidget();
        if (auto* frame = qobject_cast<QMainWindow*>(client);
            frame != nullptr && frame->centralWidget() != nullptr) {
            client = frame->centralWidget();
        }
        QPoint at = client->mapToGlobal(QPoint(UnitsToPixelsX(layout.x), UnitsToPixelsY(layout.y)));
        // A dialog grown for a large display font still opens whole on the screen.
        if (const QScreen* screen = client->screen()) {
            const QRect available = screen->availableGeometry();
            const QSize outer = frameGeometry().size().expandedTo(size());
            at.setX(std::max(available.left(),
                             std::min(at.x(), available.right() + 1 - outer.width())));
            at.setY(std::max(available.top(),
                             std::min(at.y(), available.bottom() + 1 - outer.height())));
        }
        move(at);
    }
    placed = true;
    QDialog::showEvent(event);
}
