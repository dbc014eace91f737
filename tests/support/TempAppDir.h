#pragma once
// A fresh temporary application directory with a copy of Model/, set as AppDir for the
// lifetime of the object and removed afterwards.
#include <string>

class TempAppDir {
public:
    explicit TempAppDir(bool withModel = true);
    ~TempAppDir();
    TempAppDir(const TempAppDir&) = delete;
    TempAppDir& operator=(const TempAppDir&) = delete;

    // With a trailing "/".
    const std::string& Path() const { return path_; }
    std::string File(const std::string& relative) const { return path_ + relative; }

private:
    std::string path_;
};

// Whole file as bytes ("" when missing) and writing bytes, creating parent folders.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
