#include "editor/charmap_window.h"

#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <climits>
#include <cmath>

#include "framework/codepage.h"
#include "framework/font_mapping.h"

namespace {

GridRect ToGrid(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

QRect ToQRect(const GridRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

bool IsControlCode(unsigned char code) {
    const char16_t ch = ByteToChar(code).unicode();
    return ch == 0x7F || (ch >= 0x80 && ch <= 0x9F);
}

MapKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return MapKey::Left;
        case Qt::Key_Right:
            return MapKey::Right;
        case Qt::Key_Up:
            return MapKey::Up;
        case Qt::Key_Down:
            return MapKey::Down;
        case Qt::Key_Space:
            return MapKey::Space;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return MapKey::Enter;
        default:
            return MapKey::Other;
    }
}

// Screen readers see the grid as a list whose name is the character about to be sent,
// rather than as an anonymous panel that some of them do not read at all.
QAccessibleInterface* CanvasAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("CharMapCanvas") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::List);
    }
    return nullptr;
}

}  // namespace

CharMapCanvas::CharMapCanvas(charmapwindow* owner) : QWidget(owner), map(owner) {
    static const bool installed = [] {
        QAccessible::installFactory(CanvasAccessible);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(
        QStringLiteral("Arrow keys choose a character, Space types it, Enter types it and "
                       "closes the map"));
}

void CharMapCanvas::paintEvent(QPaintEvent*) {
    const CharMapGrid& grid = map->Grid();
    QPainter painter(this);
    painter.setFont(map->CellFont());
    const GridCell selected = grid.Selected();
    for (int row = 0; row < CharMapGrid::kRows; ++row) {
        for (int column = 0; column < CharMapGrid::kColumns; ++column) {
            const GridCell cell{column, row};
            const bool lit = map->Highlighted() && cell == selected;
            const QColor fill = lit ? Qt::black : Qt::white;
            const QColor ink = lit ? Qt::white : Qt::black;
            // Qt's outline covers one pixel more than the rectangle; the classic one stays inside.
            const QRect frame = ToQRect(grid.FrameRect(cell));
            painter.fillRect(frame, fill);
            painter.setPen(ink);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(frame.adjusted(0, 0, -1, -1));
            painter.drawText(ToQRect(grid.CharacterBox(cell)), Qt::AlignHCenter | Qt::AlignTop,
                             charmapwindow::CellText(CharMapGrid::CodeOf(cell)));
        }
    }
    // Before the first key the selection is not highlighted; keyboard users still see
    // where Space would type.
    if (hasFocus() && !map->Highlighted()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(ToQRect(grid.FrameRect(selected)).adjusted(1, 1, -2, -2));
    }
}

void CharMapCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QWidget::keyPressEvent(event);
        return;
    }
    const MapKey key = KeyOf(event->key());
    map->PressKey(key);
    if (key == MapKey::Other) {
        // Escape goes on to the dialog, which closes the map.
        QWidget::keyPressEvent(event);
    }
}

void CharMapCanvas::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        map->LeftClick(at.x(), at.y());
    } else if (event->button() == Qt::RightButton) {
        map->RightClick(at.x(), at.y());
    } else {
        QWidget::mousePressEvent(event);
    }
}

void CharMapCanvas::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CharMapCanvas::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

charmapwindow::charmapwindow(CharMapOwner& mapOwner, int resourceId, const LogFont& displayFont)
    : TemplateDialog(*FindDialog(resourceId), mapOwner.MapOwnerDialog()),
      owner(mapOwner),
      displayFont(FontFromLogFont(displayFont)),
      font(this->displayFont) {
    scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(false);
    canvas = new CharMapCanvas(this);
    scroller->setWidget(canvas);
    scroller->setFocusProxy(canvas);
    setFocusProxy(canvas);
}

QString charmapwindow::CellText(unsigned char code) {
    // DEL and the five bytes the code page leaves unassigned have no picture.
    return IsControlCode(code) ? QString() : QString(ByteToChar(code));
}

QString charmapwindow::SpokenName(unsigned char code) {
    const QString number = QString::number(code);
    // Characters that show nothing a screen reader could read out get a word.
    if (code == ' ') return QStringLiteral("space, code %1").arg(number);
    if (code == 0xA0) return QStringLiteral("no-break space, code %1").arg(number);
    if (code == 0xAD) return QStringLiteral("soft hyphen, code %1").arg(number);
    if (IsControlCode(code)) return QStringLiteral("no character, code %1").arg(number);
    return QStringLiteral("%1, code %2").arg(QString(ByteToChar(code)), number);
}

namespace {

// Cells as wide as the widest character the map shows and as tall as the font's cell, so
// that every character fits whatever the font.
QSize CellMeasures(const QFont& font) {
    const QFontMetricsF metrics(font);
    double widest = 1;
    for (int code = CharMapGrid::kFirstCode; code <= 255; ++code) {
        const QString text = charmapwindow::CellText(static_cast<unsigned char>(code));
        if (text.isEmpty()) continue;
        widest =
            std::max({widest, metrics.horizontalAdvance(text), metrics.boundingRect(text).width()});
    }
    return {static_cast<int>(std::ceil(widest)), QFontMetrics(font).height()};
}

}  // namespace

void charmapwindow::Open(bool takeFocus) {
    const TemplateDialog* ownerDialog = owner.MapOwnerDialog();
    const QRect ownerFrame = ownerDialog->frameGeometry();
    // This window's frame is not known before it shows; the owner's is a close guess.
    const QSize frameExtra = ownerFrame.size() - ownerDialog->size();
    const QScreen* screen = ownerDialog->screen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    const QSize room = available.isEmpty() ? QSize(INT_MAX / 2, INT_MAX / 2)
                                           : available.size() - frameExtra.expandedTo({0, 0});

    // A large display font at a large scale would make the map larger than the screen:
    // its cells shrink to fit, down to a size still legible, in a font shrunk to match.
    font = displayFont;
    const QSize natural = CellMeasures(font);
    const CellSize cells = FitCells(natural.width(), natural.height(), room.width(), room.height());
    if (cells.width < natural.width() || cells.height < natural.height()) {
        int pixels = QFontInfo(displayFont).pixelSize();
        QSize measured = natural;
        while (pixels > 1 && (measured.width() > cells.width || measured.height() > cells.height)) {
            font.setPixelSize(--pixels);
            measured = CellMeasures(font);
        }
    }
    grid.SetCellSize(cells.width, cells.height);
    grid.Reset();
    highlighted = false;

    // What still does not fit scrolls, with a bar taken from the room where one is needed.
    const QSize client(grid.ClientWidth(), grid.ClientHeight());
    canvas->resize(client);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize view = client.boundedTo(room);
    if (view.height() < client.height()) view.rwidth() = std::min(view.width() + bar, room.width());
    if (view.width() < client.width()) {
        view.rheight() = std::min(view.height() + bar, room.height());
    }
    scroller->setGeometry(QRect(QPoint(0, 0), view));
    setFixedSize(view);

    // Beside the owner, so the question and the box being typed into stay in sight.
    const QRect ownerClient(ownerDialog->mapToGlobal(QPoint(0, ownerDialog->ClientTop())),
                            ownerDialog->size() - QSize(0, ownerDialog->ClientTop()));
    const GridRect place =
        PlaceMapBeside(ToGrid(ownerFrame), ToGrid(ownerClient), width() + frameExtra.width(),
                       height() + frameExtra.height(), ToGrid(available));
    move(place.x, place.y);

    SelectionMoved();
    // Opened by mouse, the map never takes the focus, not even when clicked: the user
    // clicks characters and goes on typing in the box.
    setAttribute(Qt::WA_ShowWithoutActivating, !takeFocus);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus, !takeFocus);
    show();
    if (takeFocus) {
        activateWindow();
        canvas->setFocus(Qt::OtherFocusReason);
    }
}

void charmapwindow::CloseMap() {
    // Asked before hiding, which takes the focus away.
    const bool hadFocus = isActiveWindow() || canvas->hasFocus();
    hide();
    TemplateDialog* ownerDialog = owner.MapOwnerDialog();
    if (hadFocus && ownerDialog->isVisible()) {
        ownerDialog->activateWindow();
        if (QWidget* target = owner.FocusAtMapOpen()) {
            target->setFocus(Qt::OtherFocusReason);
        }
    }
}

void charmapwindow::CloseWithOwner() { hide(); }

void charmapwindow::reject() { CloseMap(); }

void charmapwindow::Send(unsigned char code) { owner.InsertChar(code); }

void charmapwindow::SelectionMoved() {
    // A screen reader announces the name of the focused grid when it changes: the
    // character that Space or Enter would type.
    canvas->setAccessibleName(SpokenName(grid.SelectedCode()));
    // In a map that scrolls, the selected cell comes into sight.
    const QRect frame = ToQRect(grid.FrameRect(grid.Selected()));
    scroller->ensureVisible(frame.center().x(), frame.center().y(), frame.width() / 2 + 1,
                            frame.height() / 2 + 1);
    canvas->update();
}

void charmapwindow::PressKey(MapKey key) {
    const MapAction action = grid.PressKey(key);
    highlighted = true;
    SelectionMoved();
    if (action != MapAction::None) Send(grid.SelectedCode());
    if (action == MapAction::SendAndClose) CloseMap();
}

void charmapwindow::LeftClick(int x, int y) {
    const std::optional<GridCell> cell = grid.CellAt(x, y);
    if (!cell) return;
    grid.Select(*cell);
    highlighted = true;
    SelectionMoved();
    Send(grid.SelectedCode());
}

void charmapwindow::RightClick(int x, int y) {
    const std::optional<GridCell> cell = grid.CellAt(x, y);
    if (!cell) return;
    grid.Select(*cell);
    SelectionMoved();
    Send(grid.SelectedCode());
    CloseMap();
}
