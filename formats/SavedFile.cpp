#include "formats/SavedFile.h"

#include "runtime/LineFile.h"
#include "runtime/Text.h"

std::string SavedFileName(const std::string& name, const char* extension) {
    if (TextFind(FileNamePart(name.c_str()).c_str(), extension, 1) == 0)
        return name + extension;
    return name;
}

bool SavedFileWrite(const std::string& path, const std::function<void()>& writeLines) {
    // Beside the target, so that the final step is a rename within one folder.
    const std::string temporary = path + ".kvtmp";
    if (!FileCreate(SavedFileNumber, temporary.c_str()))
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
