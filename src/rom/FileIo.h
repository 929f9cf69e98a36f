#pragma once
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// The system calls the file layer shares, their failures kept as error numbers.
namespace romfile::io {

std::string sysText(const std::string &what, const std::string &path, int e = errno);
bool sameFile(const struct stat &a, const struct stat &b);
// 0, or the error that stopped the write.
int writeAll(int fd, const uint8_t *p, size_t n, off_t at);
bool diskFull(int e);

} // namespace romfile::io
