#pragma once
// A child process for the tests that kill work at a random moment and then look at what it left: the
// child runs the work and says when it is about to start what is to be killed; the test waits for that,
// lets it run a while and kills it, or lets it end.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace lumarc::test {

class ForkedChild
{
public:
    // Forks; the child runs `work`, which calls `ready` once and never returns (it runs until killed or
    // ends with _exit). Returns once the child has called `ready`. `Started()` is false when the fork
    // failed.
    explicit ForkedChild(const std::function<void(const std::function<void()>& ready)>& work)
    {
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            return;
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(pipeEnds[0]);
            work([end = pipeEnds[1]] {
                const char started = 1;
                [[maybe_unused]] const auto written = ::write(end, &started, 1);
            });
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        if (m_pid > 0) {
            char started = 0;
            [[maybe_unused]] const auto got = ::read(pipeEnds[0], &started, 1);
        }
        ::close(pipeEnds[0]);
    }
    ForkedChild(const ForkedChild&) = delete;
    ForkedChild& operator=(const ForkedChild&) = delete;
    ~ForkedChild()
    {
        if (m_pid > 0 && !m_ended) {
            Kill();
        }
    }

    bool Started() const { return m_pid > 0; }
    // The child's status as waitpid gives it, once it has ended by itself.
    int Wait()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_ended = true;
        return status;
    }
    // Kills the child at once; its status as waitpid gives it.
    int Kill()
    {
        ::kill(m_pid, SIGKILL);
        return Wait();
    }

private:
    pid_t m_pid = -1;
    bool m_ended = false;
};

} // namespace lumarc::test
