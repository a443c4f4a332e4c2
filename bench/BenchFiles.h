// The files a benchmark argument names: a folder stands for the regular files
// in it, in name order.
#pragma once
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

inline std::vector<std::string> BenchFiles(const char* Argument)
{
    if (!std::filesystem::is_directory(Argument)) return {Argument};
    std::vector<std::string> Inside;
    for (const auto& E : std::filesystem::directory_iterator(Argument))
        if (E.is_regular_file()) Inside.push_back(E.path().string());
    std::sort(Inside.begin(), Inside.end());
    return Inside;
}
