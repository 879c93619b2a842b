// A stand-in for a map compiler, for the tests of the compile runner. It does
// what its arguments say, in order:
//   --out TEXT        a line on standard output
//   --err TEXT        a line on standard error
//   --mixed N         N lines, alternately on standard output and error
//   --lines N         N numbered lines on standard output, written in one go
//   --partial TEXT    TEXT on standard output with no line end
//   --nul             the line "before<NUL>after", with a NUL byte in it
//   --echo            each argument and the working folder, one per line
//   --sleep MS        waits
//   --ignore-term     from now on, a polite request to end is ignored
//   --heed-term       from now on, a polite request to end is heeded again
//   --spawn MS        starts a child that waits MS milliseconds, keeping how
//                     it takes a request to end, and writes "group G", the
//                     process group of both
//   --pts FILE N      writes a leak trace of N points to FILE
//   --remove FILE     removes FILE, as a compiler removes an old leak trace
//   --exit STATUS     ends with that status (0 when not given)
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

void Line(FILE* stream, const std::string& text) {
    std::fprintf(stream, "%s\n", text.c_str());
    std::fflush(stream);
}

void WritePointFile(const char* path, int count) {
    FILE* file = std::fopen(path, "w");
    if (!file)
        std::exit(3);
    for (int i = 0; i < count; ++i)
        std::fprintf(file, "%d.5 %d %d\n", i * 8, -i * 4, 16 + i % 5);
    std::fclose(file);
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--out") {
            Line(stdout, value), ++i;
        } else if (option == "--err") {
            Line(stderr, value), ++i;
        } else if (option == "--mixed") {
            for (int n = 0, count = std::atoi(value); n < count; ++n)
                Line(n % 2 ? stderr : stdout, (n % 2 ? "err " : "out ") + std::to_string(n));
            ++i;
        } else if (option == "--lines") {
            std::string text;
            for (int n = 0, count = std::atoi(value); n < count; ++n)
                text += "line " + std::to_string(n) + "\n";
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fflush(stdout);
            ++i;
        } else if (option == "--partial") {
            std::fputs(value, stdout), std::fflush(stdout), ++i;
        } else if (option == "--nul") {
            std::fwrite("before\0after\n", 1, 13, stdout), std::fflush(stdout);
        } else if (option == "--echo") {
            for (int n = 0; n < argc; ++n)
                Line(stdout, std::string("arg: ") + argv[n]);
            char folder[4096];
            Line(stdout, std::string("cwd: ") + (getcwd(folder, sizeof folder) ? folder : "?"));
        } else if (option == "--sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value))), ++i;
        } else if (option == "--ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
        } else if (option == "--heed-term") {
            std::signal(SIGTERM, SIG_DFL);
        } else if (option == "--spawn") {
            if (fork() == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(value)));
                _exit(0);
            }
            Line(stdout, "group " + std::to_string(getpgrp())), ++i;
        } else if (option == "--pts" && i + 2 < argc) {
            WritePointFile(value, std::atoi(argv[i + 2]));
            i += 2;
        } else if (option == "--remove") {
            std::remove(value), ++i;
        } else if (option == "--exit") {
            return std::atoi(value);
        }
    }
    return 0;
}
