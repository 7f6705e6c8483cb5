#include "runcli.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/tempdir.h"

extern char** environ;

namespace vq::test {

CliRun runCli(const std::vector<std::string>& arguments, const CliOptions& options)
{
    TempDir io;
    const std::string inPath = (io / "in").string();
    const std::string outPath = (io / "out").string();
    const std::string errPath = (io / "err").string();
    writeBytes(inPath, options.standardInput);

    std::vector<std::string> argv{VQ_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    CliRun run;
    const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.err = "cannot start " + argv[0];
        return run;
    }

    int status = 0;
    bool interrupted = options.interruptWhenErrorContains.empty();
    while (true) {
        const pid_t done = waitpid(pid, &status, interrupted ? 0 : WNOHANG);
        if (done == pid)
            break;
        if (!interrupted && readBytes(errPath).find(options.interruptWhenErrorContains) != std::string::npos) {
            kill(pid, SIGINT);
            interrupted = true;
            continue;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.out = readBytes(outPath);
    run.err = readBytes(errPath);
    return run;
}

}  // namespace vq::test
