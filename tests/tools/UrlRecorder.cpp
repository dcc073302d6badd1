// Stands in for the web browser in the end-to-end tests: appends the address it is given to
// the file that KV_URL_LOG names, then stays open for a while, as a browser does.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    char log[MAX_PATH] = {};
    if (argc > 1 && GetEnvironmentVariableA("KV_URL_LOG", log, MAX_PATH))
        if (std::FILE* file = std::fopen(log, "a")) {
            std::fprintf(file, "%s\n", argv[1]);
            std::fclose(file);
        }
    Sleep(20000);
    return 0;
}
