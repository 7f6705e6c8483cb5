// vendquill-cli: the headless front end over the core.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("usage: vendquill-cli [--home DIR] [--endpoints FILE] COMMAND ...\n");
        return 0;
    }
    std::fprintf(stderr, "vendquill-cli: no command given (see --help)\n");
    return 2;
}
