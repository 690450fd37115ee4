#include "ui/naming/CandidateTableModel.h"

#include <QPixmap>
#include <algorithm>

#include "analysis/LuckNumbers.h"
#include "naming/ReadingGrounds.h"
#include "rules/VerdictWords.h"
#include "ui/common/Artwork.h"
#include "ui/common/QtText.h"

namespace namori {

namespace {

QString KindWord(const NameCandidate& candidate) {
    QString word = QString::fromUtf8(candidate.kind == CandidateKind::RealName ? "実在の名前"
                                     : candidate.kind == CandidateKind::Kana   ? "かな"
                                                                               : "組み合わせ");
    if (candidate.fromReference) {
        word += QString::fromUtf8("（参考画数）");
    }
    return word;
}

}  // namespace

CandidateTableModel::CandidateTableModel(QObject* parent) : QAbstractTableModel(parent) {
    faces_ = {ArtworkPixmap("wara", {20, 20}), ArtworkPixmap("niko", {20, 20}),
              ArtworkPixmap("kana", {20, 20})};
}

void CandidateTableModel::setCandidates(std::vector<NameCandidate> candidates) {
    beginResetModel();
    candidates_ = std::move(candidates);
    endResetModel();
}

void CandidateTableModel::setShortlisted(std::set<std::u16string> spellings) {
    shortlisted_ = std::move(spellings);
    if (!candidates_.empty()) {
        emit dataChanged(index(0, kShortlisted), index(rowCount() - 1, kShortlisted));
    }
}

bool CandidateTableModel::isShortlisted(int row) const {
    return shortlisted_.contains(candidates_[static_cast<std::size_t>(row)].spelling);
}

int CandidateTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(candidates_.size());
}

int CandidateTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CandidateTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const NameCandidate& candidate = candidates_[index.row()];
    const int column = index.column();
    if (role == AllFavourableRole) {
        return candidate.score == 6;
    }
    if (column == kShortlisted) {
        const bool listed = isShortlisted(index.row());
        switch (role) {
            case Qt::DisplayRole:
                return QString::fromUtf8(listed ? "★" : "☆");
            case Qt::ToolTipRole:
                return QString::fromUtf8(listed ? "クリック（Ctrl+D）で候補から外します"
                                                : "クリック（Ctrl+D）で候補に加えます");
            case Qt::TextAlignmentRole:
                return int(Qt::AlignCenter);
            case SortRole:
                return listed ? 0 : 1;
            default:
                return {};
        }
    }
    if (column >= kLuckFace && column <= kYinYangFace) {
        const Rating face = candidate.faces[column - kLuckFace];
        switch (role) {
            case Qt::DecorationRole:
                return faces_[2 - RatingPoints(face)];
            case Qt::DisplayRole:
                return ToQString(RatingWord(face));
            case SortRole:
                return RatingPoints(face);
            default:
                return {};
        }
    }
    if (column >= kAncestor && column <= kTotal) {
        const int luck = column - kAncestor;
        if (role == Qt::DisplayRole) {
            return QString::number(candidate.luck[luck]) +
                   ToQString(MarkSymbol(candidate.marks[luck]));
        }
        return role == SortRole ? QVariant(candidate.luck[luck]) : QVariant();
    }
    if (column == kNaturalness && role == SortRole) {
        // Ascending puts 人気 first; within a band, the heavier first.
        return static_cast<double>(candidate.band) - std::min(candidate.weight, 1e6) / 1e7;
    }
    if (column == kGrounds && role == Qt::ToolTipRole && HasUngroundedReading(candidate.grounds)) {
        return ToQString(std::u16string(kUngroundedReadingNote));
    }
    if (role != Qt::DisplayRole && role != SortRole) {
        return role == Qt::TextAlignmentRole && (column == kRank || column == kNaturalness)
                   ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                   : QVariant();
    }
    switch (column) {
        case kRank:
            return index.row() + 1;
        case kSpelling:
            return ToQString(candidate.spelling);
        case kSplit:
            return ToQString(ReadingSplitText(candidate));
        case kStrokes: {
            QStringList counts;
            for (std::int16_t count : candidate.strokes) {
                counts << QString::number(count);
            }
            return counts.join(QStringLiteral(","));
        }
        case kKind:
            return KindWord(candidate);
        case kNaturalness:
            return ToQString(NaturalnessText(candidate));
        case kReading:
            return ToQString(candidate.reading);
        case kGrounds:
            // ※ points to the note the tooltip gives.
            return ToQString(GroundsText(candidate.grounds)) +
                   (HasUngroundedReading(candidate.grounds) ? QString::fromUtf8("　※") : QString());
        default:
            return {};
    }
}

QVariant CandidateTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    // The five luck numbers stand in columns 4 to 8.
    static const char* const kHeaders[] = {"順位",   "名前", "読み分け",   "画数",
                                           "５運",   "５行", "陰陽",       "種類",
                                           "自然さ", "読み", "読みの根拠", "候補"};
    constexpr int kFirstLuck = 4;
    const int luck = section - kFirstLuck;
    if (luck >= 0 && luck < static_cast<int>(kLuckFields.size())) {
        return ToQString(kLuckFields[static_cast<std::size_t>(luck)].name);
    }
    return QString::fromUtf8(kHeaders[luck < 0 ? section : section - kLuckFields.size()]);
}

}  // namespace namori
