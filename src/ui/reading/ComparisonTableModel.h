#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "naming/NameComparison.h"

namespace namori {

// Shortlisted names side by side: surname, given name, reading, strokes, the five luck numbers
// with their marks, the three faces and the reading's grounding (shown once any name has one).
// Sorting uses SortRole: the numbers themselves, the faces as favourable 2, middling 1,
// unfavourable 0; a name that cannot be judged sorts below every judged one.
class ComparisonTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column {
        kSurname,
        kGivenName,
        kReading,
        kStrokes,
        kFirstLuck,
        kLastLuck = kFirstLuck + 4,
        kLuckFace,
        kElementFace,
        kYinYangFace,
        kGrounding,
        kColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;

    explicit ComparisonTableModel(QObject* parent = nullptr);

    void setNames(std::vector<ComparedName> names);
    const std::vector<ComparedName>& names() const { return names_; }
    bool hasGrounding() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<ComparedName> names_;
};

}  // namespace namori
