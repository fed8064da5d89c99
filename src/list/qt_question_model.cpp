#include "list/qt_question_model.h"

#include <algorithm>
#include <climits>

#include "framework/codepage.h"
#include "list/list_texts.h"
#include "res/string_table.h"

namespace {

constexpr QChar kLineBreakMark(0x21B5);  // a downwards arrow with its tip to the left
constexpr int kLongestShown = 1024;

int RowsOf(const QuestionFilter& filter) {
    // A view counts in int; past that the rest of a set could not be shown anyway.
    return static_cast<int>(std::min<std::size_t>(filter.Rows(), INT_MAX));
}

}  // namespace

QtQuestionModel::QtQuestionModel(const Question_Set& set, const QuestionFilter& filter,
                                 QObject* parent)
    : QAbstractTableModel(parent), set(set), filter(filter), rows(RowsOf(filter)) {}

int QtQuestionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows;
}

int QtQuestionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColCount;
}

bool QtQuestionModel::QuestionOfRow(int row, Zentu_View& question) const {
    // A view may ask between a change of the set and the reset that follows it.
    if (row < 0 || row >= rows || static_cast<std::size_t>(row) >= filter.Rows()) return false;
    const std::size_t position = filter.PositionOfRow(static_cast<std::size_t>(row));
    if (position < 1 || position > set.Count()) return false;
    question = set.View(position);
    return true;
}

QString QtQuestionModel::OneLine(std::string_view text) {
    QString shown = TextToQString(std::string(text.substr(0, kLongestShown * 2)));
    if (shown.size() > kLongestShown) {
        shown.truncate(kLongestShown);
        shown += QChar(0x2026);
    }
    shown.replace(QLatin1Char('\n'), kLineBreakMark);
    return shown;
}

QVariant QtQuestionModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    Zentu_View question;
    if (!QuestionOfRow(index.row(), question)) return {};
    switch (index.column()) {
        case kColQuestion:
            return OneLine(question.question);
        case kColAnswer:
            return OneLine(question.answer);
        case kColHint:
            return OneLine(question.hint);
        case kColRules:
            return TextToQString(RulesText(question));
        default:
            return {};
    }
}

QVariant QtQuestionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole || section < 0 || section >= rows) return {};
        if (static_cast<std::size_t>(section) >= filter.Rows()) return {};
        return QString::number(filter.PositionOfRow(static_cast<std::size_t>(section)));
    }
    if (role != Qt::DisplayRole) return {};
    switch (section) {
        case kColQuestion:
            return TextToQString(LoadString(reversed ? kStrListAnswer : kStrListQuestion));
        case kColAnswer:
            return TextToQString(LoadString(reversed ? kStrListQuestion : kStrListAnswer));
        case kColHint:
            return TextToQString(LoadString(kStrListHint));
        case kColRules:
            return TextToQString(LoadString(kStrListRules));
        default:
            return {};
    }
}

void QtQuestionModel::SetReversed(bool on) {
    if (reversed == on) return;
    reversed = on;
    emit headerDataChanged(Qt::Horizontal, kColQuestion, kColAnswer);
}

void QtQuestionModel::Reset() {
    beginResetModel();
    rows = RowsOf(filter);
    endResetModel();
}

void QtQuestionModel::RowsFound() {
    const int now = RowsOf(filter);
    if (now <= rows) return;
    beginInsertRows(QModelIndex(), rows, now - 1);
    rows = now;
    endInsertRows();
}
