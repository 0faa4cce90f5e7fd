#pragma once
// The report-style list view control without its widget: column headers, rows
// with a text (column 0) and sub-items (columns 1..columns-1), bold and text
// colour per row and per cell, one selected row. Rows are numbered from 1.
// Each cell shows as one line; its text keeps its line breaks.
#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <vector>

namespace platform::controls {

// The text as one line, each line break (CR LF counting as one) made a blank:
// what a list row shows, one line high, of a text that holds several lines.
QString oneLine(const QString& text);

// The most characters a cell shows; its text may be longer.
constexpr qsizetype kMaxShownCharacters = 4096;

class ListViewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListViewModel(QObject* parent = nullptr);
    ~ListViewModel() override;

    void setColumnHeaders(const QStringList& headers);
    QStringList columnHeaders() const { return headers_; }

    // Adds a row at the end with the given text in column 0; returns its number.
    int addRow(const QString& text);
    // Adds a row with every cell's text at once (column 0 first), all in the
    // given style: one insertion however many cells, for lists filled in bulk.
    int addRow(const QStringList& cells, bool bold, const QColor& color = QColor());
    // The same, taking the texts over instead of sharing them.
    int addRow(QStringList&& cells, bool bold, const QColor& color = QColor());
    void clear();
    int count() const;

    // Raise 9 for a row outside 1..count() or a column outside the headers.
    QString itemText(int row, int column) const;
    void setItemText(int row, int column, const QString& text);

    // Row-wide setters set every cell of the row; cell setters one cell.
    void setRowBold(int row, bool bold);
    void setRowForeColor(int row, const QColor& color);
    void setCellBold(int row, int column, bool bold);
    void setCellForeColor(int row, int column, const QColor& color);
    bool cellBold(int row, int column) const;
    QColor cellForeColor(int row, int column) const; // invalid QColor: the widget's default

    int selectedRow() const { return selected_; } // 0 when none
    void setSelectedRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void selectedRowChanged(int row);

private:
    struct Style {
        QColor color;
        bool bold = false;
    };
    // A row keeps its texts in one list and one style for all its cells; a
    // cell gets a style of its own only when one is set for it alone. Lists
    // filled in bulk thus cost one text list per row.
    struct Row {
        QStringList texts; // column 0 first; texts not yet written are missing
        Style style;
        std::vector<Style> cellStyles; // empty until a single cell is styled
    };
    Row& rowAt(int row, int column);
    const Row& rowAt(int row, int column) const;
    Style& cellStyle(int row, int column);
    const Style& cellStyle(int row, int column) const;

    QStringList headers_;
    std::vector<Row> rows_;
    int selected_ = 0;
};

} // namespace platform::controls
