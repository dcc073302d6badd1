#include "app/RecentLists.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

const char Key[] = "Software\\Kestrava\\Recent Lists";

bool SameFile(const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), int(a.size()), b.c_str(),
                          int(b.size())) == CSTR_EQUAL;
}

} // namespace

void RecentLists::Load() {
    paths_.clear();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (size_t i = 1; i <= Most; ++i) {
        char path[MAX_PATH * 2] = {};
        DWORD size = sizeof path - 1, type = 0;
        if (RegQueryValueExA(key, std::to_string(i).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(path), &size) == ERROR_SUCCESS &&
            type == REG_SZ && path[0])
            paths_.push_back(path);
    }
    RegCloseKey(key);
}

void RecentLists::Add(const std::string& path) {
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > Most)
        paths_.resize(Most);
    Save();
}

void RecentLists::Remove(const std::string& path) {
    const auto gone = std::remove_if(paths_.begin(), paths_.end(),
                                     [&](const std::string& p) { return SameFile(p, path); });
    if (gone == paths_.end())
        return;
    paths_.erase(gone, paths_.end());
    Save();
}

void RecentLists::Save() const {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    for (size_t i = 1; i <= Most; ++i) {
        const std::string name = std::to_string(i);
        if (i <= paths_.size())
            RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(paths_[i - 1].c_str()),
                           DWORD(paths_[i - 1].size() + 1));
        else
            RegDeleteValueA(key, name.c_str());
    }
    RegCloseKey(key);
}
