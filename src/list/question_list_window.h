// The main window's client area: the question set as a table with a search field above it
// and a status line below, or, while there are no questions, a hint of what to do.
#pragma once

#include <QWidget>
#include <cstddef>

#include "list/question_filter.h"
#include "model/question_set.h"

class QLabel;
class QLineEdit;
class QStackedWidget;
class QTableView;
class QTimer;
class QtQuestionModel;

class QuestionListWindow : public QWidget {
    Q_OBJECT
  public:
    explicit QuestionListWindow(const Question_Set& set, QWidget* parent = nullptr);

    // The set changed (read, cleared, edited): every row is read afresh and the search
    // starts over; the current question stays current where it still shows.
    void SetChanged();
    void SetReversed(bool reversed);
    void SetDisplayFont(const QFont& font);
    // Ctrl+F: the focus goes to the search field, its text selected.
    void FocusSearch();
    // Makes the row of question `position` current, or the nearest row after it, as soon
    // as the search has come that far.
    void SelectQuestion(std::size_t position);
    // The question of the current row; 0 when there is none.
    std::size_t CurrentQuestion() const;

    QuestionFilter& Filter() { return filter; }
    QTableView* Table() const { return table; }
    QLineEdit* SearchField() const { return search; }
    QLabel* Status() const { return status; }
    QLabel* EmptyHint() const { return emptyHint; }

  signals:
    // Enter or a double click on the row of question `position`.
    void OpenQuestion(std::size_t position);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SearchChanged();
    // One slice of the search, short enough that the window keeps answering.
    void RunSlice();
    void ApplySelection();
    void ShowStatus();
    void ShowPage();
    void FitColumns();

    const Question_Set& set;
    QuestionFilter filter;
    QtQuestionModel* model;
    QStackedWidget* pages;
    QLabel* emptyHint;
    QLineEdit* search;
    QTableView* table;
    QLabel* status;
    QTimer* slicer;
    std::size_t pendingSelection = 0;
};
