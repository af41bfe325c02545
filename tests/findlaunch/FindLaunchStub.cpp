// Stands in for the main program: appends its arguments, one line per start, to the file named by
// LUMARC_STUB_LOG.

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    const char* log = std::getenv("LUMARC_STUB_LOG");
    if (log == nullptr) {
        return 1;
    }
    std::string line;
    for (int i = 1; i < argc; ++i) {
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    }
    line += '\n';
    const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return 1;
    }
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    ::close(fd);
    return written ? 0 : 1;
}
