#pragma once

#include <QAbstractItemModel>
#include <QList>
#include <QString>

#include "reading/ReadingDocument.h"

namespace namori {

// The comparison as the table shows it (its order, the columns given), as a document that prints
// and saves as PDF the way the 鑑定書 does: A4, the title and date above every page, page numbers
// below, the table broken between rows with the header repeated.
ReadingDocument ComparisonDocumentOf(const QAbstractItemModel& table, const QList<int>& columns,
                                     const QString& date);

}  // namespace namori
