#include "ui/reading/ComparisonTableModel.h"

#include <algorithm>

#include "analysis/LuckNumbers.h"
#include "rules/Ratings.h"
#include "rules/VerdictWords.h"
#include "ui/common/QtText.h"

namespace namori {

ComparisonTableModel::ComparisonTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ComparisonTableModel::setNames(std::vector<ComparedName> names) {
    beginResetModel();
    names_ = std::move(names);
    endResetModel();
}

bool ComparisonTableModel::hasGrounding() const {
    return std::any_of(names_.begin(), names_.end(),
                       [](const ComparedName& name) { return name.grounding.has_value(); });
}

int ComparisonTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

int ComparisonTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant ComparisonTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != SortRole)) {
        return {};
    }
    const ComparedName& name = names_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (column) {
        case kSurname:
            return ToQString(name.entry.surname);
        case kGivenName:
            return ToQString(name.entry.givenName);
        case kReading:
            return ToQString(name.entry.reading);
        case kGrounding:
            return ToQString(name.grounding.value_or(u""));
        default:
            break;
    }
    if (!name.judged) {
        // The reason stands where the numbers would; sorted below every judged name.
        if (role == SortRole) {
            return -1;
        }
        return column == kStrokes ? ToQString(name.preparation.message) : QString();
    }
    if (column == kStrokes) {
        return ToQString(StrokesText(name));
    }
    if (column >= kFirstLuck && column <= kLastLuck) {
        const auto luck = static_cast<std::size_t>(column - kFirstLuck);
        return role == SortRole ? QVariant(name.luck[luck])
                                : QVariant(QString::number(name.luck[luck]) +
                                           ToQString(MarkSymbol(name.marks[luck])));
    }
    const Rating face = name.faces[static_cast<std::size_t>(column - kLuckFace)];
    return role == SortRole ? QVariant(RatingPoints(face)) : QVariant(ToQString(RatingWord(face)));
}

QVariant ComparisonTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section >= kFirstLuck && section <= kLastLuck) {
        return ToQString(kLuckFields[static_cast<std::size_t>(section - kFirstLuck)].name);
    }
    switch (section) {
        case kSurname:
            return QString::fromUtf8("名字");
        case kGivenName:
            return QString::fromUtf8("名前");
        case kReading:
            return QString::fromUtf8("読み");
        case kStrokes:
            return QString::fromUtf8("画数");
        case kLuckFace:
            return QString::fromUtf8("５運");
        case kElementFace:
            return QString::fromUtf8("５行");
        case kYinYangFace:
            return QString::fromUtf8("陰陽");
        case kGrounding:
            return QString::fromUtf8("読みの根拠");
        default:
            return {};
    }
}

}  // namespace namori
