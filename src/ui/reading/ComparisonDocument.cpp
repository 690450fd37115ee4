#include "ui/reading/ComparisonDocument.h"

#include <algorithm>

namespace namori {

namespace {

// Rows per printed section: a section that fits on a page keeps its rows together, and each
// repeats the column headings.
constexpr int kRowsPerSection = 24;

QString Cell(const QString& tag, const QString& text) {
    return QStringLiteral("<%1>%2</%1>").arg(tag, text.toHtmlEscaped());
}

QString HeaderRow(const QAbstractItemModel& table, const QList<int>& columns) {
    QString row = QStringLiteral("<tr>");
    for (const int column : columns) {
        row += Cell(QStringLiteral("th"), table.headerData(column, Qt::Horizontal).toString());
    }
    return row + QStringLiteral("</tr>");
}

}  // namespace

ReadingDocument ComparisonDocumentOf(const QAbstractItemModel& table, const QList<int>& columns,
                                     const QString& date) {
    ReadingDocument document;
    document.title = "名前の候補の比較";
    document.date = date.toStdString();
    document.styleSheet =
        "h1 { font-size: 15pt; color: #1a2260; }"
        "table { border-collapse: collapse; }"
        "th { background-color: #f6e1de; font-size: 8pt; padding: 2px; }"
        "td { font-size: 9pt; padding: 2px; text-align: center; }";
    const QString header = HeaderRow(table, columns);
    const int rows = table.rowCount();
    for (int first = 0; first == 0 || first < rows; first += kRowsPerSection) {
        QString section;
        if (first == 0) {
            section = QStringLiteral("<h1>") + QString::fromUtf8("名前の候補の比較") +
                      QStringLiteral("</h1>");
        }
        section += QStringLiteral("<table border=\"1\" cellspacing=\"0\" width=\"100%\">") + header;
        for (int row = first; row < std::min(rows, first + kRowsPerSection); ++row) {
            section += QStringLiteral("<tr>");
            for (const int column : columns) {
                section += Cell(QStringLiteral("td"), table.index(row, column).data().toString());
            }
            section += QStringLiteral("</tr>");
        }
        document.sections.push_back((section + QStringLiteral("</table>")).toStdString());
    }
    return document;
}

}  // namespace namori
