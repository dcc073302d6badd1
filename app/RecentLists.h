// The lists the trader opened or saved last, most recent first, kept per user in the registry
// (HKCU\Software\Kestrava\Recent Lists, values "1" to "8").
#pragma once

#include <string>
#include <vector>

class RecentLists {
  public:
    static constexpr size_t Most = 8;
    void Load();
    // To the front, once (names compared without case, as Windows does), and stored.
    void Add(const std::string& path);
    void Remove(const std::string& path);
    const std::vector<std::string>& Paths() const { return paths_; }

  private:
    void Save() const;
    std::vector<std::string> paths_;
};
