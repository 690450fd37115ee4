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
        case ELOOP:
            return "シンボリックリンクが循環しています";
        case ESPIPE:
        case ENXIO:
            return "通常のファイルではありません";
        case EIO:
            return "入出力エラーが起きました";
        default:
            return std::strerror(errorNumber);
    }
}

}  // namespace namori
