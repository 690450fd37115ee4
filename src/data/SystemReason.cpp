#include "data/SystemReason.h"

#include <cerrno>
#include <string>

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
        case EBADF:
        case EINVAL:
            return "ファイルを扱えない状態です";
        case EMFILE:
        case ENFILE:
            return "開いているファイルが多すぎます";
        case ENOMEM:
            return "メモリが足りません";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case EBUSY:
        case ETXTBSY:
            return "ほかのプログラムが使用中です";
        case EAGAIN:
            return "今は扱えません。しばらくしてからもう一度試してください";
        case EPIPE:
            return "受け取る側が終了しています";
        default:
            // The system's own text would be English: its number identifies it.
            return "システムエラー（番号 " + std::to_string(errorNumber) + "）";
    }
}

}  // namespace namori
