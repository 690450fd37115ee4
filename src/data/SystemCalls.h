#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>

namespace namori {

// The system calls that writing or removing a file or making a folder makes, gathered so that a
// test can make any one of them fail and see that the file stays as it was. The defaults are the
// system's own.
struct SystemCalls {
    ssize_t (*write)(int, const void*, size_t) = ::write;
    int (*fsync)(int) = ::fsync;
    int (*close)(int) = ::close;
    int (*rename)(const char*, const char*) = ::rename;
    int (*ftruncate)(int, off_t) = ::ftruncate;
    int (*link)(const char*, const char*) = ::link;
    int (*unlink)(const char*) = ::unlink;
    int (*mkdir)(const char*, mode_t) = ::mkdir;
};

}  // namespace namori
