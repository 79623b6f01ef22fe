#include "system_reason.h"

#include <cerrno>
#include <cstring>

namespace velmora {

QString SystemReasonText(int errorCode) {
    switch (errorCode) {
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有访问权限");
    case EROFS:
        return QStringLiteral("文件系统是只读的");
    case ENOSPC:
        return QStringLiteral("磁盘空间不足");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("超出了磁盘配额");
#endif
    case EFBIG:
        return QStringLiteral("文件超过了允许的大小");
    case EEXIST:
        return QStringLiteral("文件已存在");
    case EISDIR:
        return QStringLiteral("这是一个文件夹");
    case ENOTDIR:
        return QStringLiteral("路径中有一部分不是文件夹");
    case ENAMETOOLONG:
        return QStringLiteral("文件名过长");
    case EIO:
        return QStringLiteral("磁盘读写错误");
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return QStringLiteral("文件正被占用");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件过多");
#ifdef ELOOP
    case ELOOP:
        return QStringLiteral("符号链接过多或循环");
#endif
    case ENOMEM:
        return QStringLiteral("内存不足");
    case EPIPE:
        return QStringLiteral("接收的一方已经关闭");
    case EXDEV:
        return QStringLiteral("不能跨磁盘移动文件");
    default:
        break;
    }
    return QStringLiteral("系统错误%1（%2）")
        .arg(errorCode)
        .arg(QString::fromLocal8Bit(std::strerror(errorCode)));
}

} // namespace velmora
