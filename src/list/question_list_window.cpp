#include "list/question_list_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <chrono>

#include "framework/codepage.h"
#include "list/list_texts.h"
#include "list/qt_question_model.h"
#include "res/string_table.h"

namespace {

// The search's share of one frame; the rest is left to the view that shows what it found.
constexpr std::chrono::milliseconds kSliceBudget(12);

QString Text(int id) { return TextToQString(LoadString(id)); }

}  // namespace

QuestionListWindow::QuestionListWindow(const Question_Set& questions, QWidget* parent)
    : QWidget(parent),
      set(questions),
      model(new QtQuestionModel(questions, filter, this)),
      pages(new QStackedWidget(this)),
      emptyHint(new QLabel(Text(kStrListEmptyHint))),
      search(new QLineEdit),
      table(new QTableView),
      status(new QLabel),
      slicer(new QTimer(this)) {
    filter.Start(set, "");

    emptyHint->setAlignment(Qt::AlignCenter);
    emptyHint->setWordWrap(true);
    emptyHint->setTextFormat(Qt::PlainText);
    emptyHint->setMargin(12);

    auto* label = new QLabel(Text(kStrListSearchLabel));
    label->setBuddy(search);
    search->setPlaceholderText(Text(kStrListSearchPlaceholder));
    search->setClearButtonEnabled(true);
    // Qt leaves the clear button without a name for a screen reader to say.
    for (QToolButton* button : search->findChildren<QToolButton*>()) {
        button->setAccessibleName(Text(kStrListClearSearch));
    }
    search->setAccessibleName(label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    search->installEventFilter(this);

    table->setModel(model);
    table->installEventFilter(this);
    table->setAccessibleName(Text(kStrListTableName));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    table->setAlternatingRowColors(true);
    table->setCornerButtonEnabled(false);
    // Every row is as high as the font: the view then never measures a row, which keeps a
    // million of them as quick as ten.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setHighlightSections(false);
    // The question takes the room the others leave.
    table->horizontalHeader()->setSectionResizeMode(kColQuestion, QHeaderView::Stretch);
    connect(table, &QTableView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit OpenQuestion(filter.PositionOfRow(index.row()));
    });

    status->setTextFormat(Qt::PlainText);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(label);
    searchRow->addWidget(search, 1);
    auto* listPage = new QWidget;
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(6, 6, 6, 4);
    listLayout->addLayout(searchRow);
    listLayout->addWidget(table, 1);
    listLayout->addWidget(status);
    pages->addWidget(emptyHint);
    pages->addWidget(listPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages);
    setFocusProxy(search);
    setTabOrder(search, table);

    slicer->setSingleShot(true);
    connect(slicer, &QTimer::timeout, this, &QuestionListWindow::RunSlice);
    connect(search, &QLineEdit::textChanged, this, &QuestionListWindow::SearchChanged);

    SetDisplayFont(QApplication::font());
    SetChanged();
}

void QuestionListWindow::SetChanged() {
    if (pendingSelection == 0) pendingSelection = CurrentQuestion();
    filter.Restart(set);
    model->Reset();
    ShowPage();
    RunSlice();
}

void QuestionListWindow::SearchChanged() {
    if (pendingSelection == 0) pendingSelection = CurrentQuestion();
    bool storable = true;
    const std::string needle = QStringToText(search->text(), &storable);
    // A character no question can hold matches nothing; dropping it would match more.
    if (storable) {
        filter.Start(set, needle);
    } else {
        filter.StartMatchingNothing(set);
    }
    model->Reset();
    RunSlice();
}

void QuestionListWindow::RunSlice() {
    const bool done = filter.RunFor(kSliceBudget);
    model->RowsFound();
    if (done) {
        slicer->stop();
        ApplySelection();
    } else {
        slicer->start(0);
    }
    ShowStatus();
}

void QuestionListWindow::SelectQuestion(std::size_t position) {
    pendingSelection = position;
    if (filter.Done()) ApplySelection();
}

void QuestionListWindow::ApplySelection() {
    const std::size_t wanted = pendingSelection;
    pendingSelection = 0;
    if (filter.Rows() == 0) return;
    const QModelIndex index =
        model->index(static_cast<int>(wanted == 0 ? 0 : filter.RowNear(wanted)), 0);
    table->setCurrentIndex(index);
    table->scrollTo(index);
}

std::size_t QuestionListWindow::CurrentQuestion() const {
    const QModelIndex index = table->currentIndex();
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= filter.Rows()) return 0;
    return filter.PositionOfRow(static_cast<std::size_t>(index.row()));
}

void QuestionListWindow::ShowStatus() {
    status->setText(TextToQString(
        CountText(set.Count(), filter.Searching(), filter.Matches().size(), filter.Done())));
}

void QuestionListWindow::ShowPage() { pages->setCurrentIndex(set.Empty() ? 0 : 1); }

void QuestionListWindow::SetReversed(bool reversed) { model->SetReversed(reversed); }

void QuestionListWindow::SetDisplayFont(const QFont& font) {
    table->setFont(font);
    // The headers keep the program's font, as the menus and dialogs do.
    table->horizontalHeader()->setFont(QApplication::font());
    table->verticalHeader()->setFont(QApplication::font());
    const QFontMetrics metrics(font);
    const int rowHeight =
        std::max(metrics.height(), QFontMetrics(QApplication::font()).height()) + 6;
    table->verticalHeader()->setMinimumSectionSize(rowHeight);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    FitColumns();
}

void QuestionListWindow::FitColumns() {
    // Room for a usual answer, hint and rules, but never so much that a large font leaves
    // the question no room: each takes at most its share of the width.
    const int character = QFontMetrics(table->font()).averageCharWidth();
    const int width = table->width() - table->verticalHeader()->width();
    const struct {
        int column;
        int characters;
        int percent;
    } columns[] = {{kColAnswer, 22, 25}, {kColHint, 16, 18}, {kColRules, 20, 20}};
    for (const auto& c : columns) {
        table->setColumnWidth(c.column,
                              std::min(c.characters * character, width * c.percent / 100));
    }
}

void QuestionListWindow::FocusSearch() {
    search->setFocus(Qt::ShortcutFocusReason);
    search->selectAll();
}

bool QuestionListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table && event->type() == QEvent::Resize) FitColumns();
    if (watched == search && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Escape:
                if (search->text().isEmpty()) break;
                search->clear();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Down:
                // On to the rows found: Enter there opens the question.
                if (filter.Rows() == 0) break;
                if (!table->currentIndex().isValid()) ApplySelection();
                table->setFocus(Qt::TabFocusReason);
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
