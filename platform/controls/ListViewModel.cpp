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
        for (Row& row : rows_) {
            if (static_cast<std::size_t>(row.texts.size()) > keep)
                row.texts.resize(static_cast<qsizetype>(keep));
            if (row.cellStyles.size() > keep)
                row.cellStyles.resize(keep);
        }
        endRemoveColumns();
    } else {
        headers_ = headers;
    }
    if (newCount > 0)
        emit headerDataChanged(Qt::Horizontal, 0, newCount - 1);
}

int ListViewModel::addRow(const QString& text) {
    return addRow(QStringList{text}, false);
}

int ListViewModel::addRow(const QStringList& cells, bool bold, const QColor& color) {
    return addRow(QStringList(cells), bold, color);
}

int ListViewModel::addRow(QStringList&& cells, bool bold, const QColor& color) {
    const int row = count();
    beginInsertRows({}, row, row);
    rows_.push_back({std::move(cells), {color, bold}, {}});
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

ListViewModel::Row& ListViewModel::rowAt(int row, int column) {
    if (row < 1 || row > count() || column < 0 || column >= usableColumns(headers_))
        raiseError(err::SubscriptOutOfRange);
    return rows_[static_cast<std::size_t>(row - 1)];
}

const ListViewModel::Row& ListViewModel::rowAt(int row, int column) const {
    if (row < 1 || row > count() || column < 0 || column >= usableColumns(headers_))
        raiseError(err::SubscriptOutOfRange);
    return rows_[static_cast<std::size_t>(row - 1)];
}

ListViewModel::Style& ListViewModel::cellStyle(int row, int column) {
    Row& cells = rowAt(row, column);
    // The first cell styled alone gives every cell of the row a style of its
    // own, starting from the row's.
    const auto needed = static_cast<std::size_t>(column) + 1;
    if (cells.cellStyles.size() < needed)
        cells.cellStyles.resize(std::max(needed, static_cast<std::size_t>(usableColumns(headers_))),
                                cells.style);
    return cells.cellStyles[static_cast<std::size_t>(column)];
}

const ListViewModel::Style& ListViewModel::cellStyle(int row, int column) const {
    const Row& cells = rowAt(row, column);
    const auto at = static_cast<std::size_t>(column);
    return at < cells.cellStyles.size() ? cells.cellStyles[at] : cells.style;
}

QString ListViewModel::itemText(int row, int column) const {
    return rowAt(row, column).texts.value(column);
}

void ListViewModel::setItemText(int row, int column, const QString& text) {
    QStringList& texts = rowAt(row, column).texts;
    if (texts.size() <= column)
        texts.resize(column + 1);
    texts[column] = text;
    const QModelIndex changed = index(row - 1, column);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void ListViewModel::setRowBold(int row, bool bold) {
    Row& cells = rowAt(row, 0);
    cells.style.bold = bold;
    for (Style& style : cells.cellStyles)
        style.bold = bold;
    if (!headers_.isEmpty()) // without headers no column is shown
        emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1), {Qt::FontRole});
}

void ListViewModel::setRowForeColor(int row, const QColor& color) {
    Row& cells = rowAt(row, 0);
    cells.style.color = color;
    for (Style& style : cells.cellStyles)
        style.color = color;
    if (!headers_.isEmpty()) // without headers no column is shown
        emit dataChanged(index(row - 1, 0), index(row - 1, columnCount() - 1),
                         {Qt::ForegroundRole});
}

void ListViewModel::setCellBold(int row, int column, bool bold) {
    cellStyle(row, column).bold = bold;
    const QModelIndex changed = index(row - 1, column);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::FontRole});
}

void ListViewModel::setCellForeColor(int row, int column, const QColor& color) {
    cellStyle(row, column).color = color;
    const QModelIndex changed = index(row - 1, column);
    if (changed.isValid())
        emit dataChanged(changed, changed, {Qt::ForegroundRole});
}

bool ListViewModel::cellBold(int row, int column) const {
    return cellStyle(row, column).bold;
}

QColor ListViewModel::cellForeColor(int row, int column) const {
    return cellStyle(row, column).color;
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
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole: {
        // A cell shows at most a few thousand characters: a title of a
        // megabyte would otherwise be laid out whole at every paint. The
        // stored text stays whole.
        const QString text = itemText(row, index.column());
        return oneLine(text.size() > kMaxShownCharacters
                           ? text.left(kMaxShownCharacters) + QChar(0x2026)
                           : text);
    }
    case Qt::FontRole:
        if (cellStyle(row, index.column()).bold) {
            QFont font;
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::ForegroundRole: {
        const QColor& color = cellStyle(row, index.column()).color;
        return color.isValid() ? QVariant(color) : QVariant();
    }
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
