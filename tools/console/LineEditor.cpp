// The interactive remote's terminal side: line editing, history and key-name
// completion (libedit) in front of the console's Windows side, which runs
// under Wine as a child process and talks over two pipes.
//
//   vantrel-console <program> [arguments...]
//
// The child's lines are shown as they come; when it writes the ready mark,
// the next line is read from the person. End of input sends "quit". The exit
// code is the child's.
#include <editline/readline.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/console/ConsoleCommand.h"
#include "tools/console/ReadyMark.h"

namespace {

// Ctrl-C asks to quit: the console still closes the program cleanly.
volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int)
{
    g_interrupted = 1;
}

// The editor's reading of a key; a Ctrl-C ends the line as the end of input
// would.
int ReadKey(FILE* input)
{
    unsigned char key = 0;
    while (!g_interrupted) {
        const ssize_t got = ::read(::fileno(input), &key, 1);
        if (got == 1)
            return key;
        if (got == 0 || errno != EINTR)
            break;
    }
    return EOF;
}

struct Child
{
    pid_t process = -1;
    int input = -1;   // what we write to the child
    int output = -1;  // what the child writes
};

bool Start(char** arguments, Child& child)
{
    int toChild[2];
    int fromChild[2];
    if (::pipe(toChild) != 0)
        return false;
    if (::pipe(fromChild) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        return false;
    }
    child.process = ::fork();
    if (child.process == 0) {
        // A group of its own, so that Ctrl-C reaches only the line editor,
        // which then asks the console to close the program cleanly.
        ::setpgid(0, 0);
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        ::close(toChild[0]);
        ::close(toChild[1]);
        ::close(fromChild[0]);
        ::close(fromChild[1]);
        ::execvp(arguments[0], arguments);
        std::perror(arguments[0]);
        ::_exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    if (child.process < 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        return false;
    }
    child.input = toChild[1];
    child.output = fromChild[0];
    return true;
}

// Completion of the first word from the console's own words.
char* NextWord(const char* start, int state)
{
    static std::vector<std::string> words;
    static std::size_t at;
    if (state == 0) {
        words = ConsoleWords();
        at = 0;
    }
    const std::size_t length = std::strlen(start);
    while (at < words.size()) {
        const std::string& word = words[at++];
        if (word.compare(0, length, start) == 0)
            return ::strdup(word.c_str());
    }
    return nullptr;
}

char** Complete(const char* text, int start, int)
{
    rl_attempted_completion_over = 1;
    return start == 0 ? rl_completion_matches(text, NextWord) : nullptr;
}

bool WriteAll(int file, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t now = ::write(file, text.data() + written, text.size() - written);
        if (now < 0 && errno == EINTR)
            continue;
        if (now <= 0)
            return false;
        written += static_cast<std::size_t>(now);
    }
    return true;
}

// Reads the person's next line and hands it on; false when the child can no
// longer take it.
bool AskAndSend(const Child& child, bool& quitting)
{
    quitting = quitting || g_interrupted;
    char* typed = quitting ? nullptr : ::readline("remote> ");
    std::string line;
    if (typed == nullptr) {
        if (!quitting)
            std::printf(g_interrupted ? "^C\nquit\n" : "quit\n");
        line = "quit";
        quitting = true;
    } else {
        line = typed;
        std::free(typed);
        if (!line.empty())
            ::add_history(line.c_str());
    }
    return WriteAll(child.input, line + "\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantrel-console <program> [arguments...]\n");
        return 2;
    }
    ::signal(SIGPIPE, SIG_IGN);
    struct sigaction interrupt{};
    interrupt.sa_handler = OnInterrupt;
    sigemptyset(&interrupt.sa_mask);
    ::sigaction(SIGINT, &interrupt, nullptr);
    rl_catch_signals = 0;
    rl_getc_function = ReadKey;
    rl_attempted_completion_function = Complete;
    Child child;
    if (!Start(argv + 1, child)) {
        std::perror("vantrel-console");
        return 1;
    }

    // The child's own children may hold its output open after it ends, so the
    // end of the child, not of its output, ends the session.
    std::string pending;
    bool quitting = false;
    int status = 0;
    for (;;) {
        pollfd ready{child.output, POLLIN, 0};
        const int events = ::poll(&ready, 1, 100);
        if (events > 0) {
            char chunk[4096];
            const ssize_t got = ::read(child.output, chunk, sizeof chunk);
            if (got > 0) {
                pending.append(chunk, static_cast<std::size_t>(got));
                for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                    std::string line = pending.substr(0, end);
                    pending.erase(0, end + 1);
                    if (!line.empty() && line.back() == '\r')
                        line.pop_back();
                    if (line == kReadyMark) {
                        std::fflush(stdout);
                        if (!AskAndSend(child, quitting))
                            quitting = true;
                    } else {
                        std::printf("%s\n", line.c_str());
                    }
                }
                std::fflush(stdout);
                continue;
            }
        }
        if (::waitpid(child.process, &status, WNOHANG) == child.process)
            break;
    }
    if (!pending.empty())
        std::printf("%s\n", pending.c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    std::printf("console closed, exit code %d\n", code);
    return code;
}
