// The question set as a read-only table for Qt's views: rows are the filter's rows, cells
// are read from the set when a view asks for them, so nothing is copied.
#pragma once

#include <QAbstractTableModel>
#include <cstddef>

#include "list/question_filter.h"
#include "model/question_set.h"

enum QuestionColumn : int { kColQuestion, kColAnswer, kColHint, kColRules, kColCount };

class QtQuestionModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    QtQuestionModel(const Question_Set& set, const QuestionFilter& filter,
                    QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Columns are headed by what they show; rows by the question's number in the set.
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Reverse Q/A asks the stored answers as questions: the first two columns swap their
    // headings, the cells stay.
    void SetReversed(bool reversed);
    // The set or the search changed: every row is read afresh.
    void Reset();
    // The search found more matches since the view last looked.
    void RowsFound();

    // A stored text on one line: each line break shows as a mark, and a very long text
    // is cut, as no cell could show it.
    static QString OneLine(std::string_view text);

  private:
    // False when the row has no question (yet, or any more).
    bool QuestionOfRow(int row, Zentu_View& question) const;

    const Question_Set& set;
    const QuestionFilter& filter;
    bool reversed = false;
    int rows = 0;
};
