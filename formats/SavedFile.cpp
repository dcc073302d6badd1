#include "formats/SavedFile.h"

#include "runtime/LineFile.h"
#include "runtime/Text.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace {

// Creates the temporary file beside `path` under SavedFileNumber and returns its name, or ""
// when none could be made. The name is new (created only when no file has it, so it is never
// a user's file), unique per save, and no longer than the target's own name, so a target
// whose path is as long as the system allows still has room for it.
std::string TemporaryCreate(const std::string& path) {
    const size_t nameStart = path.find_last_of("\\/") + 1; // 0 when there is no folder
    const size_t length = std::max<size_t>(2, std::min<size_t>(path.size() - nameStart, 12));
    static uint64_t counter = 0;
    uint64_t seed = uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 64; ++attempt) {
        uint64_t value = (seed ^ ++counter * 0x9E3779B97F4A7C15u) * 0xD6E8FEB86659FD93u;
        std::string name = "~";
        while (name.size() < length) {
            name += "0123456789abcdefghijklmnopqrstuvwxyz"[value % 36];
            value = value / 36 ^ (value << 59);
        }
        const std::string candidate = path.substr(0, nameStart) + name;
        if (FileCreateNew(SavedFileNumber, candidate.c_str()))
            return candidate;
        seed = value;
    }
    return std::string();
}

} // namespace

std::string SavedFileName(const std::string& name, const char* extension) {
    if (TextFind(FileNamePart(name.c_str()).c_str(), extension, 1) == 0)
        return name + extension;
    return name;
}

bool SavedFileWrite(const std::string& path, const std::function<void()>& writeLines) {
    // Beside the target, so that the final step is a rename within one folder.
    const std::string temporary = TemporaryCreate(path);
    if (temporary.empty())
        return false;
    writeLines();
    // Both steps run: the file must be closed even when the sync failed.
    const bool synced = FileSync(SavedFileNumber);
    const bool closed = FileClose(SavedFileNumber);
    if (!synced || !closed || !FileReplace(temporary.c_str(), path.c_str())) {
        FileDelete(temporary.c_str());
        return false;
    }
    return true;
}

void SavedLineWrite(const std::string& text) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; };
    if (std::none_of(text.begin(), text.end(), control)) {
        FileWriteLine(SavedFileNumber, text);
        return;
    }
    std::string blanked = text;
    std::replace_if(blanked.begin(), blanked.end(), control, ' ');
    FileWriteLine(SavedFileNumber, blanked);
}

bool SavedLineRead(std::string& line) {
    return FileReadTextLine(SavedFileNumber, line) && line.size() <= SavedLineMax;
}

bool SavedReadFinish(bool text) {
    for (std::string line; text && !FileAtEnd(SavedFileNumber);)
        text = SavedLineRead(line);
    FileClose(SavedFileNumber);
    return text;
}
