#include "toolkit/AppDir.h"

namespace {
std::string& Storage()
{
    static std::string dir;
    return dir;
}
}  // namespace

void SetAppDir(const std::string& dir)
{
    std::string d = dir;
    if (!d.empty() && d.back() != '/')
        d += '/';
    Storage() = d;
}

const std::string& AppDir()
{
    return Storage();
}
