#include "reader/ChapterFiles.h"

#include "toolkit/AppDir.h"

std::string ChapterPagePath(const std::string& bookKey, const std::string& number)
{
    return AppDir() + "Book/" + bookKey + "/" + number + ".htm";
}

std::string BookListPagePath(const std::string& bookKey)
{
    return AppDir() + "Book/" + bookKey + "/List.htm";
}

std::string BookFolderPath()
{
    return AppDir() + "Book";
}

std::string HomePageFilePath()
{
    return AppDir() + "Model/home.htm";
}
