#include "platform/controls/ListViewModel.h"

#include "platform/runtime/RuntimeError.h"
#include <QFont>
#include <algorithm>

namespace platform::controls {

ListViewModel::ListViewModel(QObject* parent) : QAbstractTableModel(parent) {}

ListViewModel::~ListViewModel() = default;

void ListViewModel::setColumnHeaders(const QStringList& headers) {
    // Columns are inserted or removed rather than the model reset, so that an
    // attached view keeps its selection and scroll position.
    const int oldCount = static_cast<int>(headers_.size());
    const int newCount = static_cast<int>(headers.size());
    if (newCount > oldCount) {
        beginInsertColumns({}, oldCount, newCount - 1);
        headers_ = headers;
        endInsertColumns();
    } else if (newCount < oldCount) {
        beginRemoveColumns({}, newCount, oldCount - 1);
        headers_ = headers;
        // Column 0 is the row's own text and outlives its header.
        const std::size_t keep = static_cast<std::size_t>(std::max(newCount, 1));
        for (auto& row : rows_) {
            if (row.size() > keep)
                row.resize(keep);
        }
        endRemoveColumns();
    } else {
        headers_ = headers;
    }
    if (newCount > 0)
        emit headerDataChanged(Qt::Horizontal, 0, newCount - 1);
}

int ListViewModel::addRow(const QString& text) {
    const int row = count();
    beginInsertRows({}, row, row);
    // Cells beyond column 0 are created when first written, so a row costs
    // one cell until its sub-items are filled in.
    rows_.emplace_back(1);
    rows_.back().front().text = text;
    endInsertRows();
    return row + 1;
}

int ListViewModel::addRow(const QStringList& cells, bool bold, const QColor& color) {
    return addRow(QStringList(cells), bold, color);
}

int ListViewModel::addRow(QStringList&& cells, bool bold, const QColor& color) {
    const int row = count();
    beginInsertRows({}, row, row);
    auto& added =
        rows_.emplace_back(static_cast<std::size_t>(std::max<qsizetype>(cells.size(), 1)));
    for (qsizetype column = 0; column < cells.size(); ++column) {
        Cell& cell = added[static_cast<std::size_t>(column)];
        cell.text = std::move(cells[column]);
        cell.bold = bold;
        cell.color = color;
    }
    endInsertRows();
    return row + 1;
}

void ListViewModel::clear() {
    if (selected_ != 0) {
        selected_ = 0;
        emit selectedRowChanged(0);
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ListViewModel::count() const {
    return static_cast<int>(rows_.size());
}

namespace {
// Column 0 always exists, even before any header is set.
int usableColumns(const QStringList& headers) {
    return std::max(static_cast<int>(headers.size()), 1);
}
} // namespace

ListViewModel::Cell& ListViewModel::cellAt(int row, int column) {
    if (row < 1 || row > count() || column < 0 || column >= usableColumns(headers_))
        raiseError(err::SubscriptOutOfRange);
    auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    const auto needed = static_cast<std::size_t>(column) + 1;
    if (cells.size() < needed)
        cells.resize(needed);
    return cells[static_cast<std::size_t>(column)];
}

const ListViewModel::Cell& ListViewModel::cellAt(int row, int column) const {
    if (row < 1 || row > count() || column < 0 || column >= usableColumns(headers_))
        raiseError(err::SubscriptOutOfRange);
    static const Cell empty;
    const auto& cells = rows_[static_cast<std::size_t>(row - 1)];
    const auto at = static_cast<std::size_t>(column);
    return at < cells.size() ? cells[at] : empty;
}

QString ListViewModel::itemText(int row, int column) const {
    return cellAt(row, column).text;
}

void ListViewModel::setItemText(int row, int column, const QString& text) {
    cellAt(row, column).text = text;
    const QModelIndex changed = index(row - 1, column);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void ListViewModel::setRowBold(int row, bool bold) {
    const int columns = usableColumns(headers_);
    for (int column = 0; column < columns; ++column)
        cellAt(row, column).bold = bold;
    if (!headers_.isEmpty()) // without headers no column is shown
        emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1), {Qt::FontRole});
}

void ListViewModel::setRowForeColor(int row, const QColor& color) {
    const int columns = usableColumns(headers_);
    for (int column = 0; column < columns; ++column)
        cellAt(row, column).color = color;
    if (!headers_.isEmpty()) // without headers no column is shown
        emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1),
                         {Qt::ForegroundRole});
}

void ListViewModel::setCellBold(int row, int column, bool bold) {
    cellAt(row, column).bold = bold;
    const QModelIndex changed = index(row - 1, column);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::FontRole});
}

void ListViewModel::setCellForeColor(int row, int column, const QColor& color) {
    cellAt(row, column).color = color;
    const QModelIndex changed = index(row - 1, column);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::ForegroundRole});
}

bool ListViewModel::cellBold(int row, int column) const {
    return cellAt(row, column).bold;
}

QColor ListViewModel::cellForeColor(int row, int column) const {
    return cellAt(row, column).color;
}

void ListViewModel::setSelectedRow(int row) {
    if (row != 0 && (row < 1 || row > count()))
        raiseError(err::SubscriptOutOfRange);
    if (row == selected_)
        return;
    selected_ = row;
    emit selectedRowChanged(row);
}

int ListViewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

int ListViewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QString oneLine(const QString& text) {
    const auto isBreak = [](QChar c) {
        return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x0B) ||
               c == QChar(0x0C) || c == QChar(0x85) || c == QChar(0x2028) || c == QChar(0x2029);
    };
    if (std::none_of(text.begin(), text.end(), isBreak))
        return text;
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isBreak(text[i])) {
            line += text[i];
            continue;
        }
        // CR LF is one break, one blank.
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        line += QLatin1Char(' ');
    }
    return line;
}

QVariant ListViewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count() || index.column() >= columnCount())
        return {};
    const Cell& cell = cellAt(index.row() + 1, index.column());
    switch (role) {
    case Qt::DisplayRole:
        // A cell shows at most a few thousand characters: a title of a
        // megabyte would otherwise be laid out whole at every paint. The
        // stored text stays whole.
        return oneLine(cell.text.size() > kMaxShownCharacters
                           ? cell.text.left(kMaxShownCharacters) + QChar(0x2026)
                           : cell.text);
    case Qt::FontRole:
        if (cell.bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole:
        return cell.color.isValid() ? QVariant(cell.color) : QVariant();
    default:
        return {};
    }
}

QVariant ListViewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers_.size())
        return {};
    return headers_[section];
}

} // namespace platform::controls
