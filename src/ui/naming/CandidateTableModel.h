#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <array>
#include <set>
#include <string>
#include <vector>

#include "naming/NameCandidates.h"

namespace namori {

// The ranked candidates as a table: rank, spelling, the reading each character stands for,
// strokes, the five luck numbers with their marks, the three faces, whether the spelling is a
// real name, its band (人気, よくある, 自然, まれ), its reading, how each character reads its
// part (音, 訓, 名乗り, 部分, 熟字訓, 置き字, 根拠なし) and a star for the shortlist. Sorting uses
// SortRole: the numbers themselves, the faces as favourable 2, middling 1, unfavourable 0, the
// bands in that order.
class CandidateTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column {
        kRank,
        kSpelling,
        kSplit,
        kStrokes,
        kAncestor,
        kMain,
        kEarly,
        kAssist,
        kTotal,
        kLuckFace,
        kElementFace,
        kYinYangFace,
        kKind,
        kNaturalness,
        kReading,
        kGrounds,
        kShortlisted,  // ★ when the spelling is on the shortlist, ☆ otherwise
        kColumnCount
    };
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int AllFavourableRole = Qt::UserRole + 1;

    explicit CandidateTableModel(QObject* parent = nullptr);

    void setCandidates(std::vector<NameCandidate> candidates);
    const NameCandidate& candidate(int row) const { return candidates_[row]; }
    // The spellings the shortlist holds for the surname searched.
    void setShortlisted(std::set<std::u16string> spellings);
    bool isShortlisted(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<NameCandidate> candidates_;
    std::array<QPixmap, 3> faces_;
    std::set<std::u16string> shortlisted_;
};

}  // namespace namori
