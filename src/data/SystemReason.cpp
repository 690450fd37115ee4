#include "data/SystemReason.h"

#include <cerrno>
#include <cstring>

namespace namori {

std::string SystemReason(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return "ディスクの空きが足りません";
        case EACCES:
        case EPERM:
            return "権限がありません";
        case EROFS:
            return "読み取り専用の場所です";
        case ENOENT:
            return "見つかりません";
        case EISDIR:
            return "ファイルではなくフォルダです";
        case ENOTDIR:
            return "途中にフォルダではないものがあります";
        case EIO:
            return "入出力エラーです";
        default:
            return std::strerror(errorNumber);
    }
}

}  // namespace namori
