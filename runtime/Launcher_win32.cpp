#include "runtime/Launcher.h"

#include "runtime/SystemLibrary_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <vector>

namespace {

// The started programs kept with LaunchKeep; they live until program end.
struct LauncherState {
    CRITICAL_SECTION lock;
    std::vector<std::unique_ptr<LaunchedProgram>> programs;
    LauncherState() { InitializeCriticalSection(&lock); }
    ~LauncherState() { DeleteCriticalSection(&lock); }
    LauncherState(const LauncherState&) = delete;
    LauncherState& operator=(const LauncherState&) = delete;
};

LauncherState& LauncherStateGet() {
    static LauncherState state;
    return state;
}

LaunchedProgram* LaunchedProgramAdd(const LaunchedProgram& program) {
    LauncherState& state = LauncherStateGet();
    EnterCriticalSection(&state.lock);
    state.programs.push_back(std::make_unique<LaunchedProgram>(program));
    LaunchedProgram* added = state.programs.back().get();
    LeaveCriticalSection(&state.lock);
    return added;
}

// Handles we opened for one start; whatever is still set when it goes is closed.
struct LaunchHandles {
    HANDLE childInput = nullptr; // the child's ends, closed once the child has them
    HANDLE childOutput = nullptr;
    HANDLE childError = nullptr;
    HANDLE input = nullptr; // our ends, handed to the LaunchedProgram record on success
    HANDLE output = nullptr;
    HANDLE error = nullptr;
    LaunchHandles() = default;
    LaunchHandles(const LaunchHandles&) = delete;
    LaunchHandles& operator=(const LaunchHandles&) = delete;
    ~LaunchHandles() {
        ChildEndsClose();
        for (HANDLE handle : {input, output, error})
            if (handle)
                CloseHandle(handle);
    }
    // Once the child has its copies, ours must go, or the child's output never ends.
    void ChildEndsClose() {
        for (HANDLE* handle : {&childInput, &childOutput, &childError}) {
            if (*handle)
                CloseHandle(*handle);
            *handle = nullptr;
        }
    }
};

// An inheritable pipe whose one end goes to the child; our end is kept from the child so
// that the pipe closes when the child ends.
bool PipeCreate(bool childReads, HANDLE* childEnd, HANDLE* ourEnd) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return false;
    *childEnd = childReads ? readEnd : writeEnd;
    *ourEnd = childReads ? writeEnd : readEnd;
    return SetHandleInformation(*ourEnd, HANDLE_FLAG_INHERIT, 0) != 0;
}

// An empty temporary file that deletes itself when its handle is closed; nullptr on failure.
HANDLE SpoolCreate() {
    char folder[MAX_PATH + 1] = {}, name[MAX_PATH + 1] = {};
    if (!GetTempPathA(sizeof folder, folder) || !GetTempFileNameA(folder, "kvo", 0, name))
        return nullptr;
    HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

// Moves what waits in `pipe` to `file`. The number of bytes moved; -1 once the pipe is
// closed and empty.
long PipeMove(HANDLE pipe, HANDLE file) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr))
        return -1;
    long moved = 0;
    char buffer[65536];
    while (waiting > 0) {
        DWORD got = 0, written = 0;
        if (!ReadFile(pipe, buffer, waiting < sizeof buffer ? waiting : sizeof buffer, &got,
                      nullptr) ||
            got == 0)
            return -1;
        WriteFile(file, buffer, got, &written, nullptr);
        waiting -= got;
        moved += static_cast<long>(got);
    }
    return moved;
}

// Waits for the child while emptying its output pipes, which would otherwise fill up and
// stop the child for ever. What it wrote is kept in self-deleting temporary files that take
// the pipes' place, so the caller reads it as it would have read the pipes.
void WaitReading(HANDLE process, HANDLE* pipes[], int count) {
    HANDLE spools[2] = {};
    for (int i = 0; i < count; ++i)
        if (!(spools[i] = SpoolCreate())) {
            for (HANDLE spool : spools)
                if (spool)
                    CloseHandle(spool);
            WaitForSingleObject(process, INFINITE);
            return;
        }
    bool ended = false;
    while (!ended) {
        ended = WaitForSingleObject(process, 10) == WAIT_OBJECT_0;
        // After the end, only what is left: a grandchild may hold the pipe open.
        for (int i = 0; i < count; ++i)
            while (PipeMove(*pipes[i], spools[i]) > 0 && ended) {
            }
    }
    for (int i = 0; i < count; ++i) {
        CloseHandle(*pipes[i]);
        SetFilePointer(spools[i], 0, nullptr, FILE_BEGIN);
        *pipes[i] = spools[i];
    }
}

intptr_t ShellOpen(const char* program, const char* parameters, const char* directory, int flags,
                   int show) {
    std::string folder = LaunchShellDirectory(program, directory);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // No error boxes: the launcher reports failure by its result only.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "Open";
    info.lpFile = program;
    info.lpParameters = *parameters ? parameters : nullptr;
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = show;
    using Execute = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
    static const Execute execute = SystemFunction<Execute>("shell32.dll", "ShellExecuteExA");
    SystemComInit();
    if (!execute || !execute(&info))
        return 0;
    // The shell gives no process when an already running program took the document.
    if ((flags & LaunchWait) && info.hProcess)
        WaitForSingleObject(info.hProcess, INFINITE);
    if (flags & LaunchKeep)
        return reinterpret_cast<intptr_t>(
            LaunchedProgramAdd({info.hProcess, -1, nullptr, nullptr, nullptr}));
    if (info.hProcess)
        CloseHandle(info.hProcess);
    return 1;
}

} // namespace

void LauncherInit() {
    LauncherStateGet();
}

std::string LaunchCommandLine(const char* program, const char* parameters) {
    std::string line;
    if (program && program[0] == '"') {
        line = program;
    } else {
        line = "\"";
        line += program ? program : "";
        line += '"';
    }
    if (parameters && *parameters) {
        line += ' ';
        line += parameters;
    }
    return line;
}

std::string LaunchShellDirectory(const char* program, const char* directory) {
    if (directory && *directory)
        return directory;
    std::string text = program ? program : "";
    size_t last = text.rfind('\\');
    if (last == std::string::npos || last == 0)
        return std::string();
    // A quoted program's folder starts after the quote, or the shell gets a folder it can't use.
    size_t first = text[0] == '"' ? 1 : 0;
    return text.substr(first, last + 1 - first);
}

intptr_t ProgramRun(const char* program, const char* parameters, const char* directory, int flags,
                    const LaunchedProgram* connect) {
    if (!program)
        program = "";
    if (!parameters)
        parameters = "";
    if (!directory)
        directory = "";
    const int show = (flags & LaunchHidden) ? SW_HIDE : SW_SHOWNORMAL;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESHOWWINDOW;
    start.wShowWindow = static_cast<WORD>(show);
    DWORD creation = NORMAL_PRIORITY_CLASS | ((flags & LaunchHidden) ? DETACHED_PROCESS : 0);

    LaunchHandles handles;
    bool piped = true;
    const bool keep = (flags & LaunchKeep) != 0;
    if ((flags & LaunchConnect) && connect && connect->output) {
        // Our end of the earlier pipe is not inheritable: give the child an inheritable copy.
        piped = DuplicateHandle(GetCurrentProcess(), connect->output, GetCurrentProcess(),
                                &handles.childInput, 0, TRUE, DUPLICATE_SAME_ACCESS) != 0;
    } else if (keep && (flags & LaunchWriteInput)) {
        piped = PipeCreate(true, &handles.childInput, &handles.input);
    }
    if (piped && keep && (flags & LaunchReadOutput))
        piped = PipeCreate(false, &handles.childOutput, &handles.output);
    if (piped && keep && (flags & LaunchReadError))
        piped = PipeCreate(false, &handles.childError, &handles.error);

    BOOL inherit = FALSE;
    if (handles.childInput || handles.childOutput || handles.childError) {
        start.dwFlags |= STARTF_USESTDHANDLES;
        start.hStdInput = handles.childInput ? handles.childInput : GetStdHandle(STD_INPUT_HANDLE);
        start.hStdOutput =
            handles.childOutput ? handles.childOutput : GetStdHandle(STD_OUTPUT_HANDLE);
        start.hStdError = handles.childError ? handles.childError : GetStdHandle(STD_ERROR_HANDLE);
        inherit = TRUE;
        creation &= ~static_cast<DWORD>(DETACHED_PROCESS);
    }

    std::string line = LaunchCommandLine(program, parameters);
    PROCESS_INFORMATION started = {};
    if (piped && CreateProcessA(nullptr, &line[0], nullptr, nullptr, inherit, creation, nullptr,
                                *directory ? directory : nullptr, &start, &started)) {
        CloseHandle(started.hThread);
        handles.ChildEndsClose();
        HANDLE* pipes[2] = {};
        int pipeCount = 0;
        for (HANDLE* pipe : {&handles.output, &handles.error})
            if (*pipe)
                pipes[pipeCount++] = pipe;
        if ((flags & LaunchWait) && pipeCount)
            WaitReading(started.hProcess, pipes, pipeCount);
        else if (flags & LaunchWait)
            WaitForSingleObject(started.hProcess, INFINITE);
        if (!keep) {
            CloseHandle(started.hProcess);
            return 1;
        }
        LaunchedProgram kept = {started.hProcess, static_cast<int>(started.dwProcessId),
                                handles.input, handles.output, handles.error};
        handles.input = handles.output = handles.error = nullptr; // the record owns them now
        return reinterpret_cast<intptr_t>(LaunchedProgramAdd(kept));
    }
    // Anything that asked for pipes needs a real process: no shell fallback for those.
    if (flags & (LaunchReadOutput | LaunchWriteInput | LaunchReadError | LaunchConnect))
        return 0;
    return ShellOpen(program, parameters, directory, flags, show);
}
